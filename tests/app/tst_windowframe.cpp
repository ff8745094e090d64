#include "app/mainwindow.h"
#include "platform/folders.h"
#include "testsupport.h"

#include <QImageReader>
#include <QMenu>
#include <QMouseEvent>
#include <QQmlContext>
#include <QQmlExpression>
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

    // A temporary folder as a run leaves it: a thumbnail, a work folder, the run log, and a link to
    // a file outside that must survive the emptying.
    void fillTempFolder()
    {
        const QString temp = Folders::tempFolder();
        QDir().mkpath(temp + "/12345/sub");
        for (const QString& name : {temp + "/1700000000.png", temp + "/12345/sub/a.wav", Folders::runLogPath(),
                                    outside.filePath("precious.txt")}) {
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

    void restoreReturnsToTheGeometryBeforeMaximising()
    {
        MainWindow window;
        window.setGeometry(120, 90, 860, 600);
        window.show();
        const QRect before = window.geometry();
        window.showMaximized();
        QCOMPARE(window.geometry(), QGuiApplication::primaryScreen()->availableGeometry());
        QVERIFY2(!window.isMaximized(), "a work-area-sized normal window");
        drag(window, QPoint(300, 10), QPoint(30, 30));
        window.showNormal();
        QCOMPARE(window.geometry(), before);
    }

    void thePagesMaximiseButtonReachesTheWindowsOwnMaximise()
    {
        MainWindow window;
        window.setGeometry(100, 80, 820, 580);
        window.show();
        QQmlExpression press(qmlContext(window.rootObject()), window.rootObject(), "mainwnd.showMaximized()");
        press.evaluate();
        QVERIFY2(!window.isMaximized(), "the platform's maximised state is never used");
        QCOMPARE(window.geometry(), QGuiApplication::primaryScreen()->availableGeometry());
        QQmlExpression restore(qmlContext(window.rootObject()), window.rootObject(), "mainwnd.showNormal()");
        restore.evaluate();
        QCOMPARE(window.geometry(), QRect(100, 80, 820, 580));
    }

    void menusOpenUnderTheirWords()
    {
        MainWindow window;
        window.show();
        const QList<QMenu*> menus = window.findChildren<QMenu*>();
        QCOMPARE(menus.size(), 2);
        window.showMenu(2, 40);
        window.showMenu(-1, 40);
        QVERIFY(std::none_of(menus.cbegin(), menus.cend(), [](QMenu* menu) { return menu->isVisible(); }));

        window.showMenu(1, 55);
        QMenu* help = nullptr;
        for (QMenu* menu : menus)
            if (menu->isVisible())
                help = menu;
        QVERIFY(help);
        QCOMPARE(help->pos(), window.mapToGlobal(QPoint(55, 30)));
        QStringList texts;
        for (QAction* action : help->actions())
            texts << (action->isSeparator() ? "-" : action->text());
        QCOMPARE(texts, (QStringList{"About", "-", "Manual", "Website", "-", "Check for Updates", "Report a Bug"}));
        help->hide();
    }

    void fileMenuEntriesReachThePages()
    {
        MainWindow window;
        QSignalSpy audio(&window, &MainWindow::addAudioFile);
        QSignalSpy video(&window, &MainWindow::addVideoFile);
        QMenu* file = nullptr;
        for (QMenu* menu : window.findChildren<QMenu*>())
            if (menu->actions().value(0) && menu->actions().value(0)->text() == "Add Audio File")
                file = menu;
        QVERIFY(file);
        QCOMPARE(file->actions().size(), 4);
        QCOMPARE(file->actions().at(3)->text(), "Exit");
        file->actions().at(0)->trigger();
        file->actions().at(1)->trigger();
        QCOMPARE(audio.count(), 1);
        QCOMPARE(video.count(), 1);
    }

    void theAboutBoxShowsTheVersionAndTheIcon()
    {
        QImageReader icon(":/qml/images/icon.ico");
        QCOMPARE(icon.imageCount(), 4);
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

    void closingEmptiesTheTemporaryFolderButNothingOutsideIt()
    {
        fillTempFolder();
        MainWindow window;
        window.show();
        MessageRecorder recorder;
        window.close();
        QVERIFY(recorder.prompts.isEmpty());
        QVERIFY(!window.isVisible());
        QCOMPARE(tempEntries(), QStringList());
        QVERIFY(QFile::exists(outside.filePath("precious.txt")));
    }

    void theWindowManagersCloseGoesTheSameWay()
    {
        fillTempFolder();
        MainWindow window;
        window.show();
        MessageRecorder recorder;
        QVERIFY(window.QWidget::close());
        QVERIFY(!window.isVisible());
        QCOMPARE(tempEntries(), QStringList());
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
        {
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
            }
        }
        QVERIFY2(!anyProcessMentions(base), "no FFmpeg outlives the window");
    }
};

QTEST_MAIN(TestWindowFrame)
#include "tst_windowframe.moc"
