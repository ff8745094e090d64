#include "platform/cdaudio.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace CdAudio {

int msfToLba(const Msf& msf)
{
    return msf.minute * 60 * framesPerSecond + msf.second * framesPerSecond + msf.frame - msfOffset;
}

Msf lbaToMsf(int lba)
{
    const int frames = lba + msfOffset;
    return {frames / (60 * framesPerSecond), frames / framesPerSecond % 60, frames % framesPerSecond};
}

QString statusText(Status status)
{
    switch (status) {
    case Status::Ok: return QStringLiteral("ok");
    case Status::NoDrive: return QStringLiteral("no such drive");
    case Status::NoDisc: return QStringLiteral("no disc");
    case Status::NotReady: return QStringLiteral("drive not ready");
    case Status::MediumError: return QStringLiteral("unreadable sector");
    case Status::Unsupported: return QStringLiteral("not supported by the drive");
    case Status::NoAccess: return QStringLiteral("no permission");
    case Status::Failed: break;
    }
    return QStringLiteral("failed");
}

namespace Linux {

Status statusFromErrno(int error)
{
    switch (error) {
    case 0: return Status::Ok;
    case ENOMEDIUM: return Status::NoDisc;
    case ENOENT:
    case ENODEV:
    case ENXIO: return Status::NoDrive;
    case EBUSY:
    case EAGAIN:
    case ETIMEDOUT: return Status::NotReady;
    case EIO:
    case EILSEQ: return Status::MediumError;
    case ENOTTY:
    case EOPNOTSUPP:
    case ENOSYS: return Status::Unsupported;
    case EACCES:
    case EPERM: return Status::NoAccess;
    default: return Status::Failed;
    }
}

Status statusFromDriveStatus(int driveStatus)
{
    switch (driveStatus) {
    case CDS_DISC_OK:
    case CDS_NO_INFO: return Status::Ok; // a drive that cannot tell may still read: the TOC will say
    case CDS_NO_DISC:
    case CDS_TRAY_OPEN: return Status::NoDisc;
    case CDS_DRIVE_NOT_READY: return Status::NotReady;
    default: return Status::Failed;
    }
}

} // namespace Linux

namespace {

template <typename Argument>
Status control(int fd, unsigned long request, Argument argument)
{
    int result;
    do
        result = ::ioctl(fd, request, argument);
    while (result < 0 && errno == EINTR);
    return result < 0 ? Linux::statusFromErrno(errno) : Status::Ok;
}

// A CD-ROM device. It is opened without waiting for a disc, so an empty drive or an open tray
// answers at once; every read is one ioctl that the kernel ends after its command timeout.
class LinuxDrive final : public Drive {
public:
    explicit LinuxDrive(int fd)
        : fd(fd)
    {
    }
    ~LinuxDrive() override { ::close(fd); }
    Q_DISABLE_COPY_MOVE(LinuxDrive)

    Status readToc(Toc& toc) override
    {
        const int drive = ::ioctl(fd, CDROM_DRIVE_STATUS, CDSL_CURRENT);
        if (const Status status = drive < 0 ? Linux::statusFromErrno(errno) : Linux::statusFromDriveStatus(drive);
            status != Status::Ok)
            return status;
        cdrom_tochdr header{};
        if (const Status status = control(fd, CDROMREADTOCHDR, &header); status != Status::Ok)
            return status;
        if (header.cdth_trk0 < 1 || header.cdth_trk0 > header.cdth_trk1 || header.cdth_trk1 > 99)
            return Status::MediumError;
        toc = {header.cdth_trk0, header.cdth_trk1, {}};
        for (int number = header.cdth_trk0; number <= header.cdth_trk1 + 1; ++number) {
            const bool leadOut = number > header.cdth_trk1;
            cdrom_tocentry entry{};
            entry.cdte_track = static_cast<__u8>(leadOut ? CDROM_LEADOUT : number);
            entry.cdte_format = CDROM_MSF;
            if (const Status status = control(fd, CDROMREADTOCENTRY, &entry); status != Status::Ok)
                return status;
            toc.entries.append({leadOut ? leadOutNumber : number,
                                {entry.cdte_addr.msf.minute, entry.cdte_addr.msf.second, entry.cdte_addr.msf.frame},
                                entry.cdte_ctrl});
        }
        // A drive that cannot tell leaves the sessions to the table's data tracks.
        cdrom_multisession session{};
        session.addr_format = CDROM_LBA;
        if (control(fd, CDROMMULTISESSION, &session) == Status::Ok && session.xa_flag)
            toc.lastSessionStart = session.addr.lba;
        return Status::Ok;
    }

    Status readAudio(int lba, int sectors, char* buffer) override
    {
        cdrom_read_audio request{};
        request.addr.lba = lba;
        request.addr_format = CDROM_LBA;
        request.nframes = sectors;
        request.buf = reinterpret_cast<__u8*>(buffer);
        return control(fd, CDROMREADAUDIO, &request);
    }

    Status setLocked(bool locked) override
    {
        const Status status = control(fd, CDROM_LOCKDOOR, locked ? 1 : 0);
        // The kernel refuses an unlock while another program holds the drive open, and unlocks by
        // itself when the last one closes it: nothing stays locked because of us.
        return !locked && status != Status::Ok && errno == EBUSY ? Status::Ok : status;
    }


    bool mediaReady() override
    {
        return Linux::statusFromDriveStatus(::ioctl(fd, CDROM_DRIVE_STATUS, CDSL_CURRENT)) == Status::Ok;
    }

private:
    const int fd;
};

} // namespace

std::unique_ptr<Drive> openDevice(const QString& device, Status& status)
{
    const int fd = ::open(QFile::encodeName(device).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    status = fd < 0 ? Linux::statusFromErrno(errno) : Status::Ok;
    if (fd < 0)
        return nullptr;
    return std::make_unique<LinuxDrive>(fd);
}

} // namespace CdAudio
