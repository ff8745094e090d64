// Times Halvorn's probe (report plus thumbnail) on one file against the bare FFmpeg commands that
// do the same work: an ffprobe of the file and a single-frame grab with the seek before the input.
// Prints the figures and their ratio; one run each, after one warm-up probe to fill the file cache.

#include "convert/ffmpegtext.h"
#include "convert/fileinfothread.h"
#include "platform/folders.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <cstdio>

namespace {

qint64 timeCommand(const QString& program, const QStringList& arguments)
{
    QElapsedTimer clock;
    clock.start();
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, arguments);
    process.waitForFinished(-1);
    return clock.elapsed();
}

qint64 timeProbe(FileInfoThread& probe, const QString& file, QStringList& info)
{
    QSignalSpy reply(&probe, &FileInfoThread::fileInfoReady);
    QElapsedTimer clock;
    clock.start();
    probe.enqueue(file);
    reply.wait(120000);
    const qint64 elapsed = clock.elapsed();
    info = reply.value(0).value(0).toStringList();
    return elapsed;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_probe MEDIA_FILE\n");
        return 2;
    }
    const QString file = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
    Folders::setIdentity();
    Folders::makeTempFolder();

    FileInfoThread probe;
    QStringList info;
    timeProbe(probe, file, info);
    const qint64 halvorn = timeProbe(probe, file, info);
    const QString seek = QString::number(FfmpegText::thumbnailSeekSeconds(info.value(3)));
    const QString picture = home.filePath("bare.png");

    const qint64 ffprobe = timeCommand("ffprobe", {"-hide_banner", file});
    QFile::remove(picture);
    const qint64 grab = timeCommand("ffmpeg", {"-hide_banner", "-loglevel", "error", "-ss", seek, "-i", file,
                                               "-frames:v", "1", "-s", "88x66", "-y", picture});
    QFile::remove(picture);
    const qint64 slowGrab = timeCommand("ffmpeg", {"-hide_banner", "-loglevel", "error", "-i", file, "-ss", seek,
                                                   "-frames:v", "1", "-s", "88x66", "-y", picture});

    std::printf("file            %s (duration %s, thumbnail at %s s: %s)\n", qPrintable(file),
                qPrintable(info.value(3)), qPrintable(seek), info.value(4).isEmpty() ? "missing" : "made");
    std::printf("halvorn probe   %6lld ms  (report and thumbnail)\n", halvorn);
    std::printf("bare ffprobe    %6lld ms\n", ffprobe);
    std::printf("bare grab       %6lld ms  (seek before the input)\n", grab);
    std::printf("seek after -i   %6lld ms  (the old thumbnail command's way of seeking)\n", slowGrab);
    std::printf("ratio           %6.2f    halvorn / (ffprobe + grab); target <= 1.5\n",
                double(halvorn) / double(std::max<qint64>(1, ffprobe + grab)));
    return 0;
}
