#include "graph/GraphSettings.h"
#include "graph/PhaseGraph.h"
#include "graph/SpectrumGraph.h"
#include "platform/canvas/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace orlu {
namespace {

std::vector<std::string> Matching(const RecordingCanvas& c, std::string_view needle)
{
    std::vector<std::string> out;
    for (const std::string& l : c.Lines())
        if (l.find(needle) != std::string::npos)
            out.push_back(l);
    return out;
}

std::vector<std::string> Texts(const RecordingCanvas& c)
{
    std::vector<std::string> out;
    for (const std::string& l : Matching(c, "text ")) {
        const auto open = l.find('"');
        out.push_back(l.substr(open + 1, l.find('"', open + 1) - open - 1));
    }
    return out;
}

TEST(PhaseGraph, BarsFillHalfThePlotAtPiAndClipBeyond)
{
    struct Case {
        double radians;
        int offset;
    };
    for (const Case& k : {Case{kPhasePi, 50}, Case{-kPhasePi, -50}, Case{7.0, 50}, Case{-7.0, -50}, Case{0.0, 0},
                          Case{kPhasePi / 100.0, 1}, Case{kPhasePi / 200.0, 0}, Case{-kPhasePi / 100.0, -1},
                          Case{std::nan(""), 0}, Case{INFINITY, 50}})
        EXPECT_EQ(PhaseBarOffset(k.radians, 50), k.offset) << k.radians;

    // Plot rows 28 .. 128, zero line at 78: pi reaches the top row, -pi the bottom.
    GraphGeometry g{60, 28, 3, 1, 100, 4};
    const std::vector<double> values{M_PI, -M_PI, 9.0};
    SpectrumPanel p;
    p.values = values;
    RecordingCanvas c;
    const CanvasState before = c.State();
    DrawPhaseGraph(PanelHead{c, 1, 0, 0, 9, g, 0}, p, GraphSettings{});
    EXPECT_EQ(DescribeStateChange(before, c.State()), "");
    const std::vector<std::string> bars = Matching(c, "brush=#00FF00");
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_TRUE(bars[0].starts_with("rect 60,28-65,79")) << bars[0];
    EXPECT_TRUE(bars[1].starts_with("rect 64,78-69,128")) << bars[1];
    EXPECT_TRUE(bars[2].starts_with("rect 68,28-73,79")) << bars[2];
}

TEST(PhaseGraph, AxisLabelsByUnitAndPlotHeight)
{
    struct Case {
        int unit;
        int height;
        std::vector<std::string> labels;
        const char* unitText;
    };
    const std::vector<Case> cases{
        {kPhaseDegrees, 100, {" -180", " -120", "  -60", "    0", "   60", "  120", "  180"}, "  deg"},
        {kPhaseDegrees, 60, {" -180", "  -90", "    0", "   90", "  180"}, "  deg"},
        {kPhaseRadians, 100, {" -3.0", " -2.0", " -1.0", "  0.0", "  1.0", "  2.0", "  3.0"}, "  rad"},
        {kPhaseRadians, 60, {" -3.0", " -1.5", "  0.0", "  1.5", "  3.0"}, "  rad"},
        {kPhaseGrads, 120, {" -200", " -150", " -100", "  -50", "    0", "   50", "  100", "  150", "  200"}, " grad"},
        {kPhaseGrads, 100, {" -200", " -100", "    0", "  100", "  200"}, " grad"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::to_string(k.unit) + " height " + std::to_string(k.height));
        RecordingCanvas c;
        c.SelectFont(Font{"Courier New", 14, 400});
        DrawPhaseAxis(c, PhaseAxisInput{1, 100, 200, k.height, 4, k.unit});
        std::vector<std::string> expected = k.labels;
        expected.push_back(k.unitText);
        EXPECT_EQ(Texts(c), expected);
        // Degrees and grads reach +-pi: the outer ticks at the plot's edges, the negative one a pixel higher.
        if (k.unit == kPhaseRadians)
            continue;
        const int half = k.height / 2;
        const int ym = 200 - k.height / 2;
        EXPECT_EQ(Matching(c, "line 96," + std::to_string(ym - half) + "-100,").size(), 1u);
        EXPECT_EQ(Matching(c, "line 96," + std::to_string(ym + half - 1) + "-100,").size(), 1u);
    }
}

TEST(PhaseGraph, ReadoutFrequencyDecimalsAndMarkerBand)
{
    struct Decimals {
        double spacing;
        int decimals;
    };
    for (const Decimals& k : {Decimals{0.5, 1}, Decimals{1.25, 2}, Decimals{2.0, 0}, Decimals{0.000001, 0},
                              Decimals{0.00001, 5}, Decimals{3.125, 3}})
        EXPECT_EQ(PhaseReadoutDecimals(k.spacing), k.decimals) << k.spacing;

    GraphGeometry g{60, 28, 4, 1, 100, 4};
    const std::vector<double> values{0.0, M_PI / 2, -M_PI / 4, 1.0};
    const std::vector<double> frequencies{0.0, 1.25, 2.5, 3.75};
    struct Case {
        int unit;
        int cursor;
        int markerAt;
        std::string line;
        bool band;
    };
    for (const Case& k : {Case{kPhaseDegrees, 1, 0, "Cursor:   f[1]=1.25Hz   Ph=90.0deg", false},
                          Case{kPhaseGrads, 2, 1, "Cursor:   f[2]=2.50Hz   Ph=-50.0grad", true},
                          Case{kPhaseRadians, 3, 2, "Cursor:   f[3]=3.75Hz   Ph=1.00rad", true}}) {
        SCOPED_TRACE(k.line);
        SpectrumPanel p;
        p.values = values;
        p.frequencies = frequencies;
        p.lineSpacing = 1.25;
        p.phaseUnit = k.unit;
        p.cursorShown = true;
        p.cursorIndex = k.cursor;
        p.markerCount = 1;
        p.markerColumns = {k.markerAt, k.markerAt};
        RecordingCanvas c;
        const PanelHead head{c, 1, 0, 0, 9, g, 0};
        DrawPhaseCursor(head, p, GraphSettings{});
        const std::vector<std::string> texts = Texts(c);
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[0], k.line);
        EXPECT_EQ(texts[1], "Marker:   f0=" + std::string(k.markerAt == 0 ? "0.0" : k.markerAt == 1 ? "1.2" : "2.5") + "Hz");
        RecordingCanvas graph;
        DrawPhaseGraph(PanelHead{graph, 1, 0, 0, 9, g, 0}, p, GraphSettings{});
        // A single marker on the first shown point draws no band.
        EXPECT_EQ(!Matching(graph, "#E6E6E6").empty(), k.band);
    }
}

} // namespace
} // namespace orlu
