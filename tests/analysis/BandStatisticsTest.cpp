// The octave-band statistics of current-family files: the level spectrum in
// text (written from the layout), graph data and table, the band captions of
// histograms and densities, the grid table of a Multifile's files, and band
// records that announce more than the file holds.

#include "analysis/statistics/DensityForms.h"
#include "analysis/statistics/HistogramForms.h"
#include "analysis/statistics/LevelForms.h"
#include "analysis/statistics/LevelSpectrum.h"
#include "document/DocumentTestSupport.h"
#include "document/MissingValue.h"
#include "support/JoinedLines.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orlu {
namespace {

using fixture::CurrentFileSpec;
using fixture::FixtureBuilder;
using test::JoinedLines;

const std::string kRule(68, '-');
const std::vector<std::uint32_t> kMiddle{0, 10, 0}; // L50 = 41.5 dB from 40.0 dB
const std::vector<std::uint32_t> kEmpty{0, 0, 0};

// An ORLU 525 file of octave (function 2) or third-octave (3) spectra with band statistics:
// band v takes the counts of group v modulo the groups, classes of 1 dB from 40.0 dB.
CurrentFileSpec BandFile(std::uint16_t function, std::uint16_t bands, std::uint16_t totals,
                         std::vector<std::vector<std::uint32_t>> groups)
{
    CurrentFileSpec spec;
    spec.function = function;
    spec.spectrum = function == 2 ? CurrentFileSpec::Spectrum::Octave : CurrentFileSpec::Spectrum::ThirdOctave;
    spec.bands = bands;
    spec.bandExtras = totals;
    spec.lowestBand = function == 2 ? 315 : 200;
    spec.histogramLowest = 400;
    spec.histogramClasses = 3;
    spec.histogramCounts = kMiddle;
    spec.bandHistograms = std::move(groups);
    return spec;
}

StatisticsChoices Octave(int octave, int level = 6, bool allLevels = false)
{
    StatisticsChoices choices;
    choices.octave = octave;
    choices.level = level;
    choices.allLevels = allLevels;
    return choices;
}

class BandStatistics : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenBytes(const std::vector<std::uint8_t>& file)
    {
        FixtureBuilder f;
        f.ContainerHeader(45, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
        return Open(Write("bands.orl", f));
    }
    std::unique_ptr<CTmDoc> OpenSpec(const CurrentFileSpec& spec)
    {
        return OpenBytes(fixture::CurrentMeasurementFile(spec));
    }
};

TEST_F(BandStatistics, LevelSpectrumTextFillsThreeColumnsColumnByColumn)
{
    // Four third-octave bands (up to 20 kHz) and three totals; every second value empty.
    auto doc = OpenSpec(BandFile(3, 4, 3, {kMiddle, kEmpty}));
    LineList lines;
    ASSERT_TRUE(TextLevels(*doc, lines, nullptr, Octave(13)));
    EXPECT_EQ(JoinedLines(lines), "\r\n"
                                  "Statistical levels L50 for Octaves 1/3:\r\n" +
                                      kRule + "\r\n" +
                                      "   f[Hz]   Lev[dB]         f[Hz]   Lev[dB]         f[Hz]   Lev[dB]  \r\n" +
                                      kRule + "\r\n" +
                                      "10000.0      41.5       20000.0       0.0       TOT_Lin      41.5\r\n"
                                      "12500.0       0.0         TOT_A      41.5       \r\n"
                                      "16000.0      41.5         TOT_C       0.0       \r\n" +
                                      kRule + "\r\n");
}

TEST_F(BandStatistics, LevelSpectrumGraphRepeatsTheLastLevelAndGivesAnEmptyBandZero)
{
    // Twelve octave bands and three totals: fifteen values, seventeen bars.
    auto doc = OpenSpec(BandFile(2, 12, 3, {kMiddle, kEmpty}));
    PlotData data;
    ASSERT_TRUE(GraphLevelSpectrum(*doc, Octave(11), 0, data));
    const std::span<const double> v = data.PlotValues.Values();
    ASSERT_EQ(v.size(), 52u);
    for (std::size_t k = 0; k < 15; ++k)
        EXPECT_DOUBLE_EQ(v[k], k % 2 == 0 ? 41.5 : 0.0) << k;
    EXPECT_DOUBLE_EQ(v[15], v[14]);
    EXPECT_DOUBLE_EQ(v[16], v[14]);
    EXPECT_TRUE(std::all_of(v.begin() + 17, v.end(), [](double x) { return x == kMissingValue; }));
    EXPECT_EQ(data.FrequencyValues.size(), 12u);
    EXPECT_EQ(data.PanelTitles[0], "L50");
    // The bands are the file's: there is no second panel.
    EXPECT_FALSE(GraphLevelSpectrum(*doc, Octave(11), 1, data));
    // Bands of the other set are not there.
    EXPECT_FALSE(GraphLevelSpectrum(*doc, Octave(13), 0, data));
}

TEST_F(BandStatistics, TheLevelIsThePercentageAtThePositionOrTheOneGiven)
{
    auto doc = OpenSpec(BandFile(3, 4, 3, {kMiddle, kEmpty}));
    struct Case {
        int level;
        bool allLevels;
        const char* title;
        double band0;
    };
    const Case cases[] = {
        {6, false, "L50", 41.5},  // position 6 of 1, 10, ... 90
        {1, false, "L1", 41.9},   // 40.0 + 1.99, cut to 0.1 dB
        {95, true, "L95", 41.0},  // 40.0 + 1.05
        {10, true, "L10", 41.9},
        {11, false, "L0", 0.0},   // no eleventh percentage
        {0, true, "L0", 0.0},
    };
    for (const Case& c : cases) {
        PlotData data;
        ASSERT_TRUE(GraphLevelSpectrum(*doc, Octave(13, c.level, c.allLevels), 0, data));
        EXPECT_EQ(data.PanelTitles[0], c.title) << c.level;
        EXPECT_DOUBLE_EQ(data.PlotValues.Values()[0], c.band0) << c.level;
        EXPECT_DOUBLE_EQ(data.PlotValues.Values()[1], 0.0) << c.level;
    }
}

TEST_F(BandStatistics, LevelSpectrumLeavesTheLastBandsLevelsInTheDocument)
{
    // The last value (TOT_Lin, value 6) holds the middle class.
    auto doc = OpenSpec(BandFile(3, 4, 3, {kMiddle, kEmpty}));
    doc->UserLevels().fill(-1.0);
    LineList lines;
    ASSERT_TRUE(TextLevels(*doc, lines, nullptr, Octave(13)));
    EXPECT_DOUBLE_EQ(doc->UserLevels()[0], 41.9);
    EXPECT_DOUBLE_EQ(doc->UserLevels()[5], 41.5);
    EXPECT_DOUBLE_EQ(doc->UserLevels()[9], 41.1);
}

TEST_F(BandStatistics, LevelSpectrumTableWithSemicolonsAndDecimalCommas)
{
    auto doc = OpenSpec(BandFile(3, 4, 3, {kMiddle, kEmpty}));
    LineList lines;
    std::uint8_t content = 0;
    ASSERT_TRUE(TableLevels(*doc, lines, nullptr, content, Octave(13), {0, 1, 2}));
    EXPECT_EQ(content, 2);
    EXPECT_EQ(JoinedLines(lines), "Statistical_levels_L50_for_Octaves_1/3:\r\n"
                                  "no_;[];1;2;3;4;5;6;7\r\n"
                                  "freq;[Hz];10000,0;12500,0;16000,0;20000,0;TOT_A;TOT_C;TOT_Lin\r\n"
                                  "L50;[dB];41,5;0,0;41,5;0,0;41,5;0,0;41,5\r\n");
}

TEST_F(BandStatistics, BandHistogramsAndDensitiesAreCaptionedByTheirBand)
{
    auto doc = OpenSpec(BandFile(3, 4, 3, {kMiddle, {2, 6, 2}}));
    StatisticsChoices choices = Octave(13);
    choices.band = 5; // TOT_A
    choices.channelMask = 0b111; // the bands are the file's: one block, not one per profile
    LineList lines;
    ASSERT_TRUE(TextHistogram(*doc, lines, nullptr, choices));
    const std::string text = JoinedLines(lines);
    EXPECT_NE(text.find("\r\nHistogram: (Oct.1/3[5]: TOT_A):\r\n"), std::string::npos) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), ':'), 3) << text;
    choices.band = 2;
    ASSERT_TRUE(TextDensity(*doc, lines, nullptr, choices));
    EXPECT_NE(JoinedLines(lines).find("Statistical density for Histogram: (Oct 1/3[2]: 12500 Hz):\r\n"),
              std::string::npos);
    std::uint8_t content = 0;
    lines = LineList{};
    ASSERT_TRUE(TableHistogram(*doc, lines, nullptr, content, choices, {}));
    EXPECT_EQ(JoinedLines(lines).substr(0, 38), "Histogram:_(Oct_1/3[2]:_12500_Hz):\r\ncl");
    PlotData data;
    ASSERT_TRUE(GraphHistogram(*doc, choices, 0, data));
    EXPECT_EQ(data.PanelTitles[0], "(Oct.1/3: 12500 Hz)");
    EXPECT_DOUBLE_EQ(data.HistogramPeak[0], 60.0);
}

TEST_F(BandStatistics, AllBandsOfASingleFileMakeOneTableWithABandPerColumn)
{
    auto doc = OpenSpec(BandFile(3, 4, 3, {kMiddle, {2, 6, 2}}));
    StatisticsChoices choices = Octave(13);
    choices.allFiles = true;
    LineList lines;
    std::uint8_t content = 0;
    ASSERT_TRUE(TableHistogram(*doc, lines, nullptr, content, choices, {}));
    const std::string table = JoinedLines(lines);
    EXPECT_NE(table.find("\r\n2\t12500.0\t[%]\t20.00\t60.00\t20.00\r\n"), std::string::npos) << table;
    EXPECT_NE(table.find("\r\n7\tTOT_Lin\t[%]\t0.00\t100.00\t0.00\r\n"), std::string::npos) << table;
    ASSERT_TRUE(TextHistogram(*doc, lines, nullptr, choices));
    const std::string text = JoinedLines(lines);
    std::size_t captions = 0;
    for (std::size_t at = text.find("\r\nHistogram: (Oct.1/3["); at != std::string::npos;
         at = text.find("\r\nHistogram: (Oct.1/3[", at + 1))
        ++captions;
    EXPECT_EQ(captions, 7u);
    EXPECT_NE(text.find("Histogram: (Oct.1/3[7]: TOT_Lin):"), std::string::npos);
}

// The byte offset of record 19 in a current-family file: its type and length word, then
// the band word 1, the classes, the lowest class and the width.
std::size_t Record19(const std::vector<std::uint8_t>& file, std::uint16_t classes)
{
    const std::uint16_t head[] = {0x0513, 1, classes, 400, 10};
    for (std::size_t at = 0; at + 10 <= file.size(); at += 2) {
        std::size_t k = 0;
        while (k < 5 && file[at + 2 * k] == (head[k] & 0xFF) && file[at + 2 * k + 1] == (head[k] >> 8))
            ++k;
        if (k == 5)
            return at;
    }
    return 0;
}

TEST_F(BandStatistics, BandRecordsAnnouncingMoreThanTheFileHoldsGiveNoClasses)
{
    StatisticsChoices last = Octave(13);
    last.band = 7;
    {
        // One class more than each counts record holds: the last value's counts would
        // run past the file; the others read into the next record and stay inside it.
        std::vector<std::uint8_t> file = fixture::CurrentMeasurementFile(BandFile(3, 4, 3, {kMiddle}));
        const std::size_t at = Record19(file, 3);
        ASSERT_NE(at, 0u);
        file[at + 4] = 4;
        auto doc = OpenBytes(file);
        PlotData data;
        ASSERT_TRUE(GraphLevelSpectrum(*doc, Octave(13), 0, data));
        EXPECT_DOUBLE_EQ(data.PlotValues.Values()[6], 0.0);
        EXPECT_FALSE(GraphHistogram(*doc, last, 0, data));
        LineList lines;
        ASSERT_TRUE(TextHistogram(*doc, lines, nullptr, last));
        EXPECT_NE(JoinedLines(lines).find("number of classes = 0"), std::string::npos);
    }
    {
        // A class width of 0: no band has classes.
        std::vector<std::uint8_t> file = fixture::CurrentMeasurementFile(BandFile(3, 4, 3, {kMiddle}));
        const std::size_t at = Record19(file, 3);
        ASSERT_NE(at, 0u);
        file[at + 8] = 0;
        auto doc = OpenBytes(file);
        PlotData data;
        ASSERT_TRUE(GraphLevelSpectrum(*doc, Octave(13), 0, data));
        for (std::size_t k = 0; k < 7; ++k)
            EXPECT_DOUBLE_EQ(data.PlotValues.Values()[k], 0.0) << k;
        EXPECT_FALSE(GraphDensity(*doc, last, 0, data));
    }
}

TEST_F(BandStatistics, AllFilesOfAMultifileShowTheFilesWithBandStatistics)
{
    const std::vector<fixture::MultifileMember> members{
        {"FILE1", fixture::CurrentMeasurementFile(BandFile(3, 4, 3, {kMiddle}))},
        {"FILE2", fixture::CurrentMeasurementFile(CurrentFileSpec{})},
        {"FILE3", fixture::CurrentMeasurementFile(BandFile(3, 4, 3, {{10, 0, 0}, kEmpty}))}};
    auto doc = Open(Write("multi.orl", fixture::Multifile(55, members)));
    doc->DecodeFileHeader(2);
    StatisticsChoices choices = Octave(13);
    choices.allFiles = true;
    LineList lines;
    ASSERT_TRUE(TextLevels(*doc, lines, nullptr, choices));
    const std::string text = JoinedLines(lines);
    EXPECT_NE(text.find("\r\nStatistical levels L50 (file: FILE1): for Octaves 1/3:\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nStatistical levels L50 (file: FILE3): for Octaves 1/3:\r\n"), std::string::npos);
    EXPECT_EQ(text.find("FILE2"), std::string::npos);
    EXPECT_NE(text.find("\r\n10000.0      40.5       20000.0       0.0       TOT_Lin      40.5\r\n"), std::string::npos);
    lines = LineList{};
    std::uint8_t content = 0;
    ASSERT_TRUE(TableLevels(*doc, lines, nullptr, content, choices, {}));
    const std::string table = JoinedLines(lines);
    EXPECT_EQ(table.substr(0, 39), "Statistical_levels_L50_for_Octaves_1/3:") << table;
    EXPECT_NE(table.find("\tFILE1\t[dB]\t41.5\t41.5\t41.5\t41.5\t41.5\t41.5\t41.5\r\n"), std::string::npos) << table;
    EXPECT_NE(table.find("\tFILE3\t[dB]\t40.5\t0.0\t40.5\t0.0\t40.5\t0.0\t40.5\r\n"), std::string::npos);
    EXPECT_EQ(table.find("FILE2"), std::string::npos);
    EXPECT_EQ(doc->DecodedSubfile(), 2);
}

// A Multifile's grid table: a row per file, a new percentages row after an empty line
// where a file keeps its own percentages.
class LevelGrid : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenMultifile()
    {
        CurrentFileSpec first, second, stored;
        first.histogramLowest = second.histogramLowest = 400;
        first.histogramClasses = second.histogramClasses = 3;
        first.histogramCounts = kMiddle;
        second.histogramCounts = {10, 0, 0};
        stored.statistics = true;
        const std::vector<fixture::MultifileMember> members{{"FILE1", fixture::CurrentMeasurementFile(first)},
                                                            {"FILE2", fixture::CurrentMeasurementFile(second)},
                                                            {"FILE3", fixture::CurrentMeasurementFile(stored)}};
        return Open(Write("multi.orl", fixture::Multifile(55, members)));
    }
};

TEST_F(LevelGrid, OneGridPerProfileWithSemicolonsAndDecimalCommas)
{
    auto doc = OpenMultifile();
    doc->DecodeFileHeader(2);
    StatisticsChoices choices;
    choices.allFiles = true;
    choices.channelMask = 0b1;
    LineList lines;
    std::uint8_t content = 0;
    ASSERT_TRUE(TableLevels(*doc, lines, nullptr, content, choices, {0, 1, 2}));
    EXPECT_EQ(content, 1);
    EXPECT_EQ(JoinedLines(lines), "Statistical_levels:__Profile_1\r\n"
                                  "i;1;2;3;4;5;6;7;8;9;10\r\n"
                                  "ni[%];1;10;20;30;40;50;60;70;80;90\r\n"
                                  "FILE1;41,9;41,9;41,8;41,7;41,6;41,5;41,4;41,3;41,2;41,1\r\n"
                                  "FILE2;40,9;40,9;40,8;40,7;40,6;40,5;40,4;40,3;40,2;40,1\r\n"
                                  "\r\n"
                                  "ni[%];1;11;21;31;41;51;61;71;81;91\r\n"
                                  "FILE3;90,0;88,0;86,0;84,0;82,0;80,0;78,0;76,0;74,0;72,0\r\n"
                                  "\r\n");
    // The sub-file the user sees stays decoded; the last levels computed stay with it.
    EXPECT_EQ(doc->DecodedSubfile(), 2);
    EXPECT_EQ(doc->HistogramTotal(), 10u);
    EXPECT_DOUBLE_EQ(doc->UserLevels()[5], 40.5);
}

TEST_F(LevelGrid, EverySeparatorJoinsTheFields)
{
    auto doc = OpenMultifile();
    StatisticsChoices choices;
    choices.allFiles = true;
    choices.channelMask = 0b1;
    struct Case {
        std::uint8_t separator;
        const char* row;
    };
    const Case cases[] = {
        {0, "FILE2\t40.9\t40.9\t40.8\t40.7\t40.6\t40.5\t40.4\t40.3\t40.2\t40.1\r\n"},
        {1, "FILE2,40.9,40.9,40.8,40.7,40.6,40.5,40.4,40.3,40.2,40.1\r\n"},
        {3, "FILE2/40.9/40.9/40.8/40.7/40.6/40.5/40.4/40.3/40.2/40.1\r\n"},
        {4, "FILE2 40.9 40.9 40.8 40.7 40.6 40.5 40.4 40.3 40.2 40.1\r\n"},
        {5, "FILE2  40.9  40.9  40.8  40.7  40.6  40.5  40.4  40.3  40.2  40.1\r\n"},
        {6, "FILE2     40.9      40.9      40.8      40.7      40.6      40.5      40.4      40.3      40.2      "
            "40.1      \r\n"},
    };
    for (const Case& c : cases) {
        LineList lines;
        std::uint8_t content = 0;
        ASSERT_TRUE(TableLevels(*doc, lines, nullptr, content, choices, {0, 0, c.separator}));
        EXPECT_NE(JoinedLines(lines).find(c.row), std::string::npos)
            << int(c.separator) << "\n" << JoinedLines(lines);
    }
}

} // namespace
} // namespace orlu
