// The window's figures, one run of each, under the virtual display of the wrapper script beside it:
//   bench_window [ITEMS]         converts ITEMS short clips through the real window, then the same
//                                FFmpeg commands from a shell, and prints the wall times, their
//                                ratio and the window's own processor time per second of its run;
//   bench_window --intake FILES  drops FILES clips on the window and times their probes against
//                                the same probe commands from a shell, with the longest time the
//                                window's thread went without handling its events;
//   bench_window --time-left     converts a mixed queue of six items and compares the time left
//                                that the Convert tab shows at a quarter, half and three quarters
//                                of the run with the time the run then really took.

#include "app/startup.h"
#include "convert/ffmpegtext.h"
#include "convert/fileinfothread.h"
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
#include <QRegularExpression>
#include <QSGRendererInterface>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTimer>

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

// A command line for /bin/sh, its output thrown away.
QString shellLine(QStringList command)
{
    for (QString& word : command)
        word = QLatin1Char('\'') + word.replace(QLatin1Char('\''), QLatin1String("'\\''")) + QLatin1Char('\'');
    return command.join(QLatin1Char(' ')) + QStringLiteral(" </dev/null >/dev/null 2>&1");
}

// Seconds that a script of shell lines takes, or -1 when a line failed. A file, since a thousand
// files' commands are longer than one argument may be.
double shellSeconds(const QString& script)
{
    QTemporaryFile file;
    if (!file.open() || file.write((script + QStringLiteral("exit 0\n")).toUtf8()) < 0 || !file.flush())
        return -1;
    QElapsedTimer clock;
    clock.start();
    const bool ok = run(QStringLiteral("/bin/sh"), {file.fileName()});
    return ok ? double(clock.elapsed()) / 1000 : -1;
}

// A fresh home with the catalogue, and FFmpeg.
struct Home {
    QTemporaryDir folder;
    QString ffmpeg;

    [[nodiscard]] bool prepare()
    {
        for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
            qputenv(name, QFile::encodeName(folder.path()));
        Folders::setIdentity();
        MessageBox::answerOnStandardError();
        ffmpeg = Tools::find(QStringLiteral("ffmpeg"));
        for (const char* sub : {"in", "window", "shell"})
            QDir(folder.path()).mkpath(QString::fromLatin1(sub));
        if (Startup::prepareFolders() && !ffmpeg.isEmpty())
            return true;
        std::fprintf(stderr, "bench_window: no catalogue or no FFmpeg\n");
        return false;
    }
    [[nodiscard]] QString path(const QString& name) const { return folder.filePath(name); }
    // Generated media: lavfi sources in, the file out.
    [[nodiscard]] bool make(const QStringList& arguments, const QString& file) const
    {
        if (run(ffmpeg, QStringList{QStringLiteral("-y")} + arguments + QStringList{file}))
            return true;
        std::fprintf(stderr, "bench_window: FFmpeg could not make %s\n", qPrintable(file));
        return false;
    }
    // Picture and sound in "in/", or "" when FFmpeg could not make them.
    [[nodiscard]] QString clip(const QString& name, const QString& size, int seconds) const
    {
        const QString file = path(QStringLiteral("in/") + name);
        const QStringList sources = {"-f", "lavfi", "-i", QStringLiteral("testsrc2=size=%1:rate=25:duration=%2").arg(size).arg(seconds),
                                     "-f", "lavfi", "-i", QStringLiteral("sine=duration=%1").arg(seconds)};
        return make(sources + QStringList{"-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", "-c:a", "aac", "-shortest"},
                    file)
            ? file
            : QString();
    }
    // N alike clips of 2 s in "in/", named by number; none when FFmpeg could not make them.
    [[nodiscard]] QStringList clips(const QString& size, int count) const
    {
        const QString first = clip(QStringLiteral("clip0000.mp4"), size, 2);
        if (first.isEmpty())
            return {};
        QStringList files{first};
        for (int i = 1; i < count; ++i) {
            files.append(path(QStringLiteral("in/clip%1.mp4").arg(i, 4, 10, QLatin1Char('0'))));
            QFile::copy(first, files.last());
        }
        return files;
    }
};

// Frameless and see-through, as Halvorn shows it; that hides the window, so it is shown again.
void showAsUsersSeeIt(PageDriver& page)
{
    page.window.useOwnFrame();
    page.window.show();
}

// The window with a run's preset chosen: one of the MP4 format's, into "window/".
void choose(PageDriver& page, const Home& home, const QString& preset)
{
    page.eval(QStringLiteral("idTabs.current = 1; formatTab.addIconsToOutputPage('1', 'MP4', false);"
                             "for (var i = 0; i < formatTab.outputModel.count; ++i)"
                             "  if (formatTab.outputModel.get(i).gIconText === '%1') formatTab.choosePreset(i);"
                             "formatTab.outputSameFolder.checked = false; mainPage.outPath = '%2/';"
                             "idTabs.current = 2")
                  .arg(preset, home.path(QStringLiteral("window"))));
}

// Converts what the list holds with the Convert button; returns when the run has ended.
void convertAll(PageDriver& page)
{
    QEventLoop runEnds;
    QQmlProperty(page.window.rootObject(), QStringLiteral("conversionInProgress")).connectNotifySignal(&runEnds, SLOT(quit()));
    page.click(page.item(QStringLiteral("convertButton")));
    runEnds.exec();
}

int windowRun(int items)
{
    Home home;
    const QStringList clips = home.prepare() ? home.clips(QStringLiteral("640x360"), items) : QStringList();
    if (clips.isEmpty())
        return 1;

    PageDriver page;
    showAsUsersSeeIt(page);
    if (!page.addAndProbe(clips))
        return 1;
    choose(page, home, QStringLiteral("TV"));

    // The same conversions, from a shell, one after another. The runner checks each output by
    // reading its header in-process, and the shell does not check at all.
    const QStringList arguments = FfmpegText::assembleArguments(page.text(QStringLiteral("mainPage.ffmpegArgs")),
                                                                page.role(0, QStringLiteral("wxh")).section(' ', 0, 0));
    QString script;
    for (const QString& input : clips) {
        const QString output = home.path(QStringLiteral("shell/") + QFileInfo(input).fileName());
        script += shellLine(QStringList{home.ffmpeg, QStringLiteral("-i"), input} + arguments + QStringList{output})
                + QStringLiteral(" || exit 1\n");
    }

    int frames = 0;
    QObject::connect(page.window.quickWindow(), &QQuickWindow::afterRendering, &page.window, [&frames] { ++frames; });
    QElapsedTimer clock;
    const double processorBefore = processorSeconds();
    clock.start();
    convertAll(page);
    const double windowWall = double(clock.elapsed()) / 1000;
    const double windowProcessor = processorSeconds() - processorBefore;
    const int framesOfRun = frames;
    const double shellWall = shellSeconds(script);

    const auto api = page.window.quickWindow()->rendererInterface()->graphicsApi();
    std::printf("items              %d clips of 2 s, 640x360, to MP4 \"TV\" (window: %s; shell: %s)\n", items,
                qPrintable(page.text(QStringLiteral("convertTab.runSummary"))), shellWall >= 0 ? "all converted" : "FAILED");
    std::printf("renderer           %s, %d frames drawn during the run\n",
                api == QSGRendererInterface::Software ? "software" : "hardware API", framesOfRun);
    std::printf("window run         %7.2f s wall, %5.2f s processor of the window process\n", windowWall, windowProcessor);
    std::printf("shell loop         %7.2f s wall (the same conversions)\n", shellWall);
    std::printf("wall ratio         %7.3f    window / shell; target <= 1.03\n", windowWall / shellWall);
    std::printf("window processor   %7.3f s per second of run; target <= 0.03\n", windowProcessor / windowWall);
    return 0;
}

int intake(int files)
{
    Home home;
    const QStringList clips = home.prepare() ? home.clips(QStringLiteral("320x240"), files) : QStringList();
    if (clips.isEmpty())
        return 1;

    PageDriver page;
    showAsUsersSeeIt(page);
    // The window's thread should come by every 10 ms; the longest it stayed away is the longest
    // time the window could not react.
    QTimer ticker;
    ticker.setInterval(10);
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QObject::connect(&ticker, &QTimer::timeout, &ticker, [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
    int replies = 0;
    QObject::connect(&page.window, &MainWindow::fileInfoReady, &page.window, [&replies] { ++replies; });
    QElapsedTimer clock;
    clock.start();
    sinceTick.start();
    ticker.start();
    page.window.addFiles(clips);
    if (!QTest::qWaitFor([&] { return replies == files; }, 24 * 3600 * 1000))
        return 1;
    const double windowWall = double(clock.elapsed()) / 1000;
    ticker.stop();
    const int loaded = page.integer(QStringLiteral("mainPage.overallDuration")) / 2;

    // The probe's two commands for each file, one file after another.
    const int seek = FfmpegText::thumbnailSeekSeconds(QStringLiteral("00:00:02"));
    QString script;
    for (int i = 0; i < files; ++i) {
        script += shellLine({home.ffmpeg, QStringLiteral("-hide_banner"), QStringLiteral("-i"), clips.at(i)}) + QLatin1Char('\n');
        script += shellLine({home.ffmpeg, "-hide_banner", "-loglevel", "error", "-ss", QString::number(seek), "-i", clips.at(i),
                             "-frames:v", "1", "-s", "88x66", "-f", "image2", "-y", home.path(QStringLiteral("shell/%1.png").arg(i))})
                + QLatin1Char('\n');
    }
    const double shellWall = shellSeconds(script);

    std::printf("files              %d clips of 2 s, 320x240, dropped at once (%d loaded)\n", files, loaded);
    std::printf("window probes      %7.2f s wall, %d at once\n", windowWall, FileInfoThread::probesAtOnce());
    std::printf("shell loop         %7.2f s wall (the report and the thumbnail command of each file)\n", shellWall);
    std::printf("wall ratio         %7.3f    window / shell; target <= 0.60\n", windowWall / shellWall);
    std::printf("longest gap        %7lld ms the window's thread handled no event; target <= 100\n", longestGap);
    return 0;
}

// "About 1 h 2 min 30 s left" as seconds; -1 for any other text.
double shownSeconds(const QString& text)
{
    static const QRegularExpression shown(QStringLiteral("^About (?:(\\d+) h )?(?:(\\d+) min ?)?(?:(\\d+) s )?left$"));
    const QRegularExpressionMatch match = shown.match(text);
    if (!match.hasMatch())
        return -1;
    return match.captured(1).toDouble() * 3600 + match.captured(2).toDouble() * 60 + match.captured(3).toDouble();
}

int timeLeft()
{
    Home home;
    if (!home.prepare())
        return 1;
    // Sound alone and pictures with sound, each kind at its own pace, taken in turns.
    const auto sound = [&](const char* name, int seconds) {
        const QString file = home.path(QStringLiteral("in/") + QLatin1String(name));
        return home.make({"-f", "lavfi", "-i", QStringLiteral("sine=frequency=330:duration=%1").arg(seconds)}, file) ? file : QString();
    };
    const auto picture = [&](const char* name, int seconds) {
        return home.clip(QLatin1String(name), QStringLiteral("1920x1080"), seconds);
    };
    const QStringList queue = {sound("talk.mp3", 60), picture("first.mp4", 30), sound("album.flac", 180),
                               picture("second.mp4", 40), sound("voice.wav", 90), picture("third.mp4", 30)};
    if (queue.contains(QString()))
        return 1;

    PageDriver page;
    showAsUsersSeeIt(page);
    if (!page.addAndProbe(queue))
        return 1;
    choose(page, home, QStringLiteral("1080p"));

    // What the tab shows, four times a second.
    QList<QPair<double, double>> samples;
    QElapsedTimer clock;
    QTimer sampler;
    sampler.setInterval(250);
    QObject::connect(&sampler, &QTimer::timeout, &sampler, [&] {
        const double shown = shownSeconds(page.item(QStringLiteral("timeLeft"))->property("text").toString());
        if (shown >= 0)
            samples.append({double(clock.elapsed()) / 1000, shown});
    });
    clock.start();
    sampler.start();
    convertAll(page);
    const double total = double(clock.elapsed()) / 1000;
    sampler.stop();

    std::printf("queue              talk.mp3 60 s, first.mp4 30 s, album.flac 180 s, second.mp4 40 s, voice.wav 90 s,\n"
                "                   third.mp4 30 s (1920x1080) to MP4 \"1080p\": %s in %.1f s\n",
                qPrintable(page.text(QStringLiteral("convertTab.runSummary"))), total);
    std::printf("first shown        %7.1f s into the run\n", samples.isEmpty() ? -1.0 : samples.first().first);
    for (const double share : {0.25, 0.5, 0.75}) {
        const double at = share * total;
        const auto nearest = std::min_element(samples.cbegin(), samples.cend(), [at](const auto& a, const auto& b) {
            return std::abs(a.first - at) < std::abs(b.first - at);
        });
        if (nearest == samples.cend() || std::abs(nearest->first - at) > 1) {
            std::printf("at %3.0f %%           nothing shown; target: an error <= 20 %%\n", share * 100);
            continue;
        }
        const double really = total - nearest->first;
        std::printf("at %3.0f %%           %6.1f s shown, %6.1f s really left: error %5.1f %%; target <= 20 %%\n", share * 100,
                    nearest->second, really, std::abs(nearest->second - really) / really * 100);
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    const QString mode = arguments.value(0);
    if (mode == QLatin1String("--intake"))
        return intake(arguments.value(1, QStringLiteral("1000")).toInt());
    if (mode == QLatin1String("--time-left") && arguments.size() == 1)
        return timeLeft();
    const int items = mode.isEmpty() ? 20 : mode.toInt();
    if (arguments.size() > 1 || items < 1) {
        std::fprintf(stderr, "usage: bench_window [ITEMS] | --intake [FILES] | --time-left\n");
        return 2;
    }
    return windowRun(items);
}
