// The product site's answer to the version request.
#include "app/updatecheck.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = UpdateCheck::replyText(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (text.size() > UpdateCheck::replyLimit)
        __builtin_trap();
    if (UpdateCheck::isNewer(text, QStringLiteral("1.6.8")))
        (void)UpdateCheck::newVersionMessage(text);
    return 0;
}
