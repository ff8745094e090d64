#include "burn/selectdrive.h"
#include "burnfakes.h"
#include "pagedriver.h"
#include "testsupport.h"

#include <QComboBox>
#include <QPushButton>

class TestSelectDrive final : public QObject {
    Q_OBJECT
    std::unique_ptr<IsolatedHome> home;
    FakeTools fakes;
    QTemporaryDir sys;
    QTemporaryDir out;

    // The test's paths stand as SYS and OUT in the tables.
    QString place(QString text) const { return text.replace("SYS", sys.path()).replace("OUT", out.path()); }

private slots:
    void initTestCase()
    {
        home = startedHome();
        fakes.putFirstOnPath({QFileInfo(HALVORN_TEST_EXECUTABLE).absolutePath()});
        fakeDrive(sys.path(), "sr0", "HL-DT-ST", "DVDRAM GH24NSB0");
        fakes.add("wodim", {0}, "cat <<'SCAN'\nscsibus1:\n\t1,0,0\t100) 'HL-DT-ST' 'DVDRAM GH24NSB0 ' 'LK00' Removable CD-ROM\n"
                                "\t1,1,0\t101) *\nSCAN");
        for (const char* taken : {"taken.iso", "taken.bin"})
            QVERIFY(QFile(out.filePath(taken)).open(QIODevice::WriteOnly));
    }

    void choose_data()
    {
        QTest::addColumn<QString>("disc");
        QTest::addColumn<QString>("report");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("image");
        QTest::addColumn<QString>("deviceId");
        QTest::addColumn<QString>("warning");
        const QString dvd = blankDiscReport("11h, DVD-R Sequential", 2297888);
        const QString cd = blankDiscReport("9h, CD-R", 359847);
        QTest::addRow("blank DVD") << "dvd" << dvd << 7200 << "" << "SYS/dev/sr0" << "";
        QTest::addRow("too long for the DVD") << "dvd" << dvd << 7201 << "" << "" << "The disc is not large enough.";
        QTest::addRow("blank CD, by bus address") << "cd" << cd << 4796 << "" << "1,0,0" << "";
        QTest::addRow("too long for the CD") << "cd" << cd << 4797 << "" << ""
                                             << "The disc in drive SYS/dev/sr0 is not large enough.";
        QTest::addRow("DVD image") << "dvd" << "" << 99999 << "new" << "OUT/new.iso" << "";
        QTest::addRow("DVD image name taken") << "dvd" << "" << 0 << "taken.iso" << "" << "already exists";
        QTest::addRow("CD image") << "cd" << "" << 0 << "album" << "OUT/album.cue" << "";
        QTest::addRow("CD image's BIN taken") << "cd" << "" << 0 << "taken" << "" << "already exists";
    }
    void choose()
    {
        QFETCH(QString, disc);
        QFETCH(QString, report);
        QFETCH(int, seconds);
        QFETCH(QString, image);
        QFETCH(QString, deviceId);
        QFETCH(QString, warning);
        fakes.add("dvd+rw-mediainfo", {0}, report);
        SelectDrive dialog;
        dialog.setSystemRoots(sys.path(), sys.path() + "/dev");
        dialog.setDisc(disc, seconds);
        MessageRecorder messages;
        FileDialogRecorder files({out.filePath(image)});
        QStringList entries;
        bool openAfterOk = false;
        FileDialogs::setDialogAnswerer([&](QDialog& shown) {
            auto* combo = shown.findChild<QComboBox*>("driveCombo");
            for (int i = 0; i < combo->count(); ++i)
                entries.append(combo->itemText(i));
            if (!image.isEmpty())
                QTest::keyClick(combo, Qt::Key_Down);
            QTest::mouseClick(shown.findChild<QPushButton*>("okButton"), Qt::LeftButton);
            openAfterOk = shown.isVisible();
        });
        const bool accepted = dialog.exec() == QDialog::Accepted;
        QCOMPARE(entries, QStringList({place("SYS/dev/sr0 [HL-DT-ST DVDRAM GH24NSB0 LK00]"),
                                       disc == "dvd" ? "Disc image (.iso)" : "Disc image (.cue and .bin)"}));
        QCOMPARE(accepted, warning.isEmpty());
        QCOMPARE(openAfterOk, !accepted);
        QCOMPARE(messages.prompts.size(), accepted ? 0 : 1);
        if (!accepted) {
            QVERIFY2(messages.prompts.at(0).text.contains(place(warning)), qPrintable(messages.prompts.at(0).text));
            return;
        }
        QCOMPARE(dialog.getDeviceId(), place(deviceId));
        QCOMPARE(dialog.getDriveRoot(), image.isEmpty() ? place("SYS/dev/sr0") : place(deviceId));
        QCOMPARE(files.requests.size(), image.isEmpty() ? 0 : 1);
    }

    void enterPressesCancel()
    {
        SelectDrive dialog;
        dialog.setDisc("dvd", 0);
        MessageRecorder messages;
        bool closedByEnter = false;
        FileDialogs::setDialogAnswerer([&](QDialog& shown) {
            QTest::keyClick(shown.findChild<QComboBox*>(), Qt::Key_Return);
            closedByEnter = !shown.isVisible();
        });
        QCOMPARE(dialog.exec(), QDialog::Rejected);
        QVERIFY(closedByEnter);
        QVERIFY(messages.prompts.isEmpty());
    }
};

QTEST_MAIN(TestSelectDrive)
#include "tst_selectdrive.moc"
