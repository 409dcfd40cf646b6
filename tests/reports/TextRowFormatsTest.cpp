#include "reports/common/TextRowFormats.h"
#include "reports/common/ReportColumnTitles.h"

#include "FormatConversions.h"
#include "platform/ValueFormat.h"

#include <gtest/gtest.h>

#include <vector>

namespace orlu {
namespace {

using test::ArgumentKinds;
using test::ParseConversions;

std::vector<size_t> BarPositions(std::string_view text)
{
    std::vector<size_t> at;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '|')
            at.push_back(i);
    return at;
}

TEST(ReportColumnTitles, EveryCellHasItsWidthAndText)
{
    ASSERT_EQ(ReportColumnTitles.size(), 17u);
    const size_t widths[17] = {10, 20, 5, 5, 33, 31, 9, 10, 10, 10, 10, 10, 10, 11, 38, 32, 31};
    for (int i = 0; i < kReportColumnTitleCount; ++i)
        EXPECT_EQ(ReportColumnTitles[i].size(), widths[i])
            << "title " << i << " \"" << ReportColumnTitles[i] << '"';
    EXPECT_EQ(ReportColumnTitles[kTitleFile], " File     ");
    EXPECT_EQ(ReportColumnTitles[kTitleNamesCurrent], " Filter Detect Time     | units |");
    EXPECT_EQ(ReportColumnTitles[kTitleStartUnits], " hh:mm'ss ");
    EXPECT_EQ(ReportColumnTitles[kTitleCrossHourUnits], "hh:mm'ss  ");
    EXPECT_EQ(ReportColumnTitles[kTitleNamesLegacyMergedUnits], "             hh:mm'ss |       |");
}

// One case per format: the arguments its renderers pass, and the decimals
// and width of its number cells.
struct RowFormatCase {
    char List;
    int Index;
    const char *Kinds;
    int Decimals;
    int Width;
};

const RowFormatCase kRowFormatCases[] = {
    {'A', 0, "ssssffffss", 0, 7},
    {'A', 1, "ssssffffss", 1, 7},
    {'A', 2, "ssssffffss", 2, 7},
    {'A', 3, "ssssffffss", 3, 7},
    {'A', 4, "ssssffff", 1, 7},
    {'A', 5, "f", 1, 9},
    {'A', 6, "f", 2, 10},
    {'A', 7, "f", 0, 7},
    {'A', 8, "f", 1, 7},
    {'A', 9, "f", 2, 7},
    {'A', 10, "f", 3, 7},
    {'A', 11, "f", 0, 9},
    {'A', 12, "f", 1, 9},
    {'A', 13, "f", 2, 9},
    {'A', 14, "f", 3, 9},
    {'B', 0, "ssssfffff", 0, 7},
    {'B', 1, "ssssfffff", 1, 7},
    {'B', 2, "ssssfffff", 2, 7},
    {'B', 3, "ssssfffff", 3, 7},
    {'B', 4, "f", 0, 7},
    {'B', 5, "f", 1, 7},
    {'B', 6, "f", 2, 7},
    {'B', 7, "f", 3, 7},
    {'B', 8, "ssssffff", 0, 7},
    {'B', 9, "ssssffff", 1, 7},
    {'B', 10, "ssssffff", 2, 7},
    {'B', 11, "ssssffff", 3, 7},
    {'B', 12, "ssssffff", 1, -1},
    {'B', 13, "sssssssf", 0, 7},
    {'B', 14, "sssssssf", 1, 7},
    {'B', 15, "sssssssf", 2, 7},
    {'B', 16, "sssssssf", 3, 7},
    {'B', 17, "ssssffffsss", 0, 7},
    {'B', 18, "ssssffffsss", 1, 7},
    {'B', 19, "ssssffffsss", 2, 7},
    {'B', 20, "ssssffffsss", 3, 7},
    {'B', 21, "ssssffff", 1, 7},
};

TEST(TextRowFormats, ConversionsAreWhatTheRenderersPass)
{
    ASSERT_EQ(TextRowFormatsA.size(), 15u);
    ASSERT_EQ(TextRowFormatsB.size(), 22u);
    ASSERT_EQ(std::size(kRowFormatCases), TextRowFormatsA.size() + TextRowFormatsB.size());
    for (const RowFormatCase &c : kRowFormatCases) {
        std::string_view format = c.List == 'A' ? TextRowFormatsA[c.Index] : TextRowFormatsB[c.Index];
        SCOPED_TRACE(testing::Message() << c.List << c.Index << " \"" << format << '"');
        EXPECT_EQ(ArgumentKinds(format), c.Kinds);
        for (const auto &conversion : ParseConversions(format)) {
            if (conversion.Type != 'f' && conversion.Type != 'e')
                continue;
            EXPECT_EQ(conversion.Precision, c.Decimals);
            EXPECT_EQ(conversion.Width, c.Width);
        }
    }
}

TEST(TextRowFormats, SpotTexts)
{
    EXPECT_EQ(TextRowFormatsA[0], "%5s  %-6s %8s |%6s |%7.0f%7.0f%7.0f%7.0f%7s%7s");
    EXPECT_EQ(TextRowFormatsA[kRowALegacySoundIntensity],
              "%5s  %-6s %8s |%6s |%+7.1f  -----%+7.1f%+7.1f  -----%+7.1f");
    EXPECT_EQ(TextRowFormatsA[6], "%10.2e");
    EXPECT_EQ(TextRowFormatsB[12], " %-6s %-6s %8s |%6s | %.1e %.1e %.1e %.1e");
    EXPECT_EQ(TextRowFormatsB[kRowBLegacyMergedSoundIntensity],
              "%-5s%-7s%5s |%6s |%+7.1f  -----%+7.1f%+7.1f  -----%+7.1f |  -----");
    EXPECT_EQ(TextRowFormatsB[kRowBTextCellsBase + 2], " %-6s %-6s %8s |%6s |%7s%7s%7s%7.3f");
}

// The bars of a row stand under the bars of its title lines, for every member
// of a group; the value cells then follow in runs of 7.
TEST(TextRowFormats, RowsLineUpWithTheirTitles)
{
    const std::string legacyTitle = std::string(" ") + std::string(ReportColumnTitles[kTitleNamesLegacy]);
    const std::string_view legacyUnits = ReportColumnTitles[kTitleNamesLegacyUnits];
    ASSERT_EQ(BarPositions(legacyTitle), BarPositions(legacyUnits));
    for (int d = 0; d < 3; ++d) {
        std::string row = StrPrintf(TextRowFormatsA[kRowALegacyBase + d].data(), " Leq", "C&A", "01:00'00",
                                    "mPa", 1.0, 2.0, 3.0, 4.0, "  -----", "  -----");
        EXPECT_EQ(BarPositions(row), BarPositions(legacyTitle)) << row;
        EXPECT_EQ(row.size(), legacyTitle.size() + 6 * 7) << row;
    }
    std::string intensity = StrPrintf(TextRowFormatsA[kRowALegacySoundIntensity].data(), "1-2", "A",
                                      "00:00'10", "dB", 90.0, -1.5, 2.5, 80.0);
    EXPECT_EQ(intensity.size(), legacyTitle.size() + 6 * 7) << intensity;

    const std::string_view currentTitle = ReportColumnTitles[kTitleNamesCurrent];
    const std::string_view currentUnits = ReportColumnTitles[kTitleNamesCurrentUnits];
    std::vector<size_t> unitBars = BarPositions(currentUnits);
    for (size_t &at : unitBars)
        at -= ReportColumnTitles[kTitleChannel].size(); // the units line also runs under the channel cell
    ASSERT_EQ(BarPositions(currentTitle), unitBars);
    for (int base : {kRowBFiveValuesBase, kRowBFourValuesBase, kRowBTextCellsBase})
        for (int d = 0; d < 3; ++d) {
            std::string_view format = TextRowFormatsB[base + d];
            std::string row = base == kRowBTextCellsBase
                                  ? StrPrintf(format.data(), "MODULE", "---", "00:00'10", "m/s\xB2",
                                              "  -----", "  -----", "  -----", 1.0)
                                  : StrPrintf(format.data(), "A", "Fast", "00:00'10", "\xB5m/s\xB2", 1.0, 2.0,
                                              3.0, 4.0, 5.0);
            EXPECT_EQ(BarPositions(row), BarPositions(currentTitle)) << row;
            EXPECT_EQ((row.size() - currentTitle.size()) % 7, 0u) << row;
        }
}

} // namespace
} // namespace orlu
