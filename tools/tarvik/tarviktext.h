#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The words tarvik prints, kept apart from the disc access so that they can be checked without a disc.
namespace TarvikText {

// "TITLES: nn", then per title "TITLE_nn LENGTH (ms) = <milliseconds>": the title dialog reads the
// count two characters after "TITLES:" and the length 14 characters after "LENGTH".
[[nodiscard]] std::string titleListing(const std::vector<long long>& lengthsMs);

// The percentage of a rip as three characters and "%"; every step after the first first steps
// back over the previous one, so that a terminal shows one changing figure.
[[nodiscard]] std::string progressStep(int percent, bool first);

// A program chain's playing time: hours, minutes, seconds and frames in BCD, the two top bits of
// the frame byte naming the rate (01: 25 frames a second, 11: 30000/1001).
[[nodiscard]] long long playbackMs(std::uint8_t hour, std::uint8_t minute, std::uint8_t second,
                                   std::uint8_t frameByte);

// Whether a 2048-byte sector is a pack whose first packet is scrambled (CSS): such a disc cannot
// be read here, and copying it would give a file no player decodes.
[[nodiscard]] bool isScrambled(const unsigned char* sector);

} // namespace TarvikText
