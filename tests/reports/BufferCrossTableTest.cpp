// The buffer and logger cross table: captions by kind and model, the lines
// after the caption, both layouts over a staged matrix with a missing value,
// exponent columns, and a matrix staged in a scratch file that is gone
// afterwards, also when the table could not be finished.

#include "reports/table/BufferCrossTable.h"

#include "reports/table/MultiSpectrumMatrix.h"
#include "support/JoinedLines.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

namespace orlu {
namespace {

using test::JoinedLines;

BufferCrossTable TwoChannels()
{
    BufferCrossTable t;
    t.Kind = 6;
    t.LaterModel = true;
    t.ExtraLine1 = "Step 1 s";
    t.ExtraLine2 = "dt = 0.5 s";
    t.ColumnKind = CrossElementKind::Channel;
    t.Labels = {BufferChannelLabel(1, std::nullopt), BufferChannelLabel(2, std::nullopt)};
    t.FunctionNames = {"LAF", "Leq"};
    t.UnitNames = {"dB", "Pa"};
    t.ValueFormats = {"%-10.1f", "%-10.2e"};
    t.ResultNumbers = {1, 2, 3.7};
    return t;
}

void Stage(MultiSpectrumMatrix& matrix)
{
    ASSERT_TRUE(matrix.AppendColumn(std::vector<double>{50.1, 51.2, kMissingValue}));
    ASSERT_TRUE(matrix.AppendColumn(std::vector<double>{0.012, 1234.5, 2e-5}));
}

TEST(BufferCrossTable, BothLayoutsWithNamesMissingValuesAndExponents)
{
    MultiSpectrumMatrix matrix(3);
    Stage(matrix);
    const std::string head = "Logger:\r\nStep_1_s\r\ndt_=_0,5_s\r\n\r\n";
    struct Case {
        std::uint8_t layout;
        std::string body;
    };
    const Case cases[] = {
        {0, "chan;func;unit\\n->;1;2;3\r\n"
            "#1;LAF;dB;50,1;51,2;----\r\n"
            "#2;Leq;Pa;1,20e-02;1,23e+03;2,00e-05\r\n"},
        {1, "__chan->;#1;#2\r\n"
            "__func->;LAF;Leq\r\n"
            "n;dB;Pa\r\n"
            "1;50,1;1,20e-02\r\n"
            "2;51,2;1,23e+03\r\n"
            "3;----;2,00e-05\r\n"}, // result numbers are cut to integers
    };
    for (const Case& c : cases) {
        LineList lines;
        ASSERT_EQ(WriteBufferCrossTable(lines, nullptr, TwoChannels(), matrix, {c.layout, 1, 2}), 1);
        EXPECT_EQ(JoinedLines(lines), head + c.body) << "layout " << int{c.layout};
    }
}

TEST(BufferCrossTable, CaptionByKindModelBlockAndChannel)
{
    struct Case {
        std::uint16_t kind;
        bool later;
        bool block;
        std::optional<int> channel;
        std::string caption;
    };
    const Case cases[] = {
        {6, true, false, {}, "Logger:"},
        {6, false, false, {}, "Buffer:"},
        {6, false, true, 2, "Blocks_of_Buffer:__Channel_#2"},
        {1, true, false, {}, "Time_waveforms:"}, // the logger caption belongs to kind 6 only
    };
    MultiSpectrumMatrix empty(0);
    for (const Case& c : cases) {
        BufferCrossTable t;
        t.Kind = c.kind;
        t.LaterModel = c.later;
        t.BlockShown = c.block;
        t.Channel = c.channel;
        LineList lines;
        WriteBufferCrossTable(lines, nullptr, t, empty, {0, 0, 2});
        std::string buffer;
        EXPECT_EQ(lines.Line(0, buffer), c.caption + "\r\n");
        // No columns, no results: the caption, the empty line and the empty title row.
        EXPECT_EQ(lines.LineCount(), 3u);
    }
}

TEST(BufferCrossTable, ColumnLabelsOfChannelsAndProfiles)
{
    EXPECT_EQ(BufferChannelLabel(3, std::nullopt), "#3        ");
    EXPECT_EQ(BufferChannelLabel(2, 4), "#2:P4     ");
}

TEST(BufferCrossTable, ScratchFileGoneAfterTheTableAndAfterAFailedOne)
{
    std::filesystem::path path;
    {
        auto matrix = MultiSpectrumMatrix::InScratchFile(3);
        ASSERT_TRUE(matrix);
        ASSERT_NE(matrix->ScratchPath(), nullptr);
        path = *matrix->ScratchPath();
        Stage(*matrix);
        LineList lines;
        ASSERT_EQ(WriteBufferCrossTable(lines, nullptr, TwoChannels(), *matrix, {1, 0, 2}), 1);
        EXPECT_NE(JoinedLines(lines).find("3;----;2.00e-05"), std::string::npos);
        EXPECT_TRUE(std::filesystem::exists(path));
    }
    EXPECT_FALSE(std::filesystem::exists(path));

    // A renderer that gives up half way through staging.
    auto stageAndFail = [&] {
        auto matrix = MultiSpectrumMatrix::InScratchFile(3);
        ASSERT_TRUE(matrix);
        path = *matrix->ScratchPath();
        ASSERT_TRUE(matrix->AppendColumn(std::vector<double>{1, 2, 3}));
        throw std::runtime_error("sub-file cannot be decoded");
    };
    EXPECT_THROW(stageAndFail(), std::runtime_error);
    EXPECT_FALSE(std::filesystem::exists(path));
}

} // namespace
} // namespace orlu
