#include "platform/workingfiles.h"

#include "platform/fileops.h"
#include "platform/folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcWorkingFiles, "halvorn.workingfiles")

namespace WorkingFiles {

namespace {

// In the data folder, not the temporary one: closing the window empties that while a batch run
// may still be converting.
QString journalFolder()
{
    return Folders::dataFolder() + QStringLiteral("/working");
}

// The file's identity, then its path: a file made later under the same name is someone else's.
QByteArray entryFor(const QString& workingFile)
{
    return FileOps::identity(workingFile) + '\n' + QFile::encodeName(workingFile);
}

} // namespace

Registration::Registration(const QString& workingFile)
{
    if (workingFile.isEmpty())
        return;
    entry.emplace(journalFolder(), entryFor(workingFile));
    if (!entry->isHeld())
        qCWarning(lcWorkingFiles) << "cannot journal" << workingFile << "- a kill now would leave it behind";
}

void removeAbandoned()
{
    for (const QByteArray& content : OwnerLock::takeAbandoned(journalFolder())) {
        const QString path = QFile::decodeName(content.mid(content.indexOf('\n') + 1));
        // Only a working file the journal names, and only while it is still that very file.
        const QString name = QFileInfo(path).fileName();
        const bool isWorkingFile = name.startsWith(QLatin1Char('.'))
            && (name.contains(QLatin1String(" (converting")) || name.contains(QLatin1String(" (writing")));
        if (isWorkingFile && !path.isEmpty() && entryFor(path) == content) {
            qCInfo(lcWorkingFiles) << "removing the working file of a run that was killed:" << path;
            if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink())
                QDir(path).removeRecursively();
            else
                QFile::remove(path);
        }
    }
}

} // namespace WorkingFiles
