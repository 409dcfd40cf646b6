// Edit/Copy of the measurement view's lines: the table conversions of
// decimal point, separator and date, the block-marking modes, and the plain
// copy of text forms.

#include "presentation/view/ClipboardCopy.h"
#include "presentation/view/TextFormLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orlu {
namespace {

using namespace form_flags;

struct TableSettings {
    std::uint8_t viewDecimal = 0, viewSeparator = 0, viewDate = 2;
    std::uint8_t clipDecimal = 0, clipSeparator = 0, clipDate = 2;
    std::uint8_t mode = kBlockStream;
};

std::uint32_t Flags(std::uint32_t form, const TableSettings& s)
{
    std::uint32_t f = form;
    f = WithField(f, kDecimalShift, 1, s.viewDecimal);
    f = WithField(f, kSeparatorShift, 3, s.viewSeparator);
    f = WithField(f, kDateLayoutShift, 3, s.viewDate);
    f = WithField(f, kClipDecimalShift, 1, s.clipDecimal);
    f = WithField(f, kClipSeparatorShift, 3, s.clipSeparator);
    f = WithField(f, kClipDateShift, 3, s.clipDate);
    return WithField(f, kBlockModeShift, 2, s.mode);
}

/// A view showing the lines, with a block from (c1, l1) to (c2, l2) in characters.
void Show(MeasurementViewState& view, std::uint32_t flags, const std::vector<std::string>& texts, ViewPoint from,
          ViewPoint to)
{
    ClearLineList(&view.Lines);
    for (const std::string& t : texts) {
        std::string line = t;
        AddLine(view.Lines, line, &view.WidestLine);
    }
    view.FormFlags = flags;
    view.CharWidth = 1;
    view.LineHeight = 1;
    view.BlockAnchor = from;
    view.BlockEnd = to;
    NormalizeBlock(view);
}

struct TableCase {
    const char* name;
    std::vector<std::string> lines;
    TableSettings settings;
    ViewPoint from, to;
    std::string expected;
};

TEST(ClipboardCopyTest, TableBlockConversions)
{
    const TableSettings semicolon{.clipSeparator = 2, .mode = kBlockFullLines};
    const TableSettings semicolonComma{.clipDecimal = 1, .clipSeparator = 2, .mode = kBlockFullLines};
    const TableSettings fixed{.clipSeparator = 6, .mode = kBlockFullLines};
    const TableSettings dayFirst{.clipDate = 1, .mode = kBlockFullLines};
    const TableSettings dayFirstSemicolon{.clipSeparator = 2, .clipDate = 1, .mode = kBlockFullLines};
    const TableSettings box{.clipSeparator = 2, .mode = kBlockBox};
    const TableSettings unchanged{.mode = kBlockFullLines};
    const TableSettings commaView{.viewSeparator = 1, .clipDecimal = 1, .clipSeparator = 2, .mode = kBlockFullLines};
    const TableCase cases[] = {
        {"separator converted", {"1.5\t2.5"}, semicolon, {0, 0}, {1, 0}, "1.5;2.5\r\n"},
        {"decimal and separator", {"1.5\t2.5"}, semicolonComma, {0, 0}, {1, 0}, "1,5;2,5\r\n"},
        {"runs collapse, leading dropped", {"\t1\t\t2"}, semicolon, {0, 0}, {1, 0}, "1;2\r\n"},
        {"fixed columns pad to ten", {"6\tab\tx"}, fixed, {0, 0}, {1, 0}, "6          ab         x\r\n"},
        {"date reordered", {"09/07/28\t1.0"}, dayFirst, {0, 0}, {1, 0}, "28/07/09\t1.0\r\n"},
        {"each separator re-arms the date test", {"x\t09/07/28\t10/01/02"}, dayFirstSemicolon, {0, 0}, {1, 0},
         "x;28/07/09;02/01/10\r\n"},
        {"date kept in view order", {"09/07/28"}, unchanged, {0, 0}, {1, 0}, "09/07/28\r\n"},
        {"a fraction is no date", {"1/2\t3"}, dayFirst, {0, 0}, {1, 0}, "1/2\t3\r\n"},
        {"date cut by line end", {"a\t09/07/2"}, dayFirst, {0, 0}, {1, 0}, "a\t09/07/2\r\n"},
        {"superscript two", {"m/s\xB2\t1"}, semicolon, {0, 0}, {1, 0}, "m/s2;1\r\n"},
        {"box of two fields keeps its closing separator", {"a\tb\tc\td", "e\tf\tg\th"}, box, {0, 0}, {2, 1},
         "a;b;\r\ne;f;\r\n"},
        {"box to the line end has no separator after", {"a\tb\tc", "e\tf\tg"}, box, {2, 0}, {40, 1}, "b;c\r\nf;g\r\n"},
        {"decimal comma is not a comma separator", {"1.5,2"}, commaView, {0, 0}, {1, 0}, "1,5;2\r\n"},
    };
    for (const TableCase& c : cases) {
        SCOPED_TRACE(c.name);
        MeasurementViewState view;
        Show(view, Flags(kTable, c.settings), c.lines, c.from, c.to);
        EXPECT_EQ(CopyMeasurementViewBlock(view), c.expected);
    }
}

TEST(ClipboardCopyTest, TableDateIsNotCompletedFromBeyondTheBlock)
{
    // Eight characters from the first field's start look like a date only with
    // the next field's characters: the block of the first field copies it plainly.
    MeasurementViewState view;
    Show(view, Flags(kTable, {.clipSeparator = 2, .clipDate = 1, .mode = kBlockBox}), {"ab/c\t/ghij\tz"}, {0, 0},
         {1, 0});
    EXPECT_EQ(CopyMeasurementViewBlock(view), "ab/c;\r\n");
}

TEST(ClipboardCopyTest, TableStreamTakesWholeMiddleLinesAndCutsTheEnds)
{
    MeasurementViewState view;
    Show(view, Flags(kTable, {.clipSeparator = 2, .mode = kBlockStream}), {"a\tb\tc", "d\te\tf", "g\th\ti"}, {2, 0},
         {2, 2});
    EXPECT_EQ(CopyMeasurementViewBlock(view), "b;c\r\nd;e;f\r\ng;h;\r\n");
}

struct PlainCase {
    const char* name;
    std::uint8_t mode;
    ViewPoint start, stop;
    std::string expected;
};

TEST(ClipboardCopyTest, PlainCopyByMode)
{
    const std::vector<std::string> lines = {"abcdef", "gh", "ijklmn"};
    const PlainCase cases[] = {
        {"stream on one line", kBlockStream, {1, 0}, {4, 0}, "bcd\r\n"},
        {"stream across three lines", kBlockStream, {2, 0}, {3, 2}, "cdef\r\ngh\r\nijk\r\n"},
        {"column block pads short lines", kBlockBox, {1, 0}, {5, 2}, "bcde\r\nh   \r\njklm\r\n"},
        {"whole lines", kBlockFullLines, {4, 1}, {0, 2}, "gh\r\nijklmn\r\n"},
        {"full columns take every line", kBlockFullColumns, {0, 1}, {2, 1}, "ab\r\ngh\r\nij\r\n"},
        {"end cut to the last line", kBlockFullLines, {0, 2}, {0, 9}, "ijklmn\r\n"},
    };
    for (const PlainCase& c : cases) {
        SCOPED_TRACE(c.name);
        LineList list;
        int widest = 0;
        for (const std::string& t : lines) {
            std::string line = t;
            AddLine(list, line, &widest);
        }
        EXPECT_EQ(CopyTextBlock(list, {c.start, c.stop, c.mode}), c.expected);
    }
}

TEST(ClipboardCopyTest, MeasurementViewTextCopyTurnsSuperscriptTwoIntoTwo)
{
    MeasurementViewState view;
    Show(view, Flags(kText, {.mode = kBlockStream}), {"1.0 m/s\xB2"}, {0, 0}, {8, 0});
    EXPECT_EQ(CopyMeasurementViewBlock(view), "1.0 m/s2\r\n");
    view.BlockAnchor = view.BlockEnd;
    NormalizeBlock(view);
    EXPECT_EQ(CopyMeasurementViewBlock(view), "") << "nothing marked, nothing copied";
}

} // namespace
} // namespace orlu
