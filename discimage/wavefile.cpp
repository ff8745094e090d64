#include "discimage/wavefile.h"

#include <QFile>
#include <QtEndian>

namespace DiscImage {

std::optional<WaveData> waveData(QFile& file)
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
        if (!file.seek(file.pos() + size + (size & 1)))
            return std::nullopt;
    }
}

} // namespace DiscImage
