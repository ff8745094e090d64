#include "app/quickaccessible.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QApplication>
#include <QQuickItem>
#include <QQuickWidget>
#include <QQuickWindow>
#include <QWindow>

namespace {

// The offscreen window of a page widget is asked about while the widget is still being made,
// before the widget knows it: it is told by its class.
bool isPageScene(const QObject* object)
{
    return object && qstrcmp(object->metaObject()->className(), "QQuickWidgetOffscreenWindow") == 0;
}

// The page widget whose scene the window is.
QQuickWidget* pageOfScene(const QObject* scene)
{
    const QWidgetList widgets = QApplication::allWidgets();
    for (QWidget* widget : widgets) {
        if (auto* page = qobject_cast<QQuickWidget*>(widget); page && page->quickWindow() == scene)
            return page;
    }
    return nullptr;
}

// The accessible items nearest below an item, in the items' order: Qt Quick passes over the
// items that are not accessible the same way when it lists an item's children.
void collectAccessible(QQuickItem* item, QList<QAccessibleInterface*>& found)
{
    const QList<QQuickItem*> children = item->childItems();
    for (QQuickItem* child : children) {
        if (QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(child))
            found.append(accessible);
        else
            collectAccessible(child, found);
    }
}

// The offscreen window that draws a page widget's scene. Its items lead up to it, and it leads
// on to the widget.
class SceneAccessible final : public QAccessibleObject {
public:
    explicit SceneAccessible(QQuickWindow* scene)
        : QAccessibleObject(scene)
    {
    }

    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(page()); }
    int childCount() const override { return int(items().size()); }
    QAccessibleInterface* child(int index) const override { return items().value(index); }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return int(items().indexOf(const_cast<QAccessibleInterface*>(child)));
    }
    QAccessibleInterface* focusChild() const override
    {
        for (QQuickItem* item = scene()->activeFocusItem(); item; item = item->parentItem()) {
            if (QAccessibleInterface* focused = QAccessible::queryAccessibleInterface(item))
                return focused;
        }
        return nullptr;
    }
    QAccessible::Role role() const override { return QAccessible::Client; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = !page() || !page()->isVisible();
        return state;
    }
    QRect rect() const override { return page() ? QRect(page()->mapToGlobal(QPoint()), page()->size()) : QRect(); }
    QString text(QAccessible::Text) const override { return {}; }
    QWindow* window() const override { return page() ? page()->window()->windowHandle() : nullptr; }

private:
    QQuickWindow* scene() const { return static_cast<QQuickWindow*>(object()); }
    QQuickWidget* page() const { return pageOfScene(object()); }
    QList<QAccessibleInterface*> items() const
    {
        QList<QAccessibleInterface*> found;
        collectAccessible(scene()->contentItem(), found);
        return found;
    }
};

// A page widget, whose one child is its scene. The items place themselves on the screen by
// their window's position, which is the scene's offscreen window: it follows the widget's.
class PageAccessible final : public QAccessibleWidget {
public:
    explicit PageAccessible(QQuickWidget* page)
        : QAccessibleWidget(page, page->isWindow() ? QAccessible::Window : QAccessible::Client)
    {
        if (QWindow* frame = page->window()->windowHandle()) {
            const auto follow = [page] { page->quickWindow()->setPosition(page->mapToGlobal(QPoint())); };
            QObject::connect(frame, &QWindow::xChanged, page, follow);
            QObject::connect(frame, &QWindow::yChanged, page, follow);
            follow();
        }
    }

    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override { return index == 0 ? scene() : nullptr; }
    int indexOfChild(const QAccessibleInterface* child) const override { return child == scene() ? 0 : -1; }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        return rect().contains(x, y) ? scene() : nullptr;
    }
    QAccessibleInterface* focusChild() const override { return scene()->focusChild(); }

private:
    QAccessibleInterface* scene() const
    {
        return QAccessible::queryAccessibleInterface(static_cast<QQuickWidget*>(widget())->quickWindow());
    }
};

// The application's windows, less the scenes of page widgets: those are seen inside their widgets.
class ApplicationAccessible final : public QAccessibleApplication {
public:
    int childCount() const override { return int(windows().size()); }
    QAccessibleInterface* child(int index) const override { return windows().value(index); }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return int(windows().indexOf(const_cast<QAccessibleInterface*>(child)));
    }

private:
    QList<QAccessibleInterface*> windows() const
    {
        QList<QAccessibleInterface*> shown;
        for (int i = 0; i < QAccessibleApplication::childCount(); ++i) {
            QAccessibleInterface* window = QAccessibleApplication::child(i);
            if (window && !isPageScene(window->object()))
                shown.append(window);
        }
        return shown;
    }
};

QAccessibleInterface* bridge(const QString&, QObject* object)
{
    if (object == qApp)
        return new ApplicationAccessible;
    if (auto* page = qobject_cast<QQuickWidget*>(object))
        return new PageAccessible(page);
    if (isPageScene(object))
        return new SceneAccessible(static_cast<QQuickWindow*>(object));
    return nullptr;
}

} // namespace

namespace QuickAccessible {

void install()
{
    QAccessible::removeFactory(bridge);
    QAccessible::installFactory(bridge);
}

} // namespace QuickAccessible
