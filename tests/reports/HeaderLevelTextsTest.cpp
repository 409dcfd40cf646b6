// Level and range texts of the Header information reports: dB and linear
// values by input, quantity and unit system, relative levels, and the cuts
// to the report cells.

#include "reports/common/HeaderLevelTexts.h"

#include "document/headers/CurrentHeader.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

constexpr double kFrequencyOfW1000 = 1000.0 / 6.283185307; // w = 1000 1/s

struct Channel {
    std::uint16_t input = kInputAccelerometer;
    std::uint16_t function = 0;
    std::int16_t sensitivityOffset = 0;
};

HeaderLevelContext Context(Channel c, bool orlu505File, bool nonMetric, double frequencyHz = 0.0)
{
    HeaderLevelContext ctx;
    ctx.document.orlu505File = orlu505File;
    ctx.document.nonMetric = nonMetric;
    ctx.document.accelerationOffset = 100; // 10 dB
    ctx.document.velocityOffset = 200;
    ctx.document.displacementOffset = 300;
    ctx.channel.inputKind = c.input;
    ctx.channel.function = c.function;
    ctx.channel.sensitivityOffset = c.sensitivityOffset;
    ctx.setupFrequencyHz = frequencyHz;
    return ctx;
}

TEST(HeaderLevelTexts, TenthsLevelInDbOrAsARatio)
{
    const struct {
        std::int16_t Tenths;
        bool Linear;
        std::string_view Text;
    } cases[] = {
        {734, false, "73.4 dB"},  {730, false, "73 dB"}, {-25, false, "-2.5 dB"},
        {734, true, "4.68e+3"},   {200, true, "10"},     {0, true, "1"},
        {-400, true, "0.01"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatTenthsLevel(c.Tenths, c.Linear), c.Text) << c.Tenths << (c.Linear ? " linear" : " dB");
}

struct LevelCase {
    const char* Name;
    Channel Ch;
    bool Orlu505;
    bool NonMetric;
    double LevelDb;
    int Mode;
    bool Relative;
    std::string_view Text;
};

TEST(HeaderLevelTexts, LegacyHeaderLevels)
{
    const Channel mic{kInputMicrophone, 3};
    const LevelCase cases[] = {
        // 10^(94/20 - 6) x 20 = 1.002 Pa; without the factor 20 it would be 50.1 mPa.
        {"microphone 94 dB", mic, true, false, 94.0, 1, false, "1 Pa     "},
        {"cut to 10", mic, true, false, 75.8, 1, false, "123 mPa   "},
        {"dB", mic, true, false, 94.0, 0, false, "94 dB     "},
        {"relative microphone keeps its level", mic, true, false, 120.0, 0, true, "120 dB    "},
        {"relative velocity", {kInputAccelerometer, 9}, true, false, 120.0, 0, true, "100 dB    "},
        {"relative displacement of a charge input", {kInputCharge, 10}, true, false, 120.0, 0, true, "90 dB     "},
        {"relative without the flag", {kInputAccelerometer, 9}, true, false, 120.0, 0, false, "120 dB    "},
        {"relative outside ORLU 505 files", {kInputAccelerometer, 9}, false, false, 120.0, 0, true, "120 dB    "},
        // The function gives the quantity and the reference exponent: " Vel" is m/s re 1 nm/s.
        {"velocity function", {kInputAccelerometer, 9}, true, false, 180.0, 1, false, "1 m/s     "},
        {"acceleration in g", {kInputAccelerometer, 8}, true, true, 120.0, 1, false, "102 mg    "},
        {"velocity in inches", {kInputAccelerometer, 9}, true, true, 180.0, 1, false, "39.4 in/s "},
        {"Dil3 is a displacement", {kInputAccelerometer, 11}, true, false, 240.0, 1, false, "1 m     "},
    };
    for (const LevelCase& c : cases)
        EXPECT_EQ(FormatHeaderLevel(Context(c.Ch, c.Orlu505, c.NonMetric), c.LevelDb, c.Mode, c.Relative), c.Text)
            << c.Name;
}

TEST(HeaderLevelTexts, LevelsWithTheReferenceOfTheirQuantity)
{
    const Channel acc{kInputAccelerometer, 1};
    const Channel mic{kInputMicrophone, 1};
    const LevelCase cases[] = {
        {"acceleration re 1 um/s2", acc, false, false, 120.0, 1, false, "1 m/s\xB2     "},
        {"velocity re 1 nm/s", acc, false, false, 180.0, 2, false, "1 m/s     "},
        {"displacement re 1 pm", acc, false, false, 240.0, 3, false, "1 m     "},
        {"g", acc, false, true, 120.0, 1, false, "102 mg     "},
        {"in/s", acc, false, true, 180.0, 2, false, "39.4 in/s     "},
        {"in", acc, false, true, 240.0, 3, false, "39.4 in     "},
        {"microphone", mic, false, false, 101.8, 1, false, "2.46 Pa     "},
        {"relative accelerometer", acc, false, false, 120.0, 0, true, "110 dB     "},
        {"relative microphone", mic, false, false, 120.0, 0, true, "120 dB     "},
        {"cut to 15", mic, false, false, 123456.7, 0, false, "123456.7 dB    "},
    };
    for (const LevelCase& c : cases)
        EXPECT_EQ(FormatHeaderLevelRef(Context(c.Ch, c.Orlu505, c.NonMetric), c.LevelDb, c.Mode, c.Relative, false),
                  c.Text)
            << c.Name;
    // The whole-number form rounds the prefixed number.
    EXPECT_EQ(FormatHeaderLevelRef(Context(mic, false, false), 101.8, 1, false, true), "2 Pa     ");
}

TEST(HeaderLevelTexts, VibrationLevelsOf505Setups)
{
    const Channel acc{kInputAccelerometer, 2, 125};
    const Channel mic{kInputMicrophone, 2, 125};
    const double f = kFrequencyOfW1000;
    const struct {
        const char* Name;
        Channel Ch;
        bool Orlu505;
        bool NonMetric;
        double Frequency;
        double LevelDb;
        int Mode;
        std::string_view Text;
    } cases[] = {
        {"sensitivity offset in dB", acc, true, false, f, 100.0, 0, "87.5 dB   "},
        {"microphone keeps its level", mic, true, false, f, 100.0, 0, "100 dB    "},
        {"offset only on ORLU 505 files", acc, false, false, f, 100.0, 0, "100 dB    "},
        {"acceleration", acc, true, false, f, 120.0, 1, "1 m/s\xB2    "},
        {"microphone", mic, true, false, f, 94.0, 1, "1 Pa     "},
        // 10^(180/20 - 6) = 1000 m/s2 over w = 1000: 1 m/s; 10^6 m/s2 over w^2: 1 m.
        {"velocity", acc, true, false, f, 180.0, 2, "1 m/s     "},
        {"displacement", acc, true, false, f, 240.0, 3, "1 m     "},
        {"velocity in inches", acc, true, true, f, 180.0, 2, "39.4 in/s "},
        {"g", acc, true, true, f, 120.0, 1, "102 mg    "},
        {"velocity without a frequency", acc, true, false, 0.0, 180.0, 2, "-----"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatVibrationLevel(Context(c.Ch, c.Orlu505, c.NonMetric, c.Frequency), c.LevelDb, c.Mode), c.Text)
            << c.Name;
}

TEST(HeaderLevelTexts, RangeNameByModelFunctionAndRange)
{
    const struct {
        ModelFlags Model;
        std::uint16_t Function;
        std::uint16_t Range;
        std::string_view Name;
    } cases[] = {
        {{.Model560 = true}, kFunctionLevelMeter, 2, "SINGLE    "},
        {{.Model560 = true}, kFunctionDoseMeter, 2, "SINGLE    "},
        {{.Model560 = true}, kFunctionLevelMeter, 1, "UNKNOWN   "},
        {{.Model560 = true}, kFunctionOctave11, 1, "LOW       "},
        {{.Model560 = true}, kFunctionOctave11, 2, "HIGH      "},
        {{.Model560 = true}, kFunctionOctave11, 3, "UNKNOWN   "},
        {{.Model570 = true}, kFunctionDoseMeter, 2, "SINGLE    "},
        {{.Model570 = true}, kFunctionOctave11, 1, "UNKNOWN   "},
        {{.Model575 = true}, kFunctionOctave13, 0, "SINGLE    "},
        {{.Model575 = true}, kFunctionLevelMeter, 7, "SINGLE    "},
        {{.Model580 = true}, kFunctionOctave13, 1, "LOW       "},
        {{.Model595 = true}, kFunctionLevelMeter, 2, "HIGH      "},
        {{.Model595 = true}, kFunctionLevelMeter, 3, "UNKNOWN   "},
        {{.Family535 = true}, kFunctionLevelMeter, 1, "UNKNOWN   "},
    };
    for (const auto& c : cases) {
        HeaderLevelContext ctx;
        ctx.document.model = c.Model;
        ctx.channel.function = c.Function;
        ctx.channel.rangeIndex = c.Range;
        EXPECT_EQ(GetRangeName(ctx), c.Name) << "function " << c.Function << " range " << c.Range;
    }
}

} // namespace
} // namespace orlu
