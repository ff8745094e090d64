#include "cdrip/cdripthread.h"

#include "platform/folders.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

CDRipThread::CDRipThread(QObject* parent)
    : RipThread(parent)
{
    // Direct: the progress leaves the rip thread in order with the thread's other signals.
    connect(&audioCD, &CAudioCD::fileProgress, this, &CDRipThread::progress, Qt::DirectConnection);
    // An extraction arms itself when it starts, so a Cancel that came just before would be lost to
    // it: the first block ends it then.
    connect(&audioCD, &CAudioCD::fileProgress, this, [this] {
        if (!keepRipping)
            audioCD.StopExtracting();
    }, Qt::DirectConnection);
}

CDRipThread::~CDRipThread()
{
    cancel();
    wait();
}

void CDRipThread::setRip(const QString& device, const QStringList& tracks)
{
    this->device = device;
    this->tracks = tracks;
    // Armed here rather than in run(), so that a Cancel that comes before the thread runs counts.
    keepRipping = true;
}

void CDRipThread::cancel()
{
    keepRipping = false;
    audioCD.StopExtracting();
}

void CDRipThread::run()
{
    emit ripStarted(int(tracks.size()));
    if (device.isEmpty()) {
        emit error(tr("No CD drive holds an audio disc"));
        return;
    }
    if (!audioCD.OpenDrive(device)) {
        audioCD.CloseDrive();
        emit error(tr("Cannot open CD drive %1").arg(device));
        return;
    }
    if (!audioCD.LockDrive()) {
        audioCD.CloseDrive();
        emit error(tr("Cannot lock CD drive %1").arg(device));
        return;
    }
    const QString folder = Folders::makeRipFolder(Folders::tempFolder(), QDateTime::currentSecsSinceEpoch());
    // Set when the rip ends early with its error already told.
    bool failed = folder.isEmpty();
    if (failed)
        emit error(tr("Cannot create a folder for the tracks in %1").arg(Folders::tempFolder()));
    for (int k = 1; !failed && k <= tracks.size() && keepRipping; ++k) {
        emit startedFile(k);
        const int number = tracks.at(k - 1).toInt();
        const QString file = folder + QStringLiteral("/Track ") + QString::number(number) + QStringLiteral(".wav");
        if (audioCD.ExtractTrack(number - 1, file)) {
            if (keepRipping)
                emit finishedFile(file);
            else
                QFile::remove(file); // cut short by the cancel: no track to keep
            continue;
        }
        const QString cannotWrite = audioCD.WriteFailure();
        if (!cannotWrite.isEmpty()) {
            // Every track after it would fail alike: one message that says why is enough.
            emit error(tr("Cannot extract track %1. %2").arg(number).arg(cannotWrite));
            failed = true;
            continue;
        }
        emit error(tr("Cannot extract track %1").arg(number));
        // A disc that went away or a drive that stopped answering would only fail (or keep us
        // waiting) again for every track still to come.
        failed = !audioCD.IsMediaReady();
    }
    // A rip that kept nothing leaves no folder behind.
    if (!folder.isEmpty())
        QDir().rmdir(folder);
    const bool unlocked = audioCD.UnlockDrive();
    audioCD.CloseDrive();
    if (!unlocked)
        emit error(tr("Cannot unlock CD drive %1").arg(device));
    else if (failed)
        return;
    else if (keepRipping)
        emit ripComplete();
    else
        emit error(tr("Ripping was cancelled."));
}
