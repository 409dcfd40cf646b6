// The 1/3-octave text and table forms of current-family files, checked against
// texts written out by hand from their layouts: the three columns filled
// column by column, a marked block, linear units, the titles of MIN and MAX
// spectra and of a Multifile's files, the cross table of a logger of spectra
// and its scratch file, and spectra records that cannot be read.

#include "analysis/spectra/OctaveForms.h"

#include "document/DocumentTestSupport.h"
#include "support/GoldenText.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace orlu {
namespace {

using fixture::CurrentFileSpec;
using fixture::FixtureBuilder;
using fixture::Golden;

constexpr std::uint8_t kOrlu525 = 45, kMerged525 = 55;

// An ORLU 525 measurement of 31 third octaves from 20 Hz and three totals, spectra
// filter A (measurement word 21).
CurrentFileSpec ThirdOctaveSpec(std::vector<std::int16_t> levels)
{
    CurrentFileSpec spec;
    spec.function = 3;
    spec.spectrum = CurrentFileSpec::Spectrum::ThirdOctave;
    spec.bands = 31;
    spec.bandExtras = 3;
    spec.lowestBand = 200;
    spec.spectrumLevels = std::move(levels);
    spec.measurementWords = {{21, 2}};
    return spec;
}

// A logger of n such spectra, record r's values all at levels[r].
CurrentFileSpec SpectrumLoggerSpec(std::vector<std::int16_t> levels)
{
    CurrentFileSpec spec;
    spec.function = 3;
    spec.spectraInBuffer = 1;
    spec.bands = 31;
    spec.bandExtras = 3;
    spec.lowestBand = 200;
    spec.rowWords = 31 + 3 + 1;
    spec.rows = static_cast<std::uint32_t>(levels.size());
    spec.declaredCount = spec.rows;
    spec.loggedSpectrumLevels = std::move(levels);
    spec.measurementWords = {{21, 2}};
    return spec;
}

FixtureBuilder Container(std::uint8_t kind, const CurrentFileSpec& spec)
{
    std::vector<std::uint8_t> file = CurrentMeasurementFile(spec);
    FixtureBuilder f;
    f.ContainerHeader(kind, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
    return f;
}

std::vector<std::int16_t> Rising(int from, int count)
{
    std::vector<std::int16_t> levels;
    for (int i = 0; i < count; ++i)
        levels.push_back(static_cast<std::int16_t>(from + 10 * i));
    return levels;
}

class OctaveForms : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenSpec(const CurrentFileSpec& spec)
    {
        return Open(Write("octave.orl", Container(kOrlu525, spec)));
    }
    static std::string Text(CTmDoc& doc, const OctaveChoices& choices = {})
    {
        LineList lines;
        int widest = 0;
        EXPECT_TRUE(TextOctave13(doc, lines, &widest, choices));
        const std::string text = lines.Join();
        EXPECT_EQ(widest, fixture::WidthOf(text));
        return text;
    }
    static std::string Table(CTmDoc& doc, const OctaveChoices& choices = {}, bool expectShown = true)
    {
        LineList lines;
        int widest = 0;
        std::uint8_t content = 0;
        EXPECT_EQ(TableOctave13(doc, lines, &widest, content, choices,
                                TableOutputOptions{.FormatFlag = 1, .DecimalIndex = 0, .SeparatorIndex = 2}),
                  expectShown);
        EXPECT_EQ(content, 2);
        return lines.Join();
    }
};

TEST_F(OctaveForms, ThirtyOneBandsAndThreeTotalsFillTwelveRowsColumnByColumn)
{
    auto doc = OpenSpec(ThirdOctaveSpec(Rising(600, 34)));
    EXPECT_EQ(Text(*doc), Golden("octave13-31-bands-db.txt"));
}

TEST_F(OctaveForms, MarkedBlockShowsItsBandsUnderTheBlockTotal)
{
    auto doc = OpenSpec(ThirdOctaveSpec({800}));
    OctaveChoices choices;
    choices.block = true;
    choices.markers = {3, 7};
    EXPECT_EQ(Text(*doc, choices), Golden("octave13-block-3-7.txt"));
    // A block wholly above the bands shows no total, never the log of nothing.
    choices.markers = {40, 45};
    const std::string text = Text(*doc, choices);
    EXPECT_NE(text.find("Block RMS = ---- dB"), std::string::npos) << text;
}

TEST_F(OctaveForms, MicrophoneBandsInPascalPrintTwoDigitExponents)
{
    auto doc = OpenSpec(ThirdOctaveSpec({800}));
    OctaveChoices choices;
    choices.units = 1;
    EXPECT_EQ(Text(*doc, choices), Golden("octave13-80db-pascal.txt"));
}

TEST_F(OctaveForms, SpectrumNumbersNameRmsMinAndMax)
{
    CurrentFileSpec spec = ThirdOctaveSpec({800});
    spec.maxSpectrumLevels = {900};
    auto doc = OpenSpec(spec);
    struct Case {
        int record;
        const char* title;
        const char* firstBand;
    };
    // Without a MIN spectrum No. 2 is the MAX spectrum, as No. 3 is.
    const Case cases[] = {{1, "OCTAVE 1/3  (A, RMS)", "   20.0      80.0"},
                          {2, "OCTAVE 1/3  (A, MAX)", "   20.0      90.0"},
                          {3, "OCTAVE 1/3  (A, MAX)", "   20.0      90.0"}};
    for (const Case& c : cases) {
        OctaveChoices choices;
        choices.request.record = c.record;
        const std::string text = Text(*doc, choices);
        EXPECT_NE(text.find(std::string("\r\n") + c.title + "\r\n"), std::string::npos) << text;
        EXPECT_NE(text.find(std::string("\r\n") + c.firstBand + "   "), std::string::npos) << text;
    }
}

TEST_F(OctaveForms, MultifileTitleNamesTheFileAndItsMaxSpectrum)
{
    CurrentFileSpec spec = ThirdOctaveSpec({800});
    spec.measurementWords = {{21, 3}};
    spec.minSpectrumLevels = {700};
    spec.maxSpectrumLevels = {900};
    std::vector<fixture::MultifileMember> members{{"NAME", CurrentMeasurementFile(spec)}};
    auto doc = Open(Write("multi.orl", fixture::Multifile(kMerged525, members)));
    OctaveChoices choices;
    choices.request.record = 3;
    choices.request.fileIndex = 1;
    const std::string text = Text(*doc, choices);
    EXPECT_NE(text.find("\r\nOCTAVE 1/3  (C, MAX)  (file: NAME)\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n   20.0      90.0   "), std::string::npos) << text;
    // Every file shown in turn, the one the view had decoded stays decoded.
    members.push_back({"OTHER", CurrentMeasurementFile(ThirdOctaveSpec({600}))});
    auto two = Open(Write("two.orl", fixture::Multifile(kMerged525, members)));
    ASSERT_TRUE(two->DecodeFileHeader(1));
    choices.request.allRecords = true;
    choices.request.record = 1;
    const std::string both = Text(*two, choices);
    EXPECT_NE(both.find("\r\nOCTAVE 1/3  (C, RMS)  (file: NAME)\r\n"), std::string::npos) << both;
    EXPECT_NE(both.find("\r\nOCTAVE 1/3  (A, RMS)  (file: OTHER)\r\n"), std::string::npos) << both;
    EXPECT_EQ(two->DecodedSubfile(), 1);
}

TEST_F(OctaveForms, AllFilesOfAMultifileAsColumnsWithTheirDates)
{
    // Measured on 24/05/14 at 14:30'20 and 24/05/15 at 08:00'00.
    CurrentFileSpec first = ThirdOctaveSpec({800});
    first.measurementWords = {{21, 2}, {1, 24 * 512 + 5 * 32 + 14}, {2, (14 * 3600 + 30 * 60 + 20) / 2}};
    CurrentFileSpec second = ThirdOctaveSpec({600});
    second.measurementWords = {{21, 2}, {1, 24 * 512 + 5 * 32 + 15}, {2, 8 * 3600 / 2}};
    const std::vector<fixture::MultifileMember> members{{"FIRST", CurrentMeasurementFile(first)},
                                                        {"SECOND", CurrentMeasurementFile(second)}};
    auto doc = Open(Write("multi.orl", fixture::Multifile(kMerged525, members)));
    OctaveChoices choices;
    choices.request.allRecords = true;
    LineList lines;
    int widest = 0;
    std::uint8_t content = 0;
    ASSERT_TRUE(TableOctave13(*doc, lines, &widest, content, choices,
                              TableOutputOptions{.FormatFlag = 0, .DecimalIndex = 0, .SeparatorIndex = 2}));
    const std::string table = lines.Join();
    EXPECT_NE(table.find("\r\n24/05/14;14:30'20;FIRST;[dB];80.0;80.0;"), std::string::npos) << table;
    EXPECT_NE(table.find("\r\n24/05/15;08:00'00;SECOND;[dB];60.0;60.0;"), std::string::npos) << table;
}

TEST_F(OctaveForms, ThirdOctavesOfAnOrlu525ShownAsOctaves)
{
    // 31 third octaves from 20 Hz: ten whole octaves from 25 Hz, each three bands of 80 dB
    // (84.8 dB), then the three totals.
    auto doc = OpenSpec(ThirdOctaveSpec({800}));
    LineList lines;
    int widest = 0;
    ASSERT_TRUE(TextOctave11(*doc, lines, &widest, {}));
    EXPECT_EQ(lines.Join(), Golden("octave11-folded-525.txt"));

    // The table: a pair per row, the octaves then the named totals.
    LineList table;
    std::uint8_t content = 0;
    ASSERT_TRUE(TableOctave11(*doc, table, &widest, content, {},
                              TableOutputOptions{.FormatFlag = 1, .DecimalIndex = 0, .SeparatorIndex = 2}));
    const std::string rows = table.Join();
    EXPECT_EQ(rows.substr(0, rows.find("\r\n")), "OCTAVE_1/1__(A,_RMS)");
    EXPECT_NE(rows.find("\r\n31.5;84.8\r\n63.0;84.8\r\n"), std::string::npos) << rows;
    EXPECT_NE(rows.find("\r\n16000.0;84.8\r\nTOT_A;80.0\r\nTOT_C;80.0\r\nTOT_Lin;80.0\r\n"), std::string::npos)
        << rows;

    // A block over octave 0 sums third octaves 1 to 3 alone.
    CurrentFileSpec spec = ThirdOctaveSpec({1000, 800, 800, 800, 1000});
    auto loud = Open(Write("loud.orl", Container(kOrlu525, spec)));
    OctaveChoices block;
    block.block = true;
    block.markers = {0, 0};
    ASSERT_TRUE(TextOctave11(*loud, lines, &widest, block));
    const std::string text = lines.Join();
    EXPECT_NE(text.find("\r\nBlock RMS = 84.8 dB     \r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n   31.5      84.8\r\n"), std::string::npos) << text;
}

TEST_F(OctaveForms, OctaveRowsOfEachModelFromThirdOctaves)
{
    struct Case {
        const char* name;
        std::uint16_t device, firmware, inputKind, bands, extras;
        int octaves, named;
    };
    const Case cases[] = {
        {"ORLU 525", 525, 300, 2, 31, 3, 10, 3},
        {"ORLU 515 from 2.13", 515, 213, 2, 30, 3, 10, 3},
        {"ORLU 535 microphone above 3.01", 535, 302, 2, 31, 3, 10, 3},
        {"ORLU 530", 530, 302, 2, 31, 1, 10, 1},
        {"ORLU 535 accelerometer: its first total only", 535, 302, 5, 31, 3, 10, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CurrentFileSpec spec = ThirdOctaveSpec({800});
        spec.deviceType = c.device;
        spec.firmware = c.firmware;
        spec.inputKind = c.inputKind;
        spec.bands = c.bands;
        spec.bandExtras = c.extras;
        spec.spectrumLevels.assign(c.bands, 800);
        spec.spectrumLevels.resize(c.bands + c.extras, 700);
        auto doc = Open(Write("model.orl", Container(kOrlu525, spec)));
        LineList lines;
        int widest = 0;
        OctaveChoices dB;
        dB.units = c.inputKind == 2 ? 0 : 3; // an accelerometer steps through its quantities to dB
        ASSERT_TRUE(TextOctave11(*doc, lines, &widest, dB));
        const std::string text = lines.Join();
        auto count = [&](const std::string& cell) {
            int n = 0;
            for (std::size_t at = text.find(cell); at != std::string::npos; at = text.find(cell, at + 1))
                ++n;
            return n;
        };
        EXPECT_EQ(count("      84.8"), c.octaves) << text;
        EXPECT_EQ(count("      70.0"), c.named) << text;
    }
}

TEST_F(OctaveForms, SingleSpectrumTableNamesItsTotals)
{
    auto doc = OpenSpec(ThirdOctaveSpec(Rising(600, 34)));
    const std::string table = Table(*doc);
    EXPECT_EQ(table.substr(0, table.find("\r\n")), "OCTAVE_1/3__(A,_RMS)");
    EXPECT_NE(table.find("\r\n20.0;60.0\r\n"), std::string::npos) << table;
    EXPECT_NE(table.find("\r\n20000.0;90.0\r\nTOT_A;91.0\r\nTOT_C;92.0\r\nTOT_Lin;93.0\r\n"), std::string::npos)
        << table;
}

TEST_F(OctaveForms, AllRecordsOfALoggerMakeACrossTableThroughAScratchFileThatGoesAway)
{
    auto doc = OpenSpec(SpectrumLoggerSpec({700, 750, 800}));
    const auto before = std::distance(std::filesystem::directory_iterator(dir), {});
    const char* old = std::getenv("TMPDIR");
    const std::string saved = old ? old : "";
    ::setenv("TMPDIR", dir.c_str(), 1);
    OctaveChoices choices;
    choices.request.allRecords = true;
    const std::string table = Table(*doc, choices);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), before);

    // TMPDIR naming a missing folder: the message and no table.
    ::setenv("TMPDIR", (dir / "missing").c_str(), 1);
    LineList lines;
    int widest = 0;
    std::uint8_t content = 0;
    TableOctave13(*doc, lines, &widest, content, choices, TableOutputOptions{.FormatFlag = 1, .SeparatorIndex = 2});
    if (old)
        ::setenv("TMPDIR", saved.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
    EXPECT_EQ(lines.Size(), 0u);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"Could not create temporary file."});

    // One column per record, a row per band: 20 Hz reads 70.0, 75.0 and 80.0.
    EXPECT_NE(table.find(";20.0;70.0;75.0;80.0\r\n"), std::string::npos) << table;
    EXPECT_NE(table.find(";TOT_Lin;70.0;75.0;80.0\r\n"), std::string::npos) << table;
}

TEST_F(OctaveForms, CutShortOrOverlongSpectrumRecordIsSkipped)
{
    // The RMS record announces 31 + 3 values but holds 10; the MAX record is whole.
    CurrentFileSpec spec = ThirdOctaveSpec({800});
    spec.maxSpectrumLevels = {900};
    std::vector<std::uint8_t> file = CurrentMeasurementFile(spec);
    // Record 16 lies after the profiles; find it by its type and length word.
    std::size_t at = 0;
    for (std::size_t b = 0; b + 1 < file.size(); b += 2)
        if (file[b] == 16 && file[b + 1] == 5 + 34) {
            at = b;
            break;
        }
    ASSERT_NE(at, 0u);
    auto overwrite = [&](std::uint16_t bands) {
        std::vector<std::uint8_t> copy = file;
        copy[at + 6] = static_cast<std::uint8_t>(bands);
        copy[at + 7] = static_cast<std::uint8_t>(bands >> 8);
        return copy;
    };
    for (std::uint16_t bands : {std::uint16_t{200}, std::uint16_t{60000}}) {
        SCOPED_TRACE(bands);
        FixtureBuilder f;
        const std::vector<std::uint8_t> damaged = overwrite(bands);
        f.ContainerHeader(kOrlu525, 0, 0, static_cast<std::uint32_t>(damaged.size())).Bytes(damaged);
        auto doc = Open(Write("damaged.orl", f));
        LineList lines;
        int widest = 0;
        OctaveChoices all;
        all.request.allRecords = true;
        TextOctave13(*doc, lines, &widest, all);
        const std::string text = lines.Join();
        EXPECT_EQ(text.find("(A, RMS)"), std::string::npos) << text;
    }
}

} // namespace
} // namespace orlu
