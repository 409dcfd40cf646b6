#pragma once
// Bits of a document's ViewMask: the View items it can show.

#include <cstdint>

namespace orlu {

inline constexpr std::uint32_t kViewMaskHeaderInfo = 0x1;
inline constexpr std::uint32_t kViewMaskMainResults = 0x2;
inline constexpr std::uint32_t kViewMaskHistograms = 0x4;
inline constexpr std::uint32_t kViewMaskStatLevels = 0x8;
inline constexpr std::uint32_t kViewMaskDensities = 0x10;
inline constexpr std::uint32_t kViewMaskBuffer = 0x20;
inline constexpr std::uint32_t kViewMaskSpectra = 0x40;
inline constexpr std::uint32_t kViewMaskWaveforms = 0x80;
inline constexpr std::uint32_t kViewMaskOctave11 = 0x100;
inline constexpr std::uint32_t kViewMaskOctave13 = 0x200;
inline constexpr std::uint32_t kViewMaskIntersections = 0x400;
inline constexpr std::uint32_t kViewMaskSettings = 0x800;
inline constexpr std::uint32_t kViewMaskHexa = 0x1000;
inline constexpr std::uint32_t kViewMaskAscii = 0x2000;
inline constexpr std::uint32_t kViewMaskUserFilters = 0x4000;

struct CurrentHeader;

/// The ViewMask of a current-family single file (kinds 42 to 50) from its
/// decoded header: changes only the bits the family decides, then offers Hexa
/// and never Settings.
std::uint32_t ViewMaskCurrent(const CurrentHeader& h, std::uint8_t fileKind, std::uint32_t mask);

} // namespace orlu
