#include "cdimage.h"
#include "cdrip/caudiocd.h"
#include "discimage/cuesheet.h"
#include "discimage/imagedrive.h"
#include "platform/cdaudio.h"

#include <QSignalSpy>
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

    // Whatever cuts a track short, the header tells exactly the sound the file holds.
    void cutShort_data()
    {
        QTest::addColumn<int>("track");
        QTest::addColumn<int>("keepSectors"); // at the third block, cut the BIN to this many sectors; 0: stop instead
        QTest::addColumn<bool>("result");
        QTest::addColumn<int>("written");
        QTest::addRow("stopped during the third block") << 1 << 0 << true << 3 * 20 + 5;
        QTest::addRow("disc gone in the middle") << 0 << 100 << false << 100;
        QTest::addRow("last track short of its lead-out") << 1 << 300 + 910 << true << 45 * 20 + 5;
    }
    void cutShort()
    {
        QFETCH(int, track);
        QFETCH(int, keepSectors);
        QTemporaryDir folder;
        CAudioCD cd(CdImage::write(folder.path(), {300, 1005}));
        int blocks = 0;
        connect(&cd, &CAudioCD::fileProgress, this, [&] {
            if (++blocks != 3)
                return;
            if (keepSectors > 0)
                QFile::resize(folder.filePath("disc.bin"), qint64(keepSectors) * 2352);
            else
                cd.StopExtracting();
        });
        const QString wav = folder.filePath("out.wav");
        QTEST(cd.ExtractTrack(track, wav), "result");
        QFETCH(int, written);
        const QByteArray file = readAll(wav);
        QCOMPARE(file.left(44), header(quint32(written) * 2352));
        QVERIFY(file.mid(44) == CdImage::tone(track + 1, written));
        QCOMPARE(cd.IsMediaReady(), keepSectors == 0);
    }

    // Only the last track may end early at an unreadable sector (its lead-out): anywhere else the
    // track is not ripped, though the file keeps what was read. The rest after the full blocks is
    // read from where the loop ended.
    void scratch_data()
    {
        QTest::addColumn<int>("track");
        QTest::addColumn<int>("sector");
        QTest::addColumn<bool>("result");
        QTest::addColumn<int>("written");
        QTest::addRow("middle track") << 0 << 150 << false << 140;
        QTest::addRow("last track") << 1 << 300 + 510 << true << 505;
    }
    void scratch()
    {
        QFETCH(int, track);
        QFETCH(int, sector);
        QTemporaryDir folder;
        Status status;
        const QString cue = CdImage::write(folder.path(), {300, 1005});
        CAudioCD cd;
        QVERIFY(cd.OpenDrive(std::make_unique<ScratchedDrive>(DiscImage::openCd(cue, status), sector), cue));
        const QString wav = folder.filePath("out.wav");
        QTEST(cd.ExtractTrack(track, wav), "result");
        QFETCH(int, written);
        QCOMPARE(readAll(wav).left(44), header(quint32(written) * 2352));
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
