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
    QTemporaryDir fakes;

    // An FFmpeg first on PATH that notes each start and runs the script given, then the real FFmpeg
    // ("$real").
    QString fakeFfmpeg(const QByteArray& script = {})
    {
        QFile fake(fakes.filePath("ffmpeg"));
        if (!fake.open(QIODevice::WriteOnly))
            return {};
        fake.write("#!/bin/sh\necho >> \"$0.starts\"\nreal='" + QStandardPaths::findExecutable("ffmpeg").toUtf8() + "'\n"
                   + script + "\nexec \"$real\" \"$@\"\n");
        fake.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        QFile::remove(fakes.filePath("ffmpeg.starts"));
        return fakes.path() + ":" + qEnvironmentVariable("PATH");
    }
    int ffmpegStarts() const { return int(QFileInfo(fakes.filePath("ffmpeg.starts")).size()); }

    struct Run {
        int exitCode = -1;
        QString out;
        QString err;
    };
    // The real executable, without a display, in the test's own home, in the language given.
    void start(QProcess& process, const QStringList& arguments, const QString& path = qEnvironmentVariable("PATH"),
               const QString& language = "C.UTF-8")
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("DISPLAY");
        environment.remove("QT_QPA_PLATFORM");
        for (const char* setting : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
            environment.remove(setting);
        environment.insert("LANG", language);
        environment.insert("PATH", path);
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(work.path());
        process.start(HALVORN_TEST_EXECUTABLE, arguments);
    }
    Run halvorn(const QStringList& arguments, const QString& path = qEnvironmentVariable("PATH"),
                const QString& language = "C.UTF-8")
    {
        QProcess process;
        start(process, arguments, path, language);
        process.waitForFinished(120000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
    }

    // A PATH whose FFmpeg converts for ever.
    QString endlessConverterPath() { return fakeFfmpeg("echo 'size= 1kB time=00:00:01.00' >&2; exec sleep 4343"); }

private slots:
    void initTestCase()
    {
        home = startedHome();
        QFile::copy(testMedia("av.mp4"), work.filePath("av.mp4"));
        QFile::copy(testMedia("audio.mp3"), work.filePath("audio.mp3"));
        QFile::copy(testMedia("unreadable.mp4"), work.filePath("broken.mp4"));
        QDir(work.path()).mkdir("sub");
        QFile::copy(testMedia("av.mp4"), work.filePath("sub/av.mp4"));
    }

    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<QString>("detail"); // the files for the window, the job, or the start of the error
        QTest::addRow("files for the window") << QStringList{"a.mp4", "b.mp3"} << Mode::Window << "a.mp4 b.mp3";
        QTest::addRow("Qt's options and values are no files")
            << QStringList{"-style", "fusion", "a.mp4", "--session", "s.mp4", "-reverse", "--style=x"}
            << Mode::Window << "a.mp4";
        QTest::addRow("help wins") << QStringList{"a.mp4", "-h"} << Mode::Help << "";
        QTest::addRow("version") << QStringList{"--version"} << Mode::Version << "";
        QTest::addRow("preset table") << QStringList{"--list-presets"} << Mode::ListPresets << "";
        QTest::addRow("convert") << QStringList{"--preset", "82", "-o", "out", "a.mp3"} << Mode::Convert << "82 -j0";
        QTest::addRow("joined values") << QStringList{"--preset=82", "--output=out", "--jobs=3", "a.mp3"} << Mode::Convert << "82 -j3";
        QTest::addRow("jobs and quiet") << QStringList{"-q", "-j", "2", "--preset", "82", "a.mp3"} << Mode::Convert << "82 -j2 -q";
        QTest::addRow("jobs joined") << QStringList{"--preset", "82", "-j4", "--quiet", "a.mp3"} << Mode::Convert << "82 -j4 -q";
        QTest::addRow("a dash name after --") << QStringList{"--preset", "82", "--", "-a.mp3"} << Mode::Convert << "82 -j0";
        QTest::addRow("no jobs") << QStringList{"--preset", "82", "-j", "0", "a.mp3"} << Mode::Error << "--jobs needs";
        QTest::addRow("jobs without a number") << QStringList{"--preset", "82", "--jobs"} << Mode::Error << "--jobs needs";
        QTest::addRow("quiet alone") << QStringList{"-q", "a.mp3"} << Mode::Error << "--quiet goes";
        QTest::addRow("unknown option") << QStringList{"--bogus", "a.mp4"} << Mode::Error << "Unknown option: --bogus";
        QTest::addRow("preset without id") << QStringList{"--preset"} << Mode::Error << "--preset needs";
        QTest::addRow("nothing to convert") << QStringList{"--preset", "82"} << Mode::Error << "No files";
        QTest::addRow("output alone") << QStringList{"-o", "out", "a.mp4"} << Mode::Error << "--output goes";
        QTest::addRow("table with files") << QStringList{"--list-presets", "a.mp4"} << Mode::Error << "--list-presets takes";
        QTest::addRow("a size") << QStringList{"--fit-size=7.5", "--preset", "12", "a.mp4"} << Mode::Convert << "12 -j0 7.5 MB";
        QTest::addRow("no size") << QStringList{"--fit-size", "0", "a.mp4"} << Mode::Error << "--fit-size needs";
    }
    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(Mode, mode);
        QFETCH(QString, detail);
        const CommandLine::Request request = CommandLine::parse(QStringList{"halvorn"} + arguments);
        QCOMPARE(request.mode, mode);
        const QString job = QString("%1 -j%2%3%4").arg(request.presetId).arg(request.jobs).arg(request.quiet ? " -q" : "")
                                .arg(request.fitSize.isEmpty() ? "" : " " + request.fitSize + " MB");
        QVERIFY2(mode == Mode::Error     ? CommandLine::errorText(request).startsWith(detail)
                 : mode == Mode::Window  ? request.files.join(' ') == detail
                 : mode == Mode::Convert ? job == detail
                                         : detail.isEmpty(),
                 qPrintable(CommandLine::errorText(request) + job));
    }

    // The help and the mistakes of the command line are made before anything else: in German too,
    // from the translation beside the executable, and in English, word for word, without one.
    void theCommandLineSpeaksTheUsersLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said"); // the start of standard output, or of standard error after a mistake
        QTest::addRow("German help") << "de_DE.UTF-8" << QStringList{"--help"} << 0 << "Aufruf: halvorn [DATEI...]\n";
        QTest::addRow("English help") << "C.UTF-8" << QStringList{"--help"} << 0 << "Usage: halvorn [FILE...]\n";
        QTest::addRow("English where no translation is") << "fr_FR.UTF-8" << QStringList{"-h"} << 0 << "Usage: ";
        QTest::addRow("German mistake") << "de_DE.UTF-8" << QStringList{"--bogus"} << 2
                                        << "halvorn: Unbekannte Option: --bogus\nMehr dazu mit „halvorn --help“.\n";
        QTest::addRow("German preset table") << "de_DE.UTF-8" << QStringList{"--list-presets"} << 0 << " ID  Gerät oder Format  ";
    }
    void theCommandLineSpeaksTheUsersLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        const Run run = halvorn(arguments, qEnvironmentVariable("PATH"), language);
        QCOMPARE(run.exitCode, exitCode);
        const QString& text = exitCode == 0 ? run.out : run.err;
        QVERIFY2(text.startsWith(said), qPrintable(text));
    }

    // Several files at once, one failing, two with the same output name: each output its own file,
    // the failure on standard error, each conversion one FFmpeg start (no probe, no check run), and
    // each run its own log, written one conversion after another, beside only the newest earlier ones.
    void aMixedListConvertsTheGoodFilesAndNeverOverwrites()
    {
        const QRegularExpression row("^\\s*(\\d+)  MP3\\s+128k\\s+mp3$", QRegularExpression::MultilineOption);
        const QString mp3Preset = row.match(halvorn({"--list-presets"}).out).captured(1);
        QVERIFY2(!mp3Preset.isEmpty(), "the preset table lists MP3 128k, without a display");
        const QDir logs(home->path() + "/.local/share/Halvorn/logs");
        QVERIFY(logs.mkpath("."));
        for (int i = 0; i < 12; ++i)
            QFile(logs.filePath(QString("batch-20000101-0000%1-1.log").arg(i, 2, 10, QChar('0')))).open(QIODevice::WriteOnly);
        const QStringList files = {"av.mp4", "broken.mp4", "audio.mp3", "sub/av.mp4"};
        const QString path = fakeFfmpeg();

        const Run parallel = halvorn(QStringList{"--preset", mp3Preset, "-j", "3", "--output", "out"} + files, path);
        QCOMPARE(parallel.exitCode, 1);
        QCOMPARE(ffmpegStarts(), 3);
        QVERIFY2(parallel.out.endsWith("3 converted, 1 failed\n") && parallel.out.count(".mp3\n") == 3, qPrintable(parallel.out));
        QVERIFY2(QRegularExpression("^halvorn: \\[\\d/4\\] broken.mp4 failed: FFmpeg is unable to extract[^\n]*\n$")
                     .match(parallel.err).hasMatch(), qPrintable(parallel.err));
        QVERIFY(!parallel.out.contains("broken"));
        const QStringList runLogs = logs.entryList(QDir::Files, QDir::Name);
        QCOMPARE(runLogs.size(), 10);
        QVERIFY(runLogs.first().endsWith("-000003-1.log"));
        QFile log(logs.filePath(runLogs.last()));
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QRegularExpression ends("^(Starting conversion|Conversion finished)", QRegularExpression::MultilineOption);
        QString order;
        for (auto match = ends.globalMatch(QString::fromUtf8(log.readAll())); match.hasNext();)
            order += match.next().captured(1).at(0);
        QCOMPARE(order, "SCSCSC");

        const Run quiet = halvorn(QStringList{"--preset", mp3Preset, "-q", "-j", "1", "-o", "out"} + files, path);
        QCOMPARE(quiet.exitCode, 1);
        QCOMPARE(quiet.out, "");
        QVERIFY2(quiet.err.startsWith("halvorn: [2/4] broken.mp4 failed") && quiet.err.count('\n') == 1, qPrintable(quiet.err));
        QCOMPARE(QDir(work.filePath("out")).entryList(QDir::Files),
                 (QStringList{"audio (New).mp3", "audio.mp3", "av (New)(2).mp3", "av (New)(3).mp3", "av (New).mp3", "av.mp3"}));
        for (const QString& output : QDir(work.filePath("out")).entryList(QDir::Files))
            QVERIFY(QFileInfo(work.filePath("out/" + output)).size() > 1000);
        QVERIFY(!QFile::exists(Folders::runLogPath()));
    }

    void aWrongCommandSaysWhyAndConvertsNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::addRow("unknown preset") << QStringList{"--preset", "999999", "av.mp4"} << "Unknown preset id 999999";
        QTest::addRow("missing file") << QStringList{"--preset", "82", "av.mp4", "gone.mp4"} << "Cannot read gone.mp4: no such file.";
        QTest::addRow("a folder") << QStringList{"--preset", "82", "sub"} << "Cannot read sub: is a folder.";
        QTest::addRow("unknown option") << QStringList{"--preset", "82", "--bogus", "av.mp4"} << "Unknown option: --bogus";
        QTest::addRow("a size for sound") << QStringList{"--preset", "82", "--fit-size", "1", "av.mp4"} << "Preset 82 cannot take --fit-size: only";
    }

    void aSizeToFitInWithinAnH264PresetsFrameAndContainer()
    {
        const QRegularExpression row("^\\s*(\\d+)  MKV\\s+Low\\s+mkv$", QRegularExpression::MultilineOption);
        const QString mkvLow = row.match(halvorn({"--list-presets"}).out).captured(1);
        QCOMPARE(halvorn({"--fit-size", "0.2", "--preset", mkvLow, "-o", "fit", testMedia("wide.mp4")}).exitCode, 0);
        QCOMPARE(probeStreams(work.filePath("fit/wide.mkv")), "h264 320x180, aac 1");
        QVERIFY(QFileInfo(work.filePath("fit/wide.mkv")).size() <= 200000);
    }

    // A stop from the terminal or the system while several FFmpeg run: every one ends, no working
    // file stays, and the exit status names the signal.
    void aSignalEndsEveryConversion_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::addColumn<int>("exitCode");
        QTest::addRow("Ctrl+C") << SIGINT << 130;
        QTest::addRow("SIGTERM") << SIGTERM << 143;
        QTest::addRow("terminal closed") << SIGHUP << 129;
    }
    void aSignalEndsEveryConversion()
    {
        QFETCH(int, signalNumber);
        QFETCH(int, exitCode);
        // Converts for ever.
        const QString path = endlessConverterPath();
        const auto sleepers = [] {
            int count = 0;
            for (const QString& process : QDir("/proc").entryList(QDir::Dirs)) {
                QFile cmdline("/proc/" + process + "/cmdline");
                count += cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains("4343") ? 1 : 0;
            }
            return count;
        };
        QProcess process;
        start(process, {"--preset", "82", "-j", "2", "--output", "stopped", "audio.mp3", "av.mp4", "audio.mp3"}, path);
        QTRY_COMPARE_WITH_TIMEOUT(sleepers(), 2, 30000);
        ::kill(pid_t(process.processId()), signalNumber);
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), exitCode);
        QCOMPARE(sleepers(), 0);
        QCOMPARE(ffmpegStarts(), 2);
        QCOMPARE(QDir(work.filePath("stopped")).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    // A run killed outright cannot remove its working file, nor the pass files of a size to fit in:
    // the next start does, and only those, never the working file of a run that is still going.
    void theNextStartRemovesTheWorkingFileOfAKilledRunOnly()
    {
        const auto workingFiles = [this] { return QDir(work.filePath("shared")).entryList(QDir::Files | QDir::Hidden); };
        const auto passFolders = [] { return QDir(Folders::tempFolder()).entryList({".two-pass*"}, QDir::Dirs | QDir::Hidden); };
        const QString path = endlessConverterPath();
        QProcess runs[2];
        for (QProcess& run : runs) {
            start(run, QStringList{"--output", "shared"} + (&run == runs ? QStringList{"--fit-size", "1", "av.mp4"}
                                                                           : QStringList{"--preset", "82", "audio.mp3"}), path);
            QTRY_COMPARE_WITH_TIMEOUT(workingFiles().size(), &run - runs + 1, 30000);
        }
        QCOMPARE(passFolders().size(), 1);
        QProcess& killed = runs[0];
        QProcess& going = runs[1];
        ::kill(pid_t(killed.processId()), SIGKILL);
        QVERIFY(killed.waitForFinished(30000));
        QCOMPARE(halvorn({"--list-presets"}).exitCode, 0);
        QCOMPARE(workingFiles(), QStringList{".audio (converting).mp3"});
        QCOMPARE(passFolders(), QStringList());
        ::kill(pid_t(going.processId()), SIGINT);
        QVERIFY(going.waitForFinished(30000));
        QCOMPARE(workingFiles(), QStringList());
    }

    // Sound encoders run one per processor; a picture encoder, which uses them all, runs alone.
    void aPictureEncoderWorksAlone()
    {
        if (QThread::idealThreadCount() < 2)
            QSKIP("one processor: one conversion at a time anyway");
        const QString path = fakeFfmpeg("echo + >> \"$0.order\"; \"$real\" \"$@\"; s=$?; echo - >> \"$0.order\"; exit $s");
        QFile::remove(fakes.filePath("ffmpeg.order"));
        const QRegularExpression row("^\\s*(\\d+)  MP4\\s+Low\\s+mp4$", QRegularExpression::MultilineOption);
        const QString lowPreset = row.match(halvorn({"--list-presets"}).out).captured(1);
        QCOMPARE(halvorn({"--preset", lowPreset, "-o", "alone", "audio.mp3", "audio.mp3", "av.mp4"}, path).exitCode, 0);
        QFile order(fakes.filePath("ffmpeg.order"));
        QVERIFY(order.open(QIODevice::ReadOnly));
        QCOMPARE(order.readAll().simplified(), "+ + - - + -");
    }

    void writeErrorsAreNoSuccess()
    {
        QProcess process;
        process.setStandardOutputFile("/dev/full");
        start(process, {"--list-presets"});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 1);
        QVERIFY(process.readAllStandardError().startsWith("halvorn: cannot write to standard output"));
    }

    // The manual knows every option of the help, and its example names a preset that exists.
    void theManualMatchesTheProgram()
    {
        QFile page(HALVORN_SOURCE_DIR "/data/linux/halvorn.1");
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString manual = QString::fromUtf8(page.readAll()).replace("\\-", "-");
        const QRegularExpression option("^  (-\\w, )?(--[\\w-]+)", QRegularExpression::MultilineOption);
        for (auto match = option.globalMatch(CommandLine::helpText()); match.hasNext();) {
            const QRegularExpressionMatch found = match.next();
            for (const QString& name : {found.captured(1).chopped(found.captured(1).isEmpty() ? 0 : 2), found.captured(2)}) {
                const QRegularExpression word("(?<![\\w-])" + QRegularExpression::escape(name) + "(?![\\w-])");
                QVERIFY2(name.isEmpty() || word.match(manual).hasMatch(), qPrintable(name));
            }
        }
        const QString example = QRegularExpression("halvorn --preset (\\d+)").match(manual).captured(1);
        QVERIFY(!example.isEmpty());
        QVERIFY(QRegularExpression("^\\s*" + example + "  ", QRegularExpression::MultilineOption)
                    .match(halvorn({"--list-presets"}).out).hasMatch());
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
