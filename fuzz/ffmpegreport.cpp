// FFmpeg's report on an input, as the probe and the output check read it. The first line of an
// input is the path that FFmpeg was given, the rest the report.
#include "convert/ffmpegtext.h"
#include "platform/tools.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype lineEnd = bytes.indexOf('\n');
    const QString path = Tools::outputText(bytes.left(std::max<qsizetype>(lineEnd, 0)));
    const QString report = Tools::outputText(bytes.mid(lineEnd + 1));
    const QString duration = FfmpegText::reportDuration(report, path);
    if (duration.size() != 8 || FfmpegText::thumbnailSeekSeconds(duration) < 1
        || FfmpegText::reportDurationMs(report, path) < -1)
        __builtin_trap();
    const QStringList video = FfmpegText::streamFields(report, path, QStringLiteral("Video:"));
    (void)FfmpegText::streamFields(report, path, QStringLiteral("Audio:"));
    (void)FfmpegText::durationEstimated(report, path);
    const QStringList arguments = FfmpegText::assembleArguments(QStringLiteral("-s 640x480 -c:v mpeg4"),
                                                                video.value(2).section(QLatin1Char(' '), 0, 0));
    if (arguments.value(1).startsWith(QLatin1Char('-')))
        __builtin_trap();
    return 0;
}
