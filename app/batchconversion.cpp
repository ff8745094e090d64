#include "app/batchconversion.h"

#include "app/startup.h"
#include "catalogue/catalogue.h"
#include "convert/conversionthread.h"
#include "convert/ffmpegtext.h"
#include "convert/fileinfothread.h"
#include "platform/folders.h"
#include "platform/shutdownsignals.h"
#include "platform/tools.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>

#include <cstdio>
#include <unistd.h>

namespace {

struct PresetRow {
    QString owner; // the device or format the preset belongs to
    QStringList columns;
};

// Every preset, devices first, each list in the catalogue's own order.
QList<PresetRow> allPresets(const Catalogue& catalogue)
{
    QList<PresetRow> rows;
    for (const QStringList* owners : {&catalogue.deviceList(), &catalogue.formatList()}) {
        for (qsizetype at = 0; at + Catalogue::formatColumns <= owners->size(); at += Catalogue::formatColumns) {
            const QStringList presets = catalogue.outputList(owners->at(at));
            for (qsizetype row = 0; row + Catalogue::outputColumns <= presets.size(); row += Catalogue::outputColumns)
                rows.append({owners->at(at + 1), presets.mid(row, Catalogue::outputColumns)});
        }
    }
    return rows;
}

// The catalogue the window uses: the user's copy, made from the bundled one on a first start.
bool openCatalogue(Catalogue& catalogue, QTextStream& err)
{
    if (!Startup::prepareFolders() || !catalogue.open(Folders::cataloguePath())) {
        err << Startup::catalogueMissingMessage << Qt::endl;
        return false;
    }
    catalogue.load();
    return true;
}

QString ffmpegMissingMessage()
{
    return QStringLiteral("FFmpeg could not be located or is not responding. Please try re-installing Halvorn.");
}

} // namespace

BatchConversion::BatchConversion(QTextStream& out, QTextStream& err, bool terminal)
    : out(out)
    , err(err)
    , terminal(terminal)
    , probe(new FileInfoThread(this))
    , converter(new ConversionThread(this))
{
    // Only the window shows thumbnails.
    probe->setMakeThumbnails(false);
    connect(probe, &FileInfoThread::fileInfoReady, this, &BatchConversion::probed);
    connect(converter, &ConversionThread::conversionProgress, this, &BatchConversion::progress);
    connect(converter, &ConversionThread::conversionComplete, this, &BatchConversion::completed);
    connect(converter, &ConversionThread::conversionCancelled, this, [this] { finishItem(QStringLiteral("interrupted")); });
}

BatchConversion::~BatchConversion() = default;

int BatchConversion::listPresets(QTextStream& out, QTextStream& err)
{
    Catalogue catalogue;
    if (!openCatalogue(catalogue, err))
        return CommandLine::exitFailed;
    const QList<PresetRow> rows = allPresets(catalogue);
    qsizetype idWidth = 2, ownerWidth = 16, labelWidth = 6;
    for (const PresetRow& row : rows) {
        idWidth = std::max(idWidth, row.columns.at(0).size());
        ownerWidth = std::max(ownerWidth, row.owner.size());
        labelWidth = std::max(labelWidth, row.columns.at(1).size());
    }
    const auto line = [&](const QString& id, const QString& owner, const QString& label, const QString& extension) {
        out << id.rightJustified(idWidth) << "  " << owner.leftJustified(ownerWidth) << "  "
            << label.leftJustified(labelWidth) << "  " << extension << '\n';
    };
    line(QStringLiteral("ID"), QStringLiteral("Device or format"), QStringLiteral("Preset"), QStringLiteral("Ext"));
    for (const PresetRow& row : rows)
        line(row.columns.at(0), row.owner, row.columns.at(1), row.columns.at(4));
    out.flush();
    return CommandLine::exitSuccess;
}

int BatchConversion::convert(const CommandLine::Request& request)
{
    // Everything that can be wrong with the command is said before anything is converted.
    for (const QString& file : request.files) {
        const QFileInfo info(file);
        if (!info.isFile() || !info.isReadable()) {
            err << "Cannot read " << file << ": no such file." << Qt::endl;
            return CommandLine::exitUsage;
        }
    }
    Catalogue catalogue;
    if (!openCatalogue(catalogue, err))
        return CommandLine::exitFailed;
    for (const PresetRow& row : allPresets(catalogue)) {
        if (row.columns.at(0) == request.presetId.trimmed())
            preset = row.columns;
    }
    if (preset.isEmpty()) {
        err << "Unknown preset id " << request.presetId << " (halvorn --list-presets lists them)." << Qt::endl;
        return CommandLine::exitUsage;
    }
    if (!request.outputFolder.isEmpty()) {
        outputFolder = QDir(request.outputFolder).absolutePath();
        if (!QDir().mkpath(outputFolder) || !QFileInfo(outputFolder).isWritable()) {
            err << "Cannot write into the folder " << request.outputFolder << '.' << Qt::endl;
            return CommandLine::exitUsage;
        }
        outputFolder = QDir::toNativeSeparators(outputFolder) + QDir::separator();
    }
    if (Tools::find(QStringLiteral("ffmpeg")).isEmpty()) {
        err << ffmpegMissingMessage() << Qt::endl;
        return CommandLine::exitFailed;
    }

    for (const QString& file : request.files) {
        items.append({QFileInfo(file).absoluteFilePath(), {}, {}, {}, false});
        probe->enqueue(items.last().input);
    }
    // One item at a time, each once its probe has answered; Ctrl+C arrives as an event too.
    QEventLoop loop;
    while (current < items.size() && !interrupted) {
        if (!running && items.at(current).probed)
            startNext();
        else
            loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
    while (running)
        loop.processEvents(QEventLoop::WaitForMoreEvents);

    out << converted << " converted, " << failed << " failed";
    if (interrupted)
        out << ", interrupted";
    out << Qt::endl;
    if (interrupted)
        return CommandLine::exitInterrupted;
    return failed == 0 ? CommandLine::exitSuccess : CommandLine::exitFailed;
}

void BatchConversion::interrupt()
{
    interrupted = true;
    converter->cancel();
    probe->requestInterruption();
}

void BatchConversion::probed(const QStringList& fileInfo, const QStringList& video, const QStringList& audio)
{
    for (Item& item : items) {
        if (!item.probed) {
            item = {item.input, fileInfo, video, audio, true};
            return;
        }
    }
}

void BatchConversion::startNext()
{
    const Item& item = items.at(current);
    itemClock.start();
    if (item.video.isEmpty() && item.audio.isEmpty()) {
        ++failed;
        finishItem(QStringLiteral("failed: FFmpeg is unable to extract any valid video or audio stream from the input file ")
                   + item.fileInfo.value(0) + QLatin1Char('.'));
        return;
    }
    // As the queue does: the output is named after the source, in the chosen folder or beside it.
    const QString folder = outputFolder.isEmpty() ? item.fileInfo.value(1) : outputFolder;
    const QString aspect = item.video.value(2).section(QLatin1Char(' '), 0, 0);
    converter->wait();
    converter->setJob(item.input, FfmpegText::assembleArguments(preset.at(8), aspect), folder + item.fileInfo.value(2),
                      preset.at(4));
    running = true;
    converter->start(QThread::InheritPriority);
}

void BatchConversion::progress(int seconds)
{
    if (!terminal || current >= items.size())
        return;
    const int total = FfmpegText::durationSeconds(items.at(current).fileInfo.value(3));
    if (total <= 0)
        return;
    const double done = std::min(1.0, double(seconds) / total);
    const int percent = int(done * 100);
    QString line = QStringLiteral("[%1/%2] %3  %4%").arg(current + 1).arg(items.size())
                       .arg(items.at(current).fileInfo.value(0)).arg(percent);
    if (done > 0) {
        const qint64 leftMs = qint64(double(itemClock.elapsed()) * (1 - done) / done);
        line += QStringLiteral("  %1 left").arg(FfmpegText::clockText(leftMs));
    }
    out << '\r' << line.leftJustified(78) << Qt::flush;
}

void BatchConversion::completed(bool ok, const QString& output, const QString& error)
{
    if (ok) {
        ++converted;
        finishItem(QStringLiteral("-> ") + output);
    } else {
        ++failed;
        finishItem(QStringLiteral("failed: ") + error);
    }
}

void BatchConversion::finishItem(const QString& result)
{
    running = false;
    const QString line = QStringLiteral("[%1/%2] %3 %4").arg(current + 1).arg(items.size())
                             .arg(items.at(current).fileInfo.value(0, items.at(current).input), result);
    if (terminal)
        out << '\r' << line.leftJustified(78) << Qt::endl;
    else
        out << line << Qt::endl;
    ++current;
}

int BatchConversion::run(int& argc, char** argv, const CommandLine::Request& request)
{
    QCoreApplication app(argc, argv);
    Folders::setIdentity();
    QTextStream out(stdout);
    QTextStream err(stderr);
    switch (request.mode) {
    case CommandLine::Mode::Help:
        out << CommandLine::helpText();
        return CommandLine::exitSuccess;
    case CommandLine::Mode::Version:
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion() << Qt::endl;
        return CommandLine::exitSuccess;
    case CommandLine::Mode::Error:
        err << request.error << "\n\n" << CommandLine::helpText();
        return CommandLine::exitUsage;
    case CommandLine::Mode::ListPresets:
        return listPresets(out, err);
    case CommandLine::Mode::Convert:
    case CommandLine::Mode::Window:
        break;
    }
    BatchConversion batch(out, err, isatty(fileno(stdout)) != 0);
    // Ctrl+C, a closed terminal or a scheduler's stop: the running FFmpeg ends, its file goes.
    ShutdownSignals shutdownSignals;
    QObject::connect(&shutdownSignals, &ShutdownSignals::received, &batch, &BatchConversion::interrupt);
    return batch.convert(request);
}
