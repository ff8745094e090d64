#include "dvdrip/dvdripthread.h"
#include "dvdrip/selectdvd.h"
#include "pagedriver.h"
#include "../cdrip/ripdialog.h"
#include "discimage/imagedrive.h"
#include "tarviktext.h"
#include "ffmpegsupport.h"
#include "testsupport.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

class TestDvdRip : public QObject {
    Q_OBJECT

    std::unique_ptr<IsolatedHome> home;
    QTemporaryDir drives;
    const QByteArray path = qgetenv("PATH");

    QString drive(const QString& name) const { return drives.filePath(name); }
    void useTools(const QString& folder) { qputenv("PATH", QFile::encodeName(folder) + ":" + path); }
    QStringList toolCalls() const
    {
        QFile log(drive("calls"));
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts) : QStringList();
    }

private slots:
    void initTestCase()
    {
        home = startedHome();
        qputenv("FAKE_TARVIK_LOG", QFile::encodeName(drive("calls")));
        // The fake tool's drive: a folder holding VIDEO_TS, and the listing the tool prints for it.
        QVERIFY(QDir().mkpath(drive("film/VIDEO_TS")));
        qputenv(DiscImage::imageVariable, QFile::encodeName(drive("film")));
        qputenv("FAKE_TARVIK_LISTING", TarvikText::titleListing({5400000, 120000, 5400000, 60000, 60000, 60000}).c_str());
    }
    void init()
    {
        useTools(HALVORN_TEST_FAKES);
        qunsetenv("FAKE_TARVIK_RIP");
        qunsetenv("FAKE_TARVIK_LIST");
        QFile::remove(drive("calls"));
    }

    void listsTheTitlesRipsTheTickedOnesAndCancels()
    {
        MessageRecorder recorder;
        SelectDVD dialog;
        dialog.listDrives();
        dialog.show();
        QVERIFY(hasRead(dialog));
        QCOMPARE(rows(dialog), (QStringList{"Title 1 01:30:00+", "Title 2 00:02:00", "Title 3 01:30:00",
                                            "Title 4 00:01:00", "Title 5 00:01:00", "Title 6 00:01:00"}));

        // OK with nothing ticked starts nothing: it says what is missing and leaves the dialog as it was.
        click(dialog, "Select None");
        click(dialog, "OK");
        QCOMPARE(dialog.findChild<QLabel*>()->text(), "Please tick the titles to rip.");
        QVERIFY(button(dialog, "OK")->isEnabled() && dialog.findChild<QTreeWidget*>()->isEnabled());
        tick(dialog, 1);
        tick(dialog, 4);
        QStringList statuses;
        // The dialog as context: reports still queued when it goes die with it.
        connect(dialog.findChild<DVDRipThread*>(), &DVDRipThread::ripTitleStarted, &dialog,
                [&] { statuses.append(dialog.findChild<QLabel*>()->text()); });
        QSignalSpy added(&dialog, &SelectDVD::addDVD);
        QSignalSpy accepted(&dialog, &QDialog::accepted);
        click(dialog, "OK");
        QVERIFY(accepted.wait(30000));
        QCOMPARE(statuses, (QStringList{"Ripping title 1 of 2", "Ripping title 2 of 2"}));
        const QString file = added.value(1).value(0).toStringList().value(0);
        QVERIFY2(file.endsWith("/film_Title_5.vob"), qPrintable(file));
        QCOMPARE(added.value(1).value(1).toString(), "00:01:00");
        QCOMPARE(toolCalls().mid(1), (QStringList{drive("film") + " 2 " + QFileInfo(file).path() + "/film_Title_2.vob",
                                                  drive("film") + " 5 " + file}));

        // Cancelled during its first title, a rip of all six starts no further tool and rips nothing.
        qputenv("FAKE_TARVIK_RIP", "hang");
        dialog.show();
        click(dialog, "Select All");
        click(dialog, "OK");
        // Cancelled once the tool has logged its call: before that, the shell is still starting it.
        QTRY_COMPARE_WITH_TIMEOUT(toolCalls().size(), 1 + 2 + 1, 30000);
        // The dialog goes at once; the tool is ended behind it, and only then may OK start another rip.
        // The thread may already have ended when Cancel is pressed: OK may be back only if it has.
        click(dialog, "Cancel");
        QVERIFY(dialog.isHidden());
        QVERIFY(!button(dialog, "OK")->isEnabled() || dialog.findChild<DVDRipThread*>()->isFinished());
        QTRY_VERIFY(!anyProcessMentions("film_Title_1.vob") && button(dialog, "OK")->isEnabled());
        QTRY_COMPARE(recorder.prompts.size(), 1);
        QCOMPARE(recorder.prompts.at(0).title + ": " + recorder.prompts.at(0).text, "Error: Rip was cancelled!");
        QCOMPARE(statuses.size(), 2 + 6);
        QCOMPARE(added.size(), 2);
        QCOMPARE(toolCalls().size(), 1 + 2 + 1); // no tool started after the cancelled first title
    }

    void aTitleCountsOnlyWhenTheToolRippedIt_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("failure");
        QTest::addRow("ripped") << "" << "";
        QTest::addRow("tool failed") << "fail" << "tarvik: title 3 is encrypted (CSS)";
        QTest::addRow("nothing written") << "empty" << "the DVD title tool wrote nothing to ";
        QTest::addRow("tool missing") << "missing" << "the DVD title tool tarvik could not be found.";
        QTest::addRow("tool unstartable") << "unstartable" << "the DVD title tool could not be started: ";
        QTest::addRow("tool died by a signal") << "crash" << "The disc's title information is damaged";
    }
    void aTitleCountsOnlyWhenTheToolRippedIt()
    {
        QFETCH(QString, mode);
        QFETCH(QString, failure);
        qputenv("FAKE_TARVIK_RIP", mode.toLatin1());
        if (mode == "missing" || mode == "unstartable")
            useTools(mode == "missing" ? drives.path() : HALVORN_TEST_FAKES "/unstartable");
        DVDRipThread thread;
        QSignalSpy ripped(&thread, &DVDRipThread::ripTitleFinished);
        QSignalSpy complete(&thread, &DVDRipThread::ripComplete);
        QSignalSpy error(&thread, &DVDRipThread::error);
        thread.setTitles(drive("film"), {"3"}, "../film", {"01:30:00"});
        thread.start();
        QVERIFY(thread.wait(30000));
        const QString said = error.value(0).value(0).toString();
        QVERIFY2(failure.isEmpty() ? said.isEmpty() : said.startsWith("Title 3 could not be ripped: " + failure),
                 qPrintable(said));
        QCOMPARE(ripped.value(0).value(0).toString().endsWith("/_film_Title_3.vob"), failure.isEmpty());
        QCOMPARE(complete.size(), failure.isEmpty() ? 1 : 0);
        QCOMPARE(QFileInfo::exists(ripped.value(0).value(0).toString()), failure.isEmpty()); // nothing half made is kept
    }

    // The title tool runs behind the dialog: it shows at once and says it is reading; Escape ends
    // it and its tool at once. A tool that died by a signal is not quoted: the disc is damaged.
    void theWindowNeverWaitsForTheTitleTool_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("said");
        QTest::addRow("never answers") << "hang" << "Reading the disc…";
        QTest::addRow("dies by a signal") << "crash" << "The disc's title information is damaged";
    }
    void theWindowNeverWaitsForTheTitleTool()
    {
        QFETCH(QString, tool);
        QFETCH(QString, said);
        qputenv("FAKE_TARVIK_LIST", tool.toLatin1());
        SelectDVD dialog;
        bool reading = false;
        FileDialogs::setDialogAnswerer([&](QDialog&) {
            QTRY_COMPARE(dialog.findChild<QLabel*>()->text(), said);
            reading = tool != "hang" || QTest::qWaitFor([] { return anyProcessMentions("86399"); });
            QTest::keyClick(&dialog, Qt::Key_Escape);
            QVERIFY(dialog.isHidden());
        });
        QCOMPARE(dialog.exec(), QDialog::Rejected);
        FileDialogs::setDialogAnswerer({});
        QVERIFY(reading);
        QTRY_VERIFY(!anyProcessMentions("86399"));
    }

    void closingTheWindowEndsTheRip()
    {
        qputenv("FAKE_TARVIK_RIP", "hang");
        MessageRecorder recorder;
        PageDriver page;
        auto* dialog = page.window.findChild<SelectDVD*>();
        bool minimized = false;
        bool ripping = false;
        workDialog([&](QDialog&) {
            dialog->setWindowState(Qt::WindowMinimized);
            minimized = page.window.isMinimized();
            click(*dialog, "OK");
            ripping = QTest::qWaitFor([] { return anyProcessMentions("film_Title_1.vob"); }, 30000);
            page.window.close();
        });
        QCOMPARE(page.window.selectDvd(), "1");
        FileDialogs::setDialogAnswerer({});
        QVERIFY(minimized && ripping && page.window.isHidden());
        QVERIFY(!anyProcessMentions("film_Title_1.vob") && !dialog->findChild<DVDRipThread*>()->isRunning());
        QCoreApplication::processEvents();
        QCOMPARE(recorder.prompts.size(), 0);
    }

    void ripsAndConvertsATitleFromTheAddTab()
    {
        useTools(HALVORN_TEST_TOOLS);
        qputenv(DiscImage::imageVariable, HALVORN_TEST_DVD "/dvd.iso");
        PageDriver page;
        const QString videos = page.text("mainwnd.getVideoFolder()");
        QVERIFY(QDir(videos).removeRecursively()); // as in a home that never had one
        auto* dialog = page.window.findChild<SelectDVD*>();
        workDialog([&](QDialog&) {
            click(*dialog, "Select None");
            tick(*dialog, 2);
            click(*dialog, "OK");
        });
        page.click(page.icon("DVD"));
        FileDialogs::setDialogAnswerer({});
        QTRY_COMPARE_WITH_TIMEOUT(page.integer("mainPage.overallDuration"), 2, 30000);
        QCOMPARE(page.role(0, "source") + " " + page.role(0, "newFileName"), "dvd TEST MOVIE_Title_3");

        // Beside its source, which is the Videos folder for a title: made for it when missing.
        page.eval("idTabs.current = 1; formatTab.addIconsToOutputPage('1', 'MP4', false); formatTab.choosePreset(1);"
                  "idTabs.current = 2; convertTab.startRun()");
        QTRY_VERIFY_WITH_TIMEOUT(!page.eval("mainPage.conversionInProgress").toBool(), 120000);
        QCOMPARE(page.role(0, "currentStatus"), "complete");
        const QString report = ffmpegReport(videos + "TEST MOVIE_Title_3.mp4");
        QVERIFY2(report.contains("Video: h264") && report.contains("Duration: 00:00:02"), qPrintable(report));
    }
};

QTEST_MAIN(TestDvdRip)
#include "tst_dvdrip.moc"
