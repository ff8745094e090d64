#include "convert/conversionthread.h"

#include "convert/ffmpegtext.h"
#include "platform/logfile.h"
#include "platform/tools.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

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
    QMutexLocker locker(&outFileLock);
    this->outFile = outFile.trimmed();
    this->outExt = outExt;
    // Armed here rather than in run(), so that a cancel that comes before the thread runs counts.
    keepRunning = true;
}

QString ConversionThread::outputPath() const
{
    QMutexLocker locker(&outFileLock);
    return outFile;
}

QString ConversionThread::uniqueOutputPath(const QString& base, const QString& extension)
{
    const QString dotExtension = QLatin1Char('.') + extension;
    if (!QFile::exists(base + dotExtension))
        return base + dotExtension;
    const QString renewed = base + QStringLiteral(" (New)") + dotExtension;
    if (!QFile::exists(renewed))
        return renewed;
    for (int n = 2;; ++n) {
        const QString numbered = base + QStringLiteral(" (New)(%1)").arg(n) + dotExtension;
        if (!QFile::exists(numbered))
            return numbered;
    }
}

void ConversionThread::run()
{
    QString finalPath;
    {
        QMutexLocker locker(&outFileLock);
        finalPath = uniqueOutputPath(outFile, outExt);
        outFile = finalPath;
    }
    LogFile::appendRunLog(QStringLiteral("Starting conversion: ffmpeg -i \"%1\" %2 \"%3\"")
                              .arg(inFile, args.join(QLatin1Char(' ')), finalPath));

    QProcess process;
    Tools::prepare(process);
    process.setReadChannel(QProcess::StandardError);
    const QString ffmpeg = Tools::find(QStringLiteral("ffmpeg"));
    if (!ffmpeg.isEmpty())
        process.start(ffmpeg, QStringList{QStringLiteral("-i"), inFile} + args + QStringList{finalPath});
    const bool started = !ffmpeg.isEmpty() && process.waitForStarted();
    emit startConversion(FfmpegText::splitPath(finalPath).fileName);

    if (!started) {
        const QString reason = ffmpeg.isEmpty()
            ? QStringLiteral("FFmpeg could not be located. Please try re-installing Halvorn.")
            : QStringLiteral("FFmpeg could not be started: %1").arg(process.errorString());
        LogFile::appendRunLog(QStringLiteral("Conversion finished: quitOK=false"));
        LogFile::appendRunLog(reason);
        emit conversionComplete(false, finalPath, reason);
        return;
    }

    // A cancel is looked for every tenth of a second; progress is read and logged once a second.
    QElapsedTimer sinceProgress;
    sinceProgress.start();
    for (;;) {
        const bool finished = process.waitForFinished(100) || process.state() == QProcess::NotRunning;
        if (!keepRunning) {
            process.kill();
            process.waitForFinished(-1);
            emit conversionCancelled();
            return;
        }
        if (finished)
            break;
        if (sinceProgress.elapsed() < 1000)
            continue;
        sinceProgress.restart();
        const QString chunk = FfmpegText::decode(process.readAllStandardError());
        LogFile::appendRunLog(chunk);
        if (chunk.contains(QLatin1String("time=")))
            emit conversionProgress(FfmpegText::progressSeconds(chunk));
    }

    const bool quitOk = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    LogFile::appendRunLog(QStringLiteral("Conversion finished: quitOK=%1").arg(quitOk ? "true" : "false"));
    QString errorMsg;
    if (!quitOk) {
        const QString rest = FfmpegText::decode(process.readAllStandardError()).trimmed();
        LogFile::appendRunLog(rest);
        errorMsg = FfmpegText::lastLine(rest);
        if (errorMsg.isEmpty()) {
            errorMsg = process.exitStatus() == QProcess::CrashExit
                ? QStringLiteral("FFmpeg stopped unexpectedly.")
                : QStringLiteral("FFmpeg failed with exit code %1.").arg(process.exitCode());
        }
    }
    emit conversionComplete(quitOk, finalPath, errorMsg);
}
