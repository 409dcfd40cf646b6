// The Statistical levels view's text: the grid of one profile (written from the
// layout), the levels a file stores, and a Multifile's grid with a new block of
// percentages where a member's differ.

#include "analysis/statistics/LevelForms.h"
#include "document/DocumentTestSupport.h"
#include "support/JoinedLines.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

using fixture::CurrentFileSpec;
using fixture::FixtureBuilder;
using test::JoinedLines;

const std::string kGridDashes = "        " + std::string(61, '-');
const std::string kFileDashes = "            " + std::string(61, '-');

CurrentFileSpec WithHistogram(std::vector<std::uint32_t> counts)
{
    CurrentFileSpec spec;
    spec.histogramLowest = 400;
    spec.histogramClasses = static_cast<std::uint16_t>(counts.size());
    spec.histogramCounts = std::move(counts);
    return spec;
}

class LevelForms : public DocumentTest {
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
        EXPECT_TRUE(TextLevels(doc, lines, nullptr, choices));
        return JoinedLines(lines);
    }
};

TEST_F(LevelForms, GridOfAStoredHistogramInTenthDecibelSteps)
{
    auto doc = OpenSpec(WithHistogram({0, 10, 0}));
    StatisticsChoices choices;
    choices.channelMask = 0b1;
    EXPECT_EQ(TextOf(*doc, choices), "\r\n"
                                     "Statistical levels for Histogram:  Profile #1  -  Leq \r\n"
                                     "\r\n"
                                     "  i          1     2     3     4     5     6     7     8     9    10 \r\n" +
                                         kGridDashes +
                                         "\r\n"
                                         " ni[%]       1    10    20    30    40    50    60    70    80    90\r\n"
                                         "Lni[dB]   41.9  41.9  41.8  41.7  41.6  41.5  41.4  41.3  41.2  41.1\r\n" +
                                         kGridDashes + "\r\n");
}

TEST_F(LevelForms, TableOfTheProfileWithSemicolonsAndDecimalCommas)
{
    auto doc = OpenSpec(WithHistogram({0, 10, 0}));
    LineList lines;
    std::uint8_t content = 0;
    ASSERT_TRUE(TableLevels(*doc, lines, nullptr, content, {}, {0, 1, 2}));
    EXPECT_EQ(content, 2);
    EXPECT_EQ(JoinedLines(lines), "Statistical_levels_for_Histograms:\r\n"
                                  "leve;prof;[%];1;10;20;30;40;50;60;70;80;90\r\n"
                                  "1;#1;[dB];41,9;41,9;41,8;41,7;41,6;41,5;41,4;41,3;41,2;41,1\r\n");
}

TEST_F(LevelForms, EmptyHistogramGivesZeroAndStoredLevelsTheirOwnPercentages)
{
    auto empty = OpenSpec(WithHistogram({0, 0, 0}));
    EXPECT_NE(TextOf(*empty, {}).find("Lni[dB]    0.0   0.0   0.0   0.0   0.0   0.0   0.0   0.0   0.0   0.0\r\n"),
              std::string::npos);

    // The file stores percentages 1, 11 ... 91 with levels 90.0, 88.0 ...; the user asked
    // for others.
    app.StatisticalPercentages = {5, 10, 15, 20, 25, 30, 35, 40, 45, 50};
    CurrentFileSpec spec;
    spec.statistics = true;
    auto stored = OpenSpec(spec);
    const std::string text = TextOf(*stored, {});
    EXPECT_NE(text.find("\r\nStatistical levels:  Profile #1  -  Leq \r\n"), std::string::npos) << text;
    EXPECT_NE(text.find(" ni[%]       1    11    21    31    41    51    61    71    81    91\r\n"
                        "Lni[dB]   90.0  88.0  86.0  84.0  82.0  80.0  78.0  76.0  74.0  72.0\r\n"),
              std::string::npos)
        << text;
}

TEST_F(LevelForms, LevelsAndTotalStayWithTheDocument)
{
    // Levels of the user's percentages and the histogram's total, as the last form read them; counts
    // whose ten-fold passes 32 bits are summed in 64.
    struct Case {
        std::vector<std::uint32_t> counts;
        std::uint64_t total;
        double l50;
    };
    const Case cases[] = {{{0, 10, 0}, 10, 41.5}, {{0, 0, 0}, 0, 0.0}, {{500000000, 500000000, 0}, 1000000000, 41.0}};
    for (const Case& c : cases) {
        auto doc = OpenSpec(WithHistogram(c.counts));
        doc->UserLevels().fill(-1.0);
        doc->SetHistogramTotal(7);
        LineList lines;
        ASSERT_TRUE(TextLevels(*doc, lines, nullptr, {}));
        EXPECT_EQ(doc->HistogramTotal(), c.total);
        EXPECT_DOUBLE_EQ(doc->UserLevels()[5], c.l50) << c.total;
    }
}

TEST_F(LevelForms, MultifileGridStartsANewBlockWhereThePercentagesDiffer)
{
    CurrentFileSpec stored;
    stored.statistics = true;
    const std::vector<fixture::MultifileMember> members{
        {"FILE1", fixture::CurrentMeasurementFile(WithHistogram({0, 10, 0}))},
        {"FILE2", fixture::CurrentMeasurementFile(WithHistogram({10, 0, 0}))},
        {"FILE3", fixture::CurrentMeasurementFile(stored)}};
    auto doc = Open(Write("multi.orl", fixture::Multifile(55, members)));
    doc->DecodeFileHeader(3);
    StatisticsChoices choices;
    choices.channelMask = 0b1;
    EXPECT_EQ(TextOf(*doc, choices),
              "\r\n"
              "Statistical levels:  Profile #1  -  Leq \r\n"
              "\r\n"
              "    i            1     2     3     4     5     6     7     8     9    10 \r\n" +
                  kFileDashes +
                  "\r\n"
                  "   ni[%]         1    10    20    30    40    50    60    70    80    90\r\n" +
                  kFileDashes +
                  "\r\n"
                  "   FILE1      41.9  41.9  41.8  41.7  41.6  41.5  41.4  41.3  41.2  41.1\r\n"
                  "   FILE2      40.9  40.9  40.8  40.7  40.6  40.5  40.4  40.3  40.2  40.1\r\n" +
                  kFileDashes +
                  "\r\n"
                  "   ni[%]         1    11    21    31    41    51    61    71    81    91\r\n" +
                  kFileDashes +
                  "\r\n"
                  "   FILE3      90.0  88.0  86.0  84.0  82.0  80.0  78.0  76.0  74.0  72.0\r\n" +
                  kFileDashes + "\r\n");
    EXPECT_EQ(doc->DecodedSubfile(), 3);
}

} // namespace
} // namespace orlu
