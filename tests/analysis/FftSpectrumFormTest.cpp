// The text and table blocks of an FFT spectrum, checked against texts written
// out by hand from the layouts.

#include "analysis/spectra/FftSpectrumForm.h"
#include "support/JoinedLines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

namespace orlu {
namespace {

constexpr const char* kRule = "--------------------------------------------------------------------";
constexpr const char* kDbHeader = "   f[Hz]   Lev[dB]         f[Hz]   Lev[dB]         f[Hz]   Lev[dB]  ";

std::string Text(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

std::string TextOf(const FftSpectrumForm& form)
{
    LineList lines;
    int widest = 0;
    AppendSpectrumText(form, lines, &widest);
    return test::JoinedLines(lines);
}

FftLines Lines(int count, double resolution = 1.0, int totalPosition = 0)
{
    FftLines l;
    l.lines = count;
    l.resolution = resolution;
    l.totalPosition = totalPosition;
    l.windowFactor = 1.5;
    return l;
}

TEST(FftSpectrumText, TotalLastAndFirst)
{
    const std::vector<double> last{20.0, 31.5, 42.0, 53.5, 64.0, 70.1};
    EXPECT_EQ(TextOf(PrepareFftSpectrum(Lines(5, 1.0, 2), last, {}, "Spectrum (power)")),
              Text({"", "Spectrum (power)", kRule, kDbHeader, kRule,
                    "    0.0      20.0           2.0      42.0           4.0      64.0",
                    "    1.0      31.5           3.0      53.5         TOTAL      70.1", kRule}));
    const std::vector<double> first{70.1, 31.5, 42.0, 53.5, 64.0};
    EXPECT_EQ(TextOf(PrepareFftSpectrum(Lines(5, 1.0, 1), first, {}, "Spectrum (power)")),
              Text({"", "Spectrum (power)", kRule, kDbHeader, kRule,
                    "  TOTAL      70.1           2.0      42.0           4.0      64.0",
                    "    1.0      31.5           3.0      53.5", kRule}));
}

TEST(FftSpectrumText, HalfHertzLinesHaveTwoDecimals)
{
    const std::vector<double> v{10.0, 11.0, 12.0};
    EXPECT_EQ(TextOf(PrepareFftSpectrum(Lines(3, 0.5), v, {}, "Spectrum (power)")),
              Text({"", "Spectrum (power)", kRule, kDbHeader, kRule,
                    "   0.00      10.0          0.50      11.0          1.00      12.0", kRule}));
}

TEST(FftSpectrumText, BlockRmsAndOnlyTheBlocksLines)
{
    const std::vector<double> v{20.0, 31.5, 42.0, 53.5, 64.0, 70.1};
    SpectrumShowing showing;
    showing.block = true;
    showing.c1 = 1;
    showing.c2 = 2;
    EXPECT_EQ(TextOf(PrepareFftSpectrum(Lines(5, 1.0, 2), v, showing, "Spectrum (power)")),
              Text({"", "Block of the Spectrum (power)", "Block RMS = 40.6 dB     ", kRule, kDbHeader, kRule,
                    "    1.0      31.5           2.0      42.0", kRule}));
}

TEST(FftSpectrumText, GreatestPeaksOnly)
{
    std::vector<double> v(40, 20.0);
    v[10] = 30.0;
    v[25] = 35.0;
    SpectrumShowing showing;
    showing.peaksShown = true;
    showing.peaks.count = 2;
    EXPECT_EQ(TextOf(PrepareFftSpectrum(Lines(40), v, showing, "Spectrum (power)")),
              Text({"", "Spectrum (power)", "2 greatest peaks", kRule, kDbHeader, kRule,
                    "   10.0      30.0          25.0      35.0", kRule}));
}

TEST(FftSpectrumText, PhaseInDegreesWithoutTotalOrAggregation)
{
    const std::vector<double> v{0.0, 1.5707963267948966, -3.141592653589793, 0.5};
    SpectrumShowing showing;
    showing.phase = true;
    showing.phaseUnit = 1;
    showing.degree = 4;
    EXPECT_EQ(TextOf(PrepareFftSpectrum(Lines(4, 1.0, 2), v, showing, "Spectrum (phase)")),
              Text({"", "Spectrum (phase)", kRule,
                    "   f[Hz]   Ph[deg]         f[Hz]   Ph[deg]         f[Hz]   Ph[deg]  ", kRule,
                    "    0.0       0.0           2.0    -180.0",
                    "    1.0      90.0           3.0      28.6", kRule}));
}

TEST(FftSpectrumText, LinearValuesHaveTwoExponentDigits)
{
    FftLines l = Lines(2);
    l.quantity = kBandLinear;
    l.channel.inputKind = 1;
    const std::vector<double> v{0.0, 60.0};
    EXPECT_EQ(TextOf(PrepareFftSpectrum(l, v, {}, "Spectrum (power)")),
              Text({"", "Spectrum (power)", kRule,
                    "   f[Hz]    Lev[V]         f[Hz]    Lev[V]         f[Hz]    Lev[V]  ", kRule,
                    "    0.0  1.00e-06           1.0  1.00e-03", kRule}));
}

TEST(FftSpectrumText, AggregatedGroupsAtTheirCentres)
{
    // Degree 2 over 5 lines of 1 Hz from 100 Hz: groups at 0, 101.5 and 103.5 Hz.
    FftLines l = Lines(5);
    l.start = 100.0;
    const std::vector<double> v{0.0, 60.0, 60.0, 60.0, 60.0};
    SpectrumShowing showing;
    showing.degree = 2;
    const FftSpectrumForm f = PrepareFftSpectrum(l, v, showing, "Spectrum (power)");
    ASSERT_EQ(f.groups, 3);
    EXPECT_DOUBLE_EQ(f.x[1], 101.5);
    EXPECT_DOUBLE_EQ(f.x[2], 103.5);
    EXPECT_NEAR(f.y[1], 60.0 + 10 * std::log10(2.0 / 1.5), 1e-9);
}

TEST(FftSpectrumTable, CaptionAndTotal)
{
    const std::vector<double> v{20.0, 31.5, 42.0, 53.5, 64.0, 70.1};
    LineList lines;
    int widest = 0;
    AppendSpectrumTable(PrepareFftSpectrum(Lines(5, 1.0, 2), v, {}, "Spectrum (power)"), "Spectrum (power)",
                        lines, &widest, TableOutputOptions{}, 2);
    // Tab-separated, the default layout of the table forms.
    EXPECT_EQ(test::JoinedLines(lines), Text({"Spectrum_(power)", "f[Hz]\tLev[dB]\tf[Hz]\tLev[dB]\tf[Hz]\tLev[dB]",
                                              "0.0\t20.0\t2.0\t42.0\t4.0\t64.0",
                                              "1.0\t31.5\t3.0\t53.5\tTOTAL\t70.1"}));
}

} // namespace
} // namespace orlu
