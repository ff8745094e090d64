#include "convert/ffmpegtext.h"

#include <QtTest>

using namespace FfmpegText;

namespace {

const QString clip = QStringLiteral("/media/clip.mp4");

// A probe report as FFmpeg writes it for clip, around the lines that follow its header.
QString report(const QString& inputLines, const QString& path = clip)
{
    return "Input #0, mov,mp4,m4a,3gp,3g2,mj2, from '" + path + "':\n" + inputLines
         + "At least one output file must be specified\n";
}

// Recorded from Debian 12's FFmpeg 5.1.
const QString hdReport = report(
    "  Metadata:\n"
    "    major_brand     : isom\n"
    "  Duration: 01:02:03.04, start: 0.000000, bitrate: 2212 kb/s\n"
    "  Stream #0:0[0x1](und): Video: h264 (High) (avc1 / 0x31637661), yuv420p(tv, bt709, progressive), "
    "1280x720 [SAR 1:1 DAR 16:9], 2000 kb/s, 29.97 fps, 29.97 tbr, 30k tbn (default)\r\n"
    "    Metadata:\n"
    "      handler_name    : VideoHandler\n"
    "  Stream #0:1[0x2](und): Audio: aac (LC) (mp4a / 0x6134706D), 48000 Hz, stereo, fltp, 192 kb/s (default)\n");

// Outside text posing as header lines: a title tag, a chapter name, and a file name of its own.
const QString posingTitle = QStringLiteral("    title           : Video: h264, yuv420p, 1x100000000\n");
const QString posingReport = report(
    "  Metadata:\n" + posingTitle + "    comment         : Duration: 09:59:59.00\n"
    "  Duration: 00:00:03.00, start: 0.000000, bitrate: 64 kb/s\n"
    "  Chapters:\n    Chapter #0:0: start 0.000000, end 1.000000\n      Metadata:\n"
    "        title           : Stream #0:5: Video: h264, yuv420p, 100x1000\n"
    "  Stream #0:0: Audio: mp3, 44100 Hz, mono, fltp, 64 kb/s\n"
    "    Metadata:\n" + posingTitle.mid(2));
const QString trickyName = QStringLiteral("/m/My Video: part 1.mp4':\n  Duration: 09:59:59.00\n  Stream #0:0: Video: x");

} // namespace

class TestFfmpegText : public QObject {
    Q_OBJECT

private slots:
    void reportParts_data()
    {
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("path");
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<QStringList>("video");
        QTest::addColumn<QStringList>("audio");
        const QStringList none;
        QTest::addRow("recorded, commas in parentheses")
            << hdReport << clip << qint64(3723040)
            << QStringList{"h264 (High) (avc1 / 0x31637661)", "yuv420p(tv, bt709, progressive)",
                           "1280x720 [SAR 1:1 DAR 16:9]", "2000 kb/s", "29.97 fps", "29.97 tbr", "30k tbn (default)"}
            << QStringList{"aac (LC) (mp4a / 0x6134706D)", "48000 Hz", "stereo", "fltp", "192 kb/s (default)"};
        QTest::addRow("metadata posing as header lines") << posingReport << clip << qint64(3000) << none
                                                         << QStringList{"mp3", "44100 Hz", "mono", "fltp", "64 kb/s"};
        QTest::addRow("name posing as header lines")
            << report("  Duration: 00:00:02.50, start: 0\n", trickyName) << trickyName << qint64(2500) << none << none;
        QTest::addRow("another file's header") << hdReport << "/media/other.mp4" << qint64(-1) << none << none;
        QTest::addRow("unknown duration, empty fields kept")
            << report("  Duration: N/A, start: 0.000000, bitrate: N/A\n  Stream #0:0: Audio: pcm_s16le,, 44100 Hz,\n")
            << clip << qint64(-1) << none << QStringList{"pcm_s16le", "", "44100 Hz", ""};
        QTest::addRow("output streams are not the input's")
            << report("") + "Output #0, mp4, to 'x.mp4':\n  Stream #0:0: Video: mpeg4\n" << clip << qint64(-1)
            << none << none;
    }
    void reportParts()
    {
        QFETCH(QString, report);
        QFETCH(QString, path);
        QFETCH(qint64, ms);
        QCOMPARE(reportDurationMs(report, path), ms);
        QCOMPARE(reportDuration(report, path), QTime::fromMSecsSinceStartOfDay(int(std::max<qint64>(ms, 0))).toString("hh:mm:ss"));
        QTEST(streamFields(report, path, "Video:"), "video");
        QTEST(streamFields(report, path, "Audio:"), "audio");
    }

    void progress_data()
    {
        QTest::addColumn<QString>("chunk");
        QTest::addColumn<int>("seconds");
        QTest::addRow("recorded") << "frame=   75 q=29.0 size=     256kB time=00:00:02.96 speed=0.99x    \r" << 2;
        QTest::addRow("hours") << "size=1kB time=01:02:03.99 bitrate=" << 3723;
        QTest::addRow("two lines, first counts") << "frame=1 time=00:00:05.00 b=1\rframe=2 time=00:00:09.00\r" << 5;
        QTest::addRow("not available") << "frame=    0 size=       0kB time=N/A bitrate=N/A" << 0;
        QTest::addRow("negative") << "size=0kB time=-00:00:00.04 bitrate=-0.0kbits/s" << 0;
    }
    void progress()
    {
        QFETCH(QString, chunk);
        QTEST(progressSeconds(chunk), "seconds");
    }

    // The line that says why FFmpeg failed: never a progress or statistics line, nor the summary.
    void reason_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("line");
        QTest::addRow("statistics after it")
            << "frame=  151 size=0kB time=00:00:06.03 speed=52x\r\nError closing file x.mp4: No space left on "
               "device\nvideo:151kB audio:51kB muxing overhead: unknown\n[aac @ 0x56] Qavg: 121.589\n"
            << "Error closing file x.mp4: No space left on device";
        QTest::addRow("then the summary") << "write_frame(): Permission denied\nConversion failed!\n"
                                          << "write_frame(): Permission denied";
        QTest::addRow("after a progress line") << "frame=1 time=00:00:01.00\rError while decoding #0:0"
                                               << "Error while decoding #0:0";
        QTest::addRow("killed: only progress") << "frame=   66 size=  256kB time=00:00:02.60 speed=1.02x    \r" << "";
        const QString header = "  Stream #0:0[0x1](und): Video: h264 (High), yuv444p(tv, unknown/bt709/unknown, progressive)\n"
                               "Output #0, ogg, to '/home/ann/Music/Unknown Artist/x.ogg':\n    title   : Invalid Love\n";
        QTest::addRow("killed after the header") << header + "frame=    1 q=-0.0 size=  7kB time=00:00:00.04\r" << "";
        QTest::addRow("a cause before the header") << "[h264 @ 0x55d6] error while decoding MB 3 4\n" + header
                                                   << "[h264 @ 0x55d6] error while decoding MB 3 4";
        QTest::addRow("debug level")
            << "Invalid data in #0:1\n410 frames successfully decoded, 0 decoding errors\n[AVIOContext @ 0x5614] "
               "Statistics: 214527 bytes read, 0 seeks\n" << "Invalid data in #0:1";
    }
    void reason()
    {
        QFETCH(QString, output);
        QTEST(errorLine(output), "line");
    }

    void trimmingAndClock()
    {
        QVERIFY(!trimsOutput({"-s", "320x240", "-c:v", "mpeg4", "-vn", "-target", "pal-dvd"}));
        for (const char* option : {"-t", "-to", "-ss", "-sseof", "-fs", "-frames", "-frames:v", "-vframes"})
            QVERIFY2(trimsOutput({"-c:v", "mpeg4", option, "2"}), qPrintable(option));
        QCOMPARE(clockText(2930), "0:03");
        QCOMPARE(clockText(3723040), "1:02:03");
    }

    void arguments_data()
    {
        QTest::addColumn<QString>("preset");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QStringList>("arguments");
        QTest::addRow("landscape") << "-s 640x480 -c:v mpeg4" << "1280x720" << QStringList{"-s", "640x360", "-c:v", "mpeg4"};
        QTest::addRow("height-bound") << "-s 320x240" << "720x576" << QStringList{"-s", "300x240"};
        QTest::addRow("odd made even upward") << "-s 641x480" << "1000x562" << QStringList{"-s", "642x360"};
        QTest::addRow("pix_fmt first") << "-pix_fmt yuv420p" << "" << QStringList{"-pix_fmt", "yuv420p"};
        QTest::addRow("aspect kept") << "-s 720x576 -aspect 16:9" << "1280x720" << QStringList{"-s", "720x576", "-aspect", "16:9"};
        QTest::addRow("no video") << "-s 320x240 -c:a aac" << "" << QStringList{"-s", "320x240", "-c:a", "aac", "-vn"};
        QTest::addRow("audio preset") << "-vn -b:a 128k" << "" << QStringList{"-vn", "-b:a", "128k"};
        QTest::addRow("double space kept") << "-s 320x240  -c:a aac" << "320x240" << QStringList{"-s", "320x240", "", "-c:a", "aac"};
        QTest::addRow("zero height source") << "-s 320x240" << "0x0" << QStringList{"-s", "320x240"};
        QTest::addRow("beyond any frame") << "-s 640x480" << "1x100000000" << QStringList{"-s", "640x480"};
    }
    void arguments()
    {
        QFETCH(QString, preset);
        QFETCH(QString, source);
        QTEST(assembleArguments(preset, source), "arguments");
    }
};

QTEST_GUILESS_MAIN(TestFfmpegText)
#include "tst_ffmpegtext.moc"
