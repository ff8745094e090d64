#pragma once

#include <QString>

// What the desktop does for us: showing a file in the file manager and playing a disc.
namespace Desktop {

// Opens the file manager with the file selected (freedesktop FileManager1 over D-Bus); where no
// file manager answers that call, opens the file's folder instead. Does not wait.
void showInFileManager(const QString& path);

// Opens the root of a disc with the desktop's default handler for it.
void playDisc(const QString& root);

} // namespace Desktop
