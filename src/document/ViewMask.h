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
struct SubfileContents;

/// The ViewMask of a current-family document from its decoded header (of
/// sub-file 0 in a Multifile): changes only the bits the family decides, then
/// offers Hexa and never Settings. Merged kinds 53 to 60 take their spectra
/// and statistics bits from the scan of their sub-files, `merged`; when some
/// sub-file has 1/3 octaves and none 1/1 octaves, the 1/3-octave sub-files
/// are marked as holding 1/1 octaves too (kind 60 instead drops the band
/// statistics groups).
std::uint32_t ViewMaskCurrent(const CurrentHeader& h, std::uint8_t fileKind, std::uint32_t mask,
                              SubfileContents* merged);

} // namespace orlu
