// The Histograms view: the text block laid out four classes to a row (written
// from the layout), the graph values, and the forms of generated files (the
// profiles, a Multifile's members, a marked block, damaged counts).

#include "analysis/statistics/HistogramForms.h"
#include "document/DocumentTestSupport.h"
#include "support/JoinedLines.h"

#include <gtest/gtest.h>

#include <numeric>

namespace orlu {
namespace {

using fixture::CurrentFileSpec;
using fixture::FixtureBuilder;
using test::JoinedLines;

const std::string kRule(77, '-');
const std::string kHeader = "  cl[dB]    P[%]      cl[dB]    P[%]      cl[dB]    P[%]      cl[dB]    P[%] ";

std::string Text(const HistogramTextBlock& block, const ClassMarkers& markers = {})
{
    LineList lines;
    int widest = 0;
    AppendHistogramText(lines, &widest, block, markers);
    return JoinedLines(lines);
}

HistogramTextBlock Block(Histogram h)
{
    HistogramTextBlock block;
    block.caption = "Histogram:";
    block.integrationLine = "   results DELTA_INT = 1 s";
    block.total = block.blockTotal = h.Sum();
    block.histogram = std::move(h);
    return block;
}

TEST(HistogramText, ThreeClassesMakeOneRowOfSixtyCharacters)
{
    const std::string row = "   40.0   20.00        41.0   60.00        42.0   20.00     ";
    ASSERT_EQ(row.size(), 60u);
    EXPECT_EQ(Text(Block({400, 10, {2, 6, 2}})), "\r\n"
                                                 "Histogram:\r\n"
                                                 "   number of classes = 3\r\n"
                                                 "   class width = 1.0 dB\r\n"
                                                 "   total number of results = 10\r\n"
                                                 "   results DELTA_INT = 1 s\r\n" +
                                                     kRule + "\r\n" + kHeader + "\r\n" + kRule + "\r\n" + row +
                                                     "\r\n" + kRule + "\r\n");
}

TEST(HistogramText, TenClassesFillThreeRowsColumnByColumn)
{
    // Ten counts of 10: each class 10.00 %.
    const std::string body = Text(Block({500, 10, std::vector<std::uint32_t>(10, 10)}));
    const std::string rows = "   50.0   10.00        53.0   10.00        56.0   10.00        59.0   10.00\r\n"
                             "   51.0   10.00        54.0   10.00        57.0   10.00     \r\n"
                             "   52.0   10.00        55.0   10.00        58.0   10.00     \r\n";
    EXPECT_NE(body.find(kRule + "\r\n" + rows + kRule), std::string::npos) << body;
}

TEST(HistogramText, MarkedBlockOfClassesFiveToSeven)
{
    Histogram h{500, 10, {1, 1, 1, 1, 1, 2, 3, 5, 1, 4}}; // 20 results
    const std::string body = Text(Block(std::move(h)), {2, {5, 7}});
    EXPECT_EQ(body, "\r\n"
                    "Block of the Histogram:\r\n"
                    "   number of classes = 3\r\n"
                    "   class width = 1.0 dB\r\n"
                    "   number of results in the block = 10\r\n"
                    "   results DELTA_INT = 1 s\r\n"
                    "   probability of the block = 50.00%\r\n" +
                        kRule + "\r\n" + kHeader + "\r\n" + kRule +
                        "\r\n"
                        "   55.0   10.00        56.0   15.00        57.0   25.00     \r\n" +
                        kRule + "\r\n");
}

TEST(HistogramText, NoRowsWithoutResultsAndHalfDecibelBounds)
{
    const std::string empty = Text(Block({400, 10, {0, 0}}));
    EXPECT_EQ(empty.find(kHeader), std::string::npos);
    EXPECT_NE(empty.find("   total number of results = 0\r\n" "   results DELTA_INT = 1 s\r\n" + kRule + "\r\n" +
                         kRule + "\r\n"),
              std::string::npos);
    EXPECT_NE(Text(Block({400, 5, {1, 1}})).find("   40.0   50.00        40.5   50.00     "), std::string::npos);
}

TEST(HistogramGraph, ValuesMaximumAndBlock)
{
    const Histogram h{400, 10, {0, 1, 2, 3, 4, 5, 6, 7, 8, 4}}; // 40 results
    const HistogramGraphValues g = HistogramGraph(h, h.Sum(), {2, {5, 7}});
    EXPECT_EQ(g.x, (std::vector<double>{40, 41, 42, 43, 44, 45, 46, 47, 48, 49}));
    EXPECT_DOUBLE_EQ(g.maximum, 20.0);
    EXPECT_DOUBLE_EQ(g.y[8], 1.0);
    EXPECT_DOUBLE_EQ(g.y[4], 0.5);
    EXPECT_DOUBLE_EQ(g.blockProbability, 12.5 + 15.0 + 17.5); // P5 + P6 + P7

    const HistogramGraphValues empty = HistogramGraph({400, 10, {0, 0, 0}}, 0, {1, {1, 1}});
    EXPECT_DOUBLE_EQ(empty.maximum, 0.9);
    EXPECT_EQ(empty.y, (std::vector<double>{0, 0, 0}));
    EXPECT_DOUBLE_EQ(empty.blockProbability, 0.0);

    // A count above the total counts as 0; half-decibel classes keep their bounds.
    const HistogramGraphValues over = HistogramGraph({400, 5, {5, 20}}, 10, {});
    EXPECT_EQ(over.x, (std::vector<double>{40.0, 40.5}));
    EXPECT_DOUBLE_EQ(over.maximum, 50.0);
    EXPECT_EQ(over.y, (std::vector<double>{1.0, 0.0}));
}

class HistogramForms : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenSpec(const CurrentFileSpec& spec)
    {
        const std::vector<std::uint8_t> file = fixture::CurrentMeasurementFile(spec);
        FixtureBuilder f;
        f.ContainerHeader(45, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
        return Open(Write("meas.orl", f));
    }
    static std::string TextOf(CTmDoc& doc, const StatisticsChoices& choices)
    {
        LineList lines;
        int widest = 0;
        EXPECT_TRUE(TextHistogram(doc, lines, &widest, choices));
        return JoinedLines(lines);
    }
    static std::string TableOf(CTmDoc& doc, const StatisticsChoices& choices)
    {
        LineList lines;
        std::uint8_t content = 0;
        EXPECT_TRUE(TableHistogram(doc, lines, nullptr, content, choices, {0, 1, 2}));
        EXPECT_EQ(content, 2);
        return JoinedLines(lines);
    }
};

CurrentFileSpec WithHistogram(std::int16_t lowest, std::int16_t width, std::vector<std::uint32_t> counts)
{
    CurrentFileSpec spec;
    spec.histogramLowest = lowest;
    spec.histogramWidth = width;
    spec.histogramClasses = static_cast<std::uint16_t>(counts.size());
    spec.histogramCounts = std::move(counts);
    return spec;
}

TEST_F(HistogramForms, StoredHistogramOfAProfileAsTextAndTable)
{
    auto doc = OpenSpec(WithHistogram(400, 10, {2, 6, 2}));
    StatisticsChoices choices;
    choices.channelMask = 0b1;
    const std::string text = TextOf(*doc, choices);
    EXPECT_EQ(text.substr(0, text.find(kRule)), "\r\n"
                                                "Histogram:  Profile #1  -  Leq \r\n"
                                                "   number of classes = 3\r\n"
                                                "   class width = 1.0 dB\r\n"
                                                "   total number of results = 10\r\n"
                                                "   results DELTA_INT = 0.0166667 m\r\n");
    EXPECT_NE(text.find("   40.0   20.00        41.0   60.00        42.0   20.00     \r\n"), std::string::npos);

    // One histogram as class-percent pairs, with ';' and a decimal comma.
    choices.channelMask = 0;
    EXPECT_EQ(TableOf(*doc, choices), "Histogram:__Profile_#1__-__Leq_\r\n"
                                      "cl[dB];N[%];cl[dB];N[%];cl[dB];N[%];cl[dB];N[%]\r\n"
                                      "40,0;20,00;41,0;60,00;42,0;20,00\r\n");
}

TEST_F(HistogramForms, MarkedBlockOfAStoredHistogramAndItsTable)
{
    auto doc = OpenSpec(WithHistogram(300, 20, {1, 1, 1, 1, 1, 2, 3, 5, 1, 4}));
    StatisticsChoices choices;
    choices.markers = {2, {5, 7}};
    const std::string text = TextOf(*doc, choices);
    EXPECT_NE(text.find("Block of the Histogram:  Profile #1  -  Leq \r\n"
                        "   number of classes = 3\r\n"
                        "   class width = 2.0 dB\r\n"
                        "   number of results in the block = 10\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("   probability of the block = 50.00%\r\n"), std::string::npos);
    // 2 dB classes from 30 dB: the table's class axis steps by the real width.
    EXPECT_EQ(TableOf(*doc, choices), "Block_of_the_Histogram:__Profile_#1__-__Leq_\r\n"
                                      "cl[dB];N[%];cl[dB];N[%];cl[dB];N[%];cl[dB];N[%]\r\n"
                                      "40,0;10,00;42,0;15,00;44,0;25,00\r\n");
}

TEST_F(HistogramForms, CountsPastTheFileOrAWidthOfZeroGiveNoClasses)
{
    // Profile 2's counts would start one stride after profile 1's, past the file.
    auto doc = OpenSpec(WithHistogram(400, 10, {2, 6, 2}));
    StatisticsChoices second;
    second.channelMask = 0b10;
    const std::string text = TextOf(*doc, second);
    EXPECT_NE(text.find("Histogram:  Profile #2  -  Leq \r\n   number of classes = 0\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find(kHeader), std::string::npos);

    auto flat = OpenSpec(WithHistogram(400, 0, {2, 6, 2}));
    const std::string zero = TextOf(*flat, {});
    EXPECT_NE(zero.find("   number of classes = 0\r\n"), std::string::npos) << zero;
    EXPECT_EQ(zero.find(kHeader), std::string::npos);

    // A definition of 200 classes over a record of 3 counts: the file opens and its
    // histogram has no classes.
    CurrentFileSpec past = WithHistogram(400, 10, {2, 6, 2});
    past.histogramClasses = 200;
    auto cut = OpenSpec(past);
    const std::string none = TextOf(*cut, {});
    EXPECT_NE(none.find("   number of classes = 0\r\n"), std::string::npos) << none;
    EXPECT_EQ(none.find(kHeader), std::string::npos);
}

TEST_F(HistogramForms, MembersOfAMultifileAndTheSelectionKept)
{
    const std::vector<fixture::MultifileMember> members{
        {"FILE1", fixture::CurrentMeasurementFile(WithHistogram(400, 10, {1, 3}))},
        {"FILE2", fixture::CurrentMeasurementFile(CurrentFileSpec{})},
        {"FILE3", fixture::CurrentMeasurementFile(WithHistogram(400, 10, {2, 2}))}};
    auto doc = Open(Write("multi.orl", fixture::Multifile(55, members)));
    doc->DecodeFileHeader(2);
    doc->SelectChannelProfile(1, 0);
    StatisticsChoices choices;
    choices.allFiles = true;
    const std::string text = TextOf(*doc, choices);
    // FILE2 holds no histogram and is left out.
    EXPECT_NE(text.find("Histogram (file: FILE1):  Profile #1  -  Leq \r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("FILE2"), std::string::npos);
    EXPECT_NE(text.find("Histogram (file: FILE3):  Profile #1  -  Leq \r\n"), std::string::npos);
    EXPECT_NE(text.find("   40.0   25.00        41.0   75.00     \r\n"), std::string::npos);
    EXPECT_NE(text.find("   40.0   50.00        41.0   50.00     \r\n"), std::string::npos);
    EXPECT_EQ(doc->DecodedSubfile(), 2);
    EXPECT_EQ(doc->Channel().channel, 1);

    EXPECT_EQ(TableOf(*doc, choices), "Histograms:__Profile_1:\r\n"
                                      "___;no_->;[];1;2\r\n"
                                      "hist;file;[dB];40,0;41,0\r\n"
                                      "1;FILE1;[%];25,00;75,00\r\n"
                                      "2;FILE3;[%];50,00;50,00\r\n");

    // One member alone: its name in the caption, without a blank after "file:".
    choices.allFiles = false;
    choices.subfile = 3;
    EXPECT_EQ(TableOf(*doc, choices), "Histogram_(file:FILE3):__Profile_#1__-__Leq_\r\n"
                                      "cl[dB];N[%];cl[dB];N[%];cl[dB];N[%];cl[dB];N[%]\r\n"
                                      "40,0;50,00;41,0;50,00\r\n");
}

TEST_F(HistogramForms, GraphDataOfTwoProfilesWithAMarkedBlock)
{
    CurrentFileSpec spec = WithHistogram(300, 10, {1, 1, 2, 0, 3, 1});
    spec.histogramClasses = 3;
    spec.histogramProfiles = 2;
    auto doc = OpenSpec(spec);
    StatisticsChoices choices;
    choices.channelMask = 0b11;
    choices.markers = {2, {1, 2}};
    PlotData data;
    ASSERT_TRUE(GraphHistogram(*doc, choices, 0, data));
    ASSERT_TRUE(GraphHistogram(*doc, choices, 1, data));
    EXPECT_FALSE(GraphHistogram(*doc, choices, 2, data)); // profile 3 keeps no counts
    EXPECT_EQ(data.HistogramClassValues, (std::vector<double>{30, 31, 32}));
    EXPECT_EQ(data.ClassStride, 3);
    EXPECT_EQ(std::vector<double>(data.PlotValues.Values().begin(), data.PlotValues.Values().end()),
              (std::vector<double>{0.5, 0.5, 1.0, 0.0, 1.0, 1.0 / 3}));
    EXPECT_DOUBLE_EQ(data.HistogramPeak[0], 50.0);
    EXPECT_DOUBLE_EQ(data.HistogramPeak[1], 75.0);
    EXPECT_DOUBLE_EQ(data.BlockProbability[0], 75.0);
    EXPECT_DOUBLE_EQ(data.BlockProbability[1], 100.0);
    EXPECT_EQ(data.PanelResultNames[1], "Leq");
}

} // namespace
} // namespace orlu
