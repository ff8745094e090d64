#pragma once

#include <QList>
#include <QString>

#include <memory>

// CD digital audio straight from a drive: the table of contents, raw 2352-byte sectors and the
// tray, through the Linux CD-ROM ioctls. Disc images implement the same Drive interface.
namespace CdAudio {

inline constexpr int sectorBytes = 2352;
inline constexpr int framesPerSecond = 75;
// Minute-second-frame addresses run 150 sectors (the first track's two-second pregap) ahead of
// sector numbers.
inline constexpr int msfOffset = 150;
// The control nibble's bit that marks a data track.
inline constexpr unsigned dataControl = 0x04;
inline constexpr int leadOutNumber = 0xAA;
// Between the audio session of an enhanced CD and its data session: the first session's lead-out
// (6750 sectors), the second one's lead-in (4500) and the data track's pregap (150). None of it
// holds sound.
inline constexpr int sessionGapSectors = 11400;

// How a request to the drive ended, in the terms the rip cares about.
enum class Status {
    Ok,
    NoDrive,     // the device does not exist or went away
    NoDisc,      // no disc, the tray is open, or the image's files went away
    NotReady,    // the drive is busy or does not answer
    MediumError, // this part of the disc cannot be read (a scratch, or past the lead-out)
    Unsupported, // not a CD drive, or it cannot do this
    NoAccess,
    Failed,
};

struct Msf {
    int minute = 0;
    int second = 0;
    int frame = 0;
    friend bool operator==(const Msf&, const Msf&) = default;
};

struct TocEntry {
    int number = 0; // the track number, or leadOutNumber
    Msf address;
    unsigned control = 0;
};

struct Toc {
    int firstTrack = 0;
    int lastTrack = 0;
    QList<TocEntry> entries; // the tracks first to last, then the lead-out
    int lastSessionStart = -1; // where a multisession disc's last session begins, when the drive says
};

[[nodiscard]] int msfToLba(const Msf& msf);
[[nodiscard]] Msf lbaToMsf(int lba);
[[nodiscard]] QString statusText(Status status);

// One open drive or image. Every call returns: a drive that does not answer ends in an error
// once the kernel's command timeout has passed, never in an endless wait.
class Drive {
public:
    virtual ~Drive() = default;
    [[nodiscard]] virtual Status readToc(Toc& toc) = 0;
    // Reads sectors raw CD-DA sectors from lba into buffer, which holds sectors * sectorBytes.
    [[nodiscard]] virtual Status readAudio(int lba, int sectors, char* buffer) = 0;
    [[nodiscard]] virtual Status setLocked(bool locked) = 0;
    [[nodiscard]] virtual bool mediaReady() = 0;
};

// A CD-ROM device. Null, with the reason in status, when it cannot be opened.
[[nodiscard]] std::unique_ptr<Drive> openDevice(const QString& device, Status& status);

// The Linux CD-ROM interface's answers in the rip's terms.
namespace Linux {
[[nodiscard]] Status statusFromErrno(int error);
// An answer of CDROM_DRIVE_STATUS (CDS_...).
[[nodiscard]] Status statusFromDriveStatus(int driveStatus);
} // namespace Linux

} // namespace CdAudio
