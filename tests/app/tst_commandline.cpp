#include "app/commandline.h"
#include "ffmpegsupport.h"
#include "testsupport.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

#include <csignal>

using CommandLine::Mode;

class TestCommandLine : public QObject {
    Q_OBJECT

    std::unique_ptr<IsolatedHome> home;
    QTemporaryDir work;

    struct Run {
        int exitCode = -1;
        QString out;
        QString err;
    };
    // The real executable, without a display, in the test's own home.
    void start(QProcess& process, const QStringList& arguments, const QString& path = qEnvironmentVariable("PATH"))
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("DISPLAY");
        environment.remove("QT_QPA_PLATFORM");
        environment.insert("PATH", path);
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(work.path());
        process.start(HALVORN_TEST_EXECUTABLE, arguments);
    }
    Run halvorn(const QStringList& arguments)
    {
        QProcess process;
        start(process, arguments);
        process.waitForFinished(120000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
    }

    // A PATH whose FFmpeg probes for real but converts for ever.
    QTemporaryDir fakes;
    QString endlessConverterPath()
    {
        QFile fake(fakes.filePath("ffmpeg"));
        if (!fake.exists() && fake.open(QIODevice::WriteOnly)) {
            fake.write("#!/bin/sh\ncase \" $* \" in *\" -y \"*) echo 'size= 1kB time=00:00:01.00' >&2; exec sleep 4343;; esac\n"
                       "exec " + QStandardPaths::findExecutable("ffmpeg").toUtf8() + " \"$@\"\n");
            fake.close();
            fake.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        }
        return fakes.path() + ":" + qEnvironmentVariable("PATH");
    }

private slots:
    void initTestCase()
    {
        home = startedHome();
        QFile::copy(testMedia("av.mp4"), work.filePath("av.mp4"));
        QFile::copy(testMedia("audio.mp3"), work.filePath("audio.mp3"));
        QFile::copy(testMedia("unreadable.mp4"), work.filePath("broken.mp4"));
    }

    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<QString>("detail"); // the files for the window, the preset, or the start of the error
        QTest::addRow("files for the window") << QStringList{"a.mp4", "b.mp3"} << Mode::Window << "a.mp4 b.mp3";
        QTest::addRow("Qt's options and values are no files")
            << QStringList{"-style", "fusion", "a.mp4", "--session", "s.mp4", "-reverse", "--style=x"}
            << Mode::Window << "a.mp4";
        QTest::addRow("help wins") << QStringList{"a.mp4", "-h"} << Mode::Help << "";
        QTest::addRow("version") << QStringList{"--version"} << Mode::Version << "";
        QTest::addRow("preset table") << QStringList{"--list-presets"} << Mode::ListPresets << "";
        QTest::addRow("convert") << QStringList{"--preset", "82", "-o", "out", "a.mp3"} << Mode::Convert << "82";
        QTest::addRow("joined values") << QStringList{"--preset=82", "--output=out", "a.mp3"} << Mode::Convert << "82";
        QTest::addRow("a dash name after --") << QStringList{"--preset", "82", "--", "-a.mp3"} << Mode::Convert << "82";
        QTest::addRow("unknown option") << QStringList{"--bogus", "a.mp4"} << Mode::Error << "Unknown option: --bogus";
        QTest::addRow("preset without id") << QStringList{"--preset"} << Mode::Error << "--preset needs";
        QTest::addRow("nothing to convert") << QStringList{"--preset", "82"} << Mode::Error << "No files";
        QTest::addRow("output alone") << QStringList{"-o", "out", "a.mp4"} << Mode::Error << "--output goes";
        QTest::addRow("table with files") << QStringList{"--list-presets", "a.mp4"} << Mode::Error << "--list-presets takes";
    }
    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(Mode, mode);
        QFETCH(QString, detail);
        const CommandLine::Request request = CommandLine::parse(QStringList{"halvorn"} + arguments);
        QCOMPARE(request.mode, mode);
        QVERIFY(mode == Mode::Error    ? request.error.startsWith(detail)
                : mode == Mode::Window ? request.files.join(' ') == detail
                                       : request.presetId == detail);
    }

    void aMixedListConvertsTheGoodFilesAndNeverOverwrites()
    {
        const QRegularExpression row("^\\s*(\\d+)  MP3\\s+128k\\s+mp3$", QRegularExpression::MultilineOption);
        const QString mp3Preset = row.match(halvorn({"--list-presets"}).out).captured(1);
        QVERIFY2(!mp3Preset.isEmpty(), "the preset table lists MP3 128k, without a display");
        for (const char* expected : {"av.mp3", "av (New).mp3"}) {
            const Run run = halvorn({"--preset", mp3Preset, "--output", "out", "av.mp4", "broken.mp4", "audio.mp3"});
            QCOMPARE(run.exitCode, 1);
            QVERIFY2(run.out.contains("[2/3] broken.mp4 failed: FFmpeg is unable to extract"), qPrintable(run.out));
            QVERIFY2(run.out.endsWith("2 converted, 1 failed\n"), qPrintable(run.out));
            QVERIFY(QFileInfo(work.filePath("out/" + QString(expected))).size() > 1000);
        }
        QCOMPARE(QDir(work.filePath("out")).entryList(QDir::Files).size(), 4);
    }

    void aWrongCommandSaysWhyAndConvertsNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::addRow("unknown preset") << QStringList{"--preset", "999999", "av.mp4"} << "Unknown preset id 999999";
        QTest::addRow("missing file") << QStringList{"--preset", "82", "av.mp4", "gone.mp4"} << "Cannot read gone.mp4";
    }
    void aWrongCommandSaysWhyAndConvertsNothing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const Run run = halvorn(arguments << "--output" << "refused");
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
        QVERIFY(QDir(work.filePath("refused")).isEmpty());
    }

    void ctrlCLeavesNoFfmpegAndNoPartialOutput()
    {
        QProcess process;
        start(process, {"--preset", "82", "--output", "stopped", "audio.mp3"}, endlessConverterPath());
        QTRY_VERIFY_WITH_TIMEOUT(anyProcessMentions("4343"), 30000);
        ::kill(pid_t(process.processId()), SIGINT);
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 130);
        QVERIFY(!anyProcessMentions("4343"));
        QCOMPARE(QDir(work.filePath("stopped")).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    // A run killed outright cannot remove its working file: the next start does, and only that one,
    // never the working file of a run that is still going.
    void theNextStartRemovesTheWorkingFileOfAKilledRunOnly()
    {
        const auto workingFiles = [this] { return QDir(work.filePath("shared")).entryList(QDir::Files | QDir::Hidden); };
        QProcess runs[2];
        for (QProcess& run : runs) {
            start(run, {"--preset", "82", "--output", "shared", "audio.mp3"}, endlessConverterPath());
            QTRY_COMPARE_WITH_TIMEOUT(workingFiles().size(), &run - runs + 1, 30000);
        }
        QProcess& killed = runs[0];
        QProcess& going = runs[1];
        ::kill(pid_t(killed.processId()), SIGKILL);
        QVERIFY(killed.waitForFinished(30000));
        QCOMPARE(halvorn({"--list-presets"}).exitCode, 0);
        QCOMPARE(workingFiles(), QStringList{".audio (converting 2).mp3"});
        ::kill(pid_t(going.processId()), SIGINT);
        QVERIFY(going.waitForFinished(30000));
        QCOMPARE(workingFiles(), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
