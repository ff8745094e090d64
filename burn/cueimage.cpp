#include "burn/cueimage.h"

#include "platform/cdaudio.h"

#include <QFileInfo>

namespace CueImage {

QString binPath(const QString& cuePath)
{
    const QFileInfo cue(cuePath);
    return cue.absolutePath() + QLatin1Char('/') + cue.completeBaseName() + QStringLiteral(".bin");
}

QString msf(qint64 sector)
{
    constexpr int frames = CdAudio::framesPerSecond;
    return QStringLiteral("%1:%2:%3")
        .arg(sector / (frames * 60), 2, 10, QLatin1Char('0'))
        .arg(sector / frames % 60, 2, 10, QLatin1Char('0'))
        .arg(sector % frames, 2, 10, QLatin1Char('0'));
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
