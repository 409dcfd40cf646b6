#pragma once
// The lines of an FFT spectrum as the view shows them: n adjacent lines
// aggregated into one group, in dB or a linear quantity, and the total over the
// block between the two cursors. Group 0 is line 0 alone; group j >= 1 holds
// lines (j-1)n+1 .. jn; lines past the last whole group are dropped. Line i
// stands for s + i x resolution, s the start frequency of a zoomed or
// short-band spectrum (0 otherwise): velocity and displacement divide by 2 pi
// times that frequency.

#include "analysis/spectra/BandUnits.h"

#include <cstdint>
#include <span>

namespace orlu {

struct FftLines {
    int lines = 0;           ///< L
    double start = 0.0;      ///< Hz of line 0
    double resolution = 1.0; ///< Hz per line
    double windowFactor = 1.0; ///< mean of w^2 of the window the spectrum was taken with
    int totalPosition = 0;   ///< where the TOTAL is: 0 none, 1 in the slot of line 0, 2 at index L
    BandChannel channel;
    int quantity = kBandDb; ///< DisplayQuantity

    double Frequency(int line) const { return start + line * resolution; }
    /// (L - 1) / n + 1 groups.
    int Groups(int degree) const;
    /// The group of line c: 0 for line 0, else (c - 1) / n + 1.
    static int GroupOf(int line, int degree);
    /// A line's level as a linear value of the quantity (dB display: the linear value of level).
    double Linear(double db, int line, int quantity) const;
    /// A sum of squares of linear values back to the display: sqrt in linear display, the level in dB.
    double FromPowerSum(double sum, int quantity) const;
};

/// Aggregates values (L levels in dB, and the TOTAL at index L when totalPosition is 2) in place
/// into lines.Groups(degree) groups of the quantity; a TOTAL at index L moves to the index after
/// the last group. In dB with degree 1 nothing changes.
void AggregateSpectrumLines(const FftLines& lines, int quantity, int degree, std::span<double> values);

/// The total over the groups of lines c1 .. c2 (cursor positions as lines of the full spectrum),
/// divided once by the window factor when c2 / n > c1 / n. A block holding no line gives -999.9.
double ComputeSpectrumTotal(const FftLines& lines, int degree, int c1, int c2, std::span<const double> values);

} // namespace orlu
