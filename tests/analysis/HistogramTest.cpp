// The histogram model: both computations of the statistical levels over a table
// of histograms, the marked block and its probability.

#include "analysis/statistics/Histogram.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace orlu {
namespace {

constexpr std::array<std::uint8_t, 6> kPercentages{1, 10, 50, 91, 99, 0};

struct LevelCase {
    const char* what;
    Histogram histogram;
    std::array<double, 5> expected; // L1, L10, L50, L91, L99 in dB
};

// Both computations agree on these (the levels lie away from 0.1 dB boundaries).
const LevelCase kLevelCases[] = {
    {"one busy class of three", {400, 10, {0, 10, 0}}, {41.9, 41.9, 41.5, 41.0, 41.0}},
    {"empty histogram", {400, 10, {0, 0, 0}}, {0, 0, 0, 0, 0}},
    {"2 dB classes step by their width", {400, 20, {0, 10, 0}}, {43.9, 43.8, 43.0, 42.1, 42.0}},
    {"0.5 dB classes step by their width", {400, 5, {0, 10, 0}}, {40.9, 40.9, 40.7, 40.5, 40.5}},
    {"a class above 429,496,729 results", {400, 10, {0, 500'000'000, 0}}, {41.9, 41.9, 41.5, 41.0, 41.0}},
    {"a single class spreads its levels over it", {400, 10, {10}}, {40.9, 40.9, 40.5, 40.0, 40.0}},
    {"a class width of 0 gives nothing", {400, 0, {0, 10, 0}}, {0, 0, 0, 0, 0}},
    {"no classes", {400, 10, {}}, {0, 0, 0, 0, 0}},
};

TEST(StatLevels, BothComputationsOverTheCases)
{
    for (const LevelCase& c : kLevelCases) {
        // The sixth entry, of percentage 0, keeps what it held.
        std::array<double, 6> stepped{};
        stepped.fill(12.3);
        PickStatLevels(ComputeStatLevels99(c.histogram), kPercentages, stepped);
        std::array<double, 6> interpolated{};
        interpolated.fill(12.3);
        InterpolatedStatLevels(c.histogram, kPercentages, interpolated);
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            EXPECT_NEAR(stepped[i], c.expected[i], 1e-9) << c.what << ": stepped L" << int{kPercentages[i]};
            EXPECT_NEAR(interpolated[i], c.expected[i], 1e-9) << c.what << ": interpolated L" << int{kPercentages[i]};
        }
        EXPECT_EQ(stepped[5], 12.3) << c.what;
        EXPECT_EQ(interpolated[5], 12.3) << c.what;
    }
}

TEST(StatLevels, SteppedLevelsFillEveryPercentage)
{
    const StatLevels99 levels = ComputeStatLevels99({400, 10, {0, 10, 0}});
    for (int n = 1; n <= 10; ++n)
        EXPECT_EQ(levels[n - 1], 419) << "L" << n;
    for (int n = 91; n <= 99; ++n)
        EXPECT_EQ(levels[n - 1], 410) << "L" << n;
    EXPECT_EQ(levels[99], 0);
    // Unequal classes: 25% in the top class, 75% one below.
    const StatLevels99 split = ComputeStatLevels99({600, 10, {3, 1}});
    EXPECT_EQ(split[24], 610); // L25: the whole top class
    EXPECT_EQ(split[25], 609); // L26: one step into the class below
    EXPECT_EQ(split[98], 600);
}

TEST(HistogramBlock, ProbabilityOfTheMarkedClasses)
{
    const Histogram h{400, 10, {1, 2, 3, 4, 5, 6, 7, 8, 9, 5}}; // 50 results
    struct Case {
        const char* what;
        ClassMarkers markers;
        std::size_t first, last;
        std::uint64_t count;
        double percent;
    };
    const Case cases[] = {
        {"classes 5 to 7", {2, {5, 7}}, 5, 7, 21, 42.0},
        {"one marker is no block", {1, {5, 7}}, 1, 0, 0, 0.0},
        {"both markers on one class", {2, {3, 3}}, 3, 3, 4, 8.0},
        {"markers past the classes are clamped", {2, {8, 40}}, 8, 9, 14, 28.0},
        {"markers before the classes are clamped", {2, {-4, 0}}, 0, 0, 1, 2.0},
    };
    for (const Case& c : cases) {
        const ClassRange range = BlockClasses(h, c.markers);
        EXPECT_EQ(range.first, c.first) << c.what;
        EXPECT_EQ(range.last, c.last) << c.what;
        const BlockShare share = BlockProbability(h, c.markers, h.Sum());
        EXPECT_EQ(share.count, c.count) << c.what;
        EXPECT_DOUBLE_EQ(share.percent, c.percent) << c.what;
    }
    EXPECT_TRUE(BlockClasses(Histogram{400, 10, {}}, {2, {0, 1}}).Empty());
    // A total of 0 counts as 1.
    EXPECT_DOUBLE_EQ(BlockProbability(Histogram{400, 10, {0, 2}}, {2, {0, 1}}, 0).percent, 200.0);
}

TEST(Histogram, BoundsFollowTheRealWidth)
{
    const Histogram half{400, 5, {1, 1, 1}};
    EXPECT_DOUBLE_EQ(half.Bound(0), 40.0);
    EXPECT_DOUBLE_EQ(half.Bound(1), 40.5);
    EXPECT_DOUBLE_EQ(Histogram({-105, 15, {1, 1}}).Bound(1), -9.0);
    const Histogram big{0, 10, {4'000'000'000u, 4'000'000'000u}};
    EXPECT_EQ(big.Sum(), 8'000'000'000u);
}

} // namespace
} // namespace orlu
