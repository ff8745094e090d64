#pragma once

#include <QPalette>

class QWidget;

// How Halvorn's dialogs and message boxes present themselves: where they open and the colours
// they wear.
namespace DialogLook {

// Centres a dialog on the window it belongs to (its parent's window, or the nearest shown one
// above a hidden parent) and keeps it, frame and all, on that window's screen; without such a
// window, on the screen's middle. Called just before the dialog shows.
void centreOnWindow(QWidget& dialog);

// The main window's dark colours, for the dialogs, message boxes and menus that open over it.
[[nodiscard]] QPalette windowColours();

} // namespace DialogLook
