// The band statistics of ANALYZER-mode octave files: which band or total each
// histogram of the block is, the text blocks written from their layout, the
// levels grid, the tables, the graph of the band (and sub-file) shown, and
// blocks that claim more counts than the file holds.

#include "analysis/statistics/BandStatistics505.h"
#include "document/DocumentTestSupport.h"
#include "support/Analyzer505Fixture.h"
#include "support/JoinedLines.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

namespace orlu {
namespace {

using fixture::Analyzer505Spec;
using test::JoinedLines;

const std::string kRule(77, '-');
const std::string kHeader = "  cl[dB]    P[%]      cl[dB]    P[%]      cl[dB]    P[%]      cl[dB]    P[%] ";

// Words of the setup header of a single-channel octave file (the block follows the values).
constexpr std::size_t kOctaveHeaderWords = 17;

// Ten 1/1-octave bands (31.5 Hz to 16 kHz) and three totals, 1 dB classes from 40 dB:
// histogram 10 (the first total) holds 2, 6, 2; histogram 1 is empty; the others hold
// b + 1 results in their middle class.
Analyzer505Spec TenBandsThreeTotals()
{
    Analyzer505Spec s;
    s.function = 3;
    s.bands = 10;
    s.values = 13;
    s.histogram = true;
    s.histogramClasses = 3;
    s.histogramLowest = 400;
    s.histogramWidth = 10;
    s.histogramCount32 = [](std::uint32_t b, std::uint32_t k) -> std::uint32_t {
        if (b == 10)
            return k == 1 ? 6 : 2;
        if (b == 1)
            return 0;
        return k == 1 ? b + 1 : 0;
    };
    return s;
}

class BandStatistics505Forms : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenSpec(const Analyzer505Spec& spec)
    {
        return Open(Write("a.orl", fixture::Analyzer505Container(spec)));
    }
    static StatisticsChoices Band(int band, bool all = false)
    {
        StatisticsChoices c;
        c.band = band;
        c.allFiles = all;
        return c;
    }
    static std::string Text(CTmDoc& doc, const StatisticsChoices& choices, bool levels = false)
    {
        LineList lines;
        int widest = 0;
        EXPECT_TRUE(levels ? TextBandLevels505(doc, lines, &widest, choices)
                           : TextBandHistograms505(doc, lines, &widest, choices));
        return JoinedLines(lines);
    }
    static std::string Table(CTmDoc& doc, const StatisticsChoices& choices, bool levels = false)
    {
        LineList lines;
        std::uint8_t content = 0;
        const TableOutputOptions options{0, 1, 2}; // ';' and a decimal comma
        EXPECT_TRUE(levels ? TableBandLevels505(doc, lines, nullptr, content, choices, options)
                           : TableBandHistograms505(doc, lines, nullptr, content, choices, options));
        EXPECT_EQ(content, 2);
        return JoinedLines(lines);
    }
};

TEST_F(BandStatistics505Forms, TheFirstTotalNamesHistogramElevenAsAWholeTextBlock)
{
    auto doc = OpenSpec(TenBandsThreeTotals());
    EXPECT_EQ(Text(*doc, Band(11)), "\r\n"
                                    "Histogram (Oct.1/1[11]: TOTAL):\r\n"
                                    "   number of classes = 3\r\n"
                                    "   class width = 1.0 dB\r\n"
                                    "   total number of results = 10\r\n" +
                                        kRule + "\r\n" + kHeader + "\r\n" + kRule +
                                        "\r\n"
                                        "   40.0   20.00        41.0   60.00        42.0   20.00     \r\n" +
                                        kRule + "\r\n");
}

TEST_F(BandStatistics505Forms, EveryHistogramIsABandByItsCentreOrATotal)
{
    auto doc = OpenSpec(TenBandsThreeTotals());
    const std::string all = Text(*doc, Band(1, true));
    std::size_t at = 0;
    int blocks = 0;
    while ((at = all.find("Histogram (Oct.1/1[", at)) != std::string::npos) {
        ++blocks;
        ++at;
    }
    EXPECT_EQ(blocks, 13);
    // The 1/1-octave centres from 31.5 Hz, then the totals.
    for (const char* caption :
         {"Histogram (Oct.1/1[1]: 31.5 Hz):", "Histogram (Oct.1/1[2]: 63 Hz):", "Histogram (Oct.1/1[4]: 250 Hz):",
          "Histogram (Oct.1/1[10]: 16000 Hz):", "Histogram (Oct.1/1[11]: TOTAL):"})
        EXPECT_NE(all.find(std::string("\r\n") + caption + "\r\n"), std::string::npos) << caption;
    EXPECT_EQ(all.find("Oct.1/1[11]: 32000 Hz"), std::string::npos);
}

TEST_F(BandStatistics505Forms, ThirdOctaveBandsCountFromTheFirstCentre)
{
    Analyzer505Spec s;
    s.function = 4;
    s.bands = 30; // 25 Hz to 20 kHz
    s.values = 31;
    s.histogram = true;
    auto doc = OpenSpec(s);
    EXPECT_NE(Text(*doc, Band(1)).find("Histogram (Oct.1/3[1]: 25 Hz):"), std::string::npos);
    EXPECT_NE(Text(*doc, Band(30)).find("Histogram (Oct.1/3[30]: 20000 Hz):"), std::string::npos);
    EXPECT_NE(Table(*doc, Band(3)).find("Histogram_(Oct_1/3[3]:_40_Hz):\r\n"), std::string::npos);
}

TEST_F(BandStatistics505Forms, AnEmptyBandCountsOneResultAndLevelsOfZero)
{
    auto doc = OpenSpec(TenBandsThreeTotals());
    const std::string text = Text(*doc, Band(2));
    EXPECT_NE(text.find("   total number of results = 1\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("   40.0    0.00        41.0    0.00        42.0    0.00     \r\n"), std::string::npos);
    EXPECT_NE(
        Text(*doc, Band(2), true).find("Lni[dB]    0.0   0.0   0.0   0.0   0.0   0.0   0.0   0.0   0.0   0.0\r\n"),
        std::string::npos);
}

TEST_F(BandStatistics505Forms, LevelsOfAHistogramInOneClassSpreadAcrossIt)
{
    // Histogram 3 holds 3 results, all in the class from 41 dB.
    auto doc = OpenSpec(TenBandsThreeTotals());
    EXPECT_EQ(Text(*doc, Band(3), true), "\r\n"
                                         "Statistical levels for Histogram (Oct.1/1[3]: 125 Hz):\r\n"
                                         "\r\n"
                                         "  i          1     2     3     4     5     6     7     8     9    10 \r\n"
                                         "        -------------------------------------------------------------\r\n"
                                         " ni[%]       1    10    20    30    40    50    60    70    80    90\r\n"
                                         "Lni[dB]   41.9  41.9  41.8  41.7  41.6  41.5  41.4  41.3  41.2  41.1\r\n"
                                         "        -------------------------------------------------------------\r\n");
    EXPECT_EQ(Table(*doc, Band(3), true), "Statistical_levels_for_Histogram_(Oct_1/1[3]:_125_Hz):\r\n"
                                          "n[%];Ln[dB];n[%];Ln[dB];n[%];Ln[dB];n[%];Ln[dB]\r\n"
                                          "1;41,9;30;41,7;60;41,4;90;41,1\r\n"
                                          "10;41,9;40;41,6;70;41,3\r\n"
                                          "20;41,8;50;41,5;80;41,2\r\n");
}

TEST_F(BandStatistics505Forms, AMarkedBlockInTextTableAndGraphAgrees)
{
    Analyzer505Spec s = TenBandsThreeTotals();
    s.histogramClasses = 10;
    s.histogramCount32 = [](std::uint32_t, std::uint32_t k) -> std::uint32_t {
        constexpr std::uint32_t counts[] = {1, 1, 1, 1, 1, 2, 3, 5, 1, 4}; // 20 results
        return counts[k];
    };
    auto doc = OpenSpec(s);
    StatisticsChoices choices = Band(4);
    choices.markers = {2, {5, 7}};
    const std::string text = Text(*doc, choices);
    EXPECT_NE(text.find("Block of the Histogram (Oct.1/1[4]: 250 Hz):\r\n"
                        "   number of classes = 3\r\n"
                        "   class width = 1.0 dB\r\n"
                        "   number of results in the block = 10\r\n"
                        "   probability of the block = 50.00%\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("   45.0   10.00        46.0   15.00        47.0   25.00     \r\n"), std::string::npos);
    EXPECT_EQ(Table(*doc, choices), "Block_of_the_Histogram_(Oct_1/1[4]:_250_Hz):\r\n"
                                    "cl[dB];N[%];cl[dB];N[%];cl[dB];N[%];cl[dB];N[%]\r\n"
                                    "45,0;10,00;46,0;15,00;47,0;25,00\r\n");
    PlotData data;
    ASSERT_TRUE(GraphBandHistogram505(*doc, choices, 0, data));
    EXPECT_DOUBLE_EQ(data.BlockProbability[0], 50.0);
    EXPECT_DOUBLE_EQ(data.HistogramPeak[0], 25.0);
    EXPECT_EQ(data.GraphTitle, "(Oct.1/1: 250 Hz)");
    const std::vector<double> values(data.PlotValues.Values().begin(), data.PlotValues.Values().begin() + 10);
    EXPECT_EQ(values, (std::vector<double>{0.2, 0.2, 0.2, 0.2, 0.2, 0.4, 0.6, 1.0, 0.2, 0.8}));
}

TEST_F(BandStatistics505Forms, LevelFormsLeaveTheirTotalAndLevelsInTheDocument)
{
    auto doc = OpenSpec(TenBandsThreeTotals());
    // Histogram 11 holds 2, 6, 2 from 40 dB: L1 to L20 read off its top class, L50 its middle.
    const std::array<double, 10> levels{42.9, 42.5, 42.0, 41.8, 41.6, 41.5, 41.3, 41.1, 41.0, 40.5};
    LineList lines;
    ASSERT_TRUE(TextBandLevels505(*doc, lines, nullptr, Band(11)));
    EXPECT_EQ(doc->HistogramTotal(), 10u);
    EXPECT_EQ(doc->UserLevels(), levels);
    // The empty histogram 2: the text counts it as one result, the table as none.
    ASSERT_TRUE(TextBandLevels505(*doc, lines, nullptr, Band(2)));
    EXPECT_EQ(doc->HistogramTotal(), 1u);
    const std::array<double, 10> none{};
    EXPECT_EQ(doc->UserLevels(), none);
    doc->SetHistogramTotal(7);
    Table(*doc, Band(2), true);
    EXPECT_EQ(doc->HistogramTotal(), 0u);
    Table(*doc, Band(11), true);
    EXPECT_EQ(doc->HistogramTotal(), 10u);
    EXPECT_EQ(doc->UserLevels(), levels);
    PlotData data;
    ASSERT_TRUE(GraphBandHistogram505(*doc, Band(2), 0, data));
    EXPECT_EQ(doc->HistogramTotal(), 1u);
}

TEST_F(BandStatistics505Forms, DensityOfEachClassIsTheShareAtOrAboveIt)
{
    auto doc = OpenSpec(TenBandsThreeTotals());
    const std::string densityHeader =
        "  cl[dB]    D[%]      cl[dB]    D[%]      cl[dB]    D[%]      cl[dB]    D[%] ";
    // Histogram 11 holds 2, 6, 2; histogram 2 nothing, whose densities are all 0.
    StatisticsChoices choices = Band(11);
    for (const auto& [band, caption, row] :
         {std::tuple{11, "Statistical density for Histogram (Oct.1/1[11]: TOTAL):",
                     "   40.0  100.00        41.0   80.00        42.0   20.00     "},
          std::tuple{2, "Statistical density for Histogram (Oct.1/1[2]: 63 Hz):",
                     "   40.0    0.00        41.0    0.00        42.0    0.00     "}}) {
        choices.band = band;
        LineList lines;
        ASSERT_TRUE(TextBandDensities505(*doc, lines, nullptr, choices));
        EXPECT_EQ(JoinedLines(lines), "\r\n" + std::string(caption) + "\r\n" + kRule + "\r\n" + densityHeader +
                                          "\r\n" + kRule + "\r\n" + row + "\r\n" + kRule + "\r\n");
    }
    PlotData data;
    choices.band = 11;
    ASSERT_TRUE(GraphBandDensity505(*doc, choices, 0, data));
    EXPECT_EQ(data.DensityClassValues, (std::vector<double>{40, 41, 42}));
    const std::vector<double> values(data.PlotValues.Values().begin(), data.PlotValues.Values().begin() + 3);
    EXPECT_EQ(values, (std::vector<double>{1.0, 0.8, 0.2}));
    EXPECT_DOUBLE_EQ(data.HistogramPeak[0], 100.0);
    EXPECT_EQ(data.GraphTitle, "(Oct.1/1: TOTAL)");
    EXPECT_FALSE(GraphBandDensity505(*doc, choices, 1, data));
}

TEST_F(BandStatistics505Forms, ADensityBlockIsTheDifferenceOfItsEnds)
{
    Analyzer505Spec s = TenBandsThreeTotals();
    s.histogramClasses = 10;
    s.histogramCount32 = [](std::uint32_t, std::uint32_t k) -> std::uint32_t {
        constexpr std::uint32_t counts[] = {1, 1, 1, 1, 1, 2, 3, 5, 1, 4}; // 20 results
        return counts[k];
    };
    auto doc = OpenSpec(s);
    StatisticsChoices choices = Band(4);
    choices.markers = {2, {2, 5}};
    // D[2] = 90 and D[5] = 75 per cent.
    LineList lines;
    ASSERT_TRUE(TextBandDensities505(*doc, lines, nullptr, choices));
    const std::string text = JoinedLines(lines);
    EXPECT_NE(text.find("Block of the Statistical density for Histogram (Oct.1/1[4]: 250 Hz):\r\n"
                        "   probability of the block = 15.00%\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\r\n   42.0   90.00        43.0   85.00        44.0   80.00        45.0   75.00\r\n"),
              std::string::npos)
        << text;
    std::uint8_t content = 0;
    ClearLineList(&lines);
    ASSERT_TRUE(TableBandDensities505(*doc, lines, nullptr, content, choices, {0, 1, 2}));
    EXPECT_EQ(JoinedLines(lines), "Block_of_the_Statistical_density_for_Histogram_(Oct_1/1[4]:_250_Hz):\r\n"
                                  "cl[dB];D[%];cl[dB];D[%];cl[dB];D[%];cl[dB];D[%]\r\n"
                                  "42,0;90,00;43,0;85,00;44,0;80,00;45,0;75,00\r\n");
    PlotData data;
    ASSERT_TRUE(GraphBandDensity505(*doc, choices, 0, data));
    EXPECT_DOUBLE_EQ(data.BlockProbability[0], 15.0);
}

TEST_F(BandStatistics505Forms, TheGraphOfAnEmptyBandPeaksAtNineTenthsAndATotalIsTitledByName)
{
    auto doc = OpenSpec(TenBandsThreeTotals());
    PlotData empty;
    ASSERT_TRUE(GraphBandHistogram505(*doc, Band(2), 0, empty));
    EXPECT_DOUBLE_EQ(empty.HistogramPeak[0], 0.9);
    EXPECT_EQ(empty.GraphTitle, "(Oct.1/1: 63 Hz)");
    PlotData total;
    ASSERT_TRUE(GraphBandHistogram505(*doc, Band(11), 0, total));
    EXPECT_DOUBLE_EQ(total.HistogramPeak[0], 60.0);
    EXPECT_EQ(total.HistogramClassValues, (std::vector<double>{40.0, 41.0, 42.0}));
    EXPECT_EQ(total.GraphTitle, "(Oct.1/1: TOTAL)");
}

TEST_F(BandStatistics505Forms, ALevelSpectrumOfFifteenHistogramsIsSeventeenBars)
{
    // Twelve bands and three totals; histogram 1 is empty, histogram b (from 0) otherwise
    // holds its results in class b % 3.
    Analyzer505Spec s = TenBandsThreeTotals();
    s.bands = 12;
    s.values = 15;
    s.histogramCount32 = [](std::uint32_t b, std::uint32_t k) -> std::uint32_t {
        return b != 1 && k == b % 3 ? 10 : 0;
    };
    auto doc = OpenSpec(s);
    PlotData data;
    ASSERT_TRUE(GraphBandLevels505(*doc, Band(1), 50, 0, data));
    const std::span<const double> v = data.PlotValues.Values();
    ASSERT_GE(v.size(), 18u);
    // L50 lies in the middle of the class holding the results; the empty band gives 0.
    const std::vector<double> bars(v.begin(), v.begin() + 17);
    EXPECT_EQ(bars, (std::vector<double>{40.5, 0.0, 42.5, 40.5, 41.5, 42.5, 40.5, 41.5, 42.5, 40.5, 41.5, 42.5, 40.5,
                                         41.5, 42.5, 42.5, 42.5}));
    EXPECT_EQ(v[17], -999.9);
    EXPECT_EQ(data.FrequencyValues.size(), 12u);
    EXPECT_EQ(data.PanelTitles[0], "L50");
    // No level without a percentage, and one panel only.
    EXPECT_FALSE(GraphBandLevels505(*doc, Band(1), 0, 0, data));
    EXPECT_FALSE(GraphBandLevels505(*doc, Band(1), 50, 1, data));
}

TEST_F(BandStatistics505Forms, CrossTablesOverEveryBand)
{
    auto doc = OpenSpec(TenBandsThreeTotals());
    const std::string histograms = Table(*doc, Band(1, true));
    EXPECT_NE(histograms.find("TOTAL"), std::string::npos) << histograms;
    EXPECT_NE(histograms.find("31,5"), std::string::npos) << histograms;
    const std::string levels = Table(*doc, Band(1, true), true);
    EXPECT_NE(levels.find("Statistical_levels_for_Histograms:"), std::string::npos) << levels;
    // Histogram 3's L50 (41.5 dB) and the first total's L50 (41.0 + 0.5 = 41.5 dB too).
    EXPECT_NE(levels.find("41,5"), std::string::npos) << levels;
}

TEST_F(BandStatistics505Forms, AMultifileShowsTheBlockOfTheSubfileShownAndKeepsTheView)
{
    Analyzer505Spec first = TenBandsThreeTotals();
    Analyzer505Spec second = TenBandsThreeTotals();
    second.histogramCount32 = [](std::uint32_t, std::uint32_t k) -> std::uint32_t { return k == 2 ? 4 : 0; };
    const Analyzer505Spec specs[] = {first, second};
    auto doc = Open(Write("m.orl", fixture::Analyzer505Multifile(specs)));
    ASSERT_EQ(doc->SubfileCount(), 2);
    const std::uint16_t shownBefore = doc->AnalyzerSubfile();

    StatisticsChoices choices = Band(11);
    choices.subfile = 2;
    const std::string text = Text(*doc, choices);
    EXPECT_EQ(text.rfind("Histograms in the file: A0000002\r\n\r\n", 0), 0u) << text;
    // Every histogram of the sub-file, each all in its top class.
    EXPECT_NE(text.find("Histogram (Oct.1/1[1]: 31.5 Hz):"), std::string::npos);
    EXPECT_NE(text.find("Histogram (Oct.1/1[13]: "), std::string::npos);
    EXPECT_NE(text.find("   40.0    0.00        41.0    0.00        42.0  100.00     \r\n"), std::string::npos);

    // The graph reads the block of sub-file 2 too, not the first file's.
    PlotData data;
    ASSERT_TRUE(GraphBandHistogram505(*doc, choices, 0, data));
    const std::vector<double> values(data.PlotValues.Values().begin(), data.PlotValues.Values().begin() + 3);
    EXPECT_EQ(values, (std::vector<double>{0.0, 0.0, 1.0}));
    EXPECT_EQ(doc->AnalyzerSubfile(), shownBefore);
    EXPECT_TRUE(doc->AnalyzerDecoded());
}

TEST_F(BandStatistics505Forms, ABlockShorterThanItsCountsGivesNoHistograms)
{
    // The block claims 40 histograms where the file holds 13.
    const Analyzer505Spec s = TenBandsThreeTotals();
    auto doc = Open(Write("cut.orl", fixture::Analyzer505Patched(s, kOctaveHeaderWords + s.values + 1, 40)));
    ASSERT_TRUE(doc->AnalyzerDecoded());
    EXPECT_TRUE(ReadBandStatistics505(*doc).histograms.empty());
    LineList lines;
    std::uint8_t content = 0;
    PlotData data;
    EXPECT_FALSE(TextBandHistograms505(*doc, lines, nullptr, Band(1, true)));
    EXPECT_FALSE(TextBandLevels505(*doc, lines, nullptr, Band(1)));
    EXPECT_FALSE(TableBandHistograms505(*doc, lines, nullptr, content, Band(1), {}));
    EXPECT_FALSE(GraphBandHistogram505(*doc, Band(1), 0, data));
    EXPECT_TRUE(lines.Empty());
}

} // namespace
} // namespace orlu
