#include "convert/ffmpegtext.h"

#include <QRegularExpression>

#include <cmath>

namespace FfmpegText {

namespace {

constexpr QChar separator = QLatin1Char('/');

struct Size {
    int width = 0;
    int height = 0;
};

// "W" "x" "H", each a decimal number; a piece that is no number reads as 0.
Size parseSize(const QString& text)
{
    const QStringList pieces = text.split(QLatin1Char('x'));
    return {pieces.value(0).toInt(), pieces.value(1).toInt()};
}

} // namespace

QString decode(const QByteArray& bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    return QString::fromUtf8(nul < 0 ? bytes : bytes.left(nul));
}

PathParts splitPath(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(separator);
    PathParts parts;
    parts.fileName = path.mid(slash + 1);
    parts.folder = slash < 0 ? QString() : path.left(slash + 1);
    const qsizetype dot = parts.fileName.lastIndexOf(QLatin1Char('.'));
    parts.baseName = dot < 0 ? parts.fileName : parts.fileName.left(dot);
    return parts;
}

QString reportDuration(const QString& report)
{
    static const QRegularExpression time(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$"));
    const qsizetype at = report.indexOf(QLatin1String("Duration:"));
    const QString duration = at < 0 ? QString() : report.mid(at + 10, 8);
    return time.match(duration).hasMatch() ? duration : QStringLiteral("00:00:00");
}

QStringList streamFields(const QString& report, const QString& marker)
{
    const qsizetype at = report.indexOf(marker);
    if (at <= 0)
        return {};
    const qsizetype start = at + marker.size();
    const qsizetype end = report.indexOf(QLatin1Char('\n'), start);
    const QString line = report.mid(start, end < 0 ? -1 : end - start);

    QStringList fields;
    int depth = 0;
    qsizetype fieldStart = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')') && depth > 0)
            --depth;
        else if (c == QLatin1Char(',') && depth == 0) {
            fields.append(line.mid(fieldStart, i - fieldStart).trimmed());
            fieldStart = i + 1;
        }
    }
    fields.append(line.mid(fieldStart).trimmed());
    return fields;
}

int durationSeconds(const QString& hhmmss)
{
    const QStringList fields = hhmmss.split(QLatin1Char(':'));
    if (fields.size() != 3)
        return 0;
    int seconds = 0;
    for (const QString& field : fields) {
        bool isNumber = false;
        const int value = field.toInt(&isNumber, 10);
        if (!isNumber || value < 0)
            return 0;
        seconds = seconds * 60 + value;
    }
    return seconds;
}

int thumbnailSeekSeconds(const QString& duration)
{
    const int seconds = durationSeconds(duration);
    return seconds > 19 ? seconds / 20 : 1;
}

int progressSeconds(const QString& chunk)
{
    static const QRegularExpression time(QStringLiteral("^(\\d+):(\\d\\d):(\\d\\d)(\\.\\d*)?"));
    const qsizetype at = chunk.indexOf(QLatin1String("time="));
    if (at < 0)
        return 0;
    const QRegularExpressionMatch match = time.match(chunk.mid(at + 5, 11));
    if (!match.hasMatch())
        return 0;
    return match.captured(1).toInt() * 3600 + match.captured(2).toInt() * 60 + match.captured(3).toInt();
}

QString lastLine(const QString& text)
{
    const QString trimmed = text.trimmed();
    // Progress lines end in "\r", so the reason may follow one rather than a line feed.
    const qsizetype at = std::max(trimmed.lastIndexOf(QLatin1Char('\n')), trimmed.lastIndexOf(QLatin1Char('\r')));
    return trimmed.mid(at + 1).trimmed();
}

QStringList assembleArguments(const QString& ffmpegArgs, const QString& sourceSize)
{
    QStringList parts = ffmpegArgs.split(QLatin1Char(' '));
    const QString& first = parts.first();
    if (first == QLatin1String("-pix_fmt") || first == QLatin1String("-vn")
        || ffmpegArgs.contains(QLatin1String("-aspect")))
        return parts;
    if (sourceSize.isEmpty()) {
        parts.append(QStringLiteral("-vn"));
        return parts;
    }
    if (parts.size() > 1)
        parts[1] = fitFrameSize(sourceSize, parts.at(1));
    return parts;
}

QString fitFrameSize(const QString& sourceSize, const QString& box)
{
    const Size source = parseSize(sourceSize);
    const Size limit = parseSize(box);
    if (source.width <= 0 || source.height <= 0 || limit.width <= 0 || limit.height <= 0)
        return box;
    const double ratio = double(source.width) / double(source.height);
    int width = limit.width;
    int height = int(std::trunc(limit.width / ratio));
    if (limit.height < height) {
        height = limit.height;
        width = int(std::trunc(limit.height * ratio));
    }
    width += width % 2;
    height += height % 2;
    return QStringLiteral("%1x%2").arg(width).arg(height);
}

} // namespace FfmpegText
