#include "graph/BandAxis.h"
#include "graph/GraphSettings.h"
#include "graph/SpectrumGraph.h"
#include "graph/StatLevelGraph.h"
#include "platform/canvas/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace orlu {
namespace {

constexpr int kLeft = 60;
constexpr int kTop = 28;
constexpr int kBottom = 128;
constexpr int kHeight = 100;

std::vector<std::string> Matching(const RecordingCanvas& c, std::string_view needle)
{
    std::vector<std::string> out;
    for (const std::string& l : c.Lines())
        if (l.find(needle) != std::string::npos)
            out.push_back(l);
    return out;
}

// The tops of the red bars.
std::vector<int> BarTops(const RecordingCanvas& c)
{
    std::vector<int> out;
    for (const std::string& l : Matching(c, "brush=#FF0000")) {
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        if (std::sscanf(l.c_str(), "rect %d,%d-%d,%d", &x1, &y1, &x2, &y2) == 4 && y2 == kBottom)
            out.push_back(y1);
    }
    return out;
}

struct Panel {
    GraphGeometry geometry{60, 28, 0, 1, kHeight, 4};
    SpectrumPanel p;
    std::vector<double> values;
    int plotKind = 0;
    int sizeIndex = 0;

    explicit Panel(std::vector<double> v) : values(std::move(v))
    {
        geometry.pointCount = static_cast<int>(values.size());
        p.levelBase = 60.0;
        p.span = 80.0;
        p.inputKind = 2;
    }
    RecordingCanvas Paint(CanvasTarget target, bool readout = false)
    {
        p.values = values;
        RecordingCanvas c(target);
        const PanelHead head{c, 1, 0, 0, plotKind, geometry, sizeIndex};
        const CanvasState before = c.State();
        if (readout)
            DrawStatLevelSpectrumCursor(head, p, GraphSettings{});
        else
            DrawStatLevelSpectrumGraph(head, p, GraphSettings{});
        EXPECT_EQ(DescribeStateChange(before, c.State()), "");
        return c;
    }
};

TEST(StatLevelGraph, BarHeights)
{
    struct Case {
        double above;
        double span;
        int height;
    };
    for (const Case& k : {Case{-3.0, 80.0, 1}, Case{0.0, 80.0, 1}, Case{40.0, 80.0, 51}, Case{79.9, 80.0, 100},
                          Case{80.0, 80.0, 100}, Case{500.0, 80.0, 100}, Case{std::nan(""), 80.0, 1},
                          Case{-INFINITY, 80.0, 1}, Case{10.0, 0.0, 1}})
        EXPECT_EQ(StatLevelBarHeight(k.above, k.span, kHeight), k.height) << k.above << " / " << k.span;
}

TEST(StatLevelGraph, ManyZoomStepsLeaveAFiveDecibelRange)
{
    // 80 dB less 16 or more 5 dB steps left no range: the bars divided by zero.
    for (const int zoom : {15, 16, 30}) {
        SCOPED_TRACE(zoom);
        Panel panel({60.0, 62.5, 66.0, 50.0});
        panel.p.zoomSteps = static_cast<std::int16_t>(zoom);
        const std::vector<int> tops = BarTops(panel.Paint(CanvasTarget::Printer));
        ASSERT_EQ(tops.size(), 4u);
        EXPECT_EQ(kBottom - tops[1] + 1, 51); // 2.5 dB of a 5 dB range
        EXPECT_EQ(kBottom - tops[2] + 1, kHeight);
        EXPECT_EQ(kBottom - tops[3] + 1, 1);
    }
}

TEST(StatLevelGraph, ColumnsAboveTheBarsAreClearedAndOutlinesClosedOnTheScreenOnly)
{
    for (CanvasTarget target : {CanvasTarget::Screen, CanvasTarget::Printer, CanvasTarget::Metafile}) {
        SCOPED_TRACE(static_cast<int>(target));
        Panel panel({100.0, 80.0, 90.0, 70.0});
        const RecordingCanvas c = panel.Paint(target);
        const bool screen = target == CanvasTarget::Screen;
        EXPECT_EQ(Matching(c, "pen=solid/1/#FFFFFF brush=#FFFFFF").size(), screen ? 4u : 0u);
        // Bars 2 and 4 are lower than their left neighbours: a black line up to the neighbour's top.
        const std::vector<int> tops = BarTops(c);
        ASSERT_EQ(tops.size(), 4u);
        const std::vector<std::string> outline = Matching(c, "line 64,128-64,");
        EXPECT_EQ(outline.size(), screen ? 1u : 0u);
        if (screen) {
            EXPECT_TRUE(outline[0].starts_with("line 64,128-64," + std::to_string(kBottom - (kBottom - tops[0] + 1))))
                << outline[0];
        }
        EXPECT_EQ(Matching(c, "line 72,128-72,").size(), screen ? 1u : 0u);
        EXPECT_TRUE(Matching(c, "line 68,128-68,").empty()); // higher than its neighbour
    }
}

TEST(StatLevelGraph, ReadoutNamesTheBandAndStaysInDecibels)
{
    struct Case {
        const char* name;
        int kind;
        int quantity;
        int cursor;
        bool slot;
        int totalBars;
        std::string line;
    };
    const std::vector<Case> cases{
        {"first position of kind 0", 0, 0, 0, false, 0, "Cursor:   f[1]=1.6Hz   L=70.0dB"},
        {"linear quantity of another view", 0, 2, 0, false, 0, "Cursor:   f[1]=1.6Hz   L=70.0dB"},
        {"0.8 Hz band", 36, 0, 0, false, 0, "Cursor:   f[1]=0.8Hz   L=70.0dB"},
        {"flat total of a slot-layout file", 2, 0, 44, false, 1, "Cursor:   f[45]=Total_Lin   L=71.0dB"},
        {"flat total named Z", 2, 0, 44, true, 1, "Cursor:   f[45]=Total_Z   L=71.0dB"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        std::vector<double> values(48, 60.0);
        values[0] = 70.0;
        values[44] = 71.0;
        Panel panel(values);
        panel.plotKind = k.kind;
        panel.p.quantity = k.quantity;
        panel.p.cursorShown = true;
        panel.p.cursorIndex = k.cursor;
        panel.p.slotLayout = k.slot;
        panel.p.totalBars = k.totalBars;
        const RecordingCanvas c = panel.Paint(CanvasTarget::Screen, true);
        const std::vector<std::string> texts = Matching(c, "text ");
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_NE(texts[0].find("\"" + k.line + "\""), std::string::npos) << texts[0];
        EXPECT_EQ(Matching(c, "rop=xor").size(), 1u);
    }
    Panel off({60.0, 70.0});
    EXPECT_TRUE(off.Paint(CanvasTarget::Screen, true).Lines().empty());
}

TEST(StatLevelGraph, OctaveKind10AlwaysLaysOutFifteenPositions)
{
    const std::optional<BandAxisRow> row = StatLevelBandAxisOf(10);
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(row->count, 15);
    EXPECT_EQ(row->args.drawer, BandAxisDrawer::Octave15);
    // The kinds that name their bands as a spectrum kind take its axis.
    for (const auto& [kind, spectrumKind] : {std::pair{31, 29}, {33, 22}, {35, 14}, {36, 30}, {38, 24}}) {
        const std::optional<BandAxisRow> own = StatLevelBandAxisOf(kind);
        const std::optional<BandAxisRow> spectrum = SpectrumBandAxisOf(spectrumKind);
        ASSERT_TRUE(own && spectrum) << kind;
        EXPECT_EQ(own->args.drawer, spectrum->args.drawer) << kind;
        EXPECT_EQ(own->first, spectrum->first) << kind;
        EXPECT_EQ(own->args.totals, spectrum->args.totals) << kind;
    }
    Panel panel(std::vector<double>(15, 70.0));
    panel.plotKind = 10;
    panel.geometry.pointCount = 12; // fewer shown: the axis still divides the plot into 15
    panel.geometry.pixelsPerPoint = 40;
    const RecordingCanvas c = panel.Paint(CanvasTarget::Printer);
    EXPECT_EQ(Matching(c, "\"Total\"").size(), 1u);
}

} // namespace
} // namespace orlu
