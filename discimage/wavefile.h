#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>

class QFile;
class QIODevice;

namespace DiscImage {

// Where the samples of a WAVE file lie, in bytes from the start of the file.
struct WaveData {
    qint64 offset = 0;
    qint64 length = 0;
};

// Reads the header of a WAVE file (or any device) opened at its start, passing over the chunks it does not need;
// nothing unless its samples are CD audio (PCM, 2 channels, 44100 Hz, 16 bits).
[[nodiscard]] std::optional<WaveData> waveData(QIODevice& file);

// Makes the samples of a WAVE file (open for reading and writing) dataBytes long, silence after
// them, and its header say so. False when other chunks follow the samples or it cannot be written.
[[nodiscard]] bool extendWithSilence(QFile& file, const WaveData& data, qint64 dataBytes);

// The 44-byte header of a PCM WAVE file that holds dataSize bytes of samples.
[[nodiscard]] QByteArray wavHeader(int sampleRate, int bitsPerSample, int channels, quint32 dataSize);
inline constexpr int wavHeaderBytes = 44;

} // namespace DiscImage
