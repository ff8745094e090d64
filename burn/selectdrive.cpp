#include "burn/selectdrive.h"

#include "burn/burntext.h"
#include "burn/disccheck.h"
#include "discimage/cuesheet.h"
#include "platform/drives.h"
#include "platform/folders.h"
#include "widgets/backgroundwork.h"
#include "widgets/filedialogs.h"
#include "widgets/messagebox.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Beside the burning tool's form of the drive (the item's data), each entry keeps the device
// itself, and the image entry says what it is.
constexpr int deviceRole = Qt::UserRole + 1;
constexpr int imageRole = Qt::UserRole + 2;

bool isDvd(const QString& discType)
{
    return discType != QLatin1String("cd");
}

} // namespace

SelectDrive::SelectDrive(QWidget* parent)
    : QDialog(parent)
    , statusLabel(new QLabel)
    , work(new BackgroundWork(this))
{
    setWindowTitle(tr("Select Burn Drive"));
    driveCombo = new QComboBox;
    driveCombo->setObjectName(QStringLiteral("driveCombo"));
    driveCombo->setMinimumContentsLength(40);
    okButton = new QPushButton(tr("OK"));
    okButton->setObjectName(QStringLiteral("okButton"));
    cancelButton = new QPushButton(tr("Cancel"));
    cancelButton->setObjectName(QStringLiteral("cancelButton"));

    // What the dialog is doing while it looks for drives or checks a disc; tool text may appear.
    statusLabel->setTextFormat(Qt::PlainText);
    statusLabel->setWordWrap(true);

    auto* group = new QGroupBox(tr("Select Drive"));
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(driveCombo);
    groupLayout->addWidget(statusLabel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* grid = new QGridLayout(this);
    grid->addWidget(group, 0, 0);
    grid->addLayout(buttons, 1, 0);
    FileDialogs::enterPressesFocusedButton(*this, cancelButton);

    connect(okButton, &QPushButton::clicked, this, &SelectDrive::onOK);
    connect(cancelButton, &QPushButton::clicked, this, &SelectDrive::onCancel);
    connect(driveCombo, &QComboBox::currentIndexChanged, this, &SelectDrive::onComboChange);
    // While the drives are listed or a disc is checked, only Cancel can be pressed; it ends the
    // work and its tool, as the dialog's closing does in every other way.
    connect(work, &BackgroundWork::busyChanged, this, [this](bool busy) {
        driveCombo->setEnabled(!busy);
        okButton->setEnabled(!busy);
        statusLabel->clear();
    });
    connect(this, &QDialog::finished, work, &BackgroundWork::cancel);
}

void SelectDrive::setDisc(const QString& discType, int totalSeconds)
{
    this->discType = discType;
    this->totalSeconds = totalSeconds;
}

void SelectDrive::setSystemRoots(const QString& sysRoot, const QString& devRoot)
{
    this->sysRoot = sysRoot;
    this->devRoot = devRoot;
}

int SelectDrive::exec()
{
    scanDrives();
    return FileDialogs::runModal(*this);
}

void SelectDrive::scanDrives()
{
    driveCombo->clear();
    const bool dvd = isDvd(discType);
    work->run<QList<BurnText::BurnDrive>>(
        [dvd, sysRoot = sysRoot, devRoot = devRoot] {
            const QList<Drives::OpticalDrive> drives = Drives::hardwareDrives(sysRoot, devRoot);
            if (dvd)
                return BurnText::dvdDrives(drives);
            return drives.isEmpty() ? QList<BurnText::BurnDrive>() : BurnText::cdDrives(drives, DiscCheck::scanBus());
        },
        [this, dvd](const QList<BurnText::BurnDrive>& entries) {
            for (const BurnText::BurnDrive& entry : entries) {
                driveCombo->addItem(entry.text, entry.deviceId);
                driveCombo->setItemData(driveCombo->count() - 1, entry.device, deviceRole);
            }
            // Whoever has no burner (or no blank disc) can still make the disc, as a file.
            driveCombo->addItem(dvd ? tr("Disc image (.iso)") : tr("Disc image (.cue and .bin)"),
                                QString());
            driveCombo->setItemData(driveCombo->count() - 1, true, imageRole);
            driveCombo->setCurrentIndex(0);
            onComboChange(0);
        });
    statusLabel->setText(tr("Looking for drives…"));
}

void SelectDrive::onOK()
{
    if (driveCombo->currentData(imageRole).toBool()) {
        // No disc to look at, but the image must still fit the disc it is made for.
        const QString tooLong = BurnText::imageMessage(isDvd(discType), totalSeconds);
        if (!tooLong.isEmpty())
            MessageBox::warning(this, tr("Warning"), tooLong);
        else if (chooseImageFile())
            done(QDialog::Accepted);
        return;
    }
    const bool dvd = discType == QLatin1String("dvd");
    work->run<QString>(
        [dvd, drive = dvd ? deviceId : driveRoot, seconds = totalSeconds] {
            return dvd ? DiscCheck::checkDvd(drive, seconds) : DiscCheck::checkCd(drive, seconds);
        },
        [this](const QString& message) {
            if (message.isEmpty())
                done(QDialog::Accepted);
            else
                MessageBox::warning(this, tr("Warning"), message);
        });
    statusLabel->setText(tr("Checking the disc…"));
}

void SelectDrive::onCancel()
{
    done(QDialog::Rejected);
}

void SelectDrive::onComboChange(int index)
{
    deviceId = index < 0 ? QString() : driveCombo->itemData(index).toString();
    driveRoot = index < 0 ? QString() : driveCombo->itemData(index, deviceRole).toString();
}

bool SelectDrive::chooseImageFile()
{
    const bool dvd = isDvd(discType);
    const QString suffix = dvd ? QStringLiteral(".iso") : QStringLiteral(".cue");
    QString path = FileDialogs::saveFile(this, tr("Save Disc Image"),
                                         dvd ? Folders::videoFolderWithSeparator() : Folders::musicFolderWithSeparator(),
                                         dvd ? tr("DVD-Video image (*.iso)") : tr("Audio CD image (*.cue)"));
    if (path.isEmpty())
        return false;
    if (!path.endsWith(suffix, Qt::CaseInsensitive))
        path += suffix;
    const QFileInfo image(path);
    // The sheet names its BIN file beside it; the burn writes both and replaces neither.
    QStringList files{image.absoluteFilePath()};
    if (!dvd)
        files.append(DiscImage::binPath(image.absoluteFilePath()));
    QString problem;
    if (!QFileInfo(image.absolutePath()).isWritable())
        problem = tr("The folder %1 cannot be written to.").arg(image.absolutePath());
    else if (!dvd && image.fileName().contains(QLatin1Char('"')))
        problem = tr("A CUE sheet cannot name a file with a double quote in its name.");
    for (const QString& file : files) {
        if (problem.isEmpty() && QFileInfo::exists(file))
            problem = tr("The file %1 already exists. Please choose another name.").arg(file);
    }
    if (!problem.isEmpty()) {
        MessageBox::warning(this, tr("Warning"), problem);
        return false;
    }
    deviceId = image.absoluteFilePath();
    driveRoot = deviceId;
    return true;
}
