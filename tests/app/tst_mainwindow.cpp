#include "intake/droppablewidget.h"
#include "pagedriver.h"
#include "platform/folders.h"
#include "testsupport.h"

#include <QMimeData>
#include <QQuickItem>
#include <QtTest>

#include <memory>

class TestMainWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<IsolatedHome> home;
    QTemporaryDir media;

    QString makeFile(const QString& name)
    {
        QFile file(media.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write("x");
        return file.fileName();
    }

    // Hands a drag event straight to a widget's handlers, as the platform's drag delivery does once
    // it has found the widget under the cursor (the application's own routing needs a real drag).
    static void deliver(QObject* widget, QEvent* event) { widget->event(event); }

    static QMimeData* urlData(const QStringList& paths)
    {
        auto* data = new QMimeData;
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls.append(QUrl::fromLocalFile(path));
        data->setUrls(urls);
        return data;
    }

private slots:
    void initTestCase() { home = startedHome(); }

    void init() { failOnPageWarnings(); }

    // Drops land on the media list wherever the window's size has put it.
    void dropTargetCoversTheMediaList()
    {
        MainWindow window;
        window.show();
        auto* list = window.rootObject()->findChild<QQuickItem*>("mediaList");
        for (const QSize size : {QSize(1000, 700), window.minimumSize()}) {
            window.resize(size);
            QTRY_COMPARE(window.rootObject()->size().toSize(), size);
            QCOMPARE(window.dropTarget()->geometry(),
                     list->mapRectToScene(QRectF(0, 0, list->width(), list->height())).toRect());
        }
    }

    void thePageReachesTheBridge()
    {
        PageDriver page;
        QCOMPARE(page.window.rootObject()->property("width").toInt(), 800);
        QCOMPARE(page.eval("mainwnd.getOutputModel('7').length").toInt(), 4 * 9);

        MessageRecorder recorder(QMessageBox::Yes);
        QVERIFY(page.eval("mainwnd.yesno('Go on?')").toBool());
        recorder.answer = QMessageBox::No;
        QVERIFY(!page.eval("mainwnd.yesno('Go on?')").toBool());
        page.eval("mainwnd.warning('<b>plain</b>')");
        QCOMPARE(recorder.prompts.size(), 3);
        QCOMPARE(recorder.prompts.at(0).title, "Confirmation Required");
        QCOMPARE(recorder.prompts.at(0).buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(recorder.prompts.at(2).title, "Warning");
        QCOMPARE(recorder.prompts.at(2).text, "<b>plain</b>");

        const QString folder = Folders::tempFolderWithSeparator() + "album/disc 1";
        page.eval(QString("mainwnd.makeDir('%1')").arg(folder));
        QVERIFY(QDir(folder).exists());
    }

    void aDragOverTheWindowMakesTheDropTargetReceptive()
    {
        MainWindow window;
        window.show();
        DroppableWidget* target = window.dropTarget();
        QVERIFY(target->testAttribute(Qt::WA_TransparentForMouseEvents));

        std::unique_ptr<QMimeData> data(urlData({makeFile("a.mp3")}));
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        deliver(&window, &enter);
        QVERIFY(!target->testAttribute(Qt::WA_TransparentForMouseEvents));
        QVERIFY2(!enter.isAccepted(), "the window itself takes no drop");

        QDragLeaveEvent leave;
        deliver(&window, &leave);
        QVERIFY(target->testAttribute(Qt::WA_TransparentForMouseEvents));
    }

    void aDroppedCdTrackIsExplainedOnceAfterTheOtherFilesAreQueued()
    {
        MainWindow window;
        MessageRecorder recorder;
        const QString song = makeFile("a.mp3");
        qsizetype promptsWhenDropped = -1;
        QStringList received;
        connect(&window, &MainWindow::fileDropped, this, [&](const QStringList& files) {
            received = files;
            promptsWhenDropped = recorder.prompts.size();
        });

        DroppableWidget* target = window.dropTarget();
        target->setAttribute(Qt::WA_TransparentForMouseEvents, false);
        std::unique_ptr<QMimeData> data(urlData({makeFile("Track01.cda"), song, makeFile("TRACK02.CDA")}));
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        deliver(target, &drop);

        QCOMPARE(received, QStringList{song});
        QCOMPARE(promptsWhenDropped, 0);
        QCOMPARE(recorder.prompts.size(), 1);
        QCOMPARE(recorder.prompts.at(0).title, "CDA File Detected");
        QCOMPARE(recorder.prompts.at(0).text,
                 "Audio CD Tracks cannot be dragged in.\n\nPlease use the CD button in the Add tab.");
        QVERIFY2(target->testAttribute(Qt::WA_TransparentForMouseEvents), "clicks reach the page again");
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
