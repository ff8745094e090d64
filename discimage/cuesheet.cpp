#include "discimage/cuesheet.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace DiscImage {

using CdAudio::framesPerSecond;
using CdAudio::sectorBytes;

namespace {

class Message final {
    Q_DECLARE_TR_FUNCTIONS(DiscImage)
};

// Splits a CUE line into words; a quoted word keeps its blanks.
QStringList cueWords(const QString& line)
{
    QStringList words;
    QString word;
    bool quoted = false;
    bool inWord = false;
    for (const QChar c : line) {
        if (c == u'"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && c.isSpace()) {
            if (inWord)
                words.append(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.append(word);
    return words;
}

// "mm:ss:ff" in sectors; -1 when it is not such a time.
int cueTime(const QString& text)
{
    const QStringList parts = text.split(u':');
    bool ok[3] = {};
    if (parts.size() != 3)
        return -1;
    const int minutes = parts[0].toInt(&ok[0]);
    const int seconds = parts[1].toInt(&ok[1]);
    const int frames = parts[2].toInt(&ok[2]);
    if (!ok[0] || !ok[1] || !ok[2] || minutes < 0 || minutes > 99 || seconds < 0 || seconds > 59 || frames < 0
        || frames >= framesPerSecond)
        return -1;
    return (minutes * 60 + seconds) * framesPerSecond + frames;
}

bool trackMode(const QString& mode, CueTrack& track)
{
    static const QList<std::pair<QString, int>> dataModes = {
        {QStringLiteral("MODE1/2048"), 2048}, {QStringLiteral("MODE1/2352"), 2352},
        {QStringLiteral("MODE2/2048"), 2048}, {QStringLiteral("MODE2/2324"), 2324},
        {QStringLiteral("MODE2/2336"), 2336}, {QStringLiteral("MODE2/2352"), 2352},
        {QStringLiteral("CDI/2336"), 2336},   {QStringLiteral("CDI/2352"), 2352},
    };
    track.audio = mode.compare(QLatin1String("AUDIO"), Qt::CaseInsensitive) == 0;
    track.sectorBytes = sectorBytes;
    if (track.audio)
        return true;
    for (const auto& [name, bytes] : dataModes) {
        if (mode.compare(name, Qt::CaseInsensitive) == 0) {
            track.sectorBytes = bytes;
            return true;
        }
    }
    return false;
}

} // namespace

std::optional<CueSheet> parseCueSheet(const QString& text, QString* error)
{
    CueSheet sheet;
    const auto fail = [error](const QString& problem) {
        if (error)
            *error = problem;
        return std::nullopt;
    };
    const auto missingIndex = [&] {
        return !sheet.tracks.isEmpty() && sheet.tracks.last().index1 < 0;
    };
    int lineNumber = 0;
    for (const QString& line : text.split(u'\n')) {
        ++lineNumber;
        const QString at = Message::tr("line %1: ").arg(lineNumber);
        QStringList words = cueWords(QString(line).remove(QChar(0xFEFF)));
        if (words.isEmpty())
            continue;
        const QString keyword = words.takeFirst().toUpper();
        if (keyword == QLatin1String("FILE")) {
            if (words.size() < 2)
                return fail(at + Message::tr("FILE needs a name and a type"));
            const QString type = words.takeLast().toUpper();
            CueFile file{words.join(u' '), CueFile::Type::Binary};
            if (type == QLatin1String("WAVE"))
                file.type = CueFile::Type::Wave;
            else if (type != QLatin1String("BINARY"))
                return fail(at + Message::tr("files of type %1 cannot be read").arg(type));
            sheet.files.append(file);
        } else if (keyword == QLatin1String("TRACK")) {
            if (missingIndex())
                return fail(Message::tr("track %1 has no INDEX 01").arg(sheet.tracks.last().number));
            CueTrack track;
            bool ok = false;
            track.number = words.value(0).toInt(&ok);
            track.file = int(sheet.files.size()) - 1;
            track.index1 = -1;
            if (track.file < 0 || !ok || track.number < 1 || track.number > 99
                || (!sheet.tracks.isEmpty() && track.number <= sheet.tracks.last().number)
                || !trackMode(words.value(1), track))
                return fail(at + Message::tr("a TRACK line that names no track of a disc"));
            sheet.tracks.append(track);
        } else if (keyword == QLatin1String("INDEX") || keyword == QLatin1String("PREGAP")) {
            const bool index = keyword == QLatin1String("INDEX");
            const int time = cueTime(words.value(index ? 1 : 0));
            if (sheet.tracks.isEmpty() || time < 0)
                return fail(at + Message::tr("%1 without a track or a time").arg(keyword));
            CueTrack& track = sheet.tracks.last();
            if (!index)
                track.pregap = time;
            else if (words.value(0).toInt() == 1)
                track.index1 = time;
        }
        // Everything else (REM, TITLE, PERFORMER, FLAGS, ISRC, CATALOG, POSTGAP ...) leaves the audio alone.
    }
    if (sheet.tracks.isEmpty())
        return fail(Message::tr("no tracks"));
    if (missingIndex())
        return fail(Message::tr("track %1 has no INDEX 01").arg(sheet.tracks.last().number));
    return sheet;
}

QString binPath(const QString& cuePath)
{
    const QFileInfo cue(cuePath);
    return cue.absolutePath() + QLatin1Char('/') + cue.completeBaseName() + QStringLiteral(".bin");
}

QString msf(qint64 sector)
{
    return QStringLiteral("%1:%2:%3")
        .arg(sector / (framesPerSecond * 60), 2, 10, QLatin1Char('0'))
        .arg(sector / framesPerSecond % 60, 2, 10, QLatin1Char('0'))
        .arg(sector % framesPerSecond, 2, 10, QLatin1Char('0'));
}

QString sheetText(const QString& binName, const QList<qint64>& trackSectors)
{
    QString text = QStringLiteral("FILE \"%1\" BINARY\n").arg(binName);
    qint64 start = 0;
    for (qsizetype i = 0; i < trackSectors.size(); ++i) {
        text += QStringLiteral("  TRACK %1 AUDIO\n    INDEX 01 %2\n").arg(i + 1, 2, 10, QLatin1Char('0')).arg(msf(start));
        start += trackSectors.at(i);
    }
    return text;
}

} // namespace DiscImage
