#pragma once

#include <QList>
#include <QString>

// An audio CD as a file: a BIN of raw 2352-byte sectors of 16-bit little-endian stereo 44100 Hz
// audio, and the CUE sheet that marks where each track starts in it.
namespace CueImage {

// The BIN that the sheet at cuePath names: beside it, with the sheet's base name.
[[nodiscard]] QString binPath(const QString& cuePath);

// "mm:ss:ff" of a sector offset, 75 sectors a second.
[[nodiscard]] QString msf(qint64 sector);

// The sheet for a BIN (named without a folder, beside the sheet) holding the tracks one after
// the other, each the given number of sectors long.
[[nodiscard]] QString sheet(const QString& binName, const QList<qint64>& trackSectors);

} // namespace CueImage
