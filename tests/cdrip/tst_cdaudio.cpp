#include "cdimage.h"
#include "cdrip/caudiocd.h"
#include "discimage/cuesheet.h"
#include "discimage/imagedrive.h"
#include "platform/cdaudio.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <linux/cdrom.h>

using CdAudio::Status;

namespace {

// A sheet in one line per track: number@file:index1+pregap, a for audio and d for data.
QString summary(const QString& sheetText)
{
    QString error;
    const std::optional<DiscImage::CueSheet> sheet = DiscImage::parseCueSheet(sheetText, &error);
    if (!sheet)
        return "error: " + error;
    QStringList tracks;
    for (const DiscImage::CueTrack& t : sheet->tracks)
        tracks << QString("%1@%2:%3+%4%5").arg(t.number).arg(sheet->files.at(t.file).name).arg(t.index1).arg(t.pregap)
                      .arg(t.audio ? "a" : "d");
    return tracks.join(' ');
}

// The header the file format asks for, written out field by field.
QByteArray header(quint32 dataBytes)
{
    const auto le32 = [](quint32 value) { return QByteArray(reinterpret_cast<const char*>(&value), 4); };
    return "RIFF" + le32(36 + dataBytes) + QByteArray("WAVEfmt \x10\0\0\0\1\0\2\0\x44\xac\0\0\x10\xb1\2\0\4\0\x10\0data", 32)
        + le32(dataBytes);
}

// An image that cannot be read at one sector, as a drive cannot read a scratch.
class ScratchedDrive final : public CdAudio::Drive {
public:
    ScratchedDrive(std::unique_ptr<CdAudio::Drive> image, int scratch) : image(std::move(image)), scratch(scratch) {}
    Status readToc(CdAudio::Toc& toc) override { return image->readToc(toc); }
    Status readAudio(int lba, int sectors, char* buffer) override
    {
        return lba <= scratch && scratch < lba + sectors ? Status::MediumError : image->readAudio(lba, sectors, buffer);
    }
    Status setLocked(bool locked) override { return image->setLocked(locked); }
    bool mediaReady() override { return image->mediaReady(); }

private:
    std::unique_ptr<CdAudio::Drive> image;
    const int scratch;
};

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestCdAudio final : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString disc; // tracks of 15790, 1005 and 19 sectors

private slots:
    void initTestCase() { disc = CdImage::write(dir.path(), {15790, 1005, 19}); }

    void linuxAnswers_data()
    {
        QTest::addColumn<bool>("driveStatus");
        QTest::addColumn<int>("answer");
        QTest::addColumn<Status>("status");
        QTest::addRow("no medium") << false << ENOMEDIUM << Status::NoDisc;
        QTest::addRow("command timed out") << false << ETIMEDOUT << Status::NotReady;
        QTest::addRow("scratch") << false << EIO << Status::MediumError;
        QTest::addRow("unplugged") << false << ENODEV << Status::NoDrive;
        QTest::addRow("tray open") << true << int(CDS_TRAY_OPEN) << Status::NoDisc;
        QTest::addRow("disc in") << true << int(CDS_DISC_OK) << Status::Ok;
    }
    void linuxAnswers()
    {
        QFETCH(bool, driveStatus);
        QFETCH(int, answer);
        QTEST(driveStatus ? CdAudio::Linux::statusFromDriveStatus(answer) : CdAudio::Linux::statusFromErrno(answer),
              "status");
    }

    void addresses_data()
    {
        QTest::addColumn<CdAudio::Msf>("msf");
        QTest::addColumn<int>("lba");
        QTest::addRow("first track") << CdAudio::Msf{0, 2, 0} << 0;
        QTest::addRow("second track of the example") << CdAudio::Msf{3, 32, 40} << 15790;
        QTest::addRow("inside the first pregap") << CdAudio::Msf{0, 1, 74} << -1;
        QTest::addRow("end of an 80-minute disc") << CdAudio::Msf{79, 59, 74} << 359849;
    }
    void addresses()
    {
        QFETCH(CdAudio::Msf, msf);
        QFETCH(int, lba);
        QCOMPARE(CdAudio::msfToLba(msf), lba);
        QCOMPARE(CdAudio::lbaToMsf(lba), msf);
    }

    void cueSheets_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("tracks");
        QTest::addRow("as the burn step writes it")
            << "TITLE \"Live\"\nFILE \"a b.bin\" BINARY\n  TRACK 01 AUDIO\n    TITLE \"x\"\n    INDEX 01 00:00:00\n"
               "  TRACK 02 AUDIO\n    INDEX 00 03:28:00\n    INDEX 01 03:30:40\n"
            << "1@a b.bin:0+0a 2@a b.bin:15790+0a";
        QTest::addRow("several files, lower case, BOM, CRLF, gaps")
            << "\uFEFFREM GENRE Rock\r\nfile one.bin binary\r\n track 1 mode1/2352\r\n  index 01 00:00:00\r\n"
               "FILE \"two.wav\" WAVE\r\n TRACK 02 AUDIO\r\n  FLAGS PRE\r\n  PREGAP 00:00:10\r\n  INDEX 01 00:00:00\r\n"
            << "1@one.bin:0+0d 2@two.wav:0+10a";
        QTest::addRow("track before any file") << "TRACK 01 AUDIO\nINDEX 01 00:00:00\n"
                                               << "error: line 1: a TRACK line that names no track of a disc";
        QTest::addRow("no INDEX 01") << "FILE \"x.bin\" BINARY\nTRACK 01 AUDIO\nINDEX 00 00:00:00\n"
                                     << "error: track 1 has no INDEX 01";
        QTest::addRow("empty") << "" << "error: no tracks";
    }
    void cueSheets()
    {
        QFETCH(QString, text);
        QTEST(summary(text), "tracks");
    }

    void extraction_data()
    {
        QTest::addColumn<int>("track");
        QTest::addColumn<int>("sectors");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("blocks");
        QTest::addRow("the example's first track") << 0 << 15790 << 210 << 789;
        QTest::addRow("1005 sectors: 50 blocks and 5") << 1 << 1005 << 13 << 50;
        QTest::addRow("19 sectors: no block, no progress") << 2 << 19 << 0 << 0;
    }
    void extraction()
    {
        QFETCH(int, track);
        QFETCH(int, sectors);
        QFETCH(int, blocks);
        CAudioCD cd(disc);
        QTEST(cd.TrackSeconds(track), "seconds");
        QSignalSpy progress(&cd, &CAudioCD::fileProgress);
        const QString wav = dir.filePath(QString("track%1.wav").arg(track));
        QVERIFY(cd.ExtractTrack(track, wav));
        QCOMPARE(progress.size(), blocks);
        const QByteArray written = readAll(wav);
        QCOMPARE(written.left(44), header(quint32(sectors) * 2352));
        QVERIFY(written.mid(44) == CdImage::tone(track + 1, sectors));
        QVERIFY2(!cd.ExtractTrack(track, wav), "an existing file is never replaced");
    }

    // A track cut short by a stop keeps what was read, under a header that says exactly that much.
    // Only a medium error in the last track's final sectors may end a track early: anywhere else,
    // and for a disc (here its file) that goes away, the track fails and leaves no file.
    void cutShort_data()
    {
        QTest::addColumn<int>("track");
        QTest::addColumn<int>("keepSectors"); // at the third block, cut the BIN to this many sectors
        QTest::addColumn<int>("scratch");     // an unreadable sector of the disc
        QTest::addColumn<int>("written");     // -1: no file
        QTest::addRow("stopped during the third block") << 1 << 0 << -1 << 3 * 20 + 5;
        QTest::addRow("disc gone in the middle") << 0 << 100 << -1 << -1;
        QTest::addRow("last track's file cut short") << 1 << 300 + 910 << -1 << -1;
        QTest::addRow("scratch in the middle track") << 0 << 0 << 150 << -1;
        QTest::addRow("scratch in the middle of the last track") << 1 << 0 << 300 + 510 << -1;
        QTest::addRow("last track's final sectors unreadable") << 1 << 0 << 300 + 1003 << 1003;
    }
    void cutShort()
    {
        QFETCH(int, track);
        QFETCH(int, keepSectors);
        QFETCH(int, scratch);
        QFETCH(int, written);
        QTemporaryDir folder;
        const QString cue = CdImage::write(folder.path(), {300, 1005});
        Status status;
        CAudioCD cd;
        QVERIFY(cd.OpenDrive(std::make_unique<ScratchedDrive>(DiscImage::openCd(cue, status), scratch), cue));
        int blocks = 0;
        connect(&cd, &CAudioCD::fileProgress, this, [&] {
            if (++blocks != 3 || scratch >= 0)
                return;
            if (keepSectors > 0)
                QFile::resize(folder.filePath("disc.bin"), qint64(keepSectors) * 2352);
            else
                cd.StopExtracting();
        });
        const QString wav = folder.filePath("out.wav");
        QCOMPARE(cd.ExtractTrack(track, wav), written >= 0);
        QCOMPARE(QFile::exists(wav), written >= 0);
        QVERIFY(cd.WriteFailure().isEmpty());
        if (written < 0)
            return;
        const QByteArray file = readAll(wav);
        QCOMPARE(file.left(44), header(quint32(written) * 2352));
        QVERIFY(file.mid(44) == CdImage::tone(track + 1, written));
    }

    // Laid out as cdrdao lays out the same sheet: a file that ends inside a sector fills it up,
    // and the tracks after it keep their places.
    void raggedFilesAsCdrdaoReadsThem()
    {
        const QString cdrdao = QStandardPaths::findExecutable("cdrdao");
        if (cdrdao.isEmpty())
            QSKIP("cdrdao is not installed");
        QTemporaryDir folder;
        const auto write = [&](const QString& name, const QByteArray& bytes) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        };
        write("a.bin", CdImage::tone(1, 101).left(100 * 2352 + 1000));
        write("b.bin", CdImage::tone(2, 51).left(50 * 2352 + 8));
        write("c.wav", header(30 * 2352 + 100) + CdImage::tone(3, 31).left(30 * 2352 + 100));
        write("s.cue", "FILE \"a.bin\" BINARY\n TRACK 01 AUDIO\n  INDEX 01 00:00:00\n TRACK 02 AUDIO\n  INDEX 01 00:01:00\n"
                       "FILE \"b.bin\" BINARY\n TRACK 03 AUDIO\n  INDEX 01 00:00:00\n"
                       "FILE \"c.wav\" WAVE\n TRACK 04 AUDIO\n  PREGAP 00:00:10\n  INDEX 01 00:00:00\n");
        QProcess show;
        show.setProcessChannelMode(QProcess::MergedChannels);
        show.setWorkingDirectory(folder.path()); // where cdrdao looks for the sheet's files
        show.start(cdrdao, {"show-toc", folder.filePath("s.cue")});
        QVERIFY(show.waitForFinished(30000));
        QStringList theirs; // where each track starts, then where the last one ends
        static const QRegularExpression place("(START|END\\*?) +\\d+:\\d+:\\d+\\( *(\\d+)\\)");
        const QString report = QString::fromUtf8(show.readAll());
        for (auto match = place.globalMatch(report); match.hasNext();) {
            const QRegularExpressionMatch found = match.next();
            if (found.captured(1) == "START" || !match.hasNext())
                theirs << found.captured(2);
        }
        Status status;
        CdAudio::Toc toc;
        QVERIFY(DiscImage::openCd(folder.filePath("s.cue"), status)->readToc(toc) == Status::Ok);
        QStringList ours;
        for (const CdAudio::TocEntry& entry : toc.entries)
            ours << QString::number(CdAudio::msfToLba(entry.address));
        QVERIFY2(ours == theirs, qPrintable(report));
        CAudioCD cd(folder.filePath("s.cue"));
        QVERIFY(cd.ExtractTrack(1, folder.filePath("two.wav")));
        QVERIFY2(readAll(folder.filePath("two.wav")).mid(44)
                     == CdImage::tone(1, 101).mid(75 * 2352, 25 * 2352 + 1000) + QByteArray(2352 - 1000, '\0'),
                 "the last sector of a file ends in silence");
    }

    // The sound of an enhanced CD ends where the gap before its data session begins.
    void enhancedCd_data()
    {
        QTest::addColumn<int>("lastSession"); // what the drive's multisession information says
        QTest::addColumn<QList<int>>("sectors");
        QTest::addRow("by the table") << -1 << QList<int>{1000, 20000 - 1000 - 11400, 10000};
        QTest::addRow("by the drive") << 19000 << QList<int>{1000, 19000 - 1000 - 11400, 10000};
    }
    void enhancedCd()
    {
        QFETCH(int, lastSession);
        const CdAudio::Toc toc{1, 3, {{1, CdAudio::lbaToMsf(0), 0}, {2, CdAudio::lbaToMsf(1000), 0},
                                      {3, CdAudio::lbaToMsf(20000), CdAudio::dataControl},
                                      {CdAudio::leadOutNumber, CdAudio::lbaToMsf(30000), 0}}, lastSession};
        QList<int> sectors;
        for (const CAudioCD::Track& track : CAudioCD::tracksFromToc(toc))
            sectors << int(track.sectorCount);
        QTEST(sectors, "sectors");
    }

    // Sheets that no CD could match are refused, each with a reason; so is a file too large to
    // be a sheet, which is not read whole.
    void imagesOfNoCd_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("reason");
        const QString track = "FILE \"disc.bin\" BINARY\n TRACK 01 AUDIO\n  INDEX 01 00:00:00\n";
        QString pregaps = "FILE \"disc.bin\" BINARY\n";
        for (int t = 1; t <= 99; ++t)
            pregaps += QString::asprintf(" TRACK %02d AUDIO\n  PREGAP 99:59:74\n  INDEX 01 ", t) + DiscImage::msf(t) + "\n";
        QTest::addRow("99 long pregaps") << pregaps << "more than the 100 minutes a CD can hold";
        QTest::addRow("3000 files") << track + QString("FILE \"disc.bin\" BINARY\n").repeated(3000)
                                    << "more than the 100 minutes a CD can hold";
        QTest::addRow("a file less than a sector")
            << track + "FILE \"tiny.bin\" BINARY\n TRACK 02 AUDIO\n  INDEX 01 00:00:00\n" << "tiny.bin holds less than one sector";
        QTest::addRow("larger than any sheet") << track + QString("REM ").repeated(70000) << "no sheet holds more than 256 KB";
    }
    void imagesOfNoCd()
    {
        QFETCH(QString, sheet);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        CdImage::write(folder.path(), {2000});
        QFile tiny(folder.filePath("tiny.bin"));
        QVERIFY(tiny.open(QIODevice::WriteOnly) && tiny.write(QByteArray(2351, '\0')) == 2351);
        QFile cue(folder.filePath("disc.cue"));
        QVERIFY(cue.open(QIODevice::WriteOnly | QIODevice::Truncate) && cue.write(sheet.toUtf8()) > 0);
        cue.close();
        CAudioCD cd;
        QVERIFY(!cd.OpenDrive(cue.fileName()));
        QVERIFY2(cd.OpenFailure().contains(reason), qPrintable(cd.OpenFailure()));
    }

    void aDiscWithADataTrackAndSeveralFiles()
    {
        const auto write = [&](const QString& name, const QByteArray& bytes) {
            QFile file(dir.filePath(name));
            return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
        };
        QVERIFY(write("one.bin", CdImage::tone(1, 40) + QByteArray(50 * 2352, 'D')));
        QVERIFY(write("two.wav", header(30 * 2352) + CdImage::tone(2, 30)));
        QVERIFY(write("mixed.cue", "FILE \"ONE.BIN\" BINARY\n TRACK 01 AUDIO\n  INDEX 01 00:00:00\n TRACK 02 MODE1/2352\n"
                                   "  INDEX 01 00:00:40\nFILE \"two.wav\" WAVE\n TRACK 03 AUDIO\n  PREGAP 00:00:10\n"
                                   "  INDEX 01 00:00:00\n"));
        CAudioCD cd;
        QVERIFY(cd.OpenDrive(dir.filePath("mixed.cue")));
        QVERIFY(cd.IsAudioTrack(0) && !cd.IsAudioTrack(1) && cd.IsAudioTrack(2));
        // The data after the sound lies in a session of its own, past the gap a disc has there.
        Status status;
        CdAudio::Toc toc;
        QVERIFY(DiscImage::openCd(dir.filePath("mixed.cue"), status)->readToc(toc) == Status::Ok);
        QCOMPARE(CdAudio::msfToLba(toc.entries.at(1).address), 40 + CdAudio::sessionGapSectors);
        QCOMPARE(cd.TrackBytes(0), qint64(40) * 2352);
        QCOMPARE(cd.TrackBytes(1), qint64(50 + 10) * 2352); // the pregap of track 3 belongs to the track before it
        QVERIFY2(!cd.ExtractTrack(1, dir.filePath("data.wav")) && !QFile::exists(dir.filePath("data.wav")),
                 "a data track is not ripped");
        QVERIFY(cd.ExtractTrack(2, dir.filePath("three.wav")));
        QVERIFY(readAll(dir.filePath("three.wav")).mid(44) == CdImage::tone(2, 30));
        QVERIFY2(!cd.OpenDrive("/dev/null") && !cd.IsOpen() && !cd.LockDrive(), "not a CD drive; nothing stays open");
        QVERIFY(!cd.IsMediaReady(dir.filePath("missing.cue")));
    }
};

QTEST_GUILESS_MAIN(TestCdAudio)
#include "tst_cdaudio.moc"
