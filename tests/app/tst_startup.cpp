#include "app/startup.h"
#include "platform/folders.h"
#include "platform/logfile.h"
#include "testsupport.h"

#include <QProcess>
#include <QtTest>

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Startup::setIdentity(); }

    void tempFolderIsMadeWithMissingParents()
    {
        IsolatedHome home;
        QVERIFY(!QDir(Folders::dataFolder()).exists());
        Startup::makeTempFolder();
        QVERIFY(QDir(Folders::tempFolder()).exists());
        QCOMPARE(Folders::tempFolder(), home.path() + "/.local/share/Halvorn/temp");
    }

    void foldersHandedToThePagesEndWithTheSeparator()
    {
        IsolatedHome home;
        QCOMPARE(Folders::tempFolderWithSeparator(), Folders::tempFolder() + "/");
        QCOMPARE(Folders::musicFolderWithSeparator(), home.path() + "/Music/");
        QCOMPARE(Folders::videoFolderWithSeparator(), home.path() + "/Videos/");
    }

    void firstStartCopiesTheCatalogueAndLaterStartsKeepTheirCopy()
    {
        IsolatedHome home;
        Startup::makeTempFolder();
        QVERIFY(Startup::installCatalogue(QStringLiteral(HALVORN_TEST_CATALOGUE)));
        QFile copy(Folders::cataloguePath());
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QFile bundled(QStringLiteral(HALVORN_TEST_CATALOGUE));
        QVERIFY(bundled.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), bundled.readAll());
        copy.close();
        QVERIFY2(QFileInfo(Folders::cataloguePath()).isWritable(), "the use counters write to the copy");

        // The user's copy holds their use counters: the next start must not replace it.
        QVERIFY(copy.open(QIODevice::WriteOnly | QIODevice::Truncate));
        copy.write("counted");
        copy.close();
        QVERIFY(Startup::installCatalogue(QStringLiteral(HALVORN_TEST_CATALOGUE)));
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), QByteArray("counted"));
    }

    void noCatalogueAnywhereIsReported()
    {
        IsolatedHome home;
        Startup::makeTempFolder();
        QVERIFY(!Startup::installCatalogue(QString()));
        QVERIFY(!Startup::installCatalogue(home.path() + "/nowhere/data.db"));
        QVERIFY(!QFile::exists(Folders::cataloguePath()));
    }

    void startWithoutCatalogueStopsWithStatusOne()
    {
        IsolatedHome home;
        // A copy of the program in a folder with no data.db beside it and none installed.
        QTemporaryDir bin;
        const QString program = bin.filePath("halvorn");
        QVERIFY(QFile::copy(QStringLiteral(HALVORN_TEST_EXECUTABLE), program));

        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HALVORN_UNATTENDED", "1");
        process.setProcessEnvironment(environment);
        process.start(program, {});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 1);
        QVERIFY2(process.readAllStandardError().contains(
                     "Fatal Error: data.db not found. Please try re-installing!\n"),
                 "the fatal message");
        QVERIFY2(QDir(home.path() + "/.local/share/Halvorn/temp").exists(),
                 "the temporary folder is made before the catalogue is looked for");
    }

    void workerLogLinesAreTrimmedWindowLogLinesAreNot()
    {
        IsolatedHome home;
        Startup::makeTempFolder();
        LogFile::appendRunLog("  x  ");
        LogFile::appendRunLog("y");
        LogFile::appendRunLog("first\nsecond");
        LogFile::appendLine(Folders::windowLogPath(), "  x  ");
        LogFile::appendLine(Folders::windowLogPath(), "y");

        QFile runLog(Folders::runLogPath());
        QVERIFY(runLog.open(QIODevice::ReadOnly));
        QCOMPARE(runLog.readAll(), QByteArray("x\ny\nfirst\nsecond\n"));
        QFile windowLog(Folders::windowLogPath());
        QVERIFY(windowLog.open(QIODevice::ReadOnly));
        QCOMPARE(windowLog.readAll(), QByteArray("  x  \ny\n"));
    }

    void aLogThatCannotBeOpenedDropsTheLine()
    {
        IsolatedHome home;
        LogFile::appendLine(home.path() + "/missing/folder/log.txt", "lost");
        QVERIFY(!QFile::exists(home.path() + "/missing/folder/log.txt"));
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
