#include "app/startup.h"

#include "platform/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace Startup {

void setIdentity()
{
    QCoreApplication::setApplicationName(QString::fromLatin1(applicationName));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(applicationVersion));
}

void makeTempFolder()
{
    const QString temp = Folders::tempFolder();
    if (!QDir(temp).exists())
        QDir().mkpath(temp);
}

bool installCatalogue(const QString& bundledCatalogue)
{
    const QString catalogue = Folders::cataloguePath();
    if (QFile::exists(catalogue))
        return true;
    if (bundledCatalogue.isEmpty())
        return false;
    // Copy under a temporary name first: a half-written catalogue must never pass for the real one.
    const QString partial = catalogue + QStringLiteral(".part");
    QFile::remove(partial);
    if (!QFile::copy(bundledCatalogue, partial))
        return false;
    QFile(partial).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                  | QFile::ReadOther);
    return QFile::rename(partial, catalogue);
}

bool prepareFolders()
{
    makeTempFolder();
    return installCatalogue(Folders::bundledCataloguePath());
}

} // namespace Startup
