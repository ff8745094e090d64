#pragma once

#include "platform/logfile.h"
#include "platform/tools.h"

#include <QString>
#include <QThread>
#include <QTimer>

#include <functional>
#include <optional>

class QFile;
class QProcess;

// The last step of a disc run, on its own thread: authors the run's MPEG files as a DVD-Video and
// burns it (up to three attempts), or burns the run's WAV files as an audio CD. When the drive is
// an image file (".iso" for a DVD, ".cue" for a CD) the disc is written to that file instead. It
// reports the percentage, the phase line and the time-left line, and ends every job with exactly
// one burnComplete.
class BurnDisc final : public QThread {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BurnDisc)
public:
    explicit BurnDisc(QObject* parent = nullptr);
    // Stops a job under way, ending its tool, and waits for the thread.
    ~BurnDisc() override;

    // Only while the thread is not running.
    void setJob(const QString& discType, const QString& drive, const QString& workFolder, const QString& videoFormat);
    // Sets the job and starts it; while the last job's thread is still returning, as soon as it
    // has ended. A job that cannot start within a few seconds ends at once with a failed
    // burnComplete that says why, so that the queue waiting for it goes on.
    void startJob(const QString& discType, const QString& drive, const QString& workFolder,
                  const QString& videoFormat);
    // Ends the job under way and its tool, and waits for the thread. A disc left half-written is
    // spoilt, so only the closing window does this.
    void stop();

    // Renames the work folder's MPEG files so that name order is creation order, and writes the
    // authoring file that lists them in that order; totalBytes sums their sizes.
    void writeAuthoringFile();
    [[nodiscard]] qint64 getTotalBytes() const { return totalBytes; }

signals:
    void burnComplete(bool ok, QString finalOutput, QString errorMsg);
    void burnProgress(int progress);
    void textStatus(QString status);
    void burnEstTime(QString time);

protected:
    void run() override;

private:
    struct Outcome {
        bool ok = false;
        QString reason; // for the user, when it failed
    };

    // The phase line, the time-left line and burnComplete of a job's end.
    void report(const Outcome& outcome);
    [[nodiscard]] bool isImage() const;
    [[nodiscard]] Outcome dvdJob();
    [[nodiscard]] Outcome cdJob();
    [[nodiscard]] Outcome authorDvd(QProcess& tool);
    [[nodiscard]] Outcome writeDvdImage(QProcess& tool);
    // Makes every WAV track shorter than 4 seconds up to 4 seconds with silence, and logs it.
    void padShortTracks(const QStringList& tracks);
    [[nodiscard]] Outcome writeCdImage(const QStringList& tracks);
    [[nodiscard]] Outcome fillCdImage(QFile& bin, QFile& sheet, const QStringList& tracks);
    // Starts the tool found by its name; logs why when it is missing or cannot start.
    [[nodiscard]] bool startTool(QProcess& tool, const QString& name, const QStringList& arguments,
                                 Tools::Output output = Tools::Output::Discarded);
    // Waits up to timeoutMs for the tool to end, ending it at once when the job is being stopped.
    // Returns whether the tool has ended.
    [[nodiscard]] bool waitForEnd(QProcess& tool, int timeoutMs);
    // Follows a DVD writer (the burner, or the image writer) to its end.
    void followWriter(QProcess& tool, const QString& closingText);
    // Logs what the tool wrote after the last poll; returns whether it ended with success.
    [[nodiscard]] bool finishTool(QProcess& tool);
    // Phase lines and outcomes go to the run log as they are.
    void writeLog(const QString& text);
    // A tool's output goes through the job's capped log: a burner that prints without end must
    // not fill the disc.
    void logOutput(const QString& chunk);

    QString drive;
    QString workFolder;
    QString videoFormat;
    qint64 totalBytes = 0;
    QString discType;
    std::optional<LogFile::RunLog> toolLog; // made anew for each job
    static constexpr int startLimitMs = 3000;
    QTimer startLimit;
    std::function<void()> waitingJob; // the job that waits for the last one's thread to end
};
