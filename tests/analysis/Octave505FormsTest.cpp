// The 1/1-octave view of ORLU 505 ANALYZER-mode files and their octave graph
// data: numbered spectra under "Octave 1/1  No.N:", third octaves folded into
// whole octaves with one TOTAL row, every record as a cross table, and the
// 1/3-octave bars with the last value drawn three times.

#include "analysis/spectra/Octave505Forms.h"
#include "analysis/spectra/OctaveGraphData.h"

#include "document/DocumentTestSupport.h"
#include "support/Analyzer505Fixture.h"

#include <string>

namespace orlu {
namespace {

using fixture::Analyzer505Spec;

// Numbered spectra of `bands` bands and `trailing` values, record r's values at 70 + r dB.
Analyzer505Spec Numbered(std::uint16_t function, std::uint16_t bands, std::uint16_t trailing)
{
    Analyzer505Spec spec;
    spec.function = function;
    spec.bands = bands;
    spec.values = static_cast<std::uint16_t>(bands + trailing);
    spec.spectra = 5;
    spec.timeHistory = true;
    spec.value = [](std::uint32_t r, std::uint32_t, std::uint32_t) { return static_cast<std::int16_t>(700 + 10 * r); };
    return spec;
}

class Octave505Forms : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenSpec(const Analyzer505Spec& spec)
    {
        return Open(Write("analyzer.orl", fixture::Analyzer505Container(spec)));
    }
    static OctaveChoices Record(int record)
    {
        OctaveChoices choices;
        choices.request.record = record;
        return choices;
    }
    static std::string Table(CTmDoc& doc, const OctaveChoices& choices)
    {
        LineList lines;
        int widest = 0;
        std::uint8_t content = 0;
        EXPECT_TRUE(TableOctave11Of505(doc, lines, &widest, content, choices,
                                       TableOutputOptions{.FormatFlag = 0, .DecimalIndex = 0, .SeparatorIndex = 1}));
        EXPECT_EQ(content, 2);
        return lines.Join();
    }
};

TEST_F(Octave505Forms, NumberedOctaveSpectrumTableNamesItsRecord)
{
    // 9 octaves from 63 Hz and a total; No.4 at 73.0 dB (the builder counts records from 0).
    auto doc = OpenSpec(Numbered(3, 9, 1));
    EXPECT_EQ(Table(*doc, Record(4)), "Octave_1/1__No.4:\r\n"
                                      "f[Hz],Lev[dB],f[Hz],Lev[dB],f[Hz],Lev[dB]\r\n"
                                      "63.0,73.0,1000.0,73.0,16000.0,73.0\r\n"
                                      "125.0,73.0,2000.0,73.0,TOTAL,73.0\r\n"
                                      "250.0,73.0,4000.0,73.0\r\n"
                                      "500.0,73.0,8000.0,73.0\r\n");
}

TEST_F(Octave505Forms, ThirdOctavesShowTheirWholeOctavesAndOneTotal)
{
    // 31 bands from 20 Hz at 71.0 dB: the whole octaves 31.5 Hz to 16 kHz, 4.8 dB above their bands.
    auto doc = OpenSpec(Numbered(4, 31, 3));
    LineList lines;
    int widest = 0;
    ASSERT_TRUE(TextOctave11Of505(*doc, lines, &widest, Record(2)));
    EXPECT_EQ(lines.Join(), "\r\n"
                            "OCTAVE 1/1  (A)  No.2\r\n"
                            "--------------------------------------------------------------------\r\n"
                            "   f[Hz]   Lev[dB]         f[Hz]   Lev[dB]         f[Hz]   Lev[dB]  \r\n"
                            "--------------------------------------------------------------------\r\n"
                            "   31.5      75.8         500.0      75.8        8000.0      75.8\r\n"
                            "   63.0      75.8        1000.0      75.8       16000.0      75.8\r\n"
                            "  125.0      75.8        2000.0      75.8         TOTAL      71.0\r\n"
                            "  250.0      75.8        4000.0      75.8\r\n"
                            "--------------------------------------------------------------------\r\n");
}

TEST_F(Octave505Forms, EveryRecordAsACrossTable)
{
    auto doc = OpenSpec(Numbered(3, 9, 1));
    OctaveChoices choices;
    choices.request.allRecords = true;
    const std::string table = Table(*doc, choices);
    EXPECT_NE(table.find("\r\nspct\\f->,[Hz],63.0,125.0,250.0,500.0,1000.0,2000.0,4000.0,8000.0,16000.0,TOTAL\r\n"),
              std::string::npos)
        << table;
    EXPECT_NE(table.find("\r\n1,[dB],70.0,70.0,"), std::string::npos) << table;
    EXPECT_NE(table.find("\r\n5,[dB],74.0,74.0,74.0,74.0,74.0,74.0,74.0,74.0,74.0,74.0\r\n"), std::string::npos)
        << table;
}

TEST_F(Octave505Forms, ChosenChannelsOfAProbeFileAsColumns)
{
    // Channel #1 an accelerometer, #2 a microphone; every value at 80.0 dB.
    Analyzer505Spec spec = Numbered(3, 9, 1);
    spec.fourChannel = true;
    spec.value = [](std::uint32_t, std::uint32_t, std::uint32_t) { return std::int16_t{800}; };
    auto doc = OpenSpec(spec);
    OctaveChoices choices = Record(2);
    choices.request.channelMask = 0b0011;
    LineList lines;
    int widest = 0;
    std::uint8_t content = 0;
    ASSERT_TRUE(TableOctave11Of505(*doc, lines, &widest, content, choices,
                                   TableOutputOptions{.FormatFlag = 0, .DecimalIndex = 0, .SeparatorIndex = 6}));
    const std::string table = lines.Join();
    // Each column in its own unit: the accelerometer in m/s2 (80 dB over 1 um/s2), the microphone in dB.
    EXPECT_NE(table.find("\r\n#1        Acc.      [m/s\xB2]    1.00e-02  1.00e-02  "), std::string::npos) << table;
    EXPECT_NE(table.find("\r\n#2        Mic.      [dB]      80.0      80.0      "), std::string::npos) << table;

    ASSERT_TRUE(TextOctave11Of505(*doc, lines, &widest, choices));
    const std::string text = lines.Join();
    EXPECT_NE(text.find("\r\nOCTAVE 1/1  (A)  Channel #1  No.2\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nOCTAVE 1/1  (A)  Channel #2  No.2\r\n"), std::string::npos) << text;
}

TEST_F(Octave505Forms, EveryFileOfAMultifileAsAColumnAndTitledByName)
{
    Analyzer505Spec first = Numbered(3, 9, 1);
    first.timeHistory = false;
    first.spectra = 1;
    Analyzer505Spec second = first;
    second.value = [](std::uint32_t, std::uint32_t, std::uint32_t) { return std::int16_t{650}; };
    const Analyzer505Spec specs[] = {first, second};
    auto doc = Open(Write("multi.orl", fixture::Analyzer505Multifile(specs)));
    ASSERT_TRUE(doc->DecodeSetup505(2));
    OctaveChoices choices;
    choices.request.allRecords = true;
    const std::string table = Table(*doc, choices);
    EXPECT_NE(table.find("\r\nA0000001,[dB],70.0,70.0,"), std::string::npos) << table;
    EXPECT_NE(table.find("\r\nA0000002,[dB],65.0,65.0,"), std::string::npos) << table;
    LineList lines;
    int widest = 0;
    ASSERT_TRUE(TextOctave11Of505(*doc, lines, &widest, choices));
    const std::string text = lines.Join();
    EXPECT_NE(text.find("\r\nOCTAVE 1/1  (A, RMS)  (file: A0000001)\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nOCTAVE 1/1  (A, RMS)  (file: A0000002)\r\n"), std::string::npos) << text;
    EXPECT_EQ(doc->AnalyzerSubfile(), 2) << "the file the view had decoded is decoded again";
}

TEST_F(Octave505Forms, ThirdOctavesAsStoredWithTheirNamedTotals)
{
    // 31 bands from 20 Hz and three totals, No.2 at 71.0 dB.
    auto doc = OpenSpec(Numbered(4, 31, 3));
    LineList lines;
    int widest = 0;
    ASSERT_TRUE(TextOctave13Of505(*doc, lines, &widest, Record(2)));
    const std::string text = lines.Join();
    EXPECT_EQ(text.substr(0, 25), "\r\nOCTAVE 1/3  (A)  No.2\r\n");
    EXPECT_NE(text.find("\r\n   20.0      71.0         315.0      71.0        5000.0      71.0\r\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("\r\n  160.0      71.0        2500.0      71.0       TOT_Lin      71.0\r\n"), std::string::npos)
        << text;
    std::uint8_t content = 0;
    ASSERT_TRUE(TableOctave13Of505(*doc, lines, &widest, content, Record(2),
                                   TableOutputOptions{.FormatFlag = 0, .DecimalIndex = 0, .SeparatorIndex = 1}));
    const std::string table = lines.Join();
    EXPECT_NE(table.find("OCTAVE_1/3__(A)__No.2\r\nf[Hz],Lev[dB],"), std::string::npos) << table;
    EXPECT_NE(table.find("\r\n100.0,71.0,1600.0,71.0,TOT_A,71.0\r\n"), std::string::npos) << table;

    // An octave file has no 1/3-octave view.
    auto octaves = OpenSpec(Numbered(3, 9, 1));
    EXPECT_FALSE(TextOctave13Of505(*octaves, lines, &widest, Record(2)));
}

TEST_F(Octave505Forms, ThirdOctaveBarsRepeatTheLastValueTwice)
{
    auto doc = OpenSpec(Numbered(4, 31, 2));
    ASSERT_EQ(doc->Analyzer().bandEnd, 33);
    PlotData data;
    ASSERT_TRUE(GraphDataOctaveOf505(*doc, data, 0, Record(3), kThirdOctaves));
    const std::span<const double> v = data.PlotValues.Values();
    ASSERT_EQ(v.size(), kOctavePanelValues);
    EXPECT_DOUBLE_EQ(v[32], 72.0);
    EXPECT_DOUBLE_EQ(v[33], 72.0);
    EXPECT_DOUBLE_EQ(v[34], 72.0);
    EXPECT_EQ(v[35], kMissingValue) << "35 values drawn";
    EXPECT_EQ(data.PanelTitles[0], "OCTAVE 1/3  (A)  No.3");

    // A probe file draws the chosen channel and gives the view's back.
    Analyzer505Spec probe = Numbered(4, 31, 2);
    probe.fourChannel = true;
    probe.value = [](std::uint32_t, std::uint32_t c, std::uint32_t) {
        return static_cast<std::int16_t>(600 + 100 * c);
    };
    auto four = Open(Write("probe.orl", fixture::Analyzer505Container(probe)));
    four->Select505Channel(0);
    OctaveChoices second = Record(1);
    second.request.channelMask = 0b0100;
    second.units = 3; // the third channel is an accelerometer: dB
    ASSERT_TRUE(GraphDataOctaveOf505(*four, data, 0, second, kThirdOctaves));
    EXPECT_DOUBLE_EQ(data.PlotValues.Values()[0], 80.0);
    EXPECT_EQ(four->Channel().channel, 0);
}

TEST_F(Octave505Forms, RecordsPastTheFileOrItsSpectraShowNothing)
{
    // The image ends inside record 5: records 1 to 4 still show.
    const std::vector<std::uint8_t> whole = fixture::BuildAnalyzer505File(Numbered(3, 9, 1));
    const std::vector<std::uint8_t> cut(whole.begin(), whole.end() - 12);
    fixture::FixtureBuilder f;
    f.ContainerHeader(4, 0, 0, static_cast<std::uint32_t>(cut.size())).Bytes(cut);
    auto doc = Open(Write("cut.orl", f));
    LineList lines;
    int widest = 0;
    ASSERT_TRUE(doc->AnalyzerDecoded());
    EXPECT_FALSE(TextOctave11Of505(*doc, lines, &widest, Record(5)));
    EXPECT_TRUE(TextOctave11Of505(*doc, lines, &widest, Record(4)));
    auto intact = OpenSpec(Numbered(3, 9, 1));
    EXPECT_FALSE(TextOctave11Of505(*intact, lines, &widest, Record(6)));
    EXPECT_EQ(lines.Size(), 0u);
}

} // namespace
} // namespace orlu
