// The greatest peaks of an FFT spectrum.

#include "analysis/spectra/SpectrumPeaks.h"

#include <gtest/gtest.h>

#include <vector>

namespace orlu {
namespace {

constexpr int kLines = 64;

struct Peaks {
    int count = 0;
    std::vector<int> groups;
};

Peaks Find(const std::vector<double>& v, const PeakSearch& search, int quantity = kBandDb, int degree = 1)
{
    FftLines lines;
    lines.lines = static_cast<int>(v.size());
    lines.quantity = quantity;
    std::vector<std::uint8_t> marks(v.size() + 1, 7);
    Peaks p;
    p.count = FindSpectrumPeaks(lines, degree, v, search, marks);
    for (int k = 0; k < static_cast<int>(marks.size()); ++k) {
        if (marks[k])
            p.groups.push_back(k);
    }
    return p;
}

std::vector<double> Floor() { return std::vector<double>(kLines, 20.0); }

TEST(SpectrumPeaks, LinesStandingOut)
{
    auto single = Floor();
    single[10] = 26.0;
    auto plateau = Floor();
    plateau[10] = plateau[11] = 30.0;
    auto lowEdge = Floor();
    lowEdge[0] = 60.0; // a large DC line; line 1 is judged against line 2 mirrored in its place
    lowEdge[1] = 30.0;
    struct Case {
        const char* what;
        std::vector<double> values;
        PeakSearch search;
        std::vector<int> groups;
    };
    const Case cases[] = {
        {"a line 6 dB above the floor", single, {5, 1}, {10}},
        {"equal neighbours give one peak, the lower", plateau, {5, 1}, {10}},
        {"no search", single, {0, 1}, {}},
        {"line 1 beside a larger line 0", lowEdge, {5, 1, true, 0, 6}, {1}},
    };
    for (const Case& c : cases) {
        const Peaks p = Find(c.values, c.search);
        EXPECT_EQ(p.groups, c.groups) << c.what;
        EXPECT_EQ(p.count, static_cast<int>(c.groups.size())) << c.what;
    }
}

TEST(SpectrumPeaks, RankedByLevelAndReplacedByAnEdgeAboveThem)
{
    auto v = Floor();
    v[10] = 30.0;
    v[20] = 32.0;
    v[30] = 34.0;
    for (int k = 42; k < kLines; ++k)
        v[k] = 40.0 + 5 * (k - 42); // still rising past the block's end
    EXPECT_EQ(Find(v, {2, 1, true, 5, 35}).groups, (std::vector<int>{20, 30}));
    // Line 45 ends the block on a rise: the highest, though no candidate, takes the third place.
    EXPECT_EQ(Find(v, {3, 1, true, 5, 45}).groups, (std::vector<int>{20, 30, 45}));
}

TEST(SpectrumPeaks, LinearDisplayJudgesProminenceInPercent)
{
    auto v = Floor();
    v[10] = 26.0; // amplitude x2: the three-line RMS stands 29 % above its neighbours
    EXPECT_EQ(Find(v, {5, 10}, kBandLinear).groups, (std::vector<int>{10}));
    EXPECT_TRUE(Find(v, {5, 50}, kBandLinear).groups.empty());
}

TEST(SpectrumPeaks, FoundOnGroupsOfTheDegree)
{
    auto v = Floor();
    v[9] = 30.0; // line 9 is in group 3 of degree 4 (lines 9 to 12)
    EXPECT_EQ(Find(v, {5, 1}, kBandDb, 4).groups, (std::vector<int>{3}));
}

TEST(SpectrumPeaks, AtMostAHundred)
{
    std::vector<double> v(1000, 20.0);
    for (int k = 5; k < 995; k += 6)
        v[k] = 30.0 + k * 0.001;
    EXPECT_EQ(Find(v, {250, 1}).count, kMaxSpectrumPeaks);
}

} // namespace
} // namespace orlu
