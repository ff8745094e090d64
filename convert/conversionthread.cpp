#include "convert/conversionthread.h"

#include "convert/ffmpegtext.h"
#include "convert/fileinfothread.h"
#include "convert/outputcheck.h"
#include "platform/workingfiles.h"
#include "platform/fileops.h"
#include "platform/logfile.h"
#include "platform/tools.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <cerrno>
#include <cstring>

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

void ConversionThread::run()
{
    const QString target = uniqueOutputPath(outFile, outExt);
    QString reason;
    const QString working = makeWorkingFile(target, reason);
    // Held until run() returns, when the working file has been renamed or removed.
    const WorkingFiles::Registration registration(working);
    const QStringList arguments = QStringList{QStringLiteral("-y"), QStringLiteral("-i"), inFile} + args
                                + QStringList{working};
    LogFile::RunLog log;
    log.append(QStringLiteral("Starting conversion: ffmpeg -y -i %1 %2 %3")
                   .arg(quoted(inFile), args.join(QLatin1Char(' ')), quoted(working)));

    QProcess process;
    Tools::prepare(process);
    process.setReadChannel(QProcess::StandardError);
    const QString ffmpeg = Tools::find(QStringLiteral("ffmpeg"));
    if (reason.isEmpty() && ffmpeg.isEmpty())
        reason = tr("FFmpeg could not be located. Please try re-installing Halvorn.");
    if (reason.isEmpty()) {
        process.start(ffmpeg, arguments);
        if (!process.waitForStarted())
            reason = tr("FFmpeg could not be started: %1").arg(process.errorString());
    }
    emit startConversion(FfmpegText::splitPath(target).fileName);

    // A cancel is looked for every tenth of a second; progress is read and logged once a second.
    QString head;
    QString tail;
    const auto keep = [&](const QString& chunk) {
        log.append(chunk);
        if (head.size() < reportHeadLimit)
            head += chunk;
        tail = (tail + chunk).right(outputTailLimit);
    };
    QElapsedTimer sinceProgress;
    sinceProgress.start();
    while (reason.isEmpty()) {
        const bool finished = process.waitForFinished(100) || process.state() == QProcess::NotRunning;
        if (!keepRunning || finished)
            break;
        if (sinceProgress.elapsed() < 1000)
            continue;
        sinceProgress.restart();
        const QString chunk = Tools::outputText(process.readAllStandardError());
        keep(chunk);
        if (chunk.contains(QLatin1String("time=")))
            emit conversionProgress(FfmpegText::progressSeconds(chunk));
    }
    if (reason.isEmpty() && keepRunning) {
        keep(Tools::outputText(process.readAllStandardError()));
        const QString cause = FfmpegText::errorLine(tail);
        if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0) {
            reason = OutputCheck::judge({inFile, args, head}, working);
            // A full disk or a lost permission can still end with exit code 0, the output broken.
            if (!reason.isEmpty() && FfmpegText::isKnownCause(cause))
                reason = FfmpegText::explainError(cause);
        } else if (!cause.isEmpty()) {
            reason = FfmpegText::explainError(cause);
        } else {
            reason = process.exitStatus() == QProcess::CrashExit
                ? tr("FFmpeg stopped unexpectedly.")
                : tr("FFmpeg failed with exit code %1.").arg(process.exitCode());
        }
    }
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(-1);
    }

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
    const qint64 sourceMs = FfmpegText::reportDurationMs(head, inFile);
    if (reason.isEmpty() && sourceMs > 0)
        emit sourceLength(sourceMs);
    emit conversionComplete(reason.isEmpty(), finalPath, reason);
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
