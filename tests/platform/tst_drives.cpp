#include "discimage/imagedrive.h"
#include "platform/drives.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray descriptor(const QByteArray& label)
{
    QByteArray sector(2048, '\0');
    sector[0] = 1;
    sector.replace(1, 5, "CD001");
    sector.replace(40, 32, label.leftJustified(32, ' '));
    return sector;
}

} // namespace

class TestDrives final : public QObject {
    Q_OBJECT
private slots:
    void volumeLabel_data()
    {
        QTest::addColumn<QByteArray>("sector");
        QTest::addColumn<QString>("label");
        QTest::addRow("padded name") << descriptor("HOLIDAY_2019") << "HOLIDAY_2019";
        QTest::addRow("control bytes made visible") << descriptor("A\x01/B") << "A_/B";
        QTest::addRow("not a primary descriptor") << QByteArray(2048, '\0') << "";
        QTest::addRow("cut short") << descriptor("X").left(50) << "";
    }
    void volumeLabel()
    {
        QFETCH(QByteArray, sector);
        QFETCH(QString, label);
        QCOMPARE(Drives::volumeLabelFromDescriptor(sector), label);
    }

    void hardwareDrivesInDeviceOrderWithTheirIdentity()
    {
        QTemporaryDir sys;
        for (const char* name : {"sr10", "sr2"}) {
            writeFile(sys.filePath(QString("class/block/%1").arg(name)), {});
            writeFile(sys.filePath(QString("block/%1/device/vendor").arg(name)), "HL-DT-ST\n");
            writeFile(sys.filePath(QString("block/%1/device/model").arg(name)), "DVDRAM GH24NSD1 \n");
            writeFile(sys.filePath(QString("block/%1/device/rev").arg(name)), "LG00\n");
        }
        const QList<Drives::OpticalDrive> drives = Drives::hardwareDrives(sys.path(), "/nonexistent");
        QCOMPARE(drives.size(), 2);
        QCOMPARE(drives[0].device, "/nonexistent/sr2");
        QCOMPARE(drives[1].device, "/nonexistent/sr10");
        QCOMPARE(drives[0].identity, "HL-DT-STDVDRAM GH24NSD1 LG00");
        QVERIFY(!drives[0].mediaPresent);
        QCOMPARE(Drives::entryText(drives[0]), "/nonexistent/sr2");
    }

    void imagesFromTheEnvironment()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("album.cue"), "PERFORMER \"Band\"\nTITLE \"Live Album\"\nFILE \"album.bin\" BINARY\n"
                                             "  TRACK 01 AUDIO\n    TITLE \"Song\"\n");
        writeFile(dir.filePath("untitled.cue"), "FILE \"x.bin\" BINARY\n  TRACK 01 AUDIO\n");
        QByteArray iso(17 * 2048, '\0');
        iso.replace(16 * 2048, 2048, descriptor("MOVIE"));
        writeFile(dir.filePath("movie.iso"), iso);
        writeFile(dir.filePath("Holiday/VIDEO_TS/VIDEO_TS.IFO"), "x");
        const QStringList names = {dir.filePath("album.cue"), dir.filePath("missing.iso"),
                                   dir.filePath("untitled.cue"), dir.filePath("movie.iso"),
                                   dir.filePath("Holiday/VIDEO_TS")};
        qputenv(DiscImage::imageVariable, names.join(':').toUtf8());
        const QList<Drives::OpticalDrive> drives = DiscImage::imageDrives();
        qunsetenv(DiscImage::imageVariable);

        QCOMPARE(drives.size(), 4);
        QCOMPARE(drives[0].kind, Drives::Kind::CdImage);
        QCOMPARE(Drives::entryText(drives[0]), dir.filePath("album.cue") + ": Live Album");
        QCOMPARE(drives[1].volumeLabel, "untitled");
        QCOMPARE(drives[2].kind, Drives::Kind::DvdImage);
        QCOMPARE(drives[2].volumeLabel, "MOVIE");
        QCOMPARE(drives[3].device, dir.filePath("Holiday"));
        QCOMPARE(drives[3].kind, Drives::Kind::DvdImage);
        QCOMPARE(drives[3].identity.size(), 28);
    }
};

QTEST_GUILESS_MAIN(TestDrives)
#include "tst_drives.moc"
