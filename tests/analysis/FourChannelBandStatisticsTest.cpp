// Band statistics of four-channel files: each channel keeps its own band
// histograms, so the level spectrum is one per channel, and the table puts
// the channels side by side on the bands of the channel that starts lowest.

#include "analysis/statistics/HistogramForms.h"
#include "analysis/statistics/LevelForms.h"
#include "analysis/statistics/LevelSpectrum.h"
#include "document/DocumentTestSupport.h"
#include "document/MissingValue.h"
#include "support/FourChannelFixture.h"
#include "support/JoinedLines.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

using fixture::FixtureBuilder;
using fixture::FourChannelSpec;
using test::JoinedLines;

const std::vector<std::uint32_t> kL50At415{0, 10, 0}, kL50At405{10, 0, 0}, kL50At425{0, 0, 10};

// An ORLU 545 of 1/1 octaves: channel #1 a microphone of three bands (4 to 16 kHz) and no
// total, #2 an accelerometer of five bands (1 to 16 kHz) and one total; 1 dB classes
// from 40 dB, L50 41.5, 40.5, 42.5 dB on #1 and 42.5 dB everywhere on #2.
FourChannelSpec TwoChannelBands()
{
    FourChannelSpec spec = fixture::MakeFourChannelSpec(545, 217, 2, 1);
    spec.function = 2;
    spec.spectrumMask = 0b11;
    spec.channelSpectra = {{0, {3, 0, 800}}, {1, {5, 1, 700}}};
    spec.bandHistograms = {{0, {400, 10, {kL50At415, kL50At405, kL50At425}}},
                           {1, {400, 10, std::vector<std::vector<std::uint32_t>>(6, kL50At425)}}};
    return spec;
}

StatisticsChoices Octave11(std::uint16_t mask)
{
    StatisticsChoices choices;
    choices.octave = 11;
    choices.level = 6; // L50 among the default percentages
    choices.channelMask = mask;
    return choices;
}

class FourChannelBandStatistics : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenSpec(const FourChannelSpec& spec)
    {
        const std::vector<std::uint8_t> file = fixture::FourChannelMeasurementFile(spec);
        FixtureBuilder f;
        f.ContainerHeader(42, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
        return Open(Write("bands.orl", f));
    }
};

TEST_F(FourChannelBandStatistics, LevelSpectrumTextHasAGridPerChannel)
{
    auto doc = OpenSpec(TwoChannelBands());
    LineList lines;
    ASSERT_TRUE(TextLevels(*doc, lines, nullptr, Octave11(0b01)));
    const std::string rule(68, '-');
    EXPECT_EQ(JoinedLines(lines), "\r\n"
                                  "Statistical levels L50 for Octaves 1/1: Channel #1:\r\n" +
                                      rule + "\r\n" +
                                      "   f[Hz]   Lev[dB]         f[Hz]   Lev[dB]         f[Hz]   Lev[dB]  \r\n" +
                                      rule + "\r\n" +
                                      " 4000.0      41.5        8000.0      40.5       16000.0      42.5\r\n" +
                                      rule + "\r\n");
}

TEST_F(FourChannelBandStatistics, LevelSpectrumTableMarksPositionsOutsideAChannelsBandsMissing)
{
    auto doc = OpenSpec(TwoChannelBands());
    LineList lines;
    std::uint8_t content = 0;
    ASSERT_TRUE(TableLevels(*doc, lines, nullptr, content, Octave11(0b11), {0, 1, 2}));
    // #2 starts lowest and gives the rows; #1 starts two octaves higher and has no total.
    EXPECT_EQ(JoinedLines(lines), "Statistical_levels_L50_for_Octaves_1/1:\r\n"
                                  "___;no_->;[];1;2;3;4;5;6\r\n"
                                  "chan;inp\\f->;[Hz];1000,0;2000,0;4000,0;8000,0;16000,0;TOTAL\r\n"
                                  "#1;Mic.;[dB];----;----;41,5;40,5;42,5;----\r\n"
                                  "#2;Acc.;[dB];42,5;42,5;42,5;42,5;42,5;42,5\r\n");
}

TEST_F(FourChannelBandStatistics, LevelSpectrumGraphHasAPanelPerChannel)
{
    auto doc = OpenSpec(TwoChannelBands());
    PlotData data;
    ASSERT_TRUE(GraphLevelSpectrum(*doc, Octave11(0b11), 0, data));
    const std::vector<double> values(data.PlotValues.Values().begin(), data.PlotValues.Values().begin() + 6);
    EXPECT_EQ(values, (std::vector<double>{41.5, 40.5, 42.5, 42.5, 42.5, kMissingValue}));
    ASSERT_TRUE(GraphLevelSpectrum(*doc, Octave11(0b11), 1, data));
    EXPECT_EQ(data.PlotValues.Values()[52 + 7], 42.5); // the last level twice more
    EXPECT_FALSE(GraphLevelSpectrum(*doc, Octave11(0b11), 2, data));
}

TEST_F(FourChannelBandStatistics, BandHistogramTextNamesTheChannelBeforeTheBand)
{
    auto doc = OpenSpec(TwoChannelBands());
    StatisticsChoices choices = Octave11(0b10);
    choices.band = 6;
    LineList lines;
    ASSERT_TRUE(TextHistogram(*doc, lines, nullptr, choices));
    const std::string text = JoinedLines(lines);
    EXPECT_NE(text.find("Histogram: Channel #2  -  (Oct.1/1[6]: TOTAL):\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("   40.0    0.00        41.0    0.00        42.0  100.00     \r\n"), std::string::npos)
        << text;
}

} // namespace
} // namespace orlu
