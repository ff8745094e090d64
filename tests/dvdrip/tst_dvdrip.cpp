#include "dvdrip/dvdripthread.h"
#include "dvdrip/selectdvd.h"
#include "pagedriver.h"
#include "platform/drives.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// The rows of the title list: "Title n length", with "+" for a ticked one.
QStringList rows(const SelectDVD& dialog)
{
    QStringList texts;
    const auto* tree = dialog.findChild<QTreeWidget*>();
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = tree->topLevelItem(i);
        texts.append(row->text(1) + " " + row->text(2) + (row->checkState(0) == Qt::Checked ? "+" : ""));
    }
    return texts;
}

QPushButton* button(const QWidget& dialog, const QString& text)
{
    for (QPushButton* candidate : dialog.findChildren<QPushButton*>())
        if (candidate->text() == text)
            return candidate;
    return nullptr;
}

void click(const QWidget& dialog, const QString& text)
{
    QTest::mouseClick(button(dialog, text), Qt::LeftButton);
}

// Ticks or unticks a title by clicking its check box.
void tick(const SelectDVD& dialog, int row)
{
    auto* tree = dialog.findChild<QTreeWidget*>();
    const QRect box = tree->visualItemRect(tree->topLevelItem(row));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(box.left() + 10, box.center().y()));
}

// Runs the action once the modal dialog is up (its exec() does not return before then).
void whenShown(SelectDVD* dialog, std::function<void()> action)
{
    auto* poll = new QTimer(dialog);
    QObject::connect(poll, &QTimer::timeout, dialog, [=] {
        if (!dialog->isVisible())
            return;
        poll->deleteLater();
        poll->stop();
        action();
    });
    poll->start(20);
}

} // namespace

class TestDvdRip : public QObject {
    Q_OBJECT

    std::unique_ptr<IsolatedHome> home;
    QTemporaryDir drives;
    const QByteArray path = qgetenv("PATH");

    // A drive of the fake tool: a folder holding VIDEO_TS, with the listing the tool prints for it.
    QString fakeDrive(const QString& name, const QList<qint64>& lengths)
    {
        const QString folder = drives.filePath(name);
        QDir().mkpath(folder + "/VIDEO_TS");
        QFile listing(folder + "/listing");
        listing.open(QIODevice::WriteOnly);
        listing.write(QString("TITLES: %1\n").arg(lengths.size(), 2, 10, QChar('0')).toLatin1());
        for (int i = 0; i < lengths.size(); ++i)
            listing.write(QString("TITLE_%1 LENGTH (ms) = %2\n").arg(i + 1, 2, 10, QChar('0')).arg(lengths.at(i)).toLatin1());
        return folder;
    }
    void useTools(const QString& folder) { qputenv("PATH", QFile::encodeName(folder) + ":" + path); }
    QStringList toolCalls() const
    {
        QFile log(drives.filePath("calls"));
        log.open(QIODevice::ReadOnly);
        return QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
    }

private slots:
    void initTestCase()
    {
        home = startedHome();
        qputenv("FAKE_TARVIK_LOG", QFile::encodeName(drives.filePath("calls")));
        qputenv(Drives::imageVariable, QFile::encodeName(fakeDrive("film", {5400000, 120000, 5400000}) + ":"
                                                         + fakeDrive("short", {999})));
        fakeDrive("six", {60000, 60000, 60000, 60000, 60000, 60000});
    }
    void init()
    {
        useTools(HALVORN_TEST_FAKES);
        qunsetenv("FAKE_TARVIK_RIP");
        QFile::remove(drives.filePath("calls"));
    }

    void listsTheTitlesOfTheChosenDrive()
    {
        SelectDVD dialog;
        dialog.listDrives();
        dialog.show();
        auto* combo = dialog.findChild<QComboBox*>();
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->itemText(0), drives.filePath("film") + ": film");
        QCOMPARE(rows(dialog), (QStringList{"Title 1 01:30:00+", "Title 2 00:02:00", "Title 3 01:30:00"}));
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(rows(dialog), QStringList{"Title 1 00:00:00+"});
        QCOMPARE(toolCalls(), (QStringList{drives.filePath("film"), drives.filePath("short")}));
    }

    void ripsTheTickedTitlesAndCountsThemInTheRip()
    {
        qputenv(Drives::imageVariable, QFile::encodeName(drives.filePath("six")));
        SelectDVD dialog;
        dialog.listDrives();
        dialog.show();
        // OK with nothing ticked starts nothing and leaves only Cancel.
        click(dialog, "Select None");
        click(dialog, "OK");
        QVERIFY(!button(dialog, "OK")->isEnabled() && !dialog.findChild<QTreeWidget*>()->isEnabled());
        QVERIFY(button(dialog, "Cancel")->isEnabled());
        click(dialog, "Cancel");
        QVERIFY(dialog.isHidden() && button(dialog, "OK")->isEnabled());

        dialog.show();
        tick(dialog, 1);
        tick(dialog, 4);
        QStringList statuses;
        auto* thread = dialog.findChild<DVDRipThread*>();
        connect(thread, &DVDRipThread::ripTitleStarted, this,
                [&] { statuses.append(dialog.findChild<QLabel*>()->text()); });
        QSignalSpy added(&dialog, &SelectDVD::addDVD);
        QSignalSpy finished(&dialog, &QDialog::finished);
        click(dialog, "OK");
        QVERIFY(finished.wait(30000));
        QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Accepted));
        QCOMPARE(statuses, (QStringList{"Ripping title 1 of 2", "Ripping title 2 of 2"}));
        QCOMPARE(added.size(), 2);
        const QString file = added.at(1).at(0).toStringList().value(0);
        QVERIFY2(QRegularExpression("/temp/\\d{10}/six_Title_5\\.vob$").match(file).hasMatch(), qPrintable(file));
        QCOMPARE(added.at(1).at(1).toString(), "00:01:00");
        const QString folder = QFileInfo(file).path();
        QCOMPARE(toolCalls().mid(1), (QStringList{drives.filePath("six") + " 2 " + folder + "/six_Title_2.vob",
                                                  drives.filePath("six") + " 5 " + file}));
        QCOMPARE(dialog.findChild<QProgressBar*>()->value(), 0);
        qputenv(Drives::imageVariable, QFile::encodeName(drives.filePath("film")));
    }

    void aTitleCountsOnlyWhenTheToolRippedIt_data()
    {
        QTest::addColumn<QString>("tools");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("failure");
        QTest::addRow("ripped") << HALVORN_TEST_FAKES << "" << "";
        QTest::addRow("tool failed") << HALVORN_TEST_FAKES << "fail" << "tarvik: title 3 is encrypted (CSS)";
        QTest::addRow("nothing written") << HALVORN_TEST_FAKES << "empty" << "the DVD title tool wrote nothing to ";
        QTest::addRow("tool missing") << drives.path() << "" << "the DVD title tool tarvik could not be found.";
        QTest::addRow("tool unstartable") << "broken" << "" << "the DVD title tool could not be started: ";
    }
    void aTitleCountsOnlyWhenTheToolRippedIt()
    {
        QFETCH(QString, tools);
        QFETCH(QString, mode);
        QFETCH(QString, failure);
        if (tools == "broken") {
            tools = drives.filePath("broken");
            QDir().mkpath(tools);
            QFile tool(tools + "/tarvik");
            QVERIFY(tool.open(QIODevice::WriteOnly) && tool.write("#!/no/such/interpreter\n"));
            tool.setPermissions(tool.permissions() | QFile::ExeOwner);
        }
        useTools(tools);
        qputenv("FAKE_TARVIK_RIP", mode.toLatin1());
        DVDRipThread thread;
        QSignalSpy progress(&thread, &DVDRipThread::progress);
        QSignalSpy ripped(&thread, &DVDRipThread::ripTitleFinished);
        QSignalSpy complete(&thread, &DVDRipThread::ripComplete);
        QSignalSpy error(&thread, &DVDRipThread::error);
        thread.setTitles(drives.filePath("film"), {"3"}, "../film", {"01:30:00"});
        thread.start();
        QVERIFY(thread.wait(30000));
        QCOMPARE(ripped.size(), failure.isEmpty() ? 1 : 0);
        QCOMPARE(complete.size(), failure.isEmpty() ? 1 : 0);
        if (failure.isEmpty()) {
            QCOMPARE(progress.last().at(0).toInt(), 100);
            QVERIFY(ripped.at(0).at(0).toString().endsWith("/_film_Title_3.vob"));
        } else {
            QVERIFY2(error.at(0).at(0).toString().startsWith("Title 3 could not be ripped: " + failure),
                     qPrintable(error.at(0).at(0).toString()));
        }
    }

    void cancellingDuringTheFirstOfThree()
    {
        qputenv("FAKE_TARVIK_RIP", "hang");
        MessageRecorder recorder;
        SelectDVD dialog;
        dialog.listDrives();
        dialog.show();
        auto* thread = dialog.findChild<DVDRipThread*>();
        QSignalSpy started(thread, &DVDRipThread::ripTitleStarted);
        QSignalSpy ripped(thread, &DVDRipThread::ripTitleFinished);
        click(dialog, "Select All");
        click(dialog, "OK");
        QTRY_VERIFY_WITH_TIMEOUT(anyProcessMentions("film_Title_1.vob"), 30000);
        click(dialog, "Cancel");
        QVERIFY(!anyProcessMentions("film_Title_1.vob"));
        QVERIFY(dialog.isHidden() && !thread->isRunning());
        QTRY_COMPARE(recorder.prompts.size(), 1);
        QCOMPARE(recorder.prompts.at(0).title, "Error");
        QCOMPARE(recorder.prompts.at(0).text, "Rip was cancelled!");
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
        bool ripping = false;
        bool minimized = false;
        whenShown(dialog, [&] {
            dialog->setWindowState(Qt::WindowMinimized);
            minimized = page.window.isMinimized();
            click(*dialog, "OK");
            ripping = QTest::qWaitFor([] { return anyProcessMentions("film_Title_1.vob"); }, 30000);
            page.window.close();
        });
        QCOMPARE(page.window.selectDvd(), "1");
        QVERIFY(ripping);
        QVERIFY(minimized);
        QVERIFY(!anyProcessMentions("film_Title_1.vob"));
        QVERIFY(!dialog->findChild<DVDRipThread*>()->isRunning());
        QVERIFY(page.window.isHidden());
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
        whenShown(dialog, [&] {
            click(*dialog, "Select None");
            tick(*dialog, 2);
            click(*dialog, "OK");
        });
        QQuickItem* dvdEntry = nullptr;
        for (QQuickItem* item : page.item("addGrid")->childItems())
            if (item->property("iconText") == "DVD")
                dvdEntry = item;
        QTest::mouseClick(&page.window, Qt::LeftButton, {},
                          dvdEntry->mapToScene(QPointF(dvdEntry->width() / 2, dvdEntry->height() / 2)).toPoint());
        QTRY_COMPARE_WITH_TIMEOUT(page.integer("mainPage.overallDuration"), 2, 30000);
        QCOMPARE(page.role(0, "source"), "dvd");
        QCOMPARE(page.role(0, "newFileName"), "TEST MOVIE_Title_3");

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
