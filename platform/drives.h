#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The optical drives the rip and burn dialogs offer: the machine's own (/dev/srN) and disc images
// named in the environment, which behave as one more drive each. A drive is known by its device
// path (or image path) wherever another system would use a drive letter.
namespace Drives {

// Colon-separated list of disc images that appear as drives: CUE sheets (audio CDs, read through
// their BIN file), DVD-Video images (.iso) and folders that hold VIDEO_TS.
inline constexpr auto imageVariable = "HALVORN_DISC_IMAGES";

enum class Kind { Hardware, CdImage, DvdImage };

struct OpticalDrive {
    QString device;       // /dev/sr0, or the absolute path of the image
    Kind kind = Kind::Hardware;
    bool mediaPresent = false;
    QString volumeLabel;  // the data disc's volume name; empty for audio CDs and blank discs
    QString identity;     // vendor (8), product (16) and revision (4), padded with spaces: 28 characters
};

// Every drive: the machine's own in device order, then the images in the order named.
[[nodiscard]] QList<OpticalDrive> list();
// Only the machine's own drives, as the block devices under sysRoot describe them.
[[nodiscard]] QList<OpticalDrive> hardwareDrives(const QString& sysRoot = QStringLiteral("/sys"),
                                                 const QString& devRoot = QStringLiteral("/dev"));
// Only the images named by the environment; names that are no readable image are left out.
[[nodiscard]] QList<OpticalDrive> imageDrives();

// The text a drive list shows: the device, a colon, and the label when there is one.
[[nodiscard]] QString entryText(const OpticalDrive& drive);

// The SCSI identity from its three fields, each padded (or cut) to its width.
[[nodiscard]] QString identity(const QString& vendor, const QString& product, const QString& revision);

// The volume name of an ISO 9660 file system, from the bytes of its primary volume descriptor
// (the 2048-byte sector 16); empty when the sector holds none.
[[nodiscard]] QString volumeLabelFromDescriptor(const QByteArray& sector);
// The same read from a device or image file; empty when it cannot be read.
[[nodiscard]] QString readVolumeLabel(const QString& deviceOrImage);

} // namespace Drives
