#include "dvdrip/dvdtext.h"
#include "tarviktext.h"

#include <QtTest>

class TestDvdText : public QObject {
    Q_OBJECT

private slots:
    void titleListing_data()
    {
        QTest::addColumn<QString>("listing");
        QTest::addColumn<QStringList>("lengths");
        QTest::addRow("tarvik's own")
            << QString::fromStdString(TarvikText::titleListing({5400000, 120000, 5400000, 999, 360061000}))
            << QStringList{"01:30:00", "00:02:00", "01:30:00", "00:00:00", "100:01:01"};
        QTest::addRow("library notes around it, titles out of order")
            << "libdvdread: x\nTITLES: 02\nTITLE_02 LENGTH (ms) = 7000\nx\nTITLE_01 LENGTH (ms) = 0\n"
            << QStringList{"00:00:00", "00:00:07"};
        QTest::addRow("second title missing") << "TITLES: 03\nTITLE_01 LENGTH (ms) = 5000\nTITLE_03 LENGTH (ms) = 6\n"
                                              << QStringList{"00:00:05"};
        QTest::addRow("cut inside a length") << "TITLES: 01\nTITLE_01 LENGTH (ms) = 54" << QStringList{};
        QTest::addRow("empty") << "" << QStringList{};
    }
    void titleListing()
    {
        QFETCH(QString, listing);
        QStringList lengths;
        for (const qint64 ms : DvdText::parseTitleListing(listing))
            lengths.append(DvdText::lengthText(ms));
        QTEST(lengths, "lengths");
    }

    void ripProgress_data()
    {
        QTest::addColumn<QString>("chunk");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("progress"); // -1: none
        QTest::addRow("half of the second of four") << "\b\b\b\b 50%" << 1 << 4 << 37;
        QTest::addRow("backspaces in the figure") << "12%\b\b\b9%" << 0 << 1 << 9;
        QTest::addRow("not a number, last of six") << "abc%" << 5 << 6 << 83;
        QTest::addRow("empty") << "" << 0 << 1 << -1;
    }
    void ripProgress()
    {
        QFETCH(QString, chunk);
        QFETCH(int, position);
        QFETCH(int, count);
        const std::optional<int> percent = DvdText::parsePercent(chunk);
        QTEST(percent ? DvdText::ripProgress(*percent, position, count) : -1, "progress");
    }

    void safeFileLabel_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("safe");
        QTest::addRow("climbing out") << "../../etc/passwd" << "_._etc_passwd";
        QTest::addRow("dots only") << ".." << "DVD";
        QTest::addRow("control and reserved characters") << "A\tB\x01:C?\\" << "A_B__C__";
        QTest::addRow("empty") << "" << "DVD";
    }
    void safeFileLabel()
    {
        QFETCH(QString, label);
        QTEST(DvdText::safeFileLabel(label), "safe");
    }

    void playingTimeOfAProgramChain()
    {
        QCOMPARE(TarvikText::playbackMs(0x01, 0x29, 0x59, 0x40 | 0x24), 5399000 + 24 * 40); // PAL frames
        QCOMPARE(TarvikText::playbackMs(0x00, 0x00, 0x01, 0xc0 | 0x15), 1000 + 15 * 1001 / 30); // NTSC frames
    }
};

QTEST_GUILESS_MAIN(TestDvdText)
#include "tst_dvdtext.moc"
