#include "tarviktext.h"

#include <cstdio>

namespace TarvikText {

namespace {

int fromBcd(std::uint8_t value)
{
    return (value >> 4) * 10 + (value & 0x0f);
}

} // namespace

std::string titleListing(const std::vector<long long>& lengthsMs)
{
    char line[64];
    std::snprintf(line, sizeof line, "TITLES: %02d\n", int(lengthsMs.size()));
    std::string text = line;
    for (std::size_t i = 0; i < lengthsMs.size(); ++i) {
        std::snprintf(line, sizeof line, "TITLE_%02d LENGTH (ms) = %lld\n", int(i + 1), lengthsMs[i]);
        text += line;
    }
    return text;
}

std::string progressStep(int percent, bool first)
{
    char step[16];
    std::snprintf(step, sizeof step, "%s%3d%%", first ? "" : "\b\b\b\b", percent);
    return step;
}

long long playbackMs(std::uint8_t hour, std::uint8_t minute, std::uint8_t second, std::uint8_t frameByte)
{
    const long long seconds = (fromBcd(hour) * 60LL + fromBcd(minute)) * 60 + fromBcd(second);
    const int frames = fromBcd(frameByte & 0x3f);
    const long long frameMs = (frameByte >> 6) == 1 ? frames * 40LL : frames * 1001LL / 30;
    return seconds * 1000 + frameMs;
}

bool isScrambled(const unsigned char* sector)
{
    // A pack header (00 00 01 BA) of 14 bytes plus its stuffing, then the first packet. Navigation
    // packs start with a system header (BB), which is never scrambled; every other packet carries
    // its two scrambling-control bits in the byte after its length.
    if (sector[0] != 0 || sector[1] != 0 || sector[2] != 1 || sector[3] != 0xba)
        return false;
    const int packet = 14 + (sector[13] & 0x07);
    if (sector[packet] != 0 || sector[packet + 1] != 0 || sector[packet + 2] != 1 || sector[packet + 3] == 0xbb)
        return false;
    return (sector[packet + 6] & 0x30) != 0;
}

} // namespace TarvikText
