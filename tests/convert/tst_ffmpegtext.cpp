#include "convert/ffmpegtext.h"

#include <QtTest>

using namespace FfmpegText;

namespace {

// Recorded from Debian 12's FFmpeg 5.1.
const QString hdReport = QStringLiteral(
    "Input #0, mov,mp4,m4a,3gp,3g2,mj2, from '/media/clip.mp4':\n"
    "  Metadata:\n"
    "    major_brand     : isom\n"
    "  Duration: 01:02:03.04, start: 0.000000, bitrate: 2212 kb/s\n"
    "  Stream #0:0[0x1](und): Video: h264 (High) (avc1 / 0x31637661), yuv420p(tv, bt709, progressive), "
    "1280x720 [SAR 1:1 DAR 16:9], 2000 kb/s, 29.97 fps, 29.97 tbr, 30k tbn (default)\r\n"
    "    Metadata:\n"
    "      handler_name    : VideoHandler\n"
    "  Stream #0:1[0x2](und): Audio: aac (LC) (mp4a / 0x6134706D), 48000 Hz, stereo, fltp, 192 kb/s (default)\n"
    "At least one output file must be specified\n");

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
        QTest::addColumn<QString>("duration");
        QTest::addRow("recorded") << hdReport << "01:02:03";
        QTest::addRow("unknown") << "  Duration: N/A, start: 0.000000, bitrate: N/A\n" << "00:00:00";
        QTest::addRow("missing") << "/x/y.mp4: Invalid data found when processing input\n" << "00:00:00";
        QTest::addRow("cut short") << "  Duration: 00:0" << "00:00:00";
        QTest::addRow("empty") << "" << "00:00:00";
    }
    void duration()
    {
        QFETCH(QString, report);
        QTEST(reportDuration(report), "duration");
    }

    void streams_data()
    {
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("marker");
        QTest::addColumn<QStringList>("fields");
        QTest::addRow("video with commas in parentheses")
            << hdReport << "Video:"
            << QStringList{"h264 (High) (avc1 / 0x31637661)", "yuv420p(tv, bt709, progressive)",
                           "1280x720 [SAR 1:1 DAR 16:9]", "2000 kb/s", "29.97 fps", "29.97 tbr", "30k tbn (default)"};
        QTest::addRow("audio") << hdReport << "Audio:"
                               << QStringList{"aac (LC) (mp4a / 0x6134706D)", "48000 Hz", "stereo", "fltp",
                                              "192 kb/s (default)"};
        QTest::addRow("older layout") << "  Stream #0:0: Video: mpeg4, yuv420p, 160x120, 25 fps"
                                      << "Video:" << QStringList{"mpeg4", "yuv420p", "160x120", "25 fps"};
        QTest::addRow("empty fields kept") << " Audio: pcm_s16le,, 44100 Hz,\n" << "Audio:"
                                           << QStringList{"pcm_s16le", "", "44100 Hz", ""};
        QTest::addRow("no audio") << "  Stream #0:0: Video: h264, yuv420p, 64x48\n" << "Audio:" << QStringList{};
        QTest::addRow("marker at the very start") << "Video: h264, yuv420p" << "Video:" << QStringList{};
        QTest::addRow("unbalanced parenthesis")
            << " Video: h264 (High, yuv420p, 64x48\n" << "Video:" << QStringList{"h264 (High, yuv420p, 64x48"};
    }
    void streams()
    {
        QFETCH(QString, report);
        QFETCH(QString, marker);
        QTEST(streamFields(report, marker), "fields");
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
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("line");
        QTest::addRow("recorded") << "Input #0, mov\n  Duration: 00:00:03.00\nUnknown encoder 'no_such_encoder'\n"
                                  << "Unknown encoder 'no_such_encoder'";
        QTest::addRow("after progress") << "frame=1 time=00:00:01.00\rError while decoding stream #0:0"
                                        << "Error while decoding stream #0:0";
        QTest::addRow("one line") << "  Conversion failed!  " << "Conversion failed!";
        QTest::addRow("empty") << "" << "";
    }
    void reason()
    {
        QFETCH(QString, text);
        QTEST(lastLine(text), "line");
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
        QTest::addRow("full HD into 320x240") << "-s 320x240" << "1920x1080" << QStringList{"-s", "320x180"};
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
        QTest::addRow("audio preset, video source") << "-vn -b:a 128k" << "640x360"
                                                    << QStringList{"-vn", "-b:a", "128k"};
        QTest::addRow("double space kept") << "-s 320x240  -c:a aac" << "320x240"
                                           << QStringList{"-s", "320x240", "", "-c:a", "aac"};
        QTest::addRow("zero height source") << "-s 320x240" << "0x0" << QStringList{"-s", "320x240"};
        QTest::addRow("garbled source") << "-s 320x240" << "bt709" << QStringList{"-s", "320x240"};
        QTest::addRow("no size in preset") << "-c:v mpeg4 -q:v 3" << "640x360"
                                           << QStringList{"-c:v", "mpeg4", "-q:v", "3"};
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
