#include "burn/imagefile.h"

#include "platform/fileops.h"

#include <QFileInfo>

#include <cerrno>

namespace {

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
}

bool ImageFile::create()
{
    const QFileInfo image(finalPath);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString path = workingName(image, attempt);
        if (FileOps::entryExists(path))
            continue;
        working.setFileName(path);
        if (working.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            registration.emplace(path);
            return true;
        }
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
