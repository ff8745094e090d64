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

#include <memory>
#include <vector>

Q_LOGGING_CATEGORY(lcProbe, "halvorn.probe")

namespace {

constexpr int toolTimeoutMs = 30000;

bool isThumbnail(const QString& path)
{
    const QSize size = QImageReader(path).size();
    return size == QSize(FileInfoThread::thumbnailWidth, FileInfoThread::thumbnailHeight);
}

// Writes one thumbnail frame over the claimed picture file. Seeking before the input jumps to the
// nearest key frame instead of decoding everything up to the seek position. FFmpeg's exit code says
// little here; the picture itself tells whether it worked.
bool grabFrame(const QString& ffmpeg, const QString& input, int seekSeconds, const QString& picture)
{
    QProcess grab;
    Tools::prepare(grab);
    grab.start(ffmpeg, {QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"), QStringLiteral("error"),
                        QStringLiteral("-ss"), QString::number(seekSeconds), QStringLiteral("-i"), input,
                        QStringLiteral("-frames:v"), QStringLiteral("1"), QStringLiteral("-s"),
                        QStringLiteral("%1x%2").arg(FileInfoThread::thumbnailWidth).arg(FileInfoThread::thumbnailHeight),
                        QStringLiteral("-f"), QStringLiteral("image2"), QStringLiteral("-y"), picture});
    if (grab.waitForStarted())
        Tools::waitOrKill(grab, toolTimeoutMs);
    return isThumbnail(picture);
}

// FFmpeg's report on a file: what it prints when given the file as its only input; empty when
// FFmpeg cannot be started.
QString readReport(const QString& ffmpeg, const QString& path)
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

int FileInfoThread::probesAtOnce()
{
    return std::max(2, QThread::idealThreadCount());
}

void FileInfoThread::enqueue(const QString& path)
{
    QMutexLocker locker(&lock);
    queue.append(path);
    changed.wakeAll();
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

QString FileInfoThread::claimThumbnailPath(const QString& folder, qint64 t)
{
    const QString digits = QString::number(t);
    for (QString name = folder + digits;; name += digits) {
        QFile claim(name + QStringLiteral(".png"));
        if (claim.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return claim.fileName();
        if (!claim.exists())
            return {};
    }
}

void FileInfoThread::run()
{
    const QString ffmpeg = Tools::find(QStringLiteral("ffmpeg"));
    for (;;) {
        std::vector<std::unique_ptr<QThread>> lanes;
        for (int i = 1; i < probesAtOnce(); ++i) {
            lanes.emplace_back(QThread::create([this, &ffmpeg] { probeQueued(ffmpeg); }));
            lanes.back()->start(QThread::InheritPriority);
        }
        probeQueued(ffmpeg);
        for (const auto& lane : lanes) {
            // Ends the FFmpeg a lane waits for.
            if (isInterruptionRequested())
                lane->requestInterruption();
            lane->wait();
        }
        QMutexLocker locker(&lock);
        // A path queued just as the lanes ended gets a new round.
        if (queue.isEmpty() || isInterruptionRequested()) {
            claimed = 0;
            ready.clear();
            busy = false;
            return;
        }
    }
}

void FileInfoThread::probeQueued(const QString& ffmpeg)
{
    QMutexLocker locker(&lock);
    while (!queue.isEmpty() && !isInterruptionRequested()) {
        if (claimed == queue.size()) {
            // The rest is being probed: wait for a new path, or for the others to end.
            changed.wait(&lock, 100);
            continue;
        }
        const quint64 number = answered + quint64(claimed);
        const QString path = queue.at(claimed++);
        locker.unlock();
        Reply reply = probe(ffmpeg, path);
        locker.relock();
        ready.insert(number, std::move(reply));
        if (sending)
            continue;
        // Replies leave in queue order, whichever lane finished first, and one lane sends at a time.
        sending = true;
        while (ready.contains(answered)) {
            const Reply next = ready.take(answered);
            locker.unlock();
            emit fileInfoReady(next.fileInfo, next.video, next.audio);
            locker.relock();
            queue.removeFirst();
            --claimed;
            ++answered;
        }
        sending = false;
        changed.wakeAll();
    }
}

FileInfoThread::Reply FileInfoThread::probe(const QString& ffmpeg, const QString& path)
{
    const QString input = path.trimmed();
    const QString report = readReport(ffmpeg, input);

    const FfmpegText::PathParts parts = FfmpegText::splitPath(path);
    const QString duration = FfmpegText::reportDuration(report, input);
    const QStringList video = FfmpegText::streamFields(report, input, QStringLiteral("Video:"));
    const QStringList audio = FfmpegText::streamFields(report, input, QStringLiteral("Audio:"));

    QString thumbnail;
    if (!video.isEmpty() && !isInterruptionRequested()) {
        Folders::makeTempFolder();
        const QString candidate = claimThumbnailPath(Folders::tempFolderWithSeparator(),
                                                     QDateTime::currentSecsSinceEpoch());
        // A clip shorter than the seek position has no frame there; its first frame will do.
        const int seek = FfmpegText::thumbnailSeekSeconds(duration);
        if (!candidate.isEmpty() && (grabFrame(ffmpeg, input, seek, candidate) || grabFrame(ffmpeg, input, 0, candidate)))
            thumbnail = QDir::toNativeSeparators(candidate);
        else if (!candidate.isEmpty())
            QFile::remove(candidate);
    }

    return {{parts.fileName, parts.folder, parts.baseName, duration, thumbnail}, video, audio};
}
