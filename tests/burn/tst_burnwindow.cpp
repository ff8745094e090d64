#include "burn/selectdrive.h"
#include "burnfakes.h"
#include "dvdrip/dvdtext.h"
#include "pagedriver.h"
#include "platform/tools.h"
#include "ffmpegsupport.h"
#include "testsupport.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>

namespace {

// Chooses the DVD format's first preset and presses Convert with the pointer. In the drive dialog, OK
// is pressed once for each name offered for the image, its entry (the last, End) chosen first.
void convertToDvd(PageDriver& page, FileDialogRecorder* saveAs = nullptr, const QStringList& names = {})
{
    page.eval("idTabs.current = 1; formatTab.addIconsToOutputPage('7', 'DVD', false); formatTab.choosePreset(0);"
              "idTabs.current = 2");
    FileDialogs::setDialogAnswerer([=](QDialog& shown) {
        QVERIFY(QTest::qWaitFor([&] { return shown.findChild<QComboBox*>()->isEnabled(); }));
        if (saveAs)
            QTest::keyClick(shown.findChild<QComboBox*>(), Qt::Key_End);
        for (qsizetype i = 0; i < std::max<qsizetype>(1, names.size()); ++i) {
            if (saveAs)
                saveAs->answer = {names.at(i)};
            pressOk(shown);
        }
    });
    page.click(page.item("convertButton"));
}

} // namespace

class TestBurnWindow final : public QObject {
    Q_OBJECT
    std::unique_ptr<IsolatedHome> home;

private slots:
    void initTestCase() { home = startedHome(); }
    void init() { failOnPageWarnings(); }

    void twoClipsBecomeADvdImage()
    {
        QTemporaryDir out;
        PageDriver page;
        MessageRecorder messages;
        FileDialogRecorder saveAs;
        QVERIFY(QFile(out.filePath("taken.iso")).open(QIODevice::WriteOnly));
        QVERIFY(page.addAndProbe({testMedia("av.mp4"), testMedia("wide.mp4")}));
        convertToDvd(page, &saveAs, {out.filePath("taken"), out.filePath("holiday")});
        QTRY_VERIFY_WITH_TIMEOUT(!page.eval("mainPage.conversionInProgress").toBool(), 240000);
        for (int row = 0; row < 3; ++row)
            QCOMPARE(page.role(row, "currentStatus"), "complete");
        QCOMPARE(page.role(2, "newFileName"), "Image Complete");
        // The image is no converted file, and the run says where it went.
        QCOMPARE(page.text("convertTab.runSummary + ' / ' + convertTab.outputPlace()"),
                 "2 converted / Saved as " + out.filePath("holiday.iso"));
        QCOMPARE(messages.prompts.value(0).text, "The file " + out.filePath("taken.iso") + " already exists. Please choose another name.");

        const QString work = Folders::tempFolder() + "/" + page.text("mainPage.desTemp");
        QCOMPARE(QDir(work).entryList({"?????????????????.mpg"}, QDir::Files).size(), 2);
        const QString iso = out.filePath("holiday.iso");
        // The title tool reads the image back: one title that plays both clips, 3 s and 2 s.
        QProcess listing;
        listing.start(Tools::find("tarvik"), {iso});
        QVERIFY(listing.waitForFinished(30000));
        const QList<qint64> titles = DvdText::parseTitleListing(Tools::outputText(listing.readAllStandardOutput()));
        QCOMPARE(titles.size(), 1);
        QVERIFY2(qAbs(titles.at(0) - 5000) < 600, qPrintable(QString::number(titles.at(0))));
        // "Play Disc" opens what was written: the image.
        QCOMPARE(page.window.findChild<SelectDrive*>()->getDriveRoot(), iso);
    }

    // A run whose drive dialog is cancelled does not start and leaves no work folder behind.
    void aCancelledDriveDialogLeavesNothing()
    {
        PageDriver page;
        QVERIFY(page.addAndProbe({testMedia("av.mp4")}));
        const QStringList before = QDir(Folders::tempFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        page.eval("idTabs.current = 1; formatTab.addIconsToOutputPage('7', 'DVD', false); formatTab.choosePreset(0);"
                  "idTabs.current = 2");
        FileDialogs::setDialogAnswerer([](QDialog& shown) {
            QTest::mouseClick(shown.findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
        });
        page.click(page.item("convertButton"));
        FileDialogs::setDialogAnswerer({});
        QVERIFY(!page.eval("mainPage.conversionInProgress").toBool());
        QCOMPARE(QDir(Folders::tempFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), before);
    }

    void aFakeBurnerChosenAsTheDrive()
    {
        FakeTools fakes;
        fakes.putFirstOnPath();
        fakes.add("dvd+rw-mediainfo", {0}, "cat <<'EOF'\n" + mediaInfo("11h, DVD-R Sequential", "blank", "2297888") + "EOF");
        fakes.add("growisofs", {0}, "echo '  4.32% done, estimate finish Fri Dec 31 23:59:59 2100' >&2; exec sleep 98765");
        QTemporaryDir sys;
        fakeDrive(sys.path());
        PageDriver page;
        page.window.findChild<SelectDrive*>()->setSystemRoots(sys.path(), sys.path() + "/dev");
        QVERIFY(page.addAndProbe({testMedia("av.mp4")}));
        convertToDvd(page);
        QCOMPARE(page.role(1, "fileName"), sys.path() + "/dev/sr0");
        QTRY_COMPARE_WITH_TIMEOUT(page.role(1, "currentStatus"), "23%", 120000);
        QVERIFY(page.role(1, "duration").startsWith("Time remaining: "));
        QCOMPARE(page.role(1, "newFileName"), "Burning DVD...");
        MessageRecorder refusal;
        page.click(page.item("cancelButton"));
        QCOMPARE(refusal.prompts.value(0).text, "The disc is being burned and cannot be stopped. Please wait for the burn to finish.");

        // A burn asked for while one runs is answered, not lost: the queue waits for that answer.
        QSignalSpy answered(&page.window, &MainWindow::conversionComplete);
        page.window.startBurnDisc("dvd", sys.path() + "/dev/sr0", page.text("mainPage.desTemp"), "PAL");
        QVERIFY(answered.wait(10000));
        QCOMPARE(answered.at(0), QVariantList({false, QString(), "The burn could not start: the one before it has not ended."}));

        // Closing asks first: a disc left half-written is spoilt. Yes ends the burner too.
        for (const QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Yes}) {
            MessageRecorder messages(answer);
            page.window.close();
            QVERIFY(messages.prompts.value(0).text.startsWith("A disc is being written"));
            QCOMPARE(anyProcessMentions("98765"), answer == QMessageBox::No);
            QCOMPARE(page.window.isVisible(), answer == QMessageBox::No);
        }
    }
};

QTEST_MAIN(TestBurnWindow)
#include "tst_burnwindow.moc"
