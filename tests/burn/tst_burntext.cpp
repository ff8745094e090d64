#include "burn/burntext.h"
#include "burn/cueimage.h"

#include <QTest>
#include <QTimeZone>

namespace {

using Opt = std::optional<int>;

QString mediaInfo(const QString& media, const QString& status, const QString& freeBlocks)
{
    return QString("INQUIRY:                [HL-DT-ST][DVDRAM GH24NSB0 ][LK00]\nGET [CURRENT] CONFIGURATION:\n"
                   " Mounted Media:         %1\nREAD DISC INFORMATION:\n Disc status:           %2\n"
                   " Number of Sessions:    1\nREAD TRACK INFORMATION[#1]:\n Track State:           blank\n"
                   " Free Blocks:           %3*2KB\n Track Size:            %3*2KB\n")
        .arg(media, status, freeBlocks);
}

Drives::OpticalDrive drive(const QString& device, const QString& identity)
{
    return {device, Drives::Kind::Hardware, true, {}, identity};
}

const QString lgIdentity = Drives::identity("HL-DT-ST", "DVDRAM GH24NSB0", "LK00");
const QString asusIdentity = Drives::identity("ASUS", "DRW-24D5MT", "1.00");

} // namespace

class TestBurnText final : public QObject {
    Q_OBJECT
private slots:
    void authoringProgress_data()
    {
        QTest::addColumn<QString>("chunk");
        QTest::addColumn<qint64>("totalBytes");
        QTest::addColumn<Opt>("progress");
        QTest::addRow("first pass") << "STAT: VOBU 16 at 1MB, 1 PGCs\rSTAT: VOBU 32 at 2MB, 1 PGCs\r" << 8LL * 1048576 << Opt(2);
        QTest::addRow("zero MiB written") << "STAT: VOBU 9 at 0MB, 1 PGCs\r" << 8LL * 1048576 << Opt();
        QTest::addRow("input below one MiB") << "STAT: VOBU 9 at 1MB, 1 PGCs\r" << 500000LL << Opt(10);
        QTest::addRow("second pass") << "STAT: fixing VOBU at 1MB (17/39, 41%)\rSTAT: fixing VOBU at 2MB (33/39, 82%)\r"
                                     << 8LL * 1048576 << Opt(18);
        QTest::addRow("second pass cut short") << "STAT: fixing VOBU at 2MB (33/39, %" << 8LL << Opt();
        QTest::addRow("garbled") << "STAT: VOBU at xMB" << 8LL << Opt();
        QTest::addRow("empty") << "" << 8LL << Opt();
    }
    void authoringProgress()
    {
        QFETCH(QString, chunk);
        QFETCH(qint64, totalBytes);
        QFETCH(Opt, progress);
        QCOMPARE(BurnText::authoringProgress(chunk, totalBytes), progress);
    }

    void writerPoll_data()
    {
        QTest::addColumn<QString>("chunk");
        QTest::addColumn<Opt>("progress");
        QTest::addColumn<bool>("closing");
        QTest::addColumn<QString>("timeLeft");
        QTest::addRow("progress and finish on a one-digit day")
            << "  1.10% done, estimate finish Thu Dec  7 09:00:00 2023\n  4.32% done, estimate finish Thu Dec  7 10:02:03 2023\n"
            << Opt(23) << false << "Time remaining: 02:03 (approx.)";
        QTest::addRow("minutes not capped") << " 50.00% done, estimate finish Thu Dec  7 12:03:04 2023\n" << Opt(60) << false
                                            << "Time remaining: 123:04 (approx.)";
        QTest::addRow("under one percent") << "  0.47% done, estimate finish Thu Dec  7 09:59:00 2023\n" << Opt(20) << false << "";
        QTest::addRow("nothing done yet") << "  0.00% done, estimate finish Fri Dec 17 10:00:00 2023\n" << Opt() << false << "";
        QTest::addRow("unparsable finish") << " 12.50% done, estimate finish soon\n" << Opt(29) << false << "";
        QTest::addRow("closing wins over the finish")
            << " 99.95% done, estimate finish Thu Dec  7 10:30:00 2023\nTotal translation table size: 0\n" << Opt(99) << true << "";
        QTest::addRow("the burner's own meter") << "  7536640/2247294976 ( 0.3%) @1.6x, remaining 16:35" << Opt() << false << "";
        QTest::addRow("empty") << "" << Opt() << false << "";
    }
    void writerPoll()
    {
        QFETCH(QString, chunk);
        QFETCH(Opt, progress);
        QFETCH(bool, closing);
        QFETCH(QString, timeLeft);
        const BurnText::WriterPoll poll = BurnText::writerPoll(chunk, QDateTime(QDate(2023, 12, 7), QTime(10, 0)));
        QCOMPARE(poll.progress, progress);
        QCOMPARE(poll.closing, closing);
        QCOMPARE(poll.timeLeft.value_or(QString()), timeLeft);
    }

    void cdPoll_data()
    {
        QTest::addColumn<QString>("chunk");
        QTest::addColumn<int>("tracks");
        QTest::addColumn<Opt>("trackCount");
        QTest::addColumn<bool>("fixating");
        QTest::addColumn<Opt>("progress");
        QTest::addRow("track list") << "Track 01: audio    40 MB (04:00.00) no preemp pad\nTrack 02: audio    35 MB (03:28.00) "
                                       "no preemp pad\nTotal size:      75 MB (07:28.00) = 33600 sectors\nTrack 03: x"
                                    << 5 << Opt(2) << false << Opt();
        QTest::addRow("second of four half written")
            << "\rTrack 02:   19 of   40 MB written (fifo 100%) [buf  99%]  10.2x.\rTrack 02:   20 of   40 MB written (fifo 100%)"
            << 4 << Opt() << false << Opt(36);
        QTest::addRow("no track count") << "\rTrack 01:    3 of   40 MB written" << 0 << Opt() << false << Opt();
        QTest::addRow("totals line") << "Track 01: Total bytes read/written: 42336000/42336000 (18000 sectors)." << 1 << Opt()
                                     << false << Opt();
        QTest::addRow("fixating") << "Fixating...\n" << 2 << Opt() << true << Opt();
        QTest::addRow("empty") << "" << 2 << Opt() << false << Opt();
    }
    void cdPoll()
    {
        QFETCH(QString, chunk);
        QFETCH(int, tracks);
        QFETCH(Opt, trackCount);
        QFETCH(bool, fixating);
        QFETCH(Opt, progress);
        const BurnText::CdPoll poll = BurnText::cdPoll(chunk, tracks);
        QCOMPARE(poll.trackCount, trackCount);
        QCOMPARE(poll.fixating, fixating);
        QCOMPARE(poll.burning, !trackCount && !fixating);
        QCOMPARE(poll.progress, progress);
    }

    void discMessages_data()
    {
        QTest::addColumn<QString>("disc");
        QTest::addColumn<QString>("output");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("message");
        const QString blankDvd = mediaInfo("11h, DVD-R Sequential", "blank", "2297888");
        const QString small = "The disc is not large enough.\n\nA Single Layer disc can hold 2 hours of video\n"
                              "while a Dual Layer disc can hold 3.5 hours.";
        const QString insert = "Please insert a blank DVD into the selected drive";
        QTest::addRow("single layer, full") << "dvd" << blankDvd << 7200 << "";
        QTest::addRow("single layer, a second over") << "dvd" << blankDvd << 7201 << small;
        QTest::addRow("dual layer") << "dvd" << mediaInfo("2Bh, DVD+R Double Layer", "blank", "2297889") << 12600 << "";
        QTest::addRow("dual layer, over") << "dvd" << mediaInfo("2Bh, DVD+R Double Layer", "blank", "4173824") << 12601 << small;
        QTest::addRow("Blank is not blank") << "dvd" << mediaInfo("11h, DVD-R", "Blank", "2297888") << 10 << insert;
        QTest::addRow("written DVD") << "dvd" << mediaInfo("11h, DVD-R", "complete", "0") << 10 << insert;
        QTest::addRow("nothing printed (DVD)") << "dvd" << "" << 10 << insert;
        QTest::addRow("CD just too short") << "cd" << "DISC_STATUS=BLANK\nFREE_SECONDS=3600\n" << 3600
                                           << "The disc in drive /dev/sr0 is not large enough.";
        QTest::addRow("CD fits") << "cd" << "DISC_STATUS=BLANK\nFREE_SECONDS=3600\n" << 3599 << "";
        QTest::addRow("CD written") << "cd" << "DISC_STATUS=NOT_BLANK\n" << 10 << "The CD in drive /dev/sr0 is not blank";
        QTest::addRow("the tool's own words") << "cd" << "There is no disc in drive /dev/sr0.\n" << 10
                                              << "There is no disc in drive /dev/sr0.\n";
        QTest::addRow("nothing printed (CD)") << "cd" << "" << 10 << "Could not check the disc in drive /dev/sr0.";
    }
    void discMessages()
    {
        QFETCH(QString, disc);
        QFETCH(QString, output);
        QFETCH(int, seconds);
        QFETCH(QString, message);
        QCOMPARE(disc == "dvd" ? BurnText::dvdDiscMessage(output, seconds)
                               : BurnText::cdDiscMessage(output, "/dev/sr0", seconds), message);
    }

    void discStatusReport_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("report");
        QTest::addRow("blank CD-R") << mediaInfo("9h, CD-R", "blank", "359847") << "DISC_STATUS=BLANK\nFREE_SECONDS=4797\n";
        QTest::addRow("written CD-RW") << mediaInfo("Ah, CD-RW", "complete", "0") << "DISC_STATUS=NOT_BLANK\n";
        QTest::addRow("a DVD") << mediaInfo("11h, DVD-R Sequential", "blank", "2297888")
                               << "The disc in drive /dev/sr1 is not a recordable CD.\n";
        QTest::addRow("no disc") << "INQUIRY:                [ASUS    ][DRW-24D5MT      ][1.00]\n"
                                 << "There is no disc in drive /dev/sr1.\n";
    }
    void discStatusReport()
    {
        QFETCH(QString, output);
        QFETCH(QString, report);
        QCOMPARE(BurnText::discStatusReport("/dev/sr1", output), report);
    }

    void busScanMatchedToDrives_data()
    {
        QTest::addColumn<QList<Drives::OpticalDrive>>("drives");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("busAddresses");
        QTest::addRow("matched by identity") << QList{drive("/dev/sr0", asusIdentity), drive("/dev/sr1", lgIdentity)}
                                             << QStringList{"/dev/sr1 [HL-DT-ST DVDRAM GH24NSB0 LK00]", "/dev/sr0 [ASUS DRW-24D5MT 1.00]"}
                                             << QStringList{"1,0,0", "1,1,0"};
        const QString other = Drives::identity("TSSTcorp", "CDDVDW SH-224DB", "SB01");
        QTest::addRow("the rest paired in order") << QList{drive("/dev/sr0", other), drive("/dev/sr1", lgIdentity)}
                                                  << QStringList{"/dev/sr1 [HL-DT-ST DVDRAM GH24NSB0 LK00]", "/dev/sr0 [TSSTcorp CDDVDW SH-224DB SB01]"}
                                                  << QStringList{"1,0,0", "1,1,0"};
        QTest::addRow("a drive that does not answer") << QList{drive("/dev/sr0", Drives::identity("", "", ""))}
                                                      << QStringList{"/dev/sr0 []"} << QStringList{"1,0,0"};
    }
    void busScanMatchedToDrives()
    {
        QFETCH(QList<Drives::OpticalDrive>, drives);
        QFETCH(QStringList, texts);
        QFETCH(QStringList, busAddresses);
        const QString scan = "scsidev: '1,0,0'\nscsibus: 1 target: 0 lun: 0\nLinux sg driver version: 3.5.27\n"
                             "Using libscg version 'schily-0.9'.\nscsibus1:\n"
                             "\t1,0,0\t100) 'HL-DT-ST' 'DVDRAM GH24NSB0 ' 'LK00' Removable CD-ROM\n"
                             "\t1,1,0\t101) 'ASUS    ' 'DRW-24D5MT      ' '1.00' Removable CD-ROM\n"
                             "\t1,2,0\t102) *\n\t1,7,0\t107) HOST ADAPTOR\n\n";
        const QStringList lines = BurnText::busScanLines(scan);
        QCOMPARE(lines, QStringList({"1,0,0 [" + lgIdentity + "]", "1,1,0 [" + asusIdentity + "]"}));
        QStringList gotTexts, gotAddresses;
        for (const BurnText::BurnDrive& entry : BurnText::cdDrives(drives, lines)) {
            gotTexts.append(entry.text);
            gotAddresses.append(entry.deviceId);
            QVERIFY(entry.text.startsWith(entry.device + " ["));
        }
        QCOMPARE(gotTexts, texts);
        QCOMPARE(gotAddresses, busAddresses);
    }

    void namesAndFormats()
    {
        for (const char* pal : {"PAL 16:9", "PAL"})
            QCOMPARE(BurnText::videoFormat(pal), "PAL");
        for (const char* ntsc : {"pal 4:3", " PAL", "NTSC 4:3", ""})
            QCOMPARE(BurnText::videoFormat(ntsc), "NTSC");
        const QDateTime created(QDate(2024, 3, 5), QTime(6, 7, 8, 9), QTimeZone(3600));
        QCOMPARE(BurnText::burnName(created, ".wav"), "20240305050708009.wav");
        QCOMPARE(BurnText::volumeName("/home/me/Summer 2024.final.iso"), "SUMMER_2024_FINAL");
        QCOMPARE(CueImage::sheet("my disc.bin", {4501, 75 * 60 * 10, 1}),
                 "FILE \"my disc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n    INDEX 01 01:00:01\n"
                 "  TRACK 03 AUDIO\n    INDEX 01 11:00:01\n");
    }
};

QTEST_GUILESS_MAIN(TestBurnText)
#include "tst_burntext.moc"
