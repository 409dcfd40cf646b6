// Legacy result rows: levels in dB and linear units, the second filter's
// level against the crest factor, the microphone's SEL and Lex8, Ltm3 and
// Ltm5 of prefixed files, VDV in inches, and rows shorter than their words.

#include "document/headers/CurrentHeader.h"
#include "document/records/WordImage.h"
#include "document/results/ResultDecoders.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace orlu {
namespace {

using test::WordImage;

// Length 13, duration, second (30: 3 dB), peak, max, min, spl, result, sel, vdv, -, ltm3, ltm5.
const std::vector<std::uint16_t> kRow = {13, 60, 30, 1000, 900, 800, 700, 940, 1000, 1200, 0, 850, 860};

struct LegacyRow {
    explicit LegacyRow(const std::vector<std::uint16_t>& words, std::uint32_t rowWord = 0) : img(words)
    {
        ctx.pages = &img.image;
        ctx.byteCount = img.reader.ByteCount();
        ctx.firstRecord = rowWord;
        ctx.orlu505File = true;
        ctx.inputKind = kInputMicrophone;
    }
    ResultValues Decode(bool linear, int e = 6, double m = 1.0) const
    {
        ResultValues out;
        out.sel = out.lex8 = out.ltm3 = out.ltm5 = out.spl = -1.0; // what the caller had there
        DecodeLegacyResults(ctx, out, linear, e, m);
        return out;
    }
    WordImage img;
    ResultContext ctx;
};

double Lin(double w, int e)
{
    return std::pow(10.0, w / 200.0 - e);
}

TEST(LegacyResults, DbRowOfAPrefixedMicrophoneFile)
{
    LegacyRow row(kRow);
    row.ctx.legacyPrefixVariant = 1;
    const ResultValues v = row.Decode(false, 6, 2.0);
    // Levels and Spl and Ltm take the display multiplier; SEL, Lex8, VDV and a crest factor do not.
    EXPECT_DOUBLE_EQ(v.result, 188.0);
    EXPECT_DOUBLE_EQ(v.peak, 200.0);
    EXPECT_DOUBLE_EQ(v.min, 160.0);
    EXPECT_DOUBLE_EQ(v.max, 180.0);
    EXPECT_DOUBLE_EQ(v.spl, 140.0);
    EXPECT_DOUBLE_EQ(v.ltm3, 170.0);
    EXPECT_DOUBLE_EQ(v.ltm5, 172.0);
    EXPECT_DOUBLE_EQ(v.second, std::pow(10.0, 0.15));
    EXPECT_DOUBLE_EQ(v.sel, 100.0);
    EXPECT_NEAR(v.lex8, 55.4, 1e-12);
    EXPECT_DOUBLE_EQ(v.vdv, 120.0);
}

TEST(LegacyResults, LinearRowWithTheSensitivityOffset)
{
    LegacyRow row(kRow);
    row.ctx.dualFilter = true;
    row.ctx.sensitivityOffset = 20;
    const ResultValues v = row.Decode(true, 6, 1000.0);
    // The offset raises words 2 to 7 only.
    EXPECT_DOUBLE_EQ(v.result, 1000.0 * Lin(960, 6));
    EXPECT_DOUBLE_EQ(v.peak, 1000.0 * Lin(1020, 6));
    EXPECT_DOUBLE_EQ(v.min, 1000.0 * Lin(820, 6));
    EXPECT_DOUBLE_EQ(v.max, 1000.0 * Lin(920, 6));
    EXPECT_DOUBLE_EQ(v.spl, 1000.0 * Lin(720, 6));
    EXPECT_DOUBLE_EQ(v.second, 1000.0 * Lin(50, 6)); // the second filter's level
    // SEL 100 dB: (20 x 10^(100/20 - 6))^2 = 4 Pa2s, in both cells.
    EXPECT_NEAR(v.sel, 4.0, 1e-12);
    EXPECT_NEAR(v.lex8, 4.0, 1e-12);
    EXPECT_DOUBLE_EQ(v.vdv, Lin(1200, 6));
    // No prefix: Ltm3 and Ltm5 keep what was there.
    EXPECT_EQ(v.ltm3, -1.0);
    EXPECT_EQ(v.ltm5, -1.0);
}

TEST(LegacyResults, CrestFactorIsTheSameRatioInBothModes)
{
    LegacyRow row(kRow);
    row.ctx.sensitivityOffset = 40;
    EXPECT_DOUBLE_EQ(row.Decode(false).second, std::pow(10.0, 0.15));
    EXPECT_DOUBLE_EQ(row.Decode(true, 9, 1000.0).second, std::pow(10.0, 0.15));
}

TEST(LegacyResults, ColumnsByInputAndPrefix)
{
    const struct {
        std::uint16_t Input;
        std::uint8_t Prefix;
        bool Microphone; // Spl, SEL, Lex8
        bool Ltm;
    } cases[] = {
        {kInputMicrophone, 0, true, false}, {kInputMicrophone, 1, true, true},  {kInputDirect, 2, false, true},
        {kInputDirect, 0, false, false},    {kInputAccelerometer, 3, false, false}, {kInputCharge, 1, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "input " << c.Input << " prefix " << int{c.Prefix});
        LegacyRow row(kRow);
        row.ctx.inputKind = c.Input;
        row.ctx.legacyPrefixVariant = c.Prefix;
        const ResultValues v = row.Decode(false);
        EXPECT_EQ(v.spl, c.Microphone ? 70.0 : -1.0);
        EXPECT_EQ(v.sel, c.Microphone ? 100.0 : 0.0); // cleared for other inputs
        EXPECT_EQ(v.lex8 != 0.0, c.Microphone);
        EXPECT_EQ(v.ltm3, c.Ltm ? 85.0 : -1.0);
        EXPECT_EQ(v.ltm5, c.Ltm ? 86.0 : -1.0);
    }
}

TEST(LegacyResults, VdvInInchesOnlyWhenLinear)
{
    LegacyRow row(kRow);
    row.ctx.inputKind = kInputAccelerometer;
    row.ctx.nonMetric = true;
    EXPECT_DOUBLE_EQ(row.Decode(true, 6).vdv, 39.37007874); // 10^(1200/200 - 6) = 1 m/s^1.75
    EXPECT_DOUBLE_EQ(row.Decode(false).vdv, 120.0);
    row.ctx.nonMetric = false;
    EXPECT_DOUBLE_EQ(row.Decode(true, 6).vdv, 1.0);
}

TEST(LegacyResults, WordsPastTheRowAreAbsent)
{
    // A 10-word row (no Ltm words) followed by the next row: its words are never taken.
    std::vector<std::uint16_t> words(kRow.begin(), kRow.begin() + 10);
    words[0] = 10;
    words.insert(words.end(), {5, 61, 850, 860, 870});
    LegacyRow row(words);
    row.ctx.legacyPrefixVariant = 1;
    const ResultValues v = row.Decode(false);
    EXPECT_DOUBLE_EQ(v.vdv, 120.0);
    EXPECT_TRUE(IsAbsent(v.ltm3));
    EXPECT_TRUE(IsAbsent(v.ltm5));
}

TEST(LegacyResults, LargestLevelReadsTheRowItself)
{
    // A row at word 4: index set 0 takes words 3, 4, 5 and 7 of it (peak 100 dB is the largest).
    std::vector<std::uint16_t> words = {3, 0, 0, 0};
    words.insert(words.end(), kRow.begin(), kRow.end());
    LegacyRow row(words, 4);
    EXPECT_DOUBLE_EQ(GetMaxLevel(row.ctx, 0, 0, false, 0, 6), 100.0);
    EXPECT_DOUBLE_EQ(GetMaxLevel(row.ctx, 0, 0, true, 20, 6), std::pow(10.0, 1000 / 200.0 + 0.1 - 6));
}

} // namespace
} // namespace orlu
