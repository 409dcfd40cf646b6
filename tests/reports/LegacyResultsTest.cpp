// Main results of ORLU 505 METER-mode files, as text and as table: goldens
// written out from the file layout and the fixtures' words, and the cases that
// move or hide columns.

#include "document/DocumentTestSupport.h"

#include "reports/table/MainResultsTables.h"
#include "reports/text/LegacyResultsText.h"
#include "reports/text/MainResultsText.h"
#include "support/LegacyFixture.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace orlu {
namespace {

using fixture::LegacyFileSpec;

std::string Golden(const std::string& name)
{
    std::ifstream in(std::string(ORLU_SOURCE_DIR) + "/tests/golden/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

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

TEST_F(LegacyResultsReport, TableWithSemicolonAndDecimalComma)
{
    auto doc = OpenSpec(fixture::LegacyTwoChannelSpec(0x4010));
    ASSERT_TRUE(doc);
    LineList lines;
    std::int32_t width = 0;
    std::uint8_t kind = 0;
    TableOutputOptions options;
    options.DecimalIndex = 1;
    options.SeparatorIndex = 2;
    MainTableRequest request{lines, width, kind, 0x3, 0, options};
    ASSERT_EQ(MainResultsTableFor(*doc), &TableFormLegacyResults);
    TableFormLegacyResults(*doc, request);
    const std::string table = lines.Join();
    EXPECT_EQ(table.substr(0, 15), "Main_results:\r\n") << table;
    // Channel 1 (microphone, dB): Res 81.5, LeqX absent, Spl 81.2, Ltm3 and Ltm5 of the prefixed file.
    EXPECT_NE(table.find(";#1;Leq;A;00:10'00;dB;81,5;104,5;58,7;93,4;-----;81,2;"), std::string::npos) << table;
    // Channel 2 (accelerometer, linear): no Spl, no Ltm, no SEL.
    EXPECT_NE(table.find(";#2;Val;Wd;00:10'00;"), std::string::npos) << table;
    EXPECT_EQ(kind, kTableKindMainResults);
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
