#include "convert/timeleft.h"

#include <QtTest>

namespace {

const QString preset = "-s 640x480 -c:v mpeg4 -c:a aac";
const QString picture = TimeLeft::conversionKind(preset, "1280x720");
const QString sound = TimeLeft::conversionKind(preset, "");

} // namespace

class TestTimeLeft : public QObject {
    Q_OBJECT

private slots:
    // Each kind of work at its own measured speed, the running step's part taken off and its start
    // left out; nothing at all while a kind still ahead has not been measured.
    void theWholeQueueAtTheSpeedOfEachKind()
    {
        TimeLeft estimate;
        const QHash<QString, double> queue = {{picture, 100}, {sound, 300}, {TimeLeft::burnKind("dvd"), TimeLeft::burnLength}};
        estimate.begin(picture, 0);
        estimate.progress(0, 4000);
        QCOMPARE(estimate.secondsLeft(queue), -1.0);
        estimate.progress(20, 14000); // 2 s of picture a second once started
        QCOMPARE(estimate.secondsLeft({{picture, 100}}), 40.0);
        QCOMPARE(estimate.secondsLeft(queue), -1.0);
        estimate.end(16000, true); // the whole step: 20 s of picture in 16 s
        estimate.begin(sound, 17000);
        estimate.progress(150, 18000);
        estimate.end(19000, true); // 75 s of sound a second, over its whole step
        estimate.begin(TimeLeft::burnKind("dvd"), 20000);
        estimate.progress(0, 21000);
        estimate.progress(60, 31000); // 6 s of the burn's 600 a second
        QCOMPARE(estimate.secondsLeft({{picture, 80}, {sound, 300}, {TimeLeft::burnKind("dvd"), TimeLeft::burnLength}}),
                 80 * 16 / 20.0 + 300 / 75.0 + 540 / 6.0);
        // A cancelled step leaves the measure as it was.
        estimate.end(31000, false);
        estimate.begin(sound, 40000);
        estimate.progress(1, 100000);
        estimate.end(100000, false);
        QCOMPARE(estimate.secondsLeft({{sound, 75}}), 1.0);
    }

    void theQueueAsThePagesListIt()
    {
        const QHash<QString, double> media = TimeLeft::mediaLeft(
            preset, {"file", "1280x720 [SAR 1:1 DAR 16:9]", "00:01:40", "cd", "", "00:05:00", "file", "320x240", "00:00:20",
                     "burn_cd", "", "Waiting to burn...", "file", "", ""});
        QCOMPARE(media, (QHash<QString, double>{{picture, 120}, {sound, 300}, {TimeLeft::burnKind("cd"), 600}}));
        QCOMPARE(TimeLeft::conversionKind("-vn -c:a libmp3lame", "1280x720"), TimeLeft::conversionKind("-vn -c:a libmp3lame", ""));
    }

    void text_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::addRow("unknown") << -1.0 << "";
        QTest::addRow("moments") << 0.4 << "About 5 s left";
        QTest::addRow("seconds in fives") << 43.0 << "About 45 s left";
        QTest::addRow("a minute") << 58.0 << "About 1 min left";
        QTest::addRow("minutes in tens of seconds") << 152.0 << "About 2 min 30 s left";
        QTest::addRow("whole minutes") << 263.0 << "About 4 min 20 s left";
        QTest::addRow("from five minutes") << 296.0 << "About 5 min left";
        QTest::addRow("hours") << 4000.0 << "About 1 h 7 min left";
    }
    void text()
    {
        QFETCH(double, seconds);
        QTEST(TimeLeft::text(seconds), "text");
    }
};

QTEST_GUILESS_MAIN(TestTimeLeft)
#include "tst_timeleft.moc"
