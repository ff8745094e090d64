#include "burn/burndisc.h"
#include "burn/imagefile.h"
#include "burn/selectdrive.h"
#include "burnfakes.h"
#include "ffmpegsupport.h"
#include "pagedriver.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Writes b, c and a one after the other, each on a later millisecond, so that their creation
// order is plain; they hold the given bytes.
void createBca(const QString& folder, const QString& suffix, const QList<QByteArray>& bytes = {"b", "cc", "aaa"})
{
    for (int i = 0; i < 3; ++i) {
        const qint64 before = QDateTime::currentMSecsSinceEpoch();
        (void)QTest::qWaitFor([&] { return QDateTime::currentMSecsSinceEpoch() > before; });
        QFile file(folder + "/" + QString("bca").at(i) + suffix);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes.at(i)) == bytes.at(i).size());
    }
}

QByteArray wav(const QString& seconds, int channels)
{
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-nostdin", "-loglevel", "error", "-f", "lavfi", "-i", "sine=duration=" + seconds, "-ac",
                            QString::number(channels), "-ar", "44100", "-c:a", "pcm_s16le", "-f", "wav", "-"});
    return ffmpeg.waitForFinished(30000) ? ffmpeg.readAllStandardOutput() : QByteArray();
}

// A DVD-Video clip of the given length in seconds, as the conversion makes them for a DVD run.
QByteArray dvdClip(const QString& format, const QString& seconds)
{
    const bool pal = format == "PAL";
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-nostdin", "-loglevel", "error", "-f", "lavfi", "-i",
                            QString("color=size=%1:rate=%2:duration=%3").arg(pal ? "352x288" : "352x240",
                                                                            pal ? "25" : "30000/1001", seconds),
                            "-target", pal ? "pal-dvd" : "ntsc-dvd", "-b:v", "300k", "-an", "-f", "dvd", "-"});
    return ffmpeg.waitForFinished(30000) ? ffmpeg.readAllStandardOutput() : QByteArray();
}

} // namespace

class TestBurn final : public QObject {
    Q_OBJECT
    std::unique_ptr<IsolatedHome> home;
    const QString helpers = QFileInfo(HALVORN_TEST_EXECUTABLE).absolutePath();

private slots:
    void initTestCase() { home = startedHome(); }
    void init() { QFile::remove(Folders::runLogPath()); }

    void authoringFile_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("folder");
        QTest::addRow("PAL") << "PAL" << "burn";
        QTest::addRow("NTSC") << "NTSC" << "burn";
        QTest::addRow("reserved characters") << "PAL" << "a&b <\"c\">";
    }
    // The authoring tool itself judges the file: it makes one title of the clips.
    void authoringFile()
    {
        QFETCH(QString, format);
        QFETCH(QString, folder);
        QTemporaryDir dir;
        const QString work = dir.filePath(folder);
        QDir().mkpath(work);
        const QList<QByteArray> clips = {dvdClip(format, "1"), dvdClip(format, "2"), dvdClip(format, "3")};
        createBca(work, ".mpg", clips);
        for (int run = 0; run < 2; ++run) { // a second run leaves names and file as they are
            BurnDisc burn;
            burn.setJob("dvd", "/dev/sr0", work, format);
            burn.writeAuthoringFile();
            QCOMPARE(burn.getTotalBytes(), clips[0].size() + clips[1].size() + clips[2].size());
            QList<QByteArray> order; // created b, c, a: named by creation time, they sort b, c, a
            for (const QString& name : QDir(work).entryList({"?????????????????.mpg"}, QDir::Files, QDir::Name))
                order.append(contents(work + "/" + name));
            QCOMPARE(order, clips);
        }
        QProcess dvdauthor;
        dvdauthor.setProcessChannelMode(QProcess::MergedChannels);
        dvdauthor.start("dvdauthor", {"-x", work + "/halvorn.xml"});
        QVERIFY(dvdauthor.waitForFinished(60000));
        QVERIFY2(dvdauthor.exitCode() == 0, dvdauthor.readAll().constData());
        QProcess tarvik;
        tarvik.start(helpers + "/tarvik", {work + "/DVD"});
        QVERIFY(tarvik.waitForFinished(30000));
        QVERIFY2(tarvik.readAllStandardOutput().startsWith("TITLES: 01\nTITLE_01 LENGTH (ms) = 6"), "one title of 6 s");
    }

    void runner_data()
    {
        QTest::addColumn<QString>("disc");
        QTest::addColumn<bool>("helpersThere");
        QTest::addColumn<QList<int>>("authoring"); // none: it ends well but leaves no disc structure
        QTest::addColumn<QList<int>>("burning");
        QTest::addColumn<QStringList>("finished");
        QTest::addColumn<QString>("reason");
        const QString unauthored = "The DVD could not be authored from the converted files.";
        QTest::addRow("DVD fails twice, then burns") << "dvd" << true << QList{0} << QList{1, 1, 0} << QStringList{"1", "1", "0"} << "";
        QTest::addRow("DVD fails three times") << "dvd" << true << QList{0} << QList{1} << QStringList{"1", "1", "1"}
                                               << "The disc could not be burned: the burning tool failed 3 times.";
        QTest::addRow("authoring fails") << "dvd" << true << QList{2} << QList{0} << QStringList() << unauthored;
        QTest::addRow("authoring writes nothing") << "dvd" << true << QList<int>() << QList{0} << QStringList() << unauthored;
        QTest::addRow("no helpers") << "dvd" << false << QList{0} << QList{0} << QStringList()
                                    << "The DVD authoring tool could not be started.";
        QTest::addRow("CD burns") << "cd" << true << QList<int>() << QList{0} << QStringList{"0"} << "";
        QTest::addRow("CD fails") << "cd" << true << QList<int>() << QList{1} << QStringList{"1"} << "The disc could not be burned.";
    }
    void runner()
    {
        QFETCH(QString, disc);
        QFETCH(bool, helpersThere);
        QFETCH(QList<int>, authoring);
        QFETCH(QList<int>, burning);
        QFETCH(QStringList, finished);
        QFETCH(QString, reason);
        const bool dvd = disc == "dvd";
        FakeTools fakes;
        fakes.putFirstOnPath(helpersThere ? QStringList{helpers} : QStringList());
        fakes.add("dvdauthor", {authoring.value(0)},
                  authoring.isEmpty() ? "" : "echo 'STAT: VOBU 16 at 1MB, 1 PGCs' >&2; d=$(dirname \"$2\")/DVD/VIDEO_TS;"
                                             " mkdir -p \"$d\" && : > \"$d/VIDEO_TS.IFO\"");
        // More output than a run may log: only its last lines are kept.
        fakes.add(dvd ? "growisofs" : "wodim", burning,
                  "yes 'writing sector' | head -n 80000 >&2; echo '/dev/sr0: flushing cache' >&2");
        QTemporaryDir work;
        createBca(work.path(), dvd ? ".mpg" : ".wav");

        BurnDisc burn;
        QSignalSpy status(&burn, &BurnDisc::textStatus);
        QSignalSpy time(&burn, &BurnDisc::burnEstTime);
        QSignalSpy complete(&burn, &BurnDisc::burnComplete);
        burn.setJob(disc, dvd ? "/dev/sr0" : "1,0,0", work.path(), "PAL");
        burn.start();
        QVERIFY(complete.wait(30000) && burn.wait(5000));
        QCOMPARE(complete.size(), 1);
        QCOMPARE(complete.at(0), QVariantList({reason.isEmpty(), QString(), reason}));
        QCOMPARE(status.last().at(0).toString(), reason.isEmpty() ? "Burn Complete" : "Burn Failed");
        QCOMPARE(time.last().at(0).toString(), reason.isEmpty() ? "Burn complete" : "Burn failed");
        const QString log = QString::fromUtf8(contents(Folders::runLogPath()));
        QCOMPARE(log.split('\n').filter(QRegularExpression("^Finished: ")), finished.replaceInStrings(QRegularExpression("^"),
                                                                                                      "Finished: exitCode="));
        const QStringList calls = fakes.calls(dvd ? "growisofs" : "wodim");
        QCOMPARE(calls.size(), finished.size() * (dvd ? 4 : 9));
        if (finished.isEmpty())
            return;
        QVERIFY(log.contains("/dev/sr0: flushing cache") && log.size() < LogFile::RunLog::defaultLimit);
        if (dvd) {
            QCOMPARE(calls.mid(0, 4), QStringList({"-Z", "/dev/sr0", "-dvd-video", work.path() + "/DVD"}));
            QCOMPARE(status.count({"Burning DVD..."}), 1);
            QCOMPARE(time.count({"Calculating time remaining..."}), finished.size());
            return;
        }
        QCOMPARE(calls.mid(0, 6), QStringList({"-v", "dev=1,0,0", "-pad", "-audio", "-dao", "gracetime=2"}));
        QList<QByteArray> tracks; // created b, c, a: burned b, c, a, as the helper expanded the pattern
        for (const QString& path : calls.mid(6))
            tracks.append(contents(path));
        QCOMPARE(tracks, QList<QByteArray>({"b", "cc", "aaa"}));
    }

    void cdImage_data()
    {
        QTest::addColumn<QString>("taken");
        QTest::addColumn<int>("channels");
        QTest::addColumn<QString>("reason");
        QTest::addRow("three tracks") << "" << 2 << "";
        QTest::addRow("the BIN name taken") << "disc.bin" << 2 << "already exists";
        QTest::addRow("not CD audio") << "" << 1 << "is not CD audio";
    }
    void cdImage()
    {
        QFETCH(QString, taken);
        QFETCH(int, channels);
        QFETCH(QString, reason);
        QTemporaryDir work, out;
        const QByteArray second = wav("1", channels);
        createBca(work.path(), ".wav", {second, wav("0.5", channels), second});
        if (!taken.isEmpty())
            QVERIFY(QFile(out.filePath(taken)).open(QIODevice::WriteOnly));
        BurnDisc burn;
        QSignalSpy complete(&burn, &BurnDisc::burnComplete);
        burn.setJob("cd", out.filePath("disc.cue"), work.path(), {});
        burn.start();
        QVERIFY(complete.wait(30000));
        QVERIFY(complete.at(0).at(2).toString().contains(reason));
        // Every track lasts at least the 4 seconds a CD track must, made up with silence.
        const QByteArray bin = contents(out.filePath("disc.bin"));
        QCOMPARE(bin.size(), reason.isEmpty() ? 3 * 300 * 2352 : 0);
        QCOMPARE(contents(out.filePath("disc.cue")),
                 reason.isEmpty() ? "FILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n"
                                    "    INDEX 01 00:04:00\n  TRACK 03 AUDIO\n    INDEX 01 00:08:00\n" : "");
        QCOMPARE(bin.mid(600 * 2352, 176400) == second.right(176400), reason.isEmpty());
        QCOMPARE(QString::fromUtf8(contents(Folders::runLogPath())).count("lasts less than 4 seconds"), channels == 2 ? 3 : 0);
        // No working file is left beside the image, whatever became of it.
        QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden).join(' '), reason.isEmpty() ? "disc.bin disc.cue" : taken);
    }

    void aCdDriveByItsBusAddress()
    {
        FakeTools fakes;
        fakes.putFirstOnPath({helpers});
        fakes.add("dvd+rw-mediainfo", {0}, "cat <<'EOF'\n" + mediaInfo("9h, CD-R", "blank", "359847") + "EOF");
        fakes.add("wodim", {0}, "printf \"\\t1,0,0\\t100) 'HL-DT-ST' 'DVDRAM GH24NSB0 ' 'LK00' Removable CD-ROM\\n\"");
        QTemporaryDir sys;
        fakeDrive(sys.path());
        SelectDrive dialog;
        dialog.setSystemRoots(sys.path(), sys.path() + "/dev");
        MessageRecorder messages;
        FileDialogs::setDialogAnswerer(pressOk);
        // The blank CD-R holds 4797 seconds: a queue as long is refused and the dialog stays open.
        for (const int seconds : {4797, 4796}) {
            dialog.setDisc("cd", seconds);
            QCOMPARE(dialog.exec() == QDialog::Accepted, seconds == 4796);
        }
        QCOMPARE(messages.prompts.size(), 1);
        QCOMPARE(dialog.getDeviceId(), "1,0,0");
        QCOMPARE(dialog.getDriveRoot(), sys.path() + "/dev/sr0");

        bool closedByEnter = false; // Enter in the drive list presses the default button, Cancel
        FileDialogs::setDialogAnswerer([&](QDialog& shown) {
            auto* combo = shown.findChild<QComboBox*>();
            QVERIFY(QTest::qWaitFor([&] { return combo->isEnabled(); }));
            QCOMPARE(combo->itemText(combo->count() - 1), "Disc image (.cue and .bin)");
            QVERIFY(QTest::qWaitForWindowActive(&shown));
            combo->setFocus();
            QTest::keyClick(combo, Qt::Key_Return);
            closedByEnter = !shown.isVisible();
        });
        QCOMPARE(dialog.exec(), QDialog::Rejected);
        QVERIFY(closedByEnter);

        // An image must fit an audio CD too: a longer queue is refused before a name is asked.
        FileDialogRecorder saveAs;
        FileDialogs::setDialogAnswerer([](QDialog& shown) {
            QVERIFY(QTest::qWaitFor([&] { return shown.findChild<QComboBox*>()->isEnabled(); }));
            QTest::keyClick(shown.findChild<QComboBox*>(), Qt::Key_End);
            pressOk(shown);
        });
        dialog.setDisc("cd", 4801);
        QCOMPARE(dialog.exec(), QDialog::Rejected);
        QVERIFY(saveAs.requests.isEmpty() && messages.prompts.last().text.contains("not large enough"));
    }

    // The dialog shows at once and says what it waits for; Escape ends the wait and its tool.
    void theWindowNeverWaitsForADriveTool_data()
    {
        QTest::addColumn<QString>("stuck"); // the tool that never answers
        QTest::addColumn<QString>("said");
        QTest::addRow("bus scan") << "wodim" << "Looking for drives…";
        QTest::addRow("disc check") << "dvd+rw-mediainfo" << "Checking the disc…";
    }
    void theWindowNeverWaitsForADriveTool()
    {
        QFETCH(QString, stuck);
        QFETCH(QString, said);
        FakeTools fakes;
        fakes.putFirstOnPath({helpers});
        fakes.add(stuck, {0}, "exec sleep 86397");
        QTemporaryDir sys;
        fakeDrive(sys.path());
        SelectDrive dialog;
        dialog.setSystemRoots(sys.path(), sys.path() + "/dev");
        dialog.setDisc(stuck == "wodim" ? "cd" : "dvd", 60);
        bool waited = false;
        FileDialogs::setDialogAnswerer([&](QDialog& shown) {
            auto* ok = shown.findChild<QPushButton*>("okButton");
            if (stuck != "wodim" && QTest::qWaitFor([&] { return ok->isEnabled(); }))
                QTest::mouseClick(ok, Qt::LeftButton);
            waited = QTest::qWaitFor([] { return anyProcessMentions("86397"); }) && shown.findChild<QLabel*>()->text() == said;
            QTest::keyClick(&shown, Qt::Key_Escape);
            QVERIFY(shown.isHidden());
        });
        QCOMPARE(dialog.exec(), QDialog::Rejected);
        FileDialogs::setDialogAnswerer({});
        QVERIFY(waited);
        QTRY_VERIFY(!anyProcessMentions("86397"));
    }

    // An image appears under its name only when whole: a writer killed half-way leaves a working
    // file, which the next start removes. The killed writer is a child of the test.
    void aKilledImageWriteLeavesNothingBehind()
    {
        QTemporaryDir out;
        const pid_t writer = ::fork();
        if (writer == 0) {
            ImageFile image(out.filePath("movie.iso"));
            if (image.create() && image.file().write("half an image") > 0 && image.file().flush())
                ::kill(::getpid(), SIGKILL);
            ::_exit(1);
        }
        int status = 0;
        QVERIFY(writer > 0 && ::waitpid(writer, &status, 0) == writer && WIFSIGNALED(status));
        QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{".movie (writing).iso"});
        WorkingFiles::removeAbandoned();
        QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }
};

QTEST_MAIN(TestBurn)
#include "tst_burn.moc"
