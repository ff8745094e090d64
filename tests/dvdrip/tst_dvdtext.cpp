#include "dvdrip/dvdripthread.h"
#include "dvdrip/dvdtext.h"
#include "tarviktext.h"

#include <QTemporaryDir>
#include <QtTest>

using Lengths = QList<qint64>;

class TestDvdText : public QObject {
    Q_OBJECT

private slots:
    void titleListing_data()
    {
        QTest::addColumn<QString>("listing");
        QTest::addColumn<Lengths>("lengths");
        QTest::addRow("tarvik's own") << QString::fromStdString(TarvikText::titleListing({5400000, 120000, 5400000}))
                                      << Lengths{5400000, 120000, 5400000};
        QTest::addRow("library notes around it")
            << "libdvdread: notes\nTITLES: 02\nTITLE_01 LENGTH (ms) = 999\nnoise\nTITLE_02 LENGTH (ms) = 0\n"
            << Lengths{999, 0};
        QTest::addRow("titles out of order") << "TITLES: 02\nTITLE_02 LENGTH (ms) = 7\nTITLE_01 LENGTH (ms) = 8\n"
                                             << Lengths{8, 7};
        QTest::addRow("second title missing") << "TITLES: 03\nTITLE_01 LENGTH (ms) = 5\nTITLE_03 LENGTH (ms) = 6\n"
                                              << Lengths{5};
        QTest::addRow("cut inside a length") << "TITLES: 01\nTITLE_01 LENGTH (ms) = 54" << Lengths{};
        QTest::addRow("garbled length") << "TITLES: 01\nTITLE_01 LENGTH (ms) = x4\n" << Lengths{};
        QTest::addRow("no titles") << "TITLES: 00\n" << Lengths{};
        QTest::addRow("empty") << "" << Lengths{};
    }
    void titleListing()
    {
        QFETCH(QString, listing);
        QFETCH(Lengths, lengths);
        QCOMPARE(DvdText::parseTitleListing(listing), lengths);
    }

    void lengthText_data()
    {
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<QString>("text");
        QTest::addRow("an hour and a half") << qint64(5400000) << "01:30:00";
        QTest::addRow("two minutes") << qint64(120000) << "00:02:00";
        QTest::addRow("under a second") << qint64(999) << "00:00:00";
        QTest::addRow("a hundred hours") << qint64(360000000 + 61000) << "100:01:01";
    }
    void lengthText()
    {
        QFETCH(qint64, ms);
        QFETCH(QString, text);
        QCOMPARE(DvdText::lengthText(ms), text);
    }

    void percent_data()
    {
        QTest::addColumn<QString>("chunk");
        QTest::addColumn<int>("percent"); // -1: no figure
        std::string steps = TarvikText::progressStep(0, true);
        for (const int p : {7, 42, 100})
            steps += TarvikText::progressStep(p, false);
        QTest::addRow("tarvik's steps") << QString::fromStdString(steps) << 100;
        QTest::addRow("backspaces inside the figure") << "\b\b\b\b\b 5%" << 5;
        QTest::addRow("backspaces in the figure's place") << "12%\b\b\b9%" << 9;
        QTest::addRow("a figure at the start") << "5%" << 5;
        QTest::addRow("not a number") << "abc%" << 0;
        QTest::addRow("no percent sign") << "\b\b\b\b 50" << -1;
        QTest::addRow("empty") << "" << -1;
    }
    void percent()
    {
        QFETCH(QString, chunk);
        QFETCH(int, percent);
        QCOMPARE(DvdText::parsePercent(chunk).value_or(-1), percent);
    }

    void ripProgress_data()
    {
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("progress");
        QTest::addRow("half of the second of four") << 50 << 1 << 4 << 37;
        QTest::addRow("half of the third of three") << 50 << 2 << 3 << 82;
        QTest::addRow("all of the only one") << 100 << 0 << 1 << 100;
        QTest::addRow("start of the last of six") << 0 << 5 << 6 << 83;
    }
    void ripProgress()
    {
        QFETCH(int, percent);
        QFETCH(int, position);
        QFETCH(int, count);
        QFETCH(int, progress);
        QCOMPARE(DvdText::ripProgress(percent, position, count), progress);
    }

    void safeFileLabel_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("safe");
        QTest::addRow("a plain word") << "MOVIE" << "MOVIE";
        QTest::addRow("climbing out") << "../../etc/passwd" << "_._etc_passwd";
        QTest::addRow("dots only") << ".." << "DVD";
        QTest::addRow("control characters and reserved signs") << "A\tB\x01:C?" << "A_B__C_";
        QTest::addRow("a backslash") << "A\\B" << "A_B";
        QTest::addRow("empty") << "" << "DVD";
    }
    void safeFileLabel()
    {
        QFETCH(QString, label);
        QFETCH(QString, safe);
        QCOMPARE(DvdText::safeFileLabel(label), safe);
    }

    void twoRipsInOneSecondGetTwoFolders()
    {
        QTemporaryDir temp;
        const QString first = DVDRipThread::createRipFolder(temp.path() + "/temp", 1400000000);
        QCOMPARE(first, temp.path() + "/temp/1400000000");
        QCOMPARE(DVDRipThread::createRipFolder(temp.path() + "/temp", 1400000000), temp.path() + "/temp/1400000001");
        QVERIFY(QFileInfo(first).isDir());
    }

    void playingTimeOfAProgramChain()
    {
        // 1:29:59 and 24 PAL frames; 0:00:01 and 15 NTSC frames.
        QCOMPARE(TarvikText::playbackMs(0x01, 0x29, 0x59, 0x40 | 0x24), 5399000 + 960);
        QCOMPARE(TarvikText::playbackMs(0x00, 0x00, 0x01, 0xc0 | 0x15), 1000 + 500);
    }
};

QTEST_GUILESS_MAIN(TestDvdText)
#include "tst_dvdtext.moc"
