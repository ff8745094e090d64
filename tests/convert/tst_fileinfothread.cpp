#include "app/mainwindow.h"
#include "convert/fileinfothread.h"
#include "ffmpegsupport.h"
#include "testsupport.h"

#include <QImageReader>
#include <QSignalSpy>
#include <QStandardPaths>
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
        QTest::addRow("untrimmed; blanks, quotes, umlaut, leading dash")
            << " " + prepared("-a 'b' \"ü\".mp4", "av.mp4") << "-a 'b' \"ü\"" << "00:00:03" << "h264" << "320x240" << "aac";
        QTest::addRow("no extension in a dotted folder")
            << prepared("clips.v2/movie", "av.mp4", {"-c", "copy", "-f", "mp4"}) << "movie" << "00:00:03" << "h264" << "320x240" << "aac";
        // Outside text that looks like the report's own lines must not decide what the file holds.
        QTest::addRow("stream and duration words in the name and the title")
            << prepared("Video: part 1, Duration: 09:59:59.00.mp3", "audio.mp3",
                        {"-c", "copy", "-metadata", "title=Video: h264, yuv420p, 1x100000000"})
            << "Video: part 1, Duration: 09:59:59.00" << "00:00:03" << "" << "" << "mp3";
    }
    void probe()
    {
        QFETCH(QString, path);
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
        QTEST(video.value(0).section(' ', 0, 0), "videoCodec");
        QTEST(video.value(2).section(' ', 0, 0), "frameSize");
        QTEST(audio.value(0).section(' ', 0, 0), "audioCodec");
        QCOMPARE(QImageReader(info.at(4)).size(), video.isEmpty() ? QSize() : QSize(176, 132));
        QCOMPARE(QDir(Folders::tempFolder()).entryList(QDir::Files).size(), video.isEmpty() ? 0 : 1);
    }

    // Without FFmpeg a call is answered with a message and its path waits for the worker's next
    // start. Quick calls are answered once each, in order; a call after the worker went idle starts it again.
    void callsAreAnsweredOnceEachInOrder()
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
        const QStringList names = {"audio.mp3", "av.mp4", "unreadable.mp4", "video.mkv"};
        window.getFileInfo(testMedia(names.at(1)));
        window.getFileInfo(testMedia(names.at(2)));
        QTRY_COMPARE_WITH_TIMEOUT(replies.count(), 3, 60000);
        QVERIFY(window.findChild<FileInfoThread*>()->wait(5000));
        window.getFileInfo(testMedia(names.at(3)));
        QTRY_COMPARE_WITH_TIMEOUT(replies.count(), 4, 30000);
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(replies.at(i).at(0).toStringList().at(0), names.at(i));
    }

    // Files are probed at once, and answered in the order they were queued even when a later one is
    // done first.
    void probesRunAtOnceAndAnswerInOrder()
    {
        QTemporaryDir bin;
        QFile fake(bin.filePath("ffmpeg"));
        QVERIFY(fake.open(QIODevice::WriteOnly));
        // The reports on the first two files wait (half a minute at most) until both have begun;
        // the first then takes a second longer.
        fake.write("#!/bin/sh\ncase \"$#:$3\" in 3:*audio.mp3|3:*av.mp4)\n"
                   "  mkdir -p \"$0.d\"; touch \"$0.d/$$\"; n=0\n"
                   "  while [ $(ls \"$0.d\" | wc -l) -lt 2 ] && [ $n -lt 300 ]; do sleep 0.1; n=$((n+1)); done\n"
                   "  ls \"$0.d\" | wc -l >> \"$0.seen\"\n"
                   "  case \"$3\" in *audio.mp3) sleep 1;; esac;;\nesac\n"
                   "exec '" + QStandardPaths::findExecutable("ffmpeg").toUtf8() + "' \"$@\"\n");
        fake.close();
        fake.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()) + ":" + path);
        FileInfoThread probe;
        QSignalSpy replies(&probe, &FileInfoThread::fileInfoReady);
        const QStringList names = {"audio.mp3", "av.mp4", "video.mkv"};
        for (const QString& name : names)
            probe.enqueue(testMedia(name));
        QTRY_COMPARE_WITH_TIMEOUT(replies.count(), 3, 90000);
        qputenv("PATH", path);
        QFile seen(bin.filePath("ffmpeg.seen"));
        QVERIFY(seen.open(QIODevice::ReadOnly));
        QCOMPARE(seen.readAll().simplified(), "2 2");
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(replies.at(i).at(0).toStringList().at(0), names.at(i));
        const QString thumbnail = replies.at(1).at(0).toStringList().at(4);
        QVERIFY(!thumbnail.isEmpty() && thumbnail != replies.at(2).at(0).toStringList().at(4));
    }

    // The claim is the file itself, so that two probes in one second never share a name.
    void thumbnailNamesInOneSecondDoNotCollide()
    {
        const QString folder = work.filePath("names/");
        QDir().mkpath(folder);
        QString expected = folder;
        for (int i = 0; i < 3; ++i) {
            expected += "1700000000";
            QCOMPARE(FileInfoThread::claimThumbnailPath(folder, 1700000000), expected + ".png");
        }
        QCOMPARE(FileInfoThread::claimThumbnailPath(work.filePath("missing/"), 1700000000), "");
    }
};

QTEST_MAIN(TestFileInfoThread)
#include "tst_fileinfothread.moc"
