// The tonal audibility of an FFT spectrum and its penalty.

#include "analysis/spectra/Tonality.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace orlu {
namespace {

struct Analysis {
    int tones = 0;
    std::vector<std::uint8_t> marks;
    std::vector<ToneRecord> records;
    TonalityResult result;
};

Analysis Analyse(const std::vector<double>& v, double df = 1.0, double start = 0.0, ToneSearchRange range = {})
{
    Analysis a;
    a.marks.assign(v.size(), 9);
    a.tones = AnalyseTonality(v, df, start, TonalitySettings{}, range, a.marks, a.records, a.result);
    return a;
}

TEST(Tonality, FlatSpectrumHasNoTone)
{
    const Analysis a = Analyse(std::vector<double>(400, 30.0));
    EXPECT_EQ(a.tones, 0);
    EXPECT_EQ(a.marks, std::vector<std::uint8_t>(400, 0));
    EXPECT_EQ(a.result.deltaL, 0.0);
}

TEST(Tonality, ThreeLineToneOnASilentFloor)
{
    std::vector<double> v(200, 0.0);
    v[100] = 14.0;
    v[101] = 20.0;
    v[102] = 14.0;
    const Analysis a = Analyse(v);
    ASSERT_EQ(a.tones, 1);
    EXPECT_EQ((std::vector<std::uint8_t>(a.marks.begin() + 99, a.marks.begin() + 104)),
              (std::vector<std::uint8_t>{0, 2, 1, 2, 0}));
    const ToneRecord& t = a.records[0];
    EXPECT_EQ(t.first, 100);
    EXPECT_EQ(t.last, 102);
    EXPECT_EQ(t.peak, 101);
    EXPECT_DOUBLE_EQ(t.bandwidthPercent, 1.0);
    EXPECT_DOUBLE_EQ(t.lpt, 20.0);
    EXPECT_DOUBLE_EQ(a.result.lpt, 20.0);
}

TEST(Tonality, ToneAt1kHzOnA30dBFloor)
{
    std::vector<double> v(1600, 30.0);
    v[999] = 40.0;
    v[1000] = 60.0;
    v[1001] = 40.0;
    const Analysis a = Analyse(v);
    ASSERT_EQ(a.tones, 1);
    const TonalityResult& r = a.result;
    EXPECT_EQ(r.centre, 1000);
    EXPECT_EQ(r.bandFirst, 900); // a critical band of 200 Hz
    EXPECT_EQ(r.bandLast, 1100);
    EXPECT_EQ(r.regressionFirst, 850);
    EXPECT_EQ(r.regressionLast, 1150);
    EXPECT_NEAR(r.slope, 0.0, 1e-12);
    EXPECT_NEAR(r.intercept, 30.0, 1e-9);
    EXPECT_NEAR(r.lpt, 60.0, 1e-12);
    EXPECT_NEAR(r.lpn, 53.02, 0.005);
    EXPECT_NEAR(r.deltaL, 9.79, 0.01);
    EXPECT_NEAR(r.kt, 5.79, 0.01);
    EXPECT_EQ(r.tones, 1);
    EXPECT_EQ(r.toneLines[0], 1000);
}

TEST(Tonality, ToneFrequencyCountsFromTheStartOfAShortBand)
{
    // The same tone with line 0 at 500 Hz: 1000 Hz is line 500, judged in a 200 Hz band.
    std::vector<double> v(1100, 30.0);
    v[499] = 40.0;
    v[500] = 60.0;
    v[501] = 40.0;
    const Analysis a = Analyse(v, 1.0, 500.0);
    EXPECT_EQ(a.result.bandFirst, 400);
    EXPECT_EQ(a.result.bandLast, 600);
    EXPECT_NEAR(a.result.deltaL, 9.79, 0.01);
}

TEST(Tonality, TonesItRejects)
{
    std::vector<double> broad(400, 0.0);
    for (int k = 100; k <= 120; ++k)
        broad[k] = 30.0 - (k > 110 ? k - 110 : 110 - k) * 0.2; // 3-dB width 15 Hz of a 100 Hz band
    broad[99] = 0.5;
    std::vector<double> shallow(400, 10.0);
    shallow[100] = 11.5;
    shallow[101] = 14.0; // less than 6 dB above the line before the region
    shallow[102] = 11.5;
    std::vector<double> lone(400, 0.0);
    lone[100] = 20.0; // the line after the steep rise is lower
    for (const auto& v : {broad, shallow, lone}) {
        const Analysis a = Analyse(v);
        EXPECT_EQ(a.tones, 0);
        EXPECT_EQ(a.result.deltaL, 0.0);
    }
    EXPECT_EQ(Analyse(broad).marks[110], kToneOther);
    EXPECT_EQ(Analyse(shallow).marks[101], kToneOther);
}

TEST(Tonality, TwoTonesInOneBandAddUp)
{
    std::vector<double> v(800, 20.0);
    for (int peak : {300, 320}) {
        v[peak - 1] = 30.0;
        v[peak] = 50.0;
        v[peak + 1] = 30.0;
    }
    const Analysis a = Analyse(v);
    ASSERT_EQ(a.tones, 2);
    EXPECT_EQ(a.result.tones, 2);
    EXPECT_NEAR(a.result.lpt, 53.0103, 1e-3);
    EXPECT_EQ(a.result.toneLines[0], 300);
    EXPECT_EQ(a.result.toneLines[1], 320);
}

TEST(Tonality, ResultsOfAnEarlierSpectrumAreCleared)
{
    std::vector<double> tone(1600, 30.0);
    tone[999] = 40.0;
    tone[1000] = 60.0;
    tone[1001] = 40.0;
    Analysis a = Analyse(tone);
    ASSERT_GT(a.result.kt, 0.0);
    a.tones = AnalyseTonality(std::vector<double>(1600, 30.0), 1.0, 0.0, {}, {}, a.marks, a.records, a.result);
    EXPECT_EQ(a.tones, 0);
    EXPECT_EQ(a.result.kt, 0.0);
    EXPECT_EQ(a.result.tones, 0);
    EXPECT_EQ(a.result.regressionLast, 0);
}

TEST(Tonality, ToneAtTheTopLineStaysInsideTheSpectrum)
{
    // The descent would look two lines past the last: it stops there instead.
    std::vector<double> v(64, 10.0);
    v[57] = 20.0;
    v[58] = 40.0;
    v[59] = 40.5;
    v[60] = 20.0;
    v[61] = 10.0;
    v[62] = 0.0;
    v[63] = -10.0;
    const Analysis a = Analyse(v);
    EXPECT_LE(a.tones, 1);
    for (const ToneRecord& t : a.records)
        EXPECT_LT(t.last, 63);
}

TEST(Tonality, NoiseLineNeedsTwoLines)
{
    // A tone whose slow flanks cover its whole regression range (lines 76 to 226 around
    // 151 Hz) leaves no noise line to fit: the band gives no audibility and no NaN.
    std::vector<double> v(400, 0.0);
    for (int k = 52; k <= 150; ++k)
        v[k] = 2.0 + 0.2 * (k - 52);
    v[151] = 60.0;
    for (int k = 152; k <= 240; ++k)
        v[k] = 50.0 - 0.2 * (k - 152);
    const Analysis a = Analyse(v);
    ASSERT_EQ(a.tones, 1);
    EXPECT_EQ(a.records[0].first, 52);
    EXPECT_EQ(a.records[0].last, 240);
    EXPECT_EQ(a.result.deltaL, 0.0);
    EXPECT_EQ(a.result.kt, 0.0);
    EXPECT_EQ(a.result.lpn, 0.0);
    EXPECT_EQ(a.result.regressionLast, 0);
}

TEST(Tonality, Penalty)
{
    struct Case {
        double deltaL, kt;
    };
    const Case cases[] = {{3.9, 0.0}, {4.0, 0.0}, {7.5, 3.5}, {10.0, 6.0}, {12.0, 6.0}};
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(TonalityPenalty(c.deltaL), c.kt) << c.deltaL;
}

} // namespace
} // namespace orlu
