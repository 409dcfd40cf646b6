// Octave spectra of MONITOR documents in text and table form.

#include "MonitorTestSupport.h"

#include "document/LineList.h"
#include "document/MissingValue.h"
#include "monitor/MonitorGraphData.h"
#include "monitor/MonitorOctaveText.h"
#include "support/GoldenText.h"
#include "support/JoinedLines.h"

namespace orlu {
namespace {

using fixture::MonitorStreamBuilder;

std::vector<std::int16_t> Rising(int count, int from)
{
    std::vector<std::int16_t> levels;
    for (int i = 0; i < count; ++i)
        levels.push_back(static_cast<std::int16_t>(from + 10 * i));
    return levels;
}

class MonitorOctaveTest : public MonitorTest {
protected:
    std::string Text(CTmDoc& doc, bool third, bool all, int record)
    {
        return Text(doc, MonitorOctaveChoice{third}, all, record);
    }
    std::string Text(CTmDoc& doc, const MonitorOctaveChoice& choice, bool all, int record)
    {
        LineList lines;
        int widest = 0;
        const bool written = FormatMonitorOctaveText(doc, lines, &widest, choice, all, record);
        const std::string text = test::JoinedLines(lines);
        EXPECT_EQ(widest, fixture::WidthOf(text));
        return written ? text : "(not written)";
    }
};

TEST_F(MonitorOctaveTest, OneOctaveSpectrumInThreeColumns)
{
    MonitorStreamBuilder b;
    b.Station("Y1A,M1,D0840,V384,S00x0Cx09x07x09").Setup("U525,W315,M2,D1h");
    b.Octave(1, Rising(18, 300)).Octave(2, Rising(18, 400));
    auto doc = Load(b);
    EXPECT_EQ(Text(*doc, false, false, 1), fixture::Golden("monitor-octave11.txt"));
    // Every record: the second spectrum follows, dated a step later.
    const std::string all = Text(*doc, false, true, 1);
    EXPECT_NE(all.find("Octave 1/1  No.2  12:30'00 (Thu 09/07/2009):\r\n"), std::string::npos) << all;
    EXPECT_NE(all.find("   31.5      45.0        2000.0      51.0       TOT_Lin      57.0\r\n"), std::string::npos) << all;
    // A 1/1 document has no 1/3-octave spectra.
    EXPECT_EQ(Text(*doc, true, false, 1), "(not written)");
}

TEST_F(MonitorOctaveTest, TableOfOneRecordWithSemicolonsAndDecimalComma)
{
    MonitorStreamBuilder b;
    b.Station("Y1A,M1,D0840,V384,S00x0Cx09x07x09").Setup("U525,W315,M2,D1h");
    b.Octave(1, Rising(18, 300)).Octave(2, Rising(18, 400));
    auto doc = Load(b);
    LineList lines;
    int widest = 0;
    std::uint8_t kind = 0;
    ASSERT_TRUE(FormatMonitorOctaveTable(*doc, lines, &widest, kind, MonitorOctaveChoice{}, false, 1, TableOutputOptions{0, 1, 2}));
    EXPECT_EQ(kind, 2);
    EXPECT_EQ(test::JoinedLines(lines), "Octave_1/1__No.1__12:15'00_(Thu_09/07/2009):\r\n"
                                        "f[Hz];Lev[dB];f[Hz];Lev[dB];f[Hz];Lev[dB]\r\n"
                                        "1,0;30,0;63,0;36,0;4000,0;42,0\r\n"
                                        "2,0;31,0;125,0;37,0;8000,0;43,0\r\n"
                                        "4,0;32,0;250,0;38,0;16000,0;44,0\r\n"
                                        "8,0;33,0;500,0;39,0;TOT_A;45,0\r\n"
                                        "16,0;34,0;1000,0;40,0;TOT_C;46,0\r\n"
                                        "31,5;35,0;2000,0;41,0;TOT_Lin;47,0\r\n");
    // No third record; no 1/3-octave spectra on a 1/1 station.
    EXPECT_FALSE(FormatMonitorOctaveTable(*doc, lines, &widest, kind, MonitorOctaveChoice{}, false, 3, TableOutputOptions{}));
    EXPECT_FALSE(FormatMonitorOctaveTable(*doc, lines, &widest, kind, MonitorOctaveChoice{true}, false, 1, TableOutputOptions{}));
}

TEST_F(MonitorOctaveTest, ThirdOctaveSpectrum)
{
    MonitorStreamBuilder b;
    b.Station("Y1A,M1,D0840,V384,S00x0Cx09x07x09").Setup("U525,W315,M3,D1h");
    b.Octave(1, Rising(48, 100));
    // A record cut short of its 48 levels holds no spectrum.
    b.Octave(2, Rising(20, 100));
    auto doc = Load(b);
    const std::string text = Text(*doc, true, true, 1);
    // 48 entries in 16 rows: 0.8 Hz first, 20 kHz the last band, the totals last.
    EXPECT_NE(text.find("\r\n    0.8      10.0          31.5      26.0        1250.0      42.0\r\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("\r\n   25.0      25.0        1000.0      41.0       TOT_Lin      57.0\r\n"), std::string::npos)
        << text;
    EXPECT_EQ(text.find("No.2"), std::string::npos) << text;
    EXPECT_EQ(Text(*doc, true, false, 1), fixture::Golden("monitor-octave13.txt"));
}

TEST_F(MonitorOctaveTest, PascalWithAMarkedBlock)
{
    MonitorStreamBuilder b;
    b.Station("Y1A,M1,D0840,V384,S00x0Cx09x07x09").Setup("U525,W315,M2,D1h");
    b.Octave(1, Rising(18, 300));
    auto doc = Load(b);
    // Entries 2 to 6: 4 to 63 Hz at 32 to 36 dB; p = 20 uPa x 10^(L/20); the block's RMS is
    // the root of the sum of their squares (41.2 dB).
    const std::string rule(68, '-');
    EXPECT_EQ(Text(*doc, MonitorOctaveChoice{false, true, true, 2, 6}, false, 1),
              "\r\n"
              "Block of the Octave 1/1  No.1  12:15'00 (Thu 09/07/2009):\r\n"
              "Block RMS = 2.30e-03 Pa     \r\n" +
                  rule + "\r\n" +
                  "   f[Hz]   Lev[Pa]         f[Hz]   Lev[Pa]         f[Hz]   Lev[Pa]  \r\n" + rule + "\r\n" +
                  "    4.0  7.96e-04          16.0  1.00e-03          63.0  1.26e-03\r\n"
                  "    8.0  8.93e-04          31.5  1.12e-03\r\n" +
                  rule + "\r\n");
    // A total in pascal, two exponent digits: 47 dB is 4.48e-03 Pa.
    const std::string all = Text(*doc, MonitorOctaveChoice{false, true}, false, 1);
    EXPECT_NE(all.find("TOT_Lin  4.48e-03\r\n"), std::string::npos) << all;
    // The block's totals keep their names in the table.
    LineList lines;
    int widest = 0;
    std::uint8_t kind = 0;
    ASSERT_TRUE(FormatMonitorOctaveTable(*doc, lines, &widest, kind, MonitorOctaveChoice{false, false, true, 14, 16},
                                         false, 1, TableOutputOptions{0, 1, 2}));
    EXPECT_EQ(test::JoinedLines(lines), "Block_of_the_Octave_1/1__No.1__12:15'00_(Thu_09/07/2009):\r\n"
                                        "f[Hz];Lev[dB];f[Hz];Lev[dB];f[Hz];Lev[dB]\r\n"
                                        "16000,0;44,0;TOT_A;45,0;TOT_C;46,0\r\n");
}

TEST_F(MonitorOctaveTest, CrossTableOfTwelveRecords)
{
    MonitorStreamBuilder b;
    b.Station("Y1A,M1,D0840,V384,S00x0Cx09x07x09").Setup("U525,W315,M2,D1h");
    // Record t holds 10t + i dB in entry i.
    for (int t = 1; t <= 12; ++t)
        b.Octave(static_cast<std::uint16_t>(t), Rising(18, 100 * t));
    auto doc = Load(b);
    LineList lines;
    int widest = 0;
    std::uint8_t kind = 0;
    ASSERT_TRUE(FormatMonitorOctaveTable(*doc, lines, &widest, kind, MonitorOctaveChoice{}, true, 1,
                                         TableOutputOptions{0, 1, 2}));
    const std::string table = test::JoinedLines(lines);
    EXPECT_EQ(table.substr(0, table.find("\r\n2;")),
              "Octaves_1/1:\r\n"
              "no_;[];1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17;18\r\n"
              "spct\\f->;[Hz];1,0;2,0;4,0;8,0;16,0;31,5;63,0;125,0;250,0;500,0;1000,0;2000,0;4000,0;8000,0;16000,0;"
              "TOT_A;TOT_C;TOT_Lin\r\n"
              "1;[dB];10,0;11,0;12,0;13,0;14,0;15,0;16,0;17,0;18,0;19,0;20,0;21,0;22,0;23,0;24,0;25,0;26,0;27,0");
    EXPECT_NE(table.find("\r\n12;[dB];120,0;121,0;122,0;123,0;124,0;125,0;126,0;127,0;128,0;129,0;130,0;131,0;132,0;"
                         "133,0;134,0;135,0;136,0;137,0\r\n"),
              std::string::npos)
        << table;
    EXPECT_EQ(table.find("\r\n13;"), std::string::npos) << table;

    // A block of the last two totals: named as they are, no band before them.
    LineList block;
    ASSERT_TRUE(FormatMonitorOctaveTable(*doc, block, &widest, kind, MonitorOctaveChoice{false, false, true, 16, 17}, true,
                                         1, TableOutputOptions{0, 1, 2}));
    const std::string blockTable = test::JoinedLines(block);
    EXPECT_EQ(blockTable.substr(0, blockTable.find("\r\n2;")), "Blocks_of_Octaves_1/1:\r\n"
                                                                "no_;[];1;2\r\n"
                                                                "spct\\f->;[Hz];TOT_C;TOT_Lin\r\n"
                                                                "1;[dB];26,0;27,0");
}

TEST_F(MonitorOctaveTest, OctaveFormOfAThirdOctaveStationSumsItsThirds)
{
    MonitorStreamBuilder b;
    b.Station("Y1A,M1,D0840,V384,S00x0Cx09x07x09").Setup("U525,W315,M3,D1h");
    // Every third octave at 30 dB: each octave holds three, 30 + 10 lg 3 = 34.8 dB; the totals stay.
    std::vector<std::int16_t> levels(45, 300);
    levels.insert(levels.end(), {500, 510, 520});
    b.Octave(1, levels);
    auto doc = Load(b);
    const std::string text = Text(*doc, false, false, 1);
    EXPECT_NE(text.find("\r\n    8.0      34.8         500.0      34.8         TOT_A      50.0\r\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("   TOT_Lin      52.0\r\n"), std::string::npos) << text;
}

TEST_F(MonitorOctaveTest, GraphDataOfOneRecordAndOfEveryRecord)
{
    MonitorStreamBuilder b;
    b.Station("Y1A,M1,D0840,V384,S00x0Cx09x07x09").Setup("U525,W315,M2,D1h");
    b.Octave(1, Rising(18, 300)).Octave(2, Rising(18, 400)).Octave(3, Rising(18, 500));
    auto doc = Load(b);
    PlotData bars;
    ASSERT_TRUE(GraphMonitorOctave(*doc, bars, 0, MonitorOctaveChoice{false, false, true, 0, 1}, 2, false));
    EXPECT_EQ(bars.GraphForm, 2);
    EXPECT_EQ(bars.GraphTitle, "OCTAVE 1/1  (HP)  No.2"); // octave filter 0
    ASSERT_EQ(bars.TimeStamps, std::vector<std::uint32_t>{2});
    const std::span<const double> values = bars.PlotValues.Values();
    ASSERT_GE(values.size(), 19u);
    EXPECT_DOUBLE_EQ(values[0], 40.0);
    EXPECT_DOUBLE_EQ(values[17], 57.0);
    EXPECT_EQ(values[18], kMissingValue);
    ASSERT_EQ(bars.FrequencyValues.size(), 15u);
    EXPECT_DOUBLE_EQ(bars.FrequencyValues[14], 16000.0);
    // 40 and 41 dB: 10 lg (10^4 + 10^4.1) = 43.5 dB.
    EXPECT_NEAR(bars.SpectrumBlockValues[0], 43.54, 0.01);
    EXPECT_FALSE(GraphMonitorOctave(*doc, bars, 1, MonitorOctaveChoice{}, 1, false));

    // Three rows on three records: each row is its record's spectrum.
    PlotData picture;
    picture.Grid.Rows = 3;
    picture.Grid.FirstRecord = 1;
    picture.Grid.LastRecord = 3;
    ASSERT_TRUE(GraphMonitorOctave(*doc, picture, 0, MonitorOctaveChoice{}, 1, true));
    EXPECT_EQ(picture.GraphForm, 1);
    EXPECT_EQ(picture.GraphTitle, "OCTAVE 1/1  (HP)");
    ASSERT_EQ(picture.Grid.Values.size(), 3u * 18u);
    EXPECT_FLOAT_EQ(picture.Grid.Values[0], 30.0f);
    EXPECT_FLOAT_EQ(picture.Grid.Values[18], 40.0f);
    EXPECT_FLOAT_EQ(picture.Grid.Values[3 * 18 - 1], 67.0f);
    EXPECT_DOUBLE_EQ(picture.Grid.LevelRangeHigh, 67.0);
}

TEST_F(MonitorOctaveTest, OneRecordNeverMakesAPicture)
{
    MonitorStreamBuilder b;
    b.Station("Y1A,M1,D0840,V384,S00x0Cx09x07x09").Setup("U525,W315,M2,D1h");
    b.Octave(1, Rising(18, 300));
    auto doc = Load(b);
    PlotData data;
    data.Grid.Rows = 4;
    ASSERT_TRUE(GraphMonitorOctave(*doc, data, 0, MonitorOctaveChoice{}, 1, true));
    EXPECT_EQ(data.GraphForm, 2);
    EXPECT_TRUE(data.Grid.Values.empty());
}

} // namespace
} // namespace orlu
