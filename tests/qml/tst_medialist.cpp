#include "pagedriver.h"
#include "testsupport.h"

#include <QScopeGuard>
#include <QStyleHints>
#include <QtTest>

#include <memory>

class TestMediaList : public QObject {
    Q_OBJECT

    std::unique_ptr<IsolatedHome> home;

private slots:
    void initTestCase() { home = startedHome(); }
    void init() { failOnPageWarnings(); }

    // Each probe reply fills the oldest element still loading; one without streams drops it. A DVD
    // title keeps the length its disc gave, whatever the probe of its file says.
    void probeRepliesFillTheOldestLoadingElement()
    {
        PageDriver page;
        MessageRecorder recorder;
        page.eval("mediaList.appendElement('/media/first.mp4', 'file', ''); mediaList.appendElement('/media/notes.mp4',"
                  " 'file', ''); mediaList.appendElement('/media/title.vob', 'dvd', '01:30:00')");
        emit page.window.fileInfoReady({"first.mp4", "/media/", "first", "00:01:00", ""},
                                       {"h264 (High)", "yuv420p", "1280x720 [SAR 1:1]"}, {"aac (LC)", "48000 Hz"});
        QCOMPARE(page.text("var e = mediaList.mediaListModel.get(0); [e.loading, e.newFileName, e.origPathName, e.videoCodec,"
                           " e.wxh, e.audioCodec].join('|')"), "false|first|/media/|h264 (High)|1280x720 [SAR 1:1]|aac (LC)");

        emit page.window.fileInfoReady({"notes.mp4", "/media/", "notes", "00:00:00", ""}, {}, {});
        QCOMPARE(page.role(1, "fileName"), "/media/title.vob");
        QCOMPARE(recorder.prompts.value(0).text,
                 "FFmpeg is unable to extract any valid video or audio stream from the input file notes.mp4."
                 "\n\nThis file has NOT been added to the Media List.");

        emit page.window.fileInfoReady({"title.vob", "/media/", "title", "00:00:07", ""}, {"mpeg2video"}, {});
        QCOMPARE(page.role(1, "duration"), "01:30:00");
        QCOMPARE(page.integer("mainPage.overallDuration"), 60 + 5400);
    }

    void percentages_data()
    {
        QTest::addColumn<QString>("duration");
        QTest::addColumn<int>("time");
        QTest::addColumn<QString>("status");
        QTest::addRow("longer than the element") << "00:00:10" << 25 << "100%";
        QTest::addRow("zero duration, no division by zero") << "00:00:00" << 5 << "0%";
        QTest::addRow("fields 08 and 09 make 489 s") << "00:08:09" << 244 << "49%";
    }
    void percentages()
    {
        QFETCH(QString, duration);
        QFETCH(int, time);
        PageDriver page({duration});
        page.eval("mainPage.conversionInProgress = true");
        emit page.window.conversionProgress(time);
        QTEST(page.role(0, "currentStatus"), "status");
        QTEST(page.text("convertTab.currentOverallProgress") + "%", "status"); // the only element: the whole run
    }

    // Removal above the running element and of the last finished one; removal of the running one,
    // which asks first, and the queue going on with the next; removal of the last of all.
    void removalsKeepTheQueueTogether()
    {
        PageDriver page({"00:00:10", "00:00:20", "00:00:30", "00:00:40"});
        MessageRecorder recorder(QMessageBox::Yes);
        page.setRole(0, "currentStatus", "'complete'");
        page.eval("convertTab.clearCompleted.opacity = 1; idTabs.current = 1");
        QTRY_COMPARE(page.item("clearCompleted")->opacity(), 1.0); // it fades in
        page.eval("mainPage.conversionInProgress = true; mediaList.current = 2");
        page.setRole(2, "currentStatus", "'40%'");
        page.eval("mediaList.removeFromList(1)");
        QCOMPARE(page.integer("mediaList.current"), 1);
        QCOMPARE(page.role(1, "currentStatus"), "40%");
        QCOMPARE(page.integer("mainPage.overallDuration"), 80);
        QCOMPARE(page.item("clearCompleted")->opacity(), 1.0);
        page.eval("mediaList.removeFromList(0)");
        QTRY_COMPARE(page.item("clearCompleted")->opacity(), 0.2);

        page.eval("mediaList.removeFromList(0)");
        QCOMPARE(recorder.prompts.value(0).text, "Are you sure you want to stop this conversion?");
        QCOMPARE(page.integer("mainPage.overallDuration"), 40);
        // A late progress report must not turn the element back into a running one.
        emit page.window.conversionProgress(3);
        QCOMPARE(page.role(0, "currentStatus"), "remove");
        emit page.window.conversionCancelled();
        QCOMPARE(page.role(0, "newFileName"), "clip3");
        page.eval("mainPage.conversionInProgress = false; mediaList.removeFromList(0)");
        QCOMPARE(page.integer("idTabs.current"), 0);
        QCOMPARE(page.integer("mainPage.overallDuration"), 0);
    }

    void anAnswerAfterTheEndFindsTheConversionFinished()
    {
        PageDriver page({"00:00:10"});
        MessageRecorder recorder(QMessageBox::Yes);
        page.eval("mainPage.conversionInProgress = true; mediaList.current = 0");
        // The conversion ends while the question is open.
        MessageBox::setAnswerer([&](const MessageBox::Prompt& prompt) {
            recorder.prompts.append(prompt);
            if (prompt.title == "Confirmation Required")
                emit page.window.conversionComplete(true, "/out/clip0.mp4", "");
            return QMessageBox::Yes;
        });
        page.eval("mediaList.removeFromList(0)");
        QCOMPARE(recorder.prompts.value(1).text, "Conversion already finished");
        QCOMPARE(page.role(0, "currentStatus"), "complete");
    }

    // Keys after a click on an element's name: they rename it only through the field that the
    // click shows, which only a waiting element gets while no run is in progress.
    void namesChangeOnlyInTheirField_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("running");
        QTest::addColumn<int>("endKey");
        QTest::addColumn<QString>("name");
        QTest::addRow("waiting, Enter") << "wait" << false << int(Qt::Key_Return) << "renamed";
        QTest::addRow("waiting, Escape") << "wait" << false << int(Qt::Key_Escape) << "clip0";
        QTest::addRow("waiting during a run") << "wait" << true << int(Qt::Key_Return) << "clip0";
        QTest::addRow("running") << "40%" << true << int(Qt::Key_Return) << "clip0";
        QTest::addRow("finished") << "complete" << false << int(Qt::Key_Return) << "clip0";
    }
    void namesChangeOnlyInTheirField()
    {
        QFETCH(QString, status);
        QFETCH(bool, running);
        QFETCH(int, endKey);
        PageDriver page({"00:00:10", "00:00:10"});
        if (running)
            page.eval("mainPage.conversionInProgress = true");
        page.setRole(0, "currentStatus", "'" + status + "'");
        QQuickItem* field = nullptr;
        QTRY_VERIFY(field = page.item("nameInput"));
        page.click(field->parentItem());
        QCOMPARE(field->isVisible(), status == "wait" && !running);
        // A field shows with its frame, not a caret alone.
        QCOMPARE(field->parentItem()->property("border").value<QObject*>()->property("color").value<QColor>().alpha() > 0, field->isVisible());
        page.type("renamed");
        page.key(Qt::Key(endKey));
        QTEST(page.role(0, "newFileName"), "name");
        QVERIFY(!field->isVisible());
        QCOMPARE(page.role(1, "newFileName"), "clip1");
    }

    // Both clicks of a double-click on a remove button land on a row: the second is a slip that
    // removes nothing, whether the next row has slid under the pointer by then or not.
    void aDoubleClickRemovesOneRow()
    {
        // However slowly the rows move up, the second click comes within the interval.
        QStyleHints* hints = QGuiApplication::styleHints();
        const auto restore = qScopeGuard([hints, interval = hints->mouseDoubleClickInterval()] { hints->setMouseDoubleClickInterval(interval); });
        hints->setMouseDoubleClickInterval(600000);
        for (const bool slidUp : {false, true}) {
            PageDriver page(QStringList(3, "00:00:10"));
            QTRY_VERIFY(page.shown("removeButton"));
            const QPoint button = PageDriver::centreOf(page.shown("removeButton"));
            const QQuickItem* clicked = page.paintedAt(button);
            QTest::mouseClick(page.window.windowHandle(), Qt::LeftButton, {}, button);
            if (slidUp)
                QTRY_VERIFY(page.paintedAt(button) && page.paintedAt(button) != clicked);
            QTest::mouseClick(page.window.windowHandle(), Qt::LeftButton, {}, button);
            QCOMPARE(page.count(), 2);
        }
    }

    // Beside its source: a file's output goes into its folder, a DVD title's into Videos and a CD
    // track's into an album folder of Music, a new one for each rip.
    void outputsBesideTheirSources()
    {
        PageDriver page;
        const auto outputOf = [&page](const QString& source, const QString& folder) {
            return page.text("mainPage.outputPathFor({ source: '" + source + "', origPathName: '" + folder + "', newFileName: 'a' })");
        };
        QCOMPARE(outputOf("file", "/in/"), "/in/a");
        QCOMPARE(outputOf("dvd", "/rip/"), Folders::videoFolderWithSeparator() + "a");
        const QString rip = Folders::tempFolder() + "/1700000001/";
        const QString path = outputOf("cd", rip);
        const QString album = page.text("mainPage.desTemp");
        QVERIFY2(QRegularExpression("^Album \\d{4}-[1-9]\\d?-[1-9]\\d? \\d{1,2}-\\d{1,2}-\\d{1,2}$")
                     .match(album).hasMatch(), qPrintable(album));
        QCOMPARE(path, Folders::musicFolderWithSeparator() + album + "/a");
        QVERIFY(QDir(Folders::musicFolderWithSeparator() + album).exists());
        // The rip's next track joins its album, made earlier, instead of opening one of its own.
        page.eval("mainPage.desTemp = 'Album 2013-5-5 9-3-12'");
        QCOMPARE(outputOf("cd", rip), Folders::musicFolderWithSeparator() + "Album 2013-5-5 9-3-12/a");
    }

    void markupInNamesIsShownAsText()
    {
        PageDriver page;
        page.eval("mediaList.appendElement('/media/<b>x</b>.mp4', 'file', '')");
        emit page.window.fileInfoReady({"<img src=x>.mp4", "/media/", "<img src=x>", "00:00:05", ""},
                                       {"<i>codec</i>", "yuv420p", "64x48"}, {});
        // Text fields never read markup; every other text that shows these names must be plain.
        const auto showsThem = [](QQuickItem* item) {
            const QString text = item->property("text").toString();
            return item->property("textFormat").isValid() && (text.contains("<img src=x>") || text.contains("<i>codec</i>"));
        };
        QTRY_VERIFY(std::ranges::count_if(page.allItems(), showsThem) >= 3);
        for (QQuickItem* item : page.allItems())
            QVERIFY(!showsThem(item) || item->property("textFormat").toInt() == int(Qt::PlainText));
    }
};

QTEST_MAIN(TestMediaList)
#include "tst_medialist.moc"
