#include "reports/table/ColumnTableWriter.h"

#include "FailingAllocation.h"

#include "platform/FileIo.h"
#include "platform/TextEncoding.h"
#include "platform/ValueFormat.h"
#include "reports/table/TableWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

namespace orlu {
namespace {

const std::string kCaption = "Histogram_of_levels";
const std::vector<double> kX = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
const std::vector<double> kY = {0, 1.25, 2.5, 3.75, 5, 6.25, 7.5, 8.75, 10, 11.25};

// The lines of the list without their CR LF, each checked to have one.
std::vector<std::string> TextLines(const LineList& lines)
{
    std::vector<std::string> text;
    for (std::string_view line : lines) {
        EXPECT_TRUE(line.ends_with("\r\n")) << line;
        text.emplace_back(line.substr(0, line.size() - 2));
    }
    return text;
}

ColumnTableFormat HistogramFormat()
{
    ColumnTableFormat format;
    format.Pairs = 4;
    format.Caption = kCaption;
    format.HeaderWords = "Class Perc. Class Perc. Class Perc. Class Perc. ";
    format.RowFormat = "%-10.1f%-10.2f";
    return format;
}

struct LayoutCase {
    const char* name;
    std::uint8_t formatFlag;
    std::uint8_t decimalIndex;
    std::uint8_t separatorIndex;
    std::size_t count;
    std::vector<std::string> expected;
};

TEST(WriteColumnTableTest, ThreeLayouts)
{
    const LayoutCase cases[] = {
        {"side by side, rows of the last pair short", 0, 0, 2, 10,
         {kCaption, "Class;Perc_;Class;Perc_;Class;Perc_;Class;Perc_", "0.0;0.00;3.0;3.75;6.0;7.50;9.0;11.25",
          "1.0;1.25;4.0;5.00;7.0;8.75", "2.0;2.50;5.0;6.25;8.0;10.00"}},
        {"side by side, fixed fields", 0, 0, 6, 10,
         {kCaption, "Class     Perc_     Class     Perc_     Class     Perc_     Class     Perc_     ",
          "0.0       0.00      3.0       3.75      6.0       7.50      9.0       11.25     ",
          "1.0       1.25      4.0       5.00      7.0       8.75      ",
          "2.0       2.50      5.0       6.25      8.0       10.00     "}},
        {"flag 6 is layout 0; decimal comma, doubled blanks", 6, 1, 5, 10,
         {kCaption, "Class  Perc_  Class  Perc_  Class  Perc_  Class  Perc_", "0,0  0,00  3,0  3,75  6,0  7,50  9,0  11,25",
          "1,0  1,25  4,0  5,00  7,0  8,75", "2,0  2,50  5,0  6,25  8,0  10,00"}},
        {"one pair per row", 1, 0, 0, 3, {kCaption, "Class\tPerc_", "0.0\t0.00", "1.0\t1.25", "2.0\t2.50"}},
        {"flag 4 is layout 1, fixed fields", 4, 0, 6, 2,
         {kCaption, "Class     Perc_     ", "0.0       0.00      ", "1.0       1.25      "}},
        {"transposed, doubled blanks: one blank after the title", 2, 0, 5, 3,
         {kCaption, "Class 0.0  1.0  2.0", "Perc_ 0.00  1.25  2.50"}},
        {"flag 5 is layout 2, fixed fields", 5, 0, 6, 3,
         {kCaption, "Class     0.0       1.0       2.0       ", "Perc_     0.00      1.25      2.50      "}},
        {"transposed with comma as both decimal and separator", 2, 1, 1, 3,
         {kCaption, "Class,0,0,1,0,2,0", "Perc_,0,00,1,25,2,50"}},
        {"no pairs, side by side", 0, 0, 0, 0, {kCaption, "Class\tPerc_\tClass\tPerc_\tClass\tPerc_\tClass\tPerc_"}},
        {"no pairs, one per row", 1, 0, 0, 0, {kCaption, "Class\tPerc_"}},
        {"no pairs, transposed", 2, 0, 0, 0, {kCaption, "Class\t", "Perc_\t"}},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        LineList lines;
        int width = -1;
        TableOutputOptions options{c.formatFlag, c.decimalIndex, c.separatorIndex};
        int result = WriteColumnTable(lines, &width, ColumnTableSource{}, std::span(kX).first(c.count),
                                      std::span(kY).first(c.count), 0, options, HistogramFormat());
        EXPECT_EQ(result, 1);
        std::vector<std::string> text = TextLines(lines);
        EXPECT_EQ(text, c.expected);
        std::size_t widest = 0;
        for (const std::string& line : c.expected)
            widest = std::max(widest, line.size() + 2);
        EXPECT_EQ(width, static_cast<int>(widest));
    }
}

TEST(WriteColumnTableTest, NoRowBufferGivesZeroAfterTheCaption)
{
    LineList lines;
    int width = -1;
    test::FailAllocationFrom(kRowBufferSize);
    int result = WriteColumnTable(lines, &width, {}, kX, kY, 0, {}, HistogramFormat());
    test::FailAllocationFrom(0);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(TextLines(lines), std::vector<std::string>{kCaption});
    EXPECT_EQ(width, -1);
}

TEST(WriteColumnTableTest, PairsStayApartWhenAFieldOverflows)
{
    ColumnTableFormat format = HistogramFormat();
    format.Pairs = 2;
    const std::vector<double> x = {1, 2};
    const std::vector<double> y = {-1234567.25, 5};
    LineList lines;
    WriteColumnTable(lines, nullptr, {}, x, y, 0, {0, 0, 1}, format);
    EXPECT_EQ(TextLines(lines).back(), "1.0,-1234567.25,2.0,5.00");
}

TEST(WriteColumnTableTest, ExponentFieldsGetTwoDigitsAndKeepTheirWidth)
{
    ColumnTableFormat format;
    format.Caption = "Samples";
    format.HeaderWords = "No. Level";
    format.RowFormat = "%-10.0f%-10.2e";
    const std::vector<double> x = {1, 2, 3};
    const std::vector<double> y = {123456, 1.5e-200, -123456};

    LineList fixed;
    WriteColumnTable(fixed, nullptr, {}, x, y, 0, {1, 0, 6}, format);
    EXPECT_EQ(TextLines(fixed), (std::vector<std::string>{"Samples", "No_       Level     ", "1         1.23e+05  ",
                                                          "2         1.50e-200 ", "3         -1.23e+05 "}));

    LineList transposed;
    WriteColumnTable(transposed, nullptr, {}, x, y, 0, {2, 1, 0}, format);
    EXPECT_EQ(TextLines(transposed),
              (std::vector<std::string>{"Samples", "No_\t1\t2\t3", "Level\t1,23e+05\t1,50e-200\t-1,23e+05"}));
}

// An octave spectrum of 30 bands and three totals.
TEST(WriteColumnTableTest, NamedTotalRowsTakeTheirNamesFromTheList)
{
    std::vector<double> x, y;
    for (int i = 0; i < 33; ++i) {
        x.push_back(i);
        y.push_back(40 + i);
    }
    const std::vector<std::string> names = {"TOT_A", "TOT_C", "TOT_Lin", "SPL_Imp"};
    ColumnTableSource doc;
    doc.BandKind = 3;
    doc.Family525 = true;
    doc.TotalNameList = names;
    ColumnTableFormat format;
    format.Caption = "Octaves";
    format.HeaderWords = "Freq. Level";
    format.RowFormat = "%-10.1f%-10.1f";
    format.NameFormat = "%-10s%-10.1f";

    LineList lines;
    WriteColumnTable(lines, nullptr, doc, x, y, 3, {1, 1, 2}, format);
    std::vector<std::string> text = TextLines(lines);
    ASSERT_EQ(text.size(), 35u);
    EXPECT_EQ(text[1], "Freq_;Level");
    EXPECT_EQ(text[31], "29,0;69,0");
    EXPECT_EQ(text[32], "TOT_A;70,0");
    EXPECT_EQ(text[33], "TOT_C;71,0");
    EXPECT_EQ(text[34], "TOT_Lin;72,0");
}

TEST(WriteColumnTableTest, NameOfTheLastTotalRow)
{
    enum Family { kNone, k515Text, k515, k525, k535 };
    struct Case {
        const char* name;
        int bandKind;
        Family family;
        int firmware;
        int inputKind;
        std::size_t count;
        std::uint16_t namedTail;
        std::string expected;
    };
    const std::vector<std::string> list = {"TOT_A", "TOT_C"};
    const Case cases[] = {
        {"1/3 octaves, row below 20", 4, kNone, 0, 0, 19, 1, "TOTAL;18.00"},
        {"1/3 octaves, row 20 or more", 4, kNone, 0, 0, 31, 1, "TOT_A;30.00"},
        {"1/1 octaves", 3, kNone, 0, 0, 19, 1, "TOT_A;18.00"},
        {"515 text family", 3, k515Text, 0, 0, 31, 1, "TOTAL;30.00"},
        {"515 family", 4, k515, 0, 0, 19, 1, "TOT_A;18.00"},
        {"535 microphone from 3.02", 4, k535, 302, 2, 19, 1, "TOT_A;18.00"},
        {"535 microphone before 3.02", 4, k535, 301, 2, 19, 1, "TOTAL;18.00"},
        {"535 other input", 4, k535, 302, 1, 19, 1, "TOTAL;18.00"},
        {"more totals than names", 3, k525, 0, 0, 10, 3, "UNDF;9.00"},
        {"more totals than pairs: every pair is a total", 3, kNone, 0, 0, 2, 5, "TOT_C;1.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<double> x, y;
        for (std::size_t i = 0; i < c.count; ++i) {
            x.push_back(100.0 + static_cast<double>(i));
            y.push_back(static_cast<double>(i));
        }
        ColumnTableSource doc;
        doc.BandKind = c.bandKind;
        doc.Family515Text = c.family == k515Text;
        doc.Family515 = c.family == k515;
        doc.Family525 = c.family == k525;
        doc.Family535 = c.family == k535;
        doc.FirmwareVersion = c.firmware;
        doc.InputKind = c.inputKind;
        doc.TotalNameList = list;
        ColumnTableFormat format;
        format.Caption = "Spectrum";
        format.HeaderWords = "Freq Level";
        format.RowFormat = "%-10.1f%-10.2f";
        format.NameFormat = "%-10s%-10.2f";
        LineList lines;
        WriteColumnTable(lines, nullptr, doc, x, y, c.namedTail, {1, 0, 2}, format);
        EXPECT_EQ(TextLines(lines).back(), c.expected);
    }
}

TEST(WriteColumnTableTest, FftTotalLine)
{
    const std::vector<double> x = {0, 12.5, 25, 37.5};
    const std::vector<double> y = {61.5, 40.25, 42, 63.75};
    struct Case {
        const char* name;
        int bandKind;
        int totalPosition;
        const char* caption;
        const char* nameFormat;
        std::string first;
        std::string last;
    };
    const Case cases[] = {
        {"total last", 2, 2, "Spectrum_of_channel_1", "%-10s%-10.2f", "0.0;61.50", "TOTAL;63.75"},
        {"total first", 2, 1, "Spectrum_of_channel_1", "%-10s%-10.2f", "TOTAL;61.50", "37.5;63.75"},
        {"marked block", 2, 2, "Block of the spectrum", "%-10s%-10.2f", "0.0;61.50", "37.5;63.75"},
        {"no name format", 2, 2, "Spectrum_of_channel_1", nullptr, "0.0;61.50", "37.5;63.75"},
        {"not an FFT spectrum", 3, 2, "Spectrum_of_channel_1", "%-10s%-10.2f", "0.0;61.50", "37.5;63.75"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ColumnTableSource doc;
        doc.BandKind = c.bandKind;
        doc.FftTotalPosition = c.totalPosition;
        ColumnTableFormat format;
        format.Caption = c.caption;
        format.HeaderWords = "Freq[Hz] Level";
        format.RowFormat = "%-10.1f%-10.2f";
        format.NameFormat = c.nameFormat;
        LineList lines;
        WriteColumnTable(lines, nullptr, doc, x, y, 0, {1, 0, 2}, format);
        std::vector<std::string> text = TextLines(lines);
        ASSERT_EQ(text.size(), 6u);
        EXPECT_EQ(text[2], c.first);
        EXPECT_EQ(text[5], c.last);
    }
}

TEST(WriteColumnTableTest, NamedRowsWithoutANameFormatArePrintedAsPairs)
{
    const std::vector<double> x = {1, 2};
    const std::vector<double> y = {3, 4};
    ColumnTableFormat format;
    format.Caption = "Spectrum";
    format.HeaderWords = "Freq Level";
    format.RowFormat = "%-10.1f%-10.1f";
    LineList lines;
    WriteColumnTable(lines, nullptr, {}, x, y, 1, {1, 0, 2}, format);
    EXPECT_EQ(TextLines(lines).back(), "2.0;4.0");
}

TEST(WriteColumnTableTest, FormatsThatDoNotTakeTheValuesAreRefused)
{
    const std::vector<double> values = {1};
    ColumnTableFormat format;
    format.Caption = "Spectrum";
    format.HeaderWords = "Freq Level";
    for (const char* bad : {"%-10d%-10.2f", "%-10.1f", "%-10.1f%-10s", "%-10.1f%%%-10*f"}) {
        SCOPED_TRACE(bad);
        format.RowFormat = bad;
        LineList lines;
        EXPECT_THROW(WriteColumnTable(lines, nullptr, {}, values, values, 0, {}, format), std::invalid_argument);
    }
    format.RowFormat = "%-10.1f%%%-10.2f";
    LineList lines;
    WriteColumnTable(lines, nullptr, {}, values, values, 0, {1, 0, 2}, format);
    EXPECT_EQ(TextLines(lines).back(), "1.0;%1.00");
}

std::vector<double> Sequence(int count, double step)
{
    std::vector<double> values;
    for (int i = 0; i < count; ++i)
        values.push_back(i * step);
    return values;
}

TEST(WriteColumnTableTest, LongTransposedLinesAreWrittenWhole)
{
    const std::vector<double> x = Sequence(1000, 1);
    const std::vector<double> y = Sequence(1000, 0.5);
    ColumnTableFormat format;
    format.Caption = "Time_signal";
    format.HeaderWords = "Sample Value";
    format.RowFormat = "%-10.0f%-10.3f";
    for (std::uint8_t separatorIndex : {0, 5, 6}) {
        SCOPED_TRACE(static_cast<int>(separatorIndex));
        std::string separator = separatorIndex == 0 ? "\t" : separatorIndex == 5 ? "  " : "";
        std::string first = separatorIndex == 6 ? "Sample    " : separatorIndex == 5 ? "Sample " : "Sample\t";
        std::string second = separatorIndex == 6 ? "Value     " : separatorIndex == 5 ? "Value " : "Value\t";
        for (int i = 0; i < 1000; ++i) {
            std::string sep = i == 0 ? "" : separator;
            first += separatorIndex == 6 ? StrPrintf("%-10d", i) : sep + StrPrintf("%d", i);
            second += separatorIndex == 6 ? StrPrintf("%-10.3f", i * 0.5) : sep + StrPrintf("%.3f", i * 0.5);
        }
        LineList lines;
        int width = 0;
        WriteColumnTable(lines, &width, {}, x, y, 0, {2, 0, separatorIndex}, format);
        std::vector<std::string> text = TextLines(lines);
        ASSERT_EQ(text.size(), 3u);
        EXPECT_EQ(text[1], first);
        EXPECT_EQ(text[2], second);
        EXPECT_EQ(width, static_cast<int>(second.size() + 2));
    }
}

// A table written with TAB separators, saved as the program saves text, is
// read back by Python's csv module with the columns the layouts give.
TEST(WriteColumnTableTest, TabTablesImportAsCsv)
{
    if (std::system("command -v python3 >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3 is not installed";

    LineList lines;
    WriteColumnTable(lines, nullptr, {}, kX, kY, 0, {0, 0, 0}, HistogramFormat());
    const std::vector<double> x = Sequence(1000, 1);
    const std::vector<double> y = Sequence(1000, 0.25);
    ColumnTableFormat format = HistogramFormat();
    format.Caption = "Time_signal";
    format.HeaderWords = "Sample Value";
    format.RowFormat = "%-10.0f%-10.2e";
    WriteColumnTable(lines, nullptr, {}, x, y, 0, {2, 0, 0}, format);

    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("orlu-table-" + std::to_string(::getpid()) + ".txt");
    ASSERT_TRUE(WriteFileAtomically(path, Cp1252ToUtf8(lines.Join())));
    std::string command = "python3 -c 'import csv, sys\n"
                          "rows = csv.reader(open(sys.argv[1], newline=\"\", encoding=\"utf-8\"), delimiter=\"\\t\")\n"
                          "print(\",\".join(str(len(row)) for row in rows))' " +
                          path.string();
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char chunk[256];
    while (std::fgets(chunk, sizeof chunk, pipe))
        output += chunk;
    int status = ::pclose(pipe);
    std::filesystem::remove(path);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(output, "1,8,8,6,6,1,1001,1001\n");
}

} // namespace
} // namespace orlu
