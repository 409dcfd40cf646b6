// Pages of a printed text form: lines per page, page count, footers, the
// file name of a document without a file, and the first line put back.

#include "presentation/view/PrintPages.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

TEST(PrintPagesTest, LayOut)
{
    struct Case {
        const char* name;
        std::size_t lines;
        int pageHeight, lineHeight;
        int perPage, pages;
    } cases[] = {
        {"130 lines at 60 a page", 130, 60 + 60 * 50, 50, 60, 3},
        {"exactly two pages", 120, 60 + 60 * 50, 50, 60, 2},
        {"one line short of a page", 59, 60 + 60 * 50, 50, 60, 1},
        {"a page lower than a line still takes one", 3, 100, 80, 1, 3},
        {"no lines: one page for the footer", 0, 3060, 50, 60, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TextPageLayout layout = LayOutTextPages(c.lines, c.pageHeight, c.lineHeight);
        EXPECT_EQ(layout.linesPerPage, c.perPage);
        EXPECT_EQ(layout.pageCount, c.pages);
    }
}

TEST(PrintPagesTest, PagesStartAtTheirLinesAndTheScreenLineComesBack)
{
    std::int32_t firstLine = 17;
    {
        TextPrintRun run(firstLine, 130, 60 + 60 * 50, 50);
        EXPECT_EQ(firstLine, 0);
        EXPECT_EQ(run.StartPage(2), 60) << "page 2 begins with the 61st line";
        EXPECT_EQ(firstLine, 60);
        EXPECT_EQ(run.LinesOnPage(2), 60u);
        EXPECT_EQ(run.LinesOnPage(3), 10u);
        EXPECT_EQ(run.LinesOnPage(4), 0u);
    }
    EXPECT_EQ(firstLine, 17);
}

TEST(PrintPagesTest, FootersAndNames)
{
    EXPECT_EQ(TextPageFooter("/data/a.txt", 2), "*** File /data/a.txt ***    Page: 2");
    EXPECT_EQ(GraphPageFooter("/data/m.orl"), "*** File /data/m.orl ***");
    EXPECT_EQ(PrintedFileName("/data/a.txt", "a.txt - text (disk file)"), "/data/a.txt");
    EXPECT_EQ(PrintedFileName("", "Settings1 - text (TXT view copy)"), "Settings1");
    EXPECT_EQ(PrintedFileName("", "Binary3#x"), "Binary3");
    EXPECT_EQ(PrintedFileName("", "Multifile2"), "Multifile2");
}

} // namespace
} // namespace orlu
