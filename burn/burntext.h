#pragma once

#include "platform/drives.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Reading the burning tools' output and shaping the texts of a burn: text in, value out, no I/O.
// The tools' formats are their own; only the markers and positions used here are relied on.
namespace BurnText {

// Whole-job percentage from a chunk of the authoring tool's error output: its second pass reports
// "(n/m, P%)" and fills 10 to 20 %, its first pass "at M MB" and fills 0 to 10 % of totalBytes.
// Nothing when the chunk reports no progress (or 0).
[[nodiscard]] std::optional<int> authoringProgress(const QString& chunk, qint64 totalBytes);

// What one poll of a DVD writer (the burner, or the image writer it drives) says.
struct WriterPoll {
    std::optional<int> progress;     // 20 to 100 % from the last "P% done"
    bool closing = false;            // "Total translation table size:": the data is written
    std::optional<QString> timeLeft; // from "estimate finish", when that lies after now
};
[[nodiscard]] WriterPoll writerPoll(const QString& chunk, const QDateTime& now);

// "Time remaining: mm:ss (approx.)"; minutes are not capped.
[[nodiscard]] QString timeRemaining(qint64 seconds);

// What one poll of the CD burner's standard output says.
struct CdPoll {
    std::optional<int> trackCount; // from the track list before "Total size:"
    bool fixating = false;         // "Fixating...": the disc is being closed
    bool burning = false;          // any other chunk, also an empty one
    std::optional<int> progress;   // 0 to 99 %, each of the trackCount tracks an equal share
};
[[nodiscard]] CdPoll cdPoll(const QString& chunk, int trackCount);

// The disc-information tool's "Disc status:" and "Free Blocks:" (2 KiB blocks).
struct MediaInfo {
    QString status;
    quint32 freeBlocks = 0;
    QString media; // "Mounted Media:", such as "9h, CD-R"
};
[[nodiscard]] MediaInfo mediaInfo(const QString& output);

// The DVD check's message for the disc-information tool's output; empty when the disc will do.
[[nodiscard]] QString dvdDiscMessage(const QString& output, int totalSeconds);
// The message for a disc image of totalSeconds of media, a DVD's or an audio CD's: the image is
// there to be burned, so it holds no more than the largest disc of its kind. Empty when it fits.
[[nodiscard]] QString imageMessage(bool dvd, int totalSeconds);
// The CD check's message for the disc-status tool's output; empty when the disc will do.
[[nodiscard]] QString cdDiscMessage(const QString& output, const QString& driveRoot, int totalSeconds);
// What the disc-status tool prints for a CD drive, from the disc-information tool's output:
// "DISC_STATUS=..." and "FREE_SECONDS=..." lines, or a sentence for the user when it cannot tell.
[[nodiscard]] QString discStatusReport(const QString& device, const QString& mediaInfoOutput);

// The bus scan's device lines, each rewritten to "b,t,u [identity]".
[[nodiscard]] QStringList busScanLines(const QString& output);

struct BurnDrive {
    QString text;     // device, " [", vendor, product and revision, "]"
    QString device;   // the drive itself, for the disc checks and for playing the disc
    QString deviceId; // what the burning tool is given: the device, or the CD tool's bus address
};
// The DVD burner's drives: each drive as it is, known by its device.
[[nodiscard]] QList<BurnDrive> dvdDrives(const QList<Drives::OpticalDrive>& drives);
// The CD burner's drives: scan lines matched to drives by identity, the rest paired in order.
[[nodiscard]] QList<BurnDrive> cdDrives(const QList<Drives::OpticalDrive>& drives, const QStringList& scanLines);

// "PAL" when the preset label's first word is exactly "PAL", otherwise "NTSC".
[[nodiscard]] QString videoFormat(const QString& presetLabel);

// The name a file to be burned gets, so that name order is creation order: its creation time in
// UTC as yyyyMMddhhmmsszzz, then the suffix.
[[nodiscard]] QString burnName(const QDateTime& created, const QString& suffix);

// The volume name of an image file: its base name in the characters a volume name may hold.
[[nodiscard]] QString volumeName(const QString& imagePath);

} // namespace BurnText
