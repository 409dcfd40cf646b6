#include "document/tables/BandTables.h"
#include "document/tables/WeightingTables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace orlu {
namespace {

// The frequency a band label names: "1.25kHz", "2 kHz", "800 Hz" -> Hz.
double LabelFrequency(const std::string& label)
{
    char* end = nullptr;
    double value = std::strtod(label.c_str(), &end);
    std::string unit(end);
    if (!unit.empty() && unit[0] == ' ')
        unit.erase(0, 1);
    if (unit == "kHz")
        return value * 1000.0;
    EXPECT_EQ(unit, "Hz") << label;
    return value;
}

TEST(BandTables, NamesAndCentresAreInStep)
{
    auto centres = ThirdOctaveCentres();
    ASSERT_EQ(centres.size(), 51u);
    ASSERT_EQ(BandLabels().size(), 51u);
    ASSERT_EQ(ThirdOctaveLabels().size(), 46u);
    for (std::size_t i = 0; i < centres.size(); ++i) {
        EXPECT_DOUBLE_EQ(LabelFrequency(BandLabels()[i]), centres[i]) << i;
        if (i < 45) {
            EXPECT_DOUBLE_EQ(LabelFrequency(ThirdOctaveLabels()[i]), centres[i]) << i;
        }
        // Nominal centres stay within 2 % of the base-10 series 1000 x 10^((i - 31) / 10).
        EXPECT_NEAR(centres[i] / (1000.0 * std::pow(10.0, (static_cast<double>(i) - 31.0) / 10.0)), 1.0, 0.02) << i;
    }
    EXPECT_STREQ(ThirdOctaveLabels()[45], "Total");
    EXPECT_STREQ(BandLabels()[34], "2 kHz");
    EXPECT_STREQ(ThirdOctaveLabels()[34], "2kHz");

    ASSERT_EQ(OctaveCentres().size(), 15u);
    ASSERT_EQ(OctaveLabels().size(), 24u);
    for (std::size_t k = 0; k < OctaveCentres().size(); ++k) {
        EXPECT_DOUBLE_EQ(LabelFrequency(OctaveLabels()[k]), OctaveCentres()[k]) << k;
        // Every octave centre is the third-octave centre 1 + 3k.
        EXPECT_DOUBLE_EQ(OctaveCentres()[k], centres[1 + 3 * k]) << k;
    }
    EXPECT_STREQ(OctaveLabels()[15], "Total");
    EXPECT_STREQ(OctaveLabels()[23], "Total_HP");

    for (int k = 0; k < 15; ++k)
        EXPECT_DOUBLE_EQ(LabelFrequency(HighBandName(k)), centres[30 + static_cast<std::size_t>(k)]) << k;
    EXPECT_STREQ(HighBandName(0), "800 Hz");
    EXPECT_STREQ(HighBandName(15), "UNKNOWN");
    EXPECT_STREQ(HighBandName(-1), "UNKNOWN");
}

TEST(BandTables, FftRangesDoubleFromTheirBase)
{
    EXPECT_STREQ(FftRangeName(false, 0), "UNDF");
    EXPECT_STREQ(FftRangeName(true, 0), "UNDF");
    for (int k = 1; k <= 17; ++k) {
        double a = 1.5625 * std::pow(2.0, k - 1);
        double b = 1.38125 * std::pow(2.0, k - 1);
        EXPECT_NEAR(LabelFrequency(FftRangeName(false, k)) / a, 1.0, 0.001) << k;
        EXPECT_NEAR(LabelFrequency(FftRangeName(true, k)) / b, 1.0, 0.005) << k;
    }
    EXPECT_STREQ(FftRangeName(false, 16), "51.2 kHz"); // 1.5625 x 2^15 Hz
    EXPECT_STREQ(FftRangeName(false, 18), "UNDF");
    EXPECT_STREQ(FftRangeName(true, -1), "UNDF");
}

TEST(BandTables, AccessorsFromTheTop)
{
    EXPECT_DOUBLE_EQ(ThirdOctaveCentrePtr(45)[0], 0.8);
    EXPECT_DOUBLE_EQ(ThirdOctaveCentrePtr(1)[0], 20000.0);
    EXPECT_EQ(ThirdOctaveCentrePtr(1).size(), 7u);
    EXPECT_TRUE(ThirdOctaveCentrePtr(46).empty());
    EXPECT_STREQ(ThirdOctaveLabelPtr(0)[0], "Total");
    EXPECT_STREQ(ThirdOctaveLabelPtr(44)[0], "1Hz");

    // Ten octaves ending at 16 kHz: 31.5 Hz is entry 1, 16 kHz entry 28.
    auto octaves = OctaveCentrePtr(10);
    EXPECT_DOUBLE_EQ(octaves[1], 31.5);
    EXPECT_DOUBLE_EQ(octaves[1 + 3 * 9], 16000.0);
    EXPECT_STREQ(OctaveLabelPtr(10)[1], "31.5Hz");
    EXPECT_DOUBLE_EQ(OctaveCentrePtr(15)[1], 1.0);
    EXPECT_TRUE(OctaveCentrePtr(16).empty());

    EXPECT_STREQ(BandLabelPtr(50)[0], "80kHz");
    EXPECT_TRUE(BandLabelPtr(52).empty());
}

TEST(BandTables, LabelsCountedFromABand)
{
    EXPECT_STREQ(OctaveBandLabelFrom(1.0, 11), "1kHz");
    EXPECT_STREQ(OctaveBandLabelFrom(31.5, 1), "31.5Hz");
    EXPECT_STREQ(OctaveBandLabelFrom(16000.0, 2), "Total");
    EXPECT_EQ(OctaveBandLabelFrom(30.0, 1), nullptr);
    EXPECT_EQ(OctaveBandLabelFrom(1.0, 25), nullptr);
    EXPECT_STREQ(ThirdOctaveBandLabelFrom(0.8, 32), "1kHz");
    EXPECT_STREQ(ThirdOctaveBandLabelFrom(20000.0, 2), "Total");
    EXPECT_EQ(ThirdOctaveBandLabelFrom(25000.0, 1), nullptr); // above the 20 kHz range
    EXPECT_EQ(ThirdOctaveBandLabelFrom(0.8, 0), nullptr);
}

TEST(BandTables, SearchesAndSpans)
{
    EXPECT_DOUBLE_EQ(ExactThirdOctaveCentre(1000.0), 1000.0);
    EXPECT_DOUBLE_EQ(ExactThirdOctaveCentre(1100.0), 1000.0);
    EXPECT_NEAR(ExactThirdOctaveCentre(1250.0), 1259.92, 0.005);
    EXPECT_NEAR(ExactThirdOctaveCentre(20000.0), 1000.0 * std::exp2(13.0 / 3.0), 1e-9);
    EXPECT_EQ(ExactThirdOctaveCentre(0.0), 0.0);

    OctaveSpan all = OctaveBandSpan(0, 45);
    EXPECT_EQ(all.firstIndex, 1u);
    EXPECT_EQ(all.octavePosition, 0u);
    EXPECT_EQ(all.octaveCount, 15u);
    EXPECT_EQ(all.endIndex, 46u);
    // A run starting on an octave centre skips to the next complete octave.
    OctaveSpan onCentre = OctaveBandSpan(31, 14); // 1 kHz to 20 kHz
    EXPECT_EQ(onCentre.firstIndex, 34u);           // 2 kHz
    EXPECT_EQ(onCentre.octavePosition, 11u);
    EXPECT_EQ(onCentre.octaveCount, 4u);           // 2, 4, 8, 16 kHz (20 kHz completes the last)
    EXPECT_EQ(onCentre.endIndex, 46u);
    EXPECT_EQ(OctaveBandSpan(31, 13).octaveCount, 3u); // without 20 kHz, 16 kHz is incomplete
    OctaveSpan none = OctaveBandSpan(43, 2);
    EXPECT_EQ(none.octavePosition, 15u);
    EXPECT_EQ(none.octaveCount, 0u);
    EXPECT_EQ(OctaveBandSpan(50, 5).octavePosition, 15u);

    auto centres = ThirdOctaveCentres();
    EXPECT_DOUBLE_EQ(centres[ThirdOctaveAtOrBelow(10000)], 800.0);
    EXPECT_DOUBLE_EQ(centres[ThirdOctaveAtOrBelow(125)], 10.0);   // 12.5 Hz
    EXPECT_DOUBLE_EQ(centres[ThirdOctaveAtOrBelow(65535)], 5000.0); // 6553.5 Hz lies in 6.3 kHz
    EXPECT_EQ(ThirdOctaveAtOrBelow(10), 0u); // 1 Hz: the band below is 0.8 Hz
    EXPECT_EQ(ThirdOctaveAtOrBelow(8), 0u);  // below 1 Hz: clamped to the lowest band
    EXPECT_EQ(ThirdOctaveAtOrBelow(0), 0u);

    EXPECT_EQ(FindOctaveCentre(31.5), 5u);
    EXPECT_EQ(FindOctaveCentre(31.6), 15u);
    EXPECT_EQ(FindOctaveCentre(16000.0), 14u);
}

TEST(WeightingTables, EveryRowIsCompleteAndKeepsTheInstrumentValues)
{
    for (std::uint16_t row = 0; row < kWeightingRowCount; ++row)
        EXPECT_EQ(WeightingCorrections(row).size(), 44u) << row;
    EXPECT_TRUE(WeightingCorrections(5).empty());

    // Column c is the band ThirdOctaveCentres()[c + 1].
    struct Anchor {
        WeightingRow row;
        double hz;
        double db;
    };
    const Anchor anchors[] = {
        {WeightingRow::A, 1.0, -84.0},       {WeightingRow::A, 6.3, -84.0},   {WeightingRow::A, 8.0, -77.8},
        {WeightingRow::A, 10.0, -70.4},      {WeightingRow::A, 100.0, -19.1}, {WeightingRow::A, 1000.0, 0.0},
        {WeightingRow::A, 2500.0, 1.3},      {WeightingRow::A, 20000.0, -9.3},
        {WeightingRow::C, 1.0, -52.7},       {WeightingRow::C, 10.0, -14.3},  {WeightingRow::C, 160.0, -0.1},
        {WeightingRow::C, 200.0, 0.0},       {WeightingRow::C, 1250.0, 0.0},  {WeightingRow::C, 1600.0, -0.1},
        {WeightingRow::C, 10000.0, -4.4},    {WeightingRow::C, 16000.0, -8.2}, {WeightingRow::C, 20000.0, -11.2},
        {WeightingRow::HighPass, 1.0, -30.2}, {WeightingRow::HighPass, 10.0, -1.0},
        {WeightingRow::HighPass, 40.0, -0.1}, {WeightingRow::HighPass, 50.0, 0.0},
        {WeightingRow::G, 1.0, -41.0},       {WeightingRow::G, 10.0, 0.0},    {WeightingRow::G, 20.0, 9.0},
        {WeightingRow::G, 250.0, -76.0},     {WeightingRow::G, 315.0, -84.0}, {WeightingRow::G, 20000.0, -84.0},
        {WeightingRow::Flat, 1.0, 0.0},      {WeightingRow::Flat, 20000.0, 0.0},
    };
    auto centres = ThirdOctaveCentres();
    for (const Anchor& a : anchors) {
        std::size_t column = 0;
        while (centres[column + 1] != a.hz)
            ++column;
        EXPECT_DOUBLE_EQ(WeightingCorrections(static_cast<std::uint16_t>(a.row))[column], a.db)
            << "row " << static_cast<int>(a.row) << " at " << a.hz << " Hz";
    }
}

TEST(WeightingTables, LastBandsEndAt20kHz)
{
    auto last = WeightingCorrectionPtr(1, 3); // A at 10, 12.5, 16 and 20 kHz: the last three
    ASSERT_EQ(last.size(), 3u);
    EXPECT_DOUBLE_EQ(last[0], -4.3);
    EXPECT_DOUBLE_EQ(last[2], -9.3);
    EXPECT_EQ(WeightingCorrectionPtr(2, 44).size(), 44u);
    EXPECT_TRUE(WeightingCorrectionPtr(2, 45).empty());
    EXPECT_TRUE(WeightingCorrectionPtr(7, 3).empty());
}

} // namespace
} // namespace orlu
