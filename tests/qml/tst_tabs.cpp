#include "pagedriver.h"
#include "testsupport.h"

#include <QProcess>
#include <QSignalSpy>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

#include <memory>

namespace {

// Runs statements on the user's catalogue before a window opens it.
QVariant catalogueQuery(const QStringList& statements)
{
    QVariant last;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "edit");
        db.setDatabaseName(Folders::cataloguePath());
        db.open();
        QSqlQuery query(db);
        for (const QString& statement : statements) {
            if (!query.exec(statement))
                qWarning("%s: %s", qPrintable(statement), qPrintable(query.lastError().text()));
            if (query.next())
                last = query.value(0);
        }
    }
    QSqlDatabase::removeDatabase("edit");
    return last;
}



QPoint centreOf(QQuickItem* item)
{
    return item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint();
}

} // namespace

class TestTabs : public QObject {
    Q_OBJECT

    std::unique_ptr<IsolatedHome> home;

    void stage(PageDriver& page, const QStringList& durations)
    {
        for (int i = 0; i < durations.size(); ++i) {
            page.eval(QString("mediaList.appendElement('/m/c%1.mp4', 'file', '')").arg(i));
            emit page.window.fileInfoReady({QString("c%1.mp4").arg(i), "/m/", QString("c%1").arg(i), durations.at(i), ""},
                                           {"h264", "yuv420p", "64x48"}, {"aac"});
        }
    }

private slots:
    void initTestCase() { home = startedHome(); }
    void init()
    {
        home->installCatalogue();
        failOnPageWarnings();
    }

    void aNewcomerConvertsTwoClipsFromTheWindowAlone()
    {
        QTemporaryDir out;
        PageDriver page;
        FileDialogRecorder dialogs({testMedia("av.mp4"), testMedia("wide.mp4")});
        page.eval("addTab.activate(0)");
        QCOMPARE(dialogs.requests.at(0).title, page.text("addTab.addModel.get(0).gOpenTitle"));
        QTRY_COMPARE_WITH_TIMEOUT(page.integer("mainPage.overallDuration"), 5, 30000);

        page.eval("idTabs.current = 1; formatTab.addIconsToOutputPage('1', 'MP4', false)");
        QCOMPARE(page.text("formatTab.secondPageTitle"), "MP4 Quality");
        page.eval("formatTab.choosePreset(1)");
        QCOMPARE(page.integer("mainPage.outputId"), 2);
        dialogs.answer = {out.path()};
        page.eval("formatTab.toggleSameFolder()");
        QCOMPARE(page.text("mainPage.outPath"), out.path() + "/");

        page.eval("idTabs.current = 2; convertTab.startRun()");
        QTRY_VERIFY_WITH_TIMEOUT(!page.eval("mainPage.conversionInProgress").toBool(), 120000);
        QCOMPARE(page.role(0, "currentStatus"), "complete");
        QCOMPARE(page.role(1, "currentStatus"), "complete");
        QCOMPARE(page.integer("convertTab.currentOverallProgress"), 100);
        const QString first = ffmpegReport(out.filePath("av.mp4"));
        const QString second = ffmpegReport(out.filePath("wide.mp4"));
        QVERIFY2(first.contains("Video: h264") && first.contains(", 960x720"), qPrintable(first));
        QVERIFY2(second.contains("Video: h264") && second.contains(", 1280x720"), qPrintable(second));
        QVERIFY(first.contains("Audio: aac") && first.contains("Duration: 00:00:03"));

        QCOMPARE(catalogueQuery({"SELECT count FROM tbl_FormatCategories WHERE id=1"}).toInt(), 1);
        QCOMPARE(catalogueQuery({"SELECT count FROM tbl_OutputCategories WHERE id=2"}).toInt(), 1);
        QCOMPARE(catalogueQuery({"SELECT SUM(count) FROM tbl_OutputCategories"}).toInt(), 1);

        page.eval("convertTab.clearFinished()");
        QCOMPARE(page.count(), 0);
        QCOMPARE(page.integer("idTabs.current"), 0);
    }

    void theFileMenuOpensTheDialogsOfTheFirstTwoEntries()
    {
        PageDriver page;
        FileDialogRecorder dialogs;
        emit page.window.addAudioFile();
        emit page.window.addVideoFile();
        QCOMPARE(dialogs.requests.size(), 2);
        QCOMPARE(dialogs.requests.at(0).title, "Add Audio Files");
        QVERIFY(dialogs.requests.at(0).filter.contains("*.mp3"));
        QCOMPARE(dialogs.requests.at(1).title, "Add Video Files");
        QVERIFY(dialogs.requests.at(1).filter.contains("*.mkv"));
        QCOMPARE(page.count(), 0);

        dialogs.answer = {testMedia("audio.mp3"), testMedia("av.mp4"), testMedia("video.mkv")};
        emit page.window.addAudioFile();
        QCOMPARE(page.count(), 3);
        QCOMPARE(page.role(2, "fileName"), testMedia("video.mkv"));
        QCOMPARE(page.role(0, "source"), "file");
        QTRY_COMPARE_WITH_TIMEOUT(page.integer("mainPage.overallDuration"), 8, 30000);
    }

    void cancellingDuringTheSecondOfThree()
    {
        QTemporaryDir out;
        PageDriver page;
        MessageRecorder recorder(QMessageBox::Yes);
        QVERIFY(page.addAndProbe({testMedia("av.mp4"), testMedia("long.mp4"), testMedia("av.mp4")}));
        page.eval("mediaList.addBurn('burn_dvd', '/dev/sr0')");
        QCOMPARE(page.integer("mainPage.overallDuration"), 3 + 60 + 3 + 600);
        page.eval("formatTab.outputSameFolder.checked = false; mainPage.outPath = '" + out.path() + "/';"
                  "mainPage.ffmpegArgs = '-s 160x120 -vf realtime -c:v mpeg4 -c:a aac'; mainPage.outExt = 'mkv'");
        page.eval("convertTab.startRun()");
        QTRY_VERIFY_WITH_TIMEOUT(page.role(1, "currentStatus").endsWith("%"), 30000);
        QVERIFY(anyProcessMentions(out.filePath("long.mkv")));

        QVERIFY(page.eval("convertTab.cancelWholeConversion()").toBool());
        QCOMPARE(page.role(0, "currentStatus"), "complete");
        QCOMPARE(page.role(1, "currentStatus"), "wait");
        QCOMPARE(page.role(1, "newFileName"), "long");
        QCOMPARE(page.count(), 3);
        QCOMPARE(page.integer("mainPage.overallDuration"), 66);
        QCOMPARE(page.integer("convertTab.currentOverallProgress"), 0);
        QVERIFY(!page.eval("mainPage.conversionInProgress").toBool());
        QTRY_VERIFY_WITH_TIMEOUT(!anyProcessMentions(out.filePath("long.mkv")), 3000);
    }

    void theBurnCannotBeCancelled()
    {
        PageDriver page;
        MessageRecorder recorder(QMessageBox::Yes);
        stage(page, {"00:10:00"});
        page.eval("mediaList.addBurn('burn_dvd', '/dev/sr0'); mainPage.conversionInProgress = true; mediaList.current = 1");
        emit page.window.burnProgress(10);
        QVERIFY(!page.eval("convertTab.cancelWholeConversion()").toBool());
        QCOMPARE(recorder.prompts.size(), 1);
        QVERIFY(recorder.prompts.at(0).text.contains("cannot be stopped"));
        QVERIFY(page.eval("mainPage.conversionInProgress").toBool());
        QCOMPARE(page.role(1, "currentStatus"), "10%");
        page.eval("mainPage.conversionInProgress = false");
    }

    void overallProgress_data()
    {
        QTest::addColumn<QStringList>("durations");
        QTest::addColumn<bool>("burn");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<int>("done");
        QTest::addColumn<int>("percent");
        QTest::addRow("second of 100, 200, 300 s") << QStringList{"00:01:40", "00:03:20", "00:05:00"} << false << 1
                                                   << 50 << 25;
        QTest::addRow("half-way through a DVD burn") << QStringList{"00:10:00"} << true << 1 << 300 << 75;
        QTest::addRow("nothing queued") << QStringList{} << false << 0 << 10 << 0;
    }
    void overallProgress()
    {
        QFETCH(QStringList, durations);
        QFETCH(bool, burn);
        QFETCH(int, cursor);
        QFETCH(int, done);
        PageDriver page;
        stage(page, durations);
        if (burn)
            page.eval("mediaList.addBurn('burn_dvd', '/dev/sr0')");
        page.eval(QString("mediaList.current = %1; convertTab.updateOverallProgress(true, %2)").arg(cursor).arg(done));
        QTEST(page.integer("convertTab.currentOverallProgress"), "percent");
    }

    void burnProgressFeedsTheBar()
    {
        PageDriver page;
        stage(page, {"00:10:00"});
        page.eval("mediaList.addBurn('burn_dvd', '/dev/sr0'); mainPage.conversionInProgress = true; mediaList.current = 1");
        emit page.window.burnProgress(50);
        emit page.window.burnTextStatus("Writing track 1");
        emit page.window.burnEstTime("00:02:00");
        QCOMPARE(page.role(1, "currentStatus"), "50%");
        QCOMPARE(page.role(1, "newFileName"), "Writing track 1");
        QCOMPARE(page.role(1, "duration"), "00:02:00");
        QCOMPARE(page.integer("convertTab.currentOverallProgress"), 75);
        page.eval("mainPage.conversionInProgress = false");
    }

    void theBurnElementCarriesThePresetLabel_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("label");
        QTest::addRow("chosen") << "formatTab.addIconsToOutputPage('7', 'DVD', false); formatTab.choosePreset(2)"
                                << "NTSC 16:9";
        QTest::addRow("arguments edited since")
            << "formatTab.addIconsToOutputPage('7', 'DVD', false); formatTab.choosePreset(0);"
               "formatTab.outputModel.selectedNumber = -1" << "PAL 16:9";
        QTest::addRow("another format opened since")
            << "formatTab.addIconsToOutputPage('7', 'DVD', false); formatTab.choosePreset(0);"
               "formatTab.addIconsToOutputPage('2', 'MP3', false)" << "PAL 16:9";
    }
    void theBurnElementCarriesThePresetLabel()
    {
        QFETCH(QString, setup);
        PageDriver page;
        page.eval(setup);
        page.eval("mediaList.addBurn('burn_dvd', '/dev/sr0')");
        QTEST(page.role(0, "finalOutput"), "label");
        QCOMPARE(page.role(0, "newFileName"), "Burning Phase");
        QCOMPARE(page.role(0, "duration"), "Waiting to burn...");
    }

    void aDiscRunWithoutADriveStartsNothing()
    {
        PageDriver page;
        MessageRecorder recorder;
        stage(page, {"00:00:10"});
        page.eval("formatTab.addIconsToOutputPage('36', 'Audio CD', false); formatTab.choosePreset(0)");
        page.eval("convertTab.startRun()");
        QVERIFY(!page.eval("mainPage.conversionInProgress").toBool());
        QCOMPARE(page.count(), 1);
        QCOMPARE(catalogueQuery({"SELECT count FROM tbl_FormatCategories WHERE id=36"}).toInt(), 0);
        QVERIFY(QDir(Folders::tempFolder() + "/" + page.text("mainPage.desTemp")).exists());
    }

    void tabRules_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("clicked");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("warning");
        QTest::addRow("format with an empty list") << "" << 1 << 0
                                                   << "You must have items in the Media List to proceed!";
        QTest::addRow("convert with an empty list") << "" << 2 << 0
                                                    << "You must have items in the Media List to proceed!";
        QTest::addRow("convert without output") << "stage" << 2 << 1
                                                << "You must select an output device or format to proceed!";
        QTest::addRow("format with items") << "stage" << 1 << 1 << "";
        QTest::addRow("add while converting") << "stage; args; run" << 0 << 2
                                              << "Please wait for the current conversion to finish before adding more media.";
        QTest::addRow("format while converting") << "stage; args; run" << 1 << 2
                                                 << "You cannot change the output format mid-conversion!";
    }
    void tabRules()
    {
        QFETCH(QString, setup);
        QFETCH(int, clicked);
        PageDriver page;
        MessageRecorder recorder;
        if (setup.contains("stage"))
            stage(page, {"00:00:10"});
        if (setup.contains("args"))
            page.eval("mainPage.ffmpegArgs = '-vn'");
        if (setup.contains("run"))
            page.eval("mainPage.conversionInProgress = true");
        page.eval("convertTab.currentOverallProgress = 30");
        QTest::mouseClick(&page.window, Qt::LeftButton, {}, centreOf(page.item(QString("tabHeader%1").arg(clicked))));
        QTEST(page.integer("idTabs.current"), "shown");
        QFETCH(QString, warning);
        QCOMPARE(recorder.prompts.size(), warning.isEmpty() ? 0 : 1);
        if (!warning.isEmpty())
            QCOMPARE(recorder.prompts.at(0).text, warning);
        QCOMPARE(page.integer("convertTab.currentOverallProgress"), page.integer("idTabs.current") == 2 ? 30 : 0);
        page.eval("mainPage.conversionInProgress = false");
    }

    void nextButtons_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("warning");
        QTest::addRow("add, empty list") << 0 << "addNext" << "You must have items in the Media List to proceed!";
        QTest::addRow("format, nothing chosen") << 1 << "formatNext"
                                                << "You must select an output device or format to proceed!";
    }
    void nextButtons()
    {
        QFETCH(int, tab);
        QFETCH(QString, button);
        QFETCH(QString, warning);
        PageDriver page;
        MessageRecorder recorder;
        page.eval(QString("idTabs.current = %1").arg(tab));
        const QPoint centre = centreOf(page.item(button));

        // Pressed, then released away from the button: nothing happens.
        QTest::mousePress(&page.window, Qt::LeftButton, {}, centre);
        QTest::mouseMove(&page.window, centre + QPoint(0, -150));
        QTest::mouseRelease(&page.window, Qt::LeftButton, {}, centre + QPoint(0, -150));
        QCOMPARE(recorder.prompts.size(), 0);

        QTest::mouseClick(&page.window, Qt::LeftButton, {}, centre);
        QCOMPARE(recorder.prompts.size(), 1);
        QCOMPARE(recorder.prompts.at(0).text, warning);
        QCOMPARE(page.integer("idTabs.current"), tab);
    }

    void stripArrowsAndGridSnapping()
    {
        // Four devices fit the strip; the fifth brings the arrows.
        catalogueQuery({"DELETE FROM tbl_FormatCategories WHERE device = 1 AND default_pos > 4"});
        {
            PageDriver page;
            page.eval("idTabs.current = 1");
            QCOMPARE(page.integer("mainwnd.getDeviceModel().length / 7"), 4);
            QVERIFY(!page.item("deviceLeft")->isVisible());
            QVERIFY(!page.item("deviceRight")->isVisible());
        }
        home->installCatalogue();
        catalogueQuery({"DELETE FROM tbl_FormatCategories WHERE device = 1 AND default_pos > 5"});
        PageDriver page;
        page.eval("idTabs.current = 1");
        QCOMPARE(page.integer("mainwnd.getDeviceModel().length / 7"), 5);
        QVERIFY(page.item("deviceLeft")->isVisible());
        QCOMPARE(page.item("deviceLeft")->opacity(), 0.2);
        QCOMPARE(page.item("deviceRight")->opacity(), 1.0);
        QVERIFY(page.item("formatLeft")->isVisible());

        QQuickItem* grid = page.item("formatGrid");
        for (const auto& [from, to] : {std::pair{140, 184}, std::pair{130, 92}, std::pair{46, 0}}) {
            grid->setProperty("contentX", from);
            QTRY_COMPARE(grid->property("contentX").toInt(), from); // moves are animated
            page.eval("formatTab.snapFormatGrid()");
            QTRY_COMPARE(grid->property("contentX").toInt(), to);
        }
    }

    void presetPageTitlesAndHighlights()
    {
        PageDriver page;
        page.eval("idTabs.current = 1; formatTab.addIconsToOutputPage('100', 'iPhone 15', true)");
        QCOMPARE(page.text("formatTab.secondPageTitle"), "iPhone 15");
        page.eval("formatTab.addIconsToOutputPage('1', 'MP4', false)");
        QCOMPARE(page.text("formatTab.secondPageTitle"), "MP4 Quality");
        QCOMPARE(page.integer("formatTab.outputSelected"), -1);
        page.eval("formatTab.choosePreset(0)");
        QCOMPARE(page.integer("formatTab.outputSelected"), 0);
        QCOMPARE(page.integer("mainPage.formatId"), 1);
        QCOMPARE(page.text("mainPage.outExt"), "mp4");
        const QString chosen = page.text("mainPage.ffmpegArgs");

        QQuickItem* field = page.item("argumentsField");
        page.item("settingsIcon")->setProperty("selected", true);
        QTRY_VERIFY(field->isVisible());
        field->forceActiveFocus();
        field->setProperty("cursorPosition", int(chosen.size()));
        QTest::keyClicks(&page.window, " -an");
        QCOMPARE(page.text("mainPage.ffmpegArgs"), chosen + " -an");
        QCOMPARE(page.integer("formatTab.outputSelected"), -1);
        QCOMPARE(page.integer("mainPage.outputId"), 1);
        const auto highlighted = [&page](const QString& label) {
            int count = 0;
            for (QQuickItem* icon : page.allItems())
                if (icon->property("selected").toBool() && icon->property("iconText").toString() == label)
                    ++count;
            return count;
        };
        QTRY_COMPARE(highlighted("1080p"), 1);
        QCOMPARE(highlighted("MP4"), 1);
    }

    void theOutputFolderChoice()
    {
        PageDriver page;
        FileDialogRecorder dialogs;
        page.eval("formatTab.toggleSameFolder()");
        QCOMPARE(page.eval("formatTab.outputSameFolder.checked").toBool(), true);
        QCOMPARE(page.text("mainPage.outPath"), "");
        QCOMPARE(dialogs.requests.size(), 1);
        QCOMPARE(dialogs.requests.at(0).kind, FileDialogs::Kind::ExistingFolder);

        dialogs.answer = {"/srv/Out"};
        page.eval("formatTab.toggleSameFolder()");
        QCOMPARE(page.eval("formatTab.outputSameFolder.checked").toBool(), false);
        QCOMPARE(page.text("mainPage.outPath"), "/srv/Out/");
        page.eval("formatTab.toggleSameFolder()");
        QCOMPARE(page.text("mainPage.outPath"), "");
    }
};

QTEST_MAIN(TestTabs)
#include "tst_tabs.moc"
