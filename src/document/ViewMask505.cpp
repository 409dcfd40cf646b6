#include "document/ViewMask505.h"

namespace orlu {
namespace {

constexpr std::uint8_t kKind505Multifile = 24;

std::uint32_t Put(std::uint32_t mask, std::uint32_t bit, bool on) { return on ? mask | bit : mask & ~bit; }

} // namespace

std::uint32_t ViewMask505(const Setup505& s, std::uint8_t fileKind, std::uint32_t mask)
{
    const std::uint16_t f = s.function;
    mask |= kViewMaskHeaderInfo;
    mask = Put(mask, kViewMaskWaveforms, f == kFunction505Time);
    mask = Put(mask, kViewMaskSpectra, f == kFunction505Time || f == kFunction505Spectrum);
    mask = Put(mask, kViewMaskOctave11, f == kFunction505Octave || f == kFunction505ThirdOctave);
    mask = Put(mask, kViewMaskOctave13, f == kFunction505ThirdOctave);
    // The decoder clears the flag when the block holds no histogram.
    const bool statistics = s.histogramFlag && s.histogram.count > 0;
    mask = Put(mask, kViewMaskHistograms, statistics);
    mask = Put(mask, kViewMaskStatLevels, statistics);
    mask = Put(mask, kViewMaskDensities, statistics);
    const bool spectra = (mask & (kViewMaskSpectra | kViewMaskOctave11 | kViewMaskOctave13)) != 0;
    mask = Put(mask, kViewMaskIntersections, fileKind != kKind505Multifile && spectra && s.spectraCount > 1);
    mask = Put(mask, kViewMaskAscii, fileKind != kKind505Multifile);
    return (mask | kViewMaskHexa) & ~kViewMaskSettings;
}

} // namespace orlu
