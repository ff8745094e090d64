// A CUE sheet named as a disc image: any text the user's files hold.
#include "discimage/cuesheet.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    QString error;
    const std::optional<DiscImage::CueSheet> sheet = DiscImage::parseCueSheet(text, &error);
    if (!sheet) {
        if (error.isEmpty())
            __builtin_trap(); // every refusal says why
        return 0;
    }
    int previous = 0;
    for (const DiscImage::CueTrack& track : sheet->tracks) {
        // A disc's tracks: numbered 1 to 99 upwards, each in a file the sheet names, from INDEX 01.
        if (track.number <= previous || track.number > 99 || track.file < 0 || track.file >= sheet->files.size()
            || track.index1 < 0 || track.pregap < 0)
            __builtin_trap();
        previous = track.number;
    }
    return 0;
}
