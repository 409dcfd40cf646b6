// orlu-dump's copy, pages and printing of a view and its text documents: the
// sample's Main results table copied for a spreadsheet, a logger text printed
// on pages with their footers into a real PDF, and a text file's hex dump.

#include "support/CommandRun.h"
#include "support/ToolPaths.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace orlu {
namespace {

namespace fs = std::filesystem;

using test::ToolsDir;

/// Pages of a PDF: its page objects, not the page tree.
int PdfPages(const fs::path& pdf)
{
    const std::string bytes = test::ReadAll(pdf);
    int pages = 0;
    for (std::size_t at = bytes.find("/Type /Page"); at != std::string::npos; at = bytes.find("/Type /Page", at + 1))
        pages += at + 11 < bytes.size() && bytes[at + 11] != 's';
    return pages;
}

fixture::CommandRun Dump(const fs::path& file, const std::string& arguments)
{
    return fixture::RunCommand((ToolsDir() / "orlu-dump").string() + " " + file.string() + " " + arguments);
}

using orlu::test::kToolsPaintWithQt;

TEST(ViewOutputTools, TableCopiedWithTheClipboardSettings)
{
    const fs::path file = test::TempPath("orlu-copy", ".orl");
    ASSERT_EQ(fixture::RunCommand((ToolsDir() / "orlu-fixture").string() + " sample " + file.string()).status, 0);
    const auto copy = Dump(file, "--view 2 --form table --copy --block 0,2,12,2 --block-mode 1 --clip-sep 2 "
                                 "--clip-dec 1 --clip-date 1");
    const auto all = Dump(file, "--view 2 --form table --copy --clip-sep 2 --clip-dec 1");
    fs::remove(file);
    ASSERT_EQ(copy.status, 0);
    // The sample's first profile row starts 24/05/14 TAB 14:30'20 TAB; the box takes those two fields.
    EXPECT_EQ(copy.out, "14/05/24;14:30'20;\r\n");
    EXPECT_NE(all.out.find(";104,5;58,7;93,4;"), std::string::npos) << all.out;
    EXPECT_EQ(all.out.find('\t'), std::string::npos);
}

TEST(ViewOutputTools, LoggerTextPrintsOnPagesWithFooters)
{
    if (!kToolsPaintWithQt)
        GTEST_SKIP() << "orlu-dump prints and paints pictures only in the build with Qt";
    const fs::path file = test::TempPath("orlu-pages", ".orl");
    const fs::path pdf = test::TempPath("orlu-pages", ".pdf");
    ASSERT_EQ(fixture::RunCommand((ToolsDir() / "orlu-fixture").string() + " current --kind 45 --logger 130 " +
                                  file.string())
                  .status,
              0);
    const auto pages = Dump(file, "--view 7 --form text --pages --print-pitch 22");
    const auto print = Dump(file, "--view 7 --form text --print " + pdf.string() + " --print-pitch 22");
    const int printed = PdfPages(pdf);
    fs::remove(file);
    fs::remove(pdf);
    ASSERT_EQ(pages.status, 0);
    const std::string name = file.filename().string();
    EXPECT_NE(pages.out.find("pages=3\n"), std::string::npos) << pages.out;
    EXPECT_NE(pages.out.find("*** File " + name + " ***    Page: 3\n"), std::string::npos) << pages.out;
    EXPECT_EQ(pages.out.find("Page: 4"), std::string::npos);
    EXPECT_EQ(print.status, 0);
    EXPECT_EQ(printed, 3);
}

TEST(ViewOutputTools, TextFileAsHexDump)
{
    const fs::path file = test::TempPath("orlu-seventeen", ".txt");
    std::ofstream(file, std::ios::binary) << "0123456789ABCDEF!";
    const auto dump = Dump(file, "--open-as text --form hex");
    const auto text = Dump(file, "--open-as text");
    fs::remove(file);
    ASSERT_EQ(dump.status, 0);
    EXPECT_NE(dump.out.find("\r\n000010  21" + std::string(61 - 10, ' ') + "!\r\n"), std::string::npos) << dump.out;
    EXPECT_EQ(text.out, "0123456789ABCDEF!\r\n");
}

TEST(ViewOutputTools, MultiElementGraphCopyIsSixHundredFortyWide)
{
    if (!kToolsPaintWithQt)
        GTEST_SKIP() << "orlu-dump prints and paints pictures only in the build with Qt";
    const fs::path state = test::TempPath("orlu-multi", ".plot");
    const fs::path png = test::TempPath("orlu-multi", ".png");
    ASSERT_EQ(fixture::RunCommand((ToolsDir() / "orlu-fixture").string() + " plot --plot-kind 9 --waterfall 60,60 " +
                                  state.string())
                  .status,
              0);
    const auto copy = Dump(state, "--form graph --copy " + png.string());
    std::ifstream in(png, std::ios::binary);
    std::string header(24, '\0');
    in.read(header.data(), 24);
    fs::remove(state);
    fs::remove(png);
    ASSERT_EQ(copy.status, 0);
    ASSERT_EQ(header.substr(1, 3), "PNG");
    const auto be32 = [&](std::size_t at) {
        return (std::uint32_t(std::uint8_t(header[at])) << 24) | (std::uint32_t(std::uint8_t(header[at + 1])) << 16) |
               (std::uint32_t(std::uint8_t(header[at + 2])) << 8) | std::uint32_t(std::uint8_t(header[at + 3]));
    };
    EXPECT_EQ(be32(16), 640u) << "the picture's own width, not the 1000-pixel bitmap's";
    EXPECT_GT(be32(20), 0u);
}

TEST(ViewOutputTools, GraphPrintsOnOnePage)
{
    if (!kToolsPaintWithQt)
        GTEST_SKIP() << "orlu-dump prints and paints pictures only in the build with Qt";
    const fs::path state = test::TempPath("orlu-print", ".plot");
    const fs::path pdf = test::TempPath("orlu-graph", ".pdf");
    ASSERT_EQ(fixture::RunCommand((ToolsDir() / "orlu-fixture").string() + " plot --plot-kind 1 --panels 2 " +
                                  state.string())
                  .status,
              0);
    const auto print = Dump(state, "--form graph --print " + pdf.string() + " --zoom 4");
    const int pages = PdfPages(pdf);
    const auto notPdf = Dump(state, "--form graph --print " + test::TempPath("orlu-graph", ".png").string());
    fs::remove(state);
    fs::remove(pdf);
    EXPECT_EQ(print.status, 0);
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(notPdf.status, 2) << "a printed page is a PDF";
}

} // namespace
} // namespace orlu
