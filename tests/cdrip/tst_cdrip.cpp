#include "cdimage.h"
#include "cdrip/cdripthread.h"
#include "cdrip/selectcd.h"
#include "pagedriver.h"
#include "discimage/imagedrive.h"
#include "platform/folders.h"
#include "ripdialog.h"
#include "testsupport.h"

#include <QLabel>
#include <QProgressBar>
#include <QSemaphore>
#include <QSignalSpy>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

// Runs the dialog as the Add tab does, acting on it once it shows, until it closes.
void runDialog(SelectCD& dialog, const std::function<void()>& act)
{
    workDialog([&](QDialog&) { act(); });
    dialog.exec();
    FileDialogs::setDialogAnswerer({});
}

QStringList ripFolders()
{
    return QDir(Folders::tempFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
}

} // namespace

class TestCdRip final : public QObject {
    Q_OBJECT
    std::unique_ptr<IsolatedHome> home;
    QTemporaryDir images;

    void useImage(const QList<int>& sectors)
    {
        qputenv(DiscImage::imageVariable, CdImage::write(images.path(), sectors).toUtf8());
    }

private slots:
    void initTestCase() { home = startedHome(); }
    void init() { failOnPageWarnings(); }

    void theNextFreeNumberNamesTheRipFolder()
    {
        QTemporaryDir parent;
        QVERIFY(QDir(parent.path()).mkdir("1700000000"));
        QCOMPARE(Folders::makeRipFolder(parent.path(), 1700000000), parent.filePath("1700000001"));
        QCOMPARE(Folders::makeRipFolder(parent.path(), 1700000000), parent.filePath("1700000002"));
        QCOMPARE(Folders::makeRipFolder("/dev/null/rips", 1700000000), QString()); // no folder: an error, not "/Track 1.wav"
    }

    void noTrackThenTracksTwoAndFiveOfFive()
    {
        useImage({100, 100, -100, 100, 100});
        MessageRecorder recorder;
        SelectCD dialog;
        QSignalSpy added(&dialog, &SelectCD::addAudioCD);
        // Enter in the track list means Cancel: nothing is ripped. On a button it presses that
        // button: Select None, then OK, which rips nothing and leaves no empty folder behind.
        const QStringList before = ripFolders();
        const auto enterOn = [](QWidget* focused) { focused->setFocus(); QTest::keyClick(focused->window()->windowHandle(), Qt::Key_Return); };
        runDialog(dialog, [&] { QVERIFY(QTest::qWaitForWindowActive(&dialog)); enterOn(dialog.findChild<QTreeWidget*>()); });
        QCOMPARE(ripFolders(), before);
        runDialog(dialog, [&] {
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            enterOn(button(dialog, "Select None"));
            enterOn(button(dialog, "OK"));
        });
        QCOMPARE(ripFolders(), before);
        QTRY_VERIFY(button(dialog, "OK")->isEnabled());

        QStringList seen; // the bar's values, with the label that stood beside each
        auto* label = dialog.findChild<QLabel*>();
        connect(dialog.findChild<QProgressBar*>(), &QProgressBar::valueChanged, this,
                [&](int value) { seen << QString("%1 %2").arg(value).arg(label->text()); });
        runDialog(dialog, [&] {
            QCOMPARE(rows(dialog), (QStringList{"Track 1 0:01+", "Track 2 0:01+", "Track 3 (data) 0:01", "Track 4 0:01+",
                                                "Track 5 0:01+"}));
            QVERIFY(!dialog.findChild<QTreeWidget*>()->topLevelItem(2)->flags().testFlag(Qt::ItemIsEnabled));
            click(dialog, "Select None");
            tick(dialog, 1);
            tick(dialog, 4);
            click(dialog, "OK");
            QVERIFY(!button(dialog, "OK")->isEnabled() && button(dialog, "Cancel")->isEnabled());
        });
        QCOMPARE(added.size(), 2);
        QVERIFY(added.at(0).at(0).toStringList().value(0).endsWith("/Track 2.wav"));
        QVERIFY(added.at(1).at(0).toStringList().value(0).endsWith("/Track 5.wav"));
        QTRY_VERIFY(button(dialog, "OK")->isEnabled());
        QStringList expected; // each block of either track is a tenth of the rip (the bar stood at 0 already)
        for (int value = 10; value < 100; value += 10)
            expected << QString("%1 Ripping track %2 of 2...").arg(value).arg(value < 50 ? 1 : 2);
        QCOMPARE(seen, expected << "0 ");
        QVERIFY(recorder.prompts.isEmpty());
    }

    // What keeps a disc from being ripped is said in the dialog, from the first look on. The
    // drives and the disc are read after the dialog shows, never before it.
    void whatCannotBeRippedIsSaid_data()
    {
        QTest::addColumn<QByteArray>("sheet"); // the one image's sheet; none: no drive at all
        QTest::addColumn<QString>("said");
        QTest::addRow("no drive") << QByteArray() << "No CD drive holds an audio disc";
        QTest::addRow("missing file") << QByteArray("FILE \"gone.bin\" BINARY\n TRACK 01 AUDIO\n INDEX 01 00:00:00\n")
                                      << "the file gone.bin cannot be read";
        QTest::addRow("garbage") << QByteArray("FILE \"x.bin\" BINARY\nTRACK 120 AUDIO\n")
                                 << "a TRACK line that names no track of a disc";
    }
    void whatCannotBeRippedIsSaid()
    {
        QFETCH(QByteArray, sheet);
        QFETCH(QString, said);
        const bool anImage = !sheet.isEmpty();
        QFile cue(images.path() + "/unreadable.cue");
        QVERIFY(cue.open(QIODevice::WriteOnly | QIODevice::Truncate) && cue.write(sheet) == sheet.size());
        cue.close();
        qputenv(DiscImage::imageVariable, anImage ? QFile::encodeName(cue.fileName()) : QByteArray());
        MessageRecorder recorder;
        SelectCD dialog;
        QString first;
        FileDialogs::setDialogAnswerer([&](QDialog&) {
            first = dialog.findChild<QLabel*>()->text();
            QVERIFY(hasRead(dialog));
            const QString shown = dialog.findChild<QLabel*>()->text();
            QVERIFY2(shown.contains(said), qPrintable(shown));
            if (!anImage) // OK without a drive says it once more
                click(dialog, "OK");
        });
        dialog.exec();
        FileDialogs::setDialogAnswerer({});
        QCOMPARE(first, "Looking for CD drives…");
        if (!anImage)
            QTRY_COMPARE(recorder.prompts.value(0).text, "No CD drive holds an audio disc");
    }

    // A disk that fills up ends the rip at the first track it cannot take, with one message that
    // says why, and no unfinished file stays behind. A file size limit stands in for the full disk.
    void aFullDiskStopsTheRip()
    {
        useImage({100, 1000, 100});
        CDRipThread thread;
        QSignalSpy error(&thread, &CDRipThread::error);
        QSignalSpy finished(&thread, &CDRipThread::finishedFile);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &limit) == 0);
        const rlimit full{44 + 500 * 2352, limit.rlim_max};
        QVERIFY(setrlimit(RLIMIT_FSIZE, &full) == 0);
        thread.setRip(qEnvironmentVariable(DiscImage::imageVariable), {"1", "2", "3"});
        thread.start();
        const bool ended = thread.wait(60000);
        setrlimit(RLIMIT_FSIZE, &limit);
        QVERIFY(ended);
        QCOMPARE(error.size(), 1);
        QCOMPARE(error.at(0).at(0).toString(), "Cannot extract track 2. File too large.");
        QCOMPARE(writeFailureText(ENOSPC), "The disk is full."); // what a full disk itself says
        QCOMPARE(finished.size(), 1);
        const QDir folder = QFileInfo(finished.at(0).at(0).toString()).dir();
        QCOMPARE(folder.entryList(QDir::Files), QStringList{"Track 1.wav"});
    }

    // The rip thread is held where a Cancel is most easily lost: between starting the second
    // track and reading its first block. Escape is the Cancel of a dialog without a close button.
    void cancelDuringTheSecondOfThree()
    {
        useImage({100, 1000, 100});
        MessageRecorder recorder;
        SelectCD dialog;
        QSignalSpy added(&dialog, &SelectCD::addAudioCD);
        QSemaphore cancelled;
        connect(dialog.findChild<CDRipThread*>(), &CDRipThread::startedFile, this,
                [&](int track) { if (track == 2) cancelled.acquire(); }, Qt::DirectConnection);
        runDialog(dialog, [&] {
            click(dialog, "OK");
            const bool second = QTest::qWaitFor([&] { return dialog.findChild<QLabel*>()->text() == "Ripping track 2 of 3..."; });
            QTest::keyClick(&dialog, Qt::Key_Escape);
            cancelled.release();
            QVERIFY(second);
        });
        QTRY_COMPARE(recorder.prompts.size(), 1);
        QCOMPARE(recorder.prompts.at(0).title + ": " + recorder.prompts.at(0).text, "Error: Ripping was cancelled.");
        QCOMPARE(added.size(), 1);
        const QDir folder = QFileInfo(added.at(0).at(0).toStringList().value(0)).dir();
        QCOMPARE(folder.entryList(QDir::Files), QStringList{"Track 1.wav"}); // the track cut short is not kept
    }

    // Converting the items is left to the DVD's end-to-end test: a "cd" item converts as any file.
    void theAddTabRipsCdItemsAndClosingTheWindowStopsARip()
    {
        useImage({150, 150});
        MessageRecorder recorder;
        PageDriver page;
        auto* dialog = page.window.findChild<SelectCD*>();
        workDialog([&](QDialog&) { click(*dialog, "OK"); });
        page.click(page.icon("CD"));
        FileDialogs::setDialogAnswerer({});
        QTRY_COMPARE_WITH_TIMEOUT(page.integer("mainPage.overallDuration"), 4, 30000);
        QCOMPARE(page.count(), 2);
        QCOMPARE(page.role(1, "source") + " " + page.role(1, "newFileName"), "cd Track 2");
        // Converted to MP3 beside their source: a rip's tracks share one album folder of the Music folder.
        page.eval("var m = mainwnd.getFormatModel(); for (var i = 0; i < m.length; i += 7)"
                  " if (m[i + 1] === 'MP3') formatTab.addIconsToOutputPage(m[i], 'MP3', false);"
                  "formatTab.choosePreset(0); idTabs.current = 2");
        page.click(page.item("convertButton"));
        QTRY_VERIFY_WITH_TIMEOUT(!page.eval("mainPage.conversionInProgress").toBool(), 60000);
        const QDir music(page.text("mainwnd.getMusicFolder()"));
        const QStringList albums = music.entryList({"Album *"}, QDir::Dirs);
        QCOMPARE(albums.size(), 1);
        QCOMPARE(QDir(music.filePath(albums.at(0))).entryList({"*.mp3"}), (QStringList{"Track 1.mp3", "Track 2.mp3"}));
        dialog->setWindowState(Qt::WindowMinimized);
        QVERIFY2(page.window.isMinimized(), "the window goes down with its dialog");

        // The window closes as soon as the next rip has opened the image and started its track.
        useImage({3000});
        auto* thread = dialog->findChild<CDRipThread*>();
        QSemaphore started;
        connect(thread, &CDRipThread::startedFile, this, [&] { started.release(); }, Qt::DirectConnection);
        runDialog(*dialog, [&] {
            click(*dialog, "OK");
            started.acquire();
            page.window.close();
        });
        QVERIFY(thread->isFinished());
        QCoreApplication::processEvents();
        QCOMPARE(page.count(), 2); // stopped, not finished and announced
        QVERIFY2(recorder.prompts.isEmpty(), "a closing window shows no rip error");
    }
};

QTEST_MAIN(TestCdRip)
#include "tst_cdrip.moc"
