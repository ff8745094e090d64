#include "pagedriver.h"
#include "testsupport.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

// A probe reply as the probe worker sends it.
void reply(MainWindow& window, const QString& name, const QString& duration, bool video = true, bool audio = true)
{
    emit window.fileInfoReady({name, "/media/", QFileInfo(name).completeBaseName(), duration, ""},
                              video ? QStringList{"h264 (High)", "yuv420p(tv, bt709)", "1280x720 [SAR 1:1]"} : QStringList{},
                              audio ? QStringList{"aac (LC)", "48000 Hz", "stereo"} : QStringList{});
}

} // namespace

class TestMediaList : public QObject {
    Q_OBJECT

    std::unique_ptr<IsolatedHome> home;
    QTemporaryDir out;

    // A list of loaded elements with the given durations, staged without the probe.
    void stage(PageDriver& page, const QStringList& durations)
    {
        for (int i = 0; i < durations.size(); ++i) {
            page.eval(QString("mediaList.appendElement('/media/clip%1.mp4', 'file', '')").arg(i));
            reply(page.window, QString("clip%1.mp4").arg(i), durations.at(i));
        }
    }

private slots:
    void initTestCase() { home = startedHome(); }
    void init() { failOnPageWarnings(); }

    void probeRepliesFillTheOldestLoadingElement()
    {
        PageDriver page;
        page.eval("mediaList.appendElement('/media/first.mp4', 'file', ''); "
                  "mediaList.appendElement('/media/second.mp4', 'file', '')");
        reply(page.window, "first.mp4", "00:01:00");
        QCOMPARE(page.role(0, "loading"), "false");
        QCOMPARE(page.role(1, "loading"), "true");
        QCOMPARE(page.role(0, "newFileName"), "first");
        QCOMPARE(page.role(0, "videoCodec"), "h264 (High)");
        QCOMPARE(page.role(0, "wxh"), "1280x720 [SAR 1:1]");
        QCOMPARE(page.role(0, "audioCodec"), "aac (LC)");
        QCOMPARE(page.role(0, "origPathName"), "/media/");
        QCOMPARE(page.integer("mainPage.overallDuration"), 60);
        page.eval("idTabs.current = 2");
        QCOMPARE(page.eval("convertTab.convertButton.enabled").toBool(), true);
        QCOMPARE(page.eval("convertTab.convertButton.opacity").toDouble(), 1.0);
    }

    void anElementWithoutStreamsIsDroppedWithAWarning()
    {
        PageDriver page;
        MessageRecorder recorder;
        stage(page, {"00:00:10"});
        page.eval("mediaList.appendElement('/media/notes.mp4', 'file', '')");
        reply(page.window, "notes.mp4", "00:00:00", false, false);
        QCOMPARE(page.count(), 1);
        QCOMPARE(page.integer("mainPage.overallDuration"), 10);
        QCOMPARE(recorder.prompts.size(), 1);
        QCOMPARE(recorder.prompts.at(0).text,
                 "FFmpeg is unable to extract any valid video or audio stream from the input file notes.mp4."
                 "\n\nThis file has NOT been added to the Media List.");
    }

    void aDvdTitleKeepsItsLength()
    {
        PageDriver page;
        page.eval("mediaList.addDVD(['" + testMedia("video.mkv") + "'], '01:30:00')");
        QTRY_COMPARE_WITH_TIMEOUT(page.role(0, "loading"), "false", 30000);
        QCOMPARE(page.role(0, "duration"), "01:30:00");
        QCOMPARE(page.integer("mainPage.overallDuration"), 5400);
    }

    void percentages_data()
    {
        QTest::addColumn<QString>("duration");
        QTest::addColumn<int>("time");
        QTest::addColumn<QString>("status");
        QTest::addRow("half") << "00:00:10" << 5 << "50%";
        QTest::addRow("longer than the element") << "00:00:10" << 25 << "100%";
        QTest::addRow("zero duration") << "00:00:00" << 5 << "0%";
        QTest::addRow("fields 08 and 09") << "00:08:09" << 489 << "100%";
        QTest::addRow("08:09 counts 489 seconds") << "00:08:09" << 244 << "49%";
    }
    void percentages()
    {
        QFETCH(QString, duration);
        QFETCH(int, time);
        PageDriver page;
        stage(page, {duration});
        page.eval("mainPage.conversionInProgress = true");
        emit page.window.conversionProgress(time);
        QTEST(page.role(0, "currentStatus"), "status");
        QCOMPARE(page.integer("mainPage.secondsOf('00:08:09')"), 489);
    }

    void reportsAfterACancelLandNowhere()
    {
        PageDriver page;
        MessageRecorder recorder(QMessageBox::Yes);
        stage(page, {"00:00:10", "00:00:10"});
        page.eval("mainPage.conversionInProgress = true; mediaList.current = 1");
        QVERIFY(page.eval("convertTab.cancelWholeConversion()").toBool());
        emit page.window.conversionProgress(5);
        emit page.window.conversionComplete(false, "/x/late.mp4", "late");
        QCOMPARE(page.role(0, "currentStatus"), "wait");
        QCOMPARE(page.role(0, "errorMsg"), "");
        QCOMPARE(page.role(1, "currentStatus"), "wait");
    }

    void removalAboveTheCursorMovesItUp()
    {
        PageDriver page;
        stage(page, {"00:00:10", "00:00:20", "00:00:30"});
        page.eval("mainPage.conversionInProgress = true; mediaList.current = 2");
        page.setRole(2, "currentStatus", "'40%'");
        page.eval("mediaList.removeFromList(0)");
        QCOMPARE(page.integer("mediaList.current"), 1);
        QCOMPARE(page.role(1, "currentStatus"), "40%");
        QCOMPARE(page.integer("mainPage.overallDuration"), 50);
    }

    void removingTheRunningElementAsksAndStops()
    {
        PageDriver page;
        MessageRecorder recorder(QMessageBox::Yes);
        stage(page, {"00:00:10", "00:00:20"});
        page.eval("mainPage.conversionInProgress = true; mediaList.current = 0");
        page.eval("mediaList.removeFromList(0)");
        QCOMPARE(recorder.prompts.at(0).text, "Are you sure you want to stop this conversion?");
        QCOMPARE(page.role(0, "currentStatus"), "remove");
        QCOMPARE(page.integer("mainPage.overallDuration"), 20);
        // A late progress report must not turn the element back into a running one.
        emit page.window.conversionProgress(3);
        QCOMPARE(page.role(0, "currentStatus"), "remove");
        emit page.window.conversionCancelled();
        QCOMPARE(page.count(), 1);
        QCOMPARE(page.role(0, "newFileName"), "clip1");
        page.eval("mainPage.conversionInProgress = false");
    }

    void anAnswerAfterTheEndFindsTheConversionFinished()
    {
        PageDriver page;
        MessageRecorder recorder(QMessageBox::Yes);
        stage(page, {"00:00:10"});
        page.eval("mainPage.conversionInProgress = true; mediaList.current = 0");
        // The conversion ends while the question is open.
        MessageBox::setAnswerer([&](const MessageBox::Prompt& prompt) {
            recorder.prompts.append(prompt);
            if (prompt.title == "Confirmation Required")
                emit page.window.conversionComplete(true, "/out/clip0.mp4", "");
            return QMessageBox::Yes;
        });
        page.eval("mediaList.removeFromList(0)");
        QCOMPARE(recorder.prompts.size(), 2);
        QCOMPARE(recorder.prompts.at(1).text, "Conversion already finished");
        QCOMPARE(page.count(), 1);
        QCOMPARE(page.role(0, "currentStatus"), "complete");
    }

    void theTopFadeShowsOnlyWhenScrolledDown()
    {
        PageDriver page;
        stage(page, {"00:00:10", "00:00:10", "00:00:10", "00:00:10", "00:00:10", "00:00:10"});
        QQuickItem* fade = nullptr;
        for (QQuickItem* item : page.allItems())
            if (item->property("source").toString().endsWith("transparency-top.png"))
                fade = item;
        QVERIFY(fade);
        QTRY_VERIFY(!fade->isVisible());
        page.eval("mediaList.removeFromList(0)");
        QTest::qWait(50);
        QVERIFY2(!fade->isVisible(), "at the top of the list after its first row went");
        page.item("mediaView")->setProperty("contentY", page.item("mediaView")->property("contentY").toReal() + 150);
        QTRY_VERIFY(fade->isVisible());
    }

    void emptyingTheListShowsTheAddTab()
    {
        PageDriver page;
        stage(page, {"00:00:10", "00:00:10"});
        page.eval("idTabs.current = 1");
        page.eval("mediaList.removeFromList(0)");
        QCOMPARE(page.integer("idTabs.current"), 1);
        page.eval("mediaList.removeFromList(0)");
        QCOMPARE(page.integer("idTabs.current"), 0);
        QCOMPARE(page.integer("mainPage.overallDuration"), 0);
    }

    void removingTheLastCompleteElementDimsClearCompleted()
    {
        PageDriver page;
        stage(page, {"00:00:10", "00:00:10"});
        page.setRole(0, "currentStatus", "'complete'");
        page.eval("convertTab.clearCompleted.opacity = 1");
        QTRY_COMPARE(page.eval("convertTab.clearCompleted.opacity").toDouble(), 1.0);
        page.eval("mediaList.removeFromList(1)");
        QTest::qWait(100);
        QCOMPARE(page.eval("convertTab.clearCompleted.opacity").toDouble(), 1.0);
        page.eval("mediaList.removeFromList(0)");
        QTRY_COMPARE(page.eval("convertTab.clearCompleted.opacity").toDouble(), 0.2);
    }

    void outputPaths_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("expected");
        const QString temp = Folders::tempFolder() + "/";
        const QString music = Folders::musicFolderWithSeparator();
        QTest::addRow("burn") << "mainPage.burnOutput = true; mainPage.desTemp = '4711'"
                              << "{ source: 'file', origPathName: '/in/', newFileName: 'a' }" << temp + "4711/a";
        QTest::addRow("same folder, file") << "" << "{ source: 'file', origPathName: '/in/', newFileName: 'a' }"
                                           << "/in/a";
        QTest::addRow("same folder, dvd") << "" << "{ source: 'dvd', origPathName: '/rip/', newFileName: 't1' }"
                                          << Folders::videoFolderWithSeparator() + "t1";
        QTest::addRow("chosen folder")
            << "formatTab.outputSameFolder.checked = false; mainPage.outPath = '/chosen/'"
            << "{ source: 'cd', origPathName: '/rip/', newFileName: 'track' }" << "/chosen/track";
        QTest::addRow("same folder, cd")
            << "mainPage.srcTemp = '1700000000'; mainPage.desTemp = 'Album 2013-5-5 9-3-12'"
            << "{ source: 'cd', origPathName: '" + temp + "1700000000/', newFileName: 'Track01' }"
            << music + "Album 2013-5-5 9-3-12/Track01";
    }
    void outputPaths()
    {
        QFETCH(QString, setup);
        QFETCH(QString, item);
        PageDriver page;
        page.eval(setup);
        QTEST(page.text("mainPage.outputPathFor(" + item + ")"), "expected");
    }

    void aNewRipGetsItsOwnAlbumFolder()
    {
        PageDriver page;
        const QString rip = Folders::tempFolder() + "/1700000001/";
        const QString path = page.text("mainPage.outputPathFor({ source: 'cd', origPathName: '" + rip
                                       + "', newFileName: 'Track01' })");
        const QString album = page.text("mainPage.desTemp");
        QVERIFY2(QRegularExpression("^Album \\d{4}-[1-9]\\d?-[1-9]\\d? \\d{1,2}-\\d{1,2}-\\d{1,2}$")
                     .match(album).hasMatch(), qPrintable(album));
        QCOMPARE(path, Folders::musicFolderWithSeparator() + album + "/Track01");
        QVERIFY(QDir(Folders::musicFolderWithSeparator() + album).exists());
        QCOMPARE(page.text("mainPage.srcTemp"), "1700000001");
    }

    void theQueueConvertsOnlyWaitingElements()
    {
        PageDriver page;
        QVERIFY(page.addAndProbe({testMedia("av.mp4"), testMedia("wide.mp4"), testMedia("video.mkv"),
                                  testMedia("audio.mp3")}));
        page.setRole(0, "currentStatus", "'complete'");
        page.setRole(0, "finalOutput", "'/earlier/av.mkv'");
        page.setRole(1, "currentStatus", "'error'");
        page.setRole(1, "errorMsg", "'it failed before'");
        page.setRole(1, "finalOutput", "'/earlier/wide.mkv'");
        page.eval("formatTab.outputSameFolder.checked = false; mainPage.outPath = '" + out.path() + "/';"
                  "mainPage.ffmpegArgs = '-s 160x120 -c:v mpeg4 -c:a aac'; mainPage.outExt = 'mkv'");
        QSignalSpy started(&page.window, &MainWindow::startConversion);
        page.eval("convertTab.startRun()");
        QTRY_VERIFY_WITH_TIMEOUT(!page.eval("mainPage.conversionInProgress").toBool(), 60000);

        QCOMPARE(started.count(), 2);
        QCOMPARE(page.role(0, "currentStatus"), "complete");
        QCOMPARE(page.role(0, "finalOutput"), "/earlier/av.mkv");
        QCOMPARE(page.role(1, "currentStatus"), "error");
        QCOMPARE(page.role(1, "finalOutput"), "/earlier/wide.mkv");
        QCOMPARE(page.role(2, "currentStatus"), "complete");
        QCOMPARE(page.role(2, "finalOutput"), out.filePath("video.mkv"));
        QCOMPARE(page.role(3, "currentStatus"), "complete");
        QVERIFY(QFile::exists(out.filePath("video.mkv")));
        QVERIFY(QFile::exists(out.filePath("audio.mkv")));
        QCOMPARE(page.integer("convertTab.currentOverallProgress"), 100);
        page.eval("idTabs.current = 2");
        QCOMPARE(page.eval("convertTab.convertButton.enabled").toBool(), false);
    }

    void filesNamedAtStartAppearWithTheirFactsAndThumbnails()
    {
        PageDriver page;
        QVERIFY(page.addAndProbe({testMedia("av.mp4"), testMedia("audio.mp3")}));
        QCOMPARE(page.role(0, "origFileName"), "av.mp4");
        QCOMPARE(page.role(0, "duration"), "00:00:03");
        QCOMPARE(page.role(0, "videoCodec").section(' ', 0, 0), "h264");
        QVERIFY(page.role(0, "thumbnail").endsWith(".png"));
        QCOMPARE(page.role(1, "audioCodec").section(' ', 0, 0), "mp3");
        QCOMPARE(page.role(1, "thumbnail"), "");
        QQuickItem* thumbnail = page.item("thumbnail");
        QVERIFY(thumbnail);
        QTRY_COMPARE(thumbnail->property("status").toInt(), 1); // Image.Ready
        QCOMPARE(page.integer("mainPage.overallDuration"), 6);
    }

    void markupInNamesIsShownAsText()
    {
        PageDriver page;
        page.eval("mediaList.appendElement('/media/<b>x</b>.mp4', 'file', '')");
        emit page.window.fileInfoReady({"<img src=x>.mp4", "/media/", "<img src=x>", "00:00:05", ""},
                                       {"<i>codec</i>", "yuv420p", "64x48"}, {});
        const auto shownAsText = [&page] {
            int plain = 0;
            for (QQuickItem* item : page.allItems()) {
                const QString text = item->property("text").toString();
                if (!text.contains("<img src=x>") && !text.contains("<i>codec</i>"))
                    continue;
                if (item->metaObject()->indexOfProperty("textFormat") < 0)
                    continue; // a text field, which never reads markup
                if (item->property("textFormat").toInt() != int(Qt::PlainText))
                    return -1;
                ++plain;
            }
            return plain;
        };
        QTRY_VERIFY(shownAsText() >= 3);
    }
};

QTEST_MAIN(TestMediaList)
#include "tst_medialist.moc"
