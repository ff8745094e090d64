// The DVD title tool's output: its title listing, its rip percentage and its last words, as the
// title dialog and the rip thread read them. The same text also stands for a volume label.
#include "dvdrip/dvdtext.h"
#include "platform/tools.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = Tools::outputText(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const QList<qint64> lengths = DvdText::parseTitleListing(text);
    if (lengths.size() > 99)
        __builtin_trap();
    for (const qint64 ms : lengths)
        if (ms < 0 || DvdText::lengthText(ms).size() < 8)
            __builtin_trap();
    if (const std::optional<int> percent = DvdText::parsePercent(text))
        (void)DvdText::ripProgress(*percent, int(size % 7), int(size % 5));
    (void)DvdText::lastLine(text);
    const QString label = DvdText::safeFileLabel(text);
    if (label.isEmpty() || label.contains(QLatin1Char('/')) || label.startsWith(QLatin1Char('.')))
        __builtin_trap();
    return 0;
}
