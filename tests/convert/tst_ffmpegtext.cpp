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
    void pathParts_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("baseName");
        QTest::addRow("dotted name") << "/clips/movie.final.mp4" << "movie.final.mp4" << "/clips/" << "movie.final";
        QTest::addRow("no folder") << "movie.mp4" << "movie.mp4" << "" << "movie";
        QTest::addRow("no extension, dotted folder") << "/a.b/name" << "name" << "/a.b/" << "name";
        QTest::addRow("odd characters") << "/x y/-'\"ü.mkv" << "-'\"ü.mkv" << "/x y/" << "-'\"ü";
        QTest::addRow("untrimmed") << " /v/a.mp4 " << "a.mp4 " << " /v/" << "a";
    }
    void pathParts()
    {
        QFETCH(QString, path);
        const PathParts parts = splitPath(path);
        QTEST(parts.fileName, "fileName");
        QTEST(parts.folder, "folder");
        QTEST(parts.baseName, "baseName");
    }

    void duration_data()
    {
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("duration");
        QTest::addColumn<qint64>("ms");
        QTest::addRow("recorded") << hdReport << clip << "01:02:03" << qint64(3723040);
        QTest::addRow("metadata posing as header") << posingReport << clip << "00:00:03" << qint64(3000);
        QTest::addRow("name posing as header") << report("  Duration: 00:00:02.50, start: 0\n", trickyName)
                                               << trickyName << "00:00:02" << qint64(2500);
        QTest::addRow("another file's header") << hdReport << "/media/other.mp4" << "00:00:00" << qint64(-1);
        QTest::addRow("unknown") << report("  Duration: N/A, start: 0.000000, bitrate: N/A\n") << clip
                                 << "00:00:00" << qint64(-1);
        QTest::addRow("missing") << "/media/clip.mp4: Invalid data found when processing input\n" << clip
                                 << "00:00:00" << qint64(-1);
        QTest::addRow("cut short") << report("  Duration: 00:0") << clip << "00:00:00" << qint64(-1);
        QTest::addRow("empty") << "" << clip << "00:00:00" << qint64(-1);
    }
    void duration()
    {
        QFETCH(QString, report);
        QFETCH(QString, path);
        QTEST(reportDuration(report, path), "duration");
        QTEST(reportDurationMs(report, path), "ms");
    }

    void streams_data()
    {
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("marker");
        QTest::addColumn<QStringList>("fields");
        QTest::addRow("video with commas in parentheses")
            << hdReport << clip << "Video:"
            << QStringList{"h264 (High) (avc1 / 0x31637661)", "yuv420p(tv, bt709, progressive)",
                           "1280x720 [SAR 1:1 DAR 16:9]", "2000 kb/s", "29.97 fps", "29.97 tbr", "30k tbn (default)"};
        QTest::addRow("audio") << hdReport << clip << "Audio:"
                               << QStringList{"aac (LC) (mp4a / 0x6134706D)", "48000 Hz", "stereo", "fltp",
                                              "192 kb/s (default)"};
        QTest::addRow("older layout") << report("  Stream #0:0: Video: mpeg4, yuv420p, 160x120, 25 fps\n") << clip
                                      << "Video:" << QStringList{"mpeg4", "yuv420p", "160x120", "25 fps"};
        QTest::addRow("empty fields kept") << report("  Stream #0:0: Audio: pcm_s16le,, 44100 Hz,\n") << clip
                                           << "Audio:" << QStringList{"pcm_s16le", "", "44100 Hz", ""};
        QTest::addRow("metadata posing as a stream") << posingReport << clip << "Video:" << QStringList{};
        QTest::addRow("the real stream among them") << posingReport << clip << "Audio:"
                                                    << QStringList{"mp3", "44100 Hz", "mono", "fltp", "64 kb/s"};
        QTest::addRow("name posing as a stream") << report("", trickyName) << trickyName << "Video:" << QStringList{};
        QTest::addRow("output streams are not the input's")
            << report("") + "Output #0, mp4, to 'x.mp4':\n  Stream #0:0: Video: mpeg4\n" << clip << "Video:"
            << QStringList{};
        QTest::addRow("unbalanced parenthesis") << report("  Stream #0:0: Video: h264 (High, yuv420p, 64x48\n")
                                                << clip << "Video:" << QStringList{"h264 (High, yuv420p, 64x48"};
    }
    void streams()
    {
        QFETCH(QString, report);
        QFETCH(QString, path);
        QFETCH(QString, marker);
        QTEST(streamFields(report, path, marker), "fields");
    }

    void seek_data()
    {
        QTest::addColumn<QString>("duration");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("seek");
        QTest::addRow("19 s") << "00:00:19" << 19 << 1;
        QTest::addRow("20 s") << "00:00:20" << 20 << 1;
        QTest::addRow("40 s") << "00:00:40" << 40 << 2;
        QTest::addRow("one hour") << "01:00:00" << 3600 << 180;
        QTest::addRow("8 min 9 s") << "00:08:09" << 489 << 24;
        QTest::addRow("unreadable") << "N/A, sta" << 0 << 1;
        QTest::addRow("empty") << "" << 0 << 1;
    }
    void seek()
    {
        QFETCH(QString, duration);
        QTEST(durationSeconds(duration), "seconds");
        QTEST(thumbnailSeekSeconds(duration), "seek");
    }

    void progress_data()
    {
        QTest::addColumn<QString>("chunk");
        QTest::addColumn<int>("seconds");
        QTest::addRow("recorded")
            << "frame=   75 fps= 25 q=29.0 size=     256kB time=00:00:02.96 bitrate= 708.4kbits/s speed=0.99x    \r"
            << 2;
        QTest::addRow("hours") << "size=1kB time=01:02:03.99 bitrate=" << 3723;
        QTest::addRow("two lines, first counts")
            << "frame=1 time=00:00:05.00 bitrate=1\rframe=2 time=00:00:09.00 bitrate=1\r" << 5;
        QTest::addRow("not available") << "frame=    0 fps=0.0 q=0.0 size=       0kB time=N/A bitrate=N/A" << 0;
        QTest::addRow("negative") << "size=0kB time=-00:00:00.04 bitrate=-0.0kbits/s" << 0;
        QTest::addRow("cut short") << "frame=1 time=00:0" << 0;
        QTest::addRow("no fraction") << "time=00:01:01 bitrate" << 61;
        QTest::addRow("no time at all") << "[mp4 @ 0x1] some notice\n" << 0;
    }
    void progress()
    {
        QFETCH(QString, chunk);
        QTEST(progressSeconds(chunk), "seconds");
    }

    void reason_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("reason");
        QTest::addRow("unknown encoder") << "  Duration: 00:00:03.00\nUnknown encoder 'no_such_encoder'\n"
                                         << "This FFmpeg cannot write the format that the preset asks for. "
                                            "FFmpeg said: Unknown encoder 'no_such_encoder'";
        QTest::addRow("unknown option")
            << "Unrecognized option 'bogus'.\nError splitting the argument list: Option not found\n"
            << "This FFmpeg does not understand an option of the preset. FFmpeg said: Error splitting the "
               "argument list: Option not found";
        QTest::addRow("disk full, statistics after it")
            << "frame=  151 Lsize=0kB time=00:00:06.03 bitrate=0.1kbits/s speed=52x\r\nvideo:151kB audio:51kB "
               "muxing overhead: unknown\nError closing file /o/x.mp4: No space left on device\n[aac @ 0x56] "
               "Qavg: 121.589\n"
            << "The disk is full. FFmpeg said: Error closing file /o/x.mp4: No space left on device";
        QTest::addRow("disk full, then the summary")
            << "av_interleaved_write_frame(): No space left on device\nConversion failed!\n"
            << "The disk is full. FFmpeg said: av_interleaved_write_frame(): No space left on device";
        QTest::addRow("no permission") << "/o/x.mp4: Permission denied\n"
                                       << "Halvorn has no permission to read the source or to write to the output "
                                          "folder. FFmpeg said: /o/x.mp4: Permission denied";
        QTest::addRow("read-only") << "/o/x.mp4: Read-only file system\n"
                                   << "The output folder is on a disk that cannot be written to. FFmpeg said: "
                                      "/o/x.mp4: Read-only file system";
        QTest::addRow("missing file") << "/in.mp4: No such file or directory\n"
                                      << "The source or the output folder no longer exists. FFmpeg said: /in.mp4: "
                                         "No such file or directory";
        QTest::addRow("other cause, after a progress line")
            << "frame=1 time=00:00:01.00\rError while decoding stream #0:0" << "Error while decoding stream #0:0";
        QTest::addRow("killed: only progress") << "frame=   66 fps= 25 q=2.0 size=  256kB time=00:00:02.60 "
                                                  "bitrate= 806.6kbits/s speed=1.02x    \r" << "";
        QTest::addRow("debug level: statistics last")
            << "Error while decoding stream #0:1: Invalid data\n410 frames successfully decoded, 0 decoding "
               "errors\n[AVIOContext @ 0x5614] Statistics: 214527 bytes read, 0 seeks\n"
            << "Error while decoding stream #0:1: Invalid data";
        QTest::addRow("empty") << "" << "";
    }
    void reason()
    {
        QFETCH(QString, output);
        QTEST(explainError(errorLine(output)), "reason");
    }

    void trimmingAndClock()
    {
        QVERIFY(!trimsOutput({"-s", "320x240", "-c:v", "mpeg4", "-vn", "-target", "pal-dvd"}));
        for (const QString& option : {"-t", "-to", "-ss", "-sseof", "-fs", "-frames", "-frames:v", "-vframes"})
            QVERIFY2(trimsOutput({"-c:v", "mpeg4", option, "2"}), qPrintable(option));
        QCOMPARE(clockText(2930), "0:03");
        QCOMPARE(clockText(6020), "0:06");
        QCOMPARE(clockText(3723040), "1:02:03");
        QCOMPARE(clockText(-5), "0:00");
    }

    void decodingStopsAtTheFirstNul()
    {
        QCOMPARE(decode(QByteArray("time=00:00:01\0garbage", 22)), "time=00:00:01");
        QCOMPARE(decode("caf\xc3\xa9"), QString::fromUtf8("café"));
    }

    void arguments_data()
    {
        QTest::addColumn<QString>("preset");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QStringList>("arguments");
        QTest::addRow("landscape into 640x480")
            << "-s 640x480 -c:v libx264" << "1280x720" << QStringList{"-s", "640x360", "-c:v", "libx264"};
        QTest::addRow("PAL into 320x240") << "-s 320x240 -b:v 1M" << "720x576" << QStringList{"-s", "300x240", "-b:v", "1M"};
        QTest::addRow("fraction dropped") << "-s 640x480" << "1000x563" << QStringList{"-s", "640x360"};
        QTest::addRow("portrait") << "-s 320x240" << "480x640" << QStringList{"-s", "180x240"};
        QTest::addRow("odd made even upward") << "-s 641x480" << "1000x562" << QStringList{"-s", "642x360"};
        QTest::addRow("pix_fmt first") << "-pix_fmt yuv420p -s 320x240" << "1920x1080"
                                       << QStringList{"-pix_fmt", "yuv420p", "-s", "320x240"};
        QTest::addRow("aspect kept") << "-s 720x576 -aspect 16:9" << "720x576"
                                     << QStringList{"-s", "720x576", "-aspect", "16:9"};
        QTest::addRow("aspect, no video") << "-target pal-dvd -aspect 16:9" << ""
                                          << QStringList{"-target", "pal-dvd", "-aspect", "16:9"};
        QTest::addRow("audio-only source") << "-s 320x240 -c:a aac" << ""
                                           << QStringList{"-s", "320x240", "-c:a", "aac", "-vn"};
        QTest::addRow("audio preset, audio source") << "-vn -b:a 128k" << "" << QStringList{"-vn", "-b:a", "128k"};
        QTest::addRow("double space kept") << "-s 320x240  -c:a aac" << "320x240"
                                           << QStringList{"-s", "320x240", "", "-c:a", "aac"};
        QTest::addRow("zero height source") << "-s 320x240" << "0x0" << QStringList{"-s", "320x240"};
        QTest::addRow("garbled source") << "-s 320x240" << "bt709" << QStringList{"-s", "320x240"};
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
