#include "reports/common/NameTables.h"
#include "reports/common/HeaderValueNames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace orlu {
namespace {

// One name list: its size and three entries written out from the report
// descriptions (first, one in the middle, last).
struct ListCase {
    const char *Name;
    std::span<const std::string_view> List;
    size_t Count;
    size_t Middle;
    std::string_view First, MiddleText, Last;
};

const ListCase kLists[] = {
    {"LegacyFunctionNames", LegacyFunctionNames, 12, 3, " UNDF", " Leq", " Dil3"},
    {"InputNames", InputNames, 9, 5, "UNDF", "Accelerometer", "OR08A"},
    {"InputShortNames", InputShortNames, 10, 5, "UNDF", "Acc.", "UNDF"},
    {"LegacyRangeNames", LegacyRangeNames, 30, 8, "UNDF", "100 dB", "UNDF"},
    {"TimeConstantNames", TimeConstantNames, 12, 1, "UNDF", "Impulse (1/32 s)", "UNDF"},
    {"TimeConstantShortNames", TimeConstantShortNames, 11, 2, "UNDF", "Fast", "1.0 s"},
    {"RmsDetectorNames", RmsDetectorNames, 5, 1, "UNDF", "Linear", "Slow"},
    {"LowPassNames", LowPassNames, 3, 1, "UNDF", "ON", "OFF"},
    {"BufferResultNamesOld", BufferResultNamesOld, 8, 4, "RMS", "Peak", ""},
    {"BufferResultNamesNew", BufferResultNamesNew, 8, 3, "Peak", "Min", "VDV"},
    {"ProbePairNames", ProbePairNames, 6, 4, "1-2", "2_4", "3-4"},
    {"FunctionNames505", FunctionNames505, 5, 2, " UNDF", " Spectrum", " Octave 1/3"},
    {"FilterNames505", FilterNames505, 7, 4, "UNDF", "HP", "HP"},
    {"BandNames505A", BandNames505A, 18, 1, "UNDF", "1.5625 Hz", "102.4 kHz"},
    {"BandNames505B", BandNames505B, 18, 8, "UNDF", "177 Hz", "90.5 kHz"},
    {"AveragingNames505", AveragingNames505, 8, 2, "UNDF", "Fast Lin", "UNDF"},
    {"TriggeringNames505", TriggeringNames505, 5, 2, "UNDF", "Internal \"+\"", "External"},
    {"WindowNames505", WindowNames505, 6, 3, "UNDF", "Rectangle", "Kaiser-Bessel"},
    {"ZoomNames505", ZoomNames505, 3, 1, "UNDF", "ON", "OFF"},
    {"DeviceFunctionNames515Text", DeviceFunctionNames515Text, 7, 3, "UNDEFINED", "DOSE METER", "UNKNOWN"},
    {"DeviceFunctionNames", DeviceFunctionNames, 14, 8, "UNDEFINED", "RT60", "UNKNOWN"},
    {"ThresholdNames", ThresholdNames, 6, 1, "None", "75 dB", "UNDF"},
    {"ExchangeRateNames515Text", ExchangeRateNames515Text, 4, 1, "UNDF", "3", "5"},
    {"ExchangeRateNames", ExchangeRateNames, 6, 2, "UNDF", "2", "5"},
    {"OldTriggerNames", OldTriggerNames, 2, 1, "OFF", "ON", "ON"},
    {"OldTriggerModeNames", OldTriggerModeNames, 4, 1, "SLOPE'+'", "SLOPE'-'", "LEVEL'-'"},
    {"TriggerModeNames", TriggerModeNames, 7, 5, "OFF", "BUFFER", "GRAD'+'"},
    {"LoggerTriggerModeNames", LoggerTriggerModeNames, 7, 5, "OFF", "DECAY", "GRAD'+'"},
    {"TriggerTotalNames", TriggerTotalNames, 6, 2, "TOT_A", "TOT_Lin", "SPL_Slw"},
    {"LoggerTotalNames", LoggerTotalNames, 6, 2, "TOT_A", "TOT_Z", "SPL_Slw"},
    {"LaterTriggerSourceNames", LaterTriggerSourceNames, 2, 0, "RMS(1)", "RMS(1)", "EXTERNAL IO"},
    {"DefaultTriggerSourceNames", DefaultTriggerSourceNames, 3, 1, "SPL(1)", "MAX(1)", "RMS(1)"},
    {"PolarizationNames", PolarizationNames, 2, 0, "0 V", "0 V", "200 V"},
    {"IntegrationNames", IntegrationNames, 2, 0, "Linear", "Linear", "Exponent."},
    {"OctaveFilterNames", OctaveFilterNames, 4, 1, "HP", "Lin", "C"},
    {"FieldCorrectionNames", FieldCorrectionNames, 2, 0, "FREE", "FREE", "DIFFUSE"},
    {"CompensationOnOffNames", CompensationOnOffNames, 2, 0, "OFF", "OFF", "ON"},
    {"MicFilterNames", MicFilterNames, 9, 5, "OFF", "OUTDOOR ENVIRONMENT", "UNDF"},
    {"SpectraAveragingNames", SpectraAveragingNames, 4, 2, "UNDF", "Exponent", "UNDF"},
    {"FftWindowNames", FftWindowNames, 7, 5, "UNDF", "Kaiser-Bessel", "UNDF"},
    {"DoseKindNames", DoseKindNames, 3, 1, "User", "H-A", "W-B"},
    {"ComputingStandardNames", ComputingStandardNames, 4, 2, "UK", "PL", "FR"},
    {"IoModeNames", IoModeNames, 3, 1, "ANALOG OUT", "DIGITAL IN", "DIGITAL OUT"},
    {"IoFunctionNames", IoFunctionNames, 3, 1, "EXTERNAL TRIGGER", "TRIGGER PULSE", "ALARM PULSE"},
    {"IoLevelNames", IoLevelNames, 2, 0, "LOW", "LOW", "HIGH"},
    {"IoSourceNames", IoSourceNames, 3, 1, "PEAK(1)", "SPL(1)", "LEQ(1)"},
    {"AoDirectNames", AoDirectNames, 2, 0, "OFF", "OFF", "ON"},
    {"AoDaNames", AoDaNames, 2, 0, "OFF", "OFF", "ON"},
    {"AoSourceNames", AoSourceNames, 3, 1, "A", "C", "Z"},
    {"IoPolarityNames", IoPolarityNames, 2, 0, "POSITIVE", "POSITIVE", "NEGATIVE"},
    {"RtFilterTypeNames", RtFilterTypeNames, 3, 1, "High-Pass", "Low-Pass", "Band-Pass"},
    {"ContentNamesMic", ContentNamesMic, 8, 4, "Peak", "vvvv", "zzz"},
    {"ContentNames", ContentNames, 8, 1, "Peak", "P-P", "zzz"},
};

TEST(NameTables, EveryListHasItsEntries)
{
    for (const ListCase &c : kLists) {
        SCOPED_TRACE(c.Name);
        ASSERT_EQ(c.List.size(), c.Count);
        EXPECT_EQ(c.List.front(), c.First);
        EXPECT_EQ(c.List[c.Middle], c.MiddleText);
        EXPECT_EQ(c.List.back(), c.Last);
        for (std::string_view name : c.List)
            for (char ch : name)
                EXPECT_LT(static_cast<unsigned char>(ch), 0x80u) << name;
    }
}

TEST(NameTables, CodesBeyondAListReadAsUndefined)
{
    EXPECT_EQ(NameFor(ProbePairNames, 0), "1-2");
    EXPECT_EQ(NameFor(ProbePairNames, 5), "3-4");
    EXPECT_EQ(NameFor(ProbePairNames, 6), "UNDF");
    EXPECT_EQ(NameFor(ProbePairNames, -1), "UNDF");
    EXPECT_EQ(NameFor(ContentNames, 0xFFFF), "UNDF");
    EXPECT_EQ(NameFor(InputNames, 9), "UNDF");
    EXPECT_EQ(NameFor(InputShortNames, 9), "UNDF");

    EXPECT_EQ(LegacyFilterFor(12).Name, "KB");
    EXPECT_EQ(LegacyFilterFor(12).Unit, 6);
    EXPECT_EQ(LegacyFilterFor(31).Name, "UNDF");
    EXPECT_EQ(LegacyFilterFor(31).Unit, 0);
    EXPECT_EQ(LegacyFilterFor(-3).Name, "UNDF");
}

TEST(NameTables, LegacyFiltersCarryTheirUnits)
{
    ASSERT_EQ(LegacyFilterNames.size(), 31u);
    const struct {
        int Code;
        std::string_view Name;
        int Unit;
    } cases[] = {
        {0, "DC", 0},     {1, "Lin", 3},   {4, "C&A", 3},    {7, "W-Bxy", 3},
        {11, "W-Bcv", 4}, {12, "KB", 6},   {13, "UNDF", 0},  {15, "MF-Vel", 4},
        {18, "Vel10", 4}, {19, "Dil1", 5}, {21, "Dil10", 5}, {22, "UNDF", 0},
        {23, "Wk", 3},    {26, "Wj", 3},   {27, "Wh", 0},    {30, "UNDF", 0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(LegacyFilterNames[c.Code].Name, c.Name) << "code " << c.Code;
        EXPECT_EQ(LegacyFilterNames[c.Code].Unit, c.Unit) << "code " << c.Code;
    }
    for (const LegacyFilter &filter : LegacyFilterNames)
        EXPECT_TRUE(filter.Unit == 0 || (filter.Unit >= 3 && filter.Unit <= 6)) << filter.Name;
}

// The header reports read a range name as a number: entry k is 20 + 10 k dB.
TEST(NameTables, LegacyRangesReadAsTheirTopLevel)
{
    for (int k = 1; k <= 28; ++k) {
        std::string name(LegacyRangeNames[k]);
        EXPECT_EQ(std::atof(name.c_str()), 20.0 + 10.0 * k) << name;
        EXPECT_EQ(name.substr(name.size() - 3), " dB");
    }
    EXPECT_EQ(std::atof(std::string(LegacyRangeNames[0]).c_str()), 0.0);
    EXPECT_EQ(std::atof(std::string(LegacyRangeNames[29]).c_str()), 0.0);
}

// A band name as hertz: "1.6 kHz" is 1600.
double BandHz(std::string_view name)
{
    const std::string text(name);
    const double value = std::atof(text.c_str());
    return text.find("kHz") != std::string::npos ? value * 1000.0 : value;
}

// The 505 bands halve from 102.4 kHz down to 1.5625 Hz; the second list is
// the first over the square root of 1.28, rounded to three digits.
TEST(NameTables, BandNames505FollowTheirSeries)
{
    for (std::size_t k = 1; k < BandNames505A.size(); ++k) {
        const double a = 1.5625 * std::pow(2.0, static_cast<double>(k) - 1.0);
        EXPECT_DOUBLE_EQ(BandHz(BandNames505A[k]), a) << BandNames505A[k];
        EXPECT_NEAR(BandHz(BandNames505B[k]) / (a / std::sqrt(1.28)), 1.0, 0.005) << BandNames505B[k];
    }
}

TEST(NameTables, FixedWidthNames)
{
    // The internal trigger names are 12 characters with their quotes.
    EXPECT_EQ(TriggeringNames505[2].size(), 12u);
    EXPECT_EQ(TriggeringNames505[3], "Internal \"-\"");
    // Buffer-content names are followed by two blanks when 4 long, else
    // three: every name used there is 3 or 4 characters.
    for (const auto &list : {BufferResultNamesOld, BufferResultNamesNew})
        for (std::string_view name : list)
            EXPECT_TRUE(name.empty() || name.size() == 3 || name.size() == 4) << name;
    // Function names print without their leading blank.
    for (const auto &list : {std::span<const std::string_view>(LegacyFunctionNames),
                             std::span<const std::string_view>(FunctionNames505)})
        for (std::string_view name : list)
            EXPECT_TRUE(name.size() > 1 && name[0] == ' ' && name[1] != ' ') << '"' << name << '"';
}

} // namespace
} // namespace orlu
