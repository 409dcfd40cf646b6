#pragma once
// The reverberation time of one method of a band's record as the results
// box and any report print it: "%.3f" seconds, "*.***" when the method is
// not complete, its second point does not lie after its first or the time
// needs more than five characters (10 s and more).

#include <cstdint>
#include <span>
#include <string>

namespace orlu {

/// The text of method 1 (EDT), 2 (RT20), 3 (RT30) or 4 (user interval) of a
/// 120-byte band record. A shorter record, another method or a time that is
/// not a finite positive number gives "*.***"; a fall of 0.1 dB or less "0.000".
std::string FormatReverbTime(std::span<const std::uint8_t> record, int method);

} // namespace orlu
