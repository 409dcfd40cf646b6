// Statistics of MONITOR documents: histograms, levels and densities of
// profile and octave statistics in text form.

#include "MonitorTestSupport.h"

#include "document/LineList.h"
#include "monitor/MonitorGraphData.h"
#include "monitor/MonitorStatisticsTable.h"
#include "monitor/MonitorStatisticsText.h"
#include "support/GoldenText.h"
#include "support/JoinedLines.h"

namespace orlu {
namespace {

using fixture::MonitorStreamBuilder;

// Statistics in profiles 1 and 2 every 15 minutes: profile 1 of 25 classes of 1 dB from
// 30 dB, 4 results each; profile 2 of 10 classes of 0.5 dB from 40.5 dB. `gap` zero bytes
// before the interval move profile 2's counts between even and odd offsets.
MonitorStreamBuilder StatisticsStation(std::size_t gap)
{
    MonitorStreamBuilder b;
    b.Station("Y1A,M1,D0B00,V384,A384,S00x0Cx09x07x09").Setup("U525,W315,D1h").ZeroGap(gap);
    b.Statistics(1, '1', 25, 300, 10, std::vector<std::uint32_t>(25, 4));
    b.Statistics(std::nullopt, '2', 10, 405, 5, {1, 2, 3, 4, 10, 20, 5, 3, 1, 1});
    return b;
}

class MonitorStatisticsTest : public MonitorTest {
protected:
    std::string Text(CTmDoc& doc, MonitorStatisticsForm form, const StatisticsChoices& choices, int record = 1)
    {
        LineList lines;
        int widest = 0;
        EXPECT_TRUE(FormatMonitorStatisticsText(doc, lines, &widest, form, choices, record));
        const std::string text = test::JoinedLines(lines);
        EXPECT_EQ(widest, fixture::WidthOf(text));
        return text;
    }
    static StatisticsChoices Profiles(std::uint16_t mask, std::uint8_t markers = 0, int a = 0, int b = 0)
    {
        StatisticsChoices c;
        c.channelMask = mask;
        c.markers.count = markers;
        c.markers.points = {a, b};
        return c;
    }
};

TEST_F(MonitorStatisticsTest, HistogramOfTwentyFiveClasses)
{
    auto doc = Load(StatisticsStation(0));
    EXPECT_EQ(Text(*doc, MonitorStatisticsForm::Histograms, Profiles(1)), fixture::Golden("monitor-histogram-25.txt"));
}

TEST_F(MonitorStatisticsTest, BlockOfTheSecondProfileAtEvenAndOddOffsets)
{
    for (std::size_t gap : {0, 1}) {
        auto doc = Load(StatisticsStation(gap));
        EXPECT_EQ(Text(*doc, MonitorStatisticsForm::Histograms, Profiles(2, 2, 3, 7)),
                  fixture::Golden("monitor-histogram-block.txt"))
            << gap;
        EXPECT_EQ(Text(*doc, MonitorStatisticsForm::Densities, Profiles(2, 2, 3, 7)),
                  fixture::Golden("monitor-density-block.txt"))
            << gap;
    }
}

TEST_F(MonitorStatisticsTest, LevelsOfEvenlySpreadResults)
{
    auto doc = Load(StatisticsStation(0));
    const std::string text = Text(*doc, MonitorStatisticsForm::Levels, Profiles(1));
    EXPECT_NE(text.find("Statistical levels for Histograms No.1  12:15'00 (Thu 09/07/2009):\r\nProfile #1  -  Leq \r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(" ni[%]       1    10    20    30    40    50    60    70    80    90\r\n"), std::string::npos)
        << text;
    // 100 results spread evenly over 30 to 55 dB: Ln falls 2.5 dB per 10 %.
    EXPECT_NE(text.find("Lni[dB]   54.7  52.5  50.0  47.5  45.0  42.5  40.0  37.5  35.0  32.5\r\n"), std::string::npos)
        << text;
    // The levels shown and the number of results stay with the document.
    EXPECT_EQ(doc->HistogramTotal(), 100u);
    EXPECT_EQ(doc->UserLevels(), (std::array<double, 10>{54.7, 52.5, 50.0, 47.5, 45.0, 42.5, 40.0, 37.5, 35.0, 32.5}));
}

TEST_F(MonitorStatisticsTest, ProfilesNotAcquiredOrRecordsMissingShowNothing)
{
    auto doc = Load(StatisticsStation(0));
    // Profile 3 has no statistics; interval 2 does not exist.
    EXPECT_EQ(Text(*doc, MonitorStatisticsForm::Histograms, Profiles(4)), "");
    EXPECT_EQ(Text(*doc, MonitorStatisticsForm::Histograms, Profiles(3), 2), "");
    // Both profiles: two items, profile 2's read past profile 1's record.
    const std::string both = Text(*doc, MonitorStatisticsForm::Histograms, Profiles(3));
    EXPECT_NE(both.find("Profile #1"), std::string::npos);
    EXPECT_NE(both.find("Profile #2"), std::string::npos);
}

TEST_F(MonitorStatisticsTest, TableOfTheProfilesOfAnInterval)
{
    for (std::size_t gap : {0, 1}) {
        MonitorStreamBuilder b;
        b.Station("Y1A,M1,D0B00,V384,A384,S00x0Cx09x07x09").Setup("U525,W315,D1h").ZeroGap(gap);
        b.Statistics(1, '1', 4, 300, 10, {1, 2, 3, 4}).Statistics(std::nullopt, '2', 4, 300, 10, {5, 5, 0, 10});
        auto doc = Load(b);
        LineList lines;
        int widest = 0;
        std::uint8_t kind = 0;
        ASSERT_TRUE(FormatMonitorStatisticsTable(*doc, lines, &widest, kind, MonitorStatisticsForm::Histograms, Profiles(3), 1, TableOutputOptions{0, 0, 2}));
        EXPECT_EQ(kind, 2);
        const std::string text = test::JoinedLines(lines);
        EXPECT_NE(text.find("1;#1;[%];10.00;20.00;30.00;40.00\r\n2;#2;[%];25.00;25.00;0.00;50.00\r\n"),
                  std::string::npos)
            << gap << text;
        EXPECT_NE(text.find(";[dB];30.0;31.0;32.0;33.0\r\n"), std::string::npos) << text;
    }
}

TEST_F(MonitorStatisticsTest, OctaveBandsOfARecord)
{
    MonitorStreamBuilder b;
    b.Station("Y1A,M1,D0820,V384,A384,S00x0Cx09x07x09").Setup("U525,W315,M2,D1h");
    // 2 classes of each of the 18 entries (15 bands and 3 totals); band u holds u + 1 results in class 1.
    std::vector<std::uint32_t> counts;
    for (std::uint32_t u = 0; u < 18; ++u)
        counts.insert(counts.end(), {1, u + 1});
    b.Statistics(1, 'O', 2, 600, 10, counts);
    auto doc = Load(b);
    StatisticsChoices c;
    c.octave = 11;
    c.band = 4;
    const std::string band = Text(*doc, MonitorStatisticsForm::Histograms, c);
    EXPECT_NE(band.find("\r\n(Oct.1/1[4]: 8 Hz):\r\n"), std::string::npos) << band;
    EXPECT_NE(band.find("   total number of results = 5\r\n"), std::string::npos) << band;
    c.allFiles = true;
    const std::string all = Text(*doc, MonitorStatisticsForm::Histograms, c);
    EXPECT_NE(all.find("(Oct.1/1[15]: 16000 Hz):"), std::string::npos) << all;
    EXPECT_NE(all.find("(Oct.1/1[18]: TOT_Lin):"), std::string::npos) << all;
    // The densities of every band stop one band earlier.
    EXPECT_EQ(Text(*doc, MonitorStatisticsForm::Densities, c).find("TOT_Lin"), std::string::npos);
}

} // namespace
} // namespace orlu

namespace orlu {
namespace {

// One octave-statistics record of a 1/1 station: 2 classes of 1 dB from 60 dB for each of the
// 18 entries; entry u holds 1 result in class 0 and u + 1 in class 1.
MonitorStreamBuilder OctaveStatisticsStation()
{
    MonitorStreamBuilder b;
    b.Station("Y1A,M1,D0820,V384,A384,S00x0Cx09x07x09").Setup("U525,W315,M2,D1h");
    std::vector<std::uint32_t> counts;
    for (std::uint32_t u = 0; u < 18; ++u)
        counts.insert(counts.end(), {1, u + 1});
    b.Statistics(1, 'O', 2, 600, 10, counts);
    return b;
}

class MonitorStatisticsTableTest : public MonitorTest {
protected:
    std::string Table(CTmDoc& doc, MonitorStatisticsForm form, const StatisticsChoices& choices)
    {
        LineList lines;
        int widest = 0;
        std::uint8_t kind = 0;
        EXPECT_TRUE(FormatMonitorStatisticsTable(doc, lines, &widest, kind, form, choices, 1, TableOutputOptions{0, 1, 2}));
        EXPECT_EQ(kind, 2);
        return test::JoinedLines(lines);
    }
};

TEST_F(MonitorStatisticsTableTest, OneOctaveBandWithSemicolonsAndDecimalComma)
{
    auto doc = Load(OctaveStatisticsStation());
    StatisticsChoices c;
    c.octave = 11;
    c.band = 4; // 8 Hz: 1 and 4 results
    struct Case {
        MonitorStatisticsForm form;
        std::uint8_t markers;
        const char* expected;
    } cases[] = {
        {MonitorStatisticsForm::Histograms, 0,
         "Histograms_No.1__12:15'00_(Thu_09/07/2009):_(Oct_1/1[4]:_8_Hz):\r\n"
         "cl[dB];N[%];cl[dB];N[%];cl[dB];N[%];cl[dB];N[%]\r\n"
         "60,0;20,00;61,0;80,00\r\n"},
        {MonitorStatisticsForm::Densities, 0,
         "Statistical_density_for_Histograms_No.1__12:15'00_(Thu_09/07/2009):_(Oct_1/1[4]:_8_Hz):\r\n"
         "cl[dB];D[%];cl[dB];D[%];cl[dB];D[%];cl[dB];D[%]\r\n"
         "60,0;100,00;61,0;80,00\r\n"},
        // A block of the second class only.
        {MonitorStatisticsForm::Histograms, 2,
         "Block_of_the_Histograms_No.1__12:15'00_(Thu_09/07/2009):_(Oct_1/1[4]:_8_Hz):\r\n"
         "cl[dB];N[%];cl[dB];N[%];cl[dB];N[%];cl[dB];N[%]\r\n"
         "61,0;80,00\r\n"},
    };
    for (const Case& k : cases) {
        c.markers = {k.markers, {1, 1}};
        EXPECT_EQ(Table(*doc, k.form, c), k.expected);
    }
    // The band's levels: its 5 results and their levels stay with the document.
    c.markers = {};
    Table(*doc, MonitorStatisticsForm::Levels, c);
    EXPECT_EQ(doc->HistogramTotal(), 5u);
    EXPECT_DOUBLE_EQ(doc->UserLevels()[0], 61.9); // L1 in the top tenth of the 61 dB class
}

TEST_F(MonitorStatisticsTableTest, EveryBandOfTheRecordAsColumns)
{
    auto doc = Load(OctaveStatisticsStation());
    StatisticsChoices c;
    c.octave = 11;
    c.allFiles = true;
    const std::string histograms = Table(*doc, MonitorStatisticsForm::Histograms, c);
    // Every band over the first band's 2 results; the totals named.
    EXPECT_NE(histograms.find("\r\n1;1,0;[%];50,00;50,00\r\n"), std::string::npos) << histograms;
    EXPECT_NE(histograms.find("\r\n4;8,0;[%];50,00;200,00\r\n"), std::string::npos) << histograms;
    EXPECT_NE(histograms.find("\r\n18;TOT_Lin;[%];50,00;900,00\r\n"), std::string::npos) << histograms;
    const std::string densities = Table(*doc, MonitorStatisticsForm::Densities, c);
    // Each band over its own total: 8 Hz holds 1 and 4 results.
    EXPECT_NE(densities.find("\r\n4;8,0;[%];100,00;80,00\r\n"), std::string::npos) << densities;
}

TEST_F(MonitorStatisticsTableTest, ProfileLevelsAndDensitiesAgreeWithTheText)
{
    auto doc = Load(StatisticsStation(1));
    StatisticsChoices c;
    c.channelMask = 1;
    const std::string table = Table(*doc, MonitorStatisticsForm::Levels, c);
    // 25 classes of 4 results from 30 dB: the levels of the table are those the text prints.
    LineList lines;
    int widest = 0;
    ASSERT_TRUE(FormatMonitorStatisticsText(*doc, lines, &widest, MonitorStatisticsForm::Levels, c, 1));
    const std::string text = test::JoinedLines(lines);
    const std::size_t at = text.find("Lni[dB] ");
    ASSERT_NE(at, std::string::npos) << text;
    std::string row = "1;#1;[dB]";
    for (std::size_t k = 0; k < 10; ++k) {
        std::string level = text.substr(at + 8 + 6 * k, 6);
        level.erase(0, level.find_first_not_of(' '));
        std::replace(level.begin(), level.end(), '.', ',');
        row += ";" + level;
    }
    EXPECT_NE(table.find(row + "\r\n"), std::string::npos) << row << "\n" << table;
    EXPECT_NE(table.find("Statistical_levels_for_Histograms_No.1__12:15'00_(Thu_09/07/2009):"), std::string::npos)
        << table;

    // Densities: 100 % at the lowest class, 4 % less at each class above.
    const std::string densities = Table(*doc, MonitorStatisticsForm::Densities, c);
    EXPECT_NE(densities.find("#1;[%];100,00;96,00;92,00;88,00;"), std::string::npos) << densities;
    EXPECT_NE(densities.find(";8,00;4,00\r\n"), std::string::npos) << densities;
}

} // namespace
} // namespace orlu

namespace orlu {
namespace {

class MonitorStatisticsGraphTest : public MonitorTest {};

TEST_F(MonitorStatisticsGraphTest, EachProfileInItsPanelWithItsOwnClasses)
{
    // Profile 2's counts lie at an odd offset.
    auto doc = Load(StatisticsStation(1));
    StatisticsChoices c;
    c.channelMask = 3;
    c.markers = {2, {4, 6}};
    PlotData data;
    ASSERT_TRUE(GraphMonitorHistogram(*doc, c, 1, 1, data));
    // Profile 2: 10 classes of 0.5 dB from 40.5 dB, 50 results; 20 the most, 40 %.
    EXPECT_EQ(data.PanelTitles[1], "Leq");
    EXPECT_EQ(data.TimeStamps, std::vector<std::uint32_t>{1});
    ASSERT_EQ(data.HistogramClassValues.size(), 10u);
    EXPECT_DOUBLE_EQ(data.HistogramClassValues[0], 40.5);
    EXPECT_DOUBLE_EQ(data.HistogramClassValues[9], 45.0);
    EXPECT_DOUBLE_EQ(data.HistogramPeak[1], 40.0);
    // Classes 4 to 6: 10 + 20 + 5 of 50 results.
    EXPECT_DOUBLE_EQ(data.BlockProbability[1], 70.0);
    const std::span<const double> y = data.PlotValues.Values();
    ASSERT_EQ(data.ClassStride, 10);
    EXPECT_DOUBLE_EQ(y[10 + 5], 1.0);  // the largest class
    EXPECT_DOUBLE_EQ(y[10 + 0], 0.05); // 2 % of 40 %

    PlotData density;
    ASSERT_TRUE(GraphMonitorDensity(*doc, c, 1, 1, density));
    // D[4] = 40 of 50 results = 80 %, D[6] = 10 of 50 = 20 %.
    EXPECT_DOUBLE_EQ(density.BlockProbability[1], 60.0);
    EXPECT_DOUBLE_EQ(density.HistogramPeak[1], 100.0);
    EXPECT_DOUBLE_EQ(density.PlotValues.Values()[10 + 4], 0.8);
    // Profile 3 is not acquired; no interval 2.
    EXPECT_FALSE(GraphMonitorHistogram(*doc, c, 1, 2, data));
    EXPECT_FALSE(GraphMonitorHistogram(*doc, c, 2, 0, data));
}

TEST_F(MonitorStatisticsGraphTest, AnOctaveBandIsTitledByItsCentre)
{
    auto doc = Load(OctaveStatisticsStation());
    StatisticsChoices c;
    c.octave = 11;
    c.band = 18;
    PlotData data;
    ASSERT_TRUE(GraphMonitorHistogram(*doc, c, 1, 0, data));
    EXPECT_EQ(data.GraphTitle, "(Oct.1/1: TOT_Lin)");
    EXPECT_EQ(data.PanelResultNames[0], "");
    // 1 and 18 results: 5.26 % and 94.74 %.
    EXPECT_NEAR(data.HistogramPeak[0], 94.737, 0.001);
    c.band = 4;
    ASSERT_TRUE(GraphMonitorDensity(*doc, c, 1, 0, data));
    EXPECT_EQ(data.GraphTitle, "(Oct.1/1: 8 Hz)");
    EXPECT_FALSE(GraphMonitorDensity(*doc, c, 1, 1, data)); // one band, one panel
}

} // namespace
} // namespace orlu
