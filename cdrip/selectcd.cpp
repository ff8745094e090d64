#include "cdrip/selectcd.h"

#include "cdrip/caudiocd.h"
#include "cdrip/cdripthread.h"
#include "discimage/imagedrive.h"
#include "platform/drives.h"
#include "widgets/filedialogs.h"
#include "widgets/messagebox.h"

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>

SelectCD::SelectCD(QWidget* parent)
    : SelectCD(new CDRipThread, parent)
{
}

SelectCD::SelectCD(CDRipThread* rip, QWidget* parent)
    : RipDialog(tr("Rip from CD"), tr("Select Tracks"), tr("Track"), rip, parent)
    , ripThread(rip)
{
    // Image drives carry their whole path: the dialog widens rather than cut it off.
    driveCombo->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    connect(okButton, &QPushButton::clicked, this, &SelectCD::onOK);
    connect(ripThread, &CDRipThread::ripStarted, this, &SelectCD::ripStarted);
    connect(ripThread, &CDRipThread::startedFile, this, &SelectCD::startedFile);
    connect(ripThread, &CDRipThread::progress, this, &SelectCD::updateProgress);
    connect(ripThread, &CDRipThread::finishedFile, this, &SelectCD::finishedFile);
    connect(ripThread, &CDRipThread::ripComplete, this, &SelectCD::onComplete);
    connect(ripThread, &CDRipThread::error, this, &SelectCD::ripError);
}

namespace {

// What a disc holds, read off the GUI thread.
struct DiscContents {
    QList<int> seconds; // per track
    QList<bool> audio;
    QString failure; // why nothing could be read, for the user
};

DiscContents readDisc(const QString& device)
{
    const CAudioCD disc(device);
    DiscContents contents;
    for (int i = 0; i < disc.TrackCount(); ++i) {
        contents.seconds.append(disc.TrackSeconds(i));
        contents.audio.append(disc.IsAudioTrack(i));
    }
    if (!disc.IsOpen())
        contents.failure = disc.OpenFailure();
    return contents;
}

} // namespace

int SelectCD::exec()
{
    if (!ripThread->isRunning())
        fillDrives();
    return FileDialogs::runModal(*this);
}

void SelectCD::fillDrives()
{
    offerDrives(tr("Looking for CD drives…"), tr("No CD drive holds an audio disc"), [] {
        QList<Drives::OpticalDrive> drives = DiscImage::allDrives();
        drives.removeIf([](const Drives::OpticalDrive& drive) { return drive.kind == Drives::Kind::DvdImage; });
        return drives;
    });
}

void SelectCD::showDisc(const QString& device)
{
    read<DiscContents>(tr("Reading the disc…"), [device] { return readDisc(device); }, [this](const DiscContents& disc) {
        statusLabel->setText(disc.failure);
        QList<QTreeWidgetItem*> rows;
        for (int i = 0; i < disc.seconds.size(); ++i) {
            const int seconds = disc.seconds.at(i);
            auto* row = new QTreeWidgetItem({QString(), tr("Track %1").arg(i + 1),
                                             QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QChar(u'0'))});
            if (disc.audio.at(i)) {
                row->setCheckState(0, Qt::Checked);
            } else {
                // Offered greyed out and never ticked: a data track ripped as audio is only noise.
                row->setFlags(Qt::NoItemFlags);
                row->setText(1, tr("%1 (data)").arg(row->text(1)));
            }
            rows.append(row);
        }
        itemList->addTopLevelItems(rows);
    });
}

void SelectCD::onOK()
{
    QStringList ticked;
    for (const int row : tickedRows())
        ticked.append(QString::number(row + 1));
    setRipping(true);
    ripThread->setRip(driveCombo->currentData().toString(), ticked);
    ripThread->start(QThread::InheritPriority);
}

void SelectCD::ripStarted(int count)
{
    trackTotal = count;
}

void SelectCD::startedFile(int track)
{
    currentTrack = track;
    statusLabel->setText(tr("Ripping track %1 of %2...").arg(track).arg(trackTotal));
}

void SelectCD::updateProgress(int percentage)
{
    if (trackTotal > 0)
        progressBar->setValue(int(double(percentage) / trackTotal + double(currentTrack - 1) / trackTotal * 100));
}

void SelectCD::finishedFile(const QString& filename)
{
    emit addAudioCD({filename});
}

void SelectCD::onComplete()
{
    accept();
}

void SelectCD::ripError(const QString& msg)
{
    MessageBox::critical(this, tr("Error"), msg);
}
