#include "widgets/dialoglook.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace DialogLook {

namespace {

const QWidget* shownWindowAbove(const QWidget& dialog)
{
    for (const QWidget* above = dialog.parentWidget(); above; above = above->window()->parentWidget()) {
        if (above->window()->isVisible())
            return above->window();
    }
    return nullptr;
}

// The window manager frames a window only once it is shown: before a dialog's first showing its
// frame is not known, and is reckoned to be a title bar's usual height above and a frame's width
// around. Placing the dialog without it would put the title bar above the top of the screen.
QMargins frameOf(const QWidget& dialog)
{
    if (const QWindow* handle = dialog.windowHandle(); handle && !handle->frameMargins().isNull())
        return handle->frameMargins();
    const int border = dialog.style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &dialog);
    return {border, border + dialog.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &dialog), border, border};
}

} // namespace

void centreOnWindow(QWidget& dialog)
{
    const QWidget* window = shownWindowAbove(dialog);
    QScreen* screen = window ? window->screen() : dialog.screen();
    if (!dialog.testAttribute(Qt::WA_Resized))
        dialog.adjustSize();
    const QMargins frame = frameOf(dialog);
    const QRect area = screen->availableGeometry();
    QRect outer = QRect(QPoint(), dialog.size()).marginsAdded(frame);
    outer.moveCenter(window ? window->frameGeometry().center() : area.center());
    // A dialog larger than the screen keeps its top left corner on it.
    outer.moveLeft(std::max(area.left(), std::min(outer.left(), area.right() + 1 - outer.width())));
    outer.moveTop(std::max(area.top(), std::min(outer.top(), area.bottom() + 1 - outer.height())));
    dialog.setGeometry(outer.marginsRemoved(frame));
    if (QWindow* handle = dialog.windowHandle())
        handle->setScreen(screen);
}

QPalette windowColours()
{
    const QColor window(0x55, 0x55, 0x55);
    const QColor button(0x68, 0x66, 0x63);
    const QColor text(0xfd, 0xfd, 0xfd);
    QPalette palette(button, window);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::WindowText, text);
        palette.setColor(group, QPalette::ButtonText, text);
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::Base, QColor(0x3c, 0x3b, 0x3a));
        palette.setColor(group, QPalette::AlternateBase, QColor(0x4a, 0x49, 0x48));
        palette.setColor(group, QPalette::Highlight, QColor(0xf0, 0xa0, 0x30));
        palette.setColor(group, QPalette::HighlightedText, QColor(0x22, 0x22, 0x22));
        palette.setColor(group, QPalette::PlaceholderText, QColor(0xb4, 0xb2, 0xae));
    }
    const QColor muted(0x9a, 0x98, 0x94);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(QPalette::Disabled, role, muted);
    palette.setColor(QPalette::Disabled, QPalette::Base, window);
    return palette;
}

} // namespace DialogLook
