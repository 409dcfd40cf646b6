#pragma once
// The greatest peaks of an FFT spectrum, found on its groups of n lines. A
// group is a candidate when it is a local maximum of the linear values whose
// three-group energy stands out by more than the prominence from the three
// groups on one side; runs of equal values keep only their first group; the
// candidates are ranked by the shown value. Neighbours past the ends are the
// groups mirrored about group 1 and about the last group.

#include "analysis/spectra/FftLines.h"

#include <cstdint>
#include <span>

namespace orlu {

/// The largest number of peaks the view asks for.
inline constexpr int kMaxSpectrumPeaks = 100;

struct PeakSearch {
    int count = 0;                       ///< SpectrPeaksNum: 0 off, at most kMaxSpectrumPeaks
    std::uint16_t neighbourDiff = 1;     ///< PeakNeighbourDiff: 0.1 dB in dB display, percent in linear
    bool block = false;                  ///< search only the groups of lines c1 .. c2
    int c1 = 0, c2 = 0;
};

/// Marks (one byte per group, 1 for a peak) the greatest peaks of values (levels before
/// aggregation, as AggregateSpectrumLines takes them) shown as lines.quantity with degree n.
/// Returns the number marked; group 0 is never a peak.
int FindSpectrumPeaks(const FftLines& lines, int degree, std::span<const double> values, const PeakSearch& search,
                      std::span<std::uint8_t> marks);

} // namespace orlu
