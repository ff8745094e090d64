#pragma once

// Qt 6.4's QQuickWidget shows screen readers nothing of the scene it draws: its QML items hang
// under an offscreen window of their own that no one reaches from the widget. This bridge makes
// that window the widget's one accessible child, and its accessible items the window's, so that
// the pages' `Accessible` properties reach AT-SPI, with the items' screen rectangles (the
// offscreen window is kept where the widget is, from which the items reckon theirs). The
// offscreen window no longer stands beside the real ones among the application's windows.
// Later Qt versions bridge by themselves; with one of those in use this file goes.
namespace QuickAccessible {

// Installs the bridge once the page widget exists: Qt Quick installs its own factory, which would
// answer for the scene's window, with its first window, and the factory installed last is asked
// first. Still before the event loop runs, where a screen reader's bridge first asks for the
// application.
void install();

} // namespace QuickAccessible
