#include "convert/conversionthread.h"

#include "convert/ffmpegtext.h"
#include "convert/fitsize.h"
#include "convert/mediaheader.h"
#include "convert/outputcheck.h"
#include "platform/fileops.h"
#include "platform/folders.h"
#include "platform/logfile.h"
#include "platform/tools.h"
#include "platform/workingfiles.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <functional>
#include <optional>
#include <utility>

namespace {

// The report on the input comes first; its metadata may be long, but not this long.
constexpr qsizetype reportHeadLimit = 256 * 1024;
// The reason of a failure is among the last lines.
constexpr qsizetype outputTailLimit = 16 * 1024;

// A hidden name beside the output that keeps its extension, so that FFmpeg still picks the
// container by it. Created here, exclusively: FFmpeg then overwrites a file that is ours.
QString makeWorkingFile(const QString& target, QString& reason)
{
    const QFileInfo info(target);
    if (!QFileInfo(info.absolutePath()).isDir()) {
        reason = ConversionThread::tr("The output folder no longer exists");
        return {};
    }
    const QString stem = ConversionThread::workingPathPrefix(target);
    const QString extension = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    for (int n = 1;; ++n) {
        const QString working = stem + (n == 1 ? QString() : QStringLiteral(" %1").arg(n)) + QLatin1Char(')') + extension;
        QFile file(working);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return working;
        if (FileOps::entryExists(working))
            continue;
        reason = ConversionThread::tr("The output folder cannot be written to: %1").arg(file.errorString());
        return {};
    }
}

QString quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

ConversionThread::ConversionThread(QObject* parent)
    : QThread(parent)
{
}

ConversionThread::~ConversionThread()
{
    cancel();
    wait();
}

void ConversionThread::setJob(const QString& inFile, const QStringList& args, const QString& outFile,
                              const QString& outExt)
{
    this->inFile = inFile.trimmed();
    this->args.clear();
    for (const QString& arg : args)
        this->args.append(arg.trimmed());
    this->outFile = outFile.trimmed();
    this->outExt = outExt;
    // Armed here rather than in run(), so that a cancel that comes before the thread runs counts.
    keepRunning = true;
}

QString ConversionThread::uniqueOutputPath(const QString& base, const QString& extension)
{
    const QString dotExtension = QLatin1Char('.') + extension;
    if (!FileOps::entryExists(base + dotExtension))
        return base + dotExtension;
    const QString renewed = base + QStringLiteral(" (New)") + dotExtension;
    if (!FileOps::entryExists(renewed))
        return renewed;
    for (int n = 2;; ++n) {
        const QString numbered = base + QStringLiteral(" (New)(%1)").arg(n) + dotExtension;
        if (!FileOps::entryExists(numbered))
            return numbered;
    }
}

QString ConversionThread::workingPathPrefix(const QString& output)
{
    const QFileInfo info(output);
    return info.absolutePath() + QStringLiteral("/.") + info.completeBaseName() + QStringLiteral(" (converting");
}

// Runs FFmpeg on the job's input, once per call, to its end, a cancel or a failure to start. It
// keeps the start of the first run's output (the report on the input, which the output check
// reads) and the end of the last (where the reason of a failure is).
class ConversionThread::Encoder final {
public:
    Encoder(LogFile::RunLog& log, const std::atomic_bool& keepRunning, QString ffmpeg, QString input)
        : log(log)
        , keepRunning(keepRunning)
        , ffmpeg(std::move(ffmpeg))
        , input(std::move(input))
    {
    }

    // "" when FFmpeg ran to its end with exit code 0 or was cancelled; otherwise why not.
    // progress: the seconds of output of each report, at most once a second.
    [[nodiscard]] QString run(const QStringList& options, const QString& output, const std::function<void(int)>& progress)
    {
        log.append(QStringLiteral("Starting conversion: ffmpeg -y -i %1 %2 %3")
                       .arg(quoted(input), options.join(QLatin1Char(' ')), quoted(output)));
        const bool first = runs++ == 0;
        tail.clear();
        cause.clear();
        QProcess process;
        Tools::prepare(process);
        process.setReadChannel(QProcess::StandardError);
        process.start(ffmpeg, QStringList{QStringLiteral("-y"), QStringLiteral("-i"), input} + options + QStringList{output});
        if (!process.waitForStarted())
            return ConversionThread::tr("FFmpeg could not be started: %1").arg(process.errorString());

        // A cancel is looked for every tenth of a second; progress is read and logged once a second.
        const auto keep = [&](const QString& chunk) {
            log.append(chunk);
            if (first && head.size() < reportHeadLimit)
                head += chunk;
            tail = (tail + chunk).right(outputTailLimit);
        };
        QElapsedTimer sinceProgress;
        sinceProgress.start();
        for (;;) {
            const bool finished = process.waitForFinished(100) || process.state() == QProcess::NotRunning;
            if (!keepRunning || finished)
                break;
            if (sinceProgress.elapsed() < 1000)
                continue;
            sinceProgress.restart();
            const QString chunk = Tools::outputText(process.readAllStandardError());
            keep(chunk);
            if (chunk.contains(QLatin1String("time=")))
                progress(FfmpegText::progressSeconds(chunk));
        }
        QString reason;
        if (keepRunning) {
            keep(Tools::outputText(process.readAllStandardError()));
            cause = FfmpegText::errorLine(tail);
            const bool succeeded = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
            if (!succeeded && !cause.isEmpty())
                reason = FfmpegText::explainError(cause);
            else if (!succeeded)
                reason = process.exitStatus() == QProcess::CrashExit
                    ? ConversionThread::tr("FFmpeg stopped unexpectedly.")
                    : ConversionThread::tr("FFmpeg failed with exit code %1.").arg(process.exitCode());
        }
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(-1);
        }
        return reason;
    }

    // The output check of the last run's output.
    [[nodiscard]] OutputCheck::Verdict judge(const QStringList& options, qint64 sizeLimit, const QString& output) const
    {
        OutputCheck::Verdict verdict = OutputCheck::judge({input, options, head, sizeLimit}, output);
        // A full disk or a lost permission can still end with exit code 0, the output broken.
        if (!verdict.reason.isEmpty() && FfmpegText::isKnownCause(cause))
            verdict = {FfmpegText::explainError(cause), false};
        return verdict;
    }

    [[nodiscard]] const QString& report() const { return head; }
    void note(const QString& line) { log.append(line); }

private:
    LogFile::RunLog& log;
    const std::atomic_bool& keepRunning;
    const QString ffmpeg;
    const QString input;
    QString head;
    QString tail;
    QString cause; // the last run's error line
    int runs = 0;
};

void ConversionThread::run()
{
    const QString target = uniqueOutputPath(outFile, outExt);
    QString reason;
    const QString working = makeWorkingFile(target, reason);
    // Held until run() returns, when the working file has been renamed or removed.
    const WorkingFiles::Registration registration(working);
    LogFile::RunLog log;
    const QString ffmpeg = Tools::find(QStringLiteral("ffmpeg"));
    Encoder encoder(log, keepRunning, ffmpeg, inFile);
    if (reason.isEmpty() && ffmpeg.isEmpty())
        reason = tr("FFmpeg could not be located. Please try re-installing Halvorn.");
    emit startConversion(FfmpegText::splitPath(target).fileName);
    if (reason.isEmpty())
        reason = FitSize::isFitJob(args) ? fitToSize(encoder, working) : convertOnce(encoder, working);

    // The last moment a cancel counts: once renamed, the output is the user's.
    const QString finalPath = reason.isEmpty() && keepRunning ? moveToFreeName(working, reason) : QString();
    if (finalPath.isEmpty() && !working.isEmpty())
        QFile::remove(working);
    if (reason.isEmpty() && finalPath.isEmpty()) {
        log.finish();
        emit conversionCancelled();
        return;
    }
    log.append(QStringLiteral("Conversion finished: quitOK=%1").arg(reason.isEmpty() ? "true" : "false"));
    log.append(reason.isEmpty() ? QStringLiteral("Saved as ") + quoted(finalPath) : reason);
    log.finish();
    const qint64 sourceMs = FfmpegText::reportDurationMs(encoder.report(), inFile);
    if (reason.isEmpty() && sourceMs > 0)
        emit sourceLength(sourceMs);
    emit conversionComplete(reason.isEmpty(), finalPath, reason);
}

QString ConversionThread::convertOnce(Encoder& encoder, const QString& working)
{
    const QString reason = encoder.run(args, working, [this](int seconds) { emit conversionProgress(seconds); });
    if (!reason.isEmpty() || !keepRunning)
        return reason;
    return encoder.judge(args, 0, working).reason;
}

QString ConversionThread::fitToSize(Encoder& encoder, const QString& working)
{
    const MediaHeader::Facts source = MediaHeader::read(inFile);
    FitSize::Plan plan = FitSize::plan(args, source);
    if (!plan.refusal.isEmpty())
        return plan.refusal;
    // The encoder's pass files, in a folder of their own that goes with this run, whatever its end;
    // journalled until the folder is gone.
    Folders::makeTempFolder();
    std::optional<WorkingFiles::Registration> passesRegistration;
    QTemporaryDir passes(Folders::tempFolder() + QStringLiteral("/.two-pass (converting) XXXXXX"));
    if (!passes.isValid())
        return tr("The temporary folder cannot be written to: %1").arg(passes.errorString());
    passesRegistration.emplace(passes.path());
    const QString passLog = passes.filePath(QStringLiteral("x264"));

    int shown = 0;
    for (int encode = 0;; ++encode) {
        encoder.note(QStringLiteral("Fitting into %1: picture %2x%3 at %4 kbit/s, sound %5 kbit/s in %6 channels")
                       .arg(FitSize::sizeText(plan.targetBytes)).arg(plan.frame.width()).arg(plan.frame.height())
                       .arg(plan.videoBitrate / 1000).arg(plan.audioBitrate / 1000).arg(plan.channels));
        // Both passes, and encodes made again, move one bar that never goes back.
        const auto progress = [&, encode](int pass) {
            return [&, encode, pass](int seconds) {
                const double done = FitSize::progressShare(encode, pass, seconds / plan.seconds);
                shown = std::max(shown, int(done * plan.seconds));
                emit conversionProgress(shown);
            };
        };
        // Later encodes reuse the first pass: it measured the picture, not the bitrate.
        if (encode == 0 && plan.twoPass()) {
            const QString reason = encoder.run(FitSize::passArguments(args, plan, 1, passLog), QStringLiteral("-"), progress(1));
            if (!reason.isEmpty() || !keepRunning)
                return reason;
        }
        const int pass = plan.twoPass() ? 2 : 0;
        const QStringList options = FitSize::passArguments(args, plan, pass, passLog);
        const QString reason = encoder.run(options, working, progress(pass));
        if (!reason.isEmpty() || !keepRunning)
            return reason;
        const OutputCheck::Verdict verdict = encoder.judge(options, plan.targetBytes, working);
        if (!verdict.tooLarge || encode == FitSize::maxReencodes)
            return verdict.reason;
        const qint64 made = QFileInfo(working).size();
        encoder.note(QStringLiteral("The output took %1 bytes, more than %2: encoding it again")
                       .arg(made).arg(plan.targetBytes));
        plan = FitSize::corrected(plan, made);
    }
}

QString ConversionThread::moveToFreeName(const QString& working, QString& reason) const
{
    for (;;) {
        const QString target = uniqueOutputPath(outFile, outExt);
        if (FileOps::renameIfFree(working, target))
            return target;
        if (errno != EEXIST) {
            reason = tr("The output could not be given its name: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
            return {};
        }
    }
}
