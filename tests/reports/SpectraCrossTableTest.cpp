#include "reports/table/SpectraCrossTable.h"

#include "FailingAllocation.h"
#include "reports/table/TableWriter.h"
#include "support/JoinedLines.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

namespace orlu {
namespace {

constexpr double kMissing = kMissingValue;
constexpr std::uint8_t kSemicolon = 2;
constexpr std::uint8_t kNoSeparator = 6;
constexpr std::uint8_t kComma = 1;

// The text of lines, each ended by CR LF.
std::string Text(std::initializer_list<std::string_view> lines)
{
    std::string text;
    for (std::string_view line : lines)
        (text += line) += "\r\n";
    return text;
}

MultiSpectrumMatrix Matrix(std::size_t lineCount, std::initializer_list<std::vector<double>> columns)
{
    MultiSpectrumMatrix matrix(lineCount);
    for (const auto& column : columns)
        EXPECT_TRUE(matrix.AppendColumn(column));
    return matrix;
}

std::string Write(const CrossTableSource& doc, const SpectraCrossTable& table, TableOutputOptions options,
                  const MultiSpectrumMatrix& matrix, const MultiSpectrumMatrix* frequencies = nullptr)
{
    LineList lines;
    int width = -1;
    EXPECT_EQ(WriteSpectraCrossTable(lines, &width, doc, table, options, matrix, frequencies), 1);
    std::string text = test::JoinedLines(lines);
    int widest = 0;
    for (std::string_view line : lines)
        widest = std::max(widest, static_cast<int>(line.size()));
    EXPECT_EQ(width, widest);
    return text;
}

// Two runs of an octave spectrum: three bands and their total, one value missing.
struct OctaveRuns {
    std::vector<std::string> names = {"run1", "run2"};
    std::vector<std::string> totals = {"Lin", "A"};
    std::vector<double> bands = {125, 250, 500};
    MultiSpectrumMatrix matrix = Matrix(4, {{50.3, kMissing, 60.5, 70}, {51, 52, 53, 54}});
    CrossTableSource doc;
    SpectraCrossTable table;

    OctaveRuns()
    {
        doc.TotalNameList = totals;
        table.Kind = 3;
        table.RecordNumber = 12;
        table.ColumnNames = names;
        table.Frequencies = bands;
        table.TailCount = 1;
        table.UnitText = "[dB]      ";
    }
};

TEST(SpectraCrossTableTest, RowPerSpectrumWithMissingValuesTotalsAndDecimalComma)
{
    OctaveRuns runs;
    EXPECT_EQ(Write(runs.doc, runs.table, {0, kComma, kSemicolon}, runs.matrix),
              Text({"Octaves_1/1__No.12",
                    "no_;[];1;2;3;4",
                    "spct\\f->;[Hz];125,0;250,0;500,0;Lin",
                    "run1;[dB];50,3;----;60,5;70,0",
                    "run2;[dB];51,0;52,0;53,0;54,0"}));
}

TEST(SpectraCrossTableTest, RowPerLineKeepsItsFieldsWithoutSeparator)
{
    OctaveRuns runs;
    EXPECT_EQ(Write(runs.doc, runs.table, {1, 0, kSemicolon}, runs.matrix),
              Text({"Octaves_1/1__No.12",
                    "no_;f\\spct->;run1;run2",
                    "[];[Hz];[dB];[dB]",
                    "1;125.0;50.3;51.0",
                    "2;250.0;----;52.0",
                    "3;500.0;60.5;53.0",
                    "4;Lin;70.0;54.0"}));
    // Layout 3 is layout 1; '#' keeps the 10-character fields, blanks and all.
    EXPECT_EQ(Write(runs.doc, runs.table, {3, 0, kNoSeparator}, runs.matrix),
              Text({"Octaves_1/1__No.12",
                    "no_       f\\spct->  run1      run2      ",
                    "[]        [Hz]      [dB]      [dB]      ",
                    "1         125.0     50.3      51.0      ",
                    "2         250.0     ----      52.0      ",
                    "3         500.0     60.5      53.0      ",
                    "4         Lin       70.0      54.0      "}));
}

TEST(SpectraCrossTableTest, FftTotalLineAndBlockTotals)
{
    struct Case {
        const char* name;
        std::uint8_t blockMode;
        int partCode;
        std::uint16_t tailCount;
        const char* caption;
        const char* frequencies;
    };
    const Case cases[] = {
        {"total first", 0, 0, 0, "AutoSpectra_(power)__Channel_#2", "TOTAL;10.0;20.0"},
        {"marked block", 2, 0, 1, "Blocks_of_AutoSpectra_(power)__Channel_#2", "0.0;10.0;Blk_RMS"},
        {"phase has no total", 0, 1, 0, "AutoSpectra_(phase)__Channel_#2", "0.0;10.0;20.0"},
    };
    const std::vector<double> frequencies = {0, 10, 20};
    const MultiSpectrumMatrix matrix = Matrix(3, {{1, 2, 3}});
    CrossTableSource doc;
    doc.ChannelMode = true;
    doc.FftTotalPosition = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SpectraCrossTable table;
        table.Kind = 2;
        table.FunctionCode = 3;
        table.PartCode = c.partCode;
        table.ChannelA = 1;
        table.BlockMode = c.blockMode;
        table.TailCount = c.tailCount;
        table.Frequencies = frequencies;
        table.UnitText = "[dB]      ";
        EXPECT_EQ(Write(doc, table, {0, 0, kSemicolon}, matrix),
                  Text({c.caption, "no_;[];1;2;3", std::string("spct\\f->;[Hz];") + c.frequencies,
                        "1;[dB];1.0;2.0;3.0"}));
    }
}

TEST(SpectraCrossTableTest, ColumnLabels)
{
    const std::vector<std::string> names = {"A.M", "B.M", "C.M"};
    const std::vector<std::uint16_t> contents = {0x08, 0x20, 0x08};
    const std::vector<std::string> inputs = {"Mic", "Acc", "Mic"};
    struct Case {
        const char* name;
        CrossTableSource doc;
        SpectraCrossTable table;
        const char* caption;
        const char* labels; // the label row, layout 1
    };
    auto make = [](auto&& change) {
        SpectraCrossTable table;
        table.Kind = 3;
        table.UnitText = "[dB]      ";
        change(table);
        return table;
    };
    CrossTableSource plain;
    CrossTableSource merged;
    merged.Merged = true;
    merged.NamedCurrentFamily = true;
    merged.SubfileNames = names;
    merged.SubfileContents = contents;
    CrossTableSource merged505;
    merged505.Merged505 = true;
    merged505.SubfileNames = names;
    CrossTableSource history;
    history.NamedCurrentFamily = true;
    history.TimeHistory = true;
    CrossTableSource fourChannel;
    fourChannel.FourChannel = true;
    CrossTableSource mergedFourChannel = merged;
    mergedFourChannel.NamedCurrentFamily = false;
    mergedFourChannel.FourChannel = true;
    const Case cases[] = {
        {"two-channel function 6 reverses the pair", plain,
         make([](auto& t) { t.Kind = 2, t.FunctionCode = 6, t.ChannelA = 0, t.ChannelB = 1; }),
         "Cross_Spectrum_(power)", "no_;f\\spct->;#1;#2;#2/#1"},
        {"two-channel function 7", plain, make([](auto& t) { t.Kind = 2, t.FunctionCode = 7, t.ChannelB = 1; }),
         "Frequency_Response_H1_(power)", "no_;f\\spct->;#1;#2;#1/#2"},
        {"channel mask", plain, make([](auto& t) { t.ChannelMask = 0x0005; }), "Octaves_1/1:",
         "no_;f\\chan->;#1;#3;#4"},
        {"channel mask with inputs", plain, make([&](auto& t) { t.ChannelMask = 0x0007, t.InputNames = inputs; }),
         "Octaves_1/1:", "___;chan->;#1;#2;#3"},
        {"level mode", plain, make([](auto& t) { t.Kind = 13, t.N = 10; }), "Statistical_levels_L10_for_Octaves_1/1:",
         "no_;freq;L10;L10;L10"},
        {"level mode of a merged document", merged, make([](auto& t) { t.Kind = 14, t.N = 90, t.FileIndex = 2; }),
         "Statistical_levels_L90_(file:B.M):_for_Octaves_1/3:", "no_;freq;L90;L90;L90"},
        {"levels per sub-file", merged505, make([](auto& t) { t.Kind = 24, t.N = 5; }),
         "Statistical_levels_L5_for_Octaves_1/3:", "no_;f\\file->;A.M;B.M;C.M"},
        {"merged: the sub-files holding octaves, points kept", merged, make([](auto&) {}), "Octaves_1/1:",
         "no_;f\\file->;A.M;C.M"},
        {"505 Multifile", merged505, make([](auto&) {}), "Octaves_1/1:", "no_;f\\file->;A.M;B.M;C.M"},
        {"time history: record numbers", history, make([](auto& t) { t.RecordNumber = 7; }),
         "Octaves_1/1__No.7", "no_;f\\spct->;1;2;3"},
        {"four-channel without frequency matrix", fourChannel, make([](auto& t) { t.ChannelMask = 0x000A; }),
         "Octaves_1/1:", "no_;f\\chan->;#2;#4;#5"},
        {"caption given by the view, aggregated", plain,
         make([](auto& t) { t.CaptionOverride = "My spectra:", t.RecordNumber = 3, t.AggregationDegree = 4; }),
         "My_spectra:_[aggreg.degree=4]", "no_;f\\spct->;1;2;3"},
        {"merged four-channel file names its file and channel", mergedFourChannel,
         make([](auto& t) { t.FileIndex = 2; }), "Octaves_1/1:_(file:_B.M)__Channel_#1", "no_;f\\file->;A.M;C.M"},
        {"four-channel caption names the channel", fourChannel, make([](auto& t) { t.ChannelA = 2; }),
         "Octaves_1/1:__Channel_#3", "no_;f\\spct->;#1;#2;#3"},
    };
    const MultiSpectrumMatrix matrix = Matrix(1, {{1}, {2}, {3}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LineList lines;
        ASSERT_EQ(WriteSpectraCrossTable(lines, nullptr, c.doc, c.table, {1, kComma, kSemicolon}, matrix), 1);
        ASSERT_GE(lines.Size(), 2u);
        EXPECT_EQ(lines[0], std::string(c.caption) + "\r\n");
        EXPECT_EQ(lines[1], std::string(c.labels) + "\r\n");
    }
}

TEST(SpectraCrossTableTest, ChannelsWithInputsUnitsAndFormatsPerColumn)
{
    const std::vector<std::string> inputs = {"Mic", "Acc"};
    const std::vector<std::string> units = {"[dB]", "[m/s2]"};
    const std::vector<std::string> formats = {"%-10.1f", "%-10.3f"};
    const std::vector<double> frequencies = {31.5, 63};
    CrossTableSource doc;
    SpectraCrossTable table;
    table.Kind = 3;
    table.ChannelMask = 0x0009;
    table.InputNames = inputs;
    table.UnitNames = units;
    table.ValueFormats = formats;
    table.Frequencies = frequencies;
    const MultiSpectrumMatrix matrix = Matrix(2, {{80.26, 81.74}, {0.0126, kMissing}});
    EXPECT_EQ(Write(doc, table, {0, kComma, kSemicolon}, matrix),
              Text({"Octaves_1/1:",
                    "___;no_->;[];1;2",
                    "chan;inp\\f->;[Hz];31,5;63,0",
                    "#1;Mic;[dB];80,3;81,7",
                    "#4;Acc;[m/s2];0,013;----"}));
    EXPECT_EQ(Write(doc, table, {1, kComma, kSemicolon}, matrix),
              Text({"Octaves_1/1:",
                    "___;chan->;#1;#4",
                    "no_;f\\inp->;Mic;Acc",
                    "[];[Hz];[dB];[m/s2]",
                    "1;31,5;80,3;0,013",
                    "2;63,0;81,7;----"}));
}

TEST(SpectraCrossTableTest, PeakMarksHideAllButTheGreatestPeaks)
{
    // Channel 2 only: its marks start one spectrum (4 values) into the marks; the
    // shown block starts at line 1.
    const std::vector<std::uint8_t> marks = {1, 1, 1, 1, 0, 1, 0, 1, 0};
    const std::vector<double> frequencies = {100, 200, 300};
    CrossTableSource doc;
    doc.ValuesPerSpectrum = 4;
    SpectraCrossTable table;
    table.Kind = 2;
    table.FunctionCode = 1;
    table.ChannelMask = 0x0002;
    table.PeakMarks = marks;
    table.PeakOffset = 1;
    table.N = 2;
    table.Frequencies = frequencies;
    table.UnitText = "[dB]      ";
    table.ValueFormat = "%-10.2e";
    const MultiSpectrumMatrix matrix = Matrix(3, {{123456, 0.5, 1e-100}});
    EXPECT_EQ(Write(doc, table, {0, kComma, kSemicolon}, matrix),
              Text({"Spectra_(power)_(2_greatest_peaks)",
                    "no_;[];1;2;3",
                    "chan\\f->;[Hz];100,0;200,0;300,0",
                    "#2;[dB];1,23e+05;----;1,00e-100"}));
}

TEST(SpectraCrossTableTest, ExponentFieldsKeepTheirWidth)
{
    CrossTableSource doc;
    SpectraCrossTable table;
    table.Kind = 4;
    table.UnitText = "[Pa]      ";
    table.ValueFormat = "%-10.2e";
    const std::vector<double> frequencies = {1000, 2000};
    table.Frequencies = frequencies;
    const MultiSpectrumMatrix matrix = Matrix(2, {{123456, -0.0125}});
    EXPECT_EQ(Write(doc, table, {0, 0, kNoSeparator}, matrix),
              Text({"Octaves_1/3:",
                    "no_       []        1         2         ",
                    "spct\\f->  [Hz]      1000.0    2000.0    ",
                    "1         [Pa]      1.23e+05  -1.25e-02 "}));
}

TEST(SpectraCrossTableTest, DatesAndTimesPerColumn)
{
    // 15 March 2024, 13:05'08.
    const std::vector<std::uint16_t> dates = {24 * 512 + 3 * 32 + 15, 25 * 512 + 12 * 32 + 31};
    const std::vector<std::uint16_t> times = {(13 * 3600 + 5 * 60 + 8) / 2, 0};
    const std::vector<double> frequencies = {63};
    CrossTableSource doc;
    SpectraCrossTable table;
    table.Kind = 3;
    table.Dates = dates;
    table.Times = times;
    table.Frequencies = frequencies;
    table.UnitText = "[dB]      ";
    const MultiSpectrumMatrix matrix = Matrix(1, {{40.1}, {41.2}});
    EXPECT_EQ(Write(doc, table, {0, 0, kSemicolon}, matrix),
              Text({"Octaves_1/1:",
                    "date;hour;no_;[];1",
                    "yy/mm/dd;hh:mm'ss;spct\\f->;[Hz];63.0",
                    "24/03/15;13:05'08;1;[dB];40.1",
                    "25/12/31;00:00'00;2;[dB];41.2"}));
    EXPECT_EQ(Write(doc, table, {1, 0, kSemicolon}, matrix),
              Text({"Octaves_1/1:",
                    "date;yy/mm/dd;24/03/15;25/12/31",
                    "hour;hh:mm'ss;13:05'08;00:00'00",
                    "no_;f\\spct->;1;2",
                    "[];[Hz];[dB];[dB]",
                    "1;63.0;40.1;41.2"}));
}

TEST(SpectraCrossTableTest, FourChannelColumnsWithTheirOwnFrequencies)
{
    // Channels 1 and 2 share one axis; channel 3 has its own, printed with two decimals.
    const std::vector<std::string> frequencyFormats = {"%-10.1f", "", "%-10.2f"};
    const MultiSpectrumMatrix values = Matrix(2, {{1, 2}, {3, 4}, {5, 6}});
    const MultiSpectrumMatrix axes = Matrix(2, {{10, 20}, {0, 0}, {12.5, 25}});
    CrossTableSource doc;
    doc.FourChannel = true;
    SpectraCrossTable table;
    table.Kind = 2;
    table.FunctionCode = 1;
    table.ChannelMask = 0x0007;
    table.FrequencyFormats = frequencyFormats;
    table.UnitText = "[dB]      ";
    EXPECT_EQ(Write(doc, table, {0, 0, kSemicolon}, values, &axes),
              Text({"Spectra_(power)",
                    "no_;[];1;2",
                    "chan\\f->;[Hz];10.0;20.0",
                    "#1;[dB];1.0;2.0",
                    "#2;[dB];3.0;4.0",
                    "chan\\f->;[Hz];12.50;25.00",
                    "#3;[dB];5.0;6.0"}));
    EXPECT_EQ(Write(doc, table, {1, 0, kSemicolon}, values, &axes),
              Text({"Spectra_(power)",
                    "no_;f\\chan->;#1;#2;f\\chan->;#3",
                    "[];[Hz];[dB];[dB];[Hz];[dB]",
                    "1;10.0;1.0;3.0;12.50;5.0",
                    "2;20.0;2.0;4.0;25.00;6.0"}));
}

// A row of 600 values is stored in pieces; the line reads as if converted whole.
TEST(SpectraCrossTableTest, LongRowsReadAsIfWrittenWhole)
{
    constexpr std::size_t kLines = 600;
    std::vector<double> column(kLines), frequencies(kLines);
    for (std::size_t k = 0; k < kLines; ++k) {
        column[k] = static_cast<double>(k) + 0.5;
        frequencies[k] = static_cast<double>(k + 1) * 10.0;
    }
    MultiSpectrumMatrix matrix(kLines);
    ASSERT_TRUE(matrix.AppendColumn(column));
    CrossTableSource doc;
    SpectraCrossTable table;
    table.Kind = 3;
    table.Frequencies = frequencies;
    table.UnitText = "[dB]      ";
    std::string whole = "1         [dB]      ";
    for (double value : column) {
        std::string cell = std::to_string(value).substr(0, std::to_string(value).find('.') + 2);
        whole += cell + std::string(10 - cell.size(), ' ');
    }
    for (std::uint8_t separator : {0, 2, 4, 5, 6}) {
        SCOPED_TRACE(static_cast<int>(separator));
        std::string expected = whole;
        ApplyColumnSeparator(expected, SeparatorChar(separator), SeparatorDoubled(separator));
        LineList lines;
        ASSERT_EQ(WriteSpectraCrossTable(lines, nullptr, doc, table, {0, 0, separator}, matrix), 1);
        ASSERT_EQ(lines.Size(), 4u);
        EXPECT_EQ(lines[3], expected + "\r\n");
    }
}

class SpectraCrossTableScratchTest : public ::testing::Test {
protected:
    test::ScratchFolder m_Scratch;
};

TEST_F(SpectraCrossTableScratchTest, StagedInAScratchFileTheTableIsTheSameAndTheFileGoes)
{
    OctaveRuns runs;
    std::filesystem::path path;
    {
        std::optional<MultiSpectrumMatrix> staged = MultiSpectrumMatrix::InScratchFile(4);
        ASSERT_TRUE(staged);
        path = *staged->ScratchPath();
        ASSERT_TRUE(staged->AppendColumn(std::vector<double>{50.3, kMissing, 60.5, 70}));
        ASSERT_TRUE(staged->AppendColumn(std::vector<double>{51, 52, 53, 54}));
        for (std::uint8_t layout : {0, 1}) {
            LineList fromFile;
            ASSERT_EQ(WriteSpectraCrossTable2(fromFile, nullptr, runs.doc, runs.table, {layout, 1, 2}, *staged), 1);
            EXPECT_EQ(test::JoinedLines(fromFile), Write(runs.doc, runs.table, {layout, 1, 2}, runs.matrix));
        }
    }
    EXPECT_FALSE(std::filesystem::exists(path));

    // A table that fails for want of memory writes nothing, and the file goes all the same.
    {
        std::optional<MultiSpectrumMatrix> staged = MultiSpectrumMatrix::InScratchFile(4);
        ASSERT_TRUE(staged);
        path = *staged->ScratchPath();
        ASSERT_TRUE(staged->AppendColumn(std::vector<double>{1, 2, 3, 4}));
        LineList lines;
        int width = -1;
        test::FailAllocationFrom(kRowBufferSize);
        const int result = WriteSpectraCrossTable(lines, &width, runs.doc, runs.table, {}, *staged);
        test::FailAllocationFrom(0);
        EXPECT_EQ(result, 0);
        EXPECT_EQ(lines.Size(), 0u);
        EXPECT_EQ(width, -1);
    }
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(m_Scratch.FileCount(), 0u);
}

} // namespace
} // namespace orlu
