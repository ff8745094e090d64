#include "app/mainwindow.h"
#include "convert/conversionthread.h"
#include "convert/ffmpegtext.h"
#include "platform/folders.h"
#include "testsupport.h"

#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

// Slowed to real time, so that a conversion lasts as long as its source and reports progress.
const QStringList slowArguments = {"-s", "160x120", "-vf", "realtime", "-c:v", "mpeg4", "-c:a", "aac"};


bool decodes(const QString& path)
{
    QProcess decoder;
    decoder.start("ffmpeg", {"-v", "error", "-i", path, "-f", "null", "-"});
    decoder.waitForFinished(60000);
    return decoder.exitStatus() == QProcess::NormalExit && decoder.exitCode() == 0
        && decoder.readAllStandardError().isEmpty();
}


QStringList runLogLines()
{
    QFile log(Folders::runLogPath());
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(log.readAll()).split('\n');
}

} // namespace

class TestConversionThread : public QObject {
    Q_OBJECT

    std::unique_ptr<IsolatedHome> home;
    QTemporaryDir out;

private slots:
    void initTestCase() { home = startedHome(); }

    void init() { QFile::remove(Folders::runLogPath()); }

    void aConversionReportsProgressAndWritesADecodableFile()
    {
        ConversionThread worker;
        QSignalSpy started(&worker, &ConversionThread::startConversion);
        QSignalSpy progress(&worker, &ConversionThread::conversionProgress);
        QSignalSpy complete(&worker, &ConversionThread::conversionComplete);
        QSignalSpy cancelled(&worker, &ConversionThread::conversionCancelled);
        worker.setJob(" " + testMedia("av.mp4") + " ", slowArguments, out.filePath("progress") + " ", "mkv");
        worker.start();
        QVERIFY(complete.wait(30000));

        const QString output = out.filePath("progress.mkv");
        QCOMPARE(started.count(), 1);
        QCOMPARE(started.at(0).at(0).toString(), "progress.mkv");
        QCOMPARE(complete.count(), 1);
        QCOMPARE(complete.at(0).at(0).toBool(), true);
        QCOMPARE(complete.at(0).at(1).toString(), output);
        QCOMPARE(complete.at(0).at(2).toString(), QString());
        QCOMPARE(cancelled.count(), 0);
        QVERIFY2(progress.count() >= 1, "a three-second run reports progress");
        for (const QList<QVariant>& seconds : progress)
            QVERIFY(seconds.at(0).toInt() >= 0 && seconds.at(0).toInt() <= 3);
        QVERIFY(decodes(output));
        QVERIFY(ffmpegReport(output).contains(", 160x120"));

        const QStringList lines = runLogLines();
        QCOMPARE(lines.first(), QString("Starting conversion: ffmpeg -i \"%1\" %2 \"%3\"")
                                    .arg(testMedia("av.mp4"), slowArguments.join(' '), output));
        QVERIFY(lines.size() >= 4);
        QCOMPARE(lines.at(lines.size() - 2), "Conversion finished: quitOK=true");
        QCOMPARE(lines.last(), QString());
    }

    void existingOutputsAreNeverOverwritten()
    {
        const QString base = out.filePath("taken");
        for (const QString& name : {QString("taken.mp4"), QString("taken (New).mp4")}) {
            QFile file(out.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("keep me");
        }
        ConversionThread worker;
        QSignalSpy started(&worker, &ConversionThread::startConversion);
        QSignalSpy complete(&worker, &ConversionThread::conversionComplete);
        worker.setJob(testMedia("av.mp4"), {"-c:v", "mpeg4", "-c:a", "aac"}, base, "mp4");
        worker.start();
        QVERIFY(complete.wait(30000));
        QCOMPARE(started.at(0).at(0).toString(), "taken (New)(2).mp4");
        QCOMPARE(complete.at(0).at(1).toString(), base + " (New)(2).mp4");
        QVERIFY(decodes(base + " (New)(2).mp4"));
        for (const QString& name : {QString("taken.mp4"), QString("taken (New).mp4")}) {
            QFile file(out.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), QByteArray("keep me"));
        }
        QCOMPARE(ConversionThread::uniqueOutputPath(base, "mp4"), base + " (New)(3).mp4");
    }

    void aRejectedOptionEndsWithFfmpegsReason()
    {
        ConversionThread worker;
        QSignalSpy progress(&worker, &ConversionThread::conversionProgress);
        QSignalSpy complete(&worker, &ConversionThread::conversionComplete);
        worker.setJob(testMedia("av.mp4"), {"-c:v", "no_such_encoder"}, out.filePath("rejected"), "mp4");
        worker.start();
        QVERIFY(complete.wait(30000));
        QCOMPARE(complete.at(0).at(0).toBool(), false);
        QCOMPARE(complete.at(0).at(2).toString(), "Unknown encoder 'no_such_encoder'");
        QCOMPARE(progress.count(), 0);
        const QStringList lines = runLogLines();
        QVERIFY(lines.contains("Conversion finished: quitOK=false"));
        QVERIFY(lines.indexOf("Conversion finished: quitOK=false") < lines.lastIndexOf("Unknown encoder 'no_such_encoder'"));
    }

    void cancelKillsFfmpegWithinASecond()
    {
        ConversionThread worker;
        QSignalSpy progress(&worker, &ConversionThread::conversionProgress);
        QSignalSpy complete(&worker, &ConversionThread::conversionComplete);
        QSignalSpy cancelled(&worker, &ConversionThread::conversionCancelled);
        const QString base = out.filePath("cancelled-run");
        worker.setJob(testMedia("long.mp4"), slowArguments, base, "mkv");
        worker.start();
        QVERIFY(progress.wait(30000));
        QVERIFY(anyProcessMentions(base));

        worker.cancel();
        QVERIFY(cancelled.wait(5000));
        QVERIFY(worker.wait(2000));
        QCOMPARE(cancelled.count(), 1);
        QCOMPARE(complete.count(), 0);
        QVERIFY2(!anyProcessMentions(base), "FFmpeg is gone");
        QVERIFY2(!runLogLines().join('\n').contains("Conversion finished"), "a cancel logs no end");
    }

    void aCancelBeforeTheRunStartsStillCancels()
    {
        ConversionThread worker;
        QSignalSpy cancelled(&worker, &ConversionThread::conversionCancelled);
        QSignalSpy complete(&worker, &ConversionThread::conversionComplete);
        worker.setJob(testMedia("long.mp4"), slowArguments, out.filePath("early-cancel"), "mkv");
        worker.cancel();
        worker.start();
        QVERIFY(cancelled.wait(5000));
        QCOMPARE(complete.count(), 0);
    }

    void aMissingFfmpegEndsTheRunWithAReason()
    {
        const QByteArray path = qgetenv("PATH");
        QTemporaryDir emptyBin;
        qputenv("PATH", QFile::encodeName(emptyBin.path()));
        ConversionThread worker;
        QSignalSpy started(&worker, &ConversionThread::startConversion);
        QSignalSpy complete(&worker, &ConversionThread::conversionComplete);
        worker.setJob(testMedia("av.mp4"), {"-c:v", "mpeg4"}, out.filePath("no-ffmpeg"), "mp4");
        worker.start();
        QVERIFY(complete.wait(10000));
        qputenv("PATH", path);
        QCOMPARE(started.count(), 1);
        QCOMPARE(complete.at(0).at(0).toBool(), false);
        QVERIFY(complete.at(0).at(2).toString().contains("FFmpeg could not be located"));
    }

    void theWindowFitsThePresetToTheSource_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("aspect");
        QTest::addColumn<QString>("expectedVideo");
        QTest::addRow("wide into 320x240") << "wide.mp4" << "640x360" << ", 320x180";
        QTest::addRow("4:3 into 320x240") << "av.mp4" << "320x240" << ", 320x240";
        QTest::addRow("sound only") << "audio.mp3" << "" << "";
    }
    void theWindowFitsThePresetToTheSource()
    {
        QFETCH(QString, source);
        QFETCH(QString, aspect);
        QFETCH(QString, expectedVideo);
        MainWindow window;
        QSignalSpy complete(&window, &MainWindow::conversionComplete);
        const QString base = out.filePath("fitted-" + QFileInfo(source).baseName());
        window.startNewConversion(testMedia(source), "-s 320x240 -c:v mpeg4 -c:a aac", aspect, base, "mkv");
        QVERIFY(complete.wait(30000));
        QVERIFY(complete.at(0).at(0).toBool());
        const QString made = ffmpegReport(base + ".mkv");
        if (expectedVideo.isEmpty())
            QVERIFY2(!made.contains("Video:"), "no picture for a sound-only source");
        else
            QVERIFY2(made.contains(expectedVideo), qPrintable(made));
        QVERIFY(made.contains("Audio: aac"));
    }

    void stoppingRemovesAPartialOutputInTheTempFolder()
    {
        MainWindow window;
        QSignalSpy progress(&window, &MainWindow::conversionProgress);
        QSignalSpy cancelled(&window, &MainWindow::conversionCancelled);
        const QString base = Folders::tempFolder() + "/burn-item";
        window.startNewConversion(testMedia("long.mp4"), slowArguments.join(' '), "160x120", base, "mkv");
        QVERIFY(progress.wait(30000));
        QVERIFY(QFile::exists(base + ".mkv"));
        window.stopConversion();
        QVERIFY(cancelled.wait(5000));
        QVERIFY(!QFile::exists(base + ".mkv"));
        QVERIFY(!anyProcessMentions(base));
    }

    void closingTheWindowEndsARunningConversion()
    {
        const QString base = out.filePath("window-closed");
        {
            MainWindow window;
            QSignalSpy progress(&window, &MainWindow::conversionProgress);
            window.startNewConversion(testMedia("long.mp4"), slowArguments.join(' '), "160x120", base, "mkv");
            QVERIFY(progress.wait(30000));
        }
        QVERIFY2(!anyProcessMentions(base), "no FFmpeg outlives the window");
    }
};

QTEST_MAIN(TestConversionThread)
#include "tst_conversionthread.moc"
