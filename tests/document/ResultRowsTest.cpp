// Result rows and level texts: dB and linear values, the dose, exposure and
// SEL formulas, and the vibration units.

#include "document/channel/ChannelSelection.h"
#include "document/headers/CurrentHeader.h"
#include "document/results/ResultDecoders.h"
#include "document/units/LevelUnits.h"
#include "support/FixtureBuilder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orlu {
namespace {

using fixture::FixtureBuilder;

// Consecutive results records of `words` words each (word 0 included), from word 0 of the image:
// words 1 and 2 hold the measurement time in the first, the overload time in the others.
struct ResultImage {
    ResultImage(std::uint32_t seconds, std::uint32_t overload, std::vector<std::vector<std::int16_t>> rows,
                std::uint16_t words = 14)
    {
        FixtureBuilder f;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            std::vector<std::uint16_t> w(words - 1u, 0);
            const std::uint32_t t = r == 0 ? seconds : overload;
            w[0] = static_cast<std::uint16_t>(t);
            w[1] = static_cast<std::uint16_t>(t >> 16);
            for (std::size_t k = 0; k < rows[r].size(); ++k)
                w[k + 2] = static_cast<std::uint16_t>(rows[r][k]); // word 3 on
            f.Record(7, w);
        }
        f.Padding(512);
        bytes = f.Data();
        for (std::size_t p = 0; p < bytes.size(); p += 512)
            image.AppendPage(bytes.data() + p);
        size = static_cast<std::uint32_t>(bytes.size() - 512);
    }
    ResultContext Context(const ModelFlags& model, std::uint16_t firmware) const
    {
        ResultContext ctx;
        ctx.pages = &image;
        ctx.byteCount = size;
        ctx.firstRecord = 0;
        ctx.model = model;
        ctx.firmware = firmware;
        return ctx;
    }
    std::vector<std::uint8_t> bytes;
    PagedFileImage image;
    std::uint32_t size = 0;
};

// Words 3 to 13 of a row.
std::vector<std::int16_t> Levels(std::initializer_list<std::int16_t> w)
{
    return std::vector<std::int16_t>(w);
}

TEST(ResultRows, LevelsInDbAndLinearWithEachReferenceExponent)
{
    // Older-firmware sound level meter: result w7, peak w3, min w5, max w4, spl w6.
    ResultImage img(600, 6, {Levels({1000, 900, 800, 700, 940, 0, 0, 0, 0, 0, 0}), Levels({0})});
    const ResultContext ctx = img.Context({.Family525 = true}, 300);
    ResultValues db;
    DecodeSlmDoseResults(ctx, 0, db, false, 6, 1.0);
    EXPECT_DOUBLE_EQ(db.peak, 100.0);
    EXPECT_DOUBLE_EQ(db.max, 90.0);
    EXPECT_DOUBLE_EQ(db.min, 80.0);
    EXPECT_DOUBLE_EQ(db.spl, 70.0);
    EXPECT_DOUBLE_EQ(db.result, 94.0);
    EXPECT_NEAR(db.sel, 94.0 + 10 * std::log10(600.0), 1e-9);
    EXPECT_NEAR(db.sel8, 94.0 + 44.6, 1e-9);
    for (int e : {6, 9, 12}) {
        SCOPED_TRACE(e);
        ResultValues lin;
        DecodeSlmDoseResults(ctx, 0, lin, true, e, 1.0);
        EXPECT_NEAR(lin.peak / std::pow(10.0, 1000 / 200.0 - e), 1.0, 1e-12);
        EXPECT_NEAR(lin.result / std::pow(10.0, 940 / 200.0 - e), 1.0, 1e-12);
        const double p = 20 * std::pow(10.0, (94.0 + 10 * std::log10(600.0)) / 20 - e);
        EXPECT_NEAR(lin.sel / (p * p), 1.0, 1e-12);
        EXPECT_EQ(lin.sel8, lin.sel);
    }
    // The display multiplier scales the level slots, not the SEL of a linear row.
    ResultValues scaled;
    DecodeSlmDoseResults(ctx, 0, scaled, true, 6, 1000.0);
    EXPECT_NEAR(scaled.peak, 1000.0 * std::pow(10.0, -1.0), 1e-9);
    EXPECT_NEAR(scaled.sel, 20 * 20 * std::pow(10.0, (94.0 + 10 * std::log10(600.0)) / 10 - 12), 1e-12);
    EXPECT_DOUBLE_EQ(scaled.overloadPercent, 0.0); // below firmware 5.05 there is none
    ResultValues later;
    DecodeSlmDoseResults(img.Context({.Family525 = true}, 505), 0, later, false, 6, 1.0);
    EXPECT_DOUBLE_EQ(later.overloadPercent, 1.0);
}

TEST(ResultRows, DoseExposureAndSelFormulas)
{
    struct Case {
        const char* name;
        std::uint32_t seconds;
        std::uint16_t exchange, exposureMinutes;
        std::int16_t doseWord;
        double dose, dose8;
    } cases[] = {
        {"8 hours at the criterion + 3 dB", 28800, 3, 480, 850 + 446, 100, 100},
        {"4 hours: half the 8-hour dose", 14400, 3, 480, 850 + 446, 100, 200},
        {"exchange rate 4", 28800, 4, 480, 850 + 400, std::floor(std::pow(10.0, 400 * 0.030103 / 4) / 288 + 0.5),
         std::floor(std::pow(10.0, 400 * 0.030103 / 4) * 100 / 28800 + 0.5)},
        {"capped", 28800, 3, 480, 850 + 900, 9999, 9999},
        {"exchange rate 0", 28800, 0, 480, 850 + 446, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Firmware 3.00: Leq word w7 = 900 (90 dB), dose word w9.
        ResultImage img(c.seconds, 0, {Levels({0, 0, 0, 0, 900, 0, c.doseWord}), Levels({0})});
        ResultContext ctx = img.Context({.Family525 = true}, 300);
        ctx.function = kFunctionDoseMeter;
        ctx.criterionLevel = 850;
        ctx.exchangeRate = c.exchange;
        ctx.exposureMinutes = c.exposureMinutes;
        ResultValues v;
        DecodeSlmDoseResults(ctx, 0, v, false, 6, 1.0);
        EXPECT_DOUBLE_EQ(v.dose, c.dose);
        EXPECT_DOUBLE_EQ(v.dose8, c.dose8);
        const double p = std::pow(10.0, 900 / 100.0 - 12) * 320000;
        EXPECT_DOUBLE_EQ(v.exposure, std::min(std::floor(c.seconds / 28800.0 * p + 0.5), 9999.0) / 100);
        EXPECT_DOUBLE_EQ(v.exposure8, std::min(std::floor(p + 0.5), 9999.0) / 100);
        EXPECT_NEAR(v.lepd, 10 * std::log10(60.0 * c.exposureMinutes) + 90.0 - 44.6, 1e-9);
        EXPECT_NEAR(v.psel, 10 * std::log10(double(c.seconds)) + 90.0 - 44.6, 1e-9);
    }
}

TEST(ResultRows, DoseInHundredthsOfADecibel)
{
    // ORLU 545 from 2.16 without a time history: words and the criterion level in 0.01 dB.
    // Leq w9 = 9000 (90.00 dB), dose word w13 = 8500 + 4460 (44.60 dB above the criterion 85.00 dB).
    const std::vector<std::int16_t> row = Levels({11000, 0, 8000, 8500, 10000, 0, 9000, 0, 0, 8800, 8500 + 4460});
    ResultImage img(28800, 0, {row, row, row, row, row});
    ResultContext ctx = img.Context({.FourChannel = true}, 219);
    ctx.levelDivisor = 100.0;
    ctx.linearDivisor = 2000.0;
    ctx.function = kFunctionDoseMeter;
    ctx.inputKind = kInputMicrophone;
    ctx.criterionLevel = 8500;
    ctx.exchangeRate = 3;
    ctx.exposureMinutes = 480;
    ResultValues v;
    DecodeResultRow(ctx, 0, 0, v, false, 6, 1.0);
    EXPECT_DOUBLE_EQ(v.result, 90.0);
    EXPECT_DOUBLE_EQ(v.lav, 88.0);
    EXPECT_DOUBLE_EQ(v.doseLevel, 129.6);
    // H = 10^(4460 x 0.01 x 10 / 100) = 10^4.46 = 28840: dose = 28840 / 288 = 100.1 -> 100; dose8 = 28840 x 100 / 28800 -> 100.
    EXPECT_EQ(v.dose, 100.0);
    EXPECT_EQ(v.dose8, 100.0);
    // P = 10^(10 / 100 x 9000 / 100 - 12) x 320000 = 10^-3 x 320000 = 320: E = E8 = 3.20 Pa2h.
    EXPECT_DOUBLE_EQ(v.exposure, 3.2);
    EXPECT_DOUBLE_EQ(v.exposure8, 3.2);
    // LEPd = PSEL = 10 log10(28800) + 90.00 - 44.6 = 44.594 + 45.4 = 89.994 dB.
    EXPECT_NEAR(v.lepd, 89.994, 0.001);
    EXPECT_NEAR(v.psel, 89.994, 0.001);
    // Linear with the exponent divisor 2000: 10^(9000 / 2000 - 6) = 10^-1.5.
    ResultValues lin;
    DecodeResultRow(ctx, 0, 0, lin, true, 6, 1.0);
    EXPECT_NEAR(lin.result, std::pow(10.0, -1.5), 1e-15);
}

TEST(LevelTexts, DisplayQuantityByInput)
{
    struct Case {
        std::uint16_t input;
        std::uint8_t option;
        bool mixed;
        std::uint8_t quantity;
    } cases[] = {
        {kInputReference, 0, false, 1}, {kInputDirect, 1, false, 0},        {kInputMicrophone, 1, false, 1},
        {kInputMicrophone, 0, false, 0}, {kInputMicrophone, 1, true, 0},     {kInputAccelerometer, 0, false, 1},
        {kInputCharge, 2, false, 3},     {kInputAccelerometer, 3, false, 0}, {kInputUndefined, 1, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "input " << c.input << " option " << int(c.option));
        EXPECT_EQ(GetDisplayQuantity(c.input, c.option, c.mixed), c.quantity);
    }
}

TEST(ResultRows, OlderMetersAndZeroTimes)
{
    // ORLU 515 below 2.00: result w7, dose word w8; SEL from Log10x100 of T.
    ResultImage img(3600, 0, {Levels({1000, 900, 800, 700, 900, 860, 0, 0, 0, 0}), Levels({0})});
    ResultContext ctx = img.Context({.Family515Text = true}, 150);
    ctx.criterionLevel = 850;
    ctx.exchangeRate = 3;
    ctx.exposureMinutes = 480;
    ResultValues v;
    DecodeSlmResults(ctx, 0, v, false, 6, 1.0);
    EXPECT_DOUBLE_EQ(v.sel, (900 + Log10x100(3600)) / 10.0);
    EXPECT_DOUBLE_EQ(v.psel, (900 + Log10x100(3600) - 446) / 10.0);
    EXPECT_DOUBLE_EQ(v.lex8, (900 + Log10x100(60 * 480) - 446) / 10.0);
    EXPECT_NEAR(v.dose8, 100 * std::pow(10.0, 10 * 0.030103 / 3), 1e-9);
    EXPECT_NEAR(v.dose, 3600 / 28800.0 * v.dose8, 1e-9);
    EXPECT_EQ(Log10x100(3600), 355);

    // The cap of the 8-hour projection does not shrink the dose over T. Dose word 23.0 dB above the
    // criterion, exchange rate 3: dose8 = 100 x 10^(230 x 0.030103 / 3) = 100 x 10^2.30790 = 20318.7,
    // held at 9999.9; over T = 2 h the dose is 7200 / 28800 x 20318.7 = 5079.7 (not a quarter of 9999.9).
    ResultImage twoHours(7200, 0, {Levels({1000, 900, 800, 700, 900, 850 + 230}), Levels({0})});
    ResultContext capped = twoHours.Context({.Family515Text = true}, 150);
    capped.criterionLevel = 850;
    capped.exchangeRate = 3;
    ResultValues high;
    DecodeSlmResults(capped, 0, high, false, 6, 1.0);
    EXPECT_DOUBLE_EQ(high.dose8, 9999.9);
    EXPECT_NEAR(high.dose, 5079.7, 0.1);
    // No exposition time has no Lex8 (100 log10 of 0 s has no value), not the Leq - 44.6 of a 1-second day.
    ResultValues noDay;
    DecodeSlmResults(capped, 0, noDay, false, 6, 1.0);
    EXPECT_TRUE(IsAbsent(noDay.lex8));

    // A measurement time of 0 gives absent SEL values and no overload percentage, never infinities.
    ResultImage zero(0, 5, {Levels({1000, 900, 800, 700, 900, 860}), Levels({0})});
    ResultContext z = zero.Context({.Family515Text = true}, 600);
    z.exchangeRate = 0;
    ResultValues older;
    DecodeSlmResults(z, 0, older, false, 6, 1.0);
    EXPECT_TRUE(IsAbsent(older.sel));
    EXPECT_TRUE(IsAbsent(older.psel));
    EXPECT_EQ(older.dose, 0.0);
    EXPECT_EQ(older.overloadPercent, 0.0);
    ResultValues newer;
    z.model = {.Family525 = true};
    z.function = kFunctionDoseMeter;
    DecodeSlmDoseResults(z, 0, newer, false, 6, 1.0);
    EXPECT_TRUE(IsAbsent(newer.sel));
    EXPECT_EQ(newer.psel, 0.0);
    EXPECT_EQ(newer.dose8, 0.0);
}

TEST(ResultRows, ProfileLayoutBWithoutDoseWords)
{
    ResultImage img(100, 0, {Levels({1000, 0, 900, 800, 700, 950, 0, 600, 610, 0}), Levels({0})}, 13);
    ResultValues v;
    v.lav = 5;
    v.doseLevel = 5;
    DecodeProfileResults(img.Context({.Family535 = true}, 505), 0, 0, v, false, 6, 1.0);
    EXPECT_DOUBLE_EQ(v.result, 95.0); // w8
    EXPECT_DOUBLE_EQ(v.max, 90.0);    // w5
    EXPECT_DOUBLE_EQ(v.min, 95.0 - 15.0); // w6
    EXPECT_EQ(v.lav, 0.0);
    EXPECT_EQ(v.doseLevel, 0.0);
    EXPECT_NEAR(v.sel, 95.0 + 20.0, 1e-9);
}

TEST(ResultRows, OverloadTimeIsReadOnlyWhereTheLayoutShowsIt)
{
    // A file of one channel holds a single results record; the overload time of the layouts that
    // show it lies in a second one (four-channel files from 2.17: record channel + 4). A layout
    // without it leaves the slot as the caller put it; a missing record leaves it absent; the row's
    // own values are decoded in every case. Leq word 800 (w9 below 5.05, w8 from 5.05).
    using Decoder = void (*)(const ResultContext&, int, ResultValues&);
    const Decoder profile = [](const ResultContext& c, int ch, ResultValues& v) {
        DecodeProfileResults(c, ch, 0, v, false, 6, 1.0);
    };
    const Decoder vibration = [](const ResultContext& c, int ch, ResultValues& v) {
        DecodeVibrationResults(c, ch, 0, v, false, 6, 1.0);
    };
    const Decoder dose = [](const ResultContext& c, int ch, ResultValues& v) {
        DecodeSlmDoseResults(c, static_cast<std::uint32_t>(ch), v, false, 6, 1.0);
    };
    const Decoder older = [](const ResultContext& c, int ch, ResultValues& v) {
        DecodeSlmResults(c, static_cast<std::uint32_t>(ch), v, false, 6, 1.0);
    };
    const std::vector<std::int16_t> earlier = Levels({0, 0, 0, 0, 0, 0, 800});
    const std::vector<std::int16_t> later = Levels({0, 0, 0, 0, 0, 800});
    struct Case {
        const char* name;
        ModelFlags model;
        std::uint16_t firmware;
        Decoder decode;
        const std::vector<std::int16_t>* row;
        int records;
        double overload; ///< -1: not written; NaN: absent
        double result;
    } cases[] = {
        {"545 below 2.17, one record", {.FourChannel = true}, 215, profile, &earlier, 1, -1, 80.0},
        {"545 2.17, one record", {.FourChannel = true}, 217, profile, &earlier, 1, -1, 80.0},
        {"545 2.19 without record 4", {.FourChannel = true}, 219, profile, &earlier, 1, kAbsentValue, 80.0},
        {"545 2.19 with record 4", {.FourChannel = true}, 219, profile, &earlier, 5, 1.0, 80.0},
        {"545 2.19 vibration without record 4", {.FourChannel = true}, 219, vibration, &earlier, 1, kAbsentValue, 80.0},
        {"535 5.05, one record", {.Family535 = true}, 505, profile, &later, 1, kAbsentValue, 80.0},
        {"535 5.05, two records", {.Family535 = true}, 505, profile, &later, 2, 1.0, 80.0},
        {"525 5.05, one record", {.Family525 = true}, 505, dose, &later, 1, kAbsentValue, 80.0},
        {"515 text 5.05, one record", {.Family515Text = true}, 505, older, &later, 1, kAbsentValue, 80.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::vector<std::int16_t>> rows(static_cast<std::size_t>(c.records), Levels({0}));
        rows[0] = *c.row;
        // T 600 s; every further record says 6 s of overload: 1 %.
        ResultImage img(600, 6, rows);
        ResultValues v;
        v.overloadPercent = -1;
        ASSERT_NO_THROW(c.decode(img.Context(c.model, c.firmware), 0, v));
        EXPECT_DOUBLE_EQ(v.result, c.result);
        if (IsAbsent(c.overload))
            EXPECT_TRUE(IsAbsent(v.overloadPercent)) << v.overloadPercent;
        else
            EXPECT_DOUBLE_EQ(v.overloadPercent, c.overload);
    }
}

TEST(ResultRows, VibrationUnitsMetricAndNonMetric)
{
    // Layout B: peak w3, P-P w4, MTVV w5, RMS w8, VDV w9.
    ResultImage img(60, 0, {Levels({1400, 1300, 1200, 0, 0, 1100, 1000}), Levels({0})});
    for (bool nonMetric : {false, true}) {
        SCOPED_TRACE(nonMetric);
        ResultContext ctx = img.Context({.Family530 = true}, 600);
        ctx.inputKind = kInputAccelerometer;
        ctx.nonMetric = nonMetric;
        ResultValues v;
        DecodeResultRow(ctx, 0, 0, v, true, 6, 1.0);
        EXPECT_EQ(v.measurementSeconds, 60u);
        EXPECT_NEAR(v.peak, std::pow(10.0, 1400 / 200.0 - 6), 1e-12);
        EXPECT_NEAR(v.result, std::pow(10.0, 1100 / 200.0 - 6), 1e-12);
        EXPECT_NEAR(v.spl, std::pow(10.0, 1000 / 200.0 - 6) * (nonMetric ? 39.37007874 : 1.0), 1e-12);
        ResultValues db;
        DecodeResultRow(ctx, 0, 0, db, false, 6, 1.0);
        EXPECT_DOUBLE_EQ(db.spl, 100.0); // dB values do not depend on the units
    }
}

TEST(LevelTexts, FormatLevelChoosesPrefixDecimalsAndUnit)
{
    CurrentChannel ch;
    struct Case {
        const char* name;
        ModelFlags model;
        bool nonMetric;
        std::uint16_t input;
        double value;
        int quantity;
        const char* text;
        const char* unit;
        int decimals, exponent;
    } cases[] = {
        {"direct input", {}, false, kInputDirect, 1.23e-5, 1, "12.3", " \xB5V     ", 1, 2},
        {"zero", {}, false, kInputDirect, 0.0, 1, "0.00", " V     ", 2, 0},
        {"negative zero", {}, false, kInputDirect, -0.0, 1, "0.00", " V     ", 2, 0},
        {"kilo at most", {}, false, kInputDirect, 2.5e7, 1, "25000", " kV     ", 0, -1},
        {"microphone in pascal", {}, false, kInputMicrophone, 1.0, 1, "20.0", " Pa     ", 1, 0},
        {"metres per second squared", {.Family530 = true}, false, kInputAccelerometer, 9.80665, 1, "9.81", " m/s\xB2     ", 2, 0},
        {"non-metric: g", {.Family530 = true}, true, kInputAccelerometer, 9.80665, 1, "1.00", " g      ", 2, 0},
        {"dB", {}, false, kInputMicrophone, 94.0, 0, "94.000", " dB     ", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LevelContext doc{.model = c.model, .nonMetric = c.nonMetric};
        LevelText t = FormatLevel(doc, ch, c.input, c.value, c.quantity);
        EXPECT_TRUE(t.written);
        EXPECT_EQ(t.value, c.text);
        EXPECT_EQ(t.unit, c.unit);
        EXPECT_EQ(t.decimals, c.decimals);
        EXPECT_EQ(t.exponent, c.exponent);
    }
    LevelText none = FormatLevel(LevelContext{}, ch, kInputDirect, 1.0, 5);
    EXPECT_FALSE(none.written);
    EXPECT_EQ(none.scale, 1.0);
    LevelText sci = FormatLevelSci(LevelContext{}, ch, kInputMicrophone, 1.0, 1);
    EXPECT_EQ(sci.value, " 2.00e+001");
    EXPECT_EQ(sci.unit, " Pa     ");
}

TEST(LevelTexts, ReferenceExponentsAndDisplayQuantities)
{
    CurrentChannel ch;
    ch.inputKind = kInputAccelerometer;
    LevelContext vib{.model = {.Family530 = true}, .accelerationOffset = 10, .velocityOffset = 20, .displacementOffset = 30};
    for (auto [filter, e, offset] : {std::tuple{1, 6, 10}, {5, 9, 20}, {9, 12, 30}}) {
        ch.filter = static_cast<std::uint16_t>(filter);
        EXPECT_EQ(GetReferenceExponent(vib, ch), e);
        EXPECT_EQ(GetSensitivityOffset(vib, ch), offset);
    }
    EXPECT_EQ(GetSensitivityOffset(LevelContext{.model = {.Family525 = true}, .accelerationOffset = 10}, ch), 0);
}

} // namespace
} // namespace orlu
