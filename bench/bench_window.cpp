// Whether the window competes with FFmpeg: converts N short clips through the real window, then
// runs the same FFmpeg commands (each conversion and the reading of its output that checks it)
// one after another from a shell, and prints the wall times, their ratio, and the window's own
// processor time (FFmpeg's excluded) per second of its run. One run of each; the wrapper script
// beside it runs this under a virtual display.

#include "app/startup.h"
#include "convert/ffmpegtext.h"
#include "pagedriver.h"
#include "platform/folders.h"
#include "platform/tools.h"
#include "widgets/messagebox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QQmlProperty>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>

namespace {

double processorSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

bool run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QString shellQuoted(QString text)
{
    return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QLatin1String("'\\''")) + QLatin1Char('\'');
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int items = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 20;
    if (argc > 2 || items < 1) {
        std::fprintf(stderr, "usage: bench_window [ITEMS]\n");
        return 2;
    }
    QTemporaryDir home;
    for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
        qputenv(name, QFile::encodeName(home.path()));
    Folders::setIdentity();
    MessageBox::answerOnStandardError();
    const QString ffmpeg = Tools::find(QStringLiteral("ffmpeg"));
    if (!Startup::prepareFolders() || ffmpeg.isEmpty()) {
        std::fprintf(stderr, "bench_window: no catalogue or no FFmpeg\n");
        return 1;
    }

    // Short clips of picture and sound, all alike.
    const QDir folder(home.path());
    folder.mkpath(QStringLiteral("in"));
    folder.mkpath(QStringLiteral("window"));
    folder.mkpath(QStringLiteral("shell"));
    const QString clip = folder.filePath(QStringLiteral("in/clip00.mp4"));
    if (!run(ffmpeg, {"-f", "lavfi", "-i", "testsrc=size=640x360:rate=25:duration=2", "-f", "lavfi", "-i",
                      "sine=duration=2", "-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", "-c:a",
                      "aac", "-shortest", clip})) {
        std::fprintf(stderr, "bench_window: FFmpeg could not make the clips\n");
        return 1;
    }
    QStringList clips{clip};
    for (int i = 1; i < items; ++i) {
        clips.append(folder.filePath(QStringLiteral("in/clip%1.mp4").arg(i, 2, 10, QLatin1Char('0'))));
        QFile::copy(clip, clips.last());
    }

    PageDriver page;
    page.window.useOwnFrame();
    page.window.show();
    page.window.addFiles(clips);
    if (!QTest::qWaitFor([&] { return page.integer(QStringLiteral("mainPage.overallDuration")) == 2 * items; }, 600000)) {
        std::fprintf(stderr, "bench_window: the probes did not answer\n");
        return 1;
    }
    page.eval(QStringLiteral("idTabs.current = 1; formatTab.addIconsToOutputPage('1', 'MP4', false);"
                             "for (var i = 0; i < formatTab.outputModel.count; ++i)"
                             "  if (formatTab.outputModel.get(i).gIconText === 'TV') formatTab.choosePreset(i);"
                             "formatTab.outputSameFolder.checked = false; mainPage.outPath = '%1/';"
                             "idTabs.current = 2")
                  .arg(folder.filePath(QStringLiteral("window"))));

    // The same commands, from a shell, one after another: each conversion, then the one reading
    // of its output that the runner makes before it calls an item complete.
    const QStringList arguments = FfmpegText::assembleArguments(page.text(QStringLiteral("mainPage.ffmpegArgs")),
                                                                page.role(0, QStringLiteral("wxh")).section(' ', 0, 0));
    const auto shellLine = [](QStringList command) {
        for (QString& word : command)
            word = shellQuoted(word);
        return command.join(QLatin1Char(' ')) + QStringLiteral(" </dev/null 2>/dev/null");
    };
    QString script;
    for (const QString& input : clips) {
        const QString output = folder.filePath(QStringLiteral("shell/") + QFileInfo(input).fileName());
        script += shellLine(QStringList{ffmpeg, QStringLiteral("-i"), input} + arguments + QStringList{output})
            + QStringLiteral(" || exit 1\n");
        script += shellLine({ffmpeg, QStringLiteral("-hide_banner"), QStringLiteral("-i"), output}) + QStringLiteral("\n");
    }
    script += QStringLiteral("exit 0\n");

    QEventLoop runEnds;
    QQmlProperty(page.window.rootObject(), QStringLiteral("conversionInProgress")).connectNotifySignal(&runEnds, SLOT(quit()));
    int frames = 0;
    QObject::connect(page.window.quickWindow(), &QQuickWindow::afterRendering, &runEnds, [&frames] { ++frames; });
    QElapsedTimer clock;
    const double processorBefore = processorSeconds();
    clock.start();
    page.click(page.item(QStringLiteral("convertButton")));
    runEnds.exec();
    const double windowWall = double(clock.elapsed()) / 1000;
    const double windowProcessor = processorSeconds() - processorBefore;
    const int framesOfRun = frames;
    const QString summary = page.text(QStringLiteral("convertTab.runSummary"));

    clock.restart();
    const bool shellOk = run(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script});
    const double shellWall = double(clock.elapsed()) / 1000;

    const auto api = page.window.quickWindow()->rendererInterface()->graphicsApi();
    std::printf("items              %d clips of 2 s, 640x360, to MP4 \"TV\" (window: %s; shell: %s)\n", items,
                qPrintable(summary), shellOk ? "all converted" : "FAILED");
    std::printf("renderer           %s, %d frames drawn during the run\n",
                api == QSGRendererInterface::Software ? "software" : "hardware API", framesOfRun);
    std::printf("window run         %7.2f s wall, %5.2f s processor of the window process\n", windowWall, windowProcessor);
    std::printf("shell loop         %7.2f s wall (each conversion, then its output read back)\n", shellWall);
    std::printf("wall ratio         %7.3f    window / shell; target <= 1.03\n", windowWall / shellWall);
    std::printf("window processor   %7.3f s per second of run; target <= 0.03\n", windowProcessor / windowWall);
    return 0;
}
