#include "app/startup.h"
#include "catalogue/catalogue.h"
#include "platform/folders.h"
#include "platform/logfile.h"
#include "ffmpegsupport.h"
#include "testsupport.h"

#include <QtTest>

#include <csignal>
#include <sys/stat.h>

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Halvorn itself, started in the isolated home; it answers its message boxes on standard error.
void startHalvorn(QProcess& process, const QStringList& arguments, const QString& program = HALVORN_TEST_EXECUTABLE,
                  bool display = true)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HALVORN_UNATTENDED", "1");
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (!display)
            environment.remove(name);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    QVERIFY(process.waitForStarted());
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Folders::setIdentity(); }

    void firstStartMakesTheFoldersAndCopiesTheCatalogue()
    {
        IsolatedHome home;
        Folders::makeTempFolder();
        QCOMPARE(Folders::tempFolder(), home.path() + "/.local/share/Halvorn/temp");
        QVERIFY(QDir(Folders::tempFolder()).exists());
        QVERIFY(!Startup::installCatalogue(home.path() + "/nowhere/data.db"));
        QVERIFY(Startup::installCatalogue(QStringLiteral(HALVORN_TEST_CATALOGUE)));
        QCOMPARE(contents(Folders::cataloguePath()), contents(HALVORN_TEST_CATALOGUE));
        QVERIFY2(QFileInfo(Folders::cataloguePath()).isWritable(), "the use counters write to the copy");

        // The user's copy holds their use counters: the next start must not replace it.
        QFile copy(Folders::cataloguePath());
        QVERIFY(copy.open(QIODevice::WriteOnly | QIODevice::Truncate) && copy.write("counted") == 7);
        copy.close();
        QVERIFY(Startup::installCatalogue(QStringLiteral(HALVORN_TEST_CATALOGUE)));
        QCOMPARE(contents(Folders::cataloguePath()), QByteArray("counted"));
    }

    // A new release's catalogue reaches a user who has the previous one, and the user's choices
    // still come first.
    void anOlderCatalogueTakesTheNewRowsAndKeepsItsCounters()
    {
        IsolatedHome home;
        QDir().mkpath(Folders::dataFolder());
        QProcess sqlite;
        sqlite.start("sqlite3", {"-bail", Folders::cataloguePath(),
                                 ".read " HALVORN_SOURCE_DIR "/tests/catalogue/previous-catalogue.sql"});
        QVERIFY(sqlite.waitForFinished() && sqlite.exitCode() == 0);
        QVERIFY(Catalogue::version(HALVORN_TEST_CATALOGUE) > Catalogue::version(Folders::cataloguePath()));
        QVERIFY(Startup::installCatalogue(HALVORN_TEST_CATALOGUE));
        QCOMPARE(Catalogue::version(Folders::cataloguePath()), Catalogue::version(HALVORN_TEST_CATALOGUE));
        Catalogue catalogue;
        QVERIFY(catalogue.open(Folders::cataloguePath()));
        catalogue.load();
        QVERIFY(catalogue.addList().value(5).contains("*.opus"));
        QCOMPARE(catalogue.formatList().mid(0, 5), (QStringList{"2", "MP3", "0", "images/icons/mp3.png", "5"}));
        QCOMPARE(catalogue.deviceList().value(4), "2");
        const QStringList mp3 = catalogue.outputList("2");
        QCOMPARE(mp3.size(), 6 * Catalogue::outputColumns);
        QCOMPARE(mp3.mid(0, 6), (QStringList{"82", "320k", "2", "images/icons/mp3-320.png", "mp3", "5"}));
    }

    void aDamagedCatalogueIsRestoredWhenTheUserAgrees_data()
    {
        QTest::addColumn<QByteArray>("damage");
        QTest::addColumn<bool>("agree");
        QTest::addRow("random bytes") << QByteArray(4096, '\x5a') << true;
        QTest::addRow("no tables") << QByteArray() << true;
        QTest::addRow("user says no") << QByteArray("not a database") << false;
    }
    void aDamagedCatalogueIsRestoredWhenTheUserAgrees()
    {
        QFETCH(QByteArray, damage);
        QFETCH(bool, agree);
        IsolatedHome home;
        Folders::makeTempFolder();
        QFile catalogue(Folders::cataloguePath());
        QVERIFY(catalogue.open(QIODevice::WriteOnly) && catalogue.write(damage) == damage.size());
        catalogue.close();
        QFile(Folders::cataloguePath() + ".damaged").open(QIODevice::WriteOnly); // an earlier one is kept too
        MessageRecorder recorder(agree ? QMessageBox::Yes : QMessageBox::No);
        Startup::repairCatalogue(HALVORN_TEST_CATALOGUE);
        QCOMPARE(recorder.prompts.size(), 1);
        QVERIFY(recorder.prompts.at(0).text.startsWith("The catalogue data.db is damaged"));
        QCOMPARE(contents(Folders::cataloguePath()), agree ? contents(HALVORN_TEST_CATALOGUE) : damage);
        QCOMPARE(QFile::exists(Folders::cataloguePath() + ".damaged-2"), agree);
        QCOMPARE(contents(Folders::cataloguePath() + ".damaged-2"), agree ? damage : QByteArray());
    }

    // First starts at the same moment on a fresh data folder: of two windows one runs and the other
    // hands over, and a batch run, which takes no lock, copies the catalogue apart from them.
    void firstStartsAtOnce()
    {
        IsolatedHome home;
        QProcess windows[2];
        QProcess batch;
        startHalvorn(windows[0], {});
        startHalvorn(windows[1], {});
        startHalvorn(batch, {"--list-presets"});
        QVERIFY(batch.waitForFinished(30000) && batch.exitCode() == 0 && batch.readAllStandardOutput().contains(" MP3 "));
        QTRY_VERIFY_WITH_TIMEOUT(windows[0].state() == QProcess::NotRunning || windows[1].state() == QProcess::NotRunning, 30000);
        QProcess& running = windows[windows[0].state() == QProcess::NotRunning ? 1 : 0];
        ::kill(pid_t(running.processId()), SIGTERM);
        for (QProcess& window : windows) {
            QVERIFY((window.state() == QProcess::NotRunning || window.waitForFinished(30000)) && window.exitCode() == 0);
            QVERIFY(!window.readAllStandardError().contains("Fatal Error"));
        }
    }

    void startWithoutCatalogueStopsWithStatusOne()
    {
        IsolatedHome home;
        // A copy of the program in a folder with no data.db beside it and none installed.
        QTemporaryDir bin;
        QVERIFY(QFile::copy(QStringLiteral(HALVORN_TEST_EXECUTABLE), bin.filePath("halvorn")));
        QProcess process;
        startHalvorn(process, {}, bin.filePath("halvorn"));
        QVERIFY(process.waitForFinished(30000));
        QVERIFY(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 1);
        QVERIFY(process.readAllStandardError().contains("Fatal Error: data.db not found. Please try re-installing!\n"));
        QVERIFY2(QDir(Folders::tempFolder()).exists(), "the temporary folder is made before the catalogue is looked for");
    }

    // Halvorn probes a file named on its command line, or handed over by a second start that then
    // ends (even one without a display, as from a terminal), and its probe waits on that file, a
    // pipe that nobody writes, when the system ends it: no FFmpeg outlives it, and unless it was
    // killed outright it closes as if the user had closed it. Suffixes count in any letter case, and
    // the refused files are named once.
    void endedBySignal_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::addColumn<bool>("handedOver");
        QTest::addRow("SIGTERM, handed over") << SIGTERM << true;
        QTest::addRow("SIGHUP") << SIGHUP << false;
        QTest::addRow("SIGINT, handed over") << SIGINT << true;
        QTest::addRow("SIGKILL") << SIGKILL << false;
    }
    void endedBySignal()
    {
        QFETCH(int, signalNumber);
        QFETCH(bool, handedOver);
        IsolatedHome home;
        const QString pipe = home.path() + "/WAITING.MP4";
        QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
        const QString ffmpegOnPipe = QString("-i") + QChar(0) + pipe; // not Halvorn's own command line
        QProcess halvorn;
        startHalvorn(halvorn, handedOver ? QStringList() : QStringList{pipe});
        if (handedOver) {
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(Folders::dataFolder() + "/instance.lock"), 30000);
            QProcess second;
            second.setWorkingDirectory(home.path());
            startHalvorn(second, {"WAITING.MP4", "notes.txt", "scan.pdf"}, HALVORN_TEST_EXECUTABLE, false);
            QVERIFY(second.waitForFinished(30000) && second.exitStatus() == QProcess::NormalExit && second.exitCode() == 0);
            QByteArray said;
            QTRY_VERIFY_WITH_TIMEOUT((said += halvorn.readAllStandardError())
                                         .contains("2 files were not added: notes.txt, scan.pdf are not audio or video files"),
                                     30000);
        }
        QTRY_VERIFY_WITH_TIMEOUT(anyProcessMentions(ffmpegOnPipe), 30000);
        QFile(Folders::tempFolder() + "/leftover.png").open(QIODevice::WriteOnly);
        ::kill(pid_t(halvorn.processId()), signalNumber);
        QVERIFY(halvorn.waitForFinished(30000));
        QTRY_VERIFY2(!anyProcessMentions(ffmpegOnPipe), "FFmpeg died with Halvorn");
        QCOMPARE(halvorn.exitStatus(), signalNumber == SIGKILL ? QProcess::CrashExit : QProcess::NormalExit);
        QCOMPARE(QFile::exists(Folders::tempFolder() + "/leftover.png"), signalNumber == SIGKILL);
    }

    void runLogLinesAreTrimmedAndCappedPerRun()
    {
        IsolatedHome home;
        LogFile::appendRunLog("  x  ");
        LogFile::RunLog run(10);
        run.append("first\n");
        run.append("second line\rthird");
        for (int i = 0; i < LogFile::RunLog::keptLines; ++i)
            run.append(QString("line %1").arg(i));
        run.finish();
        const QStringList lines = QString::fromUtf8(contents(Folders::runLogPath())).split('\n');
        const QString stop = "[The log of this run stops here, at its size limit. Its last lines follow when it ends.]";
        QCOMPARE(lines.mid(0, 5), (QStringList{"x", "first", stop, "[The run's last lines:]", "line 0"}));
        QCOMPARE(lines.size(), 4 + LogFile::RunLog::keptLines + 1);
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
