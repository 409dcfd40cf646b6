#include "graph/GraphPainter.h"
#include "graph/GraphSettings.h"
#include "graph/PlotDispatch.h"
#include "graph/SpectrumGraph.h"
#include "graph/SpectrumReadout.h"
#include "platform/canvas/RecordingCanvas.h"
#include "support/PlotFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

namespace orlu {
namespace {

// Plot rectangle of the panels below: left 60, top 28, bottom 128, 100 pixels high.
constexpr int kLeft = 60;
constexpr int kTop = 28;
constexpr int kBottom = 128;
constexpr int kHeight = 100;

struct Rect {
    int x1, y1, x2, y2;
    std::string pen;
    std::string brush;
};

std::vector<Rect> Rects(const RecordingCanvas& c)
{
    std::vector<Rect> out;
    for (const std::string& l : c.Lines()) {
        Rect r{};
        char pen[64] = {};
        char brush[32] = {};
        if (std::sscanf(l.c_str(), "rect %d,%d-%d,%d pen=%63s brush=%31s", &r.x1, &r.y1, &r.x2, &r.y2, pen, brush) == 6) {
            r.pen = pen;
            r.brush = brush;
            out.push_back(r);
        }
    }
    return out;
}

std::vector<Rect> Bars(const RecordingCanvas& c)
{
    std::vector<Rect> out;
    for (const Rect& r : Rects(c))
        if (r.y2 == kBottom && r.x1 >= kLeft && r.brush != "#E6E6E6" && r.brush != "#FFFFFF")
            out.push_back(r);
    return out;
}

std::vector<std::string> Matching(const RecordingCanvas& c, std::string_view needle)
{
    std::vector<std::string> out;
    for (const std::string& l : c.Lines())
        if (l.find(needle) != std::string::npos)
            out.push_back(l);
    return out;
}

struct Panel {
    GraphGeometry geometry{60, 28, 0, 1, kHeight, 2};
    SpectrumPanel p;
    std::vector<double> values;
    std::vector<std::uint8_t> marks;
    std::vector<double> frequencies;
    int plotKind = kFftPlotKind;
    int sizeIndex = 0;

    Panel(std::vector<double> v, int pixels = 2) : values(std::move(v))
    {
        geometry.pointCount = static_cast<int>(values.size());
        geometry.pixelsPerPoint = pixels;
        p.levelBase = 30.0;
        p.span = 110.0;
        p.autoscale = false;
        p.inputKind = 2;
        p.lineSpacing = 1.0;
    }
    RecordingCanvas Paint(CanvasTarget target = CanvasTarget::Screen, bool readout = false)
    {
        p.values = values;
        p.marks = marks;
        p.frequencies = frequencies;
        RecordingCanvas c(target);
        const PanelHead head{c, 1, 0, 0, plotKind, geometry, sizeIndex};
        const CanvasState before = c.State();
        if (readout)
            DrawSpectrumCursor(head, p, GraphSettings{});
        else
            DrawSpectrumGraph(head, p, GraphSettings{});
        EXPECT_EQ(DescribeStateChange(before, c.State()), "");
        return c;
    }
};

TEST(SpectrumGraph, BarHeightsClipToThePlotAndNeverVanish)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double v;
        int height;
    };
    for (const Case& k : {Case{-inf, 1}, Case{std::nan(""), 1}, Case{-5.0, 1}, Case{0.0, 1}, Case{0.5, 1},
                          Case{55.0, 50}, Case{109.9, 99}, Case{110.0, kHeight}, Case{1e300, kHeight}, Case{inf, kHeight}})
        EXPECT_EQ(SpectrumBarHeight(k.v, 110.0, kHeight), k.height) << k.v;
}

TEST(SpectrumGraph, ValuesOutsideTheRangeGiveOnePixelOrFullBars)
{
    // An all-zero FFT line reads minus infinity dB: it draws a 1-pixel bar like a value below the range.
    Panel panel({-1000.0, 1000.0, -std::numeric_limits<double>::infinity(), 85.0});
    const RecordingCanvas c = panel.Paint();
    const std::vector<Rect> bars = Bars(c);
    ASSERT_EQ(bars.size(), 4u);
    const int heights[] = {1, kHeight, 1, 50};
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(bars[i].x1, kLeft + 2 * static_cast<int>(i));
        EXPECT_EQ(bars[i].x2 - bars[i].x1, 3); // neighbouring bars share their outline
        EXPECT_EQ(kBottom - bars[i].y1, heights[i]);
        EXPECT_EQ(bars[i].brush, "#00FF00");
    }
}

TEST(SpectrumGraph, PeaksAndTonesInColour)
{
    struct Case {
        int pixels;
        bool peaks;
        bool tonality;
        std::vector<std::string> brushes;
        std::vector<std::string> pens;
    };
    const std::string black = "solid/1/#000000";
    const std::vector<Case> cases{
        {1, true, false, {"#FFFFFF", "#FF0000", "#0000FF"}, {black, "solid/1/#FF0000", "solid/1/#0000FF"}},
        {3, false, true, {"#FFFFFF", "#FF0000", "#0000FF"}, {black, black, black}},
        {3, false, false, {"#FFFFFF", "#FFFFFF", "#FFFFFF"}, {black, black, black}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.pixels);
        Panel panel({70.0, 80.0, 75.0}, k.pixels);
        panel.marks = {0, 1, 2};
        panel.p.solidBars = false;
        panel.p.peaksShown = k.peaks;
        panel.p.tonalityShown = k.tonality;
        const RecordingCanvas c = panel.Paint();
        // White bars lie on the white plot: look at the three bars by their place.
        std::vector<Rect> bars;
        for (const Rect& r : Rects(c))
            if (r.y2 == kBottom && r.x1 >= kLeft && r.y1 > kTop)
                bars.push_back(r);
        ASSERT_EQ(bars.size(), 3u);
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(bars[i].brush, k.brushes[i]) << i;
            EXPECT_EQ(bars[i].pen, k.pens[i]) << i;
            EXPECT_EQ(bars[i].x2 - bars[i].x1, k.pixels == 1 ? 1 : k.pixels + 1);
        }
    }
}

TEST(SpectrumGraph, MarkerBandOverTheShownWindow)
{
    struct Case {
        const char* name;
        int count;
        std::array<int, 2> markers;
        int firstColumn; // -1: no band
        int endColumn;
    };
    const std::vector<Case> cases{
        {"second marker only in the window", 2, {3, 15}, 0, 6},
        {"one marker shown", 1, {14, 14}, 4, 5},
        {"one marker before the window", 1, {3, 3}, -1, 0},
        {"block past the window", 2, {12, 40}, 2, 20},
        {"block before the window", 2, {1, 5}, -1, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Panel panel(std::vector<double>(40, 60.0));
        panel.geometry.pointCount = 20;
        panel.p.firstShown = 10;
        panel.p.markerCount = k.count;
        panel.p.markerColumns = k.markers;
        std::vector<Rect> bands;
        for (const Rect& r : Rects(panel.Paint()))
            if (r.brush == "#E6E6E6")
                bands.push_back(r);
        if (k.firstColumn < 0) {
            EXPECT_TRUE(bands.empty());
            continue;
        }
        ASSERT_EQ(bands.size(), 1u);
        EXPECT_EQ(bands[0].x1, kLeft + 2 * k.firstColumn);
        EXPECT_EQ(bands[0].x2, kLeft + 2 * k.endColumn);
        EXPECT_EQ(bands[0].y1, kTop + 1);
        EXPECT_EQ(bands[0].y2, kBottom - 1);
    }
}

TEST(SpectrumGraph, MaskingNoiseLineOnlyWhereItMeetsTheWindow)
{
    struct Case {
        int first;
        int last;
        std::size_t segments; // red 2-pixel lines
    };
    for (const Case& k : {Case{5, 15, 6}, Case{0, 4, 0}, Case{30, 40, 0}, Case{12, 12, 1}}) {
        SCOPED_TRACE(k.first);
        // The bar of the line where the noise line starts has its value: both reach the same row.
        std::vector<double> values(20, 60.0);
        const int start = std::max(k.first, 10);
        if (static_cast<std::size_t>(start) < values.size())
            values[static_cast<std::size_t>(start)] = 0.5 * (start - k.first) + 70.0;
        Panel panel(values);
        panel.geometry.pointCount = 10;
        panel.p.firstShown = 10;
        panel.p.tonalityShown = true;
        panel.p.noise = NoiseLine{k.first, k.last, 0.5, 70.0};
        const RecordingCanvas c = panel.Paint();
        const std::vector<std::string> red = Matching(c, "pen=solid/2/#FF0000");
        EXPECT_EQ(red.size(), k.segments);
        if (red.empty())
            continue;
        const Rect bar = Bars(c)[static_cast<std::size_t>(start - 10)];
        const int x = kLeft + 2 * (start - 10);
        EXPECT_TRUE(red.front().starts_with("line " + std::to_string(x + 1) + "," + std::to_string(bar.y1) + "-" +
                                            std::to_string(x) + "," + std::to_string(bar.y1)))
            << red.front(); // a 1-pixel stroke at the first point
    }
}

TEST(SpectrumReadout, FftFrequencies)
{
    struct Case {
        int point;
        int count;
        int totalBars;
        int degree;
        double spacing;
        const char* text;
    };
    for (const Case& k : {Case{0, 10, 0, 3, 1.0, "0.0Hz"}, Case{1, 10, 0, 3, 1.0, "2.0Hz"}, Case{2, 10, 0, 3, 1.0, "5.0Hz"},
                          Case{3, 10, 0, 3, 0.05, "0.40Hz"}, Case{1, 10, 0, 5, 0.05, "0.15Hz"},
                          Case{0, 10, 1, 1, 1.0, "Total"}, Case{9, 10, 2, 1, 1.0, "Total"}, Case{9, 10, 1, 1, 1.0, "9.0Hz"},
                          Case{0, 10, 2, 1, 1.0, "0.0Hz"}})
        EXPECT_EQ(FftReadoutFrequency(k.point, k.count, k.totalBars, k.degree, k.spacing), k.text)
            << k.point << " " << k.spacing;
}

std::vector<std::pair<std::string, std::pair<int, int>>> ReadoutTexts(const RecordingCanvas& c)
{
    std::vector<std::pair<std::string, std::pair<int, int>>> out;
    for (const std::string& l : c.Lines()) {
        int x = 0;
        int y = 0;
        if (std::sscanf(l.c_str(), "text %d,%d", &x, &y) != 2)
            continue;
        const auto open = l.find('"');
        out.push_back({l.substr(open + 1, l.find('"', open + 1) - open - 1), {x, y}});
    }
    return out;
}

TEST(SpectrumReadout, CursorMarkersAndBlockBySize)
{
    for (const int size : {0, 2}) {
        SCOPED_TRACE(size);
        Panel panel({50.0, 60.0, 70.0, 80.0, 90.0});
        panel.frequencies = {0.0, 1.0, 2.0, 3.0, 4.0};
        panel.sizeIndex = size;
        panel.p.cursorShown = true;
        panel.p.cursorIndex = 2;
        panel.p.markerCount = 2;
        panel.p.markerColumns = {1, 3};
        panel.p.blockValue = 75.3;
        const RecordingCanvas c = panel.Paint(CanvasTarget::Screen, true);
        const auto texts = ReadoutTexts(c);
        ASSERT_EQ(texts.size(), size == 0 ? 3u : 4u);
        EXPECT_EQ(texts[0].first, "Cursor:   f[2]=2.0Hz   Lev=70.0dB");
        const int lh = 14;
        if (size == 0) {
            EXPECT_EQ(texts[1].first, "Markers:  f0=1.0Hz   f1=3.0Hz");
            EXPECT_EQ(texts[2].first, "Block RMS = 75.3dB");
            for (std::size_t i = 1; i < 3; ++i) {
                EXPECT_EQ(texts[i].second.first, kLeft);
                EXPECT_EQ(texts[i].second.second, texts[0].second.second + static_cast<int>(i) * lh);
            }
        } else {
            const int right = kLeft + 5 * 2;
            const std::vector<std::string> lines{"f0=1.0Hz", "f1=3.0Hz", "RMS=75.3dB"};
            for (std::size_t i = 0; i < 3; ++i) {
                EXPECT_EQ(texts[i + 1].first, lines[i]);
                EXPECT_EQ(texts[i + 1].second.first, right + 5 * 8);
                EXPECT_EQ(texts[i + 1].second.second, kTop + static_cast<int>(i) * lh);
            }
        }
        EXPECT_EQ(Matching(c, "rop=xor").size(), 1u);
        EXPECT_EQ(Matching(c, "fg=#7F7F7F").size(), texts.size() - 1);
    }
}

TEST(SpectrumReadout, OctaveBandNames)
{
    struct Case {
        const char* name;
        int kind;
        bool slot;
        int cursor;
        int markers;
        std::array<int, 2> columns;
        std::vector<std::string> texts;
    };
    const std::vector<Case> cases{
        {"flat total of a slot-layout file", 21, true, 17, 0, {0, 0}, {"Cursor:   f[18]=Total_Z   Lev=67.0dB"}},
        {"flat total", 21, false, 17, 0, {0, 0}, {"Cursor:   f[18]=Total_Lin   Lev=67.0dB"}},
        {"one marker", 21, false, 1, 1, {4, 4}, {"Cursor:   f[2]=2Hz   Lev=51.0dB", "Marker:   f0=16Hz"}},
        {"negative marker: no marker line", 21, false, 1, 1, {-1, -1}, {"Cursor:   f[2]=2Hz   Lev=51.0dB"}},
        {"two markers, the first before the bands", 21, false, 0, 2, {-2, 3}, {"Cursor:   f[1]=1Hz   Lev=50.0dB",
                                                                               "Markers:  f0=1Hz   f1=8Hz",
                                                                               "Block RMS = 0.0dB"}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        std::vector<double> values;
        for (int i = 0; i < 18; ++i)
            values.push_back(50.0 + i);
        Panel panel(values);
        panel.plotKind = k.kind;
        panel.p.slotLayout = k.slot;
        panel.p.cursorShown = true;
        panel.p.cursorIndex = k.cursor;
        panel.p.markerCount = k.markers;
        panel.p.markerColumns = k.columns;
        const auto texts = ReadoutTexts(panel.Paint(CanvasTarget::Screen, true));
        ASSERT_EQ(texts.size(), k.texts.size());
        for (std::size_t i = 0; i < texts.size(); ++i)
            EXPECT_EQ(texts[i].first, k.texts[i]);
    }
}

TEST(SpectrumGraph, FixtureSpectraPaintThroughTheDispatchOnEveryTarget)
{
    // Spectra (green bars) and statistical levels (red bars).
    for (const int kind : {9, 11, 12, 16, 20, 21, 25, 29, 40, 42, 46, 50, 0, 4, 10, 31, 37}) {
        PlotFixtureOptions o;
        o.plotKind = kind;
        o.panels = 1;
        o.points = 300;
        o.markers = std::array<int, 2>{5, 9};
        o.cursor = 7;
        o.peaks = o.tonality = kind == 9;
        o.totalBars = 1;
        for (CanvasTarget target : {CanvasTarget::Screen, CanvasTarget::Printer, CanvasTarget::Metafile}) {
            SCOPED_TRACE(std::to_string(kind) + " target " + std::to_string(static_cast<int>(target)));
            PlotState s = MakePlotFixture(o);
            RecordingCanvas c(target);
            EngineRoutines routines;
            const CanvasState before = c.State();
            PaintGraph(c, s.view, s.doc, s.settings, routines);
            EXPECT_EQ(DescribeStateChange(before, c.State()), "");
            const bool statLevels = PlotGroupOf(kind).group == PlotGroup::StatLevels;
            EXPECT_FALSE(Matching(c, statLevels ? "brush=#FF0000" : "brush=#00FF00").empty());
            EXPECT_EQ(Matching(c, "\"Cursor:").size(), 1u);
        }
    }
}

} // namespace
} // namespace orlu

namespace orlu {
namespace {

TEST(SpectrumGraph, FourChannelPanelsStartingAtDifferentBandsLineUp)
{
    PlotFixtureOptions o;
    o.plotKind = 11;
    o.panels = 2;
    o.markers = std::array<int, 2>{4, 6};
    o.cursor = 5;
    PlotState s = MakePlotFixture(o);
    s.doc.FourChannelFamily = true;
    s.doc.Channels = 2;
    s.doc.ChannelFacts[0].FirstBand11 = 0;
    s.doc.ChannelFacts[1].FirstBand11 = 2; // the second channel's bands start two octaves higher
    for (auto& facts : s.doc.ChannelFacts)
        facts.BandCount11 = 10;
    RecordingCanvas c;
    EngineRoutines routines;
    PaintGraph(c, s.view, s.doc, s.settings, routines);
    // Cursor bars and marker bands of both panels cover the same columns.
    std::vector<Rect> cursors;
    std::vector<Rect> bands;
    for (const Rect& r : Rects(c)) {
        if (r.brush == "#484848")
            cursors.push_back(r);
        if (r.brush == "#E6E6E6")
            bands.push_back(r);
    }
    ASSERT_EQ(cursors.size(), 2u);
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(cursors[0].x1, cursors[1].x1);
    EXPECT_EQ(cursors[0].x2, cursors[1].x2);
    EXPECT_EQ(bands[0].x1, bands[1].x1);
    EXPECT_EQ(bands[0].x2, bands[1].x2);
    EXPECT_NE(Matching(c, "f[6]=").size(), 0u); // the first panel's cursor on its sixth band
    EXPECT_NE(Matching(c, "f[4]=").size(), 0u); // the second's on its fourth
}

} // namespace
} // namespace orlu
