#pragma once

#include "convert/mediaheader.h"

#include <QSize>
#include <QString>
#include <QStringList>

// Encoding to a size: a preset that holds "-fit-size MB" makes a file of at most that many
// megabytes (1,000,000 bytes each, the smaller reading, so the file fits whichever one a service
// means). Its encode is planned from the source: the bitrate that the size leaves over the length,
// the largest picture that bitrate can fill well, sound that takes a fair share, then two passes of
// H.264. A planned encode may still miss by a little; the runner checks the size and encodes
// again with the picture's bitrate scaled by the miss. Text in, plan out, no I/O.
namespace FitSize {

inline constexpr auto sizeOption = "-fit-size";
inline constexpr double bytesPerMegabyte = 1e6;
// Encodes after the first, at most, before a file that stays too large is given up.
inline constexpr int maxReencodes = 2;

struct Plan {
    QString refusal;         // why nothing can be encoded; "" when the plan holds
    qint64 targetBytes = 0;
    double seconds = 0;      // the source's length
    QSize frame;             // the picture; empty: none
    qint64 videoBitrate = 0; // bit/s
    int audioBitrate = 0;    // bit/s; 0: no sound
    int channels = 0;
    qint64 overheadBytes = 0; // what the container takes beyond the streams, as expected
    // A picture is encoded in two passes; sound alone in one.
    [[nodiscard]] bool twoPass() const { return !frame.isEmpty(); }
};

// Whether the arguments ask for a size rather than a quality.
[[nodiscard]] bool isFitJob(const QStringList& args);
[[nodiscard]] Plan plan(const QStringList& args, const MediaHeader::Facts& source);
// The plan for the next encode after one of madeBytes missed its target: the picture's bitrate
// (without a picture, the sound's) scaled down by the miss.
[[nodiscard]] Plan corrected(const Plan& plan, qint64 madeBytes);

// FFmpeg's options for one pass: 1 or 2 of a two-pass encode, 0 for the one pass of sound alone.
// The first pass writes no file: its output is "-". passLog: the prefix of the encoder's pass files.
[[nodiscard]] QStringList passArguments(const QStringList& args, const Plan& plan, int pass, const QString& passLog);

// How much of the whole conversion is done, from 0 to 1, when pass (as above) of encode (0 the
// first) has done passDone of its work. The first pass counts as what it costs, less than the
// second; re-encodes fill the last tenth, so that the bar never goes back.
[[nodiscard]] double progressShare(int encode, int pass, double passDone);

// "8 MB", "7.5 MB", "8.42 MB".
[[nodiscard]] QString sizeText(qint64 bytes);
// The size the arguments ask for, in MB as written; "" when they ask for none.
[[nodiscard]] QString megabytesOf(const QString& ffmpegArgs);
// The arguments with their size set to megabytes (a positive number, as typed): the value of
// "-fit-size" replaced, or "-fit-size MB" put in front of a preset that fitted no size.
[[nodiscard]] QString withSize(const QString& ffmpegArgs, const QString& megabytes);
// Why a preset cannot be fitted to a size (only H.264 pictures can); "" when it can.
[[nodiscard]] QString unsupportedBecause(const QString& ffmpegArgs);

} // namespace FitSize
