#pragma once
// Small numeric routines that the views, the graph engine and the reports
// share: statistical levels read off a cumulative class distribution, the
// horizontal scaling and printable size of a graph, and the 7-point moving
// average of the Smoothing tool. Plain functions over plain values, so that
// every caller (graph, reports, views) reaches them without a window.

#include "document/GraphGeometry.h"

#include <cstdint>
#include <span>

namespace orlu {

/// The level (dB) at or above which the signal stayed `percentage` percent
/// of the time, read off `cumulative` (percent per class, descending: entry k
/// is the share of time at or above class k, class k the level start + k x
/// width) by linear interpolation inside a class and cut toward zero to 0.1
/// dB. A percentage above the first entry, or an empty distribution, gives 0.
double StatLevelFromCumulative(std::span<const double> cumulative, double start, double width, double percentage);

/// StatLevelFromCumulative for each percentage into the level at its
/// position; a percentage of 0 leaves its level as it was. `levels` holds at
/// least as many entries as `percentages`.
void StatLevelsFromCumulative(std::span<const double> cumulative, double start, double width,
                              std::span<const std::uint8_t> percentages, std::span<double> levels);

/// The graph's visible point count, as the plot routines count it (16 bits).
std::uint16_t GetGraphPointCount(const GraphGeometry& geometry);

/// Sets the point count, points per pixel column and pixels per point of
/// `geometry` for `points` data points of a graph of `type` (1 and 2 time
/// histories, 3 and 4 band spectra, 5 and 6 FFT spectra, 7 and 8 histograms
/// and statistics); `extraPoints` are added to a time history's count,
/// `fixedWidth` gives a time history the fixed 380-pixel plot. An unknown
/// type sets all three to 0.
void ComputeGraphStep(int type, int points, int extraPoints, GraphGeometry& geometry, bool fixedWidth);

struct GraphPageSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const GraphPageSize&, const GraphPageSize&) = default;
};

/// The printable size of a graph at `scale`: the fixed 640 x 270 layout, or
/// the plot of `geometry` with its margins, a fifth more height for the axis
/// texts, room for the legend and a narrower right margin unless `wideMargin`.
GraphPageSize ComputeGraphPageSize(std::uint8_t scale, bool fixedLayout, bool legend, bool wideMargin,
                                   const GraphGeometry& geometry);

/// Replaces every value by the mean of the unsmoothed values from 3 before
/// to 3 after it, the window clipped at both ends of the array.
void SmoothMovingAverage(std::span<double> values);

} // namespace orlu
