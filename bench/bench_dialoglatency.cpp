// Whether the window waits for drives and tools: a 5 ms heartbeat on the GUI thread notes the
// longest gap between its beats while the CD, DVD and drive dialogs open with tools that answer
// after 3 s, a DVD folder whose title information never answers and a 100 MB CUE sheet among the
// drives, and while 50 dropped files are probed. One line per case; the wrapper script beside it
// runs this under a virtual display.

#include "app/startup.h"
#include "burn/selectdrive.h"
#include "discimage/imagedrive.h"
#include "pagedriver.h"
#include "platform/folders.h"
#include "platform/tools.h"
#include "widgets/filedialogs.h"
#include "widgets/messagebox.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>
#include <functional>
#include <sys/stat.h>

namespace {

// Beats every 5 ms and keeps the longest time between two beats.
class Heartbeat final {
public:
    Heartbeat()
    {
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            worst = std::max(worst, clock.restart());
        });
    }
    qint64 measure(const std::function<void()>& work)
    {
        worst = 0;
        clock.start();
        timer.start(5);
        work();
        worst = std::max(worst, clock.elapsed());
        timer.stop();
        return worst;
    }

private:
    QTimer timer;
    QElapsedTimer clock;
    qint64 worst = 0;
};

void writeFile(const QString& path, const QByteArray& bytes, bool executable = false)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    if (executable)
        file.setPermissions(file.permissions() | QFile::ExeOwner);
}

// Works the dialog that opens next: waits for done (at most a minute), then presses Cancel.
void answerNextDialog(const std::function<bool(QDialog&)>& done)
{
    FileDialogs::setDialogAnswerer([done](QDialog& dialog) {
        (void)QTest::qWaitFor([&] { return done(dialog); }, 60000);
        for (QPushButton* button : dialog.findChildren<QPushButton*>())
            if (button->text() == QLatin1String("Cancel") && dialog.isVisible())
                QTest::mouseClick(button, Qt::LeftButton);
    });
}

bool listed(QDialog& dialog)
{
    return dialog.findChild<QTreeWidget*>()->topLevelItemCount() > 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir home;
    for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
        qputenv(name, QFile::encodeName(home.path()));
    Folders::setIdentity();
    MessageBox::answerOnStandardError();
    // The build's catalogue: the bench does not run beside it.
    QDir().mkpath(Folders::dataFolder());
    QFile::copy(QStringLiteral(HALVORN_BENCH_CATALOGUE), Folders::cataloguePath());
    QFile(Folders::cataloguePath()).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    const QString ffmpeg = Tools::find(QStringLiteral("ffmpeg"));
    if (!Startup::prepareFolders() || ffmpeg.isEmpty()) {
        std::fprintf(stderr, "bench_dialoglatency: no catalogue or no FFmpeg\n");
        return 1;
    }
    const QDir folder(home.path());
    const QByteArray machinePath = qgetenv("PATH");
    const QString helpers = QString::fromLocal8Bit(qgetenv("HALVORN_BENCH_HELPERS"));

    // Tools that answer after 3 s: the title tool, the bus scan and the disc-information tool.
    folder.mkpath(QStringLiteral("slow"));
    writeFile(folder.filePath(QStringLiteral("slow/tarvik")),
              "#!/bin/sh\nsleep 3\nprintf 'TITLES: 01\\nTITLE_01 LENGTH (ms) = 60000\\n'\n", true);
    writeFile(folder.filePath(QStringLiteral("slow/wodim")),
              "#!/bin/sh\nsleep 3\nprintf \"\\t1,0,0\\t100) 'HL-DT-ST' 'DVDRAM GH24NSB0 ' 'LK00' Removable CD-ROM\\n\"\n", true);
    writeFile(folder.filePath(QStringLiteral("slow/dvd+rw-mediainfo")),
              "#!/bin/sh\nsleep 3\nprintf ' Mounted Media:         9h, CD-R\\n Disc status:           blank\\n"
              " Free Blocks:           359847*2KB\\n'\n", true);
    const auto usePath = [&](const QStringList& first) {
        qputenv("PATH", QFile::encodeName((first + QStringList{helpers}).join(QLatin1Char(':'))) + ':' + machinePath);
    };
    // A drive as sysfs describes it, for the drive dialog.
    const QString sys = folder.filePath(QStringLiteral("sys"));
    QDir().mkpath(sys + QStringLiteral("/block/sr0/device"));
    QDir().mkpath(sys + QStringLiteral("/class/block/sr0"));
    writeFile(sys + QStringLiteral("/block/sr0/device/vendor"), "HL-DT-ST");
    writeFile(sys + QStringLiteral("/block/sr0/device/model"), "DVDRAM GH24NSB0");
    writeFile(sys + QStringLiteral("/block/sr0/device/rev"), "LK00");

    // A DVD folder whose title information never answers, as a dying disc's does.
    folder.mkpath(QStringLiteral("stuck/VIDEO_TS"));
    ::mkfifo(QFile::encodeName(folder.filePath(QStringLiteral("stuck/VIDEO_TS/VIDEO_TS.IFO"))).constData(), 0644);
    folder.mkpath(QStringLiteral("film/VIDEO_TS"));

    // A 100 MB file named as a CUE sheet, beside a real one.
    QByteArray sector(2352 * 300, '\0');
    writeFile(folder.filePath(QStringLiteral("album.bin")), sector);
    writeFile(folder.filePath(QStringLiteral("album.cue")), "FILE \"album.bin\" BINARY\n TRACK 01 AUDIO\n  INDEX 01 00:00:00\n");
    {
        QFile huge(folder.filePath(QStringLiteral("huge.cue")));
        if (huge.open(QIODevice::WriteOnly)) {
            const QByteArray lines = QByteArray("REM COMMENT \"a note in a sheet\"\n").repeated(32 * 1024);
            while (huge.size() < 100 * 1024 * 1024)
                huge.write(lines);
        }
    }

    // 50 short clips, all alike.
    folder.mkpath(QStringLiteral("in"));
    const QString clip = folder.filePath(QStringLiteral("in/clip00.mp4"));
    QProcess make;
    make.start(ffmpeg, {"-nostdin", "-loglevel", "error", "-f", "lavfi", "-i", "testsrc=size=320x240:rate=25:duration=2",
                        "-f", "lavfi", "-i", "sine=duration=2", "-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt",
                        "yuv420p", "-c:a", "aac", "-shortest", clip});
    if (!make.waitForFinished(120000) || make.exitCode() != 0) {
        std::fprintf(stderr, "bench_dialoglatency: FFmpeg could not make the clips\n");
        return 1;
    }
    QStringList clips{clip};
    for (int i = 1; i < 50; ++i) {
        clips.append(folder.filePath(QStringLiteral("in/clip%1.mp4").arg(i, 2, 10, QLatin1Char('0'))));
        QFile::copy(clip, clips.last());
    }

    PageDriver page;
    page.window.useOwnFrame();
    Heartbeat heartbeat;
    const auto report = [](const char* what, qint64 gap) {
        std::printf("%-66s worst GUI gap: %lld ms\n", what, static_cast<long long>(gap));
        std::fflush(stdout);
    };

    qputenv(DiscImage::imageVariable,
            QFile::encodeName(folder.filePath(QStringLiteral("album.cue")) + QLatin1Char(':')
                              + folder.filePath(QStringLiteral("huge.cue"))));
    usePath({});
    answerNextDialog(listed);
    report("CD dialog, a 100 MB CUE sheet among the drives", heartbeat.measure([&] { page.window.selectCd(); }));

    qputenv(DiscImage::imageVariable, QFile::encodeName(folder.filePath(QStringLiteral("film"))));
    usePath({folder.filePath(QStringLiteral("slow"))});
    answerNextDialog(listed);
    report("DVD dialog, the title tool answering after 3 s", heartbeat.measure([&] { page.window.selectDvd(); }));

    qputenv(DiscImage::imageVariable, QFile::encodeName(folder.filePath(QStringLiteral("stuck"))));
    usePath({});
    QElapsedTimer shown;
    answerNextDialog([&shown](QDialog&) {
        if (!shown.isValid())
            shown.start();
        return shown.elapsed() > 3000; // then Cancel, which ends the tool
    });
    report("DVD dialog, a folder whose VIDEO_TS.IFO never answers, 3 s", heartbeat.measure([&] { page.window.selectDvd(); }));

    usePath({folder.filePath(QStringLiteral("slow"))});
    page.window.findChild<SelectDrive*>()->setSystemRoots(sys, sys + QStringLiteral("/dev"));
    FileDialogs::setDialogAnswerer([](QDialog& dialog) {
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("okButton"));
        (void)QTest::qWaitFor([&] { return ok->isEnabled(); }, 60000);
        QTest::mouseClick(ok, Qt::LeftButton);
        (void)QTest::qWaitFor([&] { return dialog.isHidden(); }, 60000);
    });
    QString drive;
    report("drive dialog, the bus scan and the disc check answering after 3 s",
           heartbeat.measure([&] { drive = page.window.selectBurnDisc(QStringLiteral("cd"), 60); }));
    FileDialogs::setDialogAnswerer({});

    report("50 dropped files probed", heartbeat.measure([&] {
        page.window.addFiles(clips);
        (void)QTest::qWaitFor([&] { return page.integer(QStringLiteral("mainPage.overallDuration")) == 2 * 50; }, 600000);
    }));
    if (drive != QLatin1String("1,0,0"))
        std::fprintf(stderr, "bench_dialoglatency: the drive dialog chose \"%s\"\n", qPrintable(drive));
    return 0;
}
