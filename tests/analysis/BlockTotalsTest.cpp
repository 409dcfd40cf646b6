// Totals of the bands between two markers, of octave, third-octave and folded
// spectra, and the blocks that miss the spectrum.

#include "analysis/spectra/BlockTotals.h"
#include "document/MissingValue.h"
#include "document/tables/BandTables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace orlu {
namespace {

constexpr std::uint16_t kMicrophone = 2, kAccelerometer = 5;

TEST(BlockTotals, CasesOfThirdOctaveBlocks)
{
    const BandChannel mic{kMicrophone, 0, false};
    const BandChannel acc{kAccelerometer, 0, false};
    const std::span<const double> centres = ThirdOctaveCentrePtr(5);
    struct Case {
        const char* name;
        std::vector<double> values;
        BandBlock block;
        int firstBand;
        int quantity;
        BandChannel channel;
        double total;
        double tolerance;
    };
    const Case cases[] = {
        {"one 70 dB band", {50, 70, 50, 50, 50}, {1, 1}, 0, kBandDb, mic, 70.0, 1e-9},
        {"one 70 dB band in pascal", {50, 70, 50, 50, 50}, {1, 1}, 0, kBandLinear, mic, 0.0632456, 1e-6},
        {"two 60 dB bands", {60, 60, 40, 40, 40}, {0, 1}, 0, kBandDb, mic, 63.0103, 1e-4},
        {"lower marker below the first band", {60, 60, 40, 40, 40}, {-3, 1}, 0, kBandDb, mic, 63.0103, 1e-4},
        {"markers shifted by the first band", {60, 60, 40, 40, 40}, {2, 3}, 2, kBandDb, mic, 63.0103, 1e-4},
        {"bands past the spectrum add nothing", {40, 40, 40, 60, 60}, {3, 12}, 0, kBandDb, acc, 63.0103, 1e-4},
        {"upper marker below the first band (dB)", {60, 60, 60, 60, 60}, {0, 1}, 2, kBandDb, mic, kMissingValue, 0},
        {"upper marker below the first band (Pa)", {60, 60, 60, 60, 60}, {0, 1}, 2, kBandLinear, mic, kMissingValue, 0},
        {"upper marker below the first band (velocity)", {60, 60, 60, 60, 60}, {0, 1}, 2, kBandVelocity, acc,
         kMissingValue, 0},
        {"block above the last band", {60, 60, 60, 60, 60}, {5, 9}, 0, kBandDb, mic, kMissingValue, 0},
        {"block above the last band, linear", {60, 60, 60, 60, 60}, {7, 9}, 0, kBandLinear, acc, kMissingValue, 0},
    };
    for (const Case& c : cases) {
        const double total = BlockTotal(c.values, c.values.size(), centres, c.block, c.firstBand, c.quantity, c.channel);
        if (c.tolerance == 0)
            EXPECT_EQ(total, c.total) << c.name;
        else
            EXPECT_NEAR(total, c.total, c.tolerance) << c.name;
    }
}

TEST(BlockTotals, TrailingValuesNeverTakePart)
{
    const BandChannel mic{kMicrophone, 0, false};
    const std::vector<double> values{60, 60, 120, 120};
    EXPECT_NEAR(BlockTotal(values, 2, ThirdOctaveCentrePtr(2), {0, 3}, 0, kBandDb, mic), 63.0103, 1e-4);
}

TEST(BlockTotals, OffsetLeavesTheDbTotalAndRaisesTheLinearOne)
{
    const BandChannel plain{kAccelerometer, 0, false};
    const BandChannel offset{kAccelerometer, 200, false};
    const std::vector<double> values{80, 80};
    const auto centres = ThirdOctaveCentrePtr(2);
    EXPECT_NEAR(BlockTotal(values, 2, centres, {0, 1}, 0, kBandDb, offset), 83.0103, 1e-4);
    EXPECT_NEAR(BlockTotal(values, 2, centres, {0, 1}, 0, kBandLinear, offset),
                10.0 * BlockTotal(values, 2, centres, {0, 1}, 0, kBandLinear, plain), 1e-9);
}

TEST(BlockTotals, VelocityDividesEachBandByItsOwnCentre)
{
    const BandChannel acc{kAccelerometer, 0, false};
    const auto centres = ThirdOctaveCentrePtr(2);
    const std::vector<double> values{120, 120};
    double s = 0;
    for (int i = 0; i < 2; ++i) {
        const double y = std::pow(10.0, 120.0 / 20 - 6) / (6.283185307 * ExactThirdOctaveCentre(centres[i]));
        s += y * y;
    }
    EXPECT_NEAR(BlockTotal(values, 2, centres, {0, 1}, 0, kBandVelocity, acc), std::sqrt(s), 1e-12);
}

TEST(BlockTotals, FoldedOctaveSumsItsOwnThirdOctaves)
{
    // 31 third octaves (20 Hz to 20 kHz) shown as octaves from the second band: octave 0
    // is bands 1, 2 and 3. Band 0 and the bands after octave 0 are loud and must stay out.
    const BandChannel mic{kMicrophone, 0, false};
    std::vector<double> values(31, 100.0);
    values[1] = values[2] = values[3] = 80.0;
    const auto centres = ThirdOctaveCentrePtr(31);
    EXPECT_NEAR(FoldedBlockTotal(values, centres, 1, 10, {0, 0}, 0, kBandDb, mic), 80.0 + 10 * std::log10(3.0), 1e-9);
    // Octaves 0 and 1 together: the energy of six bands.
    values[4] = values[5] = values[6] = 80.0;
    EXPECT_NEAR(FoldedBlockTotal(values, centres, 1, 10, {0, 1}, 0, kBandDb, mic), 80.0 + 10 * std::log10(6.0), 1e-9);
    EXPECT_EQ(FoldedBlockTotal(values, centres, 1, 10, {0, 1}, 3, kBandDb, mic), kMissingValue);
    EXPECT_EQ(FoldedBlockTotal(values, centres, 1, 10, {10, 12}, 0, kBandLinear, mic), kMissingValue);
}

} // namespace
} // namespace orlu
