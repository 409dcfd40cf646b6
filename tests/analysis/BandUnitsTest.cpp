// Band spectra in linear units, velocity and displacement, non-metric units,
// the fold of third octaves into octaves, and the weighted totals recomputed
// from the bands.

#include "analysis/spectra/BandUnits.h"
#include "document/tables/BandTables.h"
#include "document/tables/WeightingTables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace orlu {
namespace {

constexpr std::uint16_t kMicrophone = 2, kAccelerometer = 5;

TEST(BandUnits, UnitIndexByQuantityAndInput)
{
    struct Case {
        int quantity;
        std::uint16_t input;
        bool nonMetric;
        std::uint16_t unit;
    };
    const Case cases[] = {
        {0, kMicrophone, false, 0}, {1, 1, false, 1}, {1, 3, false, 1}, {1, kMicrophone, true, 2},
        {1, kAccelerometer, false, 3}, {1, kAccelerometer, true, 9}, {2, kAccelerometer, true, 10},
        {3, kAccelerometer, true, 11}, {2, 4, true, 4}, {3, 4, false, 5}, {0, kAccelerometer, true, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetUnitIndex(c.quantity, c.input, c.nonMetric), c.unit) << c.quantity << " " << c.input;
}

TEST(BandUnits, BandValuesInEachQuantity)
{
    const BandChannel mic{kMicrophone, 0, false};
    EXPECT_NEAR(mic.Band(94.0, 1000.0, kBandLinear), 1.0024, 5e-5);
    const BandChannel micOffset{kMicrophone, 10, false};
    EXPECT_NEAR(micOffset.Band(94.0, 1000.0, kBandLinear), 1.1247, 5e-5);
    EXPECT_NEAR(micOffset.Level(micOffset.Band(94.0, 1000.0, kBandLinear)), 94.0, 1e-9);

    // 0.1 m/s2 at 31.5 Hz nominal, 31.25 Hz exact: 0.1 / (2 pi 31.25) m/s in in/s.
    const BandChannel acc{kAccelerometer, 0, true};
    EXPECT_NEAR(acc.Band(100.0, 31.5, kBandVelocity), 0.02005, 5e-6);
    EXPECT_NEAR(acc.Band(100.0, 31.5, kBandVelocity), 0.1 / (6.283185307 * 31.25) * 39.37007874, 1e-12);
    EXPECT_NEAR(acc.Band(100.0, 31.5, kBandLinear), 0.1 * 0.1019716213, 1e-12);
    // Totals are never divided by 2 pi f.
    EXPECT_NEAR(acc.Total(100.0), 0.1 * 0.1019716213, 1e-12);
}

TEST(BandUnits, FoldOfThreeThirdOctaves)
{
    const std::span<const double> centres = ThirdOctaveCentrePtr(6);
    for (std::int16_t offset : {std::int16_t{0}, std::int16_t{200}}) {
        std::vector<double> v{80.0, 80.0, 80.0, 70.0, 70.0, 70.0};
        const BandChannel mic{kMicrophone, offset, false};
        FoldThirdOctaves(v, centres, 0, 2, kBandDb, mic);
        EXPECT_NEAR(v[0], 84.77, 0.005) << offset;
        EXPECT_NEAR(v[1], 74.77, 0.005) << offset;
    }
    // Linear: the RMS of the three bands; octaves past the values are not formed.
    std::vector<double> v{94.0, 94.0, 94.0, 90.0};
    const double grand = FoldThirdOctaves(v, centres, 1, 2, kBandLinear, BandChannel{kMicrophone, 0, false});
    EXPECT_NEAR(v[0], std::sqrt(1.0024 * 1.0024 * 2 + 0.6325 * 0.6325), 1e-3);
    EXPECT_NEAR(grand, v[0] * v[0], 1e-12);
    EXPECT_EQ(v[1], 94.0);
}

TEST(BandUnits, SpectrumConversionAndWeightedTotals)
{
    const std::uint16_t n = 3;
    const std::span<const double> centres = ThirdOctaveCentrePtr(n);
    const BandChannel acc{kAccelerometer, 0, false};

    // dB display leaves everything alone.
    std::vector<double> same{80, 81, 82, 90, 91, 92};
    ConvertBandLevels(same, n, centres, kBandDb, acc, WeightedTotals{2});
    EXPECT_EQ(same, (std::vector<double>{80, 81, 82, 90, 91, 92}));

    // Own filter A: TOT_A is the RMS of the bands; TOT_C swaps A's corrections for C's.
    std::vector<double> v{80, 81, 82, 0, 0, 0};
    ConvertBandLevels(v, n, centres, kBandVelocity, acc, WeightedTotals{2});
    const auto a = WeightingCorrectionPtr(1, n);
    const auto c = WeightingCorrectionPtr(2, n);
    double rms = 0, cSum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        rms += v[i] * v[i];
        const double yc = acc.Band(80.0 + static_cast<double>(i) - a[i] + c[i], centres[i], kBandVelocity);
        cSum += yc * yc;
    }
    EXPECT_NEAR(v[3], std::sqrt(rms), 1e-15);
    EXPECT_NEAR(v[4], std::sqrt(cSum), 1e-15);
    EXPECT_LT(v[4], v[3]); // from 12.5 kHz up C falls below A
    EXPECT_NEAR(v[0], acc.Band(80.0, centres[0], kBandVelocity), 1e-18);

    // Linear: the stored totals are converted, not recomputed.
    std::vector<double> lin{80, 80, 80, 100};
    ConvertBandLevels(lin, n, centres, kBandLinear, acc);
    EXPECT_NEAR(lin[3], 0.1, 1e-12);
}

} // namespace
} // namespace orlu
