// The density panel: rows of the curve, its class axis on the class bounds
// (and over one visible class, which has no spacing), and its read-out.

#include "graph/DensityGraph.h"
#include "graph/GraphSettings.h"
#include "platform/canvas/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>
#include <vector>

namespace orlu {
namespace {

std::vector<std::string> Texts(const RecordingCanvas& c)
{
    std::vector<std::string> out;
    for (const std::string& l : c.Lines())
        if (l.rfind("text ", 0) == 0) {
            const auto a = l.find('"');
            const auto b = l.find('"', a + 1);
            const std::string t = l.substr(a + 1, b - a - 1);
            if (t != " ")
                out.push_back(t);
        }
    return out;
}

int CountLines(const RecordingCanvas& c)
{
    int n = 0;
    for (const std::string& l : c.Lines())
        n += l.rfind("line ", 0) == 0;
    return n;
}

TEST(DensityGraph, RowsOfTheCurve)
{
    // A plot from row 28 to row 208.
    struct Case {
        double density;
        int row;
    } cases[] = {
        {1.0, 28},                             // the top edge
        {2.0, 28},    {0.5, 118},  {0.0, 206}, // two pixels above the bottom
        {0.005, 206}, {-1.0, 206}, {std::numeric_limits<double>::quiet_NaN(), 206},
    };
    for (const Case& k : cases)
        EXPECT_EQ(DensityRow(k.density, 28, 208, 180), k.row) << k.density;
}

struct AxisCase {
    int visible;
    int first;
    double width;
    std::vector<std::string> labels;
};

class DensityClassAxis : public testing::TestWithParam<AxisCase> {};

TEST_P(DensityClassAxis, Labels)
{
    const AxisCase& k = GetParam();
    RecordingCanvas c(CanvasTarget::Metafile); // no blanking texts
    DrawDensityClassAxis(c, DensityAxisArgs{1, 60, 208, 400, k.visible, k.first, 10, 5, 30.0, k.width});
    std::vector<std::string> expected = k.labels;
    expected.push_back("dB");
    EXPECT_EQ(Texts(c), expected);
    EXPECT_EQ(CountLines(c), static_cast<int>(k.labels.size()));
}

INSTANTIATE_TEST_SUITE_P(Cases, DensityClassAxis,
                         testing::Values(AxisCase{41, 0, 1.0, {"30", "40", "50", "60", "70"}},
                                         // From class 13 the labels stand on classes 20 and 30.
                                         AxisCase{25, 13, 1.0, {"50", "60"}},
                                         AxisCase{21, 0, 0.5, {"30.0", "35.0", "40.0"}},
                                         // One visible class has no spacing between bounds: no ticks, no labels.
                                         AxisCase{1, 0, 1.0, {}}, AxisCase{0, 0, 1.0, {}}));

struct ReadoutFixture {
    GraphGeometry geometry{60, 28, 41, 1, 180, 10};
    std::vector<double> values = std::vector<double>(41, 0.25);
    HistogramPanel p;
    ReadoutFixture()
    {
        p.classLow = 30.0;
        p.classWidth = 0.5;
        p.values = values;
        p.cursorShown = true;
        p.cursorIndex = 4;
        p.blockProbability = 12.5;
    }
    std::vector<std::string> Paint(int markers)
    {
        p.markerCount = markers;
        p.markerColumns = {2, 6};
        RecordingCanvas c(CanvasTarget::Screen);
        DrawDensityCursor(PanelHead{c, 1, 0, 0, 18, geometry, 0}, p);
        return Texts(c);
    }
};

TEST(DensityReadout, BlockProbabilityOnlyWithTwoMarkers)
{
    ReadoutFixture f;
    const std::vector<std::string> two = f.Paint(2);
    EXPECT_EQ(two, (std::vector<std::string>{"Cursor:   cl[5]=32.0dB   D=25.00", "%",
                                             "Markers:  cl0=31.0dB   cl1=33.0dB  ", "Block probability = 12.50", "%"}));
    EXPECT_EQ(f.Paint(1), (std::vector<std::string>{"Cursor:   cl[5]=32.0dB   D=25.00", "%", "Marker:   cl0=31.0dB"}));
}

} // namespace
} // namespace orlu
