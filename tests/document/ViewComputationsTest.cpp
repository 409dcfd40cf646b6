// Statistical levels, graph scaling, printable graph size and smoothing,
// with the worked numbers the views and the graph engine rely on.

#include "document/ViewComputations.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace orlu {
namespace {

TEST(StatLevelFromCumulative, InterpolatesInsideAClassAndCutsToATenth)
{
    const std::vector<double> dist = {100, 80, 40, 10, 0};
    struct Case {
        std::vector<double> cumulative;
        double start;
        double width;
        double percentage;
        double level;
    };
    const Case cases[] = {
        {dist, 30, 1, 10, 33.0},  // exactly on class 3
        {dist, 30, 1, 50, 31.7},  // g = 1 + 30/40 = 1.75: 31.75 cut, not rounded
        {dist, 30, 1, 100, 30.0}, // the first class
        {dist, 30, 1, 101, 0.0},  // above the first entry
        {dist, 30, 0.5, 50, 30.8}, // the real class width: 30.875
        {{100, 0, 0}, 30, 1, 0, 32.0},   // flat top of the last class: no division by 0
        {{100, 60}, -10, 1, 70, -9.2},   // -9.25 cut toward zero
        {{}, 30, 1, 10, 0.0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(StatLevelFromCumulative(c.cumulative, c.start, c.width, c.percentage), c.level)
            << "p=" << c.percentage << " width=" << c.width;
}

TEST(StatLevelFromCumulative, EachPercentageAtItsPositionAndZeroSkipped)
{
    const std::array<double, 5> dist = {100, 80, 40, 10, 0};
    const std::array<std::uint8_t, 4> percentages = {10, 0, 50, 100};
    std::array<double, 4> levels = {-1, -1, -1, -1};
    StatLevelsFromCumulative(dist, 30, 1, percentages, levels);
    EXPECT_EQ(levels, (std::array<double, 4>{33.0, -1, 31.7, 30.0}));
}

TEST(ComputeGraphStep, PointsPerColumnPixelsPerPointAndCountByType)
{
    struct Case {
        int type;
        int points;
        int extra;
        bool fixed;
        int perColumn;
        int pixels;
        int count;
    };
    const Case cases[] = {
        {1, 1600, 0, false, 4, 1, 400}, {1, 150, 0, false, 1, 4, 150}, {1, 150, 0, true, 1, 4, 95},
        {2, 800, 5, false, 2, 1, 405},  // extra points after (a - 1) / c + 1
        {1, 799, 0, false, 1, 1, 799},  {1, 400, 0, true, 1, 1, 380}, {1, 399, 0, false, 1, 2, 399},
        {1, 200, 0, true, 1, 2, 190},   {1, 199, 0, false, 1, 4, 199},
        {3, 14, 0, false, 1, 36, 14},   {3, 15, 0, false, 1, 33, 15}, {3, 16, 0, false, 1, 33, 16},
        {3, 17, 9, true, 1, 27, 17},    // extra and fixed belong to time histories only
        {4, 39, 0, false, 1, 14, 39},   {4, 40, 0, false, 1, 11, 40},
        {5, 1200, 0, false, 3, 1, 400}, {5, 100, 0, false, 1, 5, 100}, {6, 500, 0, false, 1, 1, 500},
        {6, 501, 0, false, 2, 2, 250},  {5, 0, 0, false, 1, 1, 0},    {6, 1, 0, false, 1, 500, 1},
        {7, 10, 0, false, 1, 52, 10},   {8, 53, 0, false, 1, 9, 53},  {7, 600, 0, false, 1, 1, 600},
        {8, 0, 0, false, 1, 1, 0},
        {0, 100, 0, false, 0, 0, 0},    {9, 100, 3, true, 0, 0, 0},
    };
    for (const Case& c : cases) {
        GraphGeometry g{10, 20, -1, -1, 30, -1};
        ComputeGraphStep(c.type, c.points, c.extra, g, c.fixed);
        EXPECT_EQ(g.pointsPerColumn, c.perColumn) << "type " << c.type << ", " << c.points << " points";
        EXPECT_EQ(g.pixelsPerPoint, c.pixels) << "type " << c.type << ", " << c.points << " points";
        EXPECT_EQ(g.pointCount, c.count) << "type " << c.type << ", " << c.points << " points";
        EXPECT_EQ(GetGraphPointCount(g), c.count);
        // The margins and height are the caller's.
        EXPECT_EQ(g.leftMargin, 10);
        EXPECT_EQ(g.topMargin, 20);
        EXPECT_EQ(g.plotHeight, 30);
    }
}

TEST(ComputeGraphPageSize, FixedLayoutOrThePlotWithItsMarginsAndLegend)
{
    GraphGeometry g;
    g.leftMargin = 60;
    g.topMargin = 20;
    g.pointCount = 190;
    g.pixelsPerPoint = 2;
    g.plotHeight = 203;
    struct Case {
        std::uint8_t scale;
        bool fixed;
        bool legend;
        bool wide;
        GraphPageSize size;
    };
    const Case cases[] = {
        {2, true, true, true, {1280, 540}},
        {1, false, false, false, {490, 267}},  // 60 + 380 + 150 - 100; 223 + 44 (a fifth, cut)
        {1, false, true, true, {590, 329}},    // + 62 for the legend, no 100 off
        {3, false, true, false, {1370, 988}},  // 3 x 440 + 50; 669 + 133 + 186
    };
    for (const Case& c : cases)
        EXPECT_EQ(ComputeGraphPageSize(c.scale, c.fixed, c.legend, c.wide, g), c.size)
            << int{c.scale} << c.fixed << c.legend << c.wide;
}

TEST(SmoothMovingAverage, MeansOfTheUnsmoothedValuesInAClippedWindowOfSeven)
{
    struct Case {
        std::vector<double> values;
        std::vector<double> smoothed;
    };
    const Case cases[] = {
        {{1, 1, 1, 8, 1, 1, 1}, {2.75, 2.4, 13.0 / 6, 2, 13.0 / 6, 2.4, 2.75}},
        // A ramp stays a ramp inside: only unsmoothed neighbours enter a mean.
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {1.5, 2, 2.5, 3, 4, 5, 6, 6.5, 7, 7.5}},
        {{1, 3}, {2, 2}},
        {{1, 2, 3, 4, 5}, {2.5, 3, 3, 3, 3.5}},
        {{5}, {5}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        std::vector<double> v = c.values;
        SmoothMovingAverage(v);
        ASSERT_EQ(v.size(), c.smoothed.size());
        for (std::size_t i = 0; i < v.size(); ++i)
            EXPECT_DOUBLE_EQ(v[i], c.smoothed[i]) << "value " << i << " of " << v.size();
    }
}

} // namespace
} // namespace orlu
