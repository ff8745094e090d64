#include "pagedriver.h"
#include "testsupport.h"

#include <QtTest>

#include <memory>

class TestWidgetKit : public QObject {
    Q_OBJECT

    std::unique_ptr<IsolatedHome> home;

private slots:
    void initTestCase() { home = startedHome(); }
    void init() { failOnPageWarnings(); }

    void theSliderFollowsTheContent_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<double>("share"); // of the track, when visible
        QTest::addRow("fits") << 3 << false << 1.0;
        QTest::addRow("three view heights") << 14 << true << 1.0 / 3;
        QTest::addRow("very long") << 300 << true << 0.0;
    }
    void theSliderFollowsTheContent()
    {
        QFETCH(int, rows);
        QFETCH(bool, visible);
        QFETCH(double, share);
        PageDriver page;
        page.stage(QStringList(rows, "00:00:10"));
        page.setRole(0, "audioCodec", "'aac (LC) (mp4a / 0x6134706D), 48000 Hz, stereo, fltp, 128 kb/s'");
        QQuickItem* bar = page.item("scrollBar");
        QQuickItem* slider = page.item("scrollSlider");
        page.hover(page.item("mediaView"));
        QTRY_COMPARE(bar->property("visible").toBool(), visible);
        if (!visible)
            return;
        QTRY_COMPARE(bar->opacity(), 1.0);
        // The longest fact of a row ends before the bar that the pointer brought up.
        QQuickItem* codec = page.item("audioCodec");
        QVERIFY(codec->mapToScene(QPointF(codec->width(), 0)).x() < bar->mapToScene(QPointF()).x());
        const double track = slider->parentItem()->height();
        if (share == 0.0)
            QCOMPARE(slider->height(), 32.0);
        else
            QVERIFY2(qAbs(slider->height() - track * share) < 3, qPrintable(QString::number(slider->height())));
    }

    // The pointer on a row's mark brings up its tip on top of everything, fully opaque, wrapped and
    // inside the list and the window; a failure without a reason has no tip.
    void tipsShowOnTop_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("tip");
        const QString reason = QString("Invalid data found when processing input. ").repeated(6).trimmed();
        QTest::addRow("error, first row") << 0 << "error" << reason;
        QTest::addRow("error, last row shown") << 4 << "error" << reason;
        QTest::addRow("error without a reason") << 0 << "error" << "";
        QTest::addRow("finished") << 0 << "complete" << "Open Containing Folder";
    }
    void tipsShowOnTop()
    {
        QFETCH(int, row);
        QFETCH(QString, status);
        QFETCH(QString, tip);
        PageDriver page;
        page.stage(QStringList(6, "00:00:10"));
        page.setRole(row, "currentStatus", "'" + status + "'");
        if (status == "error")
            page.setRole(row, "errorMsg", "'" + tip + "'");
        QQuickItem* mark = nullptr;
        QTRY_VERIFY(mark = page.shown(status == "error" ? "warningSign" : "completedTick"));
        page.hover(mark);
        if (tip.isEmpty()) {
            QVERIFY(!QTest::qWaitFor([&] { return page.shown("toolTipBox") != nullptr; }, 600));
            return;
        }
        QQuickItem* box = nullptr;
        QTRY_VERIFY((box = page.shown("toolTipBox")) && box->opacity() == 1.0);
        QCOMPARE(box->childItems().value(0)->property("text").toString(), tip);
        QQuickItem* seen = page.paintedAt(page.centreOf(box));
        QVERIFY2(seen && (seen == box || seen->parentItem() == box), seen ? seen->metaObject()->className() : "nothing");
        QCOMPARE(PageDriver::shownOpacity(box), 1.0);
        QVERIFY(box->width() <= 254);
        const QRectF onScreen = box->mapRectToScene(box->boundingRect());
        QVERIFY(onScreen.right() <= page.item("mediaList")->mapRectToScene(page.item("mediaList")->boundingRect()).right());
        QVERIFY2(QRectF(0, 0, 800, 552).contains(onScreen), qPrintable(QString::number(onScreen.bottom())));
    }
};

QTEST_MAIN(TestWidgetKit)
#include "tst_widgetkit.moc"
