// Energies of levels: the looked-up energies of whole tenths are the numbers
// pow gives, and levels between tenths (or out of the 16-bit range) still
// get theirs.

#include "analysis/statistics/EnergyLevel.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orlu {
namespace {

TEST(EnergyLevel, EveryWholeTenthLooksUpThePowerOfTen)
{
    int differing = -1;
    for (int w = -32768; w <= 32767 && differing < 0; ++w) {
        const double db = w / 10.0;
        if (EnergyOfLevel(db) != std::pow(10.0, 0.1 * db))
            differing = w;
    }
    EXPECT_EQ(differing, -1) << "tenths " << differing;
}

TEST(EnergyLevel, LevelsBetweenTenthsAndBeyondTheWordsAreComputed)
{
    for (double db : {60.05, -0.05, 3276.8, -3276.9, 1e6})
        EXPECT_DOUBLE_EQ(EnergyOfLevel(db), std::pow(10.0, 0.1 * db)) << db;
    EXPECT_TRUE(std::isnan(EnergyOfLevel(std::nan(""))));
    EXPECT_DOUBLE_EQ(LevelOfEnergy(EnergyOfLevel(94.0)), 94.0);
}

} // namespace
} // namespace orlu
