// FFmpeg's progress and error output, as the conversion runner reads it.
#include "convert/ffmpegtext.h"
#include "platform/tools.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString output = Tools::outputText(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (FfmpegText::progressSeconds(output) < 0)
        __builtin_trap();
    const QString line = FfmpegText::errorLine(output);
    if (line.contains(QLatin1Char('\n')) || (line.isEmpty() && !FfmpegText::explainError(line).isEmpty()))
        __builtin_trap();
    (void)FfmpegText::isKnownCause(line);
    (void)FfmpegText::trimsOutput(output.split(QLatin1Char(' ')));
    (void)FfmpegText::clockText(qint64(size) * 1000003);
    return 0;
}
