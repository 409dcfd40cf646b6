// Time intersections: the series arithmetic on values worked out by hand, the
// labels of FFT lines, and the forms of a 1/3-octave file whose 1 kHz band
// alternates between 80 and 70 dB.

#include "analysis/spectra/IntersectionSeries.h"
#include "analysis/spectra/TimeIntersection.h"

#include "document/DocumentTestSupport.h"
#include "document/MissingValue.h"
#include "platform/ValueFormat.h"
#include "support/Analyzer505Fixture.h"
#include "support/GoldenText.h"

#include <cmath>
#include <vector>

namespace orlu {
namespace {

constexpr std::uint16_t kMicrophone = 2;
constexpr std::uint16_t kAccelerometer = 5;

double Pascal(double db)
{
    return 20.0 * std::pow(10.0, db / 20.0 - 6.0);
}

TEST(IntersectionSeries, AggregatedLevelsAreEnergyMeans)
{
    std::vector<double> series{Pascal(80.0), Pascal(70.0)};
    ASSERT_EQ(AggregateRecords(series, kMicrophone, false, 2), 1u);
    EXPECT_NEAR(series[0], 10.0 * std::log10((1e8 + 1e7) / 2.0), 1e-9);
    EXPECT_EQ(StrPrintf("%.1f", series[0]), "77.4");

    // Degree 1 in dB gives back each stored level; linear values stay.
    std::vector<double> levels{Pascal(63.2), Pascal(41.0)};
    ASSERT_EQ(AggregateRecords(levels, kMicrophone, false, 1), 2u);
    EXPECT_NEAR(levels[0], 63.2, 1e-9);
    EXPECT_NEAR(levels[1], 41.0, 1e-9);
    std::vector<double> linear{3.0, 4.0};
    EXPECT_EQ(AggregateRecords(linear, kMicrophone, true, 1), 2u);
    EXPECT_EQ(linear, (std::vector<double>{3.0, 4.0}));
    EXPECT_EQ(AggregateRecords(linear, kMicrophone, true, 2), 1u);
    EXPECT_DOUBLE_EQ(linear[0], std::sqrt(12.5));

    // Ten records by three: three points, the tenth record dropped.
    std::vector<double> ten{1, 1, 1, 2, 2, 2, 3, 3, 3, 100};
    ASSERT_EQ(AggregateRecords(ten, kAccelerometer, true, 3), 3u);
    EXPECT_DOUBLE_EQ(ten[2], 3.0);

    std::vector<double> silent{0.0, 0.0};
    AggregateRecords(silent, kMicrophone, false, 2);
    EXPECT_EQ(silent[0], kMissingValue) << "no energy has no level";
}

TEST(IntersectionSeries, RunningRmsExposureAndExtremes)
{
    const std::vector<double> constant(5, 2.5);
    std::vector<double> running(5), exposure(5);
    double low = 0.0, high = 0.0;
    ComputeRunningLeq(constant, 0.5, {.running = running, .exposure = exposure, .minimum = &low, .maximum = &high});
    for (double r : running)
        EXPECT_DOUBLE_EQ(r, 2.5);
    EXPECT_DOUBLE_EQ(exposure[3], 4 * 6.25 * 0.5);
    EXPECT_EQ(low, 2.5);
    EXPECT_EQ(high, 2.5);

    std::vector<double> rising{1.0, 3.0};
    ComputeRunningLeq(rising, 1.0, {.running = rising, .exposure = {}}); // in place
    EXPECT_DOUBLE_EQ(rising[1], std::sqrt(5.0));

    // 1 Pa for 1 s is 94.0 dB; 1 m/s2 for 1 s is referred to 1e-6 m/s2: 120 dB.
    std::vector<double> pascal{1.0};
    AggregateExposure(pascal, kMicrophone, false, 1);
    EXPECT_EQ(StrPrintf("%.1f", pascal[0]), "94.0");
    std::vector<double> acceleration{1.0};
    AggregateExposure(acceleration, kAccelerometer, false, 1);
    EXPECT_NEAR(acceleration[0], 120.0, 1e-9);
    // By two: each point is the exposure at the group's last record.
    std::vector<double> exposures{1.0, 2.0, 3.0, 4.0, 5.0};
    ASSERT_EQ(AggregateExposure(exposures, kMicrophone, true, 2), 2u);
    EXPECT_EQ(exposures[0], 2.0);
    EXPECT_EQ(exposures[1], 4.0);
}

TEST(IntersectionLabels, FftLines)
{
    struct Case {
        int a, lines, totalPosition;
        double start, resolution;
        int degree;
        bool graph;
        const char* label;
    };
    const Case cases[] = {
        {1, 400, 1, 0.0, 0.5, 1, false, "Total"},
        {1, 400, 1, 0.0, 0.5, 1, true, "TOTAL"},
        {401, 400, 2, 0.0, 0.5, 1, false, "Total"},
        {1, 400, 2, 0.0, 0.5, 1, false, "0.0 Hz"},
        {26, 400, 0, 0.0, 0.5, 1, false, "12.5 Hz"},
        {2, 400, 0, 0.0, 0.78125, 1, false, "0.78125 Hz"},
        {3, 400, 0, 100.0, 1.25, 1, false, "102.50 Hz"},
        {2, 400, 0, 0.0, 1.0, 3, false, "2 Hz"}, // group 1: lines 1 to 3, centred at 2 Hz, shown without decimals
    };
    for (const Case& c : cases)
        EXPECT_EQ(FftLineLabel(c.a, c.lines, c.totalPosition, c.start, c.resolution, c.degree, c.graph), c.label)
            << c.a << " " << c.resolution;
}

// 1/3 octaves from 25 Hz: band 17 is 1 kHz ("1kHz"). Even spectra hold 80 dB, odd 70 dB.
class TimeIntersectionForms : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenFile(std::uint16_t spectra, std::int16_t odd = 700)
    {
        fixture::Analyzer505Spec spec;
        spec.function = 4;
        spec.values = 31;
        spec.bands = 30;
        spec.spectra = spectra;
        spec.timeHistory = true;
        spec.value = [odd](std::uint32_t r, std::uint32_t, std::uint32_t) {
            return static_cast<std::int16_t>(r % 2 == 0 ? 800 : odd);
        };
        return Open(Write("third.orl", fixture::Analyzer505Container(spec)));
    }
    static TimeIntersectionChoice Choice()
    {
        TimeIntersectionChoice c;
        c.bandKind = 4;
        c.band = 17;
        return c;
    }
    static std::string Text(CTmDoc& doc, const TimeIntersectionChoice& choice)
    {
        LineList lines;
        int widest = 0;
        EXPECT_EQ(FormatTimeIntersectionText(lines, &widest, doc, choice), 1);
        const std::string text = lines.Join();
        EXPECT_EQ(widest, fixture::WidthOf(text));
        return text;
    }
};

TEST_F(TimeIntersectionForms, TextShowsEachStoredLevel)
{
    auto doc = OpenFile(5);
    EXPECT_EQ(Text(*doc, Choice()), fixture::Golden("time-intersection-third-octave.txt"));
}

TEST_F(TimeIntersectionForms, DegreeRunningBlockAndUnits)
{
    auto doc = OpenFile(5);
    TimeIntersectionChoice choice = Choice();
    choice.recordDegree = 2;
    std::string text = Text(*doc, choice);
    EXPECT_NE(text.find("   total number of results = 2 [aggreg.degree=2]\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n     1         77.4           2         77.4\r\n"), std::string::npos) << text;

    choice = Choice();
    choice.block = true;
    choice.blockFirst = 1;
    choice.blockLast = 3;
    choice.running = true;
    text = Text(*doc, choice);
    EXPECT_NE(text.find("\r\nBlock of the Total RMS for time intersection for 1/3 oct.: 1kHz \r\n"), std::string::npos);
    EXPECT_NE(text.find("   number of results in the block = 3\r\n"), std::string::npos);
    // The running level of 80, 70 and 80 dB: 10 lg((2e8 + 1e7) / 3).
    EXPECT_NE(text.find("\r\n     2         77.4           3         78.5           4         77.4\r\n"),
              std::string::npos)
        << text;

    // 94.0 dB as pascal.
    auto pascal = OpenFile(2, 940);
    choice = Choice();
    choice.unitOption = 1;
    text = Text(*pascal, choice);
    EXPECT_NE(text.find(" Spct.No.    Lev[Pa]      Spct.No.    Lev[Pa]"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n     1     2.00e-01           2     1.00e+00\r\n"), std::string::npos) << text;
}

TEST_F(TimeIntersectionForms, TableAndBandsPastTheSpectra)
{
    auto doc = OpenFile(4);
    TimeIntersectionChoice choice = Choice();
    choice.recordDegree = 2;
    LineList lines;
    int widest = 0;
    ASSERT_EQ(FormatTimeIntersectionTable(lines, &widest, *doc, choice, {0, 1, 2}), 1);
    const std::string table = lines.Join();
    EXPECT_NE(table.find("Time_intersection_for_1/3_oct.:_1kHz_[agreg.degree=2]"), std::string::npos) << table;
    EXPECT_NE(table.find("\r\n1;77,4;2;77,4\r\n"), std::string::npos) << table;

    choice.band = 32; // 31 values: bands and totals
    EXPECT_EQ(FormatTimeIntersectionText(lines, &widest, *doc, choice), 0);
    choice.band = 0;
    EXPECT_FALSE(ReadTimeIntersection(*doc, choice, 0));
    choice = Choice();
    choice.bandKind = 3;
    EXPECT_FALSE(ReadTimeIntersection(*doc, choice, 0)) << "a 1/3-octave file has no 1/1 intersections here";
}

} // namespace
} // namespace orlu
