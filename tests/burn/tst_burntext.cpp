#include "burn/burntext.h"
#include "burnfakes.h"

#include <QTest>

namespace {

// Each parser's answer as one text, so that one table holds them all.
QString parse(const QString& parser, const QString& input, int number)
{
    const auto shown = [](std::optional<int> value) { return value ? QString::number(*value) : "-"; };
    if (parser == "authoring")
        return shown(BurnText::authoringProgress(input, number * 1048576LL + 1));
    if (parser == "writer") {
        const BurnText::WriterPoll poll = BurnText::writerPoll(input, QDateTime(QDate(2023, 12, 7), QTime(10, 0)));
        return shown(poll.progress) + (poll.closing ? " closing" : "") + (poll.timeLeft ? " " + *poll.timeLeft : "");
    }
    if (parser == "cd") {
        const BurnText::CdPoll poll = BurnText::cdPoll(input, number);
        return shown(poll.progress) + (poll.trackCount ? " tracks " + shown(poll.trackCount) : "")
             + (poll.fixating ? " fixating" : "") + (poll.burning ? " burning" : "");
    }
    if (parser == "dvd disc")
        return BurnText::dvdDiscMessage(input, number);
    if (parser == "image")
        return BurnText::imageMessage(input == "dvd", number);
    if (parser == "cd disc")
        return BurnText::cdDiscMessage(input, "/dev/sr0", number);
    if (parser == "cd status")
        return BurnText::discStatusReport("/dev/sr1", input);
    if (parser == "burn name")
        return BurnText::burnName(QDateTime::fromString(input, Qt::ISODateWithMs), ".wav");
    if (parser == "volume")
        return BurnText::volumeName(input);
    return BurnText::videoFormat(input);
}

const QString lgIdentity = Drives::identity("HL-DT-ST", "DVDRAM GH24NSB0", "LK00");
const QString asusIdentity = Drives::identity("ASUS", "DRW-24D5MT", "1.00");

Drives::OpticalDrive drive(const QString& device, const QString& identity)
{
    return {device, Drives::Kind::Hardware, true, {}, identity};
}

} // namespace

class TestBurnText final : public QObject {
    Q_OBJECT
private slots:
    void parsers_data()
    {
        QTest::addColumn<QString>("parser");
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("result");
        QTest::addRow("first pass") << "authoring" << "STAT: VOBU 16 at 1MB, 1 PGCs\rSTAT: VOBU 32 at 2MB, 1 PGCs\r" << 8 << "2";
        QTest::addRow("zero MiB written") << "authoring" << "STAT: VOBU 9 at 0MB, 1 PGCs\r" << 8 << "-";
        QTest::addRow("input below one MiB") << "authoring" << "STAT: VOBU 9 at 1MB, 1 PGCs\r" << 0 << "10";
        QTest::addRow("second pass") << "authoring" << "at 1MB (17/39, 41%)\rSTAT: fixing VOBU at 2MB (33/39, 82%)\r" << 8 << "18";
        QTest::addRow("second pass cut short") << "authoring" << "STAT: fixing VOBU at 2MB (33/39, %" << 8 << "-";
        QTest::addRow("garbled authoring") << "authoring" << "STAT: VOBU at xMB" << 8 << "-";
        // Figures out of range stay within their phase's share and never overflow.
        QTest::addRow("percentage far too high") << "authoring" << "STAT: fixing VOBU at 2MB (33/39, 1e12%)\r" << 8 << "20";
        QTest::addRow("negative percentage") << "authoring" << "STAT: fixing VOBU at 2MB (33/39, -5%)\r" << 8 << "10";
        QTest::addRow("megabytes far too many") << "authoring" << "STAT: VOBU 16 at 1e99MB, 1 PGCs\r" << 8 << "10";
        QTest::addRow("negative megabytes") << "authoring" << "STAT: VOBU 16 at -3MB, 1 PGCs\r" << 8 << "0";
        QTest::addRow("written far past 100") << "writer" << "  1e12% done, estimate finish soon\n" << 0 << "100";
        QTest::addRow("written below 0") << "writer" << " -5.00% done, estimate finish soon\n" << 0 << "20";
        QTest::addRow("track past the count") << "cd" << "\rTrack 05:   20 of   40 MB written" << 4 << "86 burning";
        QTest::addRow("track number below one") << "cd" << "\rTrack .2:   20 of   40 MB written" << 4 << "12 burning";
        QTest::addRow("more written than the track") << "cd" << "\rTrack 01: 1e99 of   40 MB written" << 2 << "49 burning";
        QTest::addRow("finish on a one-digit day") << "writer" << "  1.10% done, estimate finish Thu Dec  7 09:00:00 2023\n"
                                                     "  4.32% done, estimate finish Thu Dec  7 10:02:03 2023\n"
                                                  << 0 << "23 Time remaining: 02:03 (approx.)";
        QTest::addRow("minutes not capped") << "writer" << " 50.00% done, estimate finish Thu Dec  7 12:03:04 2023\n" << 0
                                            << "60 Time remaining: 123:04 (approx.)";
        QTest::addRow("under one percent, finish past") << "writer" << "  0.47% done, estimate finish Thu Dec  7 09:59:00 2023" << 0 << "20";
        QTest::addRow("nothing done yet") << "writer" << "  0.00% done, estimate finish Fri Dec 17 10:00:00 2023\n" << 0 << "-";
        QTest::addRow("unparsable finish") << "writer" << " 12.50% done, estimate finish soon\n" << 0 << "29";
        QTest::addRow("closing wins over the finish") << "writer" << " 99.95% done, estimate finish Thu Dec  7 10:30:00 2023\n"
                                                                     "Total translation table size: 0\n" << 0 << "99 closing";
        QTest::addRow("track list") << "cd" << "Track 01: audio    40 MB (04:00.00) no preemp pad\nTrack 02: audio    35 MB "
                                               "(03:28.00) no preemp pad\nTotal size:      75 MB (07:28.00) = 33600 sectors\nTrack 03: x"
                                    << 5 << "- tracks 2";
        QTest::addRow("second of four half written") << "cd" << "\rTrack 02:   19 of   40 MB written (fifo 100%) [buf  99%]  10.2x."
                                                                "\rTrack 02:   20 of   40 MB written (fifo 100%)" << 4 << "36 burning";
        QTest::addRow("no track count") << "cd" << "\rTrack 01:    3 of   40 MB written" << 0 << "- burning";
        QTest::addRow("fixating") << "cd" << "Fixating...\n" << 2 << "- fixating";
        QTest::addRow("empty CD chunk") << "cd" << "" << 2 << "- burning";
        const QString blankDvd = mediaInfo("11h, DVD-R Sequential", "blank", "2297888");
        const QString small = "The disc is not large enough.\n\nA Single Layer disc can hold 2 hours of video\n"
                              "while a Dual Layer disc can hold 3.5 hours.";
        const QString insert = "Please insert a blank DVD into the selected drive";
        QTest::addRow("single layer, full") << "dvd disc" << blankDvd << 7200 << "";
        QTest::addRow("single layer, a second over") << "dvd disc" << blankDvd << 7201 << small;
        QTest::addRow("dual layer") << "dvd disc" << mediaInfo("2Bh, DVD+R Double Layer", "blank", "2297889") << 12600 << "";
        QTest::addRow("Blank is not blank") << "dvd disc" << mediaInfo("11h, DVD-R", "Blank", "2297888") << 10 << insert;
        QTest::addRow("a blank CD-R is no DVD") << "dvd disc" << mediaInfo("9h, CD-R", "blank", "359847") << 10 << insert;
        QTest::addRow("DVD image, 3.5 hours") << "image" << "dvd" << 12600 << "";
        QTest::addRow("DVD image, longer") << "image" << "dvd" << 12601 << small;
        QTest::addRow("CD image, longer than 80 minutes") << "image" << "cd" << 4801
                                                         << "The disc is not large enough.\n\nAn audio CD can hold 80 minutes.";
        QTest::addRow("CD just too short") << "cd disc" << "DISC_STATUS=BLANK\nFREE_SECONDS=3600\n" << 3600
                                           << "The disc in drive /dev/sr0 is not large enough.";
        QTest::addRow("CD written") << "cd disc" << "DISC_STATUS=NOT_BLANK\n" << 0 << "The CD in drive /dev/sr0 is not blank";
        QTest::addRow("the tool's own words") << "cd disc" << "No disc.\n" << 0 << "No disc.\n";
        QTest::addRow("nothing printed (CD)") << "cd disc" << "" << 0 << "Could not check the disc in drive /dev/sr0.";
        QTest::addRow("blank CD-R") << "cd status" << mediaInfo("9h, CD-R", "blank", "359847") << 0
                                    << "DISC_STATUS=BLANK\nFREE_SECONDS=4797\n";
        QTest::addRow("a DVD") << "cd status" << blankDvd << 0 << "The disc in drive /dev/sr1 is not a recordable CD.\n";
        QTest::addRow("no disc") << "cd status" << "INQUIRY: [ASUS]\n" << 0 << "There is no disc in drive /dev/sr1.\n";
        QTest::addRow("PAL with a second word") << "format" << "PAL 16:9" << 0 << "PAL";
        for (const char* label : {"pal 4:3", " PAL", "NTSC 4:3", ""})
            QTest::addRow("format of '%s'", label) << "format" << label << 0 << "NTSC";
        // Named by the creation time in UTC, so that the names sort in creation order across a clock change.
        QTest::addRow("burn name in UTC") << "burn name" << "2024-03-05T06:07:08.009+01:00" << 0 << "20240305050708009.wav";
        QTest::addRow("volume name") << "volume" << "/home/me/Summer 2024.final.iso" << 0 << "SUMMER_2024_FINAL";
    }
    void parsers()
    {
        QFETCH(QString, parser);
        QFETCH(QString, input);
        QFETCH(int, number);
        QFETCH(QString, result);
        QCOMPARE(parse(parser, input, number), result);
    }

    void busScanMatchedToDrives_data()
    {
        QTest::addColumn<QList<Drives::OpticalDrive>>("drives");
        QTest::addColumn<QStringList>("entries");
        QTest::addRow("matched by identity") << QList{drive("/dev/sr0", asusIdentity), drive("/dev/sr1", lgIdentity)}
                                             << QStringList{"/dev/sr1 [HL-DT-ST DVDRAM GH24NSB0 LK00] 1,0,0",
                                                            "/dev/sr0 [ASUS DRW-24D5MT 1.00] 1,1,0"};
        QTest::addRow("the rest paired in order")
            << QList{drive("/dev/sr0", Drives::identity("TSSTcorp", "CDDVDW SH-224DB", "SB01")), drive("/dev/sr1", lgIdentity)}
            << QStringList{"/dev/sr1 [HL-DT-ST DVDRAM GH24NSB0 LK00] 1,0,0", "/dev/sr0 [TSSTcorp CDDVDW SH-224DB SB01] 1,1,0"};
        QTest::addRow("a drive that does not answer") << QList{drive("/dev/sr0", Drives::identity("", "", ""))}
                                                      << QStringList{"/dev/sr0 [] 1,0,0"};
    }
    void busScanMatchedToDrives()
    {
        QFETCH(QList<Drives::OpticalDrive>, drives);
        QFETCH(QStringList, entries);
        const QStringList lines = BurnText::busScanLines("scsidev: '1,0,0'\nscsibus: 1 target: 0 lun: 0\n"
                                                         "Using libscg version 'schily-0.9'.\nscsibus1:\n"
                                                         "\t1,0,0\t100) 'HL-DT-ST' 'DVDRAM GH24NSB0 ' 'LK00' Removable CD-ROM\n"
                                                         "\t1,1,0\t101) 'ASUS    ' 'DRW-24D5MT      ' '1.00' Removable CD-ROM\n"
                                                         "\t1,2,0\t102) *\n\t1,7,0\t107) HOST ADAPTOR\n\n");
        QCOMPARE(lines, QStringList({"1,0,0 [" + lgIdentity + "]", "1,1,0 [" + asusIdentity + "]"}));
        QStringList got;
        for (const BurnText::BurnDrive& entry : BurnText::cdDrives(drives, lines))
            got.append(entry.text + " " + entry.deviceId);
        QCOMPARE(got, entries);
    }
};

QTEST_GUILESS_MAIN(TestBurnText)
#include "tst_burntext.moc"
