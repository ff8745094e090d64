#include "app/mainwindow.h"
#include "pagedriver.h"
#include "platform/folders.h"
#include "ffmpegsupport.h"
#include "testsupport.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QQuickItem>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

void sendMouse(QWidget& window, QEvent::Type type, QPoint at, Qt::MouseButton button)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(at), QPointF(window.mapToGlobal(at)),
                      type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &event);
}

// Presses at a window point, moves the pointer by offset (the window follows when it drags) and
// releases. Returns how far the window moved.
QPoint drag(QWidget& window, QPoint at, QPoint offset, Qt::MouseButton button = Qt::LeftButton)
{
    const QPoint before = window.pos();
    sendMouse(window, QEvent::MouseButtonPress, at, button);
    sendMouse(window, QEvent::MouseMove, at + offset, button);
    const QPoint moved = window.pos() - before;
    sendMouse(window, QEvent::MouseButtonRelease, at + offset - moved, button);
    return moved;
}


QStringList tempEntries()
{
    return QDir(Folders::tempFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

} // namespace

class TestWindowFrame : public QObject {
    Q_OBJECT

    std::unique_ptr<IsolatedHome> home;
    QTemporaryDir outside;
    const QString batchPasses = ".two-pass (converting) a1b2c3";

    // A temporary folder as a run leaves it: a thumbnail, a work folder, the run log, and a link to
    // a file outside that must survive the emptying; and the pass files of a batch run still going.
    void fillTempFolder()
    {
        const QString temp = Folders::tempFolder();
        QDir().mkpath(temp + "/12345/sub");
        QDir().mkpath(temp + "/" + batchPasses);
        for (const QString& name : {temp + "/1700000000.png", temp + "/12345/sub/a.wav", Folders::runLogPath(),
                                    outside.filePath("precious.txt"), temp + "/" + batchPasses + "/x264-0.log"}) {
            QFile file(name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("x");
        }
        QFile::remove(temp + "/link-out");
        QVERIFY(QFile::link(outside.filePath("precious.txt"), temp + "/link-out"));
    }

private slots:
    void initTestCase() { home = startedHome(); }

    void dragStartsOnlyInTheTitleStripWithTheLeftButton_data()
    {
        QTest::addColumn<int>("y");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("moves");
        QTest::addRow("left at y 30") << 30 << Qt::LeftButton << true;
        QTest::addRow("left at y 0") << 0 << Qt::LeftButton << true;
        QTest::addRow("left at y 31") << 31 << Qt::LeftButton << false;
        QTest::addRow("right at y 10") << 10 << Qt::RightButton << false;
    }
    void dragStartsOnlyInTheTitleStripWithTheLeftButton()
    {
        QFETCH(int, y);
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, moves);
        MainWindow window;
        window.move(100, 100);
        window.show();
        QCOMPARE(drag(window, QPoint(200, y), QPoint(40, 25), button), moves ? QPoint(40, 25) : QPoint());
        // After the release a move drags nothing.
        const QPoint settled = window.pos();
        sendMouse(window, QEvent::MouseMove, QPoint(300, 300), Qt::NoButton);
        QCOMPARE(window.pos(), settled);
    }

    void thePagesMaximiseButtonTogglesTheWorkAreaAndBack()
    {
        PageDriver page;
        // On the screen to the right of the primary one, whose work area it takes.
        QCOMPARE(QGuiApplication::screens().size(), 2);
        const QScreen* own = QGuiApplication::screens().at(1);
        page.window.setGeometry(own->geometry().x() + 120, 90, 860, 600);
        QCOMPARE(page.window.screen(), own);
        const QRect before = page.window.geometry();
        const auto clickMaximise = [&page] {
            QQuickItem* button = page.item("maximizeButton");
            QTest::mouseClick(&page.window, Qt::LeftButton, {},
                              button->mapToScene(QPointF(button->width() / 2, button->height() / 2)).toPoint());
        };
        clickMaximise();
        QCOMPARE(page.window.geometry(), own->availableGeometry());
        QVERIFY2(!page.window.isMaximized(), "a work-area-sized normal window");
        // Restoring puts back the saved rectangle, also after a drag while maximised.
        drag(page.window, QPoint(300, 10), QPoint(30, 30));
        clickMaximise();
        QCOMPARE(page.window.geometry(), before);
    }

    // A warning that a click brings, the CD dialog and the drive dialog, under the window's style
    // sheet as the user has it: frame and all on the window's screen, on the window's middle (give
    // or take a guessed title bar) where the window is on it too; the dialogs in its dark colours.
    void dialogsOpenOverTheWindow_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addRow("at 470,240") << QPoint(470, 240);
        QTest::addRow("on the right screen") << QPoint(1280 + 240, 124);
        QTest::addRow("half off the right screen's corner") << QPoint(1280 + 900, 600);
    }
    void dialogsOpenOverTheWindow()
    {
        QFETCH(QPoint, at);
        PageDriver page({"00:10:00"});
        page.window.useOwnFrame();
        page.window.show();
        page.window.move(at);
        QTRY_COMPARE(page.window.pos(), at);
        QStringList seen;
        const QRect screen = page.window.screen()->availableGeometry();
        const auto note = [&](const QWidget& dialog) {
            const int off = (dialog.frameGeometry().center() - page.window.frameGeometry().center()).manhattanLength();
            const bool centred = off <= 20 || !screen.contains(page.window.frameGeometry());
            seen << dialog.windowTitle() + (screen.contains(dialog.frameGeometry()) && centred ? "" : " elsewhere");
        };
        MessageBox::setAnswerer({});
        const auto restore = qScopeGuard([] { MessageBox::answerOnStandardError(); });
        FileDialogs::setDialogAnswerer([&](QDialog& dialog) {
            note(dialog);
            // In the active colours: a control may be disabled while the dialog reads the disc.
            for (const QWidget* control : dialog.findChildren<QWidget*>())
                QVERIFY(control->palette().color(QPalette::Active, QPalette::Button).lightness() < 120
                        && control->palette().color(QPalette::Active, QPalette::ButtonText).lightness() > 200);
        });
        page.click(page.icon("CD"));
        QTimer::singleShot(0, this, [&] { // inside the box's own loop
            QWidget* box = QApplication::activeModalWidget();
            note(*box);
            QTest::keyClick(box, Qt::Key_Escape);
        });
        page.click(page.item("tabHeader2")); // no output chosen yet
        for (const QString label : {"DVD", "PAL 16:9"})
            page.click(page.icon(label));
        page.click(page.item("tabHeader2"));
        page.click(page.item("convertButton"));
        QCOMPARE(seen, QStringList({"Rip from CD", "Warning", "Select Burn Drive"}));
    }

    void menusOpenUnderTheirWordsAndReachThePages()
    {
        MainWindow window;
        window.show();
        QSignalSpy audio(&window, &MainWindow::addAudioFile);
        QSignalSpy video(&window, &MainWindow::addVideoFile);
        const QList<QMenu*> menus = window.findChildren<QMenu*>();
        QCOMPARE(menus.size(), 2);
        window.showMenu(2, 40);
        window.showMenu(-1, 40);
        QVERIFY(std::none_of(menus.cbegin(), menus.cend(), [](QMenu* menu) { return menu->isVisible(); }));

        QStringList texts;
        for (QMenu* menu : menus) {
            window.showMenu(int(texts.size() > 0), 55);
            QVERIFY(menu->isVisible());
            QCOMPARE(menu->pos(), window.mapToGlobal(QPoint(55, 30)));
            for (QAction* action : menu->actions())
                texts << (action->isSeparator() ? "-" : action->text());
            menu->hide();
        }
        QCOMPARE(texts, (QStringList{"Add Audio File", "Add Video File", "-", "Exit", "About", "-", "Manual",
                                     "Website", "-", "Check for Updates", "Report a Bug"}));
        menus.at(0)->actions().at(0)->trigger();
        menus.at(0)->actions().at(1)->trigger();
        QCOMPARE(audio.count(), 1);
        QCOMPARE(video.count(), 1);
    }

    void theAboutBoxShowsTheVersionAndTheIcon()
    {
        MainWindow window;
        MessageRecorder recorder;
        window.aboutAction();
        QCOMPARE(recorder.prompts.size(), 1);
        const MessageBox::Prompt& about = recorder.prompts.first();
        QCOMPARE(about.title, "About");
        QCOMPARE(about.text, "Halvorn v1.6.8");
        QCOMPARE(about.informativeText, "This software uses libraries from the FFmpeg project under the LGPLv2.1");
        QCOMPARE(about.iconPixmap.size(), QSize(48, 48));
    }

    void everyCloseEmptiesTheTemporaryFolderButNothingOutsideIt_data()
    {
        QTest::addColumn<bool>("byWindowManager");
        QTest::addRow("the page's close") << false;
        QTest::addRow("the window manager's") << true;
    }
    void everyCloseEmptiesTheTemporaryFolderButNothingOutsideIt()
    {
        QFETCH(bool, byWindowManager);
        fillTempFolder();
        MainWindow window;
        window.show();
        MessageRecorder recorder;
        if (byWindowManager)
            QVERIFY(window.QWidget::close());
        else
            window.close();
        QVERIFY(recorder.prompts.isEmpty());
        QVERIFY(!window.isVisible());
        QCOMPARE(tempEntries(), QStringList{batchPasses});
        QVERIFY(QDir(Folders::tempFolder() + "/" + batchPasses).removeRecursively());
        QVERIFY(QFile::exists(outside.filePath("precious.txt")));
    }

    void closingDuringAConversionAsks_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addRow("no") << QMessageBox::No;
        QTest::addRow("yes") << QMessageBox::Yes;
    }
    void closingDuringAConversionAsks()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        fillTempFolder();
        const QString base = outside.filePath(QString("closing-%1").arg(QTest::currentDataTag()));
        MainWindow window;
        window.show();
        QSignalSpy progress(&window, &MainWindow::conversionProgress);
        window.startNewConversion(testMedia("long.mp4"), "-s 160x120 -vf realtime -c:v mpeg4", "160x120", base, "mkv");
        QVERIFY(progress.wait(30000));

        MessageRecorder recorder(answer);
        window.close();
        QCOMPARE(recorder.prompts.size(), 1);
        QCOMPARE(recorder.prompts.at(0).title, "Confirmation Required");
        QCOMPARE(recorder.prompts.at(0).text, "Conversions will be cancelled - are you sure you want to close?");
        if (answer == QMessageBox::No) {
            QVERIFY(window.isVisible());
            QVERIFY(tempEntries().contains("1700000000.png"));
            QVERIFY(progress.wait(5000));
            QVERIFY(anyProcessMentions(base));
            window.stopConversion();
        } else {
            QVERIFY(!window.isVisible());
            QVERIFY(!tempEntries().contains("1700000000.png"));
            QTRY_VERIFY2(!anyProcessMentions(base), "closing stopped the conversion");
        }
    }
};

// On two screens side by side, where the window and what opens over it can be on either.
int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" HALVORN_SOURCE_DIR "/tests/app/twoscreens.json");
    QApplication app(argc, argv);
    TestWindowFrame test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_windowframe.moc"
