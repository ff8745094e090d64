#pragma once

#include "cdrip/caudiocd.h"
#include "widgets/ripdialog.h"

#include <QStringList>

#include <atomic>

// Rips the chosen tracks of one drive, one after another, into WAV files in a new folder of the
// temporary folder, and names each file as soon as it is complete. Started again for every rip.
class CDRipThread final : public RipThread {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CDRipThread)
public:
    explicit CDRipThread(QObject* parent = nullptr);
    // Stops a rip under way after its current block and waits until the drive is released.
    ~CDRipThread() override;

    // The drive's device (or CUE sheet) and the 1-based track numbers, as text, in disc order.
    // Only while the thread is not running.
    void setRip(const QString& device, const QStringList& tracks);
    // Ends the rip after the current block; it then reports "Ripping was cancelled.".
    void cancel() override;

signals:
    void ripStarted(int count);
    void startedFile(int track);
    void progress(int percentage);
    void finishedFile(QString filename);
    void ripComplete();
    void error(QString msg);

protected:
    void run() override;

private:
    std::atomic_bool keepRipping = false;
    CAudioCD audioCD;
    QString device;
    QStringList tracks;
};
