#pragma once

#include <QtGlobal>

#include <optional>

class QFile;

namespace DiscImage {

// Where the samples of a WAVE file lie, in bytes from the start of the file.
struct WaveData {
    qint64 offset = 0;
    qint64 length = 0;
};

// Reads the header of a WAVE file opened at its start, passing over the chunks it does not need;
// nothing unless its samples are CD audio (PCM, 2 channels, 44100 Hz, 16 bits).
[[nodiscard]] std::optional<WaveData> waveData(QFile& file);

} // namespace DiscImage
