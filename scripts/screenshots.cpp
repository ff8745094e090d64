// Stages the window in the states worth looking at and saves a picture of each, so that anyone
// can check the look after a change: the script beside it runs it under Xvfb.

#include "app/mainwindow.h"
#include "app/startup.h"
#include "burn/selectdrive.h"
#include "cdrip/cdimage.h"
#include "cdrip/cdripthread.h"
#include "cdrip/selectcd.h"
#include "dvdrip/selectdvd.h"
#include "pagedriver.h"
#include "platform/folders.h"
#include "platform/translation.h"
#include "widgets/filedialogs.h"
#include "widgets/messagebox.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSemaphore>
#include <QQuickItem>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {

void shoot(MainWindow& window, const QString& folder, const QString& name)
{
    QTest::qWait(1300); // lets animations and fades settle
    const QPixmap picture = window.grab();
    const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    if (!picture.save(path))
        std::fprintf(stderr, "screenshots: cannot write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

// A dialog or message box as it stands over the main window: the screen around both.
void shootDialog(QWidget& dialog, const QString& folder, const QString& name)
{
    QTest::qWait(300);
    const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    const QRect around = dialog.frameGeometry().united(dialog.parentWidget()->window()->frameGeometry());
    if (dialog.screen()->grabWindow(0, around.x(), around.y(), around.width(), around.height()).save(path))
        std::printf("%s\n", qPrintable(path));
    else
        std::fprintf(stderr, "screenshots: cannot write %s\n", qPrintable(path));
}

// One row of every state, from real generated media so that thumbnails and facts are real.
QString mixedList(const QString& media)
{
    return QString::fromUtf8(R"js(
        var m = mediaList.mediaListModel;
        function item(name, status, extra) {
            var row = { fileName: "%1/" + name, loading: false, currentStatus: status, origFileName: name,
                        newFileName: name.replace(/\.[^.]*$/, ""), origPathName: "%1/", duration: "00:03:25",
                        videoCodec: "h264 (High)", audioCodec: "aac (LC)", wxh: "1280x720", thumbnail: "",
                        finalOutput: "", errorMsg: "", selected: false, source: "file" };
            for (var k in extra) row[k] = extra[k];
            m.append(row);
        }
        item("holiday-in-the-mountains.mkv", "complete", { finalOutput: "/tmp/holiday.mp4" });
        item("interview <b>raw</b>.mov", "40%", {});
        item("concert-recording.flac", "wait", { videoCodec: "", wxh: "", audioCodec: "flac", duration: "01:12:09" });
        item("broken-upload.avi", "error",
             { errorMsg: "Error while decoding stream #0:0: Invalid data found when processing input" });
        m.append({ fileName: "%1/still-probing-a-rather-long-file-name.mp4", loading: true, currentStatus: "wait",
                   origFileName: "", newFileName: "", origPathName: "", duration: "", videoCodec: "", audioCodec: "",
                   wxh: "", thumbnail: "", finalOutput: "", errorMsg: "", selected: false, source: "file" });
        mainPage.overallDuration = 3 * 205 + 4329;
        mainPage.ffmpegArgs = "-s 1280x720 -c:v libx264 -preset fast -crf 21 -c:a aac -b:a 160k";
        mainPage.outExt = "mp4";
        convertTab.convertButton.opacity = 1.0;
        convertTab.clearCompleted.opacity = 1.0;
    )js").arg(media);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: screenshots MEDIA_FOLDER OUTPUT_FOLDER DVD_IMAGE\n");
        return 2;
    }
    const QString media = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);
    const QString dvdImage = QString::fromLocal8Bit(argv[3]);
    QDir().mkpath(out);

    Folders::setIdentity();
    // LANG=de_DE.UTF-8 scripts/screenshots shows the window in German.
    Translation::install();
    MessageBox::answerOnStandardError();
    if (!Startup::prepareFolders()) {
        std::fprintf(stderr, "screenshots: no catalogue\n");
        return 1;
    }

    // The staged states, one window; it goes before the next opens the catalogue again.
    {
        PageDriver page;
        MainWindow& window = page.window;
        window.useOwnFrame();
        window.move(0, 0);
        window.show();
        shoot(window, out, QStringLiteral("01-empty"));

        page.eval(mixedList(media));
        page.eval(QStringLiteral("mediaList.mediaListModel.setProperty(0, 'thumbnail', '')"));
        window.addFiles({media + QStringLiteral("/av.mp4"), media + QStringLiteral("/audio.mp3")});
        QTest::qWait(2500);
        shoot(window, out, QStringLiteral("02-add-tab-mixed-list"));

        QQuickItem* view = page.item(QStringLiteral("mediaView"));
        QMetaObject::invokeMethod(view, "positionViewAtIndex", Q_ARG(int, 3), Q_ARG(int, 0));
        QTest::qWait(100);
        page.hover(page.shown(QStringLiteral("warningSign")));
        shoot(window, out, QStringLiteral("03-error-tooltip"));
        page.moveTo(QPoint(200, 300));

        QMetaObject::invokeMethod(view, "positionViewAtIndex", Q_ARG(int, 0), Q_ARG(int, 0));
        page.eval(QStringLiteral("idTabs.current = 1"));
        shoot(window, out, QStringLiteral("04-format-devices"));
        // One maker's phones side by side: each is told apart by its proportions and model label.
        page.wheel(page.item(QStringLiteral("deviceStrip")),
                   page.integer(QStringLiteral("(function() { var m = mainwnd.getDeviceModel();"
                                               " for (var i = 0; i < m.length; i += 7) if (m[i + 1] === 'Bold 9900') return i / 7;"
                                               " return 0 })()")));
        shoot(window, out, QStringLiteral("05-format-device-strip"));

        page.eval(QString::fromUtf8(R"js(
            formatTab.addIconsToOutputPage("1", "MP4", false);
            formatTab.choosePreset(1);
        )js"));
        page.click(page.item(QStringLiteral("settingsIcon")));
        shoot(window, out, QStringLiteral("06-format-presets-settings"));
        // A size of the user's own for the Fit to size presets.
        page.eval(QStringLiteral("formatTab.addIconsToOutputPage('26', 'Fit to size', false); formatTab.chooseSize('15')"));
        shoot(window, out, QStringLiteral("06-format-fit-to-size"));

        page.eval(QString::fromUtf8(R"js(
            idTabs.current = 2;
            mainPage.conversionInProgress = true;
            mediaList.current = 1;
            convertTab.currentOverallProgress = 40;
        )js"));
        // As it reads once the run has been measured; its clock stays still for the picture.
        QQuickItem* timeLeft = page.item(QStringLiteral("timeLeft"));
        for (QObject* clock : timeLeft->children())
            clock->setProperty("running", false);
        timeLeft->setProperty("text", QCoreApplication::translate("TimeLeft", "About %1 min left").arg(4));
        shoot(window, out, QStringLiteral("07-convert-running"));
        page.eval(QStringLiteral("mainPage.conversionInProgress = false"));

        // A DVD run: both clips converted, the disc being burned, its lines fed by the burn's signals.
        page.eval(QString::fromUtf8(R"js(
            var m = mediaList.mediaListModel;
            m.clear();
            function addClip(name, duration) {
                m.append({ fileName: "%1/" + name, loading: false, currentStatus: "complete", origFileName: name,
                           newFileName: name.replace(/\.[^.]*$/, "") + ".mpg", origPathName: "%1/", duration: duration,
                           videoCodec: "h264 (High)", audioCodec: "aac (LC)", wxh: "1280x720", thumbnail: "",
                           finalOutput: "", errorMsg: "", selected: false, source: "file" });
            }
            addClip("holiday-in-the-mountains.mkv", "00:03:25");
            addClip("birthday.mp4", "00:12:40");
            mainPage.overallDuration = 205 + 760;
            formatTab.addIconsToOutputPage("7", "DVD", false);
            formatTab.choosePreset(0);
            mediaList.addBurn("burn_dvd", "/dev/sr0");
            idTabs.current = 2;
            mainPage.conversionInProgress = true;
            mediaList.current = 2;
        )js").arg(media));
        emit window.burnTextStatus(QCoreApplication::translate("BurnDisc", "Burning DVD..."));
        emit window.burnEstTime(QCoreApplication::translate("BurnText", "Time remaining: %1:%2 (approx.)").arg(12).arg(34));
        emit window.burnProgress(45);
        shoot(window, out, QStringLiteral("08-disc-run-burning"));
        page.eval(QStringLiteral("mainPage.conversionInProgress = false"));

        // The drive dialog with one burner, as the machine's block devices would describe it.
        QTemporaryDir sys;
        for (const auto& [file, text] : {std::pair{"vendor", "HL-DT-ST"}, {"model", "DVDRAM GH24NSB0"}, {"rev", "LK00"}}) {
            QDir().mkpath(sys.filePath(QStringLiteral("block/sr0/device")));
            QDir().mkpath(sys.filePath(QStringLiteral("class/block/sr0")));
            QFile field(sys.filePath(QStringLiteral("block/sr0/device/") + QLatin1String(file)));
            if (field.open(QIODevice::WriteOnly))
                field.write(text);
        }
        auto* drives = window.findChild<SelectDrive*>();
        drives->setSystemRoots(sys.path(), QStringLiteral("/dev"));
        drives->setDisc(QStringLiteral("dvd"), 965);
        FileDialogs::setDialogAnswerer([&out](QDialog& dialog) { shootDialog(dialog, out, QStringLiteral("09-drive-dialog")); });
        (void)drives->exec();

        // The CD dialog during a rip of three music tracks (a data track beside them), held at
        // the start of the second track so that the picture is not a race.
        QTemporaryDir discs;
        qputenv("HALVORN_DISC_IMAGES", CdImage::write(discs.path(), {75 * 185, 75 * 242, 75 * 64, -300}).toUtf8());
        auto* cdDialog = window.findChild<SelectCD*>();
        QSemaphore secondTrack;
        QObject::connect(cdDialog->findChild<CDRipThread*>(), &CDRipThread::startedFile, cdDialog,
                         [&secondTrack](int track) { if (track == 2) secondTrack.acquire(); }, Qt::DirectConnection);
        FileDialogs::setDialogAnswerer([&out, &secondTrack](QDialog& dialog) {
            QTest::qWait(300);
            for (QPushButton* button : dialog.findChildren<QPushButton*>())
                if (button->text() == QLatin1String("OK"))
                    QTest::mouseClick(button, Qt::LeftButton);
            // "Ripping track 2 of 3", in whatever language.
            if (!QTest::qWaitFor([&dialog] { return dialog.findChild<QLabel*>()->text().contains(QLatin1String(" 2 ")); }))
                std::fprintf(stderr, "screenshots: the rip did not reach its second track\n");
            shootDialog(dialog, out, QStringLiteral("11-cd-rip-dialog-ripping"));
            QTest::keyClick(&dialog, Qt::Key_Escape);
            secondTrack.release();
        });
        (void)cdDialog->exec();

        // The DVD dialog listing the titles of the test disc, read by the real title tool.
        qputenv("HALVORN_DISC_IMAGES", QFile::encodeName(dvdImage));
        FileDialogs::setDialogAnswerer([&out](QDialog& dialog) { shootDialog(dialog, out, QStringLiteral("12-dvd-title-dialog")); });
        (void)window.findChild<SelectDVD*>()->exec();
        qunsetenv("HALVORN_DISC_IMAGES");

        // The keyboard's focus on a device of the strip, moved there by Tab and the arrow keys.
        page.eval(QStringLiteral("idTabs.current = 1; formatTab.deviceFormatPage = true"));
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window) || !page.tabTo(QStringLiteral("Bold 9900")))
            std::fprintf(stderr, "screenshots: Tab did not reach the device strip\n");
        page.key(Qt::Key_Right);
        shoot(window, out, QStringLiteral("13-keyboard-focus"));

        // A question over the window.
        MessageBox::setAnswerer({});
        QTimer::singleShot(500, &window, [&out] {
            QWidget* box = QApplication::activeModalWidget();
            shootDialog(*box, out, QStringLiteral("14-message-box"));
            QTest::keyClick(box, Qt::Key_Escape);
        });
        (void)window.yesno(QCoreApplication::translate("ConvertTab", "Are you sure you want to cancel the current conversion?"));
        MessageBox::answerOnStandardError();
    }

    // A real run of four files, the last of them gone before its turn: the summary, and the reason
    // of the failure under the pointer.
    QTemporaryDir folders;
    const QString gone = folders.filePath(QStringLiteral("gone-before-its-turn.mp4"));
    QFile::copy(media + QStringLiteral("/av.mp4"), gone);
    PageDriver run;
    run.window.useOwnFrame();
    run.window.move(0, 0);
    run.window.show();
    run.addAndProbe({media + QStringLiteral("/av.mp4"), media + QStringLiteral("/wide.mp4"),
                     media + QStringLiteral("/audio.mp3"), gone});
    QFile::remove(gone);
    run.eval(QStringLiteral("formatTab.addIconsToOutputPage('1', 'MP4', false); formatTab.choosePreset(2);"
                            "formatTab.outputSameFolder.checked = false; mainPage.outPath = '%1/'; idTabs.current = 2")
                 .arg(folders.path()));
    run.click(run.item(QStringLiteral("convertButton")));
    if (!QTest::qWaitFor([&run] { return !run.eval(QStringLiteral("mainPage.conversionInProgress")).toBool(); }, 120000))
        std::fprintf(stderr, "screenshots: the run did not end\n");
    run.hover(run.shown(QStringLiteral("warningSign")));
    shoot(run.window, out, QStringLiteral("10-convert-finished-mixed-run"));
    return 0;
}
