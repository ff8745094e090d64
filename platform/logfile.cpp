#include "platform/logfile.h"

#include "platform/folders.h"

#include <QFile>
#include <QMutex>
#include <QRegularExpression>

namespace LogFile {

namespace {

QString ownRunLog; // set before any run starts, read only afterwards

// Threads of one process append to one file; each piece stays whole.
QMutex appending;

} // namespace

void appendLine(const QString& path, const QString& text)
{
    const QMutexLocker locker(&appending);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return;
    file.write(text.toUtf8());
    file.write("\n");
}

void appendRunLog(const QString& text)
{
    if (!ownRunLog.isEmpty()) {
        appendLine(ownRunLog, text.trimmed());
        return;
    }
    Folders::makeTempFolder();
    appendLine(Folders::runLogPath(), text.trimmed());
}

void useOwnRunLog(const QString& path)
{
    ownRunLog = path;
}

RunLog::RunLog(qsizetype limit)
    : limit(limit)
    , whole(!ownRunLog.isEmpty())
{
}

void RunLog::write(const QString& text)
{
    if (whole)
        held.append(text.trimmed());
    else
        appendRunLog(text);
}

void RunLog::append(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (!full && written + trimmed.size() <= limit) {
        written += trimmed.size();
        write(trimmed);
        return;
    }
    if (!full) {
        full = true;
        write(QStringLiteral("[The log of this run stops here, at its size limit. Its last lines follow "
                                    "when it ends.]"));
    }
    static const QRegularExpression lineEnd(QStringLiteral("[\\r\\n]+"));
    for (const QString& line : trimmed.split(lineEnd, Qt::SkipEmptyParts))
        lastLines.append(line);
    if (lastLines.size() > keptLines)
        lastLines.remove(0, lastLines.size() - keptLines);
}

void RunLog::finish()
{
    if (!lastLines.isEmpty())
        write(QStringLiteral("[The run's last lines:]\n") + lastLines.join(QLatin1Char('\n')));
    lastLines.clear();
    if (!held.isEmpty())
        appendRunLog(held.join(QLatin1Char('\n')));
    held.clear();
}

} // namespace LogFile
