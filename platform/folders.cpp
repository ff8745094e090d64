#include "platform/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace Folders {

namespace {

QString withSeparator(const QString& folder)
{
    return QDir::toNativeSeparators(folder) + QDir::separator();
}

// What ships with the program: beside the executable in the build tree, otherwise in the installed
// share folder, as seen from the program's folder or from the helper tools' folder.
QString bundled(const QString& name)
{
    const QString appDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    const QString candidates[] = {
        appDir + name,
        appDir + QStringLiteral(HALVORN_BIN_TO_DATA "/") + name,
        appDir + QStringLiteral(HALVORN_HELPERS_TO_DATA "/") + name,
    };
    for (const QString& candidate : candidates) {
        if (QFileInfo::exists(candidate))
            return QDir::cleanPath(candidate);
    }
    return {};
}

} // namespace

void setIdentity()
{
    QCoreApplication::setApplicationName(QString::fromLatin1(applicationName));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(applicationVersion));
}

QString dataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QLatin1Char('/')
         + QCoreApplication::applicationName();
}

QString tempFolder()
{
    return dataFolder() + QStringLiteral("/temp");
}

QString tempFolderWithSeparator()
{
    return withSeparator(tempFolder());
}

void makeTempFolder()
{
    const QString temp = tempFolder();
    if (!QDir(temp).exists())
        QDir().mkpath(temp);
}

QString cataloguePath()
{
    return dataFolder() + QStringLiteral("/data.db");
}

QString runLogPath()
{
    return tempFolder() + QStringLiteral("/log.txt");
}

QString batchLogFolder()
{
    return dataFolder() + QStringLiteral("/logs");
}

QString musicFolderWithSeparator()
{
    return withSeparator(QStandardPaths::writableLocation(QStandardPaths::MusicLocation));
}

QString videoFolderWithSeparator()
{
    return withSeparator(QStandardPaths::writableLocation(QStandardPaths::MoviesLocation));
}

QString bundledCataloguePath()
{
    const QString path = bundled(QStringLiteral("data.db"));
    return QFileInfo(path).isFile() ? path : QString();
}

QString bundledTranslationsFolder()
{
    const QString path = bundled(QStringLiteral("translations"));
    return QFileInfo(path).isDir() ? path : QString();
}

QString makeRipFolder(const QString& parent, qint64 seconds)
{
    if (!QDir().mkpath(parent))
        return {};
    // mkdir claims a name atomically, so two rips of one second (even in two programs) never share
    // a folder, where one rip's files would replace the other's.
    for (qint64 number = seconds;; ++number) {
        const QString path = parent + QLatin1Char('/') + QString::number(number);
        if (QDir(parent).mkdir(QString::number(number)))
            return path;
        if (!QFileInfo::exists(path))
            return {};
    }
}

} // namespace Folders
