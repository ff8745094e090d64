#pragma once

#include "app/mainwindow.h"
#include "widgets/filedialogs.h"

#include <QAccessible>
#include <QQmlContext>
#include <QQmlExpression>
#include <QQuickItem>
#include <QTest>
#include <QWheelEvent>

#include <algorithm>
#include <functional>

// Drives the real window's pages: evaluates script in the main page's scope, where every page is
// known by its id, finds items by object name, and gives real input: the pointer, its buttons, the
// wheel and keys reach the window through the platform, as a user's do.
class PageDriver final {
public:
    // The window shown and active, with elements staged of the given durations.
    explicit PageDriver(const QStringList& staged = {})
    {
        window.resize(800, 552);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        // The platform drops a move to where the pointer already is, which is where the last
        // window's test left it.
        moveTo(QPoint(1, 1));
        stage(staged);
    }

    static QPoint centreOf(QQuickItem* item) { return item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint(); }
    void moveTo(QPoint point) { QTest::mouseMove(window.windowHandle(), point); }
    void hover(QQuickItem* item) { moveTo(centreOf(item)); }
    void click(QQuickItem* item) { QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, centreOf(item)); }
    void type(const QString& keys) { for (const QChar c : keys) QTest::keyClick(window.windowHandle(), c.toLatin1()); }
    void key(Qt::Key key, int times = 1, Qt::KeyboardModifiers modifiers = {}) { while (times-- > 0) QTest::keyClick(window.windowHandle(), key, modifiers); }

    // The item with the keyboard's focus, and its name as a screen reader hears it.
    QQuickItem* focused() { return window.quickWindow()->activeFocusItem(); }
    QString focusedName()
    {
        QAccessibleInterface* accessible = focused() ? QAccessible::queryAccessibleInterface(focused()) : nullptr;
        return accessible ? accessible->text(QAccessible::Name) : QString();
    }
    // Tabs on until the control of that name has the focus; false when none has, after a round.
    bool tabTo(const QString& name)
    {
        for (int presses = 0; presses < 40 && focusedName() != name; ++presses)
            key(Qt::Key_Tab);
        return focusedName() == name;
    }
    // One focus ring shows: on the focused control, or on the entry of it that the keys work.
    bool ringOnFocus()
    {
        const auto isRing = [](QQuickItem* i) { return i->objectName() == "focusRing" && i->isVisible() && shownOpacity(i) > 0; };
        const QList<QQuickItem*> items = allItems();
        return std::count_if(items.begin(), items.end(), isRing) == 1 && focused() && focused()->isAncestorOf(first(isRing));
    }
    // Turns the wheel over an item by whole notches, towards the user for positive counts.
    void wheel(QQuickItem* item, int notches)
    {
        const QPoint at = centreOf(item);
        QWheelEvent turn(at, window.mapToGlobal(at), {}, {0, -120 * notches}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(window.windowHandle(), &turn);
    }

    // The item that the user sees at a point of the window: later siblings and higher z drawn
    // above, nothing outside a clipping parent, nothing hidden or fully transparent.
    QQuickItem* paintedAt(QPointF point, QQuickItem* item = nullptr)
    {
        item = item ? item : window.rootObject();
        if (!item->isVisible() || item->opacity() == 0.0)
            return nullptr;
        const bool inside = item->contains(item->mapFromScene(point));
        if (item->clip() && !inside)
            return nullptr;
        QList<QQuickItem*> children = item->childItems();
        std::stable_sort(children.begin(), children.end(), [](auto* a, auto* b) { return a->z() < b->z(); });
        for (auto child = children.crbegin(); child != children.crend(); ++child)
            if (QQuickItem* hit = paintedAt(point, *child))
                return hit;
        return inside && item->flags().testFlag(QQuickItem::ItemHasContents) ? item : nullptr;
    }
    // How opaque an item looks: its own opacity times its parents'.
    static qreal shownOpacity(QQuickItem* item) { return item ? item->opacity() * shownOpacity(item->parentItem()) : 1.0; }

    QVariant eval(const QString& script)
    {
        QQmlExpression expression(qmlContext(window.rootObject()), window.rootObject(), script);
        QVariant value = expression.evaluate();
        if (expression.hasError())
            qWarning("page script failed: %s", qPrintable(expression.error().toString()));
        return value.canConvert<QJSValue>() ? value.value<QJSValue>().toVariant() : value;
    }
    int integer(const QString& script) { return eval(script).toInt(); }
    QString text(const QString& script) { return eval(script).toString(); }

    // Every item of the pages, list rows included (their QObject parent is not the list).
    QList<QQuickItem*> allItems()
    {
        QList<QQuickItem*> items{window.rootObject()};
        for (qsizetype i = 0; i < items.size(); ++i)
            items += items.at(i)->childItems();
        return items;
    }
    QQuickItem* first(const std::function<bool(QQuickItem*)>& wanted)
    {
        const QList<QQuickItem*> items = allItems();
        const auto found = std::find_if(items.begin(), items.end(), wanted);
        return found == items.end() ? nullptr : *found;
    }
    QQuickItem* item(const QString& name) { return first([&](QQuickItem* i) { return i->objectName() == name; }); }
    // Of the items of a name that every list row carries, the first that is shown.
    QQuickItem* shown(const QString& name) { return first([&](QQuickItem* i) { return i->objectName() == name && i->isVisible(); }); }
    // The icon of a tab's grid or strip with that label, on the page that is shown.
    QQuickItem* icon(const QString& label)
    {
        return first([&](QQuickItem* i) { return i->property("iconText") == label && i->isVisible() && shownOpacity(i) > 0; });
    }

    int count() { return integer("mediaList.mediaListModel.count"); }
    QString role(int row, const QString& name) { return text(QString("mediaList.mediaListModel.get(%1).%2").arg(row).arg(name)); }
    void setRole(int row, const QString& name, const QString& js)
    {
        eval(QString("mediaList.mediaListModel.setProperty(%1, '%2', %3)").arg(row).arg(name, js));
    }

    // Loaded elements with the given durations, as a probe of a video with sound leaves them, of
    // files or of ripped tracks ("cd") or titles ("dvd").
    void stage(const QStringList& durations, const QString& source = "file")
    {
        for (const QString& duration : durations) {
            const QString name = QString("clip%1").arg(count());
            eval("mediaList.appendElement('/media/" + name + ".mp4', '" + source + "', '')");
            emit window.fileInfoReady({name + ".mp4", "/media/", name, duration, ""},
                                      {"h264 (High)", "yuv420p", "1280x720 [SAR 1:1]"}, {"aac (LC)", "48000 Hz"});
        }
    }

    // Appends elements as the drop would, and waits until every probe has answered.
    bool addAndProbe(const QStringList& paths)
    {
        const int before = count();
        window.addFiles(paths);
        return QTest::qWaitFor([&] {
            return count() >= before + int(paths.size())
                && integer("(function(){ var n = 0; for (var i = 0; i < mediaList.mediaListModel.count; ++i)"
                           " if (mediaList.mediaListModel.get(i).loading) ++n; return n; })()") == 0;
        }, 30000);
    }

    MainWindow window;
};

// Answers every file dialog with chosen paths and remembers what was asked.
class FileDialogRecorder final {
public:
    explicit FileDialogRecorder(QStringList answer = {})
        : answer(std::move(answer))
    {
        FileDialogs::setAnswerer([this](const FileDialogs::Request& request) {
            requests.append(request);
            return this->answer;
        });
    }
    ~FileDialogRecorder() { FileDialogs::setAnswerer([](const FileDialogs::Request&) { return QStringList(); }); }
    Q_DISABLE_COPY_MOVE(FileDialogRecorder)

    QStringList answer;
    QList<FileDialogs::Request> requests;
};
