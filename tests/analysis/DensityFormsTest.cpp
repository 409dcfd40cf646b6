// The Densities view: the exceedance share of each class as text (written from
// the layout), table and graph data, with a marked block's D[first] - D[last].

#include "analysis/statistics/DensityForms.h"
#include "document/DocumentTestSupport.h"
#include "support/JoinedLines.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

using fixture::CurrentFileSpec;
using fixture::FixtureBuilder;
using test::JoinedLines;

const std::string kRule(77, '-');
const std::string kHeader = "  cl[dB]    D[%]      cl[dB]    D[%]      cl[dB]    D[%]      cl[dB]    D[%] ";

class DensityForms : public DocumentTest {
protected:
    std::unique_ptr<CTmDoc> OpenHistogram(std::int16_t width, std::vector<std::uint32_t> counts)
    {
        CurrentFileSpec spec;
        spec.histogramLowest = 400;
        spec.histogramWidth = width;
        spec.histogramClasses = static_cast<std::uint16_t>(counts.size());
        spec.histogramCounts = std::move(counts);
        const std::vector<std::uint8_t> file = fixture::CurrentMeasurementFile(spec);
        FixtureBuilder f;
        f.ContainerHeader(45, 0, 0, static_cast<std::uint32_t>(file.size())).Bytes(file);
        return Open(Write("meas.orl", f));
    }
    static std::string TextOf(CTmDoc& doc, const StatisticsChoices& choices)
    {
        LineList lines;
        EXPECT_TRUE(TextDensity(doc, lines, nullptr, choices));
        return JoinedLines(lines);
    }
};

TEST_F(DensityForms, ExceedanceSharesAsTextTableAndGraph)
{
    auto doc = OpenHistogram(10, {5, 3, 2});
    EXPECT_EQ(TextOf(*doc, {}), "\r\n"
                                "Statistical density for Histogram:  Profile #1  -  Leq \r\n" +
                                    kRule + "\r\n" + kHeader + "\r\n" + kRule +
                                    "\r\n"
                                    "   40.0  100.00        41.0   50.00        42.0   20.00     \r\n" +
                                    kRule + "\r\n");
    LineList table;
    std::uint8_t content = 0;
    ASSERT_TRUE(TableDensity(*doc, table, nullptr, content, {}, {0, 1, 2}));
    EXPECT_EQ(JoinedLines(table), "Statistical_density_for_Histogram:__Profile_#1__-__Leq_\r\n"
                                  "cl[dB];D[%];cl[dB];D[%];cl[dB];D[%];cl[dB];D[%]\r\n"
                                  "40,0;100,00;41,0;50,00;42,0;20,00\r\n");
    PlotData data;
    ASSERT_TRUE(GraphDensity(*doc, {}, 0, data));
    EXPECT_EQ(data.DensityClassValues, (std::vector<double>{40, 41, 42}));
    EXPECT_EQ(std::vector<double>(data.PlotValues.Values().begin(), data.PlotValues.Values().end()),
              (std::vector<double>{1.0, 0.5, 0.2}));
    EXPECT_DOUBLE_EQ(data.HistogramPeak[0], 100.0);
}

TEST_F(DensityForms, BlockOfClassesTwoToFiveAndItsDifference)
{
    // Densities 100, 90, 80, 70, 60, 50, 40, 30, 20, 10.
    auto doc = OpenHistogram(15, std::vector<std::uint32_t>(10, 1));
    StatisticsChoices choices;
    choices.markers = {2, {2, 5}};
    EXPECT_EQ(TextOf(*doc, choices),
              "\r\n"
              "Block of the Statistical density for Histogram:  Profile #1  -  Leq \r\n"
              "   probability of the block = 30.00%\r\n" +
                  kRule + "\r\n" + kHeader + "\r\n" + kRule +
                  "\r\n"
                  "   43.0   80.00        44.5   70.00        46.0   60.00        47.5   50.00\r\n" +
                  kRule + "\r\n");
    PlotData data;
    ASSERT_TRUE(GraphDensity(*doc, choices, 0, data));
    EXPECT_DOUBLE_EQ(data.BlockProbability[0], 30.0);
    EXPECT_DOUBLE_EQ(data.DensityClassValues[1], 41.5); // 1.5 dB classes keep their width
}

TEST_F(DensityForms, EmptyHistogramGivesZeroEverywhere)
{
    auto doc = OpenHistogram(10, {0, 0});
    EXPECT_NE(TextOf(*doc, {}).find("   40.0    0.00        41.0    0.00     \r\n"), std::string::npos);
    PlotData data;
    ASSERT_TRUE(GraphDensity(*doc, {}, 0, data));
    EXPECT_EQ(std::vector<double>(data.PlotValues.Values().begin(), data.PlotValues.Values().end()),
              (std::vector<double>{0.0, 0.0}));
}

} // namespace
} // namespace orlu
