#include "graph/GraphPainter.h"
#include "graph/PlotDispatch.h"
#include "graph/PlotStateFile.h"
#include "graph/TimeHistoryReadout.h"
#include "platform/canvas/RecordingCanvas.h"
#include "support/PlotFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

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

bool Has(const RecordingCanvas& c, std::string_view needle) { return !Matching(c, needle).empty(); }

PlotState Logger(int sizeIndex = 0)
{
    PlotFixtureOptions o;
    o.panels = 2;
    o.points = 400;
    o.markers = std::array<int, 2>{120, 260};
    o.cursor = 150;
    o.sizeIndex = sizeIndex;
    return MakePlotFixture(o);
}

RecordingCanvas Paint(PlotState& s, CanvasTarget target)
{
    RecordingCanvas canvas(target);
    EngineRoutines routines;
    const CanvasState before = canvas.State();
    PaintGraph(canvas, s.view, s.doc, s.settings, routines);
    EXPECT_EQ(DescribeStateChange(before, canvas.State()), "");
    return canvas;
}

TEST(TimeHistoryGraph, StateBalancedAndXorOnlyForTheScreenCursor)
{
    for (CanvasTarget target : {CanvasTarget::Screen, CanvasTarget::Printer, CanvasTarget::Metafile}) {
        SCOPED_TRACE(static_cast<int>(target));
        PlotState s = Logger();
        const RecordingCanvas c = Paint(s, target);
        const auto xor_ = Matching(c, "rop=xor");
        // One cursor line per panel, drawn in XOR except on the printer.
        EXPECT_EQ(xor_.size(), target == CanvasTarget::Printer ? 0u : 2u);
        for (const std::string& l : xor_)
            EXPECT_NE(l.find("pen=solid/1/#646400"), std::string::npos) << l;
        EXPECT_EQ(Matching(c, "#646400").size(), 2u);
    }
}

TEST(TimeHistoryGraph, ScreenPrinterAndMetafileDiffer)
{
    PlotState screen = Logger();
    PlotState printer = Logger();
    PlotState metafile = Logger();
    const RecordingCanvas s = Paint(screen, CanvasTarget::Screen);
    const RecordingCanvas p = Paint(printer, CanvasTarget::Printer);
    const RecordingCanvas m = Paint(metafile, CanvasTarget::Metafile);
    // Background: inside the scale on the screen, one pixel around the plot elsewhere.
    EXPECT_TRUE(Has(s, "rect 59,43-461,226 pen=solid/1/#000000 brush=#FFFFFF"));
    EXPECT_TRUE(Has(m, "rect 299,214-2297,1126 pen=solid/1/#000000 brush=#FFFFFF")); // x5
    EXPECT_TRUE(Has(p, "pen=solid/1/#000000 brush=#FFFFFF"));
    // The series is drawn twice, one pixel lower, except into a metafile.
    const auto seriesS = Matching(s, "pen=solid/1/#000000 rop=copy").size();
    const auto seriesM = Matching(m, "pen=solid/5/#000000 rop=copy").size();
    EXPECT_GT(seriesS, 2 * 399u);
    EXPECT_LT(seriesM, seriesS);
    EXPECT_EQ(screen.view.PanelsDrawn, 2);
}

TEST(TimeHistoryGraph, MarkersBreaksAndBlock)
{
    PlotState s = Logger();
    const RecordingCanvas c = Paint(s, CanvasTarget::Screen);
    // Marker 1 of the first entry, 2 and 3 of the second: numbers on their colours,
    // one row down because there are breaks.
    EXPECT_TRUE(Has(c, "\"1\" font=Courier New/14/400 fg=#000000 bg=#FF0000"));
    EXPECT_TRUE(Has(c, "\"2\" font=Courier New/14/400 fg=#000000 bg=#00FF00"));
    EXPECT_TRUE(Has(c, "\"3\" font=Courier New/14/400 fg=#000000 bg=#6464FF"));
    // The break (its entry names the first lost record) and the deleted records.
    EXPECT_EQ(Matching(c, "\"B\"").size(), 2u);
    EXPECT_EQ(Matching(c, "\"D\"").size(), 2u);
    EXPECT_EQ(Matching(c, "bg=#C8C8C8").size(), 4u);
    // The block band from marker 120 to 260 and its series in their colours.
    EXPECT_TRUE(Has(c, "rect 180,44-320,224 pen=solid/1/#E6E6E6 brush=#E6E6E6"));
    EXPECT_FALSE(Matching(c, "pen=solid/1/#FF0000 rop=copy").empty());  // running Leq
    EXPECT_FALSE(Matching(c, "pen=solid/1/#00A0A0 rop=copy").empty());  // running SEL
    EXPECT_FALSE(Matching(c, "pen=solid/1/#FF00A0 rop=copy").empty());  // running total

    PlotState hidden = Logger();
    hidden.settings.MarkersShow = false;
    hidden.settings.BreaksShow = false;
    const RecordingCanvas h = Paint(hidden, CanvasTarget::Screen);
    EXPECT_FALSE(Has(h, "bg=#FF0000"));
    EXPECT_FALSE(Has(h, "\"B\""));
}

TEST(TimeHistoryGraph, MarkerBarRowsCoverTheWindowWithTheLastMarker)
{
    PlotState s = Logger();
    s.settings.MarkersMethod = 1;
    s.doc.MarkerList = {{1, 0x05}}; // markers 1 and 3 before the window
    s.view.WindowStart = 0;
    const RecordingCanvas c = Paint(s, CanvasTarget::Screen);
    EXPECT_TRUE(Has(c, "rect 60,44-459,50 pen=solid/1/#FF0000 brush=#FF0000"));
    EXPECT_TRUE(Has(c, "rect 60,56-459,62 pen=solid/1/#6464FF brush=#6464FF"));
}

// The labels of the time axis, as "x text", and the unit name: a 100-point
// window of 60 s records (counted in minutes) on a 495-pixel axis, varied
// one field a case. Record numbers jump by 5 after the fifth record.
TEST(TimeHistoryTimeAxis, LabelsUnitsAndOverlaps)
{
    std::vector<std::uint32_t> records(200);
    for (std::uint32_t i = 0; i < records.size(); ++i)
        records[i] = i + 1 + (i >= 5 ? 5 : 0);
    struct Case {
        const char* name;
        void (*change)(TimeAxisInput&);
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {"minutes", [](TimeAxisInput&) {}, {"55 1", "127 16", "207 32", "287 48", "367 64", "447 80", "527 96", "565 m"}},
        {"hours", [](TimeAxisInput& a) { a.timing.recordStep = 3600.0; a.timing.timeUnit = 2; },
         {"55 1", "127 16", "207 32", "287 48", "367 64", "447 80", "527 96", "565 h"}},
        // Labels 40 pixels wide 16 to 19 pixels apart: one that would start
        // left of where the last one ends is dropped.
        {"overlap", [](TimeAxisInput& a) { a.width = 120; }, {"55 1", "108 48", "167 96", "190 m"}},
        // Scrolled: no label at the left edge, the first tick on the label grid.
        {"scrolled", [](TimeAxisInput& a) { a.firstShown = 10; },
         {"77 16", "157 32", "237 48", "317 64", "397 80", "477 96", "565 m"}},
        // Clock labels name the records' own numbers, past the jump; no unit.
        {"clock", [](TimeAxisInput& a) { a.clockLabels = true; },
         {"27 12:01'00", "183 12:37'00", "263 12:53'00", "343 13:09'00", "423 13:25'00", "503 13:41'00"}},
        {"half seconds", [](TimeAxisInput& a) { a.timing.recordStep = 0.5; a.timing.timeUnit = 0; },
         {"55 0", "131 8", "207 16", "287 24", "367 32", "447 40", "527 48", "565 s"}},
        {"one point", [](TimeAxisInput& a) { a.visibleCount = 1; }, {"55 1", "565 m"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TimeAxisInput in;
        in.timing.timeStepCode = -1;
        in.timing.recordStep = 60.0;
        in.timing.timeUnit = 1;
        in.timing.startTime = 12 * 1800;
        in.left = 60;
        in.bottom = 200;
        in.width = 495;
        in.visibleCount = 100;
        in.tickLength = 5;
        in.records = records;
        c.change(in);
        RecordingCanvas canvas;
        canvas.SelectFont(GraphFont(1, 0));
        DrawTimeHistoryTimeAxis(canvas, in);
        std::vector<std::string> labels;
        int ticks = 0;
        for (const std::string& l : canvas.Lines()) {
            int x = 0, y = 0;
            char text[32] = {};
            if (std::sscanf(l.c_str(), "text %d,%d \"%31[^\"]\"", &x, &y, text) == 3)
                labels.push_back(std::to_string(x) + " " + text);
            ticks += l.rfind("line", 0) == 0;
        }
        EXPECT_EQ(labels, c.labels);
        EXPECT_LE(ticks, 27); // 8 to 26 ticks, and the one at the left edge
    }
}

// The rotation panel's axis: labels from 0 in the step of its top, every
// second one where they would not fit, none below one step, and a bounded
// count of ticks over damaged values.
TEST(TimeHistoryValueAxis, RotationTicks)
{
    struct Case {
        double top;
        int height;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {2500.0, 180, {"    0", "  500", " 1000", " 1500", " 2000", " 2500"}},
        {2500.0, 60, {"    0", " 1000", " 2000"}},
        {0.5, 180, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.top);
        RecordingCanvas canvas;
        canvas.SelectFont(GraphFont(1, 0));
        ValueAxisInput in;
        in.left = 60;
        in.bottom = 208;
        in.height = c.height;
        in.tickLength = 4;
        in.topValue = c.top;
        DrawTimeHistoryValueAxis(canvas, in);
        std::vector<std::string> labels;
        for (const std::string& l : canvas.Lines()) {
            char text[32] = {};
            int x = 0, y = 0;
            if (std::sscanf(l.c_str(), "text %d,%d \"%31[^\"]\"", &x, &y, text) == 3 && std::string(text) != "     ")
                labels.emplace_back(text);
        }
        EXPECT_EQ(labels, c.labels);
    }
    RecordingCanvas damaged;
    ValueAxisInput in;
    in.height = 180;
    in.topValue = 1.8e11;
    DrawTimeHistoryValueAxis(damaged, in);
    EXPECT_LE(damaged.Lines().size(), 2 * 1001u + 1);
}

TEST(TimeHistoryReadout, CursorMarkerAndBlockTexts)
{
    PlotState s = Logger();
    const RecordingCanvas c = Paint(s, CanvasTarget::Screen);
    EXPECT_TRUE(Has(c, "\"Cursor:   t[151]=156s (12:02'36)  Lev=50.9dB\""));
    EXPECT_TRUE(Has(c, "\"Markers:  t0=121s   t1=261s\" font=Courier New/14/700 fg=#7F7F7F"));
    EXPECT_TRUE(Has(c, "\"LEQ=70.7 dB\" font=Courier New/14/700 fg=#FF00A0"));
    EXPECT_TRUE(Has(c, "\"Lmin=49.1dB  \" font=Courier New/14/700 fg=#00A000"));
    EXPECT_TRUE(Has(c, "\"SEL=64.8dB  \" font=Courier New/14/700 fg=#00A0A0"));

    PlotState outside = Logger();
    outside.view.CursorIndex = 20; // before the block
    outside.settings.UseDate = true;
    outside.settings.CursorRelTimeFormat = true;
    const RecordingCanvas o = Paint(outside, CanvasTarget::Screen);
    EXPECT_FALSE(Has(o, "Lmin="));
    EXPECT_TRUE(Has(o, "\"Cursor:   t[21]=21 (12:00'21 - 24/01/01)  Lev="));
    EXPECT_TRUE(Has(o, "\"Markers:  t0=2'01   t1=4'21\""));

    PlotState vibration = Logger();
    for (auto& f : vibration.doc.ChannelFacts) {
        f.InputKind = 5; // accelerometer shown as velocity
        f.Filter = 4;
    }
    vibration.view.UnitsChoice = 0; // other inputs start linear
    const RecordingCanvas v = Paint(vibration, CanvasTarget::Screen);
    EXPECT_TRUE(Has(v, "fg=#FF00A0")); // the running total, named RMS off microphones
    EXPECT_TRUE(Has(v, "\"RMS="));
    EXPECT_FALSE(Has(v, "\"LEQ="));
    // The SEL of velocity has no unit format: it prints the absent text.
    EXPECT_TRUE(Has(v, "\"SEL=----  \""));
}

TEST(TimeHistoryReadout, MarkerTimesAndDecimals)
{
    EXPECT_EQ(PadMarkerTime("5'07", "1:02'03"), "0:05'07");
    EXPECT_EQ(PadMarkerTime("12'00", "12'30"), "12'00");
    EXPECT_EQ(ReadoutTimeDecimals(1.0), 0);
    EXPECT_EQ(ReadoutTimeDecimals(0.125), 3);
    EXPECT_EQ(ReadoutTimeDecimals(1.0 / 3.0), 6);
}

TEST(PlotStateFile, RoundTripAndRefusals)
{
    const PlotState s = Logger();
    const std::string text = WritePlotState(s);
    PlotState back;
    std::string error;
    ASSERT_TRUE(ReadPlotState(text, back, error)) << error;
    EXPECT_EQ(WritePlotState(back), text);
    EXPECT_DOUBLE_EQ(back.view.BufferValues[1].Maximum(), s.view.BufferValues[1].Maximum());
    // The largest value a state holds reads back.
    ASSERT_TRUE(ReadPlotState("GridLevelLow=-1e9\nRecordStep=1e9\n", back, error)) << error;
    EXPECT_EQ(back.view.Grid.LevelRangeLow, -1e9);
    EXPECT_EQ(back.doc.TimingFacts.recordStep, 1e9);

    struct Case { std::string text; std::string error; };
    const Case cases[] = {
        {"PlotKind=6\nColour=3\n", "line 2: unknown field 'Colour'"},
        {"# c\nPointCount=x12\n", "line 2: bad number 'x12' for PointCount"},
        {"GraphSizeIndex=300\n", "line 1: bad number '300' for GraphSizeIndex"},
        {"PointCount=2\nBufferValues[0]=1,2,3\n", "line 2: BufferValues has more than 2 values"},
        // A count lowered after its lists: the list's own line is named.
        {"PointCount=3\nSeriesA[1]=1,2,3\nTimeStamps=1,2\nPointCount=1\n", "line 2: SeriesA has more than 1 values"},
        {"PanelTitles[5]=x\n", "line 1: PanelTitles[5] is past its 5 entries"},
        {"TimeStamps=1\n", "line 1: TimeStamps has more than 0 values"},
        {"Markers=12\n", "line 1: bad number '12' for Markers"},
        {"PlotKind\n", "line 1: no '=' in 'PlotKind'"},
        // Values no axis can label: hundreds of digits or "nan".
        {"GridLevelLow=-1e300\n", "line 1: bad number '-1e300' for GridLevelLow"},
        {"GridLevelHigh=1e300\n", "line 1: bad number '1e300' for GridLevelHigh"},
        {"GridTimeStep=nan\n", "line 1: bad number 'nan' for GridTimeStep"},
        {"RecordStep=inf\n", "line 1: bad number 'inf' for RecordStep"},
        {"RangeTop[0]=-1e10\n", "line 1: bad number '-1e10' for RangeTop"},
        {"PointCount=2\nSeriesA[0]=60,nan\n", "line 2: bad number 'nan' for SeriesA"},
        {"GridValues=1e300\n", "line 1: bad number '1e300' for GridValues"},
    };
    for (const Case& c : cases) {
        PlotState st;
        EXPECT_FALSE(ReadPlotState(c.text, st, error));
        EXPECT_EQ(error, c.error);
    }
}

TEST(PlotStateFile, WhatIsWrittenReadsBackTheSame)
{
    // A list before its count field, and titles with a line break or a
    // carriage return the reader would take for a CRLF end of line.
    const std::string text = "BufferValues[0]=1,2\nPointCount=2\nGraphTitle=Level\r\r\n";
    PlotState s;
    std::string error;
    ASSERT_TRUE(ReadPlotState(text, s, error)) << error;
    EXPECT_EQ(s.view.BufferValues[0].Size(), 2u);
    s.view.PanelTitles[1] = "two\nlines";
    s.doc.SlotChannels = s.doc.ChannelMode = true; // the legacy and 505 families' document facts
    const std::string written = WritePlotState(s);
    PlotState back;
    ASSERT_TRUE(ReadPlotState(written, back, error)) << error;
    EXPECT_TRUE(back.doc.SlotChannels);
    EXPECT_TRUE(back.doc.ChannelMode);
    EXPECT_EQ(back.view.GraphTitle, "Level ");
    EXPECT_EQ(back.view.PanelTitles[1], "two lines");
    EXPECT_EQ(WritePlotState(back), written);
}

} // namespace
} // namespace orlu
