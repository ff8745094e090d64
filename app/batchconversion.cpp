#include "app/batchconversion.h"

#include "app/startup.h"
#include "catalogue/catalogue.h"
#include "convert/conversionthread.h"
#include "convert/ffmpegtext.h"
#include "convert/fitsize.h"
#include "platform/folders.h"
#include "platform/logfile.h"
#include "platform/shutdownsignals.h"
#include "platform/tools.h"
#include "platform/translation.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <utility>

namespace {

// How many run logs of earlier runs stay beside the new one.
constexpr int keptRunLogs = 9;
// The width of the progress line on a terminal.
constexpr qsizetype statusWidth = 78;

// Errors and failures, on standard error, named by the program as is usual for a command.
void complain(QTextStream& err, const QString& text)
{
    err << "halvorn: " << text << Qt::endl;
}

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
        complain(err, Startup::catalogueMissingMessage());
        return false;
    }
    catalogue.load();
    return true;
}

// Why a named input cannot be converted; "" when it can be read.
QString unreadableBecause(const QString& file)
{
    const QFileInfo info(file);
    if (info.isDir())
        return BatchConversion::tr("is a folder");
    if (!info.exists())
        return BatchConversion::tr("no such file");
    if (!info.isFile())
        return BatchConversion::tr("not a plain file");
    if (!info.isReadable())
        return BatchConversion::tr("permission denied");
    return {};
}

// This run's own log: a new file per run, named by its start and its process, so that runs side by
// side never write into one file. Only the newest few of earlier runs are kept.
void startRunLog()
{
    const QDir folder(Folders::batchLogFolder());
    if (!folder.mkpath(QStringLiteral(".")))
        return;
    QStringList earlier = folder.entryList({QStringLiteral("batch-*.log")}, QDir::Files, QDir::Name);
    while (earlier.size() > keptRunLogs)
        QFile::remove(folder.filePath(earlier.takeFirst()));
    LogFile::useOwnRunLog(folder.filePath(QStringLiteral("batch-%1-%2.log")
                                              .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")))
                                              .arg(QCoreApplication::applicationPid())));
}

// A program whose output could not be written must not end as if it had been.
int checkedOutput(int exitCode, QTextStream& out, QTextStream& err)
{
    out.flush();
    if (out.status() == QTextStream::Ok && std::fflush(stdout) == 0 && !std::ferror(stdout))
        return exitCode;
    complain(err, BatchConversion::tr("cannot write to standard output: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
    return exitCode == CommandLine::exitSuccess ? CommandLine::exitFailed : exitCode;
}

} // namespace

BatchConversion::BatchConversion(QTextStream& out, QTextStream& err, bool terminal)
    : out(out)
    , err(err)
    , terminal(terminal)
{
}

BatchConversion::~BatchConversion() = default;

int BatchConversion::listPresets(QTextStream& out, QTextStream& err)
{
    Catalogue catalogue;
    if (!openCatalogue(catalogue, err))
        return CommandLine::exitFailed;
    const QList<PresetRow> rows = allPresets(catalogue);
    // Each column at least as wide as its heading, whatever its language.
    const QString heads[] = {tr("ID"), tr("Device or format"), tr("Preset"), tr("Ext")};
    qsizetype idWidth = heads[0].size(), ownerWidth = heads[1].size(), labelWidth = heads[2].size();
    for (const PresetRow& row : rows) {
        idWidth = std::max(idWidth, row.columns.at(0).size());
        ownerWidth = std::max(ownerWidth, row.owner.size());
        labelWidth = std::max(labelWidth, row.columns.at(1).size());
    }
    const auto line = [&](const QString& id, const QString& owner, const QString& label, const QString& extension) {
        out << id.rightJustified(idWidth) << "  " << owner.leftJustified(ownerWidth) << "  "
            << label.leftJustified(labelWidth) << "  " << extension << '\n';
    };
    line(heads[0], heads[1], heads[2], heads[3]);
    for (const PresetRow& row : rows)
        line(row.columns.at(0), row.owner, row.columns.at(1), row.columns.at(4));
    out.flush();
    return CommandLine::exitSuccess;
}

int BatchConversion::convert(const CommandLine::Request& request)
{
    // Everything that can be wrong with the command is said before anything is converted.
    for (const QString& file : request.files) {
        const QString problem = unreadableBecause(file);
        if (!problem.isEmpty()) {
            complain(err, tr("Cannot read %1: %2.").arg(file, problem));
            return CommandLine::exitUsage;
        }
    }
    Catalogue catalogue;
    if (!openCatalogue(catalogue, err))
        return CommandLine::exitFailed;
    // A size alone takes the Fit to size format's first preset.
    for (const PresetRow& row : allPresets(catalogue)) {
        const bool wanted = request.presetId.isEmpty() ? FitSize::isFitJob(row.columns.at(8).split(QLatin1Char(' ')))
                                                       : row.columns.at(0) == request.presetId.trimmed();
        if (wanted && preset.isEmpty())
            preset = row.columns;
    }
    if (preset.isEmpty()) {
        complain(err, tr("Unknown preset id %1 (halvorn --list-presets lists them).").arg(request.presetId));
        return CommandLine::exitUsage;
    }
    if (!request.fitSize.isEmpty()) {
        const QString unsupported = FitSize::unsupportedBecause(preset.at(8));
        if (!unsupported.isEmpty()) {
            complain(err, tr("Preset %1 cannot take --fit-size: %2.").arg(preset.at(0), unsupported));
            return CommandLine::exitUsage;
        }
        preset[8] = FitSize::withSize(preset.at(8), request.fitSize);
    }
    if (!request.outputFolder.isEmpty()) {
        outputFolder = QDir(request.outputFolder).absolutePath();
        if (!QDir().mkpath(outputFolder) || !QFileInfo(outputFolder).isWritable()) {
            complain(err, tr("Cannot write into the folder %1.").arg(request.outputFolder));
            return CommandLine::exitUsage;
        }
        outputFolder = QDir::toNativeSeparators(outputFolder) + QDir::separator();
    }
    if (Tools::find(QStringLiteral("ffmpeg")).isEmpty()) {
        complain(err, tr("FFmpeg could not be located or is not responding. Please try re-installing Halvorn."));
        return CommandLine::exitFailed;
    }
    startRunLog();

    quiet = request.quiet;
    jobsChosen = request.jobs > 0;
    for (const QString& file : request.files)
        inputs.append(QFileInfo(file).absoluteFilePath());
    const int workers = request.jobs > 0 ? request.jobs : std::max(1, QThread::idealThreadCount());
    jobs.resize(size_t(std::min<qsizetype>(workers, inputs.size())));
    for (Job& job : jobs) {
        job.worker = new ConversionThread(this);
        connect(job.worker, &ConversionThread::conversionProgress, this, [this, &job](int seconds) {
            job.seconds = seconds;
            showProgress();
        });
        connect(job.worker, &ConversionThread::conversionComplete, this,
                [this, &job](bool ok, const QString& output, const QString& error) { completed(job, ok, output, error); });
        connect(job.worker, &ConversionThread::conversionCancelled, this,
                [this, &job] { finishItem(std::exchange(job.item, -1), tr("interrupted"), false); });
    }
    startMore();
    // Ctrl+C and the ends of conversions arrive as events.
    QEventLoop loop;
    while (std::any_of(jobs.cbegin(), jobs.cend(), [](const Job& job) { return job.item >= 0; }))
        loop.processEvents(QEventLoop::WaitForMoreEvents);

    clearProgress();
    if (!quiet) {
        out << tr("%1 converted, %2 failed").arg(converted).arg(failed) << (interruptedBy != 0 ? tr(", interrupted") : QString())
            << Qt::endl;
    }
    if (interruptedBy != 0)
        return CommandLine::exitAfterSignal(interruptedBy);
    return failed == 0 ? CommandLine::exitSuccess : CommandLine::exitFailed;
}

void BatchConversion::interrupt(int signalNumber)
{
    interruptedBy = signalNumber;
    for (Job& job : jobs)
        job.worker->cancel();
}

void BatchConversion::startMore()
{
    const auto anyRunning = [this](bool onlyAlone) {
        return std::any_of(jobs.cbegin(), jobs.cend(),
                           [onlyAlone](const Job& job) { return job.item >= 0 && (job.alone || !onlyAlone); });
    };
    while (interruptedBy == 0 && next < inputs.size() && !anyRunning(true)) {
        const auto idle = std::find_if(jobs.begin(), jobs.end(), [](const Job& job) { return job.item < 0; });
        if (idle == jobs.end())
            return;
        // The header alone, in-process: what the arguments need (is there a picture, of what size),
        // and the length for the progress line.
        if (!nextSource)
            nextSource = MediaHeader::read(inputs.at(next));
        const MediaHeader::Facts& source = *nextSource;
        const QString& input = inputs.at(next);
        const FfmpegText::PathParts parts = FfmpegText::splitPath(input);
        if (!source.video && !source.audio) {
            ++failed;
            nextSource.reset();
            finishItem(next++, tr("failed: FFmpeg is unable to extract any valid video or audio stream from the input file %1.")
                                   .arg(parts.fileName), true);
            continue;
        }
        const QStringList arguments = FfmpegText::assembleArguments(preset.at(8), source.frameSize);
        // Sound encoders use one processor each; a picture encoder uses them all, and another
        // conversion beside it would only slow both down.
        const bool alone = !jobsChosen && source.video && !arguments.contains(QLatin1String("-vn"));
        if (alone && anyRunning(false))
            return;
        // As the queue does: the output is named after the source, in the chosen folder or beside it.
        const QString folder = outputFolder.isEmpty() ? parts.folder : outputFolder;
        idle->worker->wait();
        idle->worker->setJob(input, arguments, folder + parts.baseName, preset.at(4));
        idle->item = next++;
        idle->alone = alone;
        idle->lengthMs = source.durationMs;
        idle->seconds = 0;
        idle->clock.start();
        idle->worker->start(QThread::InheritPriority);
        nextSource.reset();
    }
}

void BatchConversion::completed(Job& job, bool ok, const QString& output, const QString& error)
{
    const qsizetype item = std::exchange(job.item, -1);
    if (ok) {
        ++converted;
        finishItem(item, QStringLiteral("-> ") + output, false);
    } else {
        ++failed;
        finishItem(item, tr("failed: %1").arg(error), true);
    }
    startMore();
}

void BatchConversion::finishItem(qsizetype item, const QString& result, bool failure)
{
    ++finished;
    const QString line = QStringLiteral("[%1/%2] %3 %4").arg(finished).arg(inputs.size())
                             .arg(FfmpegText::splitPath(inputs.at(item)).fileName, result);
    clearProgress();
    if (failure)
        complain(err, line);
    else if (!quiet)
        out << line << Qt::endl;
    showProgress();
}

// On a terminal, one line that is written over: how far each running file has got.
void BatchConversion::showProgress()
{
    if (!terminal || quiet)
        return;
    QStringList running;
    for (const Job& job : jobs) {
        if (job.item < 0 || job.lengthMs <= 0)
            continue;
        const double done = std::min(1.0, double(job.seconds) * 1000 / double(job.lengthMs));
        QString entry = QStringLiteral("%1 %2%").arg(FfmpegText::splitPath(inputs.at(job.item)).fileName).arg(int(done * 100));
        if (done > 0)
            entry += QLatin1Char(' ') + tr("%1 left").arg(FfmpegText::clockText(qint64(double(job.clock.elapsed()) * (1 - done) / done)));
        running.append(entry);
    }
    if (running.isEmpty())
        return;
    QString line = QStringLiteral("[%1/%2] ").arg(finished).arg(inputs.size()) + running.join(QStringLiteral("  "));
    if (line.size() > statusWidth)
        line = line.left(statusWidth - 1) + QChar(0x2026);
    out << '\r' << line.leftJustified(statusWidth) << Qt::flush;
}

void BatchConversion::clearProgress()
{
    if (terminal && !quiet)
        out << '\r' << QString(statusWidth, QLatin1Char(' ')) << '\r' << Qt::flush;
}

int BatchConversion::run(int& argc, char** argv, const CommandLine::Request& request)
{
    QCoreApplication app(argc, argv);
    Folders::setIdentity();
    Translation::install();
    QTextStream out(stdout);
    QTextStream err(stderr);
    switch (request.mode) {
    case CommandLine::Mode::Help:
        out << CommandLine::helpText();
        return checkedOutput(CommandLine::exitSuccess, out, err);
    case CommandLine::Mode::Version:
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion() << Qt::endl;
        return checkedOutput(CommandLine::exitSuccess, out, err);
    case CommandLine::Mode::Error:
        complain(err, CommandLine::errorText(request));
        err << tr("Try 'halvorn --help' for more information.") << Qt::endl;
        return CommandLine::exitUsage;
    case CommandLine::Mode::ListPresets:
        return checkedOutput(listPresets(out, err), out, err);
    case CommandLine::Mode::Convert:
    case CommandLine::Mode::Window:
        break;
    }
    BatchConversion batch(out, err, isatty(fileno(stdout)) != 0);
    // Ctrl+C, a closed terminal or a scheduler's stop: every running FFmpeg ends, its file goes.
    ShutdownSignals shutdownSignals;
    QObject::connect(&shutdownSignals, &ShutdownSignals::received, &batch, &BatchConversion::interrupt);
    const int exitCode = batch.convert(request);
    return checkedOutput(exitCode, out, err);
}
