#pragma once

#include <QList>
#include <QString>

#include <memory>
#include <optional>

class QFile;

// CD digital audio straight from a drive: the table of contents, raw 2352-byte sectors and the
// tray. The machine's drives are reached through the Linux CD-ROM ioctls; a CUE sheet with its
// BIN (or WAVE) files is read through the same interface, so that a user can rip a disc image and
// the tests need no hardware.
namespace CdAudio {

inline constexpr int sectorBytes = 2352;
inline constexpr int framesPerSecond = 75;
// Minute-second-frame addresses run 150 sectors (the first track's two-second pregap) ahead of
// sector numbers.
inline constexpr int msfOffset = 150;
// The control nibble's bit that marks a data track.
inline constexpr unsigned dataControl = 0x04;
inline constexpr int leadOutNumber = 0xAA;

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
    [[nodiscard]] virtual Status eject() = 0;
    [[nodiscard]] virtual Status load() = 0;
    [[nodiscard]] virtual bool mediaReady() = 0;
};

// A CUE sheet (by its .cue suffix) opens as an image, anything else as a CD-ROM device. Null, with
// the reason in status, when it cannot be opened.
[[nodiscard]] std::unique_ptr<Drive> open(const QString& device, Status& status);

// The Linux CD-ROM interface's answers in the rip's terms.
namespace Linux {
[[nodiscard]] Status statusFromErrno(int error);
// An answer of CDROM_DRIVE_STATUS (CDS_...).
[[nodiscard]] Status statusFromDriveStatus(int driveStatus);
} // namespace Linux

// A CUE sheet as written: which files, which tracks in them, and where each track starts.
struct CueFile {
    enum class Type { Binary, Wave };
    QString name;
    Type type = Type::Binary;
};

struct CueTrack {
    int number = 0;
    int file = 0;                // index into CueSheet::files
    int sectorBytes = CdAudio::sectorBytes;
    bool audio = true;
    int index1 = 0;              // sectors from the start of its file
    int pregap = 0;              // silent sectors that the file does not hold (PREGAP)
};

struct CueSheet {
    QList<CueFile> files;
    QList<CueTrack> tracks;
};

// Where the samples of a WAVE file lie, in bytes from the start of the file.
struct WaveData {
    qint64 offset = 0;
    qint64 length = 0;
};
// Reads the header of a WAVE file opened at its start, passing over the chunks it does not need;
// nothing unless its samples are CD audio (PCM, 2 channels, 44100 Hz, 16 bits).
[[nodiscard]] std::optional<WaveData> waveData(QFile& file);

// Parses a CUE sheet; nothing, with the reason in error, when it is not one we can read.
[[nodiscard]] std::optional<CueSheet> parseCueSheet(const QString& text, QString* error = nullptr);

} // namespace CdAudio
