// The decay panel painted through the frame from synthetic time intersections:
// what an evaluation hides and adds, the end-point search and its request,
// the read-out's writes to the band record, and the results box.

#include "graph/DecayGraph.h"
#include "analysis/spectra/FormatReverbTime.h"
#include "document/RtBandRecords.h"
#include "graph/DecayReadout.h"
#include "graph/GraphPainter.h"
#include "graph/PlotDispatch.h"
#include "graph/ReverbResultsBox.h"
#include "platform/canvas/RecordingCanvas.h"
#include "support/PlotFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
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

bool HasText(const RecordingCanvas& c, const std::string& text)
{
    return !Matching(c, "\"" + text + "\"").empty();
}

RecordingCanvas Paint(PlotState& s, CanvasTarget target = CanvasTarget::Screen)
{
    RecordingCanvas c(target);
    EngineRoutines routines;
    PaintGraph(c, s.view, s.doc, s.settings, routines);
    return c;
}

PlotState Decay(double perPoint, int method = 0, int step = 0)
{
    PlotFixtureOptions o;
    o.plotKind = 28;
    o.points = 200;
    o.decayPerPoint = perPoint;
    o.rtMethod = method;
    o.rtStep = step;
    o.cursor = 100;
    return MakeDecayPlotFixture(o);
}

TEST(DecayGraph, PanelWithoutDataShowsFrameAxesTitleAndTheMessageOnly)
{
    PlotFixtureOptions o;
    o.plotKind = 7;
    o.noData = true;
    PlotState s = MakeDecayPlotFixture(o);
    const RecordingCanvas c = Paint(s);
    EXPECT_TRUE(HasText(c, "Decay  1kHz"));
    EXPECT_TRUE(HasText(c, "s"));
    EXPECT_TRUE(HasText(c, "   dB"));
    EXPECT_EQ(Matching(c, "rect ").size(), 1u); // the frame
    EXPECT_TRUE(Matching(c, "pixel").empty());  // no series
    const std::vector<std::string> message = Matching(c, kNoPlotText);
    ASSERT_EQ(message.size(), 1u);
    EXPECT_NE(message[0].find("fg=#FF0000"), std::string::npos);
    // Centred in the plot: 26 characters of the read-out font in a plot from 60 on.
    int x = 0;
    int y = 0;
    ASSERT_EQ(std::sscanf(message[0].c_str(), "text %d,%d", &x, &y), 2);
    const int plotWidth = (s.view.Geometry.pointCount - 1) * s.view.Geometry.pixelsPerPoint;
    RecordingCanvas measure(CanvasTarget::Screen);
    measure.SelectFont(ReadoutFont(1, 0));
    const int width = 26 * measure.Metrics().aveCharWidth;
    EXPECT_NEAR(x, 60 + (plotWidth - width) / 2, 1);
    EXPECT_GT(y, 28);
    EXPECT_LT(y, 28 + s.view.Geometry.plotHeight);
}

TEST(DecayGraph, EvaluationHidesTheBlockItemsAndKeepsTheTotal)
{
    PlotFixtureOptions o;
    o.plotKind = 28;
    o.decayPerPoint = 0.5;
    o.markers = std::array<int, 2>{20, 60};
    o.cursor = 40;
    PlotState plain = MakeDecayPlotFixture(o);
    o.rtMethod = 2;
    o.rtStep = 3;
    PlotState evaluating = MakeDecayPlotFixture(o);
    const RecordingCanvas a = Paint(plain);
    const RecordingCanvas b = Paint(evaluating);
    EXPECT_FALSE(Matching(a, "fill ").empty());
    EXPECT_TRUE(Matching(b, "fill ").empty());
    // Marker lines, running Leq and SEL, Lmax, Lmin; and their read-out texts.
    for (const char* colour : {"#7F7F7F", "#FF0000", "#00A0A0", "#0000FF", "#00A000"}) {
        EXPECT_FALSE(Matching(a, std::string("solid/1/") + colour).empty()) << colour;
        EXPECT_TRUE(Matching(b, std::string("solid/1/") + colour).empty()) << colour;
    }
    EXPECT_FALSE(Matching(a, "Lmin=").empty());
    EXPECT_TRUE(Matching(b, "Lmin=").empty());
    EXPECT_FALSE(Matching(b, "pen=solid/1/#FF00A0").empty()); // the total line stays
}

TEST(DecayGraph, OverlayAtTheFirstStepOnlyWithTheDisplayOption)
{
    PlotState s = Decay(1.0, 2, 2);
    s.view.RtDisplayOption = 0;
    EXPECT_TRUE(Matching(Paint(s), "pen=dot/").empty());
    s.view.RtDisplayOption = 1;
    const RecordingCanvas c = Paint(s);
    EXPECT_EQ(Matching(c, "pen=dot/").size(), 1u); // the line of t0
    EXPECT_TRUE(HasText(c, "t0"));
}

TEST(DecayGraph, PointsOutsideTheWindowDrawNoLine)
{
    PlotState s = Decay(1.0, 2, 2);
    s.view.RtEval.points[0] = std::numeric_limits<std::int32_t>::min(); // a damaged state
    EXPECT_TRUE(Matching(Paint(s), "pen=dot/").empty());
    s.view.RtEval.points[0] = std::numeric_limits<std::int32_t>::max();
    EXPECT_TRUE(Matching(Paint(s), "pen=dot/").empty());
}

TEST(DecayGraph, Rt20LinesAndLabels)
{
    PlotState s = Decay(1.0, 2, 4);
    const RecordingCanvas c = Paint(s);
    for (const char* label : {"  0dB", " -5dB", "-25dB", "t0", "t1", "t2"})
        EXPECT_TRUE(HasText(c, label)) << label;
    // Without autoscale 5 dB are 8 pixels of 110 dB: the 0 dB label would touch " -5dB".
    PlotState wide = Decay(1.0, 2, 4);
    wide.settings.GraphAutoScale = false;
    const RecordingCanvas w = Paint(wide);
    EXPECT_TRUE(HasText(w, " -5dB"));
    EXPECT_FALSE(HasText(w, "  0dB"));
}

TEST(DecayGraph, EdtProposesThePointNearestTenDecibelsDownAndConsumesTheRequest)
{
    // L0 80 dB; point 16 lies at 70.2 dB, point 17 at 69.5 dB: the first below
    // 70 dB is 17, but 16 is nearer.
    PlotState s = Decay(0.7, 1, 4);
    ASSERT_EQ(s.view.RtEval.searchState, kRtSearchRequested);
    Paint(s);
    EXPECT_EQ(s.view.WindowStart + s.view.CursorIndex, 16);
    EXPECT_EQ(s.view.RtEval.searchState, kRtSearchDone);
    s.view.CursorIndex = 50;
    Paint(s);
    EXPECT_EQ(s.view.CursorIndex, 50);
}

TEST(DecayGraph, Rt30OnADecayThatNeverFalls35DecibelsProposesNothing)
{
    PlotState s = Decay(0.1, 3, 5);
    Paint(s);
    EXPECT_EQ(s.view.CursorIndex, 100);
    EXPECT_EQ(s.view.RtEval.searchState, kRtSearchDone);
}

TEST(DecayGraph, FrameScrollsAProposedPointNearTheRightEdgeIntoView)
{
    // 100 of 200 points shown; EDT's end lies at point 102 (70.0 dB).
    PlotState s = Decay(0.1, 1, 4);
    s.view.Geometry.pointCount = 100;
    s.view.CursorIndex = 10;
    const GraphPaintResult r = [&] {
        RecordingCanvas c(CanvasTarget::Screen);
        EngineRoutines routines;
        return PaintGraph(c, s.view, s.doc, s.settings, routines);
    }();
    EXPECT_TRUE(r.scrollChanged);
    EXPECT_EQ(s.view.WindowStart + s.view.CursorIndex, 102);
    EXPECT_EQ(s.view.CursorIndex, 95); // five points from the edge
}

TEST(DecayGraph, ProposedPointPaintsThePanelOnceOnEveryTarget)
{
    // A metafile keeps every record: the paint that follows a proposal must
    // hold exactly what a later paint of the settled window holds.
    for (const CanvasTarget target : {CanvasTarget::Screen, CanvasTarget::Metafile, CanvasTarget::Printer}) {
        PlotState s = Decay(0.1, 1, 4);
        s.view.Geometry.pointCount = 100;
        const RecordingCanvas proposing = Paint(s, target);
        ASSERT_EQ(s.view.RtEval.searchState, kRtSearchDone);
        ASSERT_EQ(s.view.WindowStart + s.view.CursorIndex, 102);
        const RecordingCanvas settled = Paint(s, target);
        EXPECT_EQ(proposing.Lines(), settled.Lines()) << static_cast<int>(target);
        EXPECT_EQ(Matching(proposing, "\"t2\"").size(), 1u) << static_cast<int>(target);
    }
}

TEST(DecayGraph, TimeAxisOfOneVisiblePointDrawsItsFirstTickOnly)
{
    RecordingCanvas c(CanvasTarget::Screen);
    DecayAxisInput in;
    in.timing.recordStep = 0.01;
    in.left = 60;
    in.bottom = 208;
    in.width = 0;
    in.visibleCount = 1;
    in.firstShown = 5;
    in.tickLength = 5;
    DrawDecayTimeAxis(c, in);
    EXPECT_EQ(Matching(c, "line ").size(), 1u);
}

TEST(DecayGraph, SearchResultAndItsEndPoint)
{
    const PlotSeries series(std::vector<double>{80, 80, 80, 75, 70.5, 69.9, 60});
    struct Case {
        int from;
        double end;
        int point;
    } cases[] = {
        {1, 70.0, 5},  // 69.9 is nearer than 70.5
        {1, 70.25, 4}, // 70.5 (0.25 away) is nearer than 69.9 (0.35)
        {1, 72.75, 4}, // a tie keeps the point below
        {1, 64.0, 6},  // 60 is nearer than 69.9
        {1, 50.0, -1}, // never below
        {6, 75.0, 5},  // searched from t1 on, but the point before it may still be nearer
        {-3, 79.0, 2}, // a damaged t1 is searched from the first point
    };
    for (const Case& k : cases)
        EXPECT_EQ(SearchDecayEndPoint(series, k.from, k.end), k.point) << k.from << " " << k.end;
}

TEST(DecayGraph, TickStepOfTheTimeAxis)
{
    struct Case {
        double span;
        double tick;
        double step;
    } cases[] = {
        {1.99, 0.01, 0.16}, // doubled while 13 or more fit
        {1.0, 0.5, 0.125},  // halved while fewer than 8 fit
        {0.0, 0.01, 0.01},  // a single visible point: no search
        {1.0, 0.0, 0.0},
    };
    for (const Case& k : cases)
        EXPECT_DOUBLE_EQ(DecayTickStep(k.span, k.tick), k.step) << k.span;
}

TEST(DecayReadout, UserIntervalFollowsTheCursorIntoTheRecordAndTheBox)
{
    PlotState s = Decay(1.0, 4, 4);
    s.view.CursorIndex = 30;
    const RecordingCanvas c = Paint(s);
    ASSERT_TRUE(s.doc.RtModified);
    EXPECT_EQ(GetRtField<std::int32_t>(s.doc.RtRecord, rtrec::kUserLast), 30);
    EXPECT_DOUBLE_EQ(GetRtField<double>(s.doc.RtRecord, rtrec::kUserLastLevel), 52.0);
    // The user interval starts 5 dB down (point 7 at 75 dB): 23 points for 23 dB.
    EXPECT_TRUE(HasText(c, " > RTuser = 0.600 s "));
    EXPECT_TRUE(HasText(c, "-28.0dB")); // the red line at the cursor's level, relative to L0
    // The evaluation cursor and the level line are drawn under XOR, their texts are not.
    EXPECT_FALSE(Matching(c, "#00FFFF rop=xor").empty());
    EXPECT_FALSE(Matching(c, "#FF0000 rop=xor").empty());
    EXPECT_TRUE(HasText(c, "Cursor:   t[31]=0.310s   Lev=52.0dB"));
}

TEST(DecayReadout, NoEvaluationWritesNothingAndPrintsNoXor)
{
    PlotState s = Decay(1.0);
    const RecordingCanvas c = Paint(s, CanvasTarget::Printer);
    EXPECT_FALSE(s.doc.RtModified);
    EXPECT_TRUE(Matching(c, "rop=xor").empty());
}

TEST(ReverbResultsBox, FitsThePanelAtEveryGraphSize)
{
    for (int size = 0; size < 5; ++size) {
        SCOPED_TRACE(size);
        PlotState s = Decay(1.0, 2, 4);
        s.view.GraphSizeIndex = static_cast<std::uint8_t>(size);
        RecordingCanvas c(CanvasTarget::Screen);
        EngineRoutines routines;
        const GraphPaintResult r = PaintGraph(c, s.view, s.doc, s.settings, routines);
        const std::vector<std::string> box = Matching(c, "brush=#00FF00");
        ASSERT_EQ(box.size(), 1u);
        int x1, y1, x2, y2;
        ASSERT_EQ(std::sscanf(box[0].c_str(), "rect %d,%d-%d,%d", &x1, &y1, &x2, &y2), 4);
        EXPECT_LE(std::max(y1, y2), r.height);
    }
}

TEST(ReverbResultsBox, MarksTheCurrentMethod)
{
    PlotState s = Decay(1.0, 2, 4);
    const std::span<const std::uint8_t> record = s.doc.RtRecord;
    EXPECT_EQ(ReverbResultLine(record, 2, 2), " > RT20   = 0.600 s ");
    EXPECT_EQ(ReverbResultLine(record, 1, 2), "   EDT    = 0.600 s ");
    EXPECT_EQ(ReverbResultLine(record, 4, 2), "   RTuser = *.*** s ");
    const RecordingCanvas c = Paint(s);
    EXPECT_EQ(Matching(c, "bg=#00FF00").size(), 4u);
}

} // namespace
} // namespace orlu
