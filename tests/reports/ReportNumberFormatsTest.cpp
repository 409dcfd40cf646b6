#include "reports/common/ReportNumberFormats.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace orlu {
namespace {

TEST(FormatExponent, DropsLeadingExponentZerosRightAlignedInNine)
{
    const struct {
        double Value;
        const char *Text;
    } cases[] = {
        {0.000123, "  1.23e-4"},
        {1.5e10, " 1.50e+10"},
        {1234.0, "  1.23e+3"},
        {0.5, "  5.00e-1"},
        {1.0, "  1.00e+0"},
        {0.0, "  0.00e+0"},
        {-0.000123, " -1.23e-4"},
        {9.996, "  1.00e+1"},    // rounding carries into the exponent
        {9.996e99, "1.00e+100"}, // and into a third exponent digit
        {1e-100, "1.00e-100"},
        {-1.5e-200, "-1.50e-200"}, // wider than the field: nothing is cut
        {std::numeric_limits<double>::infinity(), "      inf"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatExponent(c.Value), c.Text) << c.Value;
}

TEST(FormatExposureValue, TwoDecimalsBelowOneHundredElseOneHeldAt999)
{
    const struct {
        double Value;
        const char *Text;
    } cases[] = {
        {0.0, "     0.00"},     {99.994, "    99.99"}, {-99.994, "   -99.99"}, {99.995, "    100.0"},
        {500.0, "    500.0"},   {999.94, "    999.9"}, {1234.5, "    999.9"},  {-120.0, "   -120.0"},
        {-2000.0, "   -999.9"}, {1e30, "    999.9"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatExposureValue(c.Value), c.Text) << c.Value;
}

TEST(FormatDuration, HoursBelow359999SecondsThenDaysAndRemainder)
{
    const struct {
        std::uint32_t Seconds;
        const char *Text;
        const char *Remainder;
    } cases[] = {
        {0, "00:00'00", ""},
        {3661, "01:01'01", ""},
        {359998, "99:59'58", ""},
        {359999, "4days+", "+03:59'59"},
        {345600 + 54400, "4days+", "+15:06'40"},
        {432000, "5days", ""},
        {std::numeric_limits<std::uint32_t>::max(), "49710days+", "+06:28'15"},
    };
    for (const auto &c : cases) {
        DurationText d = FormatDuration(c.Seconds);
        EXPECT_EQ(d.Text, c.Text) << c.Seconds;
        EXPECT_EQ(d.Remainder, c.Remainder) << c.Seconds;
    }
}

TEST(FormatPercent, SmallValuesShowAsBelowOneHundredth)
{
    const struct {
        double Value;
        const char *Text;
    } cases[] = {
        {0.0, "0.0"},   {9.994, "9.99"},  {9.995, "10.0"}, {12.34, "12.3"}, {100.0, "100.0"},
        {0.01, "0.01"}, {0.009, "<0.01"}, {-0.5, "<0.01"}, {0.5, "0.50"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatPercent(c.Value), c.Text) << c.Value;
}

} // namespace
} // namespace orlu
