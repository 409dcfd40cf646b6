// FFT lines aggregated into groups, converted to linear quantities, and the
// total over the cursor block.

#include "analysis/spectra/FftLines.h"
#include "document/MissingValue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace orlu {
namespace {

constexpr std::uint16_t kMicrophone = 2, kAccelerometer = 5;

FftLines Spectrum(int lines, double windowFactor = 1.0)
{
    FftLines s;
    s.lines = lines;
    s.resolution = 1.0;
    s.windowFactor = windowFactor;
    return s;
}

TEST(FftLines, GroupsOfDegree)
{
    struct Case {
        int lines, degree, groups, lastLine, lastGroup;
    };
    // Degree 4 over 402 lines drops line 401: its group would be incomplete.
    const Case cases[] = {{401, 4, 101, 400, 100}, {400, 3, 134, 399, 133}, {402, 4, 101, 400, 100},
                          {400, 1, 400, 399, 399}};
    for (const Case& c : cases) {
        EXPECT_EQ(Spectrum(c.lines).Groups(c.degree), c.groups) << c.lines << "/" << c.degree;
        EXPECT_EQ(FftLines::GroupOf(c.lastLine, c.degree), c.lastGroup) << c.lines << "/" << c.degree;
    }
    EXPECT_EQ(FftLines::GroupOf(0, 4), 0);
    EXPECT_EQ(FftLines::GroupOf(1, 4), 1);
    EXPECT_EQ(FftLines::GroupOf(5, 4), 2);
}

TEST(FftLines, AggregatedGroupsAddEnergyAndCorrectForTheWindow)
{
    struct Case {
        double windowFactor;
        double expected;
    };
    // Four lines of 60 dB: +6.02 dB, less 10 lg 1.5 under Hanning.
    const Case cases[] = {{1.0, 60.0 + 10 * std::log10(4.0)}, {1.5, 60.0 + 10 * std::log10(4.0 / 1.5)}};
    for (const Case& c : cases) {
        std::vector<double> v(401, 60.0);
        v[0] = 20.0;
        AggregateSpectrumLines(Spectrum(401, c.windowFactor), kBandDb, 4, v);
        EXPECT_NEAR(v[0], 20.0, 1e-9) << "line 0 alone, never divided";
        EXPECT_NEAR(v[1], c.expected, 1e-9);
        EXPECT_NEAR(v[100], c.expected, 1e-9);
    }
    std::vector<double> v(401, 60.0);
    AggregateSpectrumLines(Spectrum(401), kBandDb, 4, v);
    EXPECT_NEAR(v[1], 66.0, 0.05);
}

TEST(FftLines, DbAtDegreeOneKeepsEveryValueAndTheTotal)
{
    FftLines s = Spectrum(5);
    s.totalPosition = 2;
    std::vector<double> v{1.5, 2.5, 3.5, 4.5, 5.5, 70.1};
    const auto before = v;
    AggregateSpectrumLines(s, kBandDb, 1, v);
    EXPECT_EQ(v, before);
}

TEST(FftLines, TotalFollowsTheGroupsInItsQuantity)
{
    struct Case {
        int quantity;
        double expected;
    };
    // 94 dB at a microphone is 1.0024 Pa; a broadband total has no velocity.
    const Case cases[] = {{kBandDb, 94.0}, {kBandLinear, 1.00237}, {kBandVelocity, 0.0}, {kBandDisplacement, 0.0}};
    for (const Case& c : cases) {
        FftLines s = Spectrum(9);
        s.totalPosition = 2;
        s.channel.inputKind = kMicrophone;
        std::vector<double> v(10, 60.0);
        v[9] = 94.0;
        AggregateSpectrumLines(s, c.quantity, 4, v);
        EXPECT_NEAR(v[3], c.expected, 1e-5) << c.quantity;
    }
}

TEST(FftLines, LinearLinesUseTheirOwnFrequency)
{
    // 0 dB at an accelerometer is 1e-6 m/s2; velocity divides by 2 pi f, f = s + i R.
    const double twoPi = 6.283185307;
    for (double start : {0.0, 100.0}) {
        FftLines s = Spectrum(4);
        s.start = start;
        s.resolution = 0.5;
        s.channel.inputKind = kAccelerometer;
        std::vector<double> v(4, 0.0);
        AggregateSpectrumLines(s, kBandVelocity, 1, v);
        EXPECT_NEAR(v[0], start > 0 ? 1e-6 / (twoPi * start) : 0.0, 1e-15) << start;
        EXPECT_NEAR(v[3], 1e-6 / (twoPi * (start + 1.5)), 1e-15) << start;
    }
    // Non-metric units show g.
    FftLines s = Spectrum(2);
    s.channel = {kAccelerometer, 0, true};
    std::vector<double> v{0.0, 120.0};
    AggregateSpectrumLines(s, kBandLinear, 1, v);
    EXPECT_NEAR(v[1], 0.1019716213, 1e-12);
}

TEST(FftLines, BlockTotal)
{
    std::vector<double> v(11, 60.0);
    const double two = 60.0 + 10 * std::log10(2.0);
    struct Case {
        const char* what;
        int degree, c1, c2;
        double expected;
    };
    const Case cases[] = {
        {"one line, not divided by the window factor", 1, 5, 5, 60.0},
        {"two lines, divided once", 1, 5, 6, two - 10 * std::log10(1.5)},
        {"one group of two lines, not divided", 2, 2, 2, two},
        {"two groups of two, divided once", 2, 2, 4, 60.0 + 10 * std::log10(4.0 / 1.5)},
        {"past the last line: no lines", 1, 20, 30, kMissingValue},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(ComputeSpectrumTotal(Spectrum(11, 1.5), c.degree, c.c1, c.c2, v), c.expected, 1e-9) << c.what;

    FftLines linear = Spectrum(11, 1.0);
    linear.quantity = kBandLinear;
    EXPECT_NEAR(ComputeSpectrumTotal(linear, 1, 1, 4, v), 2e-3, 1e-12) << "sqrt of four squares of 1e-3 V";
}

} // namespace
} // namespace orlu
