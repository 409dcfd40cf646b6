// The waveform panel: its power-of-two scaling, rows on the edges, the time
// axis in seconds or milliseconds with its tick steps, the amplitude axis,
// and the read-outs of time waveforms and of buffers of samples.

#include "graph/WaveformGraph.h"
#include "graph/GraphPainter.h"
#include "graph/PlotDispatch.h"
#include "platform/canvas/RecordingCanvas.h"
#include "support/PlotFixture.h"

#include <gtest/gtest.h>

#include <cmath>
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
            out.push_back(l.substr(a + 1, l.find('"', a + 1) - a - 1));
        }
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

bool Contains(const std::vector<std::string>& texts, const std::string& t)
{
    return std::find(texts.begin(), texts.end(), t) != texts.end();
}

TEST(WaveformGraph, AmplitudeFactor)
{
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double largest;
        bool autoscale;
        int zoom;
        double factor;
    } cases[] = {
        {0.3, true, 0, 2.0},                         // its peaks at 0.6 of the half height
        {1.0, true, 0, 1.0},    {0.5, true, 0, 2.0}, // exactly the half height reaches it
        {3.0, true, 0, 0.25},   {1e-6, true, 0, 524288.0},
        {0.0, true, 0, 1.0}, // all samples 0: no power of two reaches 1
        {kNaN, true, 0, 1.0},   {0.3, false, 3, 8.0},
        {0.3, false, -2, 0.25},
    };
    for (const Case& k : cases)
        EXPECT_DOUBLE_EQ(WaveformAmplitudeFactor(k.largest, k.autoscale, k.zoom), k.factor)
            << k.largest << " " << k.zoom;
}

TEST(WaveformGraph, SamplesBeyondTheRangeLieOnTheEdgeLines)
{
    // Plot rows 28 to 208, zero line 118, half height 90.
    EXPECT_EQ(WaveformRow(0.5, 2.0, 118, 90, 28, 208), 28);
    EXPECT_EQ(WaveformRow(3.0, 2.0, 118, 90, 28, 208), 28);
    EXPECT_EQ(WaveformRow(-3.0, 2.0, 118, 90, 28, 208), 207);
    EXPECT_EQ(WaveformRow(0.25, 2.0, 118, 90, 28, 208), 73);
    EXPECT_EQ(WaveformRow(std::numeric_limits<double>::quiet_NaN(), 2.0, 118, 90, 28, 208), 118);
}

TEST(WaveformGraph, TickSteps)
{
    struct Case {
        double span;
        double tick;
    } cases[] = {
        {10.4, 1.0},   {16.0, 1.0},   {30.0, 2.0},
        {100.0, 10.0}, {1e9, 1000.0}, {5.0, 0.5}, // a span under 10 units ticks by 1/2, 1/5, ...
        {0.3, 0.02},   {0.0, 0.001},
    };
    for (const Case& k : cases)
        EXPECT_DOUBLE_EQ(WaveformTickStep(k.span), k.tick) << k.span;
}

TEST(WaveformGraph, TimeAxisUnitAndLabels)
{
    RecordingCanvas ms(CanvasTarget::Screen);
    // 500 samples at 48 kHz from the first: 10.4 ms, ticks of 1 ms, labels every 2.
    DrawWaveformTimeAxis(ms, WaveformAxisInput{1, 1.0 / 48000.0, 60, 208, 500, 1, 500, 0, 5});
    EXPECT_EQ(Texts(ms), (std::vector<std::string>{"0", "2", "4", "6", "8", "10", "ms"}));
    EXPECT_EQ(Matching(ms, "line ").size(), 11u); // 0 to 10 ms
    RecordingCanvas s(CanvasTarget::Screen);
    // From sample 100 at 1 ms: 0.1 s to 0.6 s, ticks of 0.05 s.
    DrawWaveformTimeAxis(s, WaveformAxisInput{1, 0.001, 60, 208, 500, 1, 500, 100, 5});
    EXPECT_EQ(Texts(s), (std::vector<std::string>{"0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "s"}));
}

TEST(WaveformGraph, AmplitudeAxisRunsFromMinusToPlusTop)
{
    RecordingCanvas c(CanvasTarget::Screen);
    DrawAmplitudeAxis(c, AmplitudeAxisInput{1, 60, 208, 400, 8, 5, 0.5, 2, "V  "});
    const std::vector<std::string> texts = Texts(c);
    ASSERT_EQ(texts.size(), 10u);
    EXPECT_EQ(texts.front(), "-0.50");
    EXPECT_EQ(texts[4], " 0.00");
    EXPECT_EQ(texts[8], " 0.50");
    EXPECT_EQ(texts.back(), "    V");
}

TEST(WaveformGraph, PanelScalesTheLargestSampleToSixTenthsOfTheHalfHeight)
{
    PlotFixtureOptions o;
    o.plotKind = 13;
    o.points = 400;
    PlotState s = MakeWaveformPlotFixture(o);
    RecordingCanvas c(CanvasTarget::Metafile);
    EngineRoutines routines;
    PaintGraph(c, s.view, s.doc, s.settings, routines);
    const std::vector<std::string> texts = Texts(c);
    EXPECT_TRUE(Contains(texts, "  500")); // 1 V full scale over A = 2, in mV
    EXPECT_TRUE(Contains(texts, "   mV"));
    // The highest row of the samples: 0.3 x 2 of the half height above the
    // zero line, the long line across the plot drawn last with a 1-pixel pen.
    const int scale = 5; // metafiles are drawn at five times the screen scale
    const int hh = 180 * scale / 2;
    int zero = -1;
    int highest = 1 << 20;
    for (const std::string& l : c.Lines()) {
        int x1, y1, x2, y2;
        if (std::sscanf(l.c_str(), "line %d,%d-%d,%d", &x1, &y1, &x2, &y2) != 4)
            continue;
        if (l.find("pen=solid/5/#000000") != std::string::npos)
            highest = std::min({highest, y1, y2});
        else if (l.find("pen=solid/1/#000000") != std::string::npos && y1 == y2 && x1 == 60 * scale && x2 > 400 * scale)
            zero = y1;
    }
    ASSERT_GT(zero, 0);
    EXPECT_NEAR(zero - highest, 0.6 * hh, 2.0);
}

TEST(WaveformReadout, TimeWaveformAndBufferForms)
{
    PlotFixtureOptions o;
    o.plotKind = 13;
    o.points = 400;
    o.cursor = 150;
    o.markers = std::array<int, 2>{48, 96};
    PlotState wave = MakeWaveformPlotFixture(o);
    RecordingCanvas c(CanvasTarget::Screen);
    EngineRoutines routines;
    PaintGraph(c, wave.view, wave.doc, wave.settings, routines);
    const std::vector<std::string> texts = Texts(c);
    // Sample 151 (index 150): 0.3 x (0.5 - 0.5 cos(0.75 pi)) x sin(7.5 pi) of 1 V is -256.1 mV;
    // it lies 150 periods of 1/48000 s after the first.
    EXPECT_TRUE(Contains(texts, "Cursor:   t[151]=0.00312s   A=-256mV"));
    EXPECT_TRUE(Contains(texts, "Markers:  t0=0.00100s   t1=0.00200s"));

    o.plotKind = 6;
    o.waveform = true;
    o.panels = 1;
    o.cursor = 40;
    o.markers.reset();
    PlotState buffer = MakeWaveformPlotFixture(o);
    RecordingCanvas p(CanvasTarget::Printer);
    PaintGraph(p, buffer.view, buffer.doc, buffer.settings, routines);
    bool found = false;
    for (const std::string& t : Texts(p))
        found |= t.rfind("Cursor:   t[41]=0.041s  A=", 0) == 0;
    EXPECT_TRUE(found);
    EXPECT_FALSE(Matching(p, "#808000 rop=copy").empty()); // the cursor line, without XOR on the printer
    EXPECT_TRUE(Matching(p, "rop=xor").empty());
}

} // namespace
} // namespace orlu
