#include "cdrip/selectcd.h"

#include "cdrip/caudiocd.h"
#include "cdrip/cdripthread.h"
#include "platform/drives.h"
#include "platform/filedialogs.h"
#include "platform/messagebox.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

SelectCD::SelectCD(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                          | Qt::CustomizeWindowHint)
{
    setWindowTitle(tr("Rip from CD"));

    auto* driveGroup = new QGroupBox(tr("Select Drive"));
    driveCombo = new QComboBox;
    // Image drives carry their whole path: the dialog widens rather than cut it off.
    driveCombo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    (new QVBoxLayout(driveGroup))->addWidget(driveCombo);

    auto* trackGroup = new QGroupBox(tr("Select Tracks"));
    selectNoneButton = new QPushButton(tr("Select None"));
    selectAllButton = new QPushButton(tr("Select All"));
    auto* tickButtons = new QHBoxLayout;
    tickButtons->addStretch();
    tickButtons->addWidget(selectNoneButton);
    tickButtons->addWidget(selectAllButton);
    trackList = new QTreeWidget;
    trackList->setHeaderLabels({QString(), tr("Track"), tr("Length")});
    trackList->setRootIsDecorated(false);
    trackList->setColumnWidth(0, 20);
    trackList->setSelectionMode(QAbstractItemView::NoSelection);
    auto* trackLayout = new QVBoxLayout(trackGroup);
    trackLayout->addLayout(tickButtons);
    trackLayout->addWidget(trackList);

    auto* progressGroup = new QGroupBox(tr("Rip Progress"));
    statusLabel = new QLabel;
    statusLabel->setTextFormat(Qt::PlainText);
    progressBar = new QProgressBar;
    progressBar->setTextVisible(false);
    auto* progressLayout = new QVBoxLayout(progressGroup);
    progressLayout->addWidget(statusLabel);
    progressLayout->addWidget(progressBar);

    okButton = new QPushButton(tr("OK"));
    cancelButton = new QPushButton(tr("Cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);

    auto* grid = new QGridLayout(this);
    grid->addWidget(driveGroup, 0, 0);
    grid->addWidget(trackGroup, 1, 0);
    grid->addWidget(progressGroup, 2, 0);
    grid->addLayout(buttons, 3, 0);
    FileDialogs::cancelOnEnter(*this, cancelButton);

    ripThread = new CDRipThread(this);
    connect(selectNoneButton, &QPushButton::clicked, this, &SelectCD::onSelectNone);
    connect(selectAllButton, &QPushButton::clicked, this, &SelectCD::onSelectAll);
    connect(driveCombo, &QComboBox::currentTextChanged, this, &SelectCD::onComboChanged);
    connect(okButton, &QPushButton::clicked, this, &SelectCD::onOK);
    connect(cancelButton, &QPushButton::clicked, this, &SelectCD::onCancel);
    connect(ripThread, &CDRipThread::ripStarted, this, &SelectCD::ripStarted);
    connect(ripThread, &CDRipThread::startedFile, this, &SelectCD::startedFile);
    connect(ripThread, &CDRipThread::progress, this, &SelectCD::updateProgress);
    connect(ripThread, &CDRipThread::finishedFile, this, &SelectCD::finishedFile);
    connect(ripThread, &CDRipThread::ripComplete, this, &SelectCD::onComplete);
    connect(ripThread, &CDRipThread::error, this, &SelectCD::ripError);
    // The controls come back only when the thread has really ended, so that OK can never hand a
    // new rip to a thread that is still running one (an error box may come while it goes on).
    connect(ripThread, &QThread::finished, this, [this] { setRipping(false); });
}

SelectCD::~SelectCD()
{
    stopRip();
}

int SelectCD::exec()
{
    if (!ripThread->isRunning())
        fillDrives();
    return QDialog::exec();
}

void SelectCD::stopRip()
{
    ripThread->cancel();
    ripThread->wait();
    // What the thread still had to say (its cancellation above all) is not for a closing window.
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
    setRipping(false);
    reject();
}

void SelectCD::fillDrives()
{
    // The track list is read once, when the dialog shows, not for every entry on the way.
    const QSignalBlocker quiet(driveCombo);
    driveCombo->clear();
    for (const Drives::OpticalDrive& drive : Drives::list())
        if (drive.kind != Drives::Kind::DvdImage)
            driveCombo->addItem(Drives::entryText(drive), drive.device);
}

void SelectCD::fillTracks()
{
    trackList->clear();
    const QString device = driveCombo->currentData().toString();
    if (device.isEmpty())
        return;
    const CAudioCD disc(device);
    QList<QTreeWidgetItem*> rows;
    for (int i = 0; i < disc.TrackCount(); ++i) {
        const int seconds = disc.TrackSeconds(i);
        auto* row = new QTreeWidgetItem({QString(), tr("Track ") + QString::number(i + 1),
                                         QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QChar(u'0'))});
        if (disc.IsAudioTrack(i)) {
            row->setCheckState(0, Qt::Checked);
        } else {
            // Offered greyed out and never ticked: a data track ripped as audio is only noise.
            row->setFlags(Qt::NoItemFlags);
            row->setText(1, row->text(1) + tr(" (data)"));
        }
        rows.append(row);
    }
    trackList->addTopLevelItems(rows);
}

void SelectCD::setTicks(Qt::CheckState state)
{
    for (int i = 0; i < trackList->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = trackList->topLevelItem(i);
        if (row->flags().testFlag(Qt::ItemIsEnabled))
            row->setCheckState(0, state);
    }
}

void SelectCD::onSelectNone()
{
    setTicks(Qt::Unchecked);
}

void SelectCD::onSelectAll()
{
    setTicks(Qt::Checked);
}

void SelectCD::onComboChanged(const QString&)
{
    fillTracks();
}

void SelectCD::setRipping(bool ripping)
{
    for (QWidget* control : {static_cast<QWidget*>(driveCombo), static_cast<QWidget*>(trackList),
                             static_cast<QWidget*>(selectNoneButton), static_cast<QWidget*>(selectAllButton),
                             static_cast<QWidget*>(okButton)})
        control->setEnabled(!ripping);
    if (!ripping) {
        statusLabel->clear();
        progressBar->setValue(0);
    }
}

void SelectCD::onOK()
{
    QStringList ticked;
    for (int i = 0; i < trackList->topLevelItemCount(); ++i)
        if (trackList->topLevelItem(i)->checkState(0) == Qt::Checked)
            ticked.append(QString::number(i + 1));
    setRipping(true);
    ripThread->setRip(driveCombo->currentData().toString(), ticked);
    ripThread->start(QThread::InheritPriority);
}

void SelectCD::onCancel()
{
    ripThread->cancel();
    statusLabel->clear();
    progressBar->setValue(0);
    reject();
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
    MessageBox::critical(nullptr, QStringLiteral("Error"), msg);
}

void SelectCD::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Not when the window comes back from the task bar (the ticks stay), nor during a rip.
    if (!event->spontaneous() && !ripThread->isRunning())
        fillTracks();
}

bool SelectCD::event(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        emit minimize();
        event->accept();
        return true;
    }
    return QDialog::event(event);
}
