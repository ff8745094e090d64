#include "app/mainwindow.h"
#include "convert/conversionthread.h"
#include "platform/folders.h"
#include "ffmpegsupport.h"
#include "testsupport.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <optional>

namespace {

// Slowed to real time, so that a conversion lasts as long as its source and reports progress.
const QStringList slowArguments = {"-s", "160x120", "-vf", "realtime", "-c:v", "mpeg4", "-c:a", "aac"};
const QStringList quickArguments = {"-c:v", "mpeg4", "-c:a", "aac"};
const QString fitArguments = "-c:v libx264 -preset fast -pix_fmt yuv420p -c:a aac -sn -movflags +faststart";

// An FFmpeg first on PATH for as long as it lives: it notes each start and runs the script given,
// where "$ffmpeg" is the real one and "$last" the output.
struct FakeFfmpeg {
    explicit FakeFfmpeg(const QByteArray& script)
    {
        QFile fake(bin.filePath("ffmpeg"));
        QVERIFY(fake.open(QIODevice::WriteOnly) && fake.write("#!/bin/sh\necho >> \"$0.starts\"\nffmpeg='" + QStandardPaths::findExecutable("ffmpeg").toUtf8()
                                                             + "'\nfor last; do :; done\n" + script));
        fake.setPermissions(fake.permissions() | QFile::ExeOwner);
        qputenv("PATH", QFile::encodeName(bin.path()) + ":" + path);
    }
    ~FakeFfmpeg() { qputenv("PATH", path); }
    [[nodiscard]] int starts() const { return int(QFileInfo(bin.filePath("ffmpeg.starts")).size()); }
    const QByteArray path = qgetenv("PATH");
    QTemporaryDir bin;
};

// The folders of pass files in the temporary folder.
QStringList passFolders() { return QDir(Folders::tempFolder()).entryList({".two-pass*"}, QDir::Dirs | QDir::Hidden); }

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

// One run of the worker and everything it signalled.
struct Run {
    Run(const QString& in, const QStringList& args, const QString& base, const QString& ext = "mkv")
    {
        worker.setJob(in, args, base, ext);
        worker.start();
    }
    [[nodiscard]] bool ended() { return complete.wait(60000) || !complete.isEmpty(); }

    ConversionThread worker;
    QSignalSpy started{&worker, &ConversionThread::startConversion};
    QSignalSpy progress{&worker, &ConversionThread::conversionProgress};
    QSignalSpy complete{&worker, &ConversionThread::conversionComplete};
    QSignalSpy cancelled{&worker, &ConversionThread::conversionCancelled};
};

} // namespace

class TestConversionThread : public QObject {
    Q_OBJECT

    std::unique_ptr<IsolatedHome> home;
    QTemporaryDir out;

    QString folder(const QString& name) const
    {
        const QString path = out.filePath(name);
        QDir().mkpath(path);
        return path;
    }

private slots:
    void initTestCase() { home = startedHome(); }

    // A run reports its progress, and its checked output takes the first free name: an existing file
    // is kept, and a link that points nowhere takes its name too (writing to it would create its target).
    void aConversionWritesACheckedFileUnderAFreeName()
    {
        QFile::remove(Folders::runLogPath());
        const QString base = folder("taken") + "/clip";
        QVERIFY(QFile::copy(testMedia("audio.mp3"), base + ".mkv"));
        QVERIFY(QFile::link(out.filePath("elsewhere.mkv"), base + " (New).mkv"));
        const QString output = base + " (New)(2).mkv";
        Run run(" " + testMedia("av.mp4") + " ", slowArguments, base + " ");
        QVERIFY(run.ended());
        QCOMPARE(run.started.value(0).value(0).toString(), "clip (New)(2).mkv");
        QCOMPARE(run.complete.value(0), (QVariantList{true, output, QString()}));
        QVERIFY2(!run.progress.isEmpty() && run.progress.last().at(0).toInt() <= 3, "progress in seconds of output");
        QCOMPARE(QFileInfo(base + ".mkv").size(), QFileInfo(testMedia("audio.mp3")).size());
        QVERIFY(!QFileInfo::exists(out.filePath("elsewhere.mkv")));
        QCOMPARE(entries(folder("taken")).size(), 3);
        QFile log(Folders::runLogPath());
        const QString logged = log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
        QVERIFY(logged.startsWith("Starting conversion: ffmpeg -y -i \"" + testMedia("av.mp4") + "\" "
                                  + slowArguments.join(' ')));
        QVERIFY(logged.endsWith("\nConversion finished: quitOK=true\nSaved as \"" + output + "\"\n"));
    }

    // Every failure ends with a reason in plain words and leaves nothing in the output folder. The
    // output is judged without starting FFmpeg again: each run starts it once.
    void failuresLeaveNothingBehind_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("fakeFfmpeg"); // a script put first on PATH ("$ffmpeg": the real one); "": the real FFmpeg
        QTest::addColumn<QString>("reason");
        QTest::addRow("rejected option") << "av.mp4" << QStringList{"-c:v", "no_such_encoder"} << ""
                                         << "This FFmpeg cannot write the format that the preset asks for. "
                                            "FFmpeg said: Unknown encoder 'no_such_encoder'";
        QTest::addRow("source damaged part way") << "cut.mkv" << quickArguments << ""
                                                 << "The output is shorter than the source (0:03 of 0:06): the source "
                                                    "may be damaged or changed during conversion";
        QTest::addRow("source length only estimated") << "estimated.mp3" << quickArguments << "" << "";
        QTest::addRow("trimmed on purpose") << "cut.mkv" << (QStringList{"-t", "2"} + quickArguments) << "" << "";
        QTest::addRow("disk full")
            << "av.mp4" << quickArguments
            << "printf partial > \"$last\"; printf 'frame=  151 time=00:00:06.03 speed=52x\\r"
               "Error closing file x.mp4: No space left on device\\n[aac @ 0x5600] Qavg: 121.589\\n' >&2; exit 1"
            << "The disk is full. FFmpeg said: Error closing file x.mp4: No space left on device";
        QTest::addRow("output folder deleted") << "av.mp4" << quickArguments << "rm -r \"${last%/*}\""
                                               << "The output folder no longer exists";
        QTest::addRow("output deleted") << "av.mp4" << quickArguments << "rm \"$last\""
                                        << "The output file was removed during conversion";
        QTest::addRow("output unreadable") << "av.mp4" << quickArguments << "echo garbage > \"$last\""
                                           << "The output cannot be read. FFmpeg said: Invalid data found when processing input";
        QTest::addRow("picture lost") << "av.mp4" << quickArguments << "\"$ffmpeg\" -y -i \"$3\" -vn \"$last\""
                                      << "The output has no picture, although the source has one";
        QTest::addRow("sound lost") << "av.mp4" << quickArguments << "\"$ffmpeg\" -y -i \"$3\" -an -c:v mpeg4 \"$last\""
                                    << "The output has no sound, although the source has some";
        QTest::addRow("killed from outside")
            << "av.mp4" << quickArguments
            << "printf partial > \"$last\"; echo '  Stream #0:0: Video: h264, yuv420p(tv, bt709/unknown/unknown)' >&2; kill -9 $$"
            << "FFmpeg stopped unexpectedly.";
    }
    void failuresLeaveNothingBehind()
    {
        QFETCH(QString, source);
        QFETCH(QStringList, args);
        QFETCH(QString, fakeFfmpeg);
        QFETCH(QString, reason);
        std::optional<FakeFfmpeg> fake;
        if (!fakeFfmpeg.isEmpty())
            fake.emplace(fakeFfmpeg.toUtf8());
        const QString target = folder(QTest::currentDataTag());
        Run run(testMedia(source), args, target + "/out");
        QVERIFY(run.ended());
        QCOMPARE(run.complete.value(0), (QVariantList{reason.isEmpty(), reason.isEmpty() ? target + "/out.mkv" : "", reason}));
        QCOMPARE(entries(target), reason.isEmpty() ? QStringList{"out.mkv"} : QStringList{});
        if (fake)
            QCOMPARE(fake->starts(), 1);
    }

    // Under the size, the streams and length kept, the picture as large as the bits allow, one bar.
    void fittingASize_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("megabytes");
        QTest::addColumn<QString>("made");
        QTest::addRow("noise with sound") << "noise.mp4" << "1" << "h264 640x360, aac 2";
        QTest::addRow("a still without sound") << "still.mp4" << "2" << "h264 960x540";
        QTest::addRow("fewer bits, a smaller picture") << "still.mp4" << "0.2" << "h264 640x360";
        QTest::addRow("sound alone") << "audio.mp3" << "0.05" << "aac 1";
    }
    void fittingASize()
    {
        QFETCH(QString, source);
        QFETCH(QString, megabytes);
        const QString target = folder(QString("fit %1").arg(QTest::currentDataTag()));
        Run run(testMedia(source), ("-fit-size " + megabytes + " " + fitArguments).split(' '), target + "/out", "mp4");
        QVERIFY(run.ended());
        QCOMPARE(passFolders(), QStringList());
        const QString output = target + "/out.mp4";
        QVERIFY(double(QFileInfo(output).size()) <= megabytes.toDouble() * 1e6);
        QTEST(probeStreams(output), "made");
        QVERIFY(probe(output, "format=duration").toDouble() >= probe(testMedia(source), "format=duration").toDouble() * 0.95);
        QVERIFY(std::is_sorted(run.progress.cbegin(), run.progress.cend(), [](const auto& a, const auto& b) { return a.at(0).toInt() < b.at(0).toInt(); }));
    }

    // An output over its size is made again, smaller by its miss, at most twice; one too large fails.
    void anOutputOverItsSizeIsMadeAgain_data()
    {
        QTest::addColumn<QString>("overWhen"); // which second passes the fake FFmpeg makes 1 MB larger
        QTest::addColumn<bool>("fits");
        QTest::addColumn<int>("starts");
        QTest::addRow("the first time") << "[ $(wc -c < \"$0.second\") -eq 1 ]" << true << 3;
        QTest::addRow("every time") << "true" << false << 4;
    }
    void anOutputOverItsSizeIsMadeAgain()
    {
        QFETCH(QString, overWhen);
        QFETCH(bool, fits);
        const FakeFfmpeg fake("\"$ffmpeg\" \"$@\" || exit\ncase \" $* \" in *\" -pass 2 \"*) echo >> \"$0.second\"\n"
                              + overWhen.toUtf8() + " && printf '\\000\\017\\102\\100free' >> \"$last\" && "
                                                    "head -c 999992 /dev/zero >> \"$last\";; esac\nexit 0\n");
        const QString target = folder(QString("over %1").arg(QTest::currentDataTag()));
        Run run(testMedia("av.mp4"), ("-fit-size 1 " + fitArguments).split(' '), target + "/out", "mp4");
        QVERIFY(run.ended());
        QTEST(fake.starts(), "starts"); // the first pass once, the second once per encode
        QCOMPARE(entries(target), fits ? QStringList{"out.mp4"} : QStringList());
        QVERIFY(fits ? QFileInfo(target + "/out.mp4").size() <= 1000000
                     : QRegularExpression("^The output takes 1\\.\\d+ MB, more than the 1 MB it must fit in$")
                           .match(run.complete.value(0).value(2).toString()).hasMatch());
        QCOMPARE(passFolders(), QStringList());
    }

    // A cancel between the passes ends the encoder and leaves neither an output nor pass files.
    void cancellingBetweenThePassesLeavesNothing()
    {
        const FakeFfmpeg fake("case \" $* \" in *\" -pass 2 \"*) echo > \"$0.second\"; exec sleep 4244;; esac\nexec \"$ffmpeg\" \"$@\"\n");
        const QString target = folder("cancelled fit");
        Run run(testMedia("av.mp4"), ("-fit-size 1 " + fitArguments).split(' '), target + "/out", "mp4");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(fake.bin.filePath("ffmpeg.second")), 30000);
        QVERIFY(QFile::exists(Folders::tempFolder() + "/" + passFolders().value(0) + "/x264-0.log")); // the first pass is done
        run.worker.cancel();
        QVERIFY(run.cancelled.wait(5000));
        QCOMPARE(entries(target), QStringList());
        QCOMPARE(passFolders(), QStringList());
        QVERIFY(!anyProcessMentions("4244"));
    }

    // A stop acts only on the run in progress: it ends that run's FFmpeg and deletes the one file the
    // run made, never a finished output, nor a folder that a run about to start has not yet named its
    // output in.
    void stoppingActsOnlyOnTheRunInProgress()
    {
        const QString work = Folders::tempFolder() + "/work";
        QDir().mkpath(work);
        MainWindow window;
        QSignalSpy progress(&window, &MainWindow::conversionProgress);
        QSignalSpy complete(&window, &MainWindow::conversionComplete);
        QSignalSpy cancelled(&window, &MainWindow::conversionCancelled);
        window.startNewConversion(testMedia("av.mp4"), "-s 320x240 -c:v mpeg4", "640x360", work + "/item", "mkv");
        QVERIFY(complete.wait(30000));
        QVERIFY(ffmpegReport(work + "/item.mkv").contains(", 320x180"));
        window.stopConversion();
        QVERIFY(QFile::exists(work + "/item.mkv"));
        window.startNewConversion(testMedia("long.mp4"), slowArguments.join(' '), "160x120", work + "/next", "mkv");
        window.stopConversion();
        QVERIFY(cancelled.wait(5000));
        QCOMPARE(entries(work), QStringList{"item.mkv"});
        window.startNewConversion(testMedia("long.mp4"), slowArguments.join(' '), "160x120", work + "/running", "mkv");
        QVERIFY(progress.wait(30000));
        QVERIFY(anyProcessMentions(work + "/running"));
        window.stopConversion();
        QVERIFY(cancelled.wait(5000));
        QVERIFY2(!anyProcessMentions(work), "FFmpeg is gone");
        QCOMPARE(complete.count(), 1);
        QCOMPARE(entries(work), QStringList{"item.mkv"});
    }
};

QTEST_MAIN(TestConversionThread)
#include "tst_conversionthread.moc"
