#pragma once

#include "widgets/ripdialog.h"

#include <QStringList>

#include <atomic>

// Rips the chosen titles of a DVD one after another with the title tool, each into its own VOB
// file in a new rip folder under the temporary folder. A title counts as ripped only when the tool
// ended well and its file holds something; the rip ends with exactly one of ripComplete and error.
class DVDRipThread final : public RipThread {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DVDRipThread)
public:
    explicit DVDRipThread(QObject* parent = nullptr);
    // Cancels a rip under way (its tool is ended) and waits for the thread.
    ~DVDRipThread() override;

    // Stores the next rip; only while the thread is not running. The drive is a device, image
    // file or VIDEO_TS folder; numbers and lengths ("hh:mm:ss") run in parallel.
    void setTitles(const QString& drive, const QStringList& titleNumbers, const QString& volumeLabel,
                   const QStringList& titleLengths);
    // Asks the rip to stop; the running tool is ended within a tenth of a second.
    void cancel() override { running = false; }

signals:
    void ripStarted(int count);
    void ripTitleStarted(int position);
    void progress(int percent);
    void ripTitleFinished(QString file, QString length);
    void ripComplete();
    void error(QString message);

protected:
    void run() override;

private:
    // Runs the tool for the title at position; empty when the title was ripped (or the rip was
    // cancelled meanwhile), otherwise the reason it was not.
    [[nodiscard]] QString ripTitle(int position, const QString& output);

    std::atomic_bool running = false;
    QString drive;
    QStringList titleNumbers;
    QString volumeLabel;
    QStringList titleLengths;
};
