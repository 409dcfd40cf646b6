#pragma once
// Per-band weighting corrections in dB for the third octaves 1 Hz (column 0)
// to 20 kHz (column 43). The values are the instruments' own, also where they
// differ from the standard curves (C at 16 kHz, the infrasound G curve), so
// that totals recomputed from band levels agree with the instrument's.

#include <cstddef>
#include <cstdint>
#include <span>

namespace orlu {

/// The rows of the weighting table.
enum class WeightingRow : std::uint16_t {
    HighPass = 0,
    A = 1,
    C = 2,
    Flat = 3,
    G = 4, ///< infrasound
};

inline constexpr std::size_t kWeightingRowCount = 5;
inline constexpr std::size_t kWeightingBandCount = 44;

/// The 44 corrections of a row; empty for an unknown row.
std::span<const double> WeightingCorrections(std::uint16_t row);

/// The last b corrections of row r (those of b bands ending at 20 kHz);
/// empty for an unknown row or more than 44 bands.
std::span<const double> WeightingCorrectionPtr(std::uint16_t row, std::uint16_t b);

} // namespace orlu
