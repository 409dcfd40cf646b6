// Aggregation of time histories by the view's degree: kinds by result name,
// windows in dB and in linear units, overload flags, and the remainder.

#include "analysis/statistics/Aggregation.h"
#include "analysis/statistics/EnergyLevel.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

namespace orlu {
namespace {

TEST(AggregationKind, ByResultNameIgnoringCase)
{
    struct Case {
        const char* name;
        AggregationKind kind;
    };
    const Case cases[] = {
        {"peak", AggregationKind::Maximum}, {"MAX", AggregationKind::Maximum},
        {"Min", AggregationKind::Minimum},  {"TIME", AggregationKind::SampleMean},
        {"Leq", AggregationKind::EnergyMean}, {"VDV", AggregationKind::EnergyMean},
        {"P-P", AggregationKind::EnergyMean}, {"", AggregationKind::EnergyMean},
        {"MAXI", AggregationKind::EnergyMean},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetAggregationKind(c.name), c.kind) << c.name;
}

TEST(Aggregation, EnergyMeanOfLevelsInDb)
{
    std::vector<double> v{90.0, 80.0, 70.0};
    ASSERT_EQ(Aggregate(AggregationKind::EnergyMean, v, false, {}, 2), 1u);
    EXPECT_NEAR(v[0], 87.4, 0.005);
    EXPECT_EQ(v[2], 70.0);

    // Ten records at degree 3: three windows, the tenth record in none.
    std::vector<double> ten{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    ASSERT_EQ(Aggregate(AggregationKind::Maximum, ten, false, {}, 3), 3u);
    EXPECT_EQ(std::vector<double>(ten.begin(), ten.begin() + 4), (std::vector<double>{3, 6, 9, 4}));

    // Fewer records than the degree: no values, the array as it was.
    std::vector<double> two{60.0, 70.0};
    EXPECT_EQ(Aggregate(AggregationKind::EnergyMean, two, false, {}, 3), 0u);
    EXPECT_EQ(two, (std::vector<double>{60.0, 70.0}));

    // dB at degree 1 is left alone, whatever the kind.
    std::vector<double> one{60.0, 70.0};
    EXPECT_EQ(Aggregate(AggregationKind::Minimum, one, false, {}, 1), 2u);
    EXPECT_EQ(one, (std::vector<double>{60.0, 70.0}));
}

TEST(Aggregation, WindowWithoutEnergyIsTheMissingLevel)
{
    // The lowest word a file can hold, -3276.8 dB, has an energy below the smallest double.
    std::vector<double> v{-3276.8, -3276.8};
    ASSERT_EQ(Aggregate(AggregationKind::EnergyMean, v, false, {}, 2), 1u);
    EXPECT_EQ(v[0], kMissingValue);
}

TEST(Aggregation, LinearUnitsOfEachKind)
{
    const LinearScale pascal{6, 0, true, 1.0};
    EXPECT_NEAR(pascal.Linear(94.0), 1.0024, 5e-5);
    const LinearScale withOffset{6, 10, true, 1.0};
    EXPECT_NEAR(withOffset.Linear(94.0), 1.1247, 5e-5);

    // Degree 1 in linear units converts every value.
    std::vector<double> v{94.0, 74.0};
    ASSERT_EQ(Aggregate(AggregationKind::EnergyMean, v, true, pascal, 1), 2u);
    EXPECT_NEAR(v[0], 1.0024, 5e-5);
    EXPECT_NEAR(v[1], 0.10024, 5e-6);

    // The linear energy mean is the RMS of the window: sqrt((1 + 100) / 2) for 0 and 20 dB
    // re 1 (e = 0), times the non-metric factor.
    const LinearScale g{0, 0, false, 0.5};
    std::vector<double> w{0.0, 20.0};
    ASSERT_EQ(Aggregate(AggregationKind::EnergyMean, w, true, g, 2), 1u);
    EXPECT_NEAR(w[0], 0.5 * std::sqrt(50.5), 1e-12);
    // The extreme level is chosen first, then converted; the offset counts.
    const LinearScale plain{0, 200, false, 1.0};
    std::vector<double> m{0.0, 20.0, 10.0, -10.0};
    ASSERT_EQ(Aggregate(AggregationKind::Maximum, m, true, plain, 2), 2u);
    EXPECT_NEAR(m[0], 100.0, 1e-9); // 20 dB + 20 dB offset
    EXPECT_NEAR(m[1], 31.6227766, 1e-6);

    // Speeds and samples are averaged without conversion.
    std::vector<double> rpm{1000.0, 2000.0, 4000.0};
    ASSERT_EQ(Aggregate(AggregationKind::Mean, rpm, true, pascal, 3), 1u);
    EXPECT_EQ(rpm[0], 7000.0 / 3);
}

TEST(Aggregation, OverloadOfAnyRecordMarksItsWindow)
{
    std::vector<double> v{50, 60, 70, 80, 90, 100, 110};
    std::vector<std::uint8_t> flags{0, 0, 0, 1, 0, 0, 1};
    ASSERT_EQ(Aggregate(AggregationKind::Minimum, v, false, {}, 2, flags), 3u);
    EXPECT_EQ(std::vector<double>(v.begin(), v.begin() + 3), (std::vector<double>{50, 70, 90}));
    EXPECT_EQ(std::vector<std::uint8_t>(flags.begin(), flags.begin() + 3), (std::vector<std::uint8_t>{0, 1, 0}));

    // The mean kinds keep the flags as they were.
    std::vector<double> s{0.5, -0.5};
    std::vector<std::uint8_t> kept{1, 0};
    ASSERT_EQ(Aggregate(AggregationKind::SampleMean, s, false, {}, 2, kept), 1u);
    EXPECT_EQ(s[0], 0.0);
    EXPECT_EQ(kept, (std::vector<std::uint8_t>{1, 0}));
}

} // namespace
} // namespace orlu
