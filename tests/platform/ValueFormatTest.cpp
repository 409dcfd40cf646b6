#include "platform/ValueFormat.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

TEST(ValueFormat, ExponentsHaveThreeDigitsAndTheWidthCountsThem)
{
    EXPECT_EQ(StrPrintf("%10.2e", 1234.0), " 1.23e+003");
    EXPECT_EQ(StrPrintf("%.2E", 4.5e-10), "4.50E-010");
    EXPECT_EQ(StrPrintf("%-11.2e|", 1234.0), "1.23e+003  |");
    EXPECT_EQ(StrPrintf("%010.1e", -25.0), "-02.5e+001");
    EXPECT_EQ(StrPrintf("%e", 1e100), "1.000000e+100");
    EXPECT_EQ(StrPrintf("%g", 1e-5), "1e-005");
    EXPECT_EQ(StrPrintf("%g", 123456.0), "123456");
    EXPECT_EQ(StrPrintf("%8.3g", 0.5), "     0.5");
    EXPECT_EQ(StrPrintf("%.1f dB", 94.05), "94.0 dB"); // the C library's tie rounding
}

TEST(ValueFormat, LongConversionsAreThirtyTwoBits)
{
    EXPECT_EQ(StrPrintf("%ld", 0x1'0000'0005L), "5");
    EXPECT_EQ(StrPrintf("%lu", static_cast<unsigned long>(-1)), "4294967295");
    EXPECT_EQ(StrPrintf("%lx", 0xABCD'1234'5678UL), "12345678");
    EXPECT_EQ(StrPrintf("%lld", 0x1'0000'0005LL), "4294967301");
}

TEST(ValueFormat, OtherConversionsFollowPrintf)
{
    EXPECT_EQ(StrPrintf("%5d|%-5s|%c|%%|%04X", -42, "ab", 'z', 0x1fu), "  -42|ab   |z|%|001F");
    EXPECT_EQ(StrPrintf("%*d|%.*f", 4, 7, 2, 3.14159), "   7|3.14");
    EXPECT_EQ(StrPrintf("%s", std::string(300, 'x').c_str()).size(), 300u);
    std::string out = "a";
    AppendPrintf(out, "%02d:%02d", 5, 7);
    EXPECT_EQ(out, "a05:07");
}

TEST(ValueFormat, APrecisionBoundsTheTextRead)
{
    // As with printf, text under a precision need not end in a NUL: the
    // sanitizer build finds a read past the precision.
    const char letters[3] = {'a', 'b', 'c'};
    const char single = 'x';
    EXPECT_EQ(StrPrintf("%.2s|%-4.*s|", letters, 1, &single), "ab|x   |");
    EXPECT_EQ(StrPrintf("%.5s", "ab"), "ab");
}

} // namespace
} // namespace orlu
