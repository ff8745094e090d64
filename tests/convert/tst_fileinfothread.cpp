#include "app/mainwindow.h"
#include "convert/fileinfothread.h"
#include "testsupport.h"

#include <QImageReader>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

class TestFileInfoThread : public QObject {
    Q_OBJECT

    std::unique_ptr<IsolatedHome> home;
    QTemporaryDir work;

    // The source under a name of the test's choosing, written by FFmpeg with the given options.
    QString prepared(const QString& relativePath, const QString& source, const QStringList& options = {"-c", "copy"})
    {
        const QString path = work.filePath(relativePath);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QProcess ffmpeg;
        ffmpeg.start("ffmpeg", QStringList{"-v", "error", "-y", "-i", testMedia(source)} + options + QStringList{path});
        ffmpeg.waitForFinished(30000);
        return path;
    }

private slots:
    void initTestCase() { home = startedHome(); }

    void probe_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("baseName");
        QTest::addColumn<QString>("duration");
        QTest::addColumn<QString>("videoCodec");
        QTest::addColumn<QString>("frameSize");
        QTest::addColumn<QString>("audioCodec");
        QTest::addRow("picture and sound") << testMedia("av.mp4") << "av" << "00:00:03" << "h264" << "320x240" << "aac";
        QTest::addRow("sound only") << testMedia("audio.mp3") << "audio" << "00:00:03" << "" << "" << "mp3";
        QTest::addRow("picture only") << testMedia("video.mkv") << "video" << "00:00:02" << "mpeg4" << "160x120" << "";
        QTest::addRow("not media") << testMedia("unreadable.mp4") << "unreadable" << "00:00:00" << "" << "" << "";
        QTest::addRow("missing file") << testMedia("absent.mp4") << "absent" << "00:00:00" << "" << "" << "";
        QTest::addRow("blanks, quotes, umlaut, leading dash")
            << prepared("-a 'b' \"ü\".mp4", "av.mp4") << "-a 'b' \"ü\"" << "00:00:03" << "h264" << "320x240" << "aac";
        QTest::addRow("no extension in a dotted folder")
            << prepared("clips.v2/movie", "av.mp4", {"-c", "copy", "-f", "mp4"}) << "movie" << "00:00:03" << "h264" << "320x240" << "aac";
        // Outside text that looks like the report's own lines must not decide what the file holds.
        QTest::addRow("untrimmed, dotted, stream words in the name")
            << " " + prepared("My Video: part 1.final.mp4", "av.mp4") << "My Video: part 1.final" << "00:00:03"
            << "h264" << "320x240" << "aac";
        QTest::addRow("duration in the name")
            << prepared("Duration: 09:59:59.00, x.mp3", "audio.mp3") << "Duration: 09:59:59.00, x" << "00:00:03"
            << "" << "" << "mp3";
        QTest::addRow("stream line in the title")
            << prepared("titled.mp4", "av.mp4", {"-c", "copy", "-metadata", "title=Video: h264, yuv420p, 100x1000"})
            << "titled" << "00:00:03" << "h264" << "320x240" << "aac";
        QTest::addRow("sound with a title posing as picture")
            << prepared("titled.mp3", "audio.mp3", {"-c", "copy", "-metadata", "title=Video: h264, yuv420p, 1x100000000"})
            << "titled" << "00:00:03" << "" << "" << "mp3";
    }
    void probe()
    {
        QFETCH(QString, path);
        QFETCH(QString, videoCodec);
        QFETCH(QString, frameSize);
        QFETCH(QString, audioCodec);
        // The temporary folder may go while Halvorn runs; the thumbnail writer makes it again.
        QVERIFY(QDir(Folders::tempFolder()).removeRecursively());
        FileInfoThread probe;
        QSignalSpy replies(&probe, &FileInfoThread::fileInfoReady);
        probe.enqueue(path);
        QVERIFY(replies.wait(30000));

        const QStringList info = replies.at(0).at(0).toStringList();
        const QStringList video = replies.at(0).at(1).toStringList();
        const QStringList audio = replies.at(0).at(2).toStringList();
        QCOMPARE(info.at(0), QFileInfo(path).fileName());
        QCOMPARE(info.at(1), QFileInfo(path).path() + "/");
        QTEST(info.at(2), "baseName");
        QTEST(info.at(3), "duration");
        QCOMPARE(video.value(0).section(' ', 0, 0), videoCodec);
        QCOMPARE(video.value(2).section(' ', 0, 0), frameSize);
        QCOMPARE(audio.value(0).section(' ', 0, 0), audioCodec);
        if (videoCodec.isEmpty()) {
            QCOMPARE(info.at(4), QString());
        } else {
            QVERIFY2(info.at(4).startsWith(Folders::tempFolder() + "/"), qPrintable(info.at(4)));
            QCOMPARE(QImageReader(info.at(4)).size(), QSize(88, 66));
        }
    }

    // Quick calls are answered once each, in order, each with a thumbnail of its own; a call after
    // the worker went idle starts it again.
    void callsAreAnsweredOnceEachInOrder()
    {
        FileInfoThread probe;
        QSignalSpy replies(&probe, &FileInfoThread::fileInfoReady);
        const QStringList paths = {testMedia("av.mp4"), testMedia("unreadable.mp4"), testMedia("video.mkv"),
                                   testMedia("av.mp4")};
        for (const QString& path : paths.mid(0, 3))
            probe.enqueue(path);
        QTRY_COMPARE_WITH_TIMEOUT(replies.count(), 3, 60000);
        QVERIFY(probe.wait(5000));
        probe.enqueue(paths.last());
        QTRY_COMPARE_WITH_TIMEOUT(replies.count(), 4, 30000);
        for (int i = 0; i < paths.size(); ++i)
            QCOMPARE(replies.at(i).at(0).toStringList().at(0), QFileInfo(paths.at(i)).fileName());
        const QString first = replies.at(0).at(0).toStringList().at(4);
        QVERIFY2(!first.isEmpty() && first != replies.at(3).at(0).toStringList().at(4), "a thumbnail of its own");
    }

    void thumbnailNamesInOneSecondDoNotCollide()
    {
        const QString folder = work.filePath("names/");
        QDir().mkpath(folder);
        QCOMPARE(FileInfoThread::thumbnailPath(folder, 1700000000), folder + "1700000000.png");
        QFile(folder + "1700000000.png").open(QIODevice::WriteOnly);
        QCOMPARE(FileInfoThread::thumbnailPath(folder, 1700000000), folder + "17000000001700000000.png");
        QFile(folder + "17000000001700000000.png").open(QIODevice::WriteOnly);
        QCOMPARE(FileInfoThread::thumbnailPath(folder, 1700000000),
                 folder + "170000000017000000001700000000.png");
    }

    void missingFfmpegIsReportedAndThePathsWait()
    {
        MainWindow window;
        QSignalSpy replies(&window, &MainWindow::fileInfoReady);
        MessageRecorder recorder;
        const QByteArray path = qgetenv("PATH");
        QTemporaryDir emptyBin;
        qputenv("PATH", QFile::encodeName(emptyBin.path()));
        window.getFileInfo(testMedia("audio.mp3"));
        qputenv("PATH", path);
        QCOMPARE(recorder.prompts.size(), 1);
        QCOMPARE(recorder.prompts.at(0).text,
                 "FFMpeg could not be located or is not responding.\n\nPlease try re-installing Halvorn.");
        window.getFileInfo(testMedia("video.mkv"));
        QTRY_COMPARE_WITH_TIMEOUT(replies.count(), 2, 30000);
        QCOMPARE(replies.at(0).at(0).toStringList().at(0), "audio.mp3");
        QCOMPARE(replies.at(1).at(0).toStringList().at(0), "video.mkv");
    }
};

QTEST_MAIN(TestFileInfoThread)
#include "tst_fileinfothread.moc"
