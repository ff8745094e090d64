#include "burn/burndisc.h"
#include "burnfakes.h"
#include "testsupport.h"

#include <QRegularExpression>
#include <QSignalSpy>

namespace {

const QString helpers = QFileInfo(HALVORN_TEST_EXECUTABLE).absolutePath();

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes the files one after the other, each on a later millisecond, so that their creation order
// is plain: b, c, a.
QStringList createBca(const QString& folder, const QString& suffix, const QStringList& sources = {})
{
    QStringList made;
    for (const QString& name : {"b", "c", "a"}) {
        const qint64 before = QDateTime::currentMSecsSinceEpoch();
        (void)QTest::qWaitFor([&] { return QDateTime::currentMSecsSinceEpoch() > before; });
        const QString path = folder + "/" + name + suffix;
        if (sources.isEmpty()) {
            QFile file(path);
            (void)file.open(QIODevice::WriteOnly);
            file.write(QByteArray(made.size() + 1, name.at(0).toLatin1()));
        } else {
            QFile::copy(sources.at(made.size()), path);
        }
        made.append(name);
    }
    return made;
}

// The files of a burn folder in name order, known by what they hold.
QList<QByteArray> inNameOrder(const QString& folder, const QString& suffix)
{
    QList<QByteArray> found;
    for (const QString& name : QDir(folder).entryList({"*" + suffix}, QDir::Files, QDir::Name)) {
        if (!QRegularExpression("^\\d{17}\\.").match(name).hasMatch())
            return {};
        found.append(contents(folder + "/" + name));
    }
    return found;
}

QStringList finishedLines()
{
    return QString::fromUtf8(contents(Folders::runLogPath())).split('\n').filter(QRegularExpression("^Finished: "));
}

} // namespace

class TestBurnDisc final : public QObject {
    Q_OBJECT
    std::unique_ptr<IsolatedHome> home;

private slots:
    void initTestCase() { home = startedHome(); }
    void init() { QFile::remove(Folders::runLogPath()); }

    void authoringFile_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("written");
        QTest::addRow("PAL") << "PAL" << "burn" << "burn";
        QTest::addRow("NTSC") << "NTSC" << "burn" << "burn";
        QTest::addRow("reserved characters") << "PAL" << "a&b <\"c\">" << "a&amp;b &lt;&quot;c&quot;&gt;";
    }
    void authoringFile()
    {
        QFETCH(QString, format);
        QFETCH(QString, folder);
        QFETCH(QString, written);
        QTemporaryDir dir;
        const QString work = dir.filePath(folder);
        QDir().mkpath(work);
        createBca(work, ".mpg");
        for (int run = 0; run < 2; ++run) {
            BurnDisc burn;
            burn.setJob("dvd", "/dev/sr0", work, format);
            burn.writeAuthoringFile();
            QCOMPARE(inNameOrder(work, ".mpg"), QList<QByteArray>({"b", "cc", "aaa"}));
            QCOMPARE(burn.getTotalBytes(), 6);
            QString vobs;
            const QString base = dir.path() + "/" + written;
            for (const QString& name : QDir(work).entryList({"*.mpg"}, QDir::Files, QDir::Name))
                vobs += "\t\t\t\t<vob file=\"" + base + "/" + name + "\" />\n";
            QCOMPARE(QString::fromUtf8(contents(work + "/halvorn.xml")),
                     "<dvdauthor dest=\"" + base + "/DVD\">\n\t<vmgm>\n\t\t<menus lang=\"en\">\n\t\t\t<video format=\""
                         + format.toLower() + "\" widescreen=\"nopanscan\" />\n\t\t</menus>\n\t</vmgm>\n\t<titleset>\n"
                         "\t\t<titles>\n\t\t\t<pgc>\n" + vobs + "\t\t\t</pgc>\n\t\t</titles>\n\t</titleset>\n</dvdauthor>");
        }
    }

    void runner_data()
    {
        QTest::addColumn<QString>("disc");
        QTest::addColumn<bool>("helpersThere");
        QTest::addColumn<QList<int>>("authoring");
        QTest::addColumn<QList<int>>("burning");
        QTest::addColumn<QStringList>("finished");
        QTest::addColumn<QString>("reason");
        const QString failed3 = "The disc could not be burned: the burning tool failed 3 times.";
        QTest::addRow("DVD fails twice, then burns") << "dvd" << true << QList{0} << QList{1, 1, 0}
                                                      << QStringList{"=1", "=1", "=0"} << "";
        QTest::addRow("DVD fails three times") << "dvd" << true << QList{0} << QList{1} << QStringList{"=1", "=1", "=1"}
                                               << failed3;
        const QString unauthored = "The DVD could not be authored from the converted files.";
        QTest::addRow("authoring fails") << "dvd" << true << QList{2} << QList{0} << QStringList() << unauthored;
        QTest::addRow("authoring writes nothing") << "dvd" << true << QList<int>() << QList{0} << QStringList() << unauthored;
        QTest::addRow("no DVD helpers") << "dvd" << false << QList{0} << QList{0} << QStringList()
                                        << "The DVD authoring tool could not be started.";
        QTest::addRow("CD burns") << "cd" << true << QList<int>() << QList{0} << QStringList{"=0"} << "";
        QTest::addRow("CD fails") << "cd" << true << QList<int>() << QList{1} << QStringList{"=1"}
                                  << "The disc could not be burned.";
        QTest::addRow("no CD helper") << "cd" << false << QList<int>() << QList{0} << QStringList()
                                      << "The CD burning tool could not be started.";
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
        // With no code given, the authoring ends well but leaves no disc structure behind.
        fakes.add("dvdauthor", {authoring.value(0)},
                  authoring.isEmpty() ? "" : "echo 'STAT: VOBU 16 at 1MB, 1 PGCs' >&2; d=$(dirname \"$2\")/DVD/VIDEO_TS;"
                                             " mkdir -p \"$d\" && : > \"$d/VIDEO_TS.IFO\"");
        fakes.add(dvd ? "growisofs" : "wodim", burning, "echo '/dev/sr0: flushing cache' >&2");
        QTemporaryDir work;
        createBca(work.path(), dvd ? ".mpg" : ".wav");

        BurnDisc burn;
        QSignalSpy status(&burn, &BurnDisc::textStatus);
        QSignalSpy time(&burn, &BurnDisc::burnEstTime);
        QSignalSpy complete(&burn, &BurnDisc::burnComplete);
        burn.setJob(disc, dvd ? "/dev/sr0" : "1,0,0", work.path(), "PAL");
        burn.start();
        QVERIFY(complete.wait(30000));
        QVERIFY(burn.wait(5000));
        QCOMPARE(complete.size(), 1);
        QCOMPARE(complete.at(0).at(0).toBool(), reason.isEmpty());
        QCOMPARE(complete.at(0).at(2).toString(), reason);
        QCOMPARE(status.last().at(0).toString(), reason.isEmpty() ? "Burn Complete" : "Burn Failed");
        QCOMPARE(time.last().at(0).toString(), reason.isEmpty() ? "Burn complete" : "Burn failed");
        QCOMPARE(finishedLines(), finished.replaceInStrings(QRegularExpression("^"), "Finished: exitCode"));

        const QStringList burnerCalls = fakes.calls(dvd ? "growisofs" : "wodim");
        const QStringList expectedCall = dvd ? QStringList{"-Z", "/dev/sr0", "-dvd-video", work.path() + "/DVD"}
                                             : QStringList{"-v", "dev=1,0,0", "-pad", "-audio", "-dao", "gracetime=2"};
        QCOMPARE(burnerCalls.size(), finished.size() * (dvd ? 4 : 9));
        if (finished.isEmpty())
            return;
        QCOMPARE(burnerCalls.mid(0, expectedCall.size()), expectedCall);
        QVERIFY(contents(Folders::runLogPath()).contains("/dev/sr0: flushing cache"));
        if (dvd) {
            QCOMPARE(status.count({"Burning DVD..."}), 1);
            QCOMPARE(time.count({"Calculating time remaining..."}), finished.size());
        } else {
            // Created b, c, a: burned b, c, a, as the helper expanded the pattern.
            QList<QByteArray> tracks;
            for (const QString& path : burnerCalls.mid(6))
                tracks.append(contents(path));
            QCOMPARE(tracks, QList<QByteArray>({"b", "cc", "aaa"}));
        }
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
        QStringList sources;
        for (const char* seconds : {"1", "0.5", "1"}) {
            sources.append(out.filePath(QString("%1.src").arg(sources.size())));
            QProcess ffmpeg;
            ffmpeg.start("ffmpeg", {"-nostdin", "-loglevel", "error", "-f", "lavfi", "-i", QString("sine=duration=") + seconds,
                                    "-ac", QString::number(channels), "-ar", "44100", "-c:a", "pcm_s16le", "-f", "wav",
                                    sources.last()});
            QVERIFY(ffmpeg.waitForFinished(30000) && ffmpeg.exitCode() == 0);
        }
        createBca(work.path(), ".wav", sources);
        if (!taken.isEmpty())
            QVERIFY(QFile(out.filePath(taken)).open(QIODevice::WriteOnly));
        BurnDisc burn;
        QSignalSpy complete(&burn, &BurnDisc::burnComplete);
        burn.setJob("cd", out.filePath("disc.cue"), work.path(), {});
        burn.start();
        QVERIFY(complete.wait(30000));
        QVERIFY(complete.at(0).at(2).toString().contains(reason));
        QCOMPARE(QFile::exists(out.filePath("disc.cue")), reason.isEmpty());
        QCOMPARE(QFileInfo(out.filePath("disc.bin")).size(), reason.isEmpty() ? (75 + 38 + 75) * 2352 : 0);
        if (reason.isEmpty()) {
            QCOMPARE(contents(out.filePath("disc.cue")), "FILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                                                          "  TRACK 02 AUDIO\n    INDEX 01 00:01:00\n  TRACK 03 AUDIO\n"
                                                          "    INDEX 01 00:01:38\n");
            QCOMPARE(contents(out.filePath("disc.bin")).right(176400), contents(sources.at(2)).right(176400));
        }
    }
};

QTEST_MAIN(TestBurnDisc)
#include "tst_burndisc.moc"
