// Statistics cross tables of generated files: the elements found in the
// document (profiles of a current-family file, the members of a Multifile,
// the channels of a four-channel and of an ORLU 505 file), laid out by the
// writers with ';' and a decimal comma; the levels a file stores; and counts
// that a damaged record would place past the file.

#include "document/DocumentTestSupport.h"
#include "reports/table/MultiSpectrumMatrix.h"
#include "reports/table/StatisticsElements.h"
#include "support/FourChannelFixture.h"
#include "support/JoinedLines.h"
#include "support/LegacyFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace orlu {
namespace {

using fixture::CurrentFileSpec;
using fixture::FixtureBuilder;
using test::JoinedLines;

constexpr TableOutputOptions kRowPerElement{0, 1, 2}; // ';' and ','
constexpr TableOutputOptions kRowPerClass{1, 1, 2};

// The channels (profiles) of the mask, of sub-file n.
StatElementChoice Channels(std::uint16_t mask, int n = 0)
{
    StatElementChoice choice;
    choice.channelMask = mask;
    choice.fileOrRecord = n;
    return choice;
}

// An ORLU 525 level meter whose histogram of three 1 dB classes from 30 dB
// holds the counts of two profiles, one record 11 each.
CurrentFileSpec TwoProfileHistograms()
{
    CurrentFileSpec spec;
    spec.histogramClasses = 3;
    spec.histogramProfiles = 2;
    spec.histogramCounts = {1, 1, 2, 0, 3, 1};
    return spec;
}

class StatisticsElements : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenCurrent(const std::vector<std::uint8_t>& file, std::uint8_t kind = 45)
    {
        FixtureBuilder f;
        f.ContainerHeader(kind, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
        return Open(Write("meas.orl", f));
    }

    static std::string Histograms(CTmDoc& doc, const StatElementChoice& choice, const TableOutputOptions& options)
    {
        LineList lines;
        EXPECT_EQ(WriteHistogramsCrossTable(lines, nullptr, CollectHistogramElements(doc, choice), options), 1);
        return JoinedLines(lines);
    }

    static std::string Levels(CTmDoc& doc, const StatElementChoice& choice, const TableOutputOptions& options)
    {
        LineList lines;
        EXPECT_EQ(WriteLevelsCrossTable(lines, nullptr, CollectLevelColumns(doc, choice), options), 1);
        return JoinedLines(lines);
    }
};

TEST_F(StatisticsElements, ProfilesOfACurrentFamilyFile)
{
    auto doc = OpenCurrent(fixture::CurrentMeasurementFile(TwoProfileHistograms()));
    const StatElementChoice choice = Channels(0b11);
    EXPECT_EQ(Histograms(*doc, choice, kRowPerElement), "Histograms:\r\n"
                                                        "___;no_->;[];1;2;3\r\n"
                                                        "hist;prof;[dB];30,0;31,0;32,0\r\n"
                                                        "1;#1;[%];25,00;25,00;50,00\r\n"
                                                        "2;#2;[%];0,00;75,00;25,00\r\n");
    // Exceedances 100, 75, 50 and 100, 100, 25, read off under the default percentages.
    EXPECT_EQ(Levels(*doc, choice, kRowPerClass), "Statistical_levels_for_Histograms:\r\n"
                                                  "___;leve->;1;2\r\n"
                                                  "no_;prof->;#1;#2\r\n"
                                                  "[];[%];[dB];[dB]\r\n"
                                                  "1;1;32,9;32,9\r\n"
                                                  "2;10;32,8;32,6\r\n"
                                                  "3;20;32,6;32,2\r\n"
                                                  "4;30;32,4;31,9\r\n"
                                                  "5;40;32,2;31,8\r\n"
                                                  "6;50;32,0;31,6\r\n"
                                                  "7;60;31,6;31,5\r\n"
                                                  "8;70;31,2;31,4\r\n"
                                                  "9;80;30,8;31,2\r\n"
                                                  "10;90;30,4;31,1\r\n");
}

TEST_F(StatisticsElements, StoredLevelsMatchedByPercentage)
{
    // Stored percentages 1, 11, 21 ... 91 with profile 1's levels 90.0, 88.0, 86.0 ...;
    // the document asks for 50 where the file keeps 51.
    app.StatisticalPercentages = {1, 11, 50, 31, 41, 51, 61, 71, 81, 91};
    CurrentFileSpec spec;
    spec.statistics = true;
    auto doc = OpenCurrent(fixture::CurrentMeasurementFile(spec));
    EXPECT_EQ(Levels(*doc, Channels(0b1), kRowPerElement),
              "Statistical_levels:\r\n"
              "leve;prof;[%];1;11;50;31;41;51;61;71;81;91\r\n"
              "1;#1;[dB];90,0;88,0;----;84,0;82,0;80,0;78,0;76,0;74,0;72,0\r\n");
}

TEST_F(StatisticsElements, MembersOfAMultifileWithAHistogram)
{
    CurrentFileSpec first, third;
    first.histogramClasses = third.histogramClasses = 2;
    first.histogramCounts = {1, 3};
    third.histogramCounts = {2, 2};
    const std::vector<fixture::MultifileMember> members{{"FILE1", fixture::CurrentMeasurementFile(first)},
                                                        {"FILE2", fixture::CurrentMeasurementFile(CurrentFileSpec{})},
                                                        {"FILE3", fixture::CurrentMeasurementFile(third)}};
    auto doc = Open(Write("multi.orl", fixture::Multifile(55, members)));
    doc->DecodeFileHeader(2);
    doc->SelectChannelProfile(1, 0);

    // FILE2 holds no histogram: its content bits share none with the function mask.
    const StatElementChoice choice{}; // profile 1 of every member with a histogram
    EXPECT_EQ(Histograms(*doc, choice, kRowPerClass), "Histograms:__Profile_1:\r\n"
                                                      "___;hist->;1;2\r\n"
                                                      "no_;file->;FILE1;FILE3\r\n"
                                                      "[];[dB];[%];[%]\r\n"
                                                      "1;30,0;25,00;50,00\r\n"
                                                      "2;31,0;75,00;50,00\r\n");
    EXPECT_EQ(doc->DecodedSubfile(), 2); // the document shows what it showed before
    EXPECT_EQ(doc->Channel().channel, 1);

    // The densities of the same members, staged for the densities writer.
    const StatCrossTable densities = CollectDensityElements(*doc, choice);
    MultiSpectrumMatrix matrix(densities.ClassCount);
    ASSERT_TRUE(StageDensities(densities, matrix));
    LineList lines;
    ASSERT_EQ(WriteDensitiesCrossTable(lines, nullptr, densities, matrix, kRowPerElement), 1);
    EXPECT_EQ(JoinedLines(lines), "Statistical_density_for_Histograms:__Profile_1:\r\n"
                                  "___;no_->;[];1;2\r\n"
                                  "dens;file;[dB];30,0;31,0\r\n"
                                  "1;FILE1;[%];100,00;75,00\r\n"
                                  "2;FILE3;[%];100,00;50,00\r\n");

    // One member's profiles, named in the caption.
    EXPECT_EQ(Histograms(*doc, Channels(0b1, 3), kRowPerElement),
              "Histograms:_(file:FILE3):\r\n"
              "___;no_->;[];1;2\r\n"
              "hist;prof;[dB];30,0;31,0\r\n"
              "1;#1;[%];50,00;50,00\r\n");
}

TEST_F(StatisticsElements, ChannelsOfAFourChannelFile)
{
    fixture::FourChannelSpec spec = fixture::MakeFourChannelSpec(545, 217, 2, 1);
    spec.histogramMask = 0b11;
    // Channel c has 40 + c classes from 30 dB; each total covers all of them.
    spec.histogramCounts = {std::vector<std::uint32_t>(40), std::vector<std::uint32_t>(41)};
    spec.histogramCounts[0][0] = 2;
    spec.histogramCounts[0][1] = spec.histogramCounts[0][2] = 1;
    spec.histogramCounts[1][2] = spec.histogramCounts[1][40] = 4;
    auto doc = OpenCurrent(fixture::FourChannelMeasurementFile(spec), 42);
    StatElementChoice choice = Channels(0b11);
    choice.block = {true, 0, 2};
    EXPECT_EQ(Histograms(*doc, choice, kRowPerElement), "Blocks_of_Histograms:\r\n"
                                                        "___;no_->;[];1;2;3\r\n"
                                                        "hist;chan;[dB];30,0;31,0;32,0\r\n"
                                                        "1;#1:P1;[%];50,00;25,00;25,00\r\n"
                                                        "2;#2:P1;[%];0,00;0,00;50,00\r\n");
    EXPECT_EQ(Levels(*doc, Channels(0b10), kRowPerElement),
              "Statistical_levels_for_Histograms:\r\n"
              "leve;chan;[%];1;10;20;30;40;50;60;70;80;90\r\n"
              "1;#2:P1;[dB];70,9;70,8;70,6;70,4;70,2;70,0;32,8;32,6;32,4;32,2\r\n");
}

// An ORLU 545 of 1/1 octaves (2 bands and 1 total on every channel) whose record 21 holds
// band histograms of channels 1 and 3: channel 1 three 1 dB classes from 40 dB, channel 3
// two 2 dB classes from 50 dB; channel 2 has none.
fixture::FourChannelSpec FourChannelBands()
{
    fixture::FourChannelSpec spec = fixture::MakeFourChannelSpec(545, 217, 3, 1);
    spec.function = 2;
    spec.spectrumMask = 0b111;
    spec.bands = 2;
    spec.bandExtras = 1;
    spec.bandHistograms = {{0, {400, 10, {{1, 1, 2}, {0, 10, 0}, {5, 0, 5}}}},
                           {2, {500, 20, {{3, 1}, {1, 3}, {2, 2}}}}};
    return spec;
}

TEST_F(StatisticsElements, BandHistogramsOfAFourChannelFile)
{
    auto doc = OpenCurrent(fixture::FourChannelMeasurementFile(FourChannelBands()), 42);
    StatElementChoice choice = Channels(0b1);
    choice.band = 2;
    EXPECT_EQ(Histograms(*doc, choice, kRowPerElement), "Histograms:\r\n"
                                                        "___;no_->;[];1;2;3\r\n"
                                                        "hist;chan;[dB];40,0;41,0;42,0\r\n"
                                                        "1;#1:P1;[%];0,00;100,00;0,00\r\n");
    // Each channel's block carries its own classes: channel 3's are found past channel 1's
    // block, channel 2 keeps no block, and band 4 lies past the blocks' three bands.
    struct Case {
        int channel;
        int band;
        std::vector<std::uint32_t> counts;
        std::int32_t lowest;
    };
    for (const Case& c : {Case{0, 3, {5, 0, 5}, 400}, Case{2, 1, {3, 1}, 500}, Case{2, 3, {2, 2}, 500},
                          Case{1, 1, {}, 0}, Case{0, 4, {}, 400}}) {
        choice = Channels(static_cast<std::uint16_t>(1u << c.channel));
        choice.band = c.band;
        const StatCrossTable t = CollectHistogramElements(*doc, choice);
        ASSERT_EQ(t.Elements.size(), 1u);
        EXPECT_EQ(t.Elements[0].Counts, c.counts) << "channel " << c.channel << " band " << c.band;
        if (!c.counts.empty()) {
            EXPECT_EQ(t.Elements[0].Lowest, c.lowest);
        }
    }
    choice = Channels(0b100);
    choice.band = 1;
    EXPECT_EQ(CollectHistogramElements(*doc, choice).Width, 20);
}

TEST_F(StatisticsElements, FourChannelBandBlockPastItsRecord)
{
    // Channel 1's block claims more bands than its length holds: the bands past it give
    // no counts, the ones inside it theirs.
    fixture::FourChannelSpec spec = FourChannelBands();
    spec.bandHistograms.erase(2);
    std::vector<std::uint8_t> bytes = fixture::FourChannelMeasurementFile(spec);
    // The block's head: 0, its length 24, 3 bands, 3 classes.
    const std::array<std::uint8_t, 8> head{0, 0, 24, 0, 3, 0, 3, 0};
    const auto block = std::search(bytes.begin(), bytes.end(), head.begin(), head.end());
    ASSERT_NE(block, bytes.end());
    block[4] = 200; // 200 bands
    auto doc = OpenCurrent(bytes, 42);
    for (const auto& [band, counts] : {std::pair{3, std::vector<std::uint32_t>{5, 0, 5}},
                                       std::pair{4, std::vector<std::uint32_t>{}},
                                       std::pair{200, std::vector<std::uint32_t>{}}}) {
        StatElementChoice choice = Channels(0b1);
        choice.band = band;
        EXPECT_EQ(CollectHistogramElements(*doc, choice).Elements.at(0).Counts, counts) << "band " << band;
    }
}

TEST_F(StatisticsElements, ChannelsOfAnOrlu505File)
{
    // Two histograms of three classes: channel 1 holds no results, channel 2 one in each class.
    fixture::LegacyFileSpec spec = fixture::LegacyTwoChannelSpec(0x4010);
    spec.histogramClasses = 3;
    auto doc = Open(Write("m.orl", fixture::LegacyContainer(3, spec)));
    EXPECT_EQ(Histograms(*doc, Channels(0b11), kRowPerElement), "Histograms:\r\n"
                                                                       "___;no_->;[];1;2;3\r\n"
                                                                       "hist;prof;[dB];30,0;31,0;32,0\r\n"
                                                                       "1;#1;[%];0,00;0,00;0,00\r\n"
                                                                       "2;#2;[%];33,33;33,33;33,33\r\n");
}

TEST_F(StatisticsElements, CountsPastTheFileGiveAnEmptyElement)
{
    // Profile 3's counts would lie two strides on, past the end of the file.
    CurrentFileSpec spec = TwoProfileHistograms();
    spec.histogramCounts.resize(3); // the second record 11 holds no counts
    auto current = OpenCurrent(fixture::CurrentMeasurementFile(spec));
    EXPECT_EQ(Histograms(*current, Channels(0b101), kRowPerElement), "Histograms:\r\n"
                                                                            "___;no_->;[];1;2;3\r\n"
                                                                            "hist;prof;[dB];30,0;31,0;32,0\r\n"
                                                                            "1;#1;[%];25,00;25,00;50,00\r\n"
                                                                            "2;#3;[%];0,00;0,00;0,00\r\n");

    // A four-channel block whose length runs past the file breaks the record chain:
    // the file does not decode and shows no elements.
    fixture::FourChannelSpec four = fixture::MakeFourChannelSpec(545, 217, 2, 1);
    four.histogramMask = 0b11;
    four.histogramCounts = {std::vector<std::uint32_t>(40, 1), std::vector<std::uint32_t>(41, 1)};
    std::vector<std::uint8_t> bytes = fixture::FourChannelMeasurementFile(four);
    // Channel 1's block: 0x0012, its 83 words, channel 0.
    const std::array<std::uint8_t, 6> head{0x12, 0x00, 83, 0x00, 0x00, 0x00};
    const auto block = std::search(bytes.begin(), bytes.end(), head.begin(), head.end());
    ASSERT_NE(block, bytes.end());
    block[2] = block[3] = 0xFF;
    auto damaged = OpenCurrent(bytes, 42);
    EXPECT_TRUE(CollectHistogramElements(*damaged, Channels(0b11)).Elements.empty());

    // A Multifile member whose record runs past it does not decode: it gives no
    // channels, and the document goes back to the member it showed.
    const std::vector<fixture::MultifileMember> members{
        {"GOOD", fixture::CurrentMeasurementFile(TwoProfileHistograms())},
        {"BROKEN", fixture::BrokenChainFile(fixture::ChainFault::Overrun)}};
    auto merged = Open(Write("multi.orl", fixture::Multifile(55, members)));
    EXPECT_TRUE(CollectHistogramElements(*merged, Channels(0b1, 2)).Elements.empty());
    EXPECT_TRUE(CollectLevelColumns(*merged, Channels(0b1, 2)).Columns.empty());
    EXPECT_EQ(CollectHistogramElements(*merged, Channels(0b1, 1)).Elements.at(0).Counts,
              (std::vector<std::uint32_t>{1, 1, 2}));
    EXPECT_EQ(merged->DecodedSubfile(), 0);
}

TEST_F(StatisticsElements, OnlyProfilesWithACountsRecordHaveAHistogram)
{
    // Profile 1 alone has a histogram; the band histograms that follow have the same
    // stride, so one stride on from profile 1's counts lie band 1's (2, 6, 2).
    CurrentFileSpec spec;
    spec.function = 2;
    spec.spectrum = CurrentFileSpec::Spectrum::Octave;
    spec.bands = 2;
    spec.histogramClasses = 3;
    spec.histogramLowest = 400;
    spec.histogramCounts = {0, 10, 0};
    spec.bandHistograms = {{2, 6, 2}, {5, 5, 0}};
    auto doc = OpenCurrent(fixture::CurrentMeasurementFile(spec));
    EXPECT_EQ(Histograms(*doc, Channels(0b111), kRowPerElement), "Histograms:\r\n"
                                                                 "___;no_->;[];1;2;3\r\n"
                                                                 "hist;prof;[dB];40,0;41,0;42,0\r\n"
                                                                 "1;#1;[%];0,00;100,00;0,00\r\n"
                                                                 "2;#2;[%];0,00;0,00;0,00\r\n"
                                                                 "3;#3;[%];0,00;0,00;0,00\r\n");
    // The band histograms themselves are still found, each one stride after the last.
    for (const auto& [band, counts] : {std::pair{1, std::vector<std::uint32_t>{2, 6, 2}},
                                       std::pair{2, std::vector<std::uint32_t>{5, 5, 0}}}) {
        StatElementChoice choice = Channels(0b1);
        choice.band = band;
        EXPECT_EQ(CollectHistogramElements(*doc, choice).Elements.at(0).Counts, counts) << "band " << band;
    }
}

TEST_F(StatisticsElements, MonitorAndUndecodedDocumentsGiveNoElements)
{
    CTmDoc empty(app);
    EXPECT_TRUE(CollectHistogramElements(empty, Channels(0b1)).Elements.empty());
    EXPECT_TRUE(CollectLevelColumns(empty, Channels(0b1)).Columns.empty());
}

} // namespace
} // namespace orlu
