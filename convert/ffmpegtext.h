#pragma once

#include <QString>
#include <QStringList>

// Reading FFmpeg's diagnostic output and shaping its arguments: text in, value out, no I/O.
//
// A report is outside text: file names and metadata (titles, comments, chapter names) appear in it
// verbatim, so nothing is read from it by searching for a word anywhere. Only the input's own header
// lines count: those that follow "Input #0, ..., from '<path>':" with an indent of exactly two
// blanks ("  Duration: ", "  Stream #..."); metadata is indented deeper.
namespace FfmpegText {

struct PathParts {
    QString fileName; // after the last separator; the whole path when it has none
    QString folder;   // up to and including the last separator; "" when it has none
    QString baseName; // fileName without the text from its last "."
};
[[nodiscard]] PathParts splitPath(const QString& path);

// The "hh:mm:ss" of the input's "  Duration:" line; "00:00:00" when the report has none or FFmpeg
// could not tell ("N/A"), so that the pages can always count with it.
[[nodiscard]] QString reportDuration(const QString& report, const QString& path);
// The same in milliseconds, fraction included; -1 when unknown.
[[nodiscard]] qint64 reportDurationMs(const QString& report, const QString& path);
// Whether FFmpeg only estimated that duration from the bitrate (raw ADTS AAC, VBR MP3 without an
// index header, MPEG program streams) and said so. Such a duration can be far off either way.
[[nodiscard]] bool durationEstimated(const QString& report, const QString& path);

// The fields of the input's first stream of a kind (marker "Video:" or "Audio:"), trimmed, split at
// the commas that stand outside parentheses: FFmpeg 5 writes "yuv420p(tv, bt709, progressive)" as
// one field. Empty when the input has no such stream.
[[nodiscard]] QStringList streamFields(const QString& report, const QString& path, const QString& marker);

// Seconds of an "hh:mm:ss" text, each field a decimal number; 0 when it is no such text.
[[nodiscard]] int durationSeconds(const QString& hhmmss);

// Where the thumbnail is taken: a twentieth into the file, or at 1 s for files up to 19 s long.
[[nodiscard]] int thumbnailSeekSeconds(const QString& duration);

// Whole seconds of the first "time=" of a chunk of progress output; 0 when the time is unreadable
// ("N/A") or negative.
[[nodiscard]] int progressSeconds(const QString& chunk);

// The last line of FFmpeg's output that states an error. Progress and statistics lines, the
// descriptions of inputs and outputs (their opening lines and indented stream and metadata lines)
// and the closing "Conversion failed!" say nothing about the cause and are passed over. "" when no line
// states an error (after a kill the output simply stops).
[[nodiscard]] QString errorLine(const QString& output);

// A reason a user understands for an error line: the common causes (disk full, no permission,
// read-only disk, missing file or folder, unknown encoder or option) as a plain sentence with
// FFmpeg's line kept after it; any other line as it is. "" for "".
[[nodiscard]] QString explainError(const QString& line);
// Whether explainError knows the cause of the line.
[[nodiscard]] bool isKnownCause(const QString& line);

// Whether the arguments cut the output short on purpose (a start, an end, a length, a frame count
// or a size limit), so that it may be shorter than its source.
[[nodiscard]] bool trimsOutput(const QStringList& args);

// A duration as a clock: "m:ss", or "h:mm:ss" from one hour on; rounded to whole seconds.
[[nodiscard]] QString clockText(qint64 ms);

// The preset's arguments for one source: split at single spaces, then either kept (presets that
// start with -pix_fmt or -vn, or hold -aspect, and those that fit a size, whose picture the runner
// plans), given "-vn" for a source without video (empty sourceSize), or with the frame size in the
// second token fitted to the source's shape.
[[nodiscard]] QStringList assembleArguments(const QString& ffmpegArgs, const QString& sourceSize);

// Fits a "WxH" box to a "WxH" source: full box width, height by the source's ratio, both reduced to
// the box height when taller, then made even upwards. Returns box unchanged when either text is not
// two numbers from 1 to maxFrameSide, rather than dividing by zero or overflowing.
[[nodiscard]] QString fitFrameSize(const QString& sourceSize, const QString& box);
inline constexpr int maxFrameSide = 16384;

} // namespace FfmpegText
