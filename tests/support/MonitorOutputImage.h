#pragma once
// The data image a MONITOR station pushes, as the catch of its output keeps
// it and the MONITOR parser opens it: "STM ", 7 bytes the program does not
// read, the first block's length L (32-bit big-endian) and the first block;
// when a buffer follows, the block ends "#8X2;", three bytes and "#4,2;", and
// the buffer's length M (32-bit little-endian) and its M bytes come after it.

#include <cstdint>
#include <optional>
#include <vector>

namespace orlu::fixture {

/// The image of a station stream (without capture header), and the buffer when given.
std::vector<std::uint8_t> MonitorOutputImage(const std::vector<std::uint8_t>& stream,
                                             const std::optional<std::vector<std::uint8_t>>& buffer);

/// The worked example both the catch and the parser are tested with: station 26 with two
/// intervals of three profiles, then the buffer (a file of the current family in the tools and tests).
std::vector<std::uint8_t> WorkedMonitorImage(const std::vector<std::uint8_t>& buffer);

} // namespace orlu::fixture
