#include "analysis/statistics/Histogram.h"

#include "document/ViewComputations.h"
#include "reports/table/StatisticsCrossTables.h"

#include <algorithm>
#include <numeric>

namespace orlu {

std::uint64_t Histogram::Sum() const
{
    return std::accumulate(counts.begin(), counts.end(), std::uint64_t{0});
}

double ClassPercent(std::uint32_t count, std::uint64_t total)
{
    return static_cast<double>(count) * 100.0 / static_cast<double>(std::max<std::uint64_t>(total, 1));
}

StatLevels99 ComputeStatLevels99(const Histogram& histogram)
{
    StatLevels99 levels{};
    const std::uint64_t total = histogram.Sum();
    if (!histogram.Usable() || total == 0)
        return levels;
    // Class i spreads its count over `width` steps of 0.1 dB. Scaled so that the sums
    // stay whole numbers: each step adds 100 x N_i, and n percent is reached once the
    // sum is at least n x total x width. 128 bits: 99 x (2^16 x 2^32) x 2^15 passes 64.
    using Wide = unsigned __int128;
    const auto width = static_cast<std::uint64_t>(histogram.width);
    std::int64_t level = histogram.lowest + static_cast<std::int64_t>(width) * std::ssize(histogram.counts);
    Wide reached = 0;
    std::size_t n = 1;
    for (auto c = histogram.counts.rbegin(); c != histogram.counts.rend(); ++c) {
        for (std::uint64_t step = 0; step < width; ++step) {
            reached += Wide{100} * *c;
            --level;
            while (n < 100 && Wide{n} * total * width <= reached)
                levels[n++ - 1] = static_cast<std::int32_t>(level);
            if (n == 100)
                return levels;
        }
    }
    return levels;
}

void PickStatLevels(const StatLevels99& levels99, std::span<const std::uint8_t> percentages,
                    std::span<double> levels)
{
    const std::size_t n = std::min(percentages.size(), levels.size());
    for (std::size_t i = 0; i < n; ++i)
        if (percentages[i] >= 1 && percentages[i] <= 99)
            levels[i] = levels99[percentages[i] - 1u] / 10.0;
}

void InterpolatedStatLevels(const Histogram& histogram, std::span<const std::uint8_t> percentages,
                            std::span<double> levels)
{
    const std::vector<double> exceedance =
        histogram.Usable() ? ExceedancePercents(histogram.counts) : std::vector<double>{};
    StatLevelsFromCumulative(exceedance, histogram.lowest / 10.0, histogram.width / 10.0, percentages, levels);
}

ClassRange BlockClasses(const Histogram& histogram, const ClassMarkers& markers)
{
    const std::size_t classes = histogram.ClassCount();
    if (!markers.Block() || classes == 0)
        return {};
    // The view's markers may lie anywhere: keep them on the classes.
    auto clamp = [&](std::int32_t m) {
        return static_cast<std::size_t>(std::clamp<std::int64_t>(m, 0, static_cast<std::int64_t>(classes) - 1));
    };
    const std::size_t a = clamp(markers.points[0]);
    const std::size_t b = clamp(markers.points[1]);
    return {std::min(a, b), std::max(a, b)};
}

BlockShare BlockProbability(const Histogram& histogram, const ClassMarkers& markers, std::uint64_t total)
{
    BlockShare share;
    const ClassRange range = BlockClasses(histogram, markers);
    for (std::size_t i = range.first; !range.Empty() && i <= range.last; ++i) {
        share.count += histogram.counts[i];
        share.percent += ClassPercent(histogram.counts[i], total);
    }
    return share;
}

} // namespace orlu
