#include "dvdrip/dvdripthread.h"
#include "dvdrip/selectdvd.h"
#include "pagedriver.h"
#include "platform/drives.h"
#include "tarviktext.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>

namespace {

// The title rows as "Title n hh:mm:ss", with "+" for a ticked one.
QStringList rows(const QWidget& dialog)
{
    QStringList texts;
    for (const QTreeWidgetItem* row : dialog.findChild<QTreeWidget*>()->findItems("", Qt::MatchContains, 1))
        texts.append(row->text(1) + " " + row->text(2) + (row->checkState(0) == Qt::Checked ? "+" : ""));
    return texts;
}

QPushButton* button(const QWidget& dialog, const QString& text)
{
    const QList<QPushButton*> buttons = dialog.findChildren<QPushButton*>();
    return *std::find_if(buttons.begin(), buttons.end(), [&](const QPushButton* b) { return b->text() == text; });
}

void click(const QWidget& dialog, const QString& text)
{
    QTest::mouseClick(button(dialog, text), Qt::LeftButton);
}

// Clicks the check box of a title row.
void tick(const QWidget& dialog, int row)
{
    auto* tree = dialog.findChild<QTreeWidget*>();
    const QRect box = tree->visualItemRect(tree->topLevelItem(row));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(box.left() + 10, box.center().y()));
}

} // namespace

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
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts)
                                             : QStringList();
    }

private slots:
    void initTestCase()
    {
        home = startedHome();
        qputenv("FAKE_TARVIK_LOG", QFile::encodeName(drive("calls")));
        // Drives for the fake tool: folders holding VIDEO_TS, each with the listing it prints for them.
        const QList<std::pair<QString, std::vector<long long>>> discs = {
            {"film", {5400000, 120000, 5400000}}, {"short", {999}}, {"six", std::vector<long long>(6, 60000)}};
        QStringList images;
        for (const auto& [name, lengths] : discs) {
            QDir().mkpath(drive(name) + "/VIDEO_TS");
            QFile listing(drive(name) + "/listing");
            QVERIFY(listing.open(QIODevice::WriteOnly) && listing.write(TarvikText::titleListing(lengths).c_str()) > 0);
            images.append(drive(name));
        }
        qputenv(Drives::imageVariable, QFile::encodeName(images.join(':')));
    }
    void init()
    {
        useTools(HALVORN_TEST_FAKES);
        qunsetenv("FAKE_TARVIK_RIP");
        QFile::remove(drive("calls"));
    }

    void listsTheTitlesAndRipsTheTickedOnes()
    {
        SelectDVD dialog;
        dialog.listDrives();
        dialog.show();
        auto* combo = dialog.findChild<QComboBox*>();
        QCOMPARE(combo->itemText(0), drive("film") + ": film");
        QCOMPARE(rows(dialog), (QStringList{"Title 1 01:30:00+", "Title 2 00:02:00", "Title 3 01:30:00"}));
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(rows(dialog), QStringList{"Title 1 00:00:00+"});
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(toolCalls(), (QStringList{drive("film"), drive("short"), drive("six")}));

        // OK with nothing ticked starts nothing and leaves only Cancel, which puts everything back.
        click(dialog, "Select None");
        click(dialog, "OK");
        QVERIFY(!button(dialog, "OK")->isEnabled() && !dialog.findChild<QTreeWidget*>()->isEnabled());
        click(dialog, "Cancel");
        QVERIFY(dialog.isHidden() && button(dialog, "OK")->isEnabled());

        dialog.show();
        tick(dialog, 1);
        tick(dialog, 4);
        QStringList statuses;
        connect(dialog.findChild<DVDRipThread*>(), &DVDRipThread::ripTitleStarted, this,
                [&] { statuses.append(dialog.findChild<QLabel*>()->text()); });
        QSignalSpy added(&dialog, &SelectDVD::addDVD);
        QSignalSpy accepted(&dialog, &QDialog::accepted);
        click(dialog, "OK");
        QVERIFY(accepted.wait(30000));
        QCOMPARE(statuses, (QStringList{"Ripping title 1 of 2", "Ripping title 2 of 2"}));
        const QString file = added.value(1).value(0).toStringList().value(0);
        QVERIFY2(QRegularExpression("/temp/\\d{10}/six_Title_5\\.vob$").match(file).hasMatch(), qPrintable(file));
        QCOMPARE(added.value(1).value(1).toString(), "00:01:00");
        QCOMPARE(toolCalls().mid(3), (QStringList{drive("six") + " 2 " + QFileInfo(file).path() + "/six_Title_2.vob",
                                                  drive("six") + " 5 " + file}));
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
    }
    void aTitleCountsOnlyWhenTheToolRippedIt()
    {
        QFETCH(QString, mode);
        QFETCH(QString, failure);
        qputenv("FAKE_TARVIK_RIP", mode.toLatin1());
        if (mode == "missing" || mode == "unstartable")
            useTools(mode == "missing" ? drives.path() : HALVORN_TEST_FAKES "/unstartable");
        DVDRipThread thread;
        QSignalSpy progress(&thread, &DVDRipThread::progress);
        QSignalSpy ripped(&thread, &DVDRipThread::ripTitleFinished);
        QSignalSpy complete(&thread, &DVDRipThread::ripComplete);
        QSignalSpy error(&thread, &DVDRipThread::error);
        thread.setTitles(drive("film"), {"3"}, "../film", {"01:30:00"});
        thread.start();
        QVERIFY(thread.wait(30000));
        if (failure.isEmpty()) {
            QCOMPARE(progress.last().at(0).toInt(), 100);
            QVERIFY(ripped.value(0).value(0).toString().endsWith("/_film_Title_3.vob"));
            QCOMPARE(complete.size(), 1);
        } else {
            QCOMPARE(ripped.size() + complete.size(), 0);
            QVERIFY2(error.value(0).value(0).toString().startsWith("Title 3 could not be ripped: " + failure),
                     qPrintable(error.value(0).value(0).toString()));
        }
    }

    void cancellingDuringTheFirstOfThree()
    {
        qputenv("FAKE_TARVIK_RIP", "hang");
        MessageRecorder recorder;
        SelectDVD dialog;
        dialog.listDrives();
        dialog.show();
        QSignalSpy started(dialog.findChild<DVDRipThread*>(), &DVDRipThread::ripTitleStarted);
        QSignalSpy ripped(dialog.findChild<DVDRipThread*>(), &DVDRipThread::ripTitleFinished);
        click(dialog, "Select All");
        click(dialog, "OK");
        QTRY_VERIFY_WITH_TIMEOUT(anyProcessMentions("film_Title_1.vob"), 30000);
        click(dialog, "Cancel");
        QVERIFY(dialog.isHidden() && !anyProcessMentions("film_Title_1.vob"));
        QTRY_COMPARE(recorder.prompts.size(), 1);
        QCOMPARE(recorder.prompts.at(0).title + ": " + recorder.prompts.at(0).text, "Error: Rip was cancelled!");
        QCOMPARE(started.size(), 3);
        QCOMPARE(ripped.size(), 0);
        QCOMPARE(toolCalls().size(), 2); // the listing and the first title: a cancelled rip starts no more
    }

    void closingTheWindowEndsTheRip()
    {
        qputenv("FAKE_TARVIK_RIP", "hang");
        MessageRecorder recorder;
        PageDriver page;
        auto* dialog = page.window.findChild<SelectDVD*>();
        bool minimized = false;
        bool ripping = false;
        // Runs inside the dialog's modal loop, as the person at the screen would.
        QTimer::singleShot(0, dialog, [&] {
            dialog->setWindowState(Qt::WindowMinimized);
            minimized = page.window.isMinimized();
            click(*dialog, "OK");
            ripping = QTest::qWaitFor([] { return anyProcessMentions("film_Title_1.vob"); }, 30000);
            page.window.close();
        });
        QCOMPARE(page.window.selectDvd(), "1");
        QVERIFY(minimized && ripping && page.window.isHidden());
        QVERIFY(!anyProcessMentions("film_Title_1.vob") && !dialog->findChild<DVDRipThread*>()->isRunning());
        QVERIFY(QDir(Folders::tempFolder()).isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(recorder.prompts.size(), 0);
    }

    void ripsAndConvertsATitleFromTheAddTab()
    {
        useTools(HALVORN_TEST_TOOLS);
        qputenv(Drives::imageVariable, HALVORN_TEST_DVD "/dvd.iso");
        QTemporaryDir out;
        FileDialogRecorder dialogs({out.path()});
        PageDriver page;
        auto* dialog = page.window.findChild<SelectDVD*>();
        QTimer::singleShot(0, dialog, [&] {
            click(*dialog, "Select None");
            tick(*dialog, 2);
            click(*dialog, "OK");
        });
        const QList<QQuickItem*> entries = page.item("addGrid")->childItems();
        QQuickItem* dvd = *std::find_if(entries.begin(), entries.end(),
                                        [](const QQuickItem* entry) { return entry->property("iconText") == "DVD"; });
        QTest::mouseClick(&page.window, Qt::LeftButton, {}, dvd->mapToScene(dvd->boundingRect().center()).toPoint());
        QTRY_COMPARE_WITH_TIMEOUT(page.integer("mainPage.overallDuration"), 2, 30000);
        QCOMPARE(page.role(0, "source") + " " + page.role(0, "newFileName"), "dvd TEST MOVIE_Title_3");

        page.eval("idTabs.current = 1; formatTab.addIconsToOutputPage('1', 'MP4', false); formatTab.choosePreset(1);"
                  "formatTab.toggleSameFolder(); idTabs.current = 2; convertTab.startRun()");
        QTRY_VERIFY_WITH_TIMEOUT(!page.eval("mainPage.conversionInProgress").toBool(), 120000);
        QCOMPARE(page.role(0, "currentStatus"), "complete");
        const QString report = ffmpegReport(out.filePath("TEST MOVIE_Title_3.mp4"));
        QVERIFY2(report.contains("Video: h264") && report.contains("Duration: 00:00:02"), qPrintable(report));
    }
};

QTEST_MAIN(TestDvdRip)
#include "tst_dvdrip.moc"
