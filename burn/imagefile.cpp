#include "burn/imagefile.h"

#include "platform/fileops.h"
#include "platform/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>

#include <cerrno>
#include <csignal>
#include <unistd.h>

Q_DECLARE_LOGGING_CATEGORY(lcBurn)

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("ImageFile", text);
}

QString journalPath()
{
    return Folders::dataFolder() + QStringLiteral("/images being written");
}

// The journal's lines: the writing process, a tab, the working file.
QStringList journalLines()
{
    QFile journal(journalPath());
    if (!journal.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(journal.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void writeJournal(const QStringList& lines)
{
    if (lines.isEmpty()) {
        QFile::remove(journalPath());
        return;
    }
    QDir().mkpath(Folders::dataFolder());
    QSaveFile journal(journalPath());
    if (!journal.open(QIODevice::WriteOnly) || journal.write(lines.join(QLatin1Char('\n')).toUtf8() + '\n') < 0
        || !journal.commit())
        qCWarning(lcBurn).noquote() << "cannot write" << journalPath() << journal.errorString();
}

QString journalLine(const QString& path)
{
    return QString::number(::getpid()) + QLatin1Char('\t') + path;
}

bool processLives(qint64 pid)
{
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

// ".name (writing).ext", or with a number when that is taken: hidden, and plainly no image.
QString workingName(const QFileInfo& image, int attempt)
{
    const QString number = attempt > 0 ? QStringLiteral(" %1").arg(attempt + 1) : QString();
    return image.absolutePath() + QStringLiteral("/.") + image.completeBaseName() + QStringLiteral(" (writing")
        + number + QStringLiteral(").") + image.suffix();
}

} // namespace

ImageFile::ImageFile(QString finalPath)
    : finalPath(std::move(finalPath))
{
}

ImageFile::~ImageFile()
{
    if (working.fileName().isEmpty())
        return;
    working.close();
    if (!completed)
        working.remove();
    QStringList lines = journalLines();
    lines.removeAll(journalLine(working.fileName()));
    writeJournal(lines);
}

bool ImageFile::create()
{
    const QFileInfo image(finalPath);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString path = workingName(image, attempt);
        if (FileOps::entryExists(path))
            continue;
        // Listed before it exists, so that no working file is ever unlisted.
        writeJournal(journalLines() << journalLine(path));
        working.setFileName(path);
        if (working.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return true;
        problem = tr("The disc image %1 could not be made: %2").arg(finalPath, working.errorString());
        if (!FileOps::entryExists(path))
            break;
    }
    if (problem.isEmpty())
        problem = tr("The disc image %1 could not be made: no working name is free beside it.").arg(finalPath);
    return false;
}

bool ImageFile::complete()
{
    working.close();
    if (FileOps::renameIfFree(working.fileName(), finalPath)) {
        completed = true;
        return true;
    }
    problem = errno == EEXIST ? tr("The file %1 already exists; it was left as it is.").arg(finalPath)
                              : tr("The disc image %1 could not be given its name.").arg(finalPath);
    return false;
}

void ImageFile::removeLeftovers()
{
    QStringList kept;
    for (const QString& line : journalLines()) {
        const qint64 pid = line.section(QLatin1Char('\t'), 0, 0).toLongLong();
        const QString path = line.section(QLatin1Char('\t'), 1);
        if (processLives(pid)) {
            kept.append(line);
            continue;
        }
        // Only what is plainly a working file of ours: the journal is a file anyone could edit.
        if (QFileInfo(path).fileName().contains(QLatin1String(" (writing")) && QFile::remove(path))
            qCInfo(lcBurn).noquote() << "removed the unfinished disc image" << path;
    }
    writeJournal(kept);
}
