#pragma once

#include <QIODevice>
#include <QList>
#include <QString>

#include <optional>

// An audio CD as a file: a BIN of raw 2352-byte sectors of 16-bit little-endian stereo 44100 Hz
// audio, and the CUE sheet that marks where each track starts in it.
namespace CueImage {

// The BIN that the sheet at cuePath names: beside it, with the sheet's base name.
[[nodiscard]] QString binPath(const QString& cuePath);

inline constexpr qint64 sectorBytes = 2352;

// Where the samples of a WAV file lie, when they are CD audio.
struct WavAudio {
    qint64 offset = 0;
    qint64 size = 0;
};
// Reads the WAV header of the device from its start. Nothing when it is no PCM WAV of two 16-bit
// channels at 44100 Hz.
[[nodiscard]] std::optional<WavAudio> cdAudio(QIODevice& wav);

// "mm:ss:ff" of a sector offset, 75 sectors a second.
[[nodiscard]] QString msf(qint64 sector);

// The sheet for a BIN (named without a folder, beside the sheet) holding the tracks one after
// the other, each the given number of sectors long.
[[nodiscard]] QString sheet(const QString& binName, const QList<qint64>& trackSectors);

} // namespace CueImage
