#include "platform/drives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace Drives {

namespace {

constexpr qint64 sectorSize = 2048;
constexpr qint64 descriptorSector = 16;

QString readSysfsText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll()).trimmed();
}

// Non-blocking, so that an empty drive or an open tray answers at once instead of spinning up.
// Closed on exec, so that an FFmpeg started meanwhile by another thread cannot keep the drive busy.
bool discReady(const QString& device)
{
    const int fd = ::open(QFile::encodeName(device).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const int status = ::ioctl(fd, CDROM_DRIVE_STATUS, CDSL_CURRENT);
    ::close(fd);
    return status == CDS_DISC_OK;
}

} // namespace

QList<OpticalDrive> hardwareDrives(const QString& sysRoot, const QString& devRoot)
{
    QList<OpticalDrive> drives;
    QDir blocks(sysRoot + QStringLiteral("/class/block"));
    QStringList names = blocks.entryList({QStringLiteral("sr*")}, QDir::AllEntries | QDir::NoDotAndDotDot);
    // sr2 before sr10: by number, not by text.
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.mid(2).toInt() < b.mid(2).toInt();
    });
    for (const QString& name : names) {
        const QString deviceInfo = sysRoot + QStringLiteral("/block/") + name + QStringLiteral("/device/");
        OpticalDrive drive;
        drive.device = devRoot + QLatin1Char('/') + name;
        drive.identity = identity(readSysfsText(deviceInfo + QStringLiteral("vendor")),
                                  readSysfsText(deviceInfo + QStringLiteral("model")),
                                  readSysfsText(deviceInfo + QStringLiteral("rev")));
        drive.mediaPresent = discReady(drive.device);
        if (drive.mediaPresent)
            drive.volumeLabel = readVolumeLabel(drive.device);
        drives.append(drive);
    }
    return drives;
}

QString entryText(const OpticalDrive& drive)
{
    if (drive.volumeLabel.isEmpty())
        return drive.device;
    return drive.device + QStringLiteral(": ") + drive.volumeLabel;
}

QString identity(const QString& vendor, const QString& product, const QString& revision)
{
    return vendor.left(8).leftJustified(8) + product.left(16).leftJustified(16) + revision.left(4).leftJustified(4);
}

QString volumeLabelFromDescriptor(const QByteArray& sector)
{
    // Type 1 ("primary"), the standard identifier CD001, then the volume identifier at 40..71.
    if (sector.size() < 72 || sector.at(0) != 1 || sector.mid(1, 5) != "CD001")
        return {};
    QString label;
    for (const char byte : sector.mid(40, 32)) {
        const auto c = static_cast<unsigned char>(byte);
        if (c == 0)
            break;
        label += c < 0x20 || c > 0x7e ? QChar(u'_') : QChar(c);
    }
    return label.trimmed();
}

QString readVolumeLabel(const QString& deviceOrImage)
{
    QFile file(deviceOrImage);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered) || !file.seek(descriptorSector * sectorSize))
        return {};
    return volumeLabelFromDescriptor(file.read(sectorSize));
}

} // namespace Drives
