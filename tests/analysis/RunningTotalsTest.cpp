// Running Leq, SEL, minimum and maximum, over arrays and straight from the
// level column of an image, with empty sums and time steps of 0.

#include "analysis/statistics/EnergyLevel.h"
#include "analysis/statistics/RunningTotals.h"
#include "support/WordImage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace orlu {
namespace {

TEST(RunningTotals, OneRecordAndTwo)
{
    std::vector<double> leq(2), sel(2);
    double lo = 0, hi = 0;
    const RunningTotalsOut out{leq, sel, &lo, &hi};

    const std::vector<double> one{85.3};
    EXPECT_EQ(RunningTotals(one, 0.125, out), 1u);
    EXPECT_NEAR(leq[0], 85.3, 1e-9);
    EXPECT_NEAR(sel[0], 85.3 + 10 * std::log10(0.125), 1e-9);
    EXPECT_EQ(lo, 85.3);
    EXPECT_EQ(hi, 85.3);

    const std::vector<double> two{80.0, 90.0};
    EXPECT_EQ(RunningTotals(two, 1.0, out), 2u);
    EXPECT_NEAR(leq[0], 80.0, 1e-9);
    EXPECT_NEAR(leq[1], 87.404, 5e-4);
    EXPECT_NEAR(sel[1], 90.414, 5e-4);
    EXPECT_EQ(lo, 80.0);
    EXPECT_EQ(hi, 90.0);
}

TEST(RunningTotals, NothingToSumGivesTheMissingLevel)
{
    std::vector<double> leq(1), sel(1);
    double lo = 0, hi = 0;
    const std::vector<double> one{70.0};
    EXPECT_EQ(RunningTotals(one, 0.0, {leq, sel, &lo, &hi}), 1u);
    EXPECT_EQ(sel[0], kMissingValue); // a time step of 0 has no exposure
    EXPECT_NEAR(leq[0], 70.0, 1e-9);

    EXPECT_EQ(RunningTotals(std::vector<double>{}, 1.0, {leq, sel, &lo, &hi}), 0u);
    EXPECT_EQ(lo, kMissingValue);
    EXPECT_EQ(hi, kMissingValue);

    // Outputs not asked for are not written, and the shortest output bounds the count.
    std::vector<double> shortLeq(1, -1.0);
    EXPECT_EQ(RunningTotals(std::vector<double>{60.0, 70.0}, 1.0, {shortLeq, {}, nullptr, nullptr}), 1u);
    EXPECT_NEAR(shortLeq[0], 60.0, 1e-9);
}

TEST(RunningTotals, ColumnOfTheImageMatchesItsLevels)
{
    // 1300 rows of two words (more than one chunk of reading); the level column is
    // word 1, halved with overload bits set on some rows. The header declares 1500 rows.
    std::vector<std::uint16_t> words;
    std::vector<double> levels;
    for (int i = 0; i < 1300; ++i) {
        const int tenths = 400 + (i * 37) % 500;
        words.push_back(0xEEEE);
        words.push_back(static_cast<std::uint16_t>(2 * tenths + (i % 7 == 0 ? 1 : 0)));
        levels.push_back(tenths / 10.0);
    }
    const WordImage img(words);
    const TimeHistoryColumn column{0, 2, 1};

    std::vector<double> leq(1500), sel(1500), wantLeq(1500), wantSel(1500);
    double lo = 0, hi = 0, wantLo = 0, wantHi = 0;
    for (std::size_t first : {std::size_t{0}, std::size_t{700}}) {
        const std::vector<double> tail(levels.begin() + static_cast<std::ptrdiff_t>(first), levels.end());
        ASSERT_EQ(RunningTotals(tail, 0.5, {wantLeq, wantSel, &wantLo, &wantHi}), 1300 - first);
        EXPECT_EQ(RunningTotals(img.Reader(), column, LevelCoding::HalvedWithOverload, first, 1500, 0.5,
                                {leq, sel, &lo, &hi}),
                  1300 - first);
        EXPECT_EQ(leq, wantLeq) << first;
        EXPECT_EQ(sel, wantSel) << first;
        EXPECT_EQ(lo, wantLo);
        EXPECT_EQ(hi, wantHi);
    }
}

} // namespace
} // namespace orlu
