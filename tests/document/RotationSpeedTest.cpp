// Rotation speeds from the two-word device reals of both firmware layouts.

#include "document/results/RotationSpeed.h"
#include "support/FixtureBuilder.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

TEST(RotationSpeed, BothLayoutsAndAZeroMantissa)
{
    struct Case {
        std::uint16_t lo, hi, firmware;
        double rpm;
    } cases[] = {
        {0x0000, 0x9701, 504, 60.0 / 65536}, // mantissa 2^16, exponent 151 - 151
        {0x8000, 0x8701, 300, 40.0},         // mantissa 1.5 x 2^16, exponent -16
        {0x0000, 0x5701, 505, 60.0 / 65536}, // from 5.05: exponent 0x57 - 87, low word doubled
        {0x4000, 0x5700, 505, 60.0 / 32768}, // (0x4000 & 0x7FFF) x 2 = 2^15
        {0x8000, 0x5700, 600, 0.0},          // the low word's top bit is no part of the mantissa
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hi);
        fixture::FixtureBuilder f;
        f.Le16(c.lo).Le16(c.hi).Padding(508);
        std::vector<std::uint8_t> page = f.Data();
        PagedFileImage image;
        image.AppendPage(page.data());
        EXPECT_DOUBLE_EQ(DecodeRpm(ImageReader(image, 4), 0, c.firmware), c.rpm);
    }
}

} // namespace
} // namespace orlu
