#include "convert/ffmpegtext.h"

#include "convert/fitsize.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <cmath>

namespace FfmpegText {

namespace {

constexpr QChar separator = QLatin1Char('/');

struct Size {
    int width = 0;
    int height = 0;
};

// "W" "x" "H", each a decimal number; a piece that is no number, or larger than any frame FFmpeg
// makes, reads as 0 (a metadata text posing as a stream line must not make the sizes overflow).
Size parseSize(const QString& text)
{
    const QStringList pieces = text.split(QLatin1Char('x'));
    const auto side = [](const QString& piece) {
        const int value = piece.toInt();
        return value <= maxFrameSide ? value : 0;
    };
    return {side(pieces.value(0)), side(pieces.value(1))};
}

} // namespace

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

namespace {

// The input's header lines: those after "Input #0, <format>, from '<path>':" up to the next line
// that is not indented, and of those only the ones indented by exactly two blanks. The path is
// matched whole, so a name holding a line end or a header text of its own cannot pass for a header.
QStringList inputHeaderLines(const QString& report, const QString& path)
{
    const QString opening = QStringLiteral("from '") + path + QStringLiteral("':\n");
    const qsizetype at = report.indexOf(opening);
    if (at < 0)
        return {};
    QStringList lines;
    const QStringList rest = report.mid(at + opening.size()).split(QLatin1Char('\n'));
    for (const QString& line : rest) {
        if (!line.startsWith(QLatin1Char(' ')))
            break;
        if (line.size() > 2 && line.at(1) == QLatin1Char(' ') && line.at(2) != QLatin1Char(' '))
            lines.append(line);
    }
    return lines;
}

QString durationLine(const QString& report, const QString& path)
{
    for (const QString& line : inputHeaderLines(report, path)) {
        if (line.startsWith(QLatin1String("  Duration: ")))
            return line;
    }
    return {};
}

QStringList splitFields(const QString& line)
{
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

} // namespace

qint64 reportDurationMs(const QString& report, const QString& path)
{
    static const QRegularExpression time(QStringLiteral("^  Duration: (\\d{1,6}):(\\d\\d):(\\d\\d)(\\.\\d{1,6})?"));
    const QRegularExpressionMatch match = time.match(durationLine(report, path));
    if (!match.hasMatch())
        return -1;
    const qint64 seconds = match.captured(1).toLongLong() * 3600 + match.captured(2).toInt() * 60
                         + match.captured(3).toInt();
    const int milliseconds = match.captured(4).mid(1).leftJustified(3, QLatin1Char('0')).left(3).toInt();
    return seconds * 1000 + milliseconds;
}

bool durationEstimated(const QString& report, const QString& path)
{
    // The warning comes while FFmpeg opens the input, so before the input's header, on a line of
    // its own that starts with the demuxer's "[name @ 0x...]".
    static const QRegularExpression warning(QStringLiteral("^\\[[^\\]\\n]+ @ 0x[0-9a-f]+\\] Estimating duration from bitrate"),
                                            QRegularExpression::MultilineOption);
    const qsizetype at = report.indexOf(QStringLiteral("from '") + path + QStringLiteral("':\n"));
    return at >= 0 && warning.match(report.left(at)).hasMatch();
}

QString reportDuration(const QString& report, const QString& path)
{
    static const QRegularExpression time(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$"));
    const QString duration = durationLine(report, path).mid(12, 8);
    return time.match(duration).hasMatch() ? duration : QStringLiteral("00:00:00");
}

QStringList streamFields(const QString& report, const QString& path, const QString& marker)
{
    // "  Stream #0:1[0x2](und): Audio: aac ...": the kind follows the stream's number, its optional
    // id and its optional language.
    static const QRegularExpression stream(QStringLiteral("^  Stream #\\d+:\\d+(\\[\\w+\\])?(\\([^)]*\\))?: "));
    for (const QString& line : inputHeaderLines(report, path)) {
        const QRegularExpressionMatch match = stream.match(line);
        if (match.hasMatch() && line.mid(match.capturedEnd()).startsWith(marker))
            return splitFields(line.mid(match.capturedEnd() + marker.size()));
    }
    return {};
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

namespace {

// Lines that report how far FFmpeg got or what it read and wrote, never why it stopped.
bool isProgressOrStatistics(const QString& line)
{
    static const QRegularExpression progress(QStringLiteral("^(frame|size)=.*time="));
    static const QRegularExpression statistics(QStringLiteral(
        "muxing overhead|Qavg:|\\] Statistics:|frames successfully decoded|^\\s*(Total:|Input stream #|Output stream #)"));
    return progress.match(line).hasMatch() || statistics.match(line).hasMatch();
}

bool statesAnError(const QString& line)
{
    static const QRegularExpression error(
        QStringLiteral("error|fail|invalid|unknown|unrecognized|no such|denied|not found|no space|read-only|"
                       "cannot|could not|unable|does not|not supported|incorrect|too large|impossible|corrupt"),
        QRegularExpression::CaseInsensitiveOption);
    return error.match(line).hasMatch() && line != QLatin1String("Conversion failed!")
        && !isProgressOrStatistics(line);
}

// The description of an input or output: its opening line, which holds the path, and its indented
// stream and metadata lines. Words such as "unknown" (a colour space, an artist's folder, a title)
// appear there and say nothing about a failure.
bool isHeaderLine(const QString& line)
{
    return (!line.isEmpty() && line.front().isSpace()) || line.startsWith(QLatin1String("Input #"))
        || line.startsWith(QLatin1String("Output #"));
}

struct Cause {
    const char* marker;
    const char* sentence;
};

// The causes a user can act on, by the system's or FFmpeg's own words.
constexpr Cause causes[] = {
    {"No space left on device", QT_TRANSLATE_NOOP("FfmpegText", "The disk is full")},
    {"Read-only file system", QT_TRANSLATE_NOOP("FfmpegText", "The output folder is on a disk that cannot be written to")},
    {"Permission denied",
     QT_TRANSLATE_NOOP("FfmpegText", "Halvorn has no permission to read the source or to write to the output folder")},
    {"No such file or directory", QT_TRANSLATE_NOOP("FfmpegText", "The source or the output folder no longer exists")},
    {"Unknown encoder", QT_TRANSLATE_NOOP("FfmpegText", "This FFmpeg cannot write the format that the preset asks for")},
    {"Encoder not found", QT_TRANSLATE_NOOP("FfmpegText", "This FFmpeg cannot write the format that the preset asks for")},
    {"Unrecognized option", QT_TRANSLATE_NOOP("FfmpegText", "This FFmpeg does not understand an option of the preset")},
    {"Option not found", QT_TRANSLATE_NOOP("FfmpegText", "This FFmpeg does not understand an option of the preset")},
};

const Cause* causeOf(const QString& line)
{
    for (const Cause& cause : causes) {
        if (line.contains(QLatin1String(cause.marker)))
            return &cause;
    }
    return nullptr;
}

} // namespace

QString errorLine(const QString& output)
{
    static const QRegularExpression lineEnd(QStringLiteral("[\\r\\n]"));
    const QStringList lines = output.split(lineEnd);
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
        if (!isHeaderLine(*line) && statesAnError(line->trimmed()))
            return line->trimmed();
    }
    return {};
}

bool isKnownCause(const QString& line)
{
    return causeOf(line) != nullptr;
}

QString explainError(const QString& line)
{
    const Cause* cause = causeOf(line);
    if (!cause)
        return line;
    return QCoreApplication::translate("FfmpegText", "%1. FFmpeg said: %2")
        .arg(QCoreApplication::translate("FfmpegText", cause->sentence), line);
}

bool trimsOutput(const QStringList& args)
{
    static const QRegularExpression trimming(
        QStringLiteral("^-(t|to|ss|sseof|fs|frames(:.*)?|vframes|aframes|dframes)$"));
    for (const QString& arg : args) {
        if (trimming.match(arg).hasMatch())
            return true;
    }
    return false;
}

QString clockText(qint64 ms)
{
    const qint64 positive = std::max<qint64>(ms, 0);
    const qint64 seconds = positive / 1000 + (positive % 1000 >= 500 ? 1 : 0);
    const QString minutesAndSeconds =
        QStringLiteral("%1:%2").arg(seconds / 60 % 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
    if (seconds < 3600)
        return minutesAndSeconds;
    return QStringLiteral("%1:%2").arg(seconds / 3600).arg(minutesAndSeconds.rightJustified(5, QLatin1Char('0')));
}

QStringList assembleArguments(const QString& ffmpegArgs, const QString& sourceSize)
{
    QStringList parts = ffmpegArgs.split(QLatin1Char(' '));
    const QString& first = parts.first();
    if (first == QLatin1String("-pix_fmt") || first == QLatin1String("-vn")
        || ffmpegArgs.contains(QLatin1String("-aspect")))
        return parts;
    // A size to fit in: the runner plans the picture from the source itself.
    if (FitSize::isFitJob(parts) && !sourceSize.isEmpty())
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
