#include "dvdrip/selectdvd.h"

#include "discimage/imagedrive.h"
#include "dvdrip/dvdripthread.h"
#include "dvdrip/dvdtext.h"
#include "platform/folders.h"
#include "platform/tools.h"
#include "widgets/filedialogs.h"
#include "widgets/messagebox.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>

SelectDVD::SelectDVD(QWidget* parent)
    : SelectDVD(new DVDRipThread, parent)
{
}

SelectDVD::SelectDVD(DVDRipThread* rip, QWidget* parent)
    : RipDialog(tr("Rip from DVD"), tr("Select Titles"), tr("File"), rip, parent)
    , ripThread(rip)
{
    // Wide enough for a device path and a label side by side.
    setMinimumWidth(440);

    connect(okButton, &QPushButton::clicked, this, &SelectDVD::onOK);
    connect(ripThread, &DVDRipThread::ripStarted, this, &SelectDVD::ripStarted);
    connect(ripThread, &DVDRipThread::ripTitleStarted, this, &SelectDVD::ripTitleStarted);
    connect(ripThread, &DVDRipThread::progress, this, &SelectDVD::updateProgress);
    connect(ripThread, &DVDRipThread::ripTitleFinished, this, &SelectDVD::ripTitleFinished);
    connect(ripThread, &DVDRipThread::ripComplete, this, &SelectDVD::onComplete);
    connect(ripThread, &DVDRipThread::error, this, &SelectDVD::ripError);
}

namespace {

// The title listing of a disc, read off the GUI thread.
struct TitleListing {
    QList<qint64> lengths; // milliseconds, per title
    QString failure;       // why there are none, for the user
};

TitleListing readTitles(const QString& device)
{
    QProcess process;
    switch (Tools::start(process, QStringLiteral("tarvik"), {device}, Tools::Output::Read)) {
    case Tools::Started::NotInstalled:
        return {{}, SelectDVD::tr("The DVD title tool tarvik could not be found. Please try re-installing Halvorn.")};
    case Tools::Started::Failed:
        return {{}, SelectDVD::tr("The DVD title tool could not be started: %1").arg(process.errorString())};
    case Tools::Started::Running:
        break;
    }
    // A disc that does not answer (a dying one, a pipe named as its title information) is given
    // up after the time limit; a Cancel ends the tool at once.
    const bool answered = Tools::waitOrKill(process, 30000);
    TitleListing listing{DvdText::parseTitleListing(Tools::outputText(process.readAllStandardOutput())), {}};
    if (!listing.lengths.isEmpty())
        return listing;
    const QString reason = DvdText::lastLine(Tools::outputText(process.readAllStandardError()));
    if (!answered)
        listing.failure = SelectDVD::tr("The disc did not answer within 30 seconds.");
    else if (process.exitStatus() == QProcess::CrashExit)
        listing.failure = DvdText::damagedDisc();
    else
        listing.failure = reason.isEmpty() ? SelectDVD::tr("No titles were found on this disc.") : reason;
    return listing;
}

} // namespace

int SelectDVD::exec()
{
    listDrives();
    return FileDialogs::runModal(*this);
}

void SelectDVD::listDrives()
{
    offerDrives(tr("Looking for DVD drives…"), tr("No DVD drive holds a readable disc."), [] {
        QList<Drives::OpticalDrive> drives = DiscImage::allDrives();
        drives.removeIf([](const Drives::OpticalDrive& drive) {
            return drive.kind != Drives::Kind::DvdImage && !(drive.kind == Drives::Kind::Hardware && drive.mediaPresent);
        });
        return drives;
    });
}

void SelectDVD::showDisc(const QString& device)
{
    read<TitleListing>(tr("Reading the disc…"), [device] { return readTitles(device); },
                       [this](const TitleListing& listing) {
        statusLabel->setText(listing.failure);
        const QList<qint64>& lengths = listing.lengths;
        if (lengths.isEmpty())
            return;
        QList<QTreeWidgetItem*> rows;
        qsizetype longest = 0;
        for (qsizetype i = 0; i < lengths.size(); ++i) {
            auto* row = new QTreeWidgetItem({QString(), tr("Title %1").arg(i + 1),
                                             DvdText::lengthText(lengths.at(i))});
            row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            row->setCheckState(0, Qt::Unchecked);
            rows.append(row);
            if (lengths.at(i) > lengths.at(longest))
                longest = i;
        }
        itemList->addTopLevelItems(rows);
        rows.at(longest)->setCheckState(0, Qt::Checked);
    });
}

void SelectDVD::onOK()
{
    QStringList numbers;
    QStringList lengths;
    for (const int row : tickedRows()) {
        numbers.append(QString::number(row + 1));
        lengths.append(itemList->topLevelItem(row)->text(2));
    }
    const int entry = driveCombo->currentIndex();
    if (numbers.isEmpty() || entry < 0) {
        statusLabel->setText(entry < 0 ? tr("There is no disc to rip from.") : tr("Please tick the titles to rip."));
        return;
    }
    setRipping(true);
    // A rip that ended in an error box a moment ago may still be ending its tool.
    ripThread->wait();
    const Drives::OpticalDrive& drive = drives.at(entry);
    ripThread->setTitles(drive.device, numbers, drive.volumeLabel, lengths);
    ripThread->start(QThread::InheritPriority);
}

void SelectDVD::onComplete()
{
    setRipping(false);
    accept();
}

void SelectDVD::ripError(const QString& message)
{
    setRipping(false);
    MessageBox::critical(this, tr("Error"), message);
}

void SelectDVD::ripStarted(int count)
{
    titleCount = count;
}

void SelectDVD::ripTitleStarted(int number)
{
    statusLabel->setText(tr("Ripping title %1 of %2").arg(number).arg(titleCount));
}

void SelectDVD::updateProgress(int value)
{
    progressBar->setValue(value);
}

void SelectDVD::ripTitleFinished(const QString& file, const QString& length)
{
    // A title converted beside its source goes into the Videos folder, as the CD's tracks go into
    // an album folder of the Music folder; the conversion finds neither made for it.
    QDir().mkpath(Folders::videoFolderWithSeparator());
    emit addDVD({file}, length);
}
