#include "pagedriver.h"
#include "testsupport.h"

#include <QtTest>

#include <memory>

class TestWidgetKit : public QObject {
    Q_OBJECT

    std::unique_ptr<IsolatedHome> home;

    // n loaded elements of ten seconds, without the probe.
    static void fill(PageDriver& page, int n)
    {
        page.eval(QString("for (var i = 0; i < %1; ++i) { mediaList.appendElement('/m/c' + i + '.mp4', 'file', '');"
                          " mediaList.mediaListModel.setProperty(mediaList.mediaListModel.count - 1, 'loading', false);"
                          " mediaList.mediaListModel.setProperty(mediaList.mediaListModel.count - 1, 'duration', '00:00:10') }")
                      .arg(n));
    }

private slots:
    void initTestCase() { home = startedHome(); }
    void init() { failOnPageWarnings(); }

    void threeHeadersShareThePanel()
    {
        PageDriver page;
        for (int i = 0; i < 3; ++i) {
            QQuickItem* header = page.item(QString("tabHeader%1").arg(i));
            QVERIFY(header);
            QCOMPARE(header->width(), 380.0 / 3);
            QCOMPARE(header->x(), i * 380.0 / 3);
        }
        page.eval("idTabs.current = 1");
        QCOMPARE(page.item("addTab")->opacity(), 0.0);
        QCOMPARE(page.item("formatTab")->opacity(), 1.0);
        QCOMPARE(page.item("convertTab")->opacity(), 0.0);
        QVERIFY(!page.item("addTab")->isEnabled());
    }

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
        fill(page, rows);
        QQuickItem* bar = page.item("scrollBar");
        QQuickItem* slider = page.item("scrollSlider");
        QTRY_COMPARE(bar->property("visible").toBool(), visible);
        if (!visible)
            return;
        const double track = slider->parentItem()->height();
        if (share == 0.0)
            QCOMPARE(slider->height(), 32.0);
        else
            QVERIFY2(qAbs(slider->height() - track * share) < 3, qPrintable(QString::number(slider->height())));
    }

    void theProgressBarFillsItsShare()
    {
        PageDriver page;
        page.eval("convertTab.currentOverallProgress = 50");
        QTRY_COMPARE_WITH_TIMEOUT(page.item("progressFill")->width(), 146.0, 3000);
    }

    void aLongErrorTipWrapsAndStaysInsideTheList()
    {
        PageDriver page;
        fill(page, 1);
        page.eval("mediaList.mediaListModel.setProperty(0, 'currentStatus', 'error');"
                  "mediaList.mediaListModel.setProperty(0, 'errorMsg', '" + QString("Invalid data found. ").repeated(12) + "')");
        QQuickItem* tip = nullptr;
        QTRY_VERIFY((tip = page.item("errorTip")) && tip->isVisible());
        tip->setProperty("showToolTip", true);
        QQuickItem* box = page.item("toolTipBox");
        QTRY_COMPARE(box->opacity(), 1.0);
        QVERIFY2(box->width() <= 254, qPrintable(QString::number(box->width())));
        QVERIFY(box->height() > 30);
        QQuickItem* list = page.item("mediaList");
        const QPointF right = box->mapToItem(list, QPointF(box->width(), 0));
        QVERIFY2(right.x() <= list->width(), qPrintable(QString::number(right.x())));
        tip->setProperty("showToolTip", false);
        QTRY_COMPARE(box->opacity(), 0.0);
    }

    void theTipOfAnEmptyReasonStaysHidden()
    {
        PageDriver page;
        fill(page, 1);
        page.eval("mediaList.mediaListModel.setProperty(0, 'currentStatus', 'error')");
        QQuickItem* tip = nullptr;
        QTRY_VERIFY((tip = page.item("errorTip")) && tip->isVisible());
        tip->setProperty("showToolTip", true);
        QTest::qWait(400);
        QCOMPARE(page.item("toolTipBox")->opacity(), 0.0);
    }
};

QTEST_MAIN(TestWidgetKit)
#include "tst_widgetkit.moc"
