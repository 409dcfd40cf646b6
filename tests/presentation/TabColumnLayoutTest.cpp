// The screen columns of TAB-separated rows: each run of TAB lines is a table
// whose fields line up, the widest row counts in screen columns, and screen
// and line columns convert both ways.

#include "presentation/view/TabColumnLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orlu {
namespace {

LineList Lines(std::initializer_list<std::string_view> texts)
{
    LineList lines;
    for (std::string_view t : texts) {
        std::string line(t);
        AddLine(lines, line, nullptr);
    }
    return lines;
}

std::vector<std::string> ScreenTexts(const TabColumnLayout& layout, const LineList& lines)
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < lines.Size(); ++i) {
        std::string_view text = lines[i];
        text.remove_suffix(2);
        out.push_back(layout.ScreenText(static_cast<int>(i), text));
    }
    return out;
}

// Two tables of different columns, as a Main-results table form shows a
// sound and a vibration table, each under a title line without TABs.
const LineList kTwoTables = Lines({
    "Main_results_for_sound:",
    "Date\tChan\tSEL[dB]\tLn",
    "45/01/01\t#1\t107.8\t1",
    "",
    "Vibration:",
    "Chan\tPeak",
    "#22\t112.2",
});

TEST(TabColumnLayout, EachTableLinesUpItsFieldsAndLinesWithoutTabsStayAsTheyAre)
{
    TabColumnLayout layout;
    layout.Build(kTwoTables);
    ASSERT_FALSE(layout.Empty());
    EXPECT_EQ(ScreenTexts(layout, kTwoTables), (std::vector<std::string>{
                                                   "Main_results_for_sound:",
                                                   "Date      Chan  SEL[dB]  Ln",
                                                   "45/01/01  #1    107.8    1",
                                                   "",
                                                   "Vibration:",
                                                   "Chan  Peak",
                                                   "#22   112.2",
                                               }));
    // The widest line in screen columns, with its CR LF as the line counter counts it.
    EXPECT_EQ(layout.Widest(), 27 + 2);
}

TEST(TabColumnLayout, ScreenAndLineColumnsConvertBothWays)
{
    TabColumnLayout layout;
    layout.Build(kTwoTables);
    const std::string_view row = "45/01/01\t#1\t107.8\t1";
    struct Case {
        int screen;
        int column;
    };
    // Screen: "45/01/01  #1    107.8    1"
    for (const Case c : {Case{0, 0}, Case{7, 7}, Case{8, 8} /* gap: the TAB */, Case{9, 8}, Case{10, 9},
                         Case{11, 10}, Case{12, 11} /* TAB */, Case{15, 11}, Case{16, 12}, Case{20, 16},
                         Case{25, 18}, Case{26, 19} /* line end */, Case{30, 23} /* beyond it */}) {
        EXPECT_EQ(layout.LineColumn(2, row, c.screen), c.column) << "screen column " << c.screen;
    }
    // Every character's screen column leads back to it.
    for (int column = 0; column <= static_cast<int>(row.size()) + 3; ++column)
        EXPECT_EQ(layout.LineColumn(2, row, layout.ScreenColumn(2, row, column)), column) << column;
    // A TAB stands at the end of its field's text; the next field at its column.
    EXPECT_EQ(layout.ScreenColumn(2, row, 8), 8);
    EXPECT_EQ(layout.ScreenColumn(2, row, 12), 16);
    // Lines outside the tables count one screen column per character.
    EXPECT_EQ(layout.ScreenColumn(0, "Main_results_for_sound:", 20), 20);
    EXPECT_EQ(layout.LineColumn(3, "", 7), 7);
}

TEST(TabColumnLayout, CellsWiderThanTheLayoutPushTheirNeighboursInsteadOfCoveringThem)
{
    // Laid out before the first cell grew: the layout's columns are too narrow.
    TabColumnLayout layout;
    layout.Build(Lines({"a\tb\tc", "aa\tbb\tcc"}));
    EXPECT_EQ(layout.ScreenText(1, "a-much-longer-cell\tb\tc\textra"), "a-much-longer-cell  b  c  extra");
    EXPECT_EQ(layout.ScreenText(0, "a\tb\tc"), "a   b   c");
    EXPECT_EQ(layout.LineColumn(1, "a-much-longer-cell\tb\tc\textra", 26), 23);
}

TEST(TabColumnLayout, NoTabsNoLayout)
{
    TabColumnLayout layout;
    layout.Build(Lines({"plain text", "no fields"}));
    EXPECT_TRUE(layout.Empty());
    EXPECT_EQ(layout.Widest(), 12);
    layout.Build(Lines({"x\ty"}));
    EXPECT_FALSE(layout.Empty());
    layout.Clear();
    EXPECT_TRUE(layout.Empty());
    EXPECT_EQ(layout.Widest(), 0);
}

} // namespace
} // namespace orlu
