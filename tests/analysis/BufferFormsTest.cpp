// The text and table forms of the buffers of ORLU 505 METER-mode and
// ANALYZER-mode files, checked against texts written out by hand from their
// layouts.

#include "analysis/statistics/BufferForms.h"

#include "document/DocumentTestSupport.h"
#include "support/Analyzer505Fixture.h"
#include "support/GoldenText.h"
#include "support/LegacyFixture.h"

#include <cmath>
#include <string>
#include <vector>

namespace orlu {
namespace {

using fixture::Analyzer505Spec;
using fixture::Golden;
using fixture::LegacyFileSpec;

// A one-channel sound measurement whose buffer holds the levels (0.1 dB) given.
LegacyFileSpec BufferSpec(std::vector<std::int16_t> levels, std::uint16_t formatVersion = 21)
{
    LegacyFileSpec spec = fixture::LegacyHistorySpec(static_cast<std::uint32_t>(levels.size()));
    spec.formatVersion = formatVersion;
    spec.bufferLevels = std::move(levels);
    return spec;
}

class BufferForms : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenSpec(const LegacyFileSpec& spec)
    {
        return Open(Write("buffer.orl", fixture::LegacyContainer(3, spec)));
    }
    static std::string Text(CTmDoc& doc, const BufferChoices& choices = {})
    {
        LineList lines;
        int widest = 0;
        EXPECT_TRUE(TextBuffer(doc, lines, &widest, choices));
        const std::string text = lines.Join();
        EXPECT_EQ(widest, fixture::WidthOf(text));
        return text;
    }
    // The table with ';' between the fields and a decimal comma.
    static std::string Table(CTmDoc& doc, const BufferChoices& choices = {})
    {
        LineList lines;
        int widest = 0;
        std::uint8_t content = 0;
        EXPECT_TRUE(TableBuffer(doc, lines, &widest, content, choices,
                                TableOutputOptions{.FormatFlag = 0, .DecimalIndex = 1, .SeparatorIndex = 2}));
        EXPECT_EQ(content, 2);
        return lines.Join();
    }
};

TEST_F(BufferForms, SevenValuesFillThreeColumnsColumnByColumn)
{
    LegacyFileSpec spec = BufferSpec({801, 802, 803, 804, 805, 806, 807});
    spec.bufferOverloads = {false, false, false, false, false, false, true};
    auto doc = OpenSpec(spec);
    ASSERT_TRUE(doc);
    EXPECT_EQ(Text(*doc), Golden("legacy-buffer-seven-values.txt"));
    EXPECT_EQ(Table(*doc), Golden("legacy-buffer-seven-values-semicolon-comma.txt"));
}

TEST_F(BufferForms, AggregationTotalsAndUnits)
{
    // Levels alternate 90.0 and 80.0 dB over 10 records.
    std::vector<std::int16_t> levels;
    for (int i = 0; i < 10; ++i)
        levels.push_back(i % 2 ? 800 : 900);
    auto doc = OpenSpec(BufferSpec(levels));
    ASSERT_TRUE(doc);

    // Degree 3: three energy means, the tenth record in no window, a step of 3 x 2 s.
    BufferChoices degree3;
    degree3.degree = 3;
    std::string text = Text(*doc, degree3);
    EXPECT_NE(text.find("\r\n   total number of results = 3 [aggreg.degree=3]\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n   results time step = 6 s\r\n"), std::string::npos) << text;
    // 90, 80, 90 dB make 88.5 dB; 80, 90, 80 dB make 86.0 dB.
    EXPECT_NE(text.find("\r\n     1         88.5           2         86.0           3         88.5 \r\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("     4 "), std::string::npos) << text;
    EXPECT_NE(Table(*doc, degree3).find("Buffer_contents:__-__Leq___[aggreg.degree=3]_\r\n"), std::string::npos);

    // The running Leq of a Leq buffer: 90.0, then 87.4 dB for 90 and 80; no overload marks.
    BufferChoices totals;
    totals.totals = true;
    text = Text(*doc, totals);
    EXPECT_NE(text.find("\r\nTotal LEQ for Buffer contents:\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n     1         90.0      "), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n     2         87.4      "), std::string::npos) << text;

    // Linear units of a microphone: pascal with two exponent digits.
    BufferChoices linear;
    linear.units = 1;
    text = Text(*doc, linear);
    EXPECT_NE(text.find(" Res.No.     Lev[Pa]      Res.No.     Lev[Pa]      Res.No.     Lev[Pa] \r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\r\n     1     6.32e-01      "), std::string::npos) << text;
    EXPECT_EQ(text.find("e-001"), std::string::npos) << text;
    EXPECT_NE(Table(*doc, linear).find("\r\n1;6,32e-01;5;6,32e-01;9;"), std::string::npos) << Table(*doc, linear);
}

TEST_F(BufferForms, ABlockShowsItsPositionsOnly)
{
    auto doc = OpenSpec(BufferSpec({801, 802, 803, 804, 805, 806, 807}, 40));
    ASSERT_TRUE(doc);
    BufferChoices block;
    block.block = true;
    block.markers = {2, 4};
    const std::string text = Text(*doc, block);
    EXPECT_NE(text.find("\r\nBlock of the Buffer contents:  -  Leq \r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n   number of results in the block = 3\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n     3         80.3           4         80.4           5         80.5 \r\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("80.2"), std::string::npos) << text;
}

TEST_F(BufferForms, EachChannelOfARecordHasItsOwnColumn)
{
    // A microphone and an accelerometer, each record holding 80.1 dB then 60.2 dB.
    LegacyFileSpec spec = fixture::LegacyTwoChannelSpec(0x4010);
    spec.bufferRecords = 3;
    spec.bufferLevels = {801, 602};
    auto doc = OpenSpec(spec);
    ASSERT_TRUE(doc);
    // Unit option 1: the microphone in pascal, the accelerometer in dB.
    BufferChoices choices;
    choices.channelMask = 0x1F;
    choices.units = 1;
    // The view's own channel stays selected.
    doc->SelectLegacyChannel(1);
    const std::string text = Text(*doc, choices);
    EXPECT_EQ(doc->Channel().channel, 1);
    const std::size_t second = text.find("\r\nBuffer contents:  Profile #2  -  RMS \r\n");
    ASSERT_NE(second, std::string::npos) << text;
    EXPECT_EQ(text.rfind("\r\nBuffer contents:  Profile #1  -  RMS \r\n", second), 0u) << text;
    EXPECT_EQ(text.find("Profile #3"), std::string::npos) << text;
    // 20 uPa x 10^(80.1/20) = 0.2019 Pa.
    EXPECT_NE(text.find("     1     2.02e-01           2     2.02e-01           3     2.02e-01 \r\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("     1         60.2           2         60.2           3         60.2 \r\n", second),
              std::string::npos)
        << text;
}

TEST_F(BufferForms, TheTableOfSeveralChannelsHasAColumnPerChannel)
{
    LegacyFileSpec spec = fixture::LegacyProbeSpec(true);
    spec.bufferRecords = 2;
    spec.bufferLevels = {801, 802, 803, 804, 805};
    auto doc = OpenSpec(spec);
    ASSERT_TRUE(doc);
    BufferChoices choices;
    choices.channelMask = 0x19; // axes 1 and 4, and the vector
    choices.units = 1;          // dB for accelerometers
    const std::string table = Table(*doc, choices);
    EXPECT_NE(table.find("\r\n#1;RMS;"), std::string::npos) << table;
    EXPECT_EQ(table.find("\r\n#2;"), std::string::npos) << table;
    EXPECT_NE(table.find(";[dB];80,1;80,1\r\n"), std::string::npos) << table;
    EXPECT_NE(table.find(";80,4;80,4\r\n"), std::string::npos) << table;
    EXPECT_NE(table.find("\r\n#5;RMS;MODULE;------;[dB];80,5;80,5"), std::string::npos) << table;

    // In linear units a channel whose filter names no vibration quantity (DC) is in m/s2.
    choices.units = 0;
    const std::string linear = Table(*doc, choices);
    EXPECT_EQ(linear.find("[dB]"), std::string::npos) << linear;
}

TEST_F(BufferForms, ADeclaredCountAboveTheLevelsHeldReadsOnlyThoseHeld)
{
    LegacyFileSpec spec = BufferSpec({801, 802, 803, 804, 805, 806, 807});
    spec.declaredRecords = 60000;
    auto doc = OpenSpec(spec);
    ASSERT_TRUE(doc);
    const std::string text = Text(*doc);
    EXPECT_NE(text.find("     7         80.7 "), std::string::npos) << text;
    EXPECT_EQ(text.find("     8 "), std::string::npos) << text;
    const std::string table = Table(*doc);
    EXPECT_NE(table.find("\r\n3;80,3;6;80,6\r\n"), std::string::npos) << table;
    EXPECT_EQ(table.find("\r\n8;"), std::string::npos) << table;
}

TEST_F(BufferForms, AFileWithoutATimeHistoryShowsItsCaptionOnly)
{
    auto doc = OpenSpec(fixture::PlausibleLegacySpec());
    ASSERT_TRUE(doc);
    EXPECT_EQ(Text(*doc), "\r\nBuffer contents:  -  Leq \r\n   total number of results = 0\r\n"
                          "   results DELTA_INT = 1 s\r\n" +
                              std::string(71, '-') + "\r\n");
    LineList lines;
    int widest = 0;
    std::uint8_t content = 0;
    EXPECT_FALSE(TableBuffer(*doc, lines, &widest, content, {}, {}));
    EXPECT_TRUE(lines.Empty());
}

TEST_F(BufferForms, AMultifileShowsTheBufferOfTheFileDecodedAndNamesIt)
{
    auto doc = Open(Write("multi.orl", fixture::Multifile(23, fixture::LegacyMultifileMembers(3))));
    ASSERT_TRUE(doc);
    ASSERT_TRUE(doc->DecodeLegacyHeader(2));
    BufferChoices choices;
    choices.degree = 8;
    const std::string text = Text(*doc, choices);
    EXPECT_EQ(text.rfind("\r\nBuffer contents (file: FILE2):", 0), 0u) << text;
    // 500 records of 0.125 s in windows of 8: 62 values of 1 s.
    EXPECT_NE(text.find("\r\n   total number of results = 62 [aggreg.degree=8]\r\n   results DELTA_INT = "),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\r\n   results time step = 1 s\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("    62 "), std::string::npos) << text;
    EXPECT_EQ(text.find("    63 "), std::string::npos) << text;
}

// ANALYZER-mode files: numbered 1/3-octave spectra of 30 bands and the totals
// TOT_A, TOT_C and TOT_Lin. The fixture writes value i of spectrum r, channel c
// as 700 - 3 i + 5 (r mod 4) - 20 c (0.1 dB), so TOT_A (i = 30) of spectrum r is
// 61.0 + 0.5 (r mod 4) - 2 c dB, TOT_C 0.3 dB less.
Analyzer505Spec AnalyzerHistory(std::uint16_t spectra, bool fourChannel = false)
{
    Analyzer505Spec spec;
    spec.function = 4;
    spec.bands = 30;
    spec.values = 33;
    spec.spectra = spectra;
    spec.timeHistory = true;
    spec.fourChannel = fourChannel;
    return spec;
}

TEST_F(BufferForms, AnAnalyzerFileShowsTheTotalsOfItsSpectra)
{
    auto doc = Open(Write("analyzer.orl", fixture::Analyzer505Container(AnalyzerHistory(7))));
    ASSERT_TRUE(doc);
    BufferChoices choices;
    choices.resultIndex[0] = 1; // the second total
    EXPECT_EQ(Text(*doc, choices), Golden("analyzer-buffer-seven-spectra.txt"));
    EXPECT_EQ(Table(*doc, choices), Golden("analyzer-buffer-seven-spectra-semicolon-comma.txt"));

    // The first total by default; a fourth the spectra do not hold shows no values.
    EXPECT_NE(Text(*doc).find("Channel #1  -  TOT_A \r\n"), std::string::npos);
    EXPECT_NE(Text(*doc).find("\r\n     1         61.0           4         62.5 "), std::string::npos) << Text(*doc);
    choices.resultIndex[0] = 3;
    const std::string none = Text(*doc, choices);
    EXPECT_NE(none.find("\r\nBuffer contents:  -  Octave 1/3 \r\n"), std::string::npos) << none;
    EXPECT_EQ(none.find("     1 "), std::string::npos) << none;
}

TEST_F(BufferForms, AFourChannelAnalyzerTableHasAColumnPerChannel)
{
    // Channels 1 and 3 are accelerometers (linear at unit option 0), 2 and 4 microphones (dB).
    auto doc = Open(Write("probe.orl", fixture::Analyzer505Container(AnalyzerHistory(2, true))));
    ASSERT_TRUE(doc);
    BufferChoices choices;
    choices.channelMask = 0xF;
    EXPECT_EQ(Table(*doc, choices), "Buffer:\r\n\r\n"
                                    "chan;func;fltr;dtct;unit\\n->;1;2\r\n"
                                    "#1;TOT_A;A;Impulse;[m/s\xB2];1,12e-03;1,19e-03\r\n"
                                    "#2;TOT_A;A;Impulse;[dB];59,0;59,5\r\n"
                                    "#3;TOT_A;A;Impulse;[m/s\xB2];7,08e-04;7,50e-04\r\n"
                                    "#4;TOT_A;HP;Impulse;[dB];55,0;55,5\r\n");
    choices.channelMask = 0x5;
    const std::string text = Text(*doc, choices);
    const std::size_t third = text.find("\r\nBuffer contents:  Channel #3  -  TOT_A \r\n");
    ASSERT_NE(third, std::string::npos) << text;
    EXPECT_EQ(text.find("Channel #2"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n     1     7.08e-04           2     7.50e-04 \r\n", third), std::string::npos) << text;
}

TEST_F(BufferForms, AnAnalyzerMultifileShowsTheFileDecoded)
{
    const Analyzer505Spec files[] = {AnalyzerHistory(2), AnalyzerHistory(4)};
    auto doc = Open(Write("multi.orl", fixture::Analyzer505Multifile(files)));
    ASSERT_TRUE(doc);
    ASSERT_TRUE(doc->DecodeSetup505(2));
    const std::string text = Text(*doc);
    EXPECT_EQ(text.rfind("\r\nBuffer contents (file: A0000002):  Channel #1  -  TOT_A \r\n", 0), 0u) << text;
    EXPECT_NE(text.find("\r\n   total number of results = 4\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("     2         61.5           4         62.5 \r\n"), std::string::npos) << text;
    EXPECT_EQ(Table(*doc).rfind("Buffer_contents_(file:_A0000002):__Channel_#1__-__TOT_A_\r\n", 0), 0u);
}

TEST_F(BufferForms, AnAnalyzerFileDeclaringMoreSpectraThanItHoldsShowsThoseHeld)
{
    // Word 14 of an octave header counts the spectra: 60000 where 3 are held.
    auto doc = Open(Write("short.orl", fixture::Analyzer505Patched(AnalyzerHistory(3), 14, 60000)));
    ASSERT_TRUE(doc);
    for (int degree : {1, 2}) {
        BufferChoices choices;
        choices.degree = degree;
        const std::string text = Text(*doc, choices);
        EXPECT_NE(text.find(degree == 1 ? "     3         62.0 " : "     1         61.3 "), std::string::npos) << text;
        EXPECT_EQ(text.find(degree == 1 ? "     4 " : "     2 "), std::string::npos) << text;
        EXPECT_EQ(Table(*doc, choices).find(degree == 1 ? "\r\n4;" : "\r\n2;"), std::string::npos);
    }
}

// Graph data: a microphone and an accelerometer whose records hold the RMS and the
// VDV of each (buffer word 0x90), 10 records of 2 s. The microphone's RMS runs
// 80 80 80 90 80 90 80 90 80 80 dB, its VDV 100.0 + r dB, the accelerometer 70 dB.
class BufferGraph : public BufferForms {
protected:
    std::unique_ptr<CTmDoc> OpenRmsAndVdv()
    {
        LegacyFileSpec spec = fixture::LegacyTwoChannelSpec(0x4010);
        spec.formatVersion = 40;
        spec.bufferWord = 0x90;
        spec.bufferRecords = 10;
        const int rms[] = {800, 800, 800, 900, 800, 900, 800, 900, 800, 800};
        for (int r = 0; r < 10; ++r)
            for (int level : {rms[r], 1000 + 10 * r, 700, 700})
                spec.bufferLevels.push_back(static_cast<std::int16_t>(level));
        return OpenSpec(spec);
    }
    static std::vector<double> Rounded(const PlotSeries& series)
    {
        std::vector<double> out;
        for (double v : series.Values())
            out.push_back(std::round(v * 100.0) / 100.0);
        return out;
    }
};

TEST_F(BufferGraph, ABlockBetweenMarkersThreeAndSevenGivesItsRunningSeriesAndExtremes)
{
    auto doc = OpenRmsAndVdv();
    ASSERT_TRUE(doc);
    BufferChoices choices;
    choices.block = true;
    choices.markers = {3, 7};
    choices.blockResults = {true, true, true, true};
    choices.totals = true;
    PlotData data;
    ASSERT_TRUE(GraphBuffer(*doc, data, 0, choices));
    EXPECT_EQ(data.PanelTitles[0], "BUFFER CONTENTS  Profile #1  -  RMS ");
    EXPECT_EQ(data.VdvPanel[0], 0);
    EXPECT_EQ(data.TimeStamps, (std::vector<std::uint32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(Rounded(data.BufferValues[0]), (std::vector<double>{80, 80, 80, 90, 80, 90, 80, 90, 80, 80}));
    // Records 4 to 8 (90 80 90 80 90 dB): running Leq and SEL (2 s), then 0 to the last record.
    EXPECT_EQ(Rounded(data.SeriesB[0]), (std::vector<double>{90, 87.4, 88.45, 87.4, 88.06, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Rounded(data.SeriesC[0]), (std::vector<double>{93.01, 93.42, 96.23, 96.43, 98.06, 0, 0, 0, 0, 0}));
    EXPECT_DOUBLE_EQ(data.BlockLmax[0], 90.0);
    EXPECT_DOUBLE_EQ(data.BlockLmin[0], 80.0);
    // The running total of all records: 80 dB, then 85.12 dB once three of 80 dB and one of 90 dB are in.
    ASSERT_EQ(data.SeriesA[0].Size(), 10u);
    EXPECT_DOUBLE_EQ(Rounded(data.SeriesA[0])[0], 80.0);
    EXPECT_DOUBLE_EQ(Rounded(data.SeriesA[0])[3], 85.12);

    // A block near the end runs to the last record only; degree 2 halves every series.
    choices.markers = {8, 9};
    choices.degree = 2;
    ASSERT_TRUE(GraphBuffer(*doc, data, 0, choices));
    EXPECT_EQ(data.BufferValues[0].Size(), 5u);
    EXPECT_EQ(Rounded(data.SeriesB[0]), (std::vector<double>{80, 0, 0, 0, 0}));
    EXPECT_DOUBLE_EQ(data.BlockLmax[0], 80.0);
}

TEST_F(BufferGraph, TheVdvResultIsFlaggedAndHasNoRunningSeries)
{
    auto doc = OpenRmsAndVdv();
    ASSERT_TRUE(doc);
    BufferChoices choices;
    choices.resultIndex[0] = 1;
    choices.block = true;
    choices.markers = {3, 7};
    choices.blockResults = {true, true, true, true};
    choices.totals = true;
    PlotData data;
    ASSERT_TRUE(GraphBuffer(*doc, data, 0, choices));
    EXPECT_EQ(data.PanelTitles[0], "BUFFER CONTENTS  Profile #1  -  VDV ");
    EXPECT_EQ(data.VdvPanel[0], 1);
    EXPECT_DOUBLE_EQ(data.BufferValues[0][9], 109.0);
    EXPECT_TRUE(data.SeriesA[0].Empty());
    EXPECT_TRUE(data.SeriesB[0].Empty());
    EXPECT_TRUE(data.SeriesC[0].Empty());
    EXPECT_DOUBLE_EQ(data.BlockLmax[0], 107.0);
    EXPECT_DOUBLE_EQ(data.BlockLmin[0], 103.0);

    // The accelerometer's panel, and none for a channel the file does not hold.
    ASSERT_TRUE(GraphBuffer(*doc, data, 1, {}));
    EXPECT_EQ(data.PanelTitles[1], "BUFFER CONTENTS  Profile #2  -  RMS ");
    EXPECT_FALSE(GraphBuffer(*doc, data, 2, {}));
}

TEST_F(BufferGraph, ABufferDeclaringMoreRecordsThanItHoldsDrawsThoseHeld)
{
    LegacyFileSpec spec = BufferSpec({801, 802, 803, 804, 805, 806, 807});
    spec.declaredRecords = 60000;
    auto doc = OpenSpec(spec);
    ASSERT_TRUE(doc);
    BufferChoices choices;
    choices.block = true;
    choices.markers = {5, 59000};
    choices.blockResults = {true, true, true, true};
    choices.totals = true;
    PlotData data;
    ASSERT_TRUE(GraphBuffer(*doc, data, 0, choices));
    EXPECT_EQ(data.BufferValues[0].Size(), 7u);
    EXPECT_EQ(data.SeriesA[0].Size(), 7u);
    EXPECT_DOUBLE_EQ(data.BlockLmax[0], 80.7);
    // Analyzer spectra declaring more than they hold, too.
    auto analyzer = Open(Write("short.orl", fixture::Analyzer505Patched(AnalyzerHistory(3), 14, 60000)));
    ASSERT_TRUE(GraphBuffer(*analyzer, data, 0, choices));
    EXPECT_EQ(data.BufferValues[0].Size(), 3u);
    EXPECT_EQ(data.PanelTitles[0], "BUFFER CONTENTS  Channel #1  -  TOT_A ");
}

} // namespace
} // namespace orlu
