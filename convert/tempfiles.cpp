#include "convert/tempfiles.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

namespace TempFiles {

namespace {

// The path with its parent folders resolved and its own last part kept as it is, so that a link
// is judged by where it lies, not by where it points.
QString locationOf(const QFileInfo& info)
{
    const QString parent = QFileInfo(info.absolutePath()).canonicalFilePath();
    return parent.isEmpty() ? QString() : parent + QLatin1Char('/') + info.fileName();
}

bool removeFileRetrying(const QString& path)
{
    const QDeadlineTimer deadline(1000);
    while (!QFile::remove(path)) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    return true;
}

bool removeChecked(const QString& root, const QString& path)
{
    const QFileInfo info(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    if (!info.exists() && !info.isSymLink())
        return false;
    const QString location = locationOf(info);
    if (location.isEmpty() || !location.startsWith(root + QLatin1Char('/')))
        return false;
    if (info.isSymLink())
        return QFile::remove(location);
    if (info.isDir()) {
        const QStringList entries = QDir(location).entryList(
            QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
        for (const QString& entry : entries)
            (void)removeChecked(root, location + QLatin1Char('/') + entry);
        return QDir().rmdir(location);
    }
    return removeFileRetrying(location);
}

} // namespace

bool removeInside(const QString& folder, const QString& path)
{
    const QString root = QFileInfo(folder).canonicalFilePath();
    if (root.isEmpty() || path.isEmpty())
        return false;
    return removeChecked(root, path);
}

} // namespace TempFiles
