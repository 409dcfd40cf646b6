#include "document/ViewComputations.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace orlu {

double StatLevelFromCumulative(std::span<const double> cumulative, double start, double width, double percentage)
{
    if (cumulative.empty() || percentage > cumulative[0])
        return 0.0;
    // The highest class still reached for at least `percentage` of the time;
    // entry 0 is at least the percentage, so the search always ends.
    std::size_t k = cumulative.size() - 1;
    while (cumulative[k] < percentage)
        --k;
    const double next = k + 1 < cumulative.size() ? cumulative[k + 1] : 0.0;
    const double diff = cumulative[k] - next;
    const double g = static_cast<double>(k) + (diff != 0.0 ? (cumulative[k] - percentage) / diff : 0.0);
    // Cut, not rounded, to 0.1 dB, as the instruments print their Ln values.
    return std::trunc((start + width * g) * 10.0) / 10.0;
}

void StatLevelsFromCumulative(std::span<const double> cumulative, double start, double width,
                              std::span<const std::uint8_t> percentages, std::span<double> levels)
{
    const std::size_t n = std::min(percentages.size(), levels.size());
    for (std::size_t i = 0; i < n; ++i)
        if (percentages[i] != 0)
            levels[i] = StatLevelFromCumulative(cumulative, start, width, percentages[i]);
}

std::uint16_t GetGraphPointCount(const GraphGeometry& geometry)
{
    return static_cast<std::uint16_t>(geometry.pointCount);
}

namespace {

struct GraphStep {
    int pointsPerColumn = 0;
    int pixelsPerPoint = 0;
    int pointCount = 0;
};

GraphStep TimeHistoryStep(int a, int extra, bool fixedWidth)
{
    GraphStep s;
    s.pointsPerColumn = a >= 1600 ? 4 : a >= 800 ? 2 : 1;
    s.pixelsPerPoint = a >= 400 ? 1 : a >= 200 ? 2 : 4;
    s.pointCount = fixedWidth ? 380 / s.pixelsPerPoint : (a - 1) / s.pointsPerColumn + extra + 1;
    return s;
}

GraphStep FftStep(int a)
{
    if (a <= 0)
        return {1, 1, 0};
    // The smallest step that brings the points within 500, then as many
    // pixels per point as 500 pixels allow.
    const int step = a / 501 + 1;
    const int shown = a / step;
    return {step, std::max(1, 500 / shown), shown};
}

GraphStep HistogramStep(int a)
{
    // The largest pixel count keeping the plot below 530 pixels, at least 1.
    const int pixels = a > 0 ? std::max(1, 529 / a) : 1;
    return {1, pixels, a};
}

GraphStep StepOf(int type, int a, int extra, bool fixedWidth)
{
    switch (type) {
    case 1:
    case 2:
        return TimeHistoryStep(a, extra, fixedWidth);
    case 3:
        return {1, a <= 14 ? 36 : a <= 16 ? 33 : 27, a};
    case 4:
        return {1, a < 40 ? 14 : 11, a};
    case 5:
    case 6:
        return FftStep(a);
    case 7:
    case 8:
        return HistogramStep(a);
    default:
        return {};
    }
}

} // namespace

void ComputeGraphStep(int type, int points, int extraPoints, GraphGeometry& geometry, bool fixedWidth)
{
    const GraphStep s = StepOf(type, points, extraPoints, fixedWidth);
    geometry.pointCount = s.pointCount;
    geometry.pointsPerColumn = s.pointsPerColumn;
    geometry.pixelsPerPoint = s.pixelsPerPoint;
}

GraphPageSize ComputeGraphPageSize(std::uint8_t scale, bool fixedLayout, bool legend, bool wideMargin,
                                   const GraphGeometry& geometry)
{
    const int k = scale;
    if (fixedLayout)
        return {640 * k, 270 * k};
    GraphPageSize size;
    size.width = k * (geometry.leftMargin + geometry.pointCount * geometry.pixelsPerPoint) + 150;
    if (!wideMargin)
        size.width -= 100;
    size.height = k * (geometry.topMargin + geometry.plotHeight);
    size.height += size.height / 5;
    if (legend)
        size.height += 62 * k;
    return size;
}

void SmoothMovingAverage(std::span<double> values)
{
    const std::ptrdiff_t n = std::ssize(values);
    // The unsmoothed values of j - 3 to j, which are overwritten by then;
    // values after j are still unsmoothed in place.
    std::array<double, 4> past{};
    for (std::ptrdiff_t j = 0; j < n; ++j) {
        past[static_cast<std::size_t>(j & 3)] = values[static_cast<std::size_t>(j)];
        const std::ptrdiff_t lo = std::max<std::ptrdiff_t>(0, j - 3);
        const std::ptrdiff_t hi = std::min<std::ptrdiff_t>(n - 1, j + 3);
        double sum = 0.0;
        for (std::ptrdiff_t i = lo; i <= hi; ++i)
            sum += i <= j ? past[static_cast<std::size_t>(i & 3)] : values[static_cast<std::size_t>(i)];
        values[static_cast<std::size_t>(j)] = sum / static_cast<double>(hi - lo + 1);
    }
}

} // namespace orlu
