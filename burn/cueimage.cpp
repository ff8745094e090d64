#include "burn/cueimage.h"

#include <QFileInfo>
#include <QtEndian>

namespace CueImage {

namespace {

constexpr quint16 pcmFormat = 1;

} // namespace

std::optional<WavAudio> cdAudio(QIODevice& wav)
{
    if (!wav.seek(0))
        return std::nullopt;
    const QByteArray riff = wav.read(12);
    if (riff.size() < 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE")
        return std::nullopt;
    bool cdFormat = false;
    for (;;) {
        const QByteArray header = wav.read(8);
        if (header.size() < 8)
            return std::nullopt;
        const qint64 size = qFromLittleEndian<quint32>(header.constData() + 4);
        if (header.startsWith("data")) {
            // A writer that could not go back to fill in the size leaves 0 or all ones: the
            // samples then run to the end of the file.
            const qint64 rest = wav.size() - wav.pos();
            const qint64 samples = size == 0 || size > rest ? rest : size;
            if (!cdFormat)
                return std::nullopt;
            return WavAudio{wav.pos(), samples - samples % 4};
        }
        if (size > wav.size() - wav.pos())
            return std::nullopt;
        const QByteArray body = wav.read(size + (size & 1));
        if (header.startsWith("fmt ") && size >= 16) {
            const char* f = body.constData();
            cdFormat = qFromLittleEndian<quint16>(f) == pcmFormat && qFromLittleEndian<quint16>(f + 2) == 2
                    && qFromLittleEndian<quint32>(f + 4) == 44100 && qFromLittleEndian<quint16>(f + 14) == 16;
        }
    }
}

QString binPath(const QString& cuePath)
{
    const QFileInfo cue(cuePath);
    return cue.absolutePath() + QLatin1Char('/') + cue.completeBaseName() + QStringLiteral(".bin");
}

QString msf(qint64 sector)
{
    return QStringLiteral("%1:%2:%3")
        .arg(sector / (75 * 60), 2, 10, QLatin1Char('0'))
        .arg(sector / 75 % 60, 2, 10, QLatin1Char('0'))
        .arg(sector % 75, 2, 10, QLatin1Char('0'));
}

QString sheet(const QString& binName, const QList<qint64>& trackSectors)
{
    QString text = QStringLiteral("FILE \"%1\" BINARY\n").arg(binName);
    qint64 start = 0;
    for (qsizetype i = 0; i < trackSectors.size(); ++i) {
        text += QStringLiteral("  TRACK %1 AUDIO\n    INDEX 01 %2\n").arg(i + 1, 2, 10, QLatin1Char('0')).arg(msf(start));
        start += trackSectors.at(i);
    }
    return text;
}

} // namespace CueImage
