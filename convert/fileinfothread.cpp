#include "convert/fileinfothread.h"

#include "convert/ffmpegtext.h"
#include "platform/folders.h"
#include "platform/tools.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLoggingCategory>
#include <QProcess>

Q_LOGGING_CATEGORY(lcProbe, "halvorn.probe")

namespace {

constexpr int toolTimeoutMs = 30000;

bool isThumbnail(const QString& path)
{
    const QSize size = QImageReader(path).size();
    return size == QSize(FileInfoThread::thumbnailWidth, FileInfoThread::thumbnailHeight);
}

// Writes one thumbnail frame. Seeking before the input jumps to the nearest key frame instead of
// decoding everything up to the seek position. FFmpeg's exit code says little here; the picture
// itself tells whether it worked.
bool grabFrame(const QString& ffmpeg, const QString& input, int seekSeconds, const QString& picture)
{
    QProcess grab;
    Tools::prepare(grab);
    grab.start(ffmpeg, {QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"), QStringLiteral("error"),
                        QStringLiteral("-ss"), QString::number(seekSeconds), QStringLiteral("-i"), input,
                        QStringLiteral("-frames:v"), QStringLiteral("1"), QStringLiteral("-s"),
                        QStringLiteral("%1x%2").arg(FileInfoThread::thumbnailWidth).arg(FileInfoThread::thumbnailHeight),
                        QStringLiteral("-f"), QStringLiteral("image2"), QStringLiteral("-n"), picture});
    if (grab.waitForStarted())
        Tools::waitOrKill(grab, toolTimeoutMs);
    if (isThumbnail(picture))
        return true;
    QFile::remove(picture);
    return false;
}

} // namespace

FileInfoThread::FileInfoThread(QObject* parent)
    : QThread(parent)
{
}

FileInfoThread::~FileInfoThread()
{
    requestInterruption();
    wait();
}

void FileInfoThread::enqueue(const QString& path)
{
    QMutexLocker locker(&lock);
    queue.append(path);
    if (busy)
        return;
    busy = true;
    // The worker may still be returning from a run that found the queue empty; start() would be
    // ignored until it has.
    wait();
    start(QThread::InheritPriority);
}

void FileInfoThread::keep(const QString& path)
{
    QMutexLocker locker(&lock);
    queue.append(path);
}

bool FileInfoThread::takeNext(QString& path)
{
    QMutexLocker locker(&lock);
    if (queue.isEmpty() || isInterruptionRequested()) {
        busy = false;
        return false;
    }
    path = queue.first();
    return true;
}

QString FileInfoThread::thumbnailPath(const QString& folder, qint64 t)
{
    const QString digits = QString::number(t);
    QString name = folder + digits;
    while (QFile::exists(name + QStringLiteral(".png")))
        name += digits;
    return name + QStringLiteral(".png");
}

void FileInfoThread::run()
{
    const QString ffmpeg = Tools::find(QStringLiteral("ffmpeg"));
    QString path;
    while (takeNext(path)) {
        probe(ffmpeg, path);
        QMutexLocker locker(&lock);
        queue.removeFirst();
    }
}

QString FileInfoThread::report(const QString& ffmpeg, const QString& path)
{
    QProcess process;
    Tools::prepare(process);
    process.start(ffmpeg, {QStringLiteral("-hide_banner"), QStringLiteral("-i"), path});
    if (!process.waitForStarted()) {
        qCWarning(lcProbe) << "cannot start" << ffmpeg << process.errorString();
        return {};
    }
    Tools::waitOrKill(process, toolTimeoutMs);
    return Tools::outputText(process.readAllStandardError());
}

void FileInfoThread::probe(const QString& ffmpeg, const QString& path)
{
    const QString input = path.trimmed();
    const QString report = FileInfoThread::report(ffmpeg, input);

    const FfmpegText::PathParts parts = FfmpegText::splitPath(path);
    const QString duration = FfmpegText::reportDuration(report, input);
    const QStringList video = FfmpegText::streamFields(report, input, QStringLiteral("Video:"));
    const QStringList audio = FfmpegText::streamFields(report, input, QStringLiteral("Audio:"));

    QString thumbnail;
    if (makeThumbnails && !video.isEmpty() && !isInterruptionRequested()) {
        Folders::makeTempFolder();
        const QString candidate = thumbnailPath(Folders::tempFolderWithSeparator(),
                                                QDateTime::currentSecsSinceEpoch());
        // A clip shorter than the seek position has no frame there; its first frame will do.
        const int seek = FfmpegText::thumbnailSeekSeconds(duration);
        if (grabFrame(ffmpeg, input, seek, candidate) || grabFrame(ffmpeg, input, 0, candidate))
            thumbnail = QDir::toNativeSeparators(candidate);
    }

    emit fileInfoReady({parts.fileName, parts.folder, parts.baseName, duration, thumbnail}, video, audio);
}
