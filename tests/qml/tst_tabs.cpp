#include "pagedriver.h"
#include "ffmpegsupport.h"
#include "platform/translation.h"
#include "testsupport.h"

#include <QtTest>

#include <memory>

class TestTabs : public QObject {
    Q_OBJECT

    std::unique_ptr<IsolatedHome> home;

private slots:
    void initTestCase() { home = startedHome(); }
    void init()
    {
        home->installCatalogue();
        failOnPageWarnings();
    }

    // A newcomer's way through the window with the mouse alone: six files from the Add tab, one of
    // them gone by the time its turn comes; MP4 "TV" into a chosen folder; Convert. Then one more
    // file that fails, while the finished ones are passed over.
    void aNewcomerConvertsWithTheMouseAlone()
    {
        QTemporaryDir out, in;
        const QString gone = in.filePath("gone.mp4");
        QVERIFY(QFile::copy(testMedia("av.mp4"), gone));
        PageDriver page;
        FileDialogRecorder dialogs({testMedia("av.mp4"), testMedia("wide.mp4"), testMedia("video.mkv"),
                                    testMedia("audio.mp3"), testMedia("av.mp4"), gone});
        page.click(page.icon("Video"));
        QTRY_COMPARE_WITH_TIMEOUT(page.integer("mainPage.overallDuration"), 16, 30000);
        QTRY_COMPARE(page.item("thumbnail")->property("status").toInt(), 1); // Image.Ready
        QVERIFY(QFile::remove(gone));
        // Codecs named without FFmpeg's tags, whole: by their bare names while the row has not the
        // room for both in full.
        const auto codecs = [&page] {
            QQuickItem* video = page.shown("videoCodec");
            return video->property("truncated").toBool() ? "cut" : video->property("text").toString() + " | " + page.shown("audioCodec")->property("text").toString();
        };
        QCOMPARE(codecs(), "h264 | aac");
        page.window.resize(1100, 552);
        QTRY_COMPARE(codecs(), "h264 (Constrained Baseline) | aac (LC)");
        page.window.resize(800, 552);

        page.click(page.item("addNext"));
        page.click(page.icon("MP4"));
        page.click(page.icon("TV"));
        page.click(page.item("settingsIcon"));
        dialogs.answer = {};
        page.click(page.item("sameFolderBox"));
        QVERIFY2(page.eval("formatTab.outputSameFolder.checked").toBool(), "no folder chosen: still beside the sources");
        dialogs.answer = {out.path()};
        page.click(page.item("sameFolderBox"));
        page.click(page.item("formatNext"));
        QStringList whereTo;
        for (QQuickItem* line : page.item("outputSummary")->childItems())
            if (line->property("text").isValid())
                whereTo << line->property("text").toString();
        QCOMPARE(whereTo, QStringList({"MP4 \u00b7 TV", "Saved in " + out.path() + "/"}));

        QQuickItem* convert = page.item("convertButton");
        page.click(convert);
        QTRY_VERIFY_WITH_TIMEOUT(!page.eval("mainPage.conversionInProgress").toBool(), 120000);
        QCOMPARE(page.text("convertTab.runSummary"), "5 converted, 1 failed");
        QTRY_COMPARE(page.item("progressFill")->width(), 296.0);
        QVERIFY(ffmpegReport(out.filePath("av.mp4")).contains(", 640x480"));
        QVERIFY2(page.role(5, "errorMsg").contains("No such file"), qPrintable(page.role(5, "errorMsg")));
        QCOMPARE(page.text("mainwnd.getOutputModel('1').slice(0, 6).join()"), "3,TV,1,images/icons/mp4-tv.png,mp4,1");

        // The pointer never left the Convert button, which is of no use any more and looks it.
        QCOMPARE(convert->opacity(), 0.2);
        page.moveTo(page.centreOf(convert) + QPoint(0, 60));
        page.hover(convert);
        QCOMPARE(convert->opacity(), 0.2);

        // The failed last row followed the run into view.
        QQuickItem* view = page.item("mediaView");
        QQuickItem* warning = page.shown("warningSign");
        QVERIFY(view->mapRectFromItem(warning, warning->boundingRect()).bottom() <= view->height());

        // A second run converts only what waits, and a run that converts nothing leaves the bar empty.
        QVERIFY(QFile::copy(testMedia("av.mp4"), gone));
        QVERIFY(page.addAndProbe({gone}));
        QVERIFY(QFile::remove(gone));
        page.click(convert);
        QTRY_VERIFY_WITH_TIMEOUT(!page.eval("mainPage.conversionInProgress").toBool(), 60000);
        QCOMPARE(page.role(0, "finalOutput"), out.filePath("av.mp4"));
        QCOMPARE(page.text("convertTab.runSummary"), "0 converted, 1 failed");
        QCOMPARE(page.integer("convertTab.currentOverallProgress"), 0);

        page.click(page.item("clearCompleted"));
        QCOMPARE(page.count(), 0);
    }

    void theFileMenuOpensTheDialogsOfTheFirstTwoEntries()
    {
        PageDriver page;
        FileDialogRecorder dialogs;
        emit page.window.addAudioFile();
        emit page.window.addVideoFile();
        QCOMPARE(dialogs.requests.value(0).title + ", " + dialogs.requests.value(1).title, "Add Audio Files, Add Video Files");
    }

    void cancellingDuringTheSecondOfThree()
    {
        QTemporaryDir out;
        PageDriver page;
        MessageRecorder recorder(QMessageBox::Yes);
        QVERIFY(page.addAndProbe({testMedia("av.mp4"), testMedia("long.mp4"), testMedia("av.mp4")}));
        page.eval("mediaList.addBurn('burn_dvd', '/dev/sr0')");
        page.eval("formatTab.outputSameFolder.checked = false; mainPage.outPath = '" + out.path() + "/';"
                  "mainPage.ffmpegArgs = '-s 160x120 -vf realtime -c:v mpeg4 -c:a aac'; mainPage.outExt = 'mkv';"
                  "idTabs.current = 2");
        // A double-click on Convert starts the run; its second click, on Cancel, does nothing.
        QTest::mouseDClick(page.window.windowHandle(), Qt::LeftButton, {}, PageDriver::centreOf(page.item("convertButton")));
        QVERIFY(page.eval("mainPage.conversionInProgress").toBool());
        QCOMPARE(recorder.prompts.size(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(page.role(1, "currentStatus").endsWith("%"), 30000);
        QVERIFY(anyProcessMentions(out.filePath("long.mkv")));

        page.click(page.item("cancelButton"));
        QCOMPARE(recorder.prompts.at(0).text, "Are you sure you want to cancel the current conversion?");
        QCOMPARE(page.role(1, "newFileName"), "long");
        QCOMPARE(page.integer("mainPage.overallDuration"), 66);
        QCOMPARE(page.integer("convertTab.currentOverallProgress"), 0);
        QVERIFY(!page.eval("mainPage.conversionInProgress").toBool());
        QCOMPARE(page.item("runSummary")->property("text").toString(), "Cancelled after 1 converted");
        QTRY_VERIFY_WITH_TIMEOUT(!anyProcessMentions(out.filePath("long.mkv")), 3000);
        // Reports that come late belong to no element: the cursor is back on the first one.
        emit page.window.conversionProgress(5);
        emit page.window.conversionComplete(false, "/x/late.mkv", "late");
        QCOMPARE(page.role(0, "currentStatus"), "complete");
        QCOMPARE(page.role(1, "currentStatus"), "wait");
    }

    // Once the work has been measured, the Convert tab tells the time the whole run still needs; it
    // says nothing while a kind of work ahead (here a burn) has not been measured yet.
    void theTimeLeftOfTheWholeRun()
    {
        QTemporaryDir out;
        PageDriver page;
        MessageRecorder recorder(QMessageBox::Yes);
        QVERIFY(page.addAndProbe({testMedia("av.mp4"), testMedia("long.mp4")}));
        page.eval("formatTab.outputSameFolder.checked = false; mainPage.outPath = '" + out.path() + "/';"
                  "mainPage.ffmpegArgs = '-s 160x120 -vf realtime -c:v mpeg4 -c:a aac'; mainPage.outExt = 'mkv';"
                  "idTabs.current = 2");
        QQuickItem* timeLeft = page.item("timeLeft");
        page.click(page.item("convertButton"));
        QCOMPARE(timeLeft->property("text").toString(), "");
        // 63 s at about the pace of the clock.
        QTRY_VERIFY2_WITH_TIMEOUT(QRegularExpression("^About 1 min( [1-3]0 s)? left$").match(timeLeft->property("text").toString()).hasMatch(), qPrintable(timeLeft->property("text").toString()), 30000);
        page.eval("mediaList.addBurn('burn_dvd', '/dev/sr0')");
        QTRY_COMPARE(timeLeft->property("text").toString(), "");
        page.click(page.item("cancelButton"));
        QVERIFY(!page.eval("mainPage.conversionInProgress").toBool());
    }

    // A disc run whose drive dialog is cancelled starts nothing. The burn element shows the preset
    // chosen and feeds the overall bar.
    void discRunsOnThePage()
    {
        PageDriver page({"00:10:00"});
        MessageRecorder recorder;
        page.eval("formatTab.addIconsToOutputPage('36', 'Audio CD', false); formatTab.choosePreset(0); convertTab.startRun()");
        QVERIFY(!page.eval("mainPage.conversionInProgress").toBool());
        QCOMPARE(page.count(), 1);
        QCOMPARE(page.text("mainwnd.getOutputModel('36')[5]"), "0"); // not counted as used

        page.eval("formatTab.addIconsToOutputPage('7', 'DVD', false); formatTab.choosePreset(2);"
                  "formatTab.addIconsToOutputPage('2', 'MP3', false)");
        page.eval("mediaList.addBurn('burn_dvd', '/dev/sr0'); mainPage.conversionInProgress = true; mediaList.current = 1");
        QCOMPARE(page.text("var e = mediaList.mediaListModel.get(1); [e.finalOutput, e.newFileName, e.duration].join('|')"),
                 "NTSC 16:9|Burning Phase|Waiting to burn..."); // the preset chosen, though MP3's are shown since
        emit page.window.burnProgress(50);
        QCOMPARE(page.integer("convertTab.currentOverallProgress"), 75);
        page.eval("mainPage.conversionInProgress = false");
    }

    // Header clicks and Next buttons by the pointer: where each leads, what it warns of, and whether
    // the overall bar (at 30 %) is kept. Pressed, then released away, a control does nothing.
    void tabRules_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<int>("bar");
        const QString noItems = "You must have items in the Media List to proceed!";
        const QString noOutput = "You must select an output device or format to proceed!";
        QTest::addRow("format with an empty list") << "" << "tabHeader1" << 0 << noItems << 0;
        QTest::addRow("Next with an empty list") << "" << "addNext" << 0 << noItems << 30;
        QTest::addRow("convert without output") << "stage" << "tabHeader2" << 1 << noOutput << 0;
        QTest::addRow("Next without output") << "stage; on format" << "formatNext" << 1 << noOutput << 30;
        QTest::addRow("format with items") << "stage" << "tabHeader1" << 1 << "" << 0;
        QTest::addRow("add while converting") << "stage; run" << "tabHeader0" << 2
                                              << "Please wait for the current conversion to finish before adding more media." << 30;
        QTest::addRow("format while converting") << "stage; run" << "tabHeader1" << 2
                                                 << "You cannot change the output format mid-conversion!" << 30;
    }
    void tabRules()
    {
        QFETCH(QString, setup);
        QFETCH(QString, clicked);
        QFETCH(QString, warning);
        PageDriver page(setup.contains("stage") ? QStringList{"00:00:10"} : QStringList());
        MessageRecorder recorder;
        if (setup.contains("on format"))
            page.eval("idTabs.current = 1");
        if (setup.contains("run"))
            page.eval("mainPage.ffmpegArgs = '-vn'; mainPage.conversionInProgress = true");
        page.eval("convertTab.currentOverallProgress = 30");
        const QPoint centre = PageDriver::centreOf(page.item(clicked));
        const QPoint away = centre + QPoint(0, centre.y() < 276 ? 150 : -150);
        QTest::mousePress(page.window.windowHandle(), Qt::LeftButton, {}, centre);
        page.moveTo(away);
        QTest::mouseRelease(page.window.windowHandle(), Qt::LeftButton, {}, away);
        QCOMPARE(recorder.prompts.size(), 0);
        page.click(page.item(clicked));
        QTEST(page.integer("idTabs.current"), "shown");
        QCOMPARE(recorder.prompts.value(0).text, warning);
        QTEST(page.integer("convertTab.currentOverallProgress"), "bar");
        page.eval("mainPage.conversionInProgress = false");
    }

    // A German user's window: the translation is in place before the page loads, so the pages'
    // own words are German, on the headers too, and so is what a click on them says; the message
    // box wears the window's title for it.
    void theWindowInGerman()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Translation::install();
        {
            PageDriver page;
            MessageRecorder recorder;
            QStringList words;
            for (QQuickItem* header : {page.item("tabHeader0"), page.item("tabHeader2")}) {
                for (const QQuickItem* part : header->findChildren<QQuickItem*>())
                    words += part->property("text").toString();
            }
            words.removeAll(QString());
            QCOMPARE(words, (QStringList{"Hinzufügen", "Umwandeln"}));
            page.click(page.item("tabHeader1"));
            QCOMPARE(recorder.prompts.value(0).title, "Warnung");
            QCOMPARE(recorder.prompts.value(0).text, "Um fortzufahren, muss die Medienliste Einträge enthalten!");
        }
        qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator*>());
        QLocale::setDefault(QLocale::system());
    }

    // The line over Convert says where the run's items go, chosen by clicks: beside their files,
    // ripped CD tracks into an album folder of Music, DVD titles into Videos; the image that a DVD
    // run wrote only while DVD is chosen.
    void theOutputLineTellsWhereItemsGo_data()
    {
        QTest::addColumn<QString>("sources");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("place");
        QTest::addRow("ripped and files") << "file cd dvd" << "MP3|128k"
                                          << "Saved: CD tracks in a new album folder in " + Folders::musicFolderWithSeparator()
                                                 + ", DVD titles in " + Folders::videoFolderWithSeparator() + ", files beside each source";
        QTest::addRow("after a DVD image, DVD") << "file image" << "DVD|PAL 16:9" << "Saved as /out/holiday.iso";
        QTest::addRow("after a DVD image, Audio CD") << "file image" << "Audio CD|CD Audio" << "Burned onto a disc";
    }
    void theOutputLineTellsWhereItemsGo()
    {
        QFETCH(QString, sources);
        QFETCH(QString, choice);
        PageDriver page;
        for (const QString& source : sources.split(' ')) {
            if (source == "image")
                page.eval("mediaList.addBurn('burn_dvd', '/out/holiday.iso'); mediaList.mediaListModel.setProperty(1, 'currentStatus', 'complete')");
            else
                page.stage({"00:00:10"}, source);
        }
        page.click(page.item("tabHeader1"));
        // Audio CD is the fifth format of its row: a notch of the wheel brings it into sight.
        page.wheel(page.item("formatGrid"), 1);
        QTRY_COMPARE(page.item("formatGrid")->property("contentX").toDouble(), 92.0);
        for (const QString& label : choice.split('|'))
            page.click(page.icon(label));
        page.click(page.item("tabHeader2"));
        QTEST(page.item("outputSummary")->childItems().value(1)->property("text").toString(), "place");
    }

    // The window by keys alone. Tab walks from the first tab header to the list and Shift+Tab back,
    // a ring showing the focus; in the list the arrows move the current row, which stays in sight,
    // F2 renames it and Delete removes it. Then a device from its strip, which keeps it in sight,
    // its first preset, an output folder, Convert (whose Cancel takes the focus) and at the end of
    // the run Clear Completed.
    void theWindowByKeysAlone()
    {
        QTemporaryDir out;
        PageDriver page(QStringList(7, "00:00:10")); // files that are not there: each fails at once
        FileDialogRecorder dialogs({out.path()});
        const auto walk = [&page](Qt::KeyboardModifiers direction, const QString& to) {
            QStringList stops{page.focusedName()};
            while (stops.size() < 20 && stops.last() != to) {
                page.key(Qt::Key_Tab, 1, direction);
                stops << page.focusedName() + (page.ringOnFocus() ? "" : " without a ring");
            }
            return stops;
        };
        QVERIFY(page.tabTo("Add"));
        const QStringList forth = walk(Qt::NoModifier, "clip0");
        QCOMPARE(forth, QStringList({"Add", "Format", "Convert", "Audio", "Video", "CD", "DVD", "Next", "clip0"}));
        page.key(Qt::Key_Down, 5);
        QQuickItem* list = page.item("mediaView");
        QTRY_VERIFY(list->mapRectToScene(list->boundingRect()).contains(page.focused()->mapRectToScene(page.focused()->boundingRect())));
        page.key(Qt::Key_F2);
        page.type("renamed");
        page.key(Qt::Key_Return);
        page.key(Qt::Key_Up);
        page.key(Qt::Key_Delete);
        QCOMPARE(page.text("mediaList.mediaListModel.get(4).newFileName + mediaList.mediaListModel.count"), "renamed6");
        page.key(Qt::Key_Up, 4);
        QStringList back = walk(Qt::ShiftModifier, "Add");
        std::reverse(back.begin(), back.end());
        QCOMPARE(back, forth);

        page.key(Qt::Key_Tab);
        page.key(Qt::Key_Space);
        QVERIFY(page.tabTo("iPhone 15")); // the device strip's first entry in sight
        page.key(Qt::Key_Right, 6);
        const QString device = page.focusedName();
        page.key(Qt::Key_Return);
        QCOMPARE(page.text("formatTab.secondPageTitle"), device);
        QTRY_COMPARE(page.focused()->parentItem()->parentItem()->objectName(), "presetStrip");
        page.key(Qt::Key_Return);
        QCOMPARE(page.integer("formatTab.outputSelected"), 0);
        for (const QString control : {"Settings", "Output file to same folder as input"}) {
            QVERIFY(page.tabTo(control));
            page.key(Qt::Key_Space);
        }
        QCOMPARE(page.text("mainPage.outPath"), out.path() + "/");
        QVERIFY(page.tabTo("Next"));
        page.key(Qt::Key_Return);
        QCOMPARE(page.focusedName(), "Convert");
        page.key(Qt::Key_Return);
        QTRY_COMPARE(page.focusedName(), "Cancel");
        QTRY_COMPARE_WITH_TIMEOUT(page.text("convertTab.runSummary"), "0 converted, 6 failed", 30000);
        QTRY_COMPARE(page.focusedName(), "Clear Completed"); // Convert has nothing left to do
        page.key(Qt::Key_Space);
        QCOMPARE(page.count(), 0);
    }

    // Fit to size: a preset by the pointer, then sizes typed into its field: one a preset has chooses
    // it, another is the user's own, which the run's output fits in.
    void aSizeToFitInFromTheWindow()
    {
        QTemporaryDir out;
        PageDriver page;
        QVERIFY(page.addAndProbe({testMedia("av.mp4")}));
        page.eval("formatTab.outputSameFolder.checked = false; mainPage.outPath = '" + out.path() + "/'");
        page.click(page.item("tabHeader1"));
        page.click(page.icon("Fit to size"));
        page.click(page.icon("8 MB"));
        QCOMPARE(page.item("sizeField")->property("text").toString(), "8");
        QVERIFY(page.tabTo("Size in MB"));
        for (const char* size : {"10", "0.15"}) {
            page.key(Qt::Key_A, 1, Qt::ControlModifier);
            page.type(size);
            QCOMPARE(page.integer("formatTab.outputSelected"), size == QString("10") ? 1 : -1);
        }
        QVERIFY(page.text("mainPage.ffmpegArgs").startsWith("-fit-size 0.15 -c:v libx264 "));
        page.click(page.item("formatNext"));
        QCOMPARE(page.item("outputSummary")->childItems().value(0)->property("text").toString(), "Fit to size \u00b7 0.15 MB");
        page.click(page.item("convertButton"));
        QTRY_COMPARE_WITH_TIMEOUT(page.text("convertTab.runSummary"), "1 converted", 60000);
        QVERIFY(QFileInfo(out.filePath("av.mp4")).size() <= 150000);
        QCOMPARE(probeStreams(out.filePath("av.mp4")), "h264 320x240, aac 1");
    }

    // The Format tab by the mouse and the wheel: what each strip shows first after arrows, another
    // format and the wheel; titles, choices and highlights.
    void theFormatTabByMouseAndWheel()
    {
        PageDriver page({"00:00:10"});
        page.click(page.item("tabHeader1"));
        const auto firstShown = [&page](const QString& strip) {
            QQuickItem* seen = page.paintedAt(page.item(strip)->mapToScene(QPointF(46, 49)));
            while (seen && !seen->property("iconText").isValid())
                seen = seen->parentItem();
            return seen ? seen->property("iconText").toString() : QString();
        };
        page.click(page.icon("iPhone 15"));
        QCOMPARE(page.text("formatTab.secondPageTitle"), "iPhone 15");
        page.click(page.item("formatBack"));
        page.click(page.icon("MP4"));
        QCOMPARE(page.text("formatTab.secondPageTitle"), "MP4 Quality");
        page.click(page.item("presetRight"));
        page.click(page.item("presetRight"));
        QTRY_COMPARE(firstShown("presetStrip"), "TV");
        QTRY_COMPARE(page.item("presetRight")->opacity(), 0.2); // at its end, under the pointer

        page.click(page.icon("TV"));
        const QString chosen = page.text("mainPage.ffmpegArgs");
        page.click(page.item("settingsIcon"));
        page.click(page.item("argumentsField"));
        page.key(Qt::Key_End);
        page.type(" -an");
        QCOMPARE(page.text("mainPage.ffmpegArgs"), chosen + " -an");
        QVERIFY(page.icon("TV")->property("selected").toBool());
        page.click(page.item("formatBack"));

        page.click(page.icon("DVD"));
        QTRY_COMPARE(firstShown("presetStrip"), "PAL 16:9");
        QVERIFY(!page.item("presetRight")->isVisible()); // four presets fit
        page.click(page.item("formatBack"));
        page.wheel(page.item("deviceStrip"), 3);
        QTRY_COMPARE(firstShown("deviceStrip"), page.text("mainwnd.getDeviceModel()[3 * 7 + 1]"));
        page.wheel(page.item("deviceStrip"), 200);
        QTRY_COMPARE(page.item("deviceRight")->opacity(), 0.2);
    }
};

QTEST_MAIN(TestTabs)
#include "tst_tabs.moc"
