#pragma once

#include <QMutex>
#include <QStringList>
#include <QThread>

#include <atomic>

// Runs one FFmpeg conversion per start: picks an output name that overwrites nothing, follows the
// progress once a second, and ends with exactly one of conversionComplete and conversionCancelled.
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
    // The final output path once a run has chosen it, the path without extension before.
    [[nodiscard]] QString outputPath() const;

    // B.E when free, else "B (New).E", else "B (New)(n).E" for the first free n from 2 up.
    [[nodiscard]] static QString uniqueOutputPath(const QString& base, const QString& extension);

signals:
    void startConversion(QString outFileName);
    void conversionProgress(int time);
    void conversionComplete(bool quitOk, QString finalOutput, QString errorMsg);
    void conversionCancelled();

protected:
    void run() override;

private:
    QString inFile;
    QStringList args;
    QString outFile;  // guarded by outFileLock: the window reads it while a run may set it
    QString outExt;
    std::atomic_bool keepRunning = false;
    mutable QMutex outFileLock;
};
