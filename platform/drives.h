#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The machine's optical drives (/dev/srN). A drive is known by its device path (or, for a disc
// image that stands in for one, the image's path) wherever another system would use a drive letter.
namespace Drives {

enum class Kind { Hardware, CdImage, DvdImage };

struct OpticalDrive {
    QString device;       // /dev/sr0, or the absolute path of the image
    Kind kind = Kind::Hardware;
    bool mediaPresent = false;
    QString volumeLabel;  // the data disc's volume name; empty for audio CDs and blank discs
    QString identity;     // vendor (8), product (16) and revision (4), padded with spaces: 28 characters
};

// The machine's own drives in device order, as the block devices under sysRoot describe them.
[[nodiscard]] QList<OpticalDrive> hardwareDrives(const QString& sysRoot = QStringLiteral("/sys"),
                                                 const QString& devRoot = QStringLiteral("/dev"));

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
