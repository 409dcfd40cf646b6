#include "graph/ClassAxis.h"
#include "graph/GraphLayout.h"
#include "graph/GraphSettings.h"
#include "graph/HistogramGraph.h"
#include "graph/PercentAxis.h"
#include "platform/canvas/RecordingCanvas.h"

#include <gtest/gtest.h>

#include "platform/ValueFormat.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace orlu {
namespace {

constexpr int kLeft = 60;
constexpr int kTop = 28;
constexpr int kPitch = 4;

std::vector<std::string> Matching(const RecordingCanvas& c, std::string_view needle)
{
    std::vector<std::string> out;
    for (const std::string& l : c.Lines())
        if (l.find(needle) != std::string::npos)
            out.push_back(l);
    return out;
}

struct Box {
    int x1, y1, x2, y2;
};
std::vector<Box> Rects(const RecordingCanvas& c, std::string_view brush)
{
    std::vector<Box> out;
    for (const std::string& l : Matching(c, brush)) {
        Box b{};
        if (std::sscanf(l.c_str(), "rect %d,%d-%d,%d", &b.x1, &b.y1, &b.x2, &b.y2) == 4)
            out.push_back(b);
    }
    return out;
}

// The texts written, in order.
std::vector<std::string> Texts(const RecordingCanvas& c)
{
    std::vector<std::string> out;
    for (const std::string& l : Matching(c, "text ")) {
        const auto a = l.find('"');
        const auto b = l.find('"', a + 1);
        out.push_back(l.substr(a + 1, b - a - 1));
    }
    return out;
}

struct Panel {
    GraphGeometry geometry{kLeft, kTop, 0, 1, 182, kPitch};
    HistogramPanel p;
    std::vector<double> values;
    int sizeIndex = 0;

    explicit Panel(std::vector<double> v) : values(std::move(v))
    {
        geometry.pointCount = static_cast<int>(values.size());
        p.peak = 37.0;
        p.classLow = 30.0;
        p.classWidth = 1.0;
    }
    int Bottom() const { return kTop + geometry.plotHeight; }
    RecordingCanvas Paint(bool readout = false)
    {
        p.values = values;
        RecordingCanvas c(CanvasTarget::Screen);
        const PanelHead head{c, 1, 0, 0, 8, geometry, sizeIndex};
        const CanvasState before = c.State();
        if (readout) {
            DrawHistogramCursor(head, p);
        } else {
            EXPECT_EQ(DrawHistogramGraph(head, p, GraphSettings{}), p.firstShown);
        }
        EXPECT_EQ(DescribeStateChange(before, c.State()), "");
        return c;
    }
};

TEST(HistogramGraph, BarHeights)
{
    struct Case {
        double value;
        double fraction;
        int plotHeight;
        int height;
    };
    // 37 % on a 40 % axis: fraction 0.925; trunc(0.925 x 182) + 1 = 169.
    for (const Case& k : {Case{1.0, 0.925, 182, 169}, Case{0.5, 0.925, 182, 85}, Case{0.0, 0.925, 182, 1},
                          Case{-0.2, 0.925, 182, 1}, Case{1.0, 1.0, 46, 47}})
        EXPECT_EQ(HistogramBarHeight(k.value, k.fraction, k.plotHeight), k.height) << k.value << " " << k.plotHeight;
}

TEST(HistogramGraph, BarsOnTheFortyPercentAxis)
{
    Panel panel({0.0, 0.5, 1.0, 0.25});
    const RecordingCanvas c = panel.Paint();
    const std::vector<Box> bars = Rects(c, "brush=#0000FF");
    ASSERT_EQ(bars.size(), 4u);
    const int bottom = panel.Bottom();
    const int expected[] = {1, 85, 169, 43}; // trunc(v x 0.925 x 182) + 1
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(bars[i].x1, kLeft + static_cast<int>(i) * kPitch);
        EXPECT_EQ(bars[i].x2, kLeft + static_cast<int>(i + 1) * kPitch + 1);
        // From the plot's bottom edge up to bottom - h + 1.
        EXPECT_EQ(bars[i].y2, bottom);
        EXPECT_EQ(bars[i].y1, bottom - expected[i] + 1) << i;
    }
    const std::vector<std::string> t = Texts(c);
    for (const char* label : {"   0", "   4", "  20", "  40", " %", "dB"})
        EXPECT_NE(std::find(t.begin(), t.end(), label), t.end()) << label;
    EXPECT_EQ(std::find(t.begin(), t.end(), "  44"), t.end());
}

TEST(HistogramGraph, WhiteBarsWhenNotSolid)
{
    Panel panel({1.0, 0.5});
    panel.p.solidBars = false;
    const RecordingCanvas c = panel.Paint();
    EXPECT_TRUE(Rects(c, "brush=#0000FF").empty());
    EXPECT_GE(Rects(c, "brush=#FFFFFF").size(), 3u); // the frame and two bars
}

TEST(HistogramGraph, MarkerBand)
{
    struct Case {
        int count;
        int m0, m1;
        int first;
        bool drawn;
        int s, e; // in classes from the plot's left edge
    };
    // A window of 20 classes.
    for (const Case& k : {Case{1, 5, 0, 0, true, 5, 6}, Case{1, 25, 0, 0, false, 0, 0}, Case{1, 3, 0, 4, false, 0, 0},
                          Case{2, 3, 8, 0, true, 3, 9}, Case{2, 2, 8, 5, true, 0, 4}, Case{2, 10, 40, 5, true, 5, 20},
                          Case{2, 1, 4, 5, false, 0, 0}, Case{0, 3, 8, 0, false, 0, 0}}) {
        Panel panel(std::vector<double>(40, 0.5));
        panel.geometry.pointCount = 20;
        panel.p.markerCount = k.count;
        panel.p.markerColumns = {k.m0, k.m1};
        panel.p.firstShown = k.first;
        const std::vector<Box> band = Rects(panel.Paint(), "brush=#E6E6E6");
        ASSERT_EQ(band.size(), k.drawn ? 1u : 0u) << k.count << " " << k.m0 << " " << k.first;
        if (k.drawn) {
            EXPECT_EQ(band[0].x1, kLeft + k.s * kPitch);
            EXPECT_EQ(band[0].x2, kLeft + k.e * kPitch);
            EXPECT_EQ(band[0].y1, kTop + 1);
            EXPECT_EQ(band[0].y2, panel.Bottom() - 1);
        }
    }
}

TEST(HistogramGraph, ClassAxisLabels)
{
    struct Case {
        int count;
        int first;
        double width;
        std::vector<std::string> labels;
    };
    for (const Case& k : {Case{40, 13, 1.0, {"50", "60", "70", "80"}}, Case{12, 0, 0.5, {"30.0", "35.0"}},
                          Case{25, 0, 2.0, {"30", "50", "70"}}, Case{1, 10, 1.0, {}}, Case{0, 0, 1.0, {}}}) {
        RecordingCanvas c(CanvasTarget::Screen);
        DrawClassAxis(c, ClassAxisArgs{1, 60, 200, 400, k.count, k.first, 10, 5, 30.0, k.width});
        std::vector<std::string> t = Texts(c);
        ASSERT_FALSE(t.empty());
        EXPECT_EQ(t.back(), "dB");
        t.pop_back();
        EXPECT_EQ(t, k.labels) << k.count << " " << k.first;
        EXPECT_EQ(Matching(c, "line ").size(), k.labels.size());
    }
    // The tick of class 20 from first 13 stands in the middle of window class 7.
    RecordingCanvas c(CanvasTarget::Screen);
    DrawClassAxis(c, ClassAxisArgs{1, 60, 200, 399, 40, 13, 10, 5, 30.0, 1.0});
    ASSERT_FALSE(Matching(c, "line ").empty());
    EXPECT_EQ(Matching(c, "line ")[0].rfind("line 135,201-135,206", 0), 0u) << Matching(c, "line ")[0];
}

TEST(HistogramGraph, PercentAxisLabels)
{
    struct Case {
        double top;
        int intervals;
        int step;
        std::vector<std::string> labels;
    };
    for (const Case& k : {
             Case{40.0, 10, 1, {"   0", "   4", "   8", "  12", "  16", "  20", "  24", "  28", "  32", "  36", "  40"}},
             Case{2.5, 10, 1, {"0.00", "0.25", "0.50", "0.75", "1.00", "1.25", "1.50", "1.75", "2.00", "2.25", "2.50"}},
             Case{2.5, 10, 2, {" 0.0", " 0.5", " 1.0", " 1.5", " 2.0", " 2.5"}},
             Case{100.0, 20, 5, {"   0", "  25", "  50", "  75", " 100"}},
         }) {
        const PercentAxisArgs a{1, 60, 200, 182, k.intervals, 0, k.step, 4, 0.0, k.top, 0};
        EXPECT_EQ(PercentAxisLabels(a), k.labels) << k.top << " " << k.step;
        RecordingCanvas c(CanvasTarget::Screen);
        DrawPercentAxis(c, a);
        EXPECT_EQ(Matching(c, "line ").size(), k.labels.size());
    }
}

TEST(HistogramGraph, ReadoutAtTheLargestSize)
{
    Panel panel(std::vector<double>(20, 0.5));
    panel.p.cursorShown = true;
    panel.p.cursorIndex = 10;
    panel.p.markerCount = 2;
    panel.p.markerColumns = {4, 9};
    panel.p.blockProbability = 12.3456;
    const RecordingCanvas c = panel.Paint(true);
    const std::vector<std::string> t = Texts(c);
    const std::vector<std::string> expected = {"Cursor:   cl[11]=40.0dB   P=18.50", "%",
                                               "Markers:  cl0=34.0dB  cl1=39.0dB", "Block probability = 12.35", "%"};
    EXPECT_EQ(t, expected);
    // Three lines under the plot, one line apart; the markers in grey.
    const std::vector<std::string> lines = Matching(c, "text ");
    int y[5] = {};
    for (std::size_t i = 0; i < 5; ++i)
        std::sscanf(lines[i].c_str(), "text %*d,%d", &y[i]);
    EXPECT_GT(y[0], panel.Bottom());
    EXPECT_GT(y[2], y[0]);
    EXPECT_EQ(y[3] - y[2], y[2] - y[0]);
    EXPECT_NE(lines[2].find("fg=#7F7F7F"), std::string::npos);
    // The cursor column under XOR over class 10.
    const std::vector<std::string> column = Matching(c, "rop=xor");
    ASSERT_EQ(column.size(), 1u);
    EXPECT_EQ(column[0].rfind(StrPrintf("rect %d,", kLeft + 10 * kPitch), 0), 0u) << column[0];
}

TEST(HistogramGraph, ReadoutRightOfThePlotAtSmallerSizes)
{
    Panel panel(std::vector<double>(20, 0.5));
    panel.geometry.plotHeight = 100;
    panel.sizeIndex = 2;
    panel.p.markerCount = 2;
    panel.p.markerColumns = {4, 9};
    panel.p.blockProbability = 5.0;
    const RecordingCanvas c = panel.Paint(true);
    EXPECT_EQ(Texts(c), (std::vector<std::string>{"cl0=34.0dB", "cl1=39.0dB", "p=5.00", "%"}));
    RecordingCanvas probe(CanvasTarget::Screen);
    probe.SelectFont(ReadoutFont(1, 2));
    const int cw = probe.Metrics().aveCharWidth;
    const std::vector<std::string> lines = Matching(c, "text ");
    int x = 0, y = 0;
    std::sscanf(lines[0].c_str(), "text %d,%d", &x, &y);
    EXPECT_EQ(x, kLeft + 20 * kPitch + 5 * cw);
    EXPECT_EQ(y, kTop);
}

TEST(HistogramGraph, OneMarkerWithTheCursorOff)
{
    Panel panel(std::vector<double>(20, 0.5));
    panel.p.markerCount = 1;
    panel.p.markerColumns = {3, 0};
    panel.p.classWidth = 0.5;
    const RecordingCanvas c = panel.Paint(true);
    EXPECT_EQ(Texts(c), (std::vector<std::string>{"Marker:   cl0 = 31.5dB"}));
    EXPECT_EQ(Matching(c, "rop=xor").size(), 1u); // the column is drawn whatever the switch
}

} // namespace
} // namespace orlu
