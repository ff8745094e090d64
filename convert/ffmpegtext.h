#pragma once

#include <QString>
#include <QStringList>

// Reading FFmpeg's diagnostic output and shaping its arguments: text in, value out, no I/O.
namespace FfmpegText {

// FFmpeg's output as text: UTF-8 (file names), cut at the first NUL byte.
[[nodiscard]] QString decode(const QByteArray& bytes);

struct PathParts {
    QString fileName; // after the last separator; the whole path when it has none
    QString folder;   // up to and including the last separator; "" when it has none
    QString baseName; // fileName without the text from its last "."
};
[[nodiscard]] PathParts splitPath(const QString& path);

// The "hh:mm:ss" after the first "Duration: " of a probe report; "00:00:00" when the report has
// none or FFmpeg could not tell ("N/A"), so that the pages can always count with it.
[[nodiscard]] QString reportDuration(const QString& report);

// The fields of the first stream line holding marker ("Video:" or "Audio:"), trimmed, split at the
// commas that stand outside parentheses: FFmpeg 5 writes "yuv420p(tv, bt709, progressive)" as one
// field. Empty when the report has no such stream.
[[nodiscard]] QStringList streamFields(const QString& report, const QString& marker);

// Seconds of an "hh:mm:ss" text, each field a decimal number; 0 when it is no such text.
[[nodiscard]] int durationSeconds(const QString& hhmmss);

// Where the thumbnail is taken: a twentieth into the file, or at 1 s for files up to 19 s long.
[[nodiscard]] int thumbnailSeekSeconds(const QString& duration);

// Whole seconds of the first "time=" of a chunk of progress output; 0 when the time is unreadable
// ("N/A") or negative.
[[nodiscard]] int progressSeconds(const QString& chunk);

// The last line of FFmpeg's error output, which holds the reason of a failure.
[[nodiscard]] QString lastLine(const QString& text);

// The preset's arguments for one source: split at single spaces, then either kept (presets that
// start with -pix_fmt or -vn, or hold -aspect), given "-vn" for a source without video (empty
// sourceSize), or with the frame size in the second token fitted to the source's shape.
[[nodiscard]] QStringList assembleArguments(const QString& ffmpegArgs, const QString& sourceSize);

// Fits a "WxH" box to a "WxH" source: full box width, height by the source's ratio, both reduced to
// the box height when taller, then made even upwards. Returns box unchanged when either text is not
// two positive numbers, rather than dividing by zero.
[[nodiscard]] QString fitFrameSize(const QString& sourceSize, const QString& box);

} // namespace FfmpegText
