#include "dvdrip/selectdvd.h"

#include "discimage/imagedrive.h"
#include "dvdrip/dvdripthread.h"
#include "dvdrip/dvdtext.h"
#include "platform/tools.h"
#include "widgets/filedialogs.h"
#include "widgets/messagebox.h"

#include <QComboBox>
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

    connect(driveCombo, &QComboBox::currentTextChanged, this, &SelectDVD::onComboChanged);
    connect(okButton, &QPushButton::clicked, this, &SelectDVD::onOK);
    connect(ripThread, &DVDRipThread::ripStarted, this, &SelectDVD::ripStarted);
    connect(ripThread, &DVDRipThread::ripTitleStarted, this, &SelectDVD::ripTitleStarted);
    connect(ripThread, &DVDRipThread::progress, this, &SelectDVD::updateProgress);
    connect(ripThread, &DVDRipThread::ripTitleFinished, this, &SelectDVD::ripTitleFinished);
    connect(ripThread, &DVDRipThread::ripComplete, this, &SelectDVD::onComplete);
    connect(ripThread, &DVDRipThread::error, this, &SelectDVD::ripError);
}

int SelectDVD::exec()
{
    listDrives();
    return FileDialogs::runModal(*this);
}

void SelectDVD::listDrives()
{
    drives.clear();
    driveCombo->clear();
    itemList->clear();
    for (const Drives::OpticalDrive& drive : DiscImage::allDrives()) {
        const bool holdsDisc = drive.kind == Drives::Kind::DvdImage
            || (drive.kind == Drives::Kind::Hardware && drive.mediaPresent);
        if (!holdsDisc)
            continue;
        drives.append(drive);
        driveCombo->addItem(Drives::entryText(drive), drive.device);
    }
    if (drives.isEmpty())
        statusLabel->setText(tr("No DVD drive holds a readable disc."));
}

void SelectDVD::onComboChanged(const QString& text)
{
    itemList->clear();
    if (!text.isEmpty())
        listTitles(driveCombo->currentData().toString());
}

void SelectDVD::listTitles(const QString& device)
{
    statusLabel->clear();
    QProcess process;
    switch (Tools::start(process, QStringLiteral("tarvik"), {device}, Tools::Output::Read)) {
    case Tools::Started::NotInstalled:
        statusLabel->setText(tr("The DVD title tool tarvik could not be found. Please try re-installing Halvorn."));
        return;
    case Tools::Started::Failed:
        statusLabel->setText(tr("The DVD title tool could not be started: %1").arg(process.errorString()));
        return;
    case Tools::Started::Running:
        break;
    }
    const bool answered = Tools::waitOrKill(process, 30000);
    const QList<qint64> lengths = DvdText::parseTitleListing(Tools::outputText(process.readAllStandardOutput()));
    if (lengths.isEmpty()) {
        const QString reason = DvdText::lastLine(Tools::outputText(process.readAllStandardError()));
        statusLabel->setText(!answered ? tr("The disc did not answer within 30 seconds.")
                                 : reason.isEmpty() ? tr("No titles were found on this disc.")
                                                    : reason);
        return;
    }
    QList<QTreeWidgetItem*> rows;
    qsizetype longest = 0;
    for (qsizetype i = 0; i < lengths.size(); ++i) {
        auto* row = new QTreeWidgetItem({QString(), QStringLiteral("Title %1").arg(i + 1),
                                         DvdText::lengthText(lengths.at(i))});
        row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        row->setCheckState(0, Qt::Unchecked);
        rows.append(row);
        if (lengths.at(i) > lengths.at(longest))
            longest = i;
    }
    itemList->addTopLevelItems(rows);
    rows.at(longest)->setCheckState(0, Qt::Checked);
}

void SelectDVD::onOK()
{
    setRipping(true);
    QStringList numbers;
    QStringList lengths;
    for (const int row : tickedRows()) {
        numbers.append(QString::number(row + 1));
        lengths.append(itemList->topLevelItem(row)->text(2));
    }
    const int entry = driveCombo->currentIndex();
    if (numbers.isEmpty() || entry < 0)
        return;
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
    MessageBox::critical(this, QStringLiteral("Error"), message);
}

void SelectDVD::ripStarted(int count)
{
    titleCount = count;
}

void SelectDVD::ripTitleStarted(int number)
{
    statusLabel->setText(QStringLiteral("Ripping title %1 of %2").arg(number).arg(titleCount));
}

void SelectDVD::updateProgress(int value)
{
    progressBar->setValue(value);
}

void SelectDVD::ripTitleFinished(const QString& file, const QString& length)
{
    emit addDVD({file}, length);
}
