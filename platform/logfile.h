#pragma once

#include <QString>

// The plain-text logs: one bare line per call, the file opened, appended to and closed each time,
// so nothing stays open between lines and a crash loses at most the line being written.
namespace LogFile {

// Appends text and a line end, unchanged. A log that cannot be opened drops the line.
void appendLine(const QString& path, const QString& text);

// The workers' run log: the text trimmed of white space at both ends.
void appendRunLog(const QString& text);

} // namespace LogFile
