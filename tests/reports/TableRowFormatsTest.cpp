#include "reports/common/TableRowFormats.h"

#include "FormatConversions.h"
#include "platform/ValueFormat.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

using test::ArgumentKinds;
using test::ParseConversions;

// Rows 0 to 41 by the arguments their renderers pass and the decimals of
// their numbers (4 stands for the scientific member "%.2e").
struct TableFormatCase {
    int First;
    int Last;
    const char *Kinds;
    int FirstDecimals; ///< decimals index of row First; each later row adds one
};

const TableFormatCase kGroups[] = {
    {0, 4, "ssssffffss", 0},    {5, 5, "ssssffff", 1},   {6, 9, "ssssfffff", 0},  {10, 13, "ssssffff", 0},
    {14, 14, "sssffff", 4},     {15, 18, "f", 0},        {19, 23, "ssssffff", 0}, {24, 28, "sssssssf", 0},
    {29, 33, "ssssffffsss", 0}, {34, 34, "ssssffff", 1}, {35, 35, "f", 1},        {36, 36, "f", 4},
    {37, 41, "f", 0},
};

// "%.0f", "%.1f", "%.2f", "%.3f" and then the scientific "%.2e".
void ExpectDecimals(const test::Conversion &c, int decimals)
{
    if (decimals <= 3) {
        EXPECT_EQ(c.Type, 'f');
        EXPECT_EQ(c.Precision, decimals);
    } else {
        EXPECT_EQ(c.Type, 'e');
        EXPECT_EQ(c.Precision, 2);
    }
}

TEST(TableRowFormats, EveryFieldIsTenCharactersLeftAligned)
{
    ASSERT_EQ(TableRowFormats.size(), 49u);
    int covered = 0;
    for (const TableFormatCase &group : kGroups) {
        for (int row = group.First; row <= group.Last; ++row, ++covered) {
            std::string_view format = TableRowFormats[row];
            SCOPED_TRACE(testing::Message() << "row " << row << " \"" << format << '"');
            EXPECT_EQ(ArgumentKinds(format), group.Kinds);
            int decimals = group.FirstDecimals + (row - group.First);
            for (const auto &c : ParseConversions(format)) {
                EXPECT_EQ(c.Width, 10);
                EXPECT_NE(c.Flags.find('-'), std::string::npos);
                if (c.Type != 's')
                    ExpectDecimals(c, decimals);
            }
        }
    }
    EXPECT_EQ(covered, 42);
}

// With values that fit, a row is a whole number of 10-character fields: the
// fixed "-----" cells of the sound-intensity rows are fields too.
TEST(TableRowFormats, RowsAreWholeFields)
{
    auto width = [](int row) -> size_t {
        const char *f = TableRowFormats[row].data();
        switch (row) {
        case 5:
        case 34:
            return StrPrintf(f, "1-2", "A", "00:00'10", "dB", 1.0, 2.0, 3.0, 4.0).size();
        case 14:
            return StrPrintf(f, "#1", "A", "00:00'10", 1.0, 2.0, 3.0, 4.0).size();
        default:
            break;
        }
        std::string kinds = ArgumentKinds(f);
        if (kinds == "ssssffffss")
            return StrPrintf(f, "a", "b", "c", "d", 1.0, 2.0, 3.0, 4.0, "e", "f").size();
        if (kinds == "ssssfffff")
            return StrPrintf(f, "a", "b", "c", "d", 1.0, 2.0, 3.0, 4.0, 5.0).size();
        if (kinds == "ssssffff")
            return StrPrintf(f, "a", "b", "c", "d", 1.0, 2.0, 3.0, 4.0).size();
        if (kinds == "sssssssf")
            return StrPrintf(f, "a", "b", "c", "d", "e", "f", "g", 1.0).size();
        if (kinds == "ssssffffsss")
            return StrPrintf(f, "a", "b", "c", "d", 1.0, 2.0, 3.0, 4.0, "e", "f", "g").size();
        return StrPrintf(f, -12.5).size();
    };
    const size_t fields[42] = {10, 10, 10, 10, 10, 10, 9, 9, 9,  9,  8,  8,  8,  8,  7, 1, 1, 1, 1, 8, 8,
                               8,  8,  8,  8,  8,  8,  8, 8, 11, 11, 11, 11, 11, 11, 1, 1, 1, 1, 1, 1, 1};
    for (int row = 0; row < 42; ++row)
        EXPECT_EQ(width(row), 10 * fields[row]) << "row " << row << " \"" << TableRowFormats[row] << '"';
}

TEST(TableRowFormats, NamesAndSpotTexts)
{
    EXPECT_EQ(TableRowFormats[0], "%-10s%-10s%-10s%-10s%-10.0f%-10.0f%-10.0f%-10.0f%-10s%-10s");
    EXPECT_EQ(TableRowFormats[kTableRowLegacySoundIntensity],
              "%-10s%-10s%-10s%-10s%-+10.1f-----     %-+10.1f%-+10.1f-----     %-+10.1f");
    EXPECT_EQ(TableRowFormats[kTableRowMergedBase + 2],
              "%-10s%-10s%-10s%-10s%-10.3f%-10.3f%-10.3f%-10.3f%-10s%-10s%-10s");
    EXPECT_EQ(TableRowFormats[kTableRowMergedSoundIntensity],
              "%-10s%-10s%-10s%-10s%-+10.1f-----     %-+10.1f%-+10.1f-----     %-+10.1f-----     ");
    EXPECT_EQ(TableRowFormats[kTableValueDb], "%-10.1f");
    EXPECT_EQ(TableRowFormats[kTableValueLinear], "%-10.2e");
    EXPECT_EQ(TableRowFormats[kTableValueBase + 3], "%-10.2e");

    const std::string_view ranges[4] = {"UNKNOWN   ", "LOW       ", "HIGH      ", "SINGLE    "};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(TableRowFormats[kTableRangeNameBase + i], ranges[i]);
        EXPECT_EQ(TableRowFormats[kTableRangeNameBase + i].size(), 10u);
    }
    EXPECT_EQ(TableRowFormats[kTableUnitLetterBase + 0], "s");
    EXPECT_EQ(TableRowFormats[kTableUnitLetterBase + 1], "m");
    EXPECT_EQ(TableRowFormats[kTableUnitLetterBase + 2], "h");
}

TEST(TableRowFormats, LinearValuesKeepTheirFieldWithThreeDigitExponents)
{
    EXPECT_EQ(StrPrintf(TableRowFormats[kTableValueLinear].data(), 2.5e-3), "2.50e-003 ");
    EXPECT_EQ(StrPrintf(TableRowFormats[kTableValueBase + 2].data(), 12.3456), "12.346    ");
}

} // namespace
} // namespace orlu
