#pragma once

#include "platform/cdaudio.h"

#include <QList>
#include <QString>

#include <optional>

// CUE sheets: the text that says which files an audio CD image is made of, which tracks lie in
// them and where each starts. Read by the image drive, written by the CD image burner.
namespace DiscImage {

// No sheet of a real CD comes near this: 99 tracks with every note a sheet can carry take a few
// dozen KB. A larger file is no sheet, and reading it whole would cost the memory of its size.
inline constexpr qint64 maxSheetBytes = 256 * 1024;
// The most sound a CD can hold, overburnt: 100 minutes.
inline constexpr int maxDiscSectors = 100 * 60 * CdAudio::framesPerSecond;

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

// Parses a CUE sheet; nothing, with the reason in error, when it is not one we can read.
[[nodiscard]] std::optional<CueSheet> parseCueSheet(const QString& text, QString* error = nullptr);

// The BIN that a sheet written by sheetText names: beside it, with the sheet's base name.
[[nodiscard]] QString binPath(const QString& cuePath);

// "mm:ss:ff" of a sector offset, 75 sectors a second.
[[nodiscard]] QString msf(qint64 sector);

// The sheet for a BIN (named without a folder, beside the sheet) holding the tracks one after
// the other, each the given number of sectors long.
[[nodiscard]] QString sheetText(const QString& binName, const QList<qint64>& trackSectors);

} // namespace DiscImage
