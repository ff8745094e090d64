// A WAVE file named in a CUE sheet, or made by a conversion for an audio CD.
#include "discimage/wavefile.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    const std::optional<DiscImage::WaveData> audio = DiscImage::waveData(file);
    // The samples lie inside the file, after the header that leads to them.
    if (audio && (audio->offset < 12 || audio->length < 0 || audio->offset + audio->length > qint64(size)))
        __builtin_trap();
    return 0;
}
