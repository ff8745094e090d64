#include "pagedriver.h"
#include "testsupport.h"

#include <QDirIterator>
#include <QImageReader>
#include <QtTest>

#include <memory>

class TestWidgetKit : public QObject {
    Q_OBJECT

    std::unique_ptr<IsolatedHome> home;

private slots:
    void initTestCase() { home = startedHome(); }
    void init() { failOnPageWarnings(); }

    // On a screen scaled by 2, Qt takes each picture's "@2x" twin, drawn at twice the size.
    void everyPictureHasATwinForScaledScreens()
    {
        QStringList missing;
        QDirIterator pictures(":/qml/images", {"*.png", "*.gif"}, QDir::Files, QDirIterator::Subdirectories);
        while (pictures.hasNext()) {
            const QString picture = pictures.next();
            const QString twin = QString(picture).replace(QRegularExpression("\\.(png|gif)$"), "@2x.\\1");
            if (!picture.contains("@2x.") && QImageReader(twin).size() != QImageReader(picture).size() * 2)
                missing << picture;
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
    }

    // The list's scroll bar and top fade follow the rows and the view: no bar while the rows fit, a
    // slider in proportion yet never too small to grab, and a fade only when scrolled down.
    void theListFollowsItsContent()
    {
        PageDriver page(QStringList(3, "00:00:10"));
        QQuickItem* bar = page.item("scrollBar");
        QQuickItem* slider = page.item("scrollSlider");
        QQuickItem* fade = page.item("topFade");
        page.hover(page.item("mediaView"));
        QTRY_VERIFY(!bar->isVisible());
        page.stage(QStringList(11, "00:00:10"));
        page.setRole(0, "audioCodec", "'aac (LC) (mp4a / 0x6134706D), 48000 Hz, stereo, fltp, 128 kb/s'");
        QTRY_VERIFY(bar->isVisible() && bar->opacity() == 1.0);
        // The longest fact of a row ends before the bar that the pointer brought up.
        QQuickItem* codec = page.item("audioCodec");
        QVERIFY(codec->mapToScene(QPointF(codec->width(), 0)).x() < bar->mapToScene(QPointF()).x());
        // Fourteen rows are three view heights.
        QVERIFY2(qAbs(slider->height() - slider->parentItem()->height() / 3) < 3, qPrintable(QString::number(slider->height())));

        page.eval("mediaList.removeFromList(0)");
        QTest::qWait(50);
        QVERIFY2(!fade->isVisible(), "at the top of the list after its first row went");
        page.wheel(page.item("mediaView"), 1);
        QTRY_VERIFY(fade->isVisible());
        page.stage(QStringList(287, "00:00:10"));
        QTRY_COMPARE(slider->height(), 32.0);
    }

    // Every device's label stays whole on one line under its picture, inside the tile the entry's
    // background draws 4 px in from its edges: the strip walked with the arrow keys, heading each
    // time for where the entry is in sight.
    void everyDeviceLabelFits()
    {
        PageDriver page({"00:00:10"});
        page.click(page.item("tabHeader1"));
        QVERIFY(page.tabTo("iPhone 15"));
        QQuickItem* strip = page.item("deviceStrip");
        int devices = 0;
        for (; devices < strip->property("count").toInt(); ++devices, page.key(Qt::Key_Right)) {
            QQuickItem* icon = page.focused();
            QQuickItem* label = icon->findChild<QQuickItem*>("iconLabel");
            const qreal heading = strip->property("restingX").toReal();
            const qreal top = label->y() + (label->height() - label->property("contentHeight").toReal()) / 2;
            QVERIFY2(icon->x() >= heading && icon->x() + icon->width() <= heading + strip->width() && label->property("lineCount") == 1
                         && !label->property("truncated").toBool() && label->property("contentWidth").toReal() <= icon->width() - 8
                         && top >= icon->findChild<QQuickItem*>("iconPicture")->y() + 70, qPrintable(label->property("text").toString()));
        }
        QCOMPARE(devices, 152);
    }

    // The pointer on a row's mark brings up its tip on top of everything, fully opaque, wrapped and
    // inside the list and the window.
    void tipsShowOnTop_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("tip");
        const QString reason = QString("Invalid data found when processing input. ").repeated(6).trimmed();
        QTest::addRow("error, first row") << 0 << "error" << reason;
        QTest::addRow("error, last row shown") << 4 << "error" << reason;
        QTest::addRow("finished") << 0 << "complete" << "Open Containing Folder";
    }
    void tipsShowOnTop()
    {
        QFETCH(int, row);
        QFETCH(QString, status);
        QFETCH(QString, tip);
        PageDriver page(QStringList(6, "00:00:10"));
        page.setRole(row, "currentStatus", "'" + status + "'");
        if (status == "error")
            page.setRole(row, "errorMsg", "'" + tip + "'");
        QQuickItem* mark = nullptr;
        QTRY_VERIFY(mark = page.shown(status == "error" ? "warningSign" : "completedTick"));
        page.hover(mark);
        QQuickItem* box = nullptr;
        QTRY_VERIFY((box = page.shown("toolTipBox")) && box->opacity() == 1.0);
        QCOMPARE(box->childItems().value(0)->property("text").toString(), tip);
        QQuickItem* seen = page.paintedAt(page.centreOf(box));
        QVERIFY2(seen && (seen == box || seen->parentItem() == box), seen ? seen->metaObject()->className() : "nothing");
        QCOMPARE(PageDriver::shownOpacity(box), 1.0);
        const QRectF onScreen = box->mapRectToScene(box->boundingRect());
        QVERIFY(onScreen.right() <= page.item("mediaList")->mapRectToScene(page.item("mediaList")->boundingRect()).right());
        QVERIFY2(QRectF(0, 0, 800, 552).contains(onScreen), qPrintable(QString::number(onScreen.bottom())));
    }
};

QTEST_MAIN(TestWidgetKit)
#include "tst_widgetkit.moc"
