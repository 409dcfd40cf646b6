// The non-metric factor of vibration channels: g for accelerations, inches for
// velocities and displacements, nothing for other inputs or quantities.

#include "analysis/statistics/NonMetricFactor.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

TEST(NonMetricFactor, ByInputFilterAndFunction)
{
    constexpr double kG = 0.1019716213, kInch = 39.37007874;
    struct Case {
        const char* what;
        bool option;
        VibrationChannel channel;
        double factor;
    };
    const Case cases[] = {
        {"option off", false, {5, 1, 0, false}, 1.0},
        {"microphone", true, {2, 1, 0, false}, 1.0},
        {"acceleration filter", true, {5, 1, 0, false}, kG},
        {"velocity filter 4", true, {5, 4, 0, false}, kInch},
        {"velocity filter 7", true, {5, 7, 0, false}, kInch},
        {"displacement filter 10", true, {5, 10, 0, false}, kInch},
        {"filter 15 has no unit", true, {5, 15, 0, false}, 1.0},
        {"505: function 8 with a velocity filter", true, {5, 11, 8, true}, kInch},
        {"505: function 8 with an acceleration filter", true, {5, 1, 8, true}, kG},
        {"505: function 8 with the dose filter", true, {5, 12, 8, true}, 1.0},
        {"505: function 9 is velocity", true, {5, 0, 9, true}, kInch},
        {"505: function 11 is beyond", true, {5, 0, 11, true}, 1.0},
        {"505: function 3 has none", true, {5, 1, 3, true}, 1.0},
        {"505: filter outside the table", true, {5, 200, 8, true}, 1.0},
    };
    for (const Case& c : cases) {
        const NonMetricFactor f = GetNonMetricFactor(c.option, c.channel);
        EXPECT_EQ(f.factor, c.factor) << c.what;
        EXPECT_EQ(f.applies, c.factor != 1.0) << c.what;
    }
}

} // namespace
} // namespace orlu
