#pragma once
// "BANDS,TOTALS,LEVEL" of the fixture's --spectrum options: a spectrum of BANDS bands
// and TOTALS trailing values, every value at LEVEL dB.

#include <cstdint>
#include <optional>

namespace orlu::tools {

struct SpectrumShape {
    std::uint16_t bands = 0;
    std::uint16_t trailing = 0;
    std::int16_t tenths = 0; ///< LEVEL in tenths of a dB
};

/// The shape read from text ending at its terminating zero. Nothing for a value it does not
/// read or more values than a spectrum holds (44 bands and 6 trailing values).
std::optional<SpectrumShape> ParseSpectrumShape(const char* text);

} // namespace orlu::tools
