#include "platform/logfile.h"

#include "platform/folders.h"

#include <QFile>

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
    appendLine(Folders::runLogPath(), text.trimmed());
}

} // namespace LogFile
