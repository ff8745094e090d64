#pragma once

#include <QDateTime>
#include <QString>

// When a file was made, as the file system keeps it.
namespace FileTime {

// The creation (birth) time in UTC; the last modification where the file system keeps no birth
// time. Invalid when the file cannot be read.
[[nodiscard]] QDateTime created(const QString& path);

} // namespace FileTime
