// Sector 16 of a disc or image: the ISO 9660 volume descriptor whose name labels the drive.
#include "platform/drives.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString label = Drives::volumeLabelFromDescriptor(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    // At most the descriptor's 32 characters, each one a file name and a list can show.
    if (label.size() > 32)
        __builtin_trap();
    for (const QChar c : label)
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            __builtin_trap();
    return 0;
}
