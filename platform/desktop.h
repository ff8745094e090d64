#pragma once

#include <QString>

// What the desktop does for us: showing a file in the file manager and playing a disc.
namespace Desktop {

// Opens the file manager with the file selected (freedesktop FileManager1 over D-Bus); where no
// file manager answers that call, opens the file's folder instead. Does not wait.
void showInFileManager(const QString& path);

// Opens the disc in a drive (a device path such as /dev/sr0) with the desktop's default handler:
// its mounted root when it is mounted, the device itself otherwise.
void playDisc(const QString& device);

// One desktop notification (freedesktop Notifications over the session bus). Does not wait; where
// no notification service answers, nothing happens.
void notify(const QString& summary, const QString& body);

} // namespace Desktop
