#include "platform/logfile.h"

#include "platform/folders.h"

#include <QFile>
#include <QRegularExpression>

namespace LogFile {

void appendLine(const QString& path, const QString& text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return;
    file.write(text.toUtf8());
    file.write("\n");
}

void appendRunLog(const QString& text)
{
    Folders::makeTempFolder();
    appendLine(Folders::runLogPath(), text.trimmed());
}

RunLog::RunLog(qsizetype limit)
    : limit(limit)
{
}

void RunLog::append(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (!full && written + trimmed.size() <= limit) {
        written += trimmed.size();
        appendRunLog(trimmed);
        return;
    }
    if (!full) {
        full = true;
        appendRunLog(QStringLiteral("[The log of this run stops here, at its size limit. Its last lines follow "
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
        appendRunLog(QStringLiteral("[The run's last lines:]\n") + lastLines.join(QLatin1Char('\n')));
    lastLines.clear();
}

} // namespace LogFile
