#include "graph/WaterfallGraph.h"
#include "graph/GraphPainter.h"
#include "graph/GraphSettings.h"
#include "graph/PlotDispatch.h"
#include "graph/WaterfallFrame.h"
#include "graph/WaterfallHorizons.h"
#include "graph/WaterfallPaint.h"
#include "platform/ValueFormat.h"
#include "platform/canvas/RecordingCanvas.h"
#include "support/PlotFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
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

bool Has(const RecordingCanvas& c, std::string_view needle)
{
    return !Matching(c, needle).empty();
}

// A horizontal line at y starting at or right of `left` and before `before` (a plateau, not an axis tick).
bool HorizontalAt(const RecordingCanvas& c, int y, int left, int before)
{
    for (const std::string& l : Matching(c, "line ")) {
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        if (std::sscanf(l.c_str(), "line %d,%d-%d,%d", &x1, &y1, &x2, &y2) == 4 && y1 == y && y2 == y && x1 >= left &&
            x1 < before)
            return true;
    }
    return false;
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

// The line calls as "x1,y1-x2,y2".
std::vector<std::string> Segments(const RecordingCanvas& c)
{
    std::vector<std::string> out;
    for (const std::string& l : Matching(c, "line "))
        out.push_back(l.substr(5, l.find(' ', 5) - 5));
    return out;
}

// Drawers on a small surface: base line at y 100, height 50, origin x 0.
struct SmallSurface {
    explicit SmallSurface(bool fft, CanvasTarget target = CanvasTarget::Screen)
        : canvas(target), s(canvas, 0, 100, 50, 40, fft, 80)
    {
    }
    RecordingCanvas canvas;
    HorizonSurface s;
};

TEST(WaterfallHorizons, PlateauDrawsRunsOfTwoOrMoreVisibleColumns)
{
    SmallSurface t(false);
    DrawHorizonPlateau(t.s, 20.0, 0, 0, 10); // front row: columns 0..9 at height 20
    DrawHorizonPlateau(t.s, 10.0, 2, 0, 4);  // behind, lower: hidden (heights 12 in columns 2..5)
    // Behind and higher in columns 12..14 only (nothing in front there), one column alone at 20.
    for (int c = 0; c < 10; ++c)
        t.s.RaiseUpper(c, 30);
    t.s.RaiseUpper(20, 40);
    DrawHorizonPlateau(t.s, 25.0, 2, 10, 13);
    DrawHorizonPlateau(t.s, 28.0, 2, 17, 21); // columns 19..22: 22 free, 21 free, 20 higher, 19 free
    EXPECT_EQ(Segments(t.canvas), (std::vector<std::string>{"0,80-9,80", "12,73-14,73", "21,70-22,70"}));
    // Screen lines leave out their end pixel: it is set.
    EXPECT_TRUE(Has(t.canvas, "pixel 9,80 #000000"));
    EXPECT_TRUE(Has(t.canvas, "pixel 22,70 #000000"));
    EXPECT_EQ(t.s.Upper(3), 30);
    EXPECT_EQ(t.s.Upper(13), 27);
}

TEST(WaterfallHorizons, RiserDrawsOnlyAboveTheUpperHorizon)
{
    SmallSurface t(false);
    DrawHorizonRiser(t.s, 5, 0, 30);  // a fresh column: the whole line
    DrawHorizonRiser(t.s, 5, 10, 40); // drawn before: only from 30 up
    DrawHorizonRiser(t.s, 5, 35, 20); // wholly below the horizon: nothing
    EXPECT_EQ(Segments(t.canvas), (std::vector<std::string>{"5,100-5,70", "5,70-5,60"}));
    EXPECT_EQ(t.s.Upper(5), 40);
    EXPECT_EQ(t.s.Lower(5), 0);
}

TEST(WaterfallHorizons, FftRowsShowAboveAndBelowWhatIsInFront)
{
    SmallSurface fft(true);
    SmallSurface octave(false);
    for (SmallSurface* t : {&fft, &octave}) {
        DrawWaterfallCurve(t->s, 20.0, 20.0, 0, 0, 20);
        t->canvas.ClearLines();
        // Behind: from well above (30 + 2) down to well below (5 + 2) the front row.
        DrawWaterfallCurve(t->s, 30.0, 5.0, 2, 0, 10);
    }
    // Both show the part above the front row (down to its height 20 at column 7);
    // only the FFT picture goes on below it, to height 7 at column 12.
    EXPECT_EQ(Segments(octave.canvas), (std::vector<std::string>{"2,68-7,80"}));
    EXPECT_EQ(Segments(fft.canvas), (std::vector<std::string>{"2,68-12,93"}));
    EXPECT_EQ(fft.s.Lower(12), 7);
    EXPECT_EQ(octave.s.Lower(12), 0);
}

TEST(WaterfallHorizons, SlopeStartsFromTheHorizonItLeaves)
{
    SmallSurface t(true);
    // Columns 0..3 drawn at height 10; the slope climbs from 5 to 13 (heights 5 + t + 2t).
    for (int c = 0; c <= 3; ++c)
        t.s.Update(c, 10);
    DrawHorizonSlope(t.s, 5.0, 11.0, 0, 0, 3);
    // Steps: (0, 5) visible (below), (1, 8) visible, (2, 11) visible, (3, 14) visible:
    // one run from step 1, starting at step 0's height.
    EXPECT_EQ(Segments(t.canvas), (std::vector<std::string>{"1,95-3,86"}));

    // After a hidden step, an untouched FFT column gives no start: the step after it starts the run.
    SmallSurface u(true);
    u.s.Update(5, 30);
    u.s.Update(5, 0);
    DrawHorizonSlope(u.s, 10.0, 10.0, 5, 0, 3); // step 0 hidden in column 5, columns 6..8 untouched
    EXPECT_EQ(Segments(u.canvas), (std::vector<std::string>{"7,89-8,87"}));
}

TEST(WaterfallHorizons, TestsEveryStepAgainstTheRowBounds)
{
    SmallSurface t(false);
    EXPECT_TRUE(t.s.Hidden(3, 1, 2));  // below the row's base
    EXPECT_TRUE(t.s.Hidden(3, 53, 2)); // above its top
    EXPECT_FALSE(t.s.Hidden(3, 52, 2));
    EXPECT_TRUE(t.s.Hidden(-1, 10, 0)); // outside the horizons
    EXPECT_TRUE(t.s.Hidden(40, 10, 0));
    EXPECT_EQ(RoundedHeight(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(RoundedHeight(-std::numeric_limits<double>::infinity()), 0);
    EXPECT_EQ(RoundedHeight(2.5), 3);
}

TEST(WaterfallHorizons, HeightsAndBandsBeyondSixteenBitsAndRunMarks)
{
    // A large print zoom: heights past 32767 and a band 3000 columns wide.
    RecordingCanvas canvas(CanvasTarget::Printer);
    HorizonSurface s(canvas, 0, 100000, 50000, 4000, true, 90000);
    EXPECT_FALSE(s.Hidden(100, 40000, 0)); // untouched column of an FFT picture
    DrawHorizonPlateau(s, 40000.0, 0, 0, 3000);
    EXPECT_EQ(Segments(canvas), (std::vector<std::string>{"0,60000-2999,60000"}));
    EXPECT_EQ(s.Upper(2999), 40000);
    EXPECT_EQ(s.Lower(2999), 40000);
    EXPECT_TRUE(s.Hidden(10, 39000, 0) == false); // below an FFT row: shows
}

// A picture on the recording canvas: levels 0 .. 100 dB over 100 pixels, so a level is its height.
struct Picture {
    MultiElementGrid grid;
    MultiElementOptions options;
    Picture(int rows, int columns, int plotKind = 0)
    {
        grid.Rows = rows;
        grid.Columns = columns;
        grid.Values.assign(static_cast<std::size_t>(rows * columns), 0.0f);
        options.grid = &grid;
        options.plotKind = plotKind;
        options.levels = {0.0, 100.0};
    }
    void Set(int row, int column, float v) { grid.Values[static_cast<std::size_t>(row * grid.Columns + column)] = v; }
};

TEST(WaterfallGraph, GeometryOfRowsAndColumns)
{
    const WaterfallGeometry oct = WaterfallGeometryOf(false, 1, 0, 0, 60, 45, 3);
    EXPECT_EQ(oct.x0, 80);
    EXPECT_EQ(oct.y0, 270);
    EXPECT_EQ(oct.columns, 42);
    EXPECT_EQ(oct.width, 313);       // trunc(336 / 45 x 42)
    EXPECT_EQ(oct.rowOffsets[1], 2); // 120 / 59 rounded
    EXPECT_EQ(oct.depth, 118);
    const WaterfallGeometry fft = WaterfallGeometryOf(true, 2, 10, 0, 5, 60, 0);
    EXPECT_EQ(fft.width, 680);
    EXPECT_EQ(fft.x0, 170);
    EXPECT_EQ(fft.depth, 240);
    EXPECT_EQ(HiddenTotalsOf(16), 3);
    EXPECT_EQ(HiddenTotalsOf(41), 6);
    EXPECT_EQ(HiddenTotalsOf(49), 1);
    EXPECT_EQ(HiddenTotalsOf(44), 0);
}

TEST(WaterfallGraph, BothLineOptionsOffDrawOuterProfilesJoinsAndTheWholeBox)
{
    // Three bands, four rows; every row higher than the one in front, so any
    // profile drawn would show.
    Picture p(4, 3);
    for (int k = 0; k < 4; ++k)
        for (int c = 0; c < 3; ++c)
            p.Set(k, c, static_cast<float>(20 + 10 * k + c));
    p.grid.FrequencyLines = 0;
    p.grid.TimeLines = 0;
    RecordingCanvas c;
    ASSERT_TRUE(DrawWaterfallOctave(c, 1, 0, 0, p.options, ""));
    const WaterfallGeometry g = WaterfallGeometryOf(false, 1, 0, 0, 4, 3, 0);
    const auto plateauAt = [&](int k, int col) {
        const int r = g.rowOffsets[static_cast<std::size_t>(k)];
        const int y = g.y0 - (20 + 10 * k + col) - r;
        return StrPrintf("line %d,%d-", g.x0 + static_cast<int>(col * g.dx) + r, y);
    };
    EXPECT_TRUE(Has(c, plateauAt(0, 1)));
    EXPECT_TRUE(Has(c, plateauAt(3, 1)));
    EXPECT_FALSE(Has(c, plateauAt(1, 1)));
    EXPECT_FALSE(Has(c, plateauAt(2, 1)));
    // Joins only at the outer edges: slopes start at x0 (left) and x0 + W' (right) of each row.
    for (const std::string& seg : Segments(c)) {
        const int x1 = std::stoi(seg);
        const int y1 = std::stoi(seg.substr(seg.find(',') + 1));
        const int x2 = std::stoi(seg.substr(seg.find('-') + 1));
        const int y2 = std::stoi(seg.substr(seg.find(',', seg.find('-')) + 1));
        if (x2 - x1 == y1 - y2 && x2 > x1 && y1 < g.y0 - 5 && x1 < g.x0 + g.width + g.depth) { // a diagonal join
            const int across = x1 - g.x0;
            const bool leftEdge = std::any_of(g.rowOffsets.begin(), g.rowOffsets.end(),
                                              [&](int r) { return across >= r && across <= r + 2 * g.rowOffsets[1]; });
            const bool rightEdge = across >= g.width;
            EXPECT_TRUE(leftEdge || rightEdge) << seg;
        }
    }
    // The whole box: every dot of the back base edge, though the rows stand in front of it.
    for (int j = 0; j <= g.width; j += 3)
        EXPECT_TRUE(Has(c, StrPrintf("pixel %d,%d ", g.x0 + g.depth + j, g.y0 - g.depth))) << j;
}

TEST(WaterfallGraph, TimeLabelsOverSpectraOneToSixtyOne)
{
    Picture p(60, 60);
    p.grid.FirstRecord = 1;
    p.grid.LastRecord = 61;
    p.grid.TimeStep = 1.0;
    RecordingCanvas c;
    ASSERT_TRUE(DrawWaterfallSpectrum(c, 1, 0, 0, p.options, ""));
    const std::vector<std::string> t = Texts(c);
    for (const char* label : {"0.0", "15.0", "30.0", "45.0", "60.0", "[s]", "[Hz]"})
        EXPECT_NE(std::find(t.begin(), t.end(), label), t.end()) << label;
    p.grid.FirstRecord = 11;
    p.grid.TimeStep = 0.5;
    EXPECT_DOUBLE_EQ(WaterfallTickTime(p.grid, 0), 5.0);
    EXPECT_DOUBLE_EQ(WaterfallTickTime(p.grid, 4), 30.0);
}

TEST(WaterfallGraph, PlotTotalsOffDropsThreeColumnsOfPlotKind16)
{
    // 42 bands at 40 dB and three totals at 90 dB.
    Picture p(3, 45, 16);
    for (int k = 0; k < 3; ++k)
        for (int col = 0; col < 45; ++col)
            p.Set(k, col, col < 42 ? 40.0f : 90.0f);
    for (const bool shown : {true, false}) {
        SCOPED_TRACE(shown);
        p.options.totalsShown = shown;
        RecordingCanvas c;
        ASSERT_TRUE(DrawWaterfallOctave(c, 1, 0, 0, p.options, ""));
        const std::vector<std::string> t = Texts(c);
        EXPECT_EQ(std::find(t.begin(), t.end(), "Totals") != t.end(), shown);
        EXPECT_EQ(HorizontalAt(c, 270 - 90, 80, 80 + 336), shown); // the totals' plateaus of the front row
        EXPECT_TRUE(HorizontalAt(c, 270 - 40, 80, 80 + 336));
        const std::optional<BandAxisRow> axis = WaterfallBandAxisOf(16, shown);
        ASSERT_TRUE(axis);
        EXPECT_EQ(axis->count, shown ? 45 : 42);
        EXPECT_EQ(axis->args.totals, shown ? 3 : 0);
    }
}

TEST(WaterfallGraph, BandAxisRowsOfTheEdgeKinds)
{
    const std::optional<BandAxisRow> k14 = WaterfallBandAxisOf(14, true);
    ASSERT_TRUE(k14);
    EXPECT_EQ(k14->args.drawer, BandAxisDrawer::Octave31); // the flat graph's axis, from 31.5 Hz
    EXPECT_EQ(k14->count, 10);
    // The 2 Hz axis draws its total only with the totals shown.
    EXPECT_TRUE(WaterfallBandAxisOf(11, true)->args.namedTotals);
    EXPECT_FALSE(WaterfallBandAxisOf(11, false)->args.namedTotals);
    EXPECT_EQ(WaterfallBandAxisOf(11, false)->count, 14);
    EXPECT_EQ(WaterfallBandAxisOf(23, true)->step, -2);
    EXPECT_FALSE(WaterfallBandAxisOf(0, true));
    EXPECT_FALSE(WaterfallBandAxisOf(9, true));
}

TEST(WaterfallGraph, LowerSpectrumBehindDisappears)
{
    // Row 1 lies 10 dB under row 0 everywhere: the octave picture draws none of
    // its plateaus; raising one band above the front row shows that band.
    Picture p(4, 4);
    for (int col = 0; col < 4; ++col) {
        p.Set(0, col, 90.0f);
        p.Set(1, col, 40.0f);
        p.Set(2, col, 30.0f);
        p.Set(3, col, 10.0f);
    }
    const WaterfallGeometry g = WaterfallGeometryOf(false, 1, 0, 0, 4, 4, 0);
    const int r1 = g.rowOffsets[1];
    RecordingCanvas c;
    DrawWaterfallOctave(c, 1, 0, 0, p.options, "");
    EXPECT_TRUE(HorizontalAt(c, g.y0 - 90, g.x0, g.x0 + g.width));
    EXPECT_FALSE(HorizontalAt(c, g.y0 - 40 - r1, g.x0, g.x0 + g.width));
    p.Set(1, 2, 95.0f);
    RecordingCanvas raised;
    DrawWaterfallOctave(raised, 1, 0, 0, p.options, "");
    EXPECT_TRUE(HorizontalAt(raised, g.y0 - 95 - r1, g.x0, g.x0 + g.width));
}

TEST(WaterfallGraph, DamagedValuesStayInsideThePicture)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const bool fft : {false, true}) {
        SCOPED_TRACE(fft);
        Picture p(3, 3);
        p.Set(0, 0, static_cast<float>(nan));
        p.Set(0, 1, static_cast<float>(inf));
        p.Set(0, 2, static_cast<float>(-inf));
        p.grid.Values.resize(5); // rows the data does not hold lie at the base
        RecordingCanvas c;
        const CanvasState before = c.State();
        ASSERT_TRUE(fft ? DrawWaterfallSpectrum(c, 1, 0, 0, p.options, "t")
                        : DrawWaterfallOctave(c, 1, 0, 0, p.options, "t"));
        EXPECT_EQ(DescribeStateChange(before, c.State()), "");
        const WaterfallGeometry g = WaterfallGeometryOf(fft, 1, 0, 0, 3, 3, 0);
        for (const std::string& seg : Segments(c)) {
            const int y1 = std::stoi(seg.substr(seg.find(',') + 1));
            EXPECT_GE(y1, g.y0 - g.depth - g.height - 1) << seg; // +inf reaches the top, no further
        }
        EXPECT_TRUE(Has(c, StrPrintf(",%d-", g.y0 - g.height))); // the +inf value at the top
        // A range of no height draws every value at the base.
        p.options.levels = {50.0, 50.0};
        RecordingCanvas flat;
        EXPECT_TRUE(fft ? DrawWaterfallSpectrum(flat, 1, 0, 0, p.options, "")
                        : DrawWaterfallOctave(flat, 1, 0, 0, p.options, ""));
    }
    Picture none(3, 3);
    none.options.grid = nullptr;
    RecordingCanvas c;
    EXPECT_FALSE(DrawWaterfallOctave(c, 1, 0, 0, none.options, ""));
    EXPECT_TRUE(c.Lines().empty());
}

TEST(WaterfallGraph, WidePenReachesTheMetafileWithoutEndPixels)
{
    Picture p(4, 6);
    for (int k = 0; k < 4; ++k)
        for (int col = 0; col < 6; ++col)
            p.Set(k, col, static_cast<float>(30 + 5 * ((k + col) % 3)));
    RecordingCanvas meta(CanvasTarget::Metafile);
    RecordingCanvas screen(CanvasTarget::Screen);
    ASSERT_TRUE(DrawWaterfallSpectrum(meta, 5, 0, 0, p.options, ""));
    ASSERT_TRUE(DrawWaterfallSpectrum(screen, 1, 0, 0, p.options, ""));
    const std::vector<std::string> lines = Matching(meta, "line ");
    ASSERT_FALSE(lines.empty());
    for (const std::string& l : lines)
        EXPECT_NE(l.find("pen=solid/5/#000000"), std::string::npos) << l;
    EXPECT_TRUE(Matching(meta, "pixel ").empty()); // dots are one-pixel lines, ends are not completed
    EXPECT_FALSE(Matching(screen, "pixel ").empty());
}

TEST(WaterfallPaint, LevelRangeOfThePicture)
{
    struct Case {
        const char* name;
        bool autoscale;
        int units; // UnitsChoice with a microphone: 0 dB, 1 linear
        int pitch;
        int zoom;
        double low, high;
        double bottom, top;
    };
    // Range top 130: base 30 dB, 110 dB wide.
    const double linearTop = 20.0 * std::pow(10.0, (130.0 + 10.0 - 10.0) / 20.0 - 6.0);
    const std::vector<Case> cases{
        {"dB autoscaled to the 5 dB grid", true, 0, 0, 0, 22.0, 97.0, 20.0, 100.0},
        {"dB fixed, pitched and zoomed", false, 0, 2, 4, 42.0, 97.0, 20.0, 110.0},
        {"linear fixed, 10 dB over the range top", false, 1, 0, 2, 42.0, 97.0, 0.0, linearTop},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        PlotFixtureOptions o;
        o.plotKind = 16;
        o.waterfall = std::array<int, 2>{3, 3};
        PlotState s = MakePlotFixture(o);
        s.settings.GraphAutoScale = k.autoscale;
        s.view.UnitsChoice = static_cast<std::uint8_t>(k.units);
        s.view.ViewKind = 7; // a microphone's units follow the choice
        s.view.LevelPitchOffset = static_cast<std::int16_t>(k.pitch);
        s.view.LevelZoomOffset = static_cast<std::int16_t>(k.zoom);
        s.view.LinearScaleOffset[1] = static_cast<std::int16_t>(k.zoom);
        s.view.Grid.LevelRangeLow = k.low;
        s.view.Grid.LevelRangeHigh = k.high;
        const LevelRange r = MultiElementLevelRange(s.view, s.doc, s.settings);
        EXPECT_DOUBLE_EQ(r.bottom, k.bottom);
        EXPECT_NEAR(r.top, k.top, 1e-9 * k.top);
    }
}

// Counts the panel routines the painting frame reaches.
class CountingRoutines : public PlotRoutines {
public:
    int calls = 0;
    int CursorRequest(const PanelArgs&) override { return ++calls, 0; }
    void Plot(const PanelHead&, const PanelArgs&, const GraphSettings&) override { ++calls; }
    void Readout(const PanelHead&, const PanelArgs&, const GraphSettings&) override { ++calls; }
};

TEST(WaterfallPaint, MultiElementModePaintsOnePictureWithoutPanelsOrReadouts)
{
    PlotFixtureOptions o;
    o.plotKind = 9;
    o.waterfall = std::array<int, 2>{10, 20};
    PlotState s = MakePlotFixture(o);
    s.view.CursorOn = 1;
    RecordingCanvas c;
    CountingRoutines routines;
    const GraphPaintResult r = PaintGraph(c, s.view, s.doc, s.settings, routines);
    EXPECT_EQ(routines.calls, 0);
    EXPECT_EQ(r.panels, 1);
    EXPECT_GT(r.height, 270);
    const std::vector<std::string> t = Texts(c);
    EXPECT_NE(std::find(t.begin(), t.end(), "FFT spectra"), t.end());
    EXPECT_NE(std::find(t.begin(), t.end(), "[dB]"), t.end());
    // Outside the FFT and octave views the option changes nothing: the panels are planned.
    s.view.ViewKind = 7;
    EXPECT_FALSE(IsMultiElementPicture(s.view));
    RecordingCanvas panels;
    PaintGraph(panels, s.view, s.doc, s.settings, routines);
    EXPECT_GT(routines.calls, 0);
}

} // namespace
} // namespace orlu
