#pragma once

#include <QFile>
#include <QList>
#include <QtEndian>

#include <cmath>

// Disc images with known sound, as the burn step writes them: one BIN of raw 2352-byte sectors
// and a CUE sheet. Track n plays a tone of 110·n Hz (right channel inverted), so every track and
// channel differs.
namespace CdImage {

inline QByteArray tone(int track, int sectors)
{
    QByteArray pcm(qsizetype(sectors) * 2352, Qt::Uninitialized);
    char* out = pcm.data();
    for (qsizetype i = 0; i < qsizetype(sectors) * 588; ++i, out += 4) {
        const auto value = qint16(8000 * std::sin(2 * M_PI * 110 * track * double(i) / 44100));
        qToLittleEndian<qint16>(value, out);
        qToLittleEndian<qint16>(qint16(-value), out + 2);
    }
    return pcm;
}

// Writes folder/name.cue and .bin with one track per entry (a negative count is a data track of
// that many sectors) and returns the sheet's path.
inline QString write(const QString& folder, const QList<int>& sectors, const QString& name = "disc")
{
    QFile bin(folder + "/" + name + ".bin");
    QFile cue(folder + "/" + name + ".cue");
    if (!bin.open(QIODevice::WriteOnly) || !cue.open(QIODevice::WriteOnly))
        return {};
    cue.write(QString("TITLE \"%1\"\nFILE \"%1.bin\" BINARY\n").arg(name).toUtf8());
    int start = 0;
    for (int t = 0; t < sectors.size(); ++t) {
        const int count = std::abs(sectors[t]);
        cue.write(QString::asprintf("  TRACK %02d %s\n    INDEX 01 %02d:%02d:%02d\n", t + 1,
                                    sectors[t] < 0 ? "MODE1/2352" : "AUDIO", start / 4500, start / 75 % 60, start % 75)
                      .toUtf8());
        bin.write(tone(t + 1, count));
        start += count;
    }
    return cue.fileName();
}

} // namespace CdImage
