// Times the extraction of a 10-minute track from a CUE/BIN image against a plain sequential read
// of the same bytes, and against a plain copy of them (read and written in the same blocks, the
// least any extraction to a file must do). The image is read once first to fill the file cache;
// then the three take turns five times, each written file removed at once, and the best of each
// counts, so that write-back of one does not land on another.

#include "cdrip/caudiocd.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <limits>

namespace {

constexpr int trackSectors = 10 * 60 * 75;
constexpr qint64 blockBytes = CAudioCD::blockSectors * CdAudio::sectorBytes;

// Reads the file block by block, writing each block to out when it is open; the elapsed time.
qint64 timeSequential(const QString& path, QFile* out)
{
    QElapsedTimer clock;
    clock.start();
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return -1;
    QByteArray block(blockBytes, Qt::Uninitialized);
    for (qint64 got; (got = in.read(block.data(), blockBytes)) > 0;)
        if (out)
            out->write(block.constData(), got);
    if (out)
        out->close();
    return clock.elapsed();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    QTemporaryDir dir(folder.isEmpty() ? QDir::tempPath() + "/bench_cdrip-XXXXXX" : folder + "/bench_cdrip-XXXXXX");
    const QString bin = dir.filePath("ten-minutes.bin");
    {
        QFile image(bin);
        QFile cue(dir.filePath("ten-minutes.cue"));
        if (!image.open(QIODevice::WriteOnly) || !cue.open(QIODevice::WriteOnly))
            return 1;
        QByteArray block(blockBytes, Qt::Uninitialized);
        for (qint64 i = 0; i < blockBytes; ++i)
            block[i] = char(i * 7);
        for (int b = 0; b < trackSectors / CAudioCD::blockSectors; ++b)
            image.write(block);
        cue.write("FILE \"ten-minutes.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
    }
    timeSequential(bin, nullptr);

    qint64 read = std::numeric_limits<qint64>::max();
    qint64 copied = read;
    qint64 extracted = read;
    bool ok = true;
    for (int round = 0; round < 5; ++round) {
        read = std::min(read, timeSequential(bin, nullptr));
        QFile copy(dir.filePath("copy.raw"));
        copy.open(QIODevice::WriteOnly);
        copied = std::min(copied, timeSequential(bin, &copy));
        copy.remove();

        CAudioCD cd(dir.filePath("ten-minutes.cue"));
        QElapsedTimer clock;
        clock.start();
        ok = cd.ExtractTrack(0, dir.filePath("Track 1.wav")) && ok;
        extracted = std::min(extracted, clock.elapsed());
        QFile::remove(dir.filePath("Track 1.wav"));
    }

    const double megabytes = double(trackSectors) * CdAudio::sectorBytes / 1e6;
    const auto rate = [megabytes](qint64 ms) { return megabytes / (double(std::max<qint64>(ms, 1)) / 1000); };
    std::printf("track            10:00, %d sectors, %.1f MB, in %s\n", trackSectors, megabytes, qPrintable(dir.path()));
    std::printf("plain read       %6lld ms  %7.0f MB/s\n", read, rate(read));
    std::printf("plain copy       %6lld ms  %7.0f MB/s\n", copied, rate(copied));
    std::printf("extraction       %6lld ms  %7.0f MB/s  %s\n", extracted, rate(extracted), ok ? "" : "(FAILED)");
    std::printf("ratio vs read    %6.2f    extraction speed / plain read speed\n", rate(extracted) / rate(read));
    std::printf("ratio vs copy    %6.2f    extraction speed / plain copy speed; target >= 0.9\n",
                rate(extracted) / rate(copied));
    return ok ? 0 : 1;
}
