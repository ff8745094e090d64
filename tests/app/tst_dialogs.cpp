#include "pagedriver.h"
#include "testsupport.h"

#include <QApplication>
#include <QScreen>
#include <QtTest>

#include <memory>

// Where the dialogs and message boxes open, on two screens side by side, and in what colours.
class TestDialogs : public QObject {
    Q_OBJECT

    std::unique_ptr<IsolatedHome> home;

    // Frame and all on the window's screen; on the window's middle (give or take a guessed title
    // bar) unless the window itself reaches off its screen.
    static bool overWindow(const QWidget& dialog, const QWidget& window)
    {
        const QRect screen = window.screen()->availableGeometry();
        const QPoint off = dialog.frameGeometry().center() - window.frameGeometry().center();
        return screen.contains(dialog.frameGeometry()) && (!screen.contains(window.frameGeometry()) || off.manhattanLength() <= 20);
    }

private slots:
    void initTestCase() { home = startedHome(); }
    void init() { failOnPageWarnings(); }

    // A warning that a click brings, the CD dialog and the drive dialog, with the window's style
    // sheet as the user has it: over the window wherever it is, the dialogs in its dark colours.
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
        MessageBox::setAnswerer({});
        const auto restore = qScopeGuard([] { MessageBox::answerOnStandardError(); });
        QTimer boxes;
        connect(&boxes, &QTimer::timeout, this, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen << box->windowTitle() + (overWindow(*box, page.window) ? "" : " elsewhere");
                QTest::keyClick(box, Qt::Key_Escape);
            }
        });
        boxes.start(20);
        FileDialogs::setDialogAnswerer([&](QDialog& dialog) {
            seen << dialog.windowTitle() + (overWindow(dialog, page.window) ? "" : " elsewhere");
            for (const QWidget* control : dialog.findChildren<QWidget*>())
                QVERIFY(control->palette().color(QPalette::Button).lightness() < 120
                        && control->palette().color(QPalette::ButtonText).lightness() > 200);
        });
        page.click(page.icon("CD"));
        page.click(page.item("tabHeader2")); // no output chosen yet
        for (const QString label : {"DVD", "PAL 16:9"})
            page.click(page.icon(label));
        page.click(page.item("tabHeader2"));
        page.click(page.item("convertButton"));
        QCOMPARE(seen, QStringList({"Rip from CD", "Warning", "Select Burn Drive"}));
    }
};

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" HALVORN_SOURCE_DIR "/tests/app/twoscreens.json");
    QApplication app(argc, argv);
    TestDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_dialogs.moc"
