#include "document/texts/NumberTexts.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

struct ValueUnitCase {
    int quantity;
    double x;
    int mode;
    bool nonMetric;
    const char* value;
    const char* unit;
    int formatIndex;
    int prefixIndex;
};

TEST(FormatValueUnit, PrefixesUnitsAndThreeDigits)
{
    const ValueUnitCase cases[] = {
        {4, 0.000123, 1, false, "123", " \xB5m/s\xB2     ", 0, 3},
        {4, 1.0, 1, false, "1.00", " m/s\xB2     ", 2, 1},
        {4, 12345.0, 1, false, "12.3", " km/s\xB2     ", 1, 0},
        // 999.6 rounds to 1.00e+003 in three digits: the prefix follows the rounded value.
        {4, 999.6, 2, false, "1.00", " km/s     ", 2, 0},
        {4, 0.0456, 3, false, "45.6", " mm     ", 1, 2},
        {4, 2.0, 4, false, "2.00", " KB", 2, 1},
        {4, 2.0, 5, false, "2.00", " KB", 2, 1},         // 5 counts as 4
        {4, 3.0e-9, 6, false, "3.00", " nm/sx     ", 2, 4}, // 6 counts as 5
        // Values of 1e6 and above stay in k; below 1e-12 in p.
        {4, 2.5e6, 1, false, "2500", " km/s\xB2     ", 0, 0},
        {4, 4.0e-14, 1, false, "0.04", " pm/s\xB2     ", 2, 5},
        {1, 0.5, 2, false, "500", " mV     ", 0, 2},
        {3, 0.5, 2, false, "500", " mV     ", 0, 2},
        {2, 0.02, 1, false, "20.0", " mPa     ", 1, 2},
        {5, 9.81, 1, true, "9.81", " g     ", 2, 1},
        {5, 0.25, 2, true, "250", " min/s     ", 0, 2},
        {5, 0.25, 2, false, "250", " mm/s     ", 0, 2},
        {5, 0.1, 3, true, "100", " min     ", 0, 2},
        {5, 1.5, 4, true, "1.50", " in/sx     ", 2, 1},
        {4, -0.00321, -1, false, "-3.21", " mV     ", 2, 2},
        // Mode -2 scales by 20 for pascals and by 100 above quantity 3.
        {2, 0.5, -2, false, "10.0", " Pa     ", 1, 1},
        {4, 0.5, -2, false, "50.0", " m/s\xB2     ", 1, 1},
        {1, 0.5, -2, false, "500", " mV     ", 0, 2},
        {0, 63.26, 0, false, "63.3", " dB     ", 0, 1},
        {0, -0.04, 0, false, "0.0", " dB     ", 0, 1}, // a zero value loses its '-'
        {0, 1.23e-4, 10, false, "1.23e-4", " Pa\xB2s", 0, 0},
        {0, 4.5e12, 10, false, "4.50e+12", " Pa\xB2s", 0, 0},
        {0, 1.0, 10, false, "1.00e+0", " Pa\xB2s", 0, 0},
        {0, 1.0, 7, false, "", "", 0, 0},
    };
    for (const ValueUnitCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "q=" << c.quantity << " x=" << c.x << " mode=" << c.mode);
        ValueUnitText t = FormatValueUnit(c.quantity, c.x, c.mode, c.nonMetric);
        EXPECT_EQ(t.value, c.value);
        EXPECT_EQ(t.unit, c.unit);
        EXPECT_EQ(t.formatIndex, c.formatIndex);
        EXPECT_EQ(t.prefixIndex, c.prefixIndex);
    }
}

TEST(FormatValueUnit, NonMetricMode5HasTheBlankUnit)
{
    ValueUnitText t = FormatValueUnit(5, 1.0, 6, true);
    EXPECT_EQ(t.unit, " " + std::string(60, ' '));
}

TEST(NumberTexts, CompactAndTidyTexts)
{
    EXPECT_EQ(FormatCompactG(12345.0), "1.23e4");
    EXPECT_EQ(FormatCompactG(0.0000123), "1.23e-5");
    EXPECT_EQ(FormatCompactG(1.5), "    1.5");
    EXPECT_EQ(FormatCompactG(1.0e100), " 1e100"); // padded to 7 before the exponent shrinks

    const std::pair<const char*, const char*> tidy[] = {
        {"2.500", "2.5"},   {"3.000", "3"},         {"1.5e+005", "1.5e+5"}, {"1.5e-010", "1.5e-10"},
        {"1.5e+000", "1.5e+0"}, {"120", "120"},     {"0.0", "0"},           {"1.0e+100", "1.0e+100"},
    };
    for (auto [in, expected] : tidy) {
        std::string text = in;
        TidyNumberText(text);
        EXPECT_EQ(text, expected) << in;
    }
}

TEST(NumberTexts, SignificantDecimals)
{
    EXPECT_EQ(CountSignificantDecimals(0.25), 2);
    EXPECT_EQ(CountSignificantDecimals(3.0), 0);
    EXPECT_EQ(CountSignificantDecimals(0.1234567), 6);
    EXPECT_EQ(CountSignificantDecimals(-1.5), 1);
    EXPECT_EQ(CountSignificantDecimals(1.0e-12), 0);
}

TEST(NumberTexts, TitleSuffix)
{
    std::string title = "Time intersection";
    AppendTitleSuffix(title, true, 3, 4, "1kHz");
    EXPECT_EQ(title, "Time intersection (smoothed) for 1/1 oct.: 1kHz [agreg.degree=4]");

    title = "T";
    AppendTitleSuffix(title, false, 2, 1, "125 Hz");
    EXPECT_EQ(title, "T for spectr.: 125 Hz ");
    EXPECT_EQ(TitleResultName(4), "1/3 oct.");
    EXPECT_EQ(TitleResultName(5), "RMS");
    EXPECT_EQ(TitleResultName(99), "");
}

TEST(NumberTexts, NameHelpers)
{
    SplitName s = SplitTrailingNumber("MEAS12");
    EXPECT_EQ(s.stem, "MEAS");
    EXPECT_EQ(s.number, 12);
    s = SplitTrailingNumber("LOGGER");
    EXPECT_EQ(s.stem, "LOGGER");
    EXPECT_EQ(s.number, 0);
    s = SplitTrailingNumber("A1B007");
    EXPECT_EQ(s.stem, "A1B");
    EXPECT_EQ(s.number, 7);
    s = SplitTrailingNumber("X99999999999999");
    EXPECT_EQ(s.number, 2147483647);

    std::string text = "ab  c  ";
    TrimTrailingBlanks(text);
    EXPECT_EQ(text, "ab  c");
    text = "   ";
    TrimTrailingBlanks(text);
    EXPECT_EQ(text, "");

    text = "Main results of file";
    SpacesToUnderscores(text);
    EXPECT_EQ(text, "Main_results_of_file");

    std::string path = "C:";
    AppendBackslashToDrive(path);
    EXPECT_EQ(path, "C:\\");
    path = "";
    AppendBackslashToDrive(path);
    EXPECT_EQ(path, "");
    path = "C:\\DATA";
    AppendBackslashToDrive(path);
    EXPECT_EQ(path, "C:\\DATA");
}

TEST(NumberTexts, HexadecimalReplies)
{
    EXPECT_EQ(HexDigitValue('0'), 0);
    EXPECT_EQ(HexDigitValue('9'), 9);
    EXPECT_EQ(HexDigitValue('A'), 10);
    EXPECT_EQ(HexDigitValue('F'), 15);
    EXPECT_EQ(HexDigitValue('a'), 42); // lower case is not a digit of the replies

    std::string_view reply = "1F A0 07";
    std::size_t pos = 0;
    EXPECT_EQ(ParseHexByte(reply, pos), 0x1F);
    EXPECT_EQ(pos, 3u);
    EXPECT_EQ(ParseHexByte(reply, pos), 0xA0);
    EXPECT_EQ(ParseHexByte(reply, pos), 0x07);
    EXPECT_EQ(pos, reply.size());
    EXPECT_EQ(ParseHexByte(reply, pos), 0); // past the end: no read outside the text
    EXPECT_EQ(pos, reply.size());

    EXPECT_EQ(ParseHex("1A2B"), 0x1A2Bu);
    EXPECT_EQ(ParseHex(""), 0u);
}

} // namespace
} // namespace orlu
