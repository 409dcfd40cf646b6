#pragma once
// One class histogram of levels as every statistics form reads it: the lower
// bound of class 0 and the width of every class (both 0.1 dB) and one count
// per class, lowest class first.
//
// Class i covers lowest + i x width up to lowest + (i + 1) x width. Text,
// table and graph forms all place class i at (lowest + i x width) / 10 dB,
// so that classes narrower or wider than 1 dB keep their real bounds.
//
// Counts and their sums are 64-bit wherever they are added or multiplied: a
// long measurement can hold more than 429,496,729 results in one class, and
// ten times that no longer fits 32 bits.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace orlu {

/// L1 to L99 in 0.1 dB: entry n - 1 holds Ln; entry 99 is 0.
using StatLevels99 = std::array<std::int32_t, 100>;

/// A pair of graph markers: two markers make a block of classes, both ends included.
struct ClassMarkers {
    std::uint8_t count = 0; ///< 0, 1 or 2
    std::array<std::int32_t, 2> points{}; ///< in classes, lower first
    bool Block() const { return count == 2; }
};

struct Histogram {
    std::int32_t lowest = 0; ///< lower bound of class 0, 0.1 dB
    std::int32_t width = 10; ///< width of every class, 0.1 dB
    std::vector<std::uint32_t> counts;

    /// Something to show: at least one class and a width above 0.
    bool Usable() const { return !counts.empty() && width > 0; }
    std::size_t ClassCount() const { return Usable() ? counts.size() : 0; }
    /// The sum of the counts.
    std::uint64_t Sum() const;
    /// The lower bound of class i in dB.
    double Bound(std::size_t i) const { return (lowest + static_cast<double>(i) * width) / 10.0; }
};

/// The share of class i in percent of `total` (a total of 0 counts as 1).
double ClassPercent(std::uint32_t count, std::uint64_t total);

/// Ln for n = 1 to 99, each class's count spread evenly over its width in steps of
/// 0.1 dB, read from the top class down: Ln is the lower edge of the first step at
/// which the results at or above it reach n percent. All 0 for an empty or unusable
/// histogram.
StatLevels99 ComputeStatLevels99(const Histogram& histogram);

/// The level of each percentage from `levels99` into the level at its position (dB);
/// a percentage of 0, or above 99, leaves its level as it was.
void PickStatLevels(const StatLevels99& levels99, std::span<const std::uint8_t> percentages,
                    std::span<double> levels);

/// The levels of the percentages read off the exceedance curve of the histogram by
/// interpolation inside a class (StatLevelsFromCumulative); a percentage of 0 leaves
/// its level. An empty histogram gives 0 for every other percentage.
void InterpolatedStatLevels(const Histogram& histogram, std::span<const std::uint8_t> percentages,
                            std::span<double> levels);

/// The classes between two markers, clamped to the histogram; empty (first > last)
/// without a block or without classes.
struct ClassRange {
    std::size_t first = 1;
    std::size_t last = 0;
    bool Empty() const { return first > last; }
    std::size_t Size() const { return Empty() ? 0 : last - first + 1; }
};
ClassRange BlockClasses(const Histogram& histogram, const ClassMarkers& markers);

/// The results in the marked block and their share of `total` in percent (a total
/// of 0 counts as 1); 0 and 0 without a block.
struct BlockShare {
    std::uint64_t count = 0;
    double percent = 0.0;
};
BlockShare BlockProbability(const Histogram& histogram, const ClassMarkers& markers, std::uint64_t total);

} // namespace orlu
