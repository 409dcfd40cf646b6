#include "graph/GraphLayout.h"
#include "graph/GraphPainter.h"
#include "graph/GraphSettings.h"
#include "graph/GraphViewState.h"
#include "graph/GraphWindow.h"
#include "graph/PlotDispatch.h"
#include "graph/PlotStateDocument.h"
#include "platform/canvas/RecordingCanvas.h"
#include "support/PlotFixture.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

TEST(ClampGraphWindow, KeepsTheWindowInsideTheData)
{
    struct Case { const char* what; int total; int start; int cursor; int size; int newStart; int newCursor; };
    const Case cases[] = {
        {"fewer points than the window: cursor in the middle", 50, 20, 3, 50, 0, 25},
        {"cursor left of the window scrolls left", 1000, 300, -7, 100, 293, 0},
        {"cursor right of the window scrolls right", 1000, 300, 105, 100, 306, 99},
        {"window past the end: same absolute cursor", 1000, 950, 10, 100, 900, 60},
        {"start beyond the data", 1000, 1200, 10, 100, 900, 10},
        {"cursor left of the first point", 1000, 3, -7, 100, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GraphViewState v;
        v.PointCount = c.total;
        v.Geometry.pointCount = 100;
        v.WindowStart = c.start;
        v.CursorIndex = c.cursor;
        ClampGraphWindow(v);
        EXPECT_EQ(v.WindowSize, c.size);
        EXPECT_EQ(v.Geometry.pointCount, c.size);
        EXPECT_EQ(v.WindowStart, c.newStart);
        EXPECT_EQ(v.CursorIndex, c.newCursor);
    }
}

TEST(GetPlotMargins, PanelHeightsOfTheGraphSizes)
{
    struct Case { int size; bool printing; bool rt; int height; int top; int plot; };
    const Case cases[] = {
        {0, false, false, 318, 43, 182},
        {4, false, false, 1 + 48 + 46 + 2 + 0, 1 + 24, 46},
        {2, true, false, 164 + 5 + 22, 36, 100},
        {0, false, true, 380, 43, 182}, // reverberation steps: four lines more
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        GraphGeometry g;
        EXPECT_EQ(GetPlotMargins(g, c.size, c.printing, c.rt), c.height);
        EXPECT_EQ(g.topMargin, c.top);
        EXPECT_EQ(g.plotHeight, c.plot);
    }
}

TEST(GraphLayout, LinePlotsAndTheirReadouts)
{
    RecordingCanvas canvas;
    GraphGeometry g{60, 43, 100, 1, 182, 5};
    const PanelHead head{canvas, 2, 0, 10, 6, g, 0};
    GraphSettings settings;
    settings.CircleDraw = true;
    settings.CircleRadius = 2;
    settings.CircleMinStep = 4;
    const PanelLayout plot = LayoutGraph(PlotShapeOfType(1), head, settings, "Title", "");
    EXPECT_EQ(plot.left, 120);
    EXPECT_EQ(plot.top, 106);
    EXPECT_EQ(plot.plotWidth, 99 * 10 + 1);
    EXPECT_EQ(plot.bottom, 106 + 364);
    EXPECT_EQ(plot.circleRadius, 4); // 5 pixels per point is above the minimum step
    EXPECT_EQ(plot.lineHeight, 28);
    // Title at 5 characters in, one line and 3 scaled pixels above the plot.
    EXPECT_EQ(canvas.Lines().back(), "text 200,72 \"Title\" font=Courier New/28/400 fg=#000000 bg=#FFFFFF");
    canvas.SelectFont(plot.previousFont);
    const PanelLayout readout = LayoutReadout(PlotShapeOfType(1), head);
    EXPECT_EQ(readout.plotWidth, plot.plotWidth - 1);
    EXPECT_EQ(canvas.State().font.weight, 700);
    // The decay graph's type 2 is laid out as a line plot.
    EXPECT_EQ(PlotShapeOfType(2), PlotShape::Lines);
    EXPECT_EQ(LayoutGraph(PlotShapeOfType(2), head, settings, nullptr, nullptr).plotWidth, plot.plotWidth);
    settings.CircleMinStep = 5;
    EXPECT_EQ(LayoutGraph(PlotShape::Lines, head, settings, nullptr, nullptr).circleRadius, 0);
    EXPECT_EQ(LayoutGraph(PlotShape::Bars, head, settings, nullptr, nullptr).plotWidth, 1000);
}

TEST(AlignChannelBands, OffsetsTailsAndTies)
{
    PlotStateDocument doc;
    doc.Channels = 4;
    const int first[] = {5, 3, 3, 7};
    const int count[] = {20, 20, 25, 10};
    for (int c = 0; c < 4; ++c) {
        doc.ChannelFacts[static_cast<std::size_t>(c)].FirstBand13 = first[c];
        doc.ChannelFacts[static_cast<std::size_t>(c)].BandCount13 = count[c];
    }
    const ChannelBandOffsets all = AlignChannelBands(doc, 0x0F, false);
    EXPECT_EQ(all.lowestChannel, 1); // channels 1 and 2 tie at band 3: the earlier wins
    EXPECT_EQ(all.offsets, (std::array<std::uint16_t, 5>{2, 0, 0, 4, 0}));
    EXPECT_EQ(all.tails, (std::array<std::uint16_t, 5>{3, 5, 0, 11, 0}));
    const ChannelBandOffsets two = AlignChannelBands(doc, 0x09, false);
    EXPECT_EQ(two.lowestChannel, 0);
    EXPECT_EQ(two.offsets, (std::array<std::uint16_t, 5>{0, 0, 0, 2, 0}));
    EXPECT_EQ(two.tails, (std::array<std::uint16_t, 5>{0, 0, 0, 8, 0}));
}

// Records which routine each panel reached, with its key arguments.
class SpyRoutines : public PlotRoutines {
public:
    std::vector<std::string> calls;
    int decayAnswer = 0;
    int CursorRequest(const PanelArgs& a) override
    {
        if (a.group != PlotGroup::Decay || decayAnswer <= 0)
            return 0;
        calls.push_back("request " + std::to_string(decayAnswer));
        return decayAnswer++; // would ask for ever
    }
    void Plot(const PanelHead& head, const PanelArgs& a, const GraphSettings&) override
    {
        calls.push_back(Describe("plot", head, a));
    }
    void Readout(const PanelHead& head, const PanelArgs& a, const GraphSettings&) override
    {
        calls.push_back(Describe("readout", head, a));
    }

private:
    static std::string Describe(const char* what, const PanelHead& head, const PanelArgs& a)
    {
        std::string s = std::string(what) + " " + std::string(kGroupNames[static_cast<std::size_t>(a.group)]) +
                        " panel=" + std::to_string(a.panel) + " y=" + std::to_string(head.y) + " x=" + std::to_string(head.x) +
                        " offset=" + std::to_string(a.valueOffset);
        if (a.span != 0.0)
            s += " base=" + std::to_string(static_cast<int>(a.levelBase)) + " span=" + std::to_string(static_cast<int>(a.span));
        if (a.rpm)
            s += " rpm";
        return s;
    }
    static constexpr std::array<std::string_view, 8> kGroupNames{"levels", "history", "decay", "histogram",
                                                                 "spectrum", "phase", "waveform", "density"};
};

struct DispatchCase {
    const char* what;
    int plotKind;
    int channels;
    bool four;
    std::uint16_t selected;
    std::vector<std::string> plots;
};

TEST(PlotDispatch, EveryGroupReachesItsRoutineWithItsPanels)
{
    const DispatchCase cases[] = {
        {"time history: selected channels only, moved up", 6, 3, false, 0x05,
         {"plot history panel=0 y=0 x=0 offset=0", "plot history panel=2 y=318 x=0 offset=2000"}},
        {"four-channel logger: the rotation takes the fifth place", 6, 4, true, 0x13,
         {"plot history panel=0 y=0 x=0 offset=0", "plot history panel=1 y=318 x=0 offset=1000",
          "plot history panel=4 y=636 x=0 offset=0 rpm"}},
        {"statistical levels: one panel, 70/80", 2, 2, false, 0x03, {"plot levels panel=0 y=0 x=0 offset=0 base=60 span=80"}},
        {"four-channel band levels: shifted by their band offset", 2, 2, true, 0x03,
         {"plot levels panel=0 y=0 x=15 offset=0 base=60 span=80", "plot levels panel=1 y=318 x=0 offset=52 base=60 span=80"}},
        {"histograms: one per selected channel", 8, 2, false, 0x02, {"plot histogram panel=1 y=0 x=0 offset=40"}},
        {"densities", 18, 1, false, 0x01, {"plot density panel=0 y=0 x=0 offset=0"}},
        {"FFT spectrum: 100/110, one panel", 9, 2, false, 0x03, {"plot spectrum panel=0 y=0 x=0 offset=0 base=30 span=110"}},
        {"waveforms: stride of the records", 13, 2, false, 0x03,
         {"plot waveform panel=0 y=0 x=0 offset=0", "plot waveform panel=1 y=318 x=0 offset=1000"}},
        {"time intersections: 100/110", 28, 1, false, 0x01, {"plot decay panel=0 y=0 x=0 offset=0 base=30 span=110"}},
        {"a damaged channel count: no more panels than a graph has", 6, 40, false, 0xFFFF,
         {"plot history panel=0 y=0 x=0 offset=0", "plot history panel=1 y=318 x=0 offset=1000",
          "plot history panel=2 y=636 x=0 offset=2000", "plot history panel=3 y=954 x=0 offset=3000",
          "plot history panel=4 y=1272 x=0 offset=4000"}},
    };
    for (const DispatchCase& c : cases) {
        SCOPED_TRACE(c.what);
        PlotStateDocument doc;
        doc.Channels = c.channels;
        doc.FourChannelFamily = c.four;
        doc.RpmSeries = c.four;
        doc.RpmChannel = c.four;
        doc.TimingFacts.recordsPerChannel = 1000;
        doc.Bands = 20;
        doc.ChannelFacts[0].FirstBand13 = 4;
        doc.ChannelFacts[1].FirstBand13 = 3;
        GraphViewState v;
        v.PlotKind = static_cast<std::int16_t>(c.plotKind);
        v.ViewKind = c.plotKind == 2 ? 5 : 7;
        v.SelectedChannels = c.selected;
        v.AvailableChannels = 0x1F;
        v.PointCount = 200;
        v.ClassStride = 40;
        v.Geometry = GraphGeometry{60, 28, 100, 1, 180, 15};
        v.CursorOn = 0;
        SpyRoutines spy;
        RecordingCanvas canvas;
        const GraphPaintResult r = PaintGraph(canvas, v, doc, GraphSettings{}, spy);
        EXPECT_EQ(spy.calls, c.plots);
        EXPECT_EQ(r.panels, static_cast<int>(c.plots.size()));
        EXPECT_EQ(r.height, r.panels * 318);
    }
}

TEST(PlotDispatch, ReadoutsFollowThePanelsDrawn)
{
    PlotStateDocument doc;
    doc.Channels = 4;
    doc.File505 = true; // its statistical levels are drawn in one panel
    GraphViewState v;
    v.PlotKind = 3;
    v.ViewKind = 5;
    v.SelectedChannels = 0x0F;
    v.PointCount = 30;
    v.Geometry = GraphGeometry{60, 28, 30, 1, 180, 11};
    SpyRoutines spy;
    RecordingCanvas canvas;
    PaintGraph(canvas, v, doc, GraphSettings{}, spy);
    EXPECT_EQ(spy.calls, (std::vector<std::string>{"plot levels panel=0 y=0 x=0 offset=0 base=60 span=80",
                                                   "readout levels panel=0 y=0 x=0 offset=0 base=60 span=80"}));
}

TEST(PlotDispatch, DecayRequestMovesTheWindowBeforeTheOnlyPlotAndReportsTheScroll)
{
    PlotStateDocument doc;
    GraphViewState v;
    v.PlotKind = 28;
    v.PointCount = 300;
    v.Geometry = GraphGeometry{60, 28, 100, 1, 180, 5};
    v.CursorOn = 0;
    SpyRoutines spy;
    spy.decayAnswer = 98; // near the right edge of the window 0..99
    RecordingCanvas canvas;
    const GraphPaintResult r = PaintGraph(canvas, v, doc, GraphSettings{}, spy);
    // Asked once, before the only plot of the panel.
    ASSERT_EQ(spy.calls.size(), 2u);
    EXPECT_EQ(spy.calls[0], "request 98");
    EXPECT_EQ(spy.calls[1].rfind("plot ", 0), 0u);
    EXPECT_TRUE(r.scrollChanged);
    EXPECT_EQ(v.WindowStart + v.CursorIndex, 98);
    EXPECT_EQ(v.CursorIndex, 95); // five points from the edge
}

// Records the axis each panel was drawn with.
class AxisSpy : public PlotRoutines {
public:
    struct Drawn {
        int panel;
        int plotKind;
        int points;
        int x;
        int y;
        std::size_t values;
        bool operator==(const Drawn&) const = default;
    };
    std::vector<Drawn> plots;
    int CursorRequest(const PanelArgs&) override { return 0; }
    void Plot(const PanelHead& head, const PanelArgs& a, const GraphSettings&) override
    {
        plots.push_back({a.panel, head.plotKind, head.geometry.pointCount, head.x, head.y, a.spectrum.values.size()});
    }
    void Readout(const PanelHead&, const PanelArgs&, const GraphSettings&) override {}
};

struct ChannelAxisCase {
    const char* what;
    std::uint8_t viewKind;
    std::uint16_t selected;
    std::array<int, 5> axisKinds; ///< the channels' own PlotKinds (-1: none)
    std::array<int, 5> axisPoints;
    std::vector<AxisSpy::Drawn> plots;
};

// Four-channel octave spectra: every panel takes its channel's own band axis
// and positions, shifted so that equal bands line up; five filled panels are
// all drawn, each a panel height lower.
TEST(PlotDispatch, FourChannelOctavePanelsDrawTheirChannelsOwnAxes)
{
    const ChannelAxisCase cases[] = {
        {"1/3 octaves: a microphone and accelerometers of other layouts", 11, 0x0F, {50, 46, 52, 52, -1},
         {34, 46, 32, 32, 0},
         {{0, 50, 34, 169, 0, 34}, {1, 46, 46, 0, 318, 46}, {2, 52, 32, 130, 636, 32}, {3, 52, 32, 130, 954, 32}}},
        {"1/1 octaves use the 1/1 axes", 10, 0x05, {-1, -1, -1, -1, -1}, {0, 0, 0, 0, 0},
         {{0, 25, 48, 13, 0, 48}, {2, 25, 48, 0, 318, 48}}},
        {"five filled panels are all drawn", 11, 0x1F, {25, 46, 49, 52, 25}, {48, 46, 31, 32, 48},
         {{0, 25, 48, 169, 0, 48}, {1, 46, 46, 0, 318, 46}, {2, 49, 31, 130, 636, 31}, {3, 52, 32, 130, 954, 32},
          {4, 25, 48, 130, 1272, 48}}},
        {"an axis past the band kinds or the panel's values keeps the view's", 11, 0x03, {99, 46, -1, -1, -1},
         {34, 60, 0, 0, 0}, {{0, 25, 48, 169, 0, 48}, {1, 25, 48, 0, 318, 48}}},
    };
    for (const ChannelAxisCase& c : cases) {
        SCOPED_TRACE(c.what);
        PlotStateDocument doc;
        doc.Channels = 5;
        doc.FourChannelFamily = true;
        doc.BandKindCode = c.viewKind == 10 ? 3 : 4;
        const std::array<int, 5> firstBands{14, 1, 11, 11, 11};
        for (std::size_t k = 0; k < 5; ++k) {
            PlotChannelFacts& f = doc.ChannelFacts[k];
            f.FirstBand13 = firstBands[k];
            f.FirstBand11 = firstBands[k] / 3;
            f.BandCount13 = 31;
            f.BandCount11 = 10;
            (c.viewKind == 10 ? f.SpectrumAxis11 : f.SpectrumAxis13) = c.axisKinds[k];
            (c.viewKind == 10 ? f.SpectrumPoints11 : f.SpectrumPoints13) = c.axisPoints[k];
        }
        GraphViewState v;
        v.ViewKind = c.viewKind;
        v.PlotKind = 25;
        v.SelectedChannels = c.selected;
        v.AvailableChannels = 0x1F;
        v.PointCount = 48;
        v.PlotValues.Assign(std::vector<double>(5 * 52, 60.0));
        v.Geometry = GraphGeometry{60, 28, 48, 1, 180, 13};
        v.CursorOn = 0;
        AxisSpy spy;
        RecordingCanvas canvas;
        const GraphPaintResult r = PaintGraph(canvas, v, doc, GraphSettings{}, spy);
        EXPECT_EQ(spy.plots, c.plots);
        EXPECT_EQ(r.panels, static_cast<int>(c.plots.size()));
        EXPECT_EQ(v.PlotKind, 25); // the view's own PlotKind stays
    }
}

// The y of the text line drawn with `text`, or -1.
int TextY(const RecordingCanvas& c, const std::string& text)
{
    for (const std::string& line : c.Lines()) {
        const auto at = line.find(" \"" + text + "\"");
        if (line.rfind("text ", 0) == 0 && at != std::string::npos)
            return std::stoi(line.substr(line.find(',') + 1));
    }
    return -1;
}

// Five channels give five panels, each with its title and cursor read-out, one
// panel height below the other.
TEST(PlotDispatch, FivePanelsAreDrawnOneBelowTheOther)
{
    struct Case {
        const char* what;
        int plotKind;
        bool four;
    };
    const Case cases[] = {{"logger", 6, false},
                          {"histogram", 8, false},
                          {"density", 18, false},
                          {"four-channel 1/3 octaves", 25, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PlotFixtureOptions o;
        o.plotKind = c.plotKind;
        o.panels = 5;
        o.cursor = 3;
        PlotState s = MakePlotFixture(o);
        s.doc.FourChannelFamily = c.four;
        RecordingCanvas canvas;
        EngineRoutines routines;
        const GraphPaintResult r = PaintGraph(canvas, s.view, s.doc, s.settings, routines);
        ASSERT_EQ(r.panels, 5);
        EXPECT_EQ(r.height, 5 * s.view.GraphHeight);
        const int first = TextY(canvas, "Channel 1");
        ASSERT_GE(first, 0);
        for (int k = 2; k <= 5; ++k)
            EXPECT_EQ(TextY(canvas, "Channel " + std::to_string(k)), first + (k - 1) * s.view.GraphHeight) << k;
        int cursors = 0;
        for (const std::string& line : canvas.Lines())
            cursors += line.find("\"Cursor:") != std::string::npos ? 1 : 0;
        EXPECT_EQ(cursors, 5);
    }
}

} // namespace
} // namespace orlu
