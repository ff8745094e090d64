#pragma once

#include <QString>
#include <QStringList>

// The plain-text logs: one bare line per call, the file opened, appended to and closed each time,
// so nothing stays open between lines and a crash loses at most the line being written.
namespace LogFile {

// Appends text and a line end, unchanged. A log that cannot be opened drops the line.
void appendLine(const QString& path, const QString& text);

// The workers' run log: the text trimmed of white space at both ends. The temporary folder that
// holds it is made again when it has gone.
void appendRunLog(const QString& text);

// Sends this process's run log to a file of its own instead of the shared one in the temporary
// folder, and has each run write its lines in one piece when it ends, so that runs at the same time
// (the batch mode's jobs) never interleave. Called before any run starts.
void useOwnRunLog(const QString& path);

// What one run (a conversion, a burn) writes of its tool's output to the run log. A damaged source
// can make FFmpeg print hundreds of kilobytes a minute, so a run writes at most `limit` bytes, then
// says that it stops there, and when it ends adds its last lines, which tell how it ended.
class RunLog final {
public:
    static constexpr qsizetype defaultLimit = 1024 * 1024;
    static constexpr qsizetype keptLines = 40;

    explicit RunLog(qsizetype limit = defaultLimit);
    Q_DISABLE_COPY_MOVE(RunLog)

    void append(const QString& text);
    // Writes the last lines held back since the limit was reached, and with an own run log the
    // whole run.
    void finish();

private:
    void write(const QString& text);

    qsizetype limit;
    const bool whole;
    QStringList held; // with an own run log: everything so far
    qsizetype written = 0;
    bool full = false;
    QStringList lastLines;
};

} // namespace LogFile
