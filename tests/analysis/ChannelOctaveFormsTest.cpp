// The octave forms of ORLU 545 and 590 files: the chosen channels on the band
// axis they share (every spectrum ends at the top band, so a channel of fewer
// bands starts higher), markers moved onto each channel's own bands, channels of
// another input kind than the first left out of the cross table, the 1/1 rows
// of a microphone's third octaves, and the bars of each channel's panel.

#include "analysis/spectra/OctaveForms.h"
#include "analysis/spectra/OctaveGraphData.h"

#include "document/DocumentTestSupport.h"
#include "support/FourChannelFixture.h"
#include "support/GoldenText.h"

#include <sstream>
#include <string>
#include <vector>

namespace orlu {
namespace {

using fixture::FourChannelSpec;
using fixture::Golden;

constexpr std::uint8_t kFourChannelKind = 42;
constexpr std::uint16_t kChannels2And3 = 0b0110, kChannels1To3 = 0b0111;
// Accelerometers show dB with the fourth unit choice, microphones with the first.
constexpr std::uint8_t kAccelerometerDb = 3;

// An ORLU 545 of 1/3 octaves: channel #1 a microphone of 31 bands (20 Hz on) at 80 dB,
// #2 an accelerometer of 31 bands at 70 dB, #3 one of 30 bands (25 Hz on) at 60 dB,
// each with three trailing values at its level.
FourChannelSpec ThirdOctaveChannels()
{
    FourChannelSpec spec = fixture::MakeFourChannelSpec(545, 217, 3, 1);
    spec.function = 3;
    spec.spectrumMask = 0b0111;
    spec.channelSpectra = {{0, {31, 3, 800}}, {1, {31, 3, 700}}, {2, {30, 3, 600}}};
    return spec;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

class ChannelOctaveForms : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenSpec(const FourChannelSpec& spec)
    {
        const std::vector<std::uint8_t> file = fixture::FourChannelMeasurementFile(spec);
        fixture::FixtureBuilder f;
        f.ContainerHeader(kFourChannelKind, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
        return Open(Write("four.orl", f));
    }
    static OctaveChoices Chosen(std::uint16_t mask, std::uint8_t units)
    {
        OctaveChoices choices;
        choices.request.channelMask = mask;
        choices.units = units;
        return choices;
    }
    // The 1/3-octave table with a row per band and no separator, cells as written.
    static std::vector<std::string> Table(CTmDoc& doc, const OctaveChoices& choices)
    {
        LineList lines;
        int widest = 0;
        std::uint8_t content = 0;
        EXPECT_TRUE(TableOctave13(doc, lines, &widest, content, choices,
                                  TableOutputOptions{.FormatFlag = 1, .DecimalIndex = 0, .SeparatorIndex = 6}));
        return Lines(lines.Join());
    }
};

TEST_F(ChannelOctaveForms, CrossTableLinesChannelsUpOnTheTopBand)
{
    auto doc = OpenSpec(ThirdOctaveChannels());
    doc->SelectChannelProfile(0, 0);
    const std::vector<std::string> t = Table(*doc, Chosen(kChannels2And3, kAccelerometerDb));
    ASSERT_EQ(t.size(), 36u); // caption, 3 heading rows, 31 bands and one named total
    EXPECT_EQ(t[0], "OCTAVE_1/3__(HP,_RMS)");
    EXPECT_EQ(t[1], "___       chan->    #2        #3        ");
    EXPECT_EQ(t[2], "no_       f\\inp->   Acc.      Acc.      ");
    EXPECT_EQ(t[3], "[]        [Hz]      [dB]      [dB]      ");
    // Channel #3 starts one band higher: its first cell is empty.
    EXPECT_EQ(t[4], "1         20.0      70.0      ----      ");
    EXPECT_EQ(t[5], "2         25.0      70.0      60.0      ");
    EXPECT_EQ(t[34], "31        20000.0   70.0      60.0      ");
    // An accelerometer shows the first of its trailing values only.
    EXPECT_EQ(t[35], "32        TOTAL     70.0      60.0      ");
    EXPECT_EQ(doc->Channel().channel, 0) << "the view's channel is put back";
}

TEST_F(ChannelOctaveForms, ChannelOfAnotherInputKindThanTheFirstIsLeftOut)
{
    auto doc = OpenSpec(ThirdOctaveChannels());
    const std::vector<std::string> t = Table(*doc, Chosen(kChannels1To3, 0));
    ASSERT_GE(t.size(), 4u);
    EXPECT_EQ(t[1], "___       chan->    #1        ");
    EXPECT_EQ(t[2], "no_       f\\inp->   Mic.      ");
    EXPECT_EQ(t[4], "1         20.0      80.0      ");
    EXPECT_EQ(t.back(), "34        TOT_Lin   80.0      ");
}

TEST_F(ChannelOctaveForms, MarkedBlockOfTheSharedAxisEndsWithEachChannelsTotal)
{
    auto doc = OpenSpec(ThirdOctaveChannels());
    OctaveChoices choices = Chosen(kChannels2And3, kAccelerometerDb);
    choices.block = true;
    choices.markers = {5, 9};
    const std::vector<std::string> t = Table(*doc, choices);
    ASSERT_EQ(t.size(), 10u);
    EXPECT_EQ(t[0], "Blocks_of_OCTAVE_1/3__(HP,_RMS)");
    EXPECT_EQ(t[4], "1         63.0      70.0      60.0      ");
    EXPECT_EQ(t[8], "5         160.0     70.0      60.0      ");
    // Five bands of 70 dB and five of 60 dB (#3's bands 4 to 8).
    EXPECT_EQ(t[9], "6         Blk_RMS   77.0      67.0      ");
}

TEST_F(ChannelOctaveForms, TextMovesTheMarkersOntoEachChannelsBands)
{
    auto doc = OpenSpec(ThirdOctaveChannels());
    OctaveChoices choices = Chosen(kChannels2And3, kAccelerometerDb);
    choices.block = true;
    choices.markers = {1, 2};
    LineList lines;
    int widest = 0;
    ASSERT_TRUE(TextOctave13(*doc, lines, &widest, choices));
    const std::string text = lines.Join();
    // #2 shows 25 and 31.5 Hz, #3 (one band later) the same two bands, its first and second.
    EXPECT_NE(text.find("Block of the OCTAVE 1/3  (HP, RMS)  Channel #2\r\nBlock RMS = 73.0 dB"), std::string::npos)
        << text;
    EXPECT_NE(text.find("Block of the OCTAVE 1/3  (HP, RMS)  Channel #3\r\nBlock RMS = 63.0 dB"), std::string::npos)
        << text;
    EXPECT_NE(text.find("\r\n   25.0      60.0          31.5      60.0\r\n"), std::string::npos) << text;

    // A block wholly below #3's first band skips #3.
    choices.markers = {0, 0};
    ASSERT_TRUE(TextOctave13(*doc, lines, &widest, choices));
    const std::string below = lines.Join();
    EXPECT_NE(below.find("Channel #2"), std::string::npos) << below;
    EXPECT_EQ(below.find("Channel #3"), std::string::npos) << below;
}

TEST_F(ChannelOctaveForms, MicrophoneThirdOctavesAsOctavesFrom31HzTo16kHz)
{
    auto doc = OpenSpec(ThirdOctaveChannels());
    LineList lines;
    int widest = 0;
    ASSERT_TRUE(TextOctave11(*doc, lines, &widest, Chosen(0b0001, 0)));
    EXPECT_EQ(lines.Join(), Golden("octave11-four-channel-microphone-31.txt"));
}

TEST_F(ChannelOctaveForms, MinAndMaxSpectraFollowTheChannelsRecord)
{
    FourChannelSpec spec = ThirdOctaveChannels();
    spec.channelMinMax = true;
    auto doc = OpenSpec(spec);
    OctaveChoices choices = Chosen(kChannels2And3, kAccelerometerDb);
    choices.request.record = 2;
    LineList lines;
    int widest = 0;
    ASSERT_TRUE(TextOctave13(*doc, lines, &widest, choices));
    const std::string text = lines.Join();
    EXPECT_NE(text.find("\r\nOCTAVE 1/3  (HP, MIN)  Channel #3\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n   25.0      50.0   "), std::string::npos) << text;

    // Every spectrum of the lowest chosen channel: RMS, MIN and MAX.
    choices.request.allRecords = true;
    LineList table;
    std::uint8_t content = 0;
    ASSERT_TRUE(TableOctave13(*doc, table, &widest, content, choices,
                              TableOutputOptions{.FormatFlag = 0, .DecimalIndex = 0, .SeparatorIndex = 1}));
    const std::string all = table.Join();
    EXPECT_NE(all.find("\r\nRMS,[dB],70.0,"), std::string::npos) << all;
    EXPECT_NE(all.find("\r\nMIN,[dB],60.0,"), std::string::npos) << all;
    EXPECT_NE(all.find("\r\nMAX,[dB],80.0,"), std::string::npos) << all;
}

// Linear levels worked out by hand from the stored words: the microphone's 60.0 dB is
// 10^(60/20 - 6) x 20 = 0.02 Pa; the accelerometer's -20.0 dB are over the 120 dB
// reference of record 4, 10^((-20 + 120)/20 - 6) = 0.1 m/s2, which at 1 kHz is a
// velocity of 0.1 / (2 pi 1000) = 1.59e-05 m/s.
TEST_F(ChannelOctaveForms, LinearLevelsOfAMicrophoneAndOfAnAccelerometerOverItsReference)
{
    FourChannelSpec spec = fixture::MakeFourChannelSpec(545, 217, 2, 1);
    spec.function = 3;
    spec.spectrumMask = 0b0011;
    spec.channelSpectra = {{0, {31, 3, 600}}, {1, {31, 3, -200}}};
    auto doc = OpenSpec(spec);
    const struct {
        std::uint16_t mask;
        std::uint8_t units;
        const char* heading;
        const char* row;
    } cases[] = {
        {0b01, 1, "Lev[Pa]", " 1000.0  2.00e-02"},
        {0b10, 0, "Lev[m/s\xb2]", " 1000.0  1.00e-01"},
        {0b10, 1, "Lev[m/s]", " 1000.0  1.59e-05"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.heading);
        LineList lines;
        int widest = 0;
        ASSERT_TRUE(TextOctave13(*doc, lines, &widest, Chosen(c.mask, c.units)));
        const std::string text = lines.Join();
        EXPECT_NE(text.find(c.heading), std::string::npos) << text;
        EXPECT_NE(text.find(c.row), std::string::npos) << text;
    }
}

TEST_F(ChannelOctaveForms, NoChosenChannelShowsNoSpectrum)
{
    auto doc = OpenSpec(ThirdOctaveChannels());
    LineList lines;
    int widest = 0;
    EXPECT_FALSE(TextOctave13(*doc, lines, &widest, Chosen(0, 0)));
    EXPECT_EQ(lines.Size(), 0u);
}

TEST_F(ChannelOctaveForms, EachPanelDrawsItsChannelAndABlockBelowItsBandsHasNoTotal)
{
    auto doc = OpenSpec(ThirdOctaveChannels());
    OctaveChoices choices = Chosen(kChannels2And3, kAccelerometerDb);
    choices.block = true;
    choices.markers = {0, 0};
    doc->SelectChannelProfile(0, 0);
    PlotData data;
    ASSERT_TRUE(GraphDataOctave13(*doc, data, 1, choices, false));
    ASSERT_TRUE(GraphDataOctave13(*doc, data, 2, choices, false));
    EXPECT_FALSE(GraphDataOctave13(*doc, data, 3, choices, false)) << "the file has three channels";
    EXPECT_DOUBLE_EQ(data.SpectrumBlockValues[1], 70.0);
    EXPECT_EQ(data.SpectrumBlockValues[2], kMissingValue);
    const std::span<const double> values = data.PlotValues.Values();
    ASSERT_GE(values.size(), 3 * kOctavePanelValues);
    EXPECT_DOUBLE_EQ(values[kOctavePanelValues], 70.0);
    EXPECT_DOUBLE_EQ(values[2 * kOctavePanelValues], 60.0);
    EXPECT_EQ(data.PanelTitles[2], "OCTAVE 1/3  (HP, RMS)  Channel #3");
    EXPECT_EQ(doc->Channel().channel, 0) << "the view's channel is put back";
    // The panels line up on 20 Hz, the lowest first band of the chosen channels.
    ASSERT_FALSE(data.FrequencyValues.empty());
    EXPECT_DOUBLE_EQ(data.FrequencyValues.front(), 20.0);
}

} // namespace
} // namespace orlu
