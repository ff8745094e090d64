#include "discimage/wavefile.h"

#include <QFile>
#include <QtEndian>

#include <cstring>
#include <limits>

namespace DiscImage {

std::optional<WaveData> waveData(QIODevice& file)
{
    const QByteArray riff = file.read(12);
    if (riff.size() != 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE")
        return std::nullopt;
    bool cdAudio = false;
    for (;;) {
        const QByteArray chunk = file.read(8);
        if (chunk.size() != 8)
            return std::nullopt;
        const qint64 size = qFromLittleEndian<quint32>(chunk.constData() + 4);
        if (chunk.startsWith("fmt ")) {
            char format[16];
            cdAudio = size >= 16 && file.peek(format, sizeof format) == qint64(sizeof format)
                && qFromLittleEndian<quint16>(format) == 1 && qFromLittleEndian<quint16>(format + 2) == 2
                && qFromLittleEndian<quint32>(format + 4) == 44100 && qFromLittleEndian<quint16>(format + 14) == 16;
        } else if (chunk.startsWith("data")) {
            if (!cdAudio)
                return std::nullopt;
            // A writer that could not go back to fill in the length (one writing to a pipe) leaves
            // all ones: the samples then run to the end of the file.
            return WaveData{file.pos(), std::min(size, file.size() - file.pos())};
        }
        const qint64 next = file.pos() + size + (size & 1);
        if (next > file.size() || !file.seek(next))
            return std::nullopt;
    }
}

bool extendWithSilence(QFile& file, const WaveData& data, qint64 dataBytes)
{
    const qint64 added = dataBytes - data.length;
    if (added <= 0)
        return true;
    if (data.offset + data.length != file.size() || dataBytes > std::numeric_limits<quint32>::max() - data.offset
        || !file.seek(file.size()) || file.write(QByteArray(added, '\0')) != added)
        return false;
    char size[4];
    qToLittleEndian(quint32(file.size() - 8), size);
    if (!file.seek(4) || file.write(size, 4) != 4)
        return false;
    qToLittleEndian(quint32(dataBytes), size);
    return file.seek(data.offset - 4) && file.write(size, 4) == 4 && file.flush();
}

QByteArray wavHeader(int sampleRate, int bitsPerSample, int channels, quint32 dataSize)
{
    QByteArray header(wavHeaderBytes, '\0');
    char* const bytes = header.data();
    const auto put32 = [bytes](int offset, quint32 value) { qToLittleEndian(value, bytes + offset); };
    const auto put16 = [bytes](int offset, quint16 value) { qToLittleEndian(value, bytes + offset); };
    std::memcpy(bytes, "RIFF", 4);
    put32(4, 36 + dataSize);
    std::memcpy(bytes + 8, "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);
    put16(22, quint16(channels));
    put32(24, quint32(sampleRate));
    put32(28, quint32(sampleRate * bitsPerSample * channels / 8));
    put16(32, quint16(bitsPerSample * channels / 8));
    put16(34, quint16(bitsPerSample));
    std::memcpy(bytes + 36, "data", 4);
    put32(40, dataSize);
    return header;
}

} // namespace DiscImage
