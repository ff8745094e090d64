// The burning tools' output, as the burn runner and the disc checks read it. The input is the
// chunk that one poll read; its length picks the CD burner's track count (from -1 to 99).
#include "burn/burntext.h"
#include "platform/tools.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString chunk = Tools::outputText(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const int trackCount = int(size % 101) - 1;
    const auto outside = [](std::optional<int> percent) { return percent && (*percent < 0 || *percent > 100); };
    if (outside(BurnText::authoringProgress(chunk, qint64(size) * 524287))
        || outside(BurnText::writerPoll(chunk, QDateTime(QDate(2023, 12, 7), QTime(10, 0))).progress)
        || outside(BurnText::cdPoll(chunk, trackCount).progress))
        __builtin_trap();
    (void)BurnText::dvdDiscMessage(chunk, trackCount * 100);
    (void)BurnText::cdDiscMessage(chunk, QStringLiteral("/dev/sr0"), trackCount * 100);
    (void)BurnText::discStatusReport(QStringLiteral("/dev/sr0"), chunk);
    (void)BurnText::busScanLines(chunk);
    return 0;
}
