#pragma once

#include <QStringList>
#include <QThread>

#include <atomic>

// Runs one FFmpeg conversion per start and ends with exactly one of conversionComplete and
// conversionCancelled. FFmpeg writes to a hidden working file beside the output; only an output
// that has passed the output check is given its final name, a name that overwrites nothing. Every
// other end deletes the working file, so a user's folder never holds a broken output.
class ConversionThread final : public QThread {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ConversionThread)
public:
    explicit ConversionThread(QObject* parent = nullptr);
    // Cancels a conversion under way (its FFmpeg is killed) and waits for the thread.
    ~ConversionThread() override;

    // Stores the next job; only while the worker is not running.
    void setJob(const QString& inFile, const QStringList& args, const QString& outFile, const QString& outExt);
    // Asks the running conversion to stop; it notices within a tenth of a second.
    void cancel() { keepRunning = false; }

    // B.E when free, else "B (New).E", else "B (New)(n).E" for the first free n from 2 up. A name
    // is taken by any directory entry, a dangling link included.
    [[nodiscard]] static QString uniqueOutputPath(const QString& base, const QString& extension);
    // How the hidden working file of an output (a path with or without extension) begins: the
    // output's folder, a dot, its name without extension and " (converting".
    [[nodiscard]] static QString workingPathPrefix(const QString& output);

signals:
    void startConversion(QString outFileName);
    void conversionProgress(int time);
    // Right before a conversionComplete that succeeded: the source's length in FFmpeg's report.
    void sourceLength(qint64 milliseconds);
    // finalOutput is "" when the conversion failed: no file was left behind.
    void conversionComplete(bool quitOk, QString finalOutput, QString errorMsg);
    void conversionCancelled();

protected:
    void run() override;

private:
    class Encoder;
    // The job's one FFmpeg run into the working file; "" when it holds what was asked for, or was cancelled.
    [[nodiscard]] QString convertOnce(Encoder& encoder, const QString& working);
    // The encodes of a job that fits a size: planned, in two passes, checked and made again
    // smaller while they miss; "" when one fits, or the job was cancelled.
    [[nodiscard]] QString fitToSize(Encoder& encoder, const QString& working);
    // Gives the checked working file the first free output name; "" and the reason on failure.
    [[nodiscard]] QString moveToFreeName(const QString& working, QString& reason) const;

    QString inFile;
    QStringList args;
    QString outFile;
    QString outExt;
    std::atomic_bool keepRunning = false;
};
