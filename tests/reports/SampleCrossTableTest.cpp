#include "reports/table/SampleCrossTable.h"

#include "FailingAllocation.h"
#include "reports/table/TableWriter.h"
#include "support/JoinedLines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

namespace orlu {
namespace {

constexpr double kMissing = kMissingValue;

std::string Text(std::initializer_list<std::string_view> lines)
{
    std::string text;
    for (std::string_view line : lines)
        (text += line) += "\r\n";
    return text;
}

// Two channels of three samples, each with its input, unit and format.
struct TwoChannels {
    std::vector<std::string> inputs = {"Mic", "Acc"};
    std::vector<std::string> units = {"[Pa]", "[m/s2]"};
    std::vector<std::string> formats = {"%-10.2f", "%-10.2e"};
    std::vector<double> samples = {0, 1.9, 2};
    MultiSpectrumMatrix matrix{3};
    CrossTableSource doc;
    SampleCrossTable table;

    TwoChannels()
    {
        EXPECT_TRUE(matrix.AppendColumn(std::vector<double>{1.5, kMissing, -2.25}));
        EXPECT_TRUE(matrix.AppendColumn(std::vector<double>{0.001, 2000, 3e10}));
        table.CaptionKind = 1;
        table.BlockMode = 2;
        table.ChannelMask = 0x0003;
        table.InputNames = inputs;
        table.UnitNames = units;
        table.ValueFormats = formats;
        table.SampleNumbers = samples;
    }

    std::string Write(TableOutputOptions options)
    {
        LineList lines;
        int width = -1;
        EXPECT_EQ(WriteSampleCrossTable(lines, &width, doc, table, options, matrix), 1);
        EXPECT_GT(width, 0);
        return test::JoinedLines(lines);
    }
};

TEST(SampleCrossTableTest, ChannelsWithInputsUnitsAndFormats)
{
    TwoChannels channels;
    EXPECT_EQ(channels.Write({0, 1, 2}),
              Text({"Blocks_of_Time_waveforms:",
                    "chn;inp\\sn->;[];0;1;2",
                    "#1;Mic;[Pa];1,50;----;-2,25",
                    "#2;Acc;[m/s2];1,00e-03;2,00e+03;3,00e+10"}));
    EXPECT_EQ(channels.Write({1, 0, 6}),
              Text({"Blocks_of_Time_waveforms:",
                    "___chn->  #1        #2        ",
                    "sn\\inp->  Mic       Acc       ",
                    "[]        [Pa]      [m/s2]    ",
                    "0         1.50      1.00e-03  ",
                    "1         ----      2.00e+03  ",
                    "2         -2.25     3.00e+10  "}));
}

TEST(SampleCrossTableTest, CaptionsAndLabels)
{
    const std::vector<std::string> names = {"S1.M", "S2.M"};
    struct Case {
        const char* name;
        bool channelMode;
        bool merged505;
        std::uint16_t mask;
        std::string_view captionText;
        const char* rowPerColumn; // caption, header, first row
        const char* rowPerSample; // the label row
    };
    const Case cases[] = {
        {"waveforms of a channel", true, false, 0, {},
         "Time_intersections:__Channel_#2|wav\\sn->;[];0;1;2|1;[V];1,50;----;-2,25", "sn\\wav->;1;2"},
        {"files of a 505 Multifile, points kept", false, true, 0, {},
         "Time_intersections:|fil\\sn->;[];0;1;2|S1.M;[V];1,50;----;-2,25", "sn\\fil->;S1.M;S2.M"},
        {"channels without input names", true, false, 0x000C, "My caption",
         "My_caption|chn\\sn->;[];0;1;2|#3;[V];1,50;----;-2,25", "sn\\chn->;#3;#4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TwoChannels data;
        data.doc.ChannelMode = c.channelMode;
        data.doc.Merged505 = c.merged505;
        data.doc.SubfileNames = names;
        data.table = {};
        data.table.CaptionKind = 7;
        data.table.CaptionText = c.captionText;
        data.table.Channel = 1;
        data.table.ChannelMask = c.mask;
        data.table.UnitText = "[V]       ";
        data.table.ValueFormat = "%-10.2f";
        data.table.SampleNumbers = data.samples;

        LineList lines;
        ASSERT_EQ(WriteSampleCrossTable(lines, nullptr, data.doc, data.table, {0, 1, 2}, data.matrix), 1);
        ASSERT_EQ(lines.Size(), 4u);
        std::string head = std::string(lines[0]) + std::string(lines[1]) + std::string(lines[2]);
        std::string expected = c.rowPerColumn;
        for (char& ch : expected)
            if (ch == '|')
                ch = '\n';
        std::string got;
        for (char ch : head)
            if (ch != '\r')
                got += ch;
        EXPECT_EQ(got, expected + "\n");

        ClearLineList(&lines);
        ASSERT_EQ(WriteSampleCrossTable(lines, nullptr, data.doc, data.table, {1, 1, 2}, data.matrix), 1);
        ASSERT_GE(lines.Size(), 2u);
        EXPECT_EQ(lines[1], std::string(c.rowPerSample) + "\r\n");
    }
}

TEST(SampleCrossTableTest, RowsOfThousandsOfSamplesAndNoMemory)
{
    constexpr std::size_t kSamples = 2000;
    std::vector<double> samples(kSamples), values(kSamples);
    for (std::size_t k = 0; k < kSamples; ++k) {
        samples[k] = static_cast<double>(k);
        values[k] = static_cast<double>(k % 7) - 3.0;
    }
    MultiSpectrumMatrix matrix(kSamples);
    ASSERT_TRUE(matrix.AppendColumn(values));
    CrossTableSource doc;
    SampleCrossTable table;
    table.UnitText = "[V]       ";
    table.ValueFormat = "%-10.1f";
    table.SampleNumbers = samples;

    std::string whole = "1         [V]       ";
    for (double value : values) {
        std::string cell = value < 0 ? "-" : "";
        cell += std::to_string(static_cast<int>(std::abs(value))) + ".0";
        whole += cell + std::string(10 - cell.size(), ' ');
    }
    ApplyColumnSeparator(whole, '\t', false);
    LineList lines;
    ASSERT_EQ(WriteSampleCrossTable(lines, nullptr, doc, table, {}, matrix), 1);
    ASSERT_EQ(lines.Size(), 3u);
    EXPECT_EQ(lines[2], whole + "\r\n");

    ClearLineList(&lines);
    test::FailAllocationFrom(kRowBufferSize);
    const int result = WriteSampleCrossTable(lines, nullptr, doc, table, {}, matrix);
    test::FailAllocationFrom(0);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(lines.Size(), 0u);
}

} // namespace
} // namespace orlu
