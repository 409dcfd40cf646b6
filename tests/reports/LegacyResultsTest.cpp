// Main results of ORLU 505 METER-mode files, as text and as table: goldens
// written out from the file layout and the fixtures' words, and the cases that
// move or hide columns.

#include "document/DocumentTestSupport.h"

#include "reports/table/MainResultsTables.h"
#include "reports/text/LegacyResultsText.h"
#include "reports/text/MainResultsText.h"
#include "support/GoldenText.h"
#include "support/LegacyFixture.h"

#include <algorithm>
#include <stdexcept>

namespace orlu {
namespace {

using fixture::LegacyFileSpec;
using fixture::Golden;

class LegacyResultsReport : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenSpec(const LegacyFileSpec& spec, std::uint8_t kind = 3)
    {
        return Open(Write("meter.orl", fixture::LegacyContainer(kind, spec)));
    }
    std::string Text(CTmDoc& doc, std::uint16_t mask, std::uint8_t units)
    {
        LineList lines;
        int widest = -1;
        EXPECT_TRUE(FormatMainResultsText(doc, lines, &widest, mask, units));
        return lines.Join();
    }
    // The table with ';' between the fields and a decimal comma.
    std::string Table(CTmDoc& doc, std::uint16_t mask, std::uint8_t units)
    {
        LineList lines;
        std::int32_t width = 0;
        std::uint8_t kind = 0;
        TableOutputOptions options;
        options.DecimalIndex = 1;
        options.SeparatorIndex = 2;
        MainTableRequest request{lines, width, kind, mask, units, options};
        TableFormLegacyResults(doc, request);
        EXPECT_EQ(kind, kTableKindMainResults);
        return lines.Join();
    }
};

TEST_F(LegacyResultsReport, TextsMatchTheirGoldens)
{
    const struct {
        const char* golden;
        LegacyFileSpec spec;
        std::uint16_t mask;
        std::uint8_t units;
    } cases[] = {
        {"legacy-results-one-channel.txt", fixture::PlausibleLegacySpec(), 0, 0},
        {"legacy-results-intensity-probe.txt", fixture::LegacyProbeSpec(false), 0x1F, 0},
        {"legacy-results-vector-probe-db.txt", fixture::LegacyProbeSpec(true), 0x1F, 1},
    };
    for (const auto& c : cases) {
        auto doc = OpenSpec(c.spec);
        ASSERT_TRUE(doc) << c.golden;
        EXPECT_EQ(Text(*doc, c.mask, c.units), Golden(c.golden)) << c.golden;
    }
}

TEST_F(LegacyResultsReport, ChannelsFunctionsAndFiltersDecideTheRows)
{
    // A five-channel OR08A probe file without vector or intensity shows its four axes.
    LegacyFileSpec axes = fixture::LegacyProbeSpec(false);
    axes.probeFlags = 0;
    auto doc = OpenSpec(axes);
    ASSERT_TRUE(doc);
    std::string text = Text(*doc, 0x1F, 0);
    EXPECT_NE(text.find("  #4 "), std::string::npos);
    EXPECT_EQ(text.find("  #5 "), std::string::npos);
    EXPECT_EQ(text.find("  SI "), std::string::npos);

    // Function 0 gives no row; no row at all writes nothing.
    LegacyFileSpec undefined = fixture::PlausibleLegacySpec();
    undefined.channels[0].function = 0;
    doc = OpenSpec(undefined);
    ASSERT_TRUE(doc);
    EXPECT_EQ(Text(*doc, 0, 0), "");

    // "C&A" stores a second level: LeqX 0.1 + 1.2 dB, no crest factor; an overload ends the row.
    LegacyFileSpec dual = fixture::PlausibleLegacySpec();
    dual.channels[0].filter = 4;
    dual.channels[0].flags = 0x12;
    doc = OpenSpec(dual);
    ASSERT_TRUE(doc);
    text = Text(*doc, 0, 0);
    EXPECT_NE(text.find("   93.4    1.2   81.2 |   -----"), std::string::npos) << text;
    EXPECT_NE(text.find("  Overload!\r\n"), std::string::npos);
}

TEST_F(LegacyResultsReport, EachColumnsUnitFollowsTheInputThatFillsIt)
{
    // A microphone and an accelerometer (bit 4: VDV) with unit option 1: the microphone
    // linear in Pa, the accelerometer in dB, its VDV column headed dB.
    LegacyFileSpec spec = fixture::LegacyTwoChannelSpec(0x4010);
    auto doc = OpenSpec(spec);
    ASSERT_TRUE(doc);
    const std::string text = Text(*doc, 3, 1);
    EXPECT_NE(text.find("|    Pa |"), std::string::npos) << text;
    EXPECT_NE(text.find("|    dB |"), std::string::npos) << text;
    EXPECT_NE(text.find("     Pa\xB2s     Pa\xB2s"), std::string::npos) << text;
}

TEST_F(LegacyResultsReport, TablesWithSemicolonAndDecimalCommaMatchTheirGoldens)
{
    LegacyFileSpec probe = fixture::LegacyProbeSpec(true);
    probe.vdv = true;
    LegacyFileSpec prefixed = fixture::LegacyTwoChannelSpec(0x4010);
    prefixed.vdv = true;
    const struct {
        const char* golden;
        LegacyFileSpec spec;
        std::uint16_t mask;
        std::uint8_t units;
    } cases[] = {
        // Accelerometer axes in dB: VDV for the Wd and Wk axes only, the vector row and its formula.
        {"legacy-results-table-vector-probe-vdv.txt", probe, 0x1F, 1},
        // The microphone of a prefixed file: Ltm3 and Ltm5, the VDV column of the unselected accelerometer.
        {"legacy-results-table-v1-microphone.txt", prefixed, 0x1, 0},
    };
    for (const auto& c : cases) {
        auto doc = OpenSpec(c.spec);
        ASSERT_TRUE(doc) << c.golden;
        ASSERT_EQ(MainResultsTableFor(*doc), &TableFormLegacyResults);
        EXPECT_EQ(Table(*doc, c.mask, c.units), Golden(c.golden)) << c.golden;
    }
}

TEST_F(LegacyResultsReport, OneChannelFileReportsItsChannelWhateverTheMask)
{
    auto doc = OpenSpec(fixture::PlausibleLegacySpec());
    ASSERT_TRUE(doc);
    const std::string expected = Golden("legacy-results-one-channel.txt");
    for (std::uint16_t mask : {0x0, 0x1, 0x4}) {
        EXPECT_EQ(Text(*doc, mask, 0), expected) << mask;
        const std::string table = Table(*doc, mask, 0);
        EXPECT_NE(table.find("\r\nDate;Start;Fun;"), std::string::npos) << table;
        EXPECT_NE(table.find("\r\n24/05/14;14:30'20;Leq;A;00:10'00;dB;81,5;"), std::string::npos) << table;
    }
}

TEST_F(LegacyResultsReport, PrefixedFilesShowTheirRowsLtmAndVdv)
{
    for (std::uint16_t prefix : {0x4010, 0x4011}) {
        LegacyFileSpec spec = fixture::LegacyTwoChannelSpec(prefix);
        spec.vdv = true;
        auto doc = OpenSpec(spec);
        ASSERT_TRUE(doc) << prefix;
        // Unit option 0: the microphone in dB with Ltm3 and Ltm5 (words 11 and 12).
        std::string text = Text(*doc, 0x1, 0);
        EXPECT_NE(text.find("        Start        Prof  Fun  Filter Time     | units | Result   Peak    Min    Max"
                            "   LeqX    Spl   Ltm3   Ltm5 |     CrF      VDV      SEL     Lex8\r\n"),
                  std::string::npos)
            << text;
        EXPECT_NE(text.find(" 24/05/14  14:30'20   #1   Leq  A      00:10'00 |    dB |   81.5  104.5   58.7   93.4"
                            "  -----   81.2   85.0   86.0 |    1.15    -----    109.3     64.7\r\n"),
                  std::string::npos)
            << text;
        // Unit option 1: the accelerometer in dB, VDV from word 9, no Spl, Ltm, SEL or note.
        text = Text(*doc, 0x2, 1);
        EXPECT_NE(text.find(" 24/05/14  14:30'20   #2   Val  Wd     00:10'00 |    dB |   82.5  105.5   59.7   94.4"
                            "  -----  -----  -----  ----- |    1.29    104.2    -----    -----\r\n"),
                  std::string::npos)
            << text;
        EXPECT_EQ(text.find("sx = s^1.75"), std::string::npos) << text;
    }
}

TEST_F(LegacyResultsReport, VdvNeedsTheFlagAnAccelerometerAndAnAccelerationFilter)
{
    // VDV in word 9 of the second row: 104.2 dB re 1 um/s^1.75, 0.162 m/s^1.75.
    const std::string linearVdv = "|    1.29  1.62e-1    -----    -----\r\n";
    LegacyFileSpec spec = fixture::LegacyTwoChannelSpec(0x4010);
    spec.vdv = true;
    auto doc = OpenSpec(spec);
    ASSERT_TRUE(doc);
    // Linear (unit option 0): m/sx, an exponent, and the note after the rule.
    std::string text = Text(*doc, 0x3, 0);
    EXPECT_NE(text.find("|     ---     m/sx       dB       dB\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find(linearVdv), std::string::npos) << text;
    EXPECT_TRUE(text.ends_with("-\r\n  sx = s^1.75\r\n")) << text;
    std::string table = Table(*doc, 0x3, 0);
    EXPECT_NE(table.find(";CrF;VDV[m/sx];SEL[dB];Lex8[dB]\r\n"), std::string::npos) << table;
    EXPECT_NE(table.find(";1,29;1,62e-1;-----;-----\r\n"), std::string::npos) << table;
    EXPECT_TRUE(table.ends_with("\r\nsx_=_s^1,75\r\n")) << table;

    // A velocity filter on the accelerometer: the column stays, its cell is empty, no note.
    spec.channels[1].filter = 12; // "KB"
    doc = OpenSpec(spec);
    ASSERT_TRUE(doc);
    text = Text(*doc, 0x3, 0);
    EXPECT_NE(text.find("      VDV      SEL"), std::string::npos) << text;
    EXPECT_NE(text.find("|    1.29    -----    -----    -----\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("sx = s^1.75"), std::string::npos) << text;

    // Without the flag no VDV column, whatever the channels.
    spec = fixture::LegacyTwoChannelSpec(0x4010);
    doc = OpenSpec(spec);
    ASSERT_TRUE(doc);
    text = Text(*doc, 0x3, 0);
    EXPECT_EQ(text.find("VDV"), std::string::npos) << text;
    EXPECT_EQ(text.find("sx = s^1.75"), std::string::npos) << text;
    EXPECT_EQ(Table(*doc, 0x3, 0).find("VDV"), std::string::npos);
}

// A prefixed two-channel file whose words are patched after it is written, the check
// word made good again: the prefix, a header of 13 words and channel blocks of 10
// and 9 words put the rows of 35 words at words 33 and 68, the check word at 103.
fixture::FixtureBuilder DamagedLegacyFile(std::size_t keepWords, std::size_t patchWord, std::uint16_t value)
{
    LegacyFileSpec spec = fixture::LegacyTwoChannelSpec(0x4010);
    std::vector<std::uint8_t> file = fixture::LegacyMeasurementFile(spec);
    if (file.size() != 104 * 2)
        throw std::logic_error("the damaged files expect rows at words 33 and 68");
    fixture::FixtureBuilder words;
    for (std::size_t i = 0; i < keepWords; ++i) {
        const auto w = static_cast<std::uint16_t>(file[2 * i] | file[2 * i + 1] << 8);
        words.Le16(i == patchWord ? value : w);
    }
    words.ChecksumWord(0);
    fixture::FixtureBuilder f;
    f.ContainerHeader(3, 0, 0, static_cast<std::uint32_t>(words.Data().size())).Bytes(words.Data());
    return f;
}

TEST_F(LegacyResultsReport, RowsPastTheImageEndAreNotRead)
{
    constexpr std::size_t kAll = 103, kNoPatch = 1000;
    const struct {
        const char* name;
        std::size_t keepWords;
        std::size_t patchWord;
        std::uint16_t value;
        bool decoded, firstRow, secondRow;
    } cases[] = {
        {"the second row's length runs past the end", kAll, 68, 0x7FFF, true, true, false},
        {"the first row's length runs past the end", kAll, 33, 0xFFFF, true, false, false},
        {"a row length of 0", kAll, 33, 0, true, false, false},
        {"the image ends inside the second row", 80, kNoPatch, 0, true, true, false},
        {"the image ends inside the first row", 40, kNoPatch, 0, false, false, false},
        {"the image ends after the channel blocks", 33, kNoPatch, 0, false, false, false},
    };
    for (const auto& c : cases) {
        auto doc = Open(Write("damaged.orl", DamagedLegacyFile(c.keepWords, c.patchWord, c.value)));
        ASSERT_TRUE(doc) << c.name;
        // The decoder itself refuses a file that ends before its first row is whole;
        // the renderers then write nothing either.
        EXPECT_EQ(doc->LegacyDecoded(), c.decoded) << c.name;
        LineList lines;
        int widest = 0;
        EXPECT_TRUE(FormatLegacyResultsText(*doc, lines, &widest, 0x3, 0));
        const std::string text = lines.Join();
        const std::string table = Table(*doc, 0x3, 0);
        EXPECT_EQ(text.find("   #1 ") != std::string::npos, c.firstRow) << c.name << "\n" << text;
        EXPECT_EQ(text.find("   #2 ") != std::string::npos, c.secondRow) << c.name << "\n" << text;
        EXPECT_EQ(table.find(";#1;") != std::string::npos, c.firstRow) << c.name << "\n" << table;
        EXPECT_EQ(table.find(";#2;") != std::string::npos, c.secondRow) << c.name << "\n" << table;
        if (!c.firstRow && !c.secondRow) {
            EXPECT_EQ(text, "") << c.name;
            EXPECT_EQ(table, "") << c.name;
        }
    }
}

TEST_F(LegacyResultsReport, AShortRowHasNoWordsOfTheNext)
{
    // The first row says 8 words: SEL (word 8), Ltm3 and Ltm5 are absent, not the second row's words.
    auto doc = Open(Write("short.orl", DamagedLegacyFile(103, 33, 8)));
    ASSERT_TRUE(doc);
    const std::string text = Text(*doc, 0x1, 0);
    EXPECT_NE(text.find("   81.2  -----  ----- |    1.15    -----    -----\r\n"), std::string::npos) << text;
}

TEST_F(LegacyResultsReport, ReducedFilesHaveNoMainResults)
{
    LegacyFileSpec spec = fixture::LegacyHistorySpec(20);
    spec.reduced = true;
    auto doc = OpenSpec(spec, 10);
    ASSERT_TRUE(doc);
    EXPECT_EQ(MainResultsTableFor(*doc), nullptr);
    LineList lines;
    int widest = 0;
    EXPECT_FALSE(FormatMainResultsText(*doc, lines, &widest, 1, 0));
}

} // namespace
} // namespace orlu
