#include "analysis/PlotSeries.h"
#include "graph/GraphScales.h"
#include "graph/LevelAxis.h"
#include "platform/canvas/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace orlu {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(NiceTickStep, PercentAxisTops)
{
    struct Case { double range; int intervals; double top; double fraction; };
    const Case cases[] = {
        {37.0, 8, 40.0, 37.0 / 40.0},
        {7.3, 8, 8.0, 7.3 / 8.0},
        {12.0, 7, 14.0, 12.0 / 14.0},  // step 1 gives 12 intervals: doubled to 2
        {0.37, 8, 0.4, 0.37 / 0.4},
        {100.0, 5, 100.0, 1.0},
        {150.0, 5, 100.0, 1.5},        // above 99: always 100 in 5, the data may pass it
        // Nothing to show (a histogram of no counts): one interval, no endless search.
        {0.0, 1, 1.0, 0.0},
        {-3.0, 1, 1.0, 0.0},
        {std::nan(""), 1, 1.0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.range);
        const NiceTicks t = NiceTickStep(c.range);
        EXPECT_EQ(t.intervals, c.intervals);
        EXPECT_NEAR(t.axisTop, c.top, 1e-12);
        EXPECT_NEAR(t.fraction, c.fraction, 1e-12);
    }
}

TEST(CountAxisDecimals, DigitsTheValueNeeds)
{
    EXPECT_EQ(CountAxisDecimals(25.0), 0);
    EXPECT_EQ(CountAxisDecimals(2.5), 1);
    EXPECT_EQ(CountAxisDecimals(0.25), 2);
    EXPECT_EQ(CountAxisDecimals(-120.0), 0);
}

LevelScaleInput Db(bool autoscale = true)
{
    LevelScaleInput in;
    in.base = 30.0; // range top 130
    in.span = 110.0;
    in.autoscale = autoscale;
    return in;
}

TEST(AutoScaleLevels, DecibelGrid)
{
    struct Case { const char* what; std::vector<double> values; double bottom; double top; };
    const Case cases[] = {
        {"data inside: bottom stays at base", {42.0, 97.0}, 30.0, 100.0},
        {"maximum on the grid is the top", {42.0, 100.0}, 30.0, 100.0},
        {"minimum below base: grid steps down", {12.0, 97.0}, 10.0, 100.0},
        {"data above the start: top moves up", {50.0, 152.0}, 30.0, 155.0},
        {"quiet data: top moves down", {31.0, 33.0}, 30.0, 35.0},
        {"levels of silent lines are left out", {-kInf, 40.0, 90.0, std::nan("")}, 30.0, 90.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const LevelRange r = AutoScaleLevels(Db(), PlotSeries(c.values));
        EXPECT_DOUBLE_EQ(r.bottom, c.bottom);
        EXPECT_DOUBLE_EQ(r.top, c.top);
    }
}

TEST(AutoScaleLevels, FlatOrEmptySeriesTakeTheFixedRange)
{
    LevelScaleInput in = Db();
    in.pitchSteps = 1;
    in.zoomSteps = 2;
    for (const std::vector<double>& values : {std::vector<double>{60.0, 60.0}, std::vector<double>{-kInf, -kInf}, std::vector<double>{}}) {
        const LevelRange r = AutoScaleLevels(in, PlotSeries(values));
        EXPECT_DOUBLE_EQ(r.bottom, 25.0);
        EXPECT_DOUBLE_EQ(r.top, 125.0);
    }
    in.autoscale = false;
    const LevelRange fixed = AutoScaleLevels(in, PlotSeries({42.0, 97.0}));
    EXPECT_DOUBLE_EQ(fixed.bottom, 25.0);
    EXPECT_DOUBLE_EQ(fixed.top, 125.0);
}

TEST(AutoScaleLevels, LinearTopsOnThe5DbGrid)
{
    const double w = 10.0; // 2 pi f
    struct Case { const char* what; int quantity; int inputKind; double highest; double top; };
    const Case cases[] = {
        {"linear: last 5 dB step still above the data", 1, 0, 0.5, std::pow(10.0, 115.0 / 20 - 6)},
        {"data above the start: one step up (j = -1)", 1, 0, 20.0, std::pow(10.0, 145.0 / 20 - 6)},
        {"microphone: pascal, x20", 1, 2, 0.5, 20.0 * std::pow(10.0, 90.0 / 20 - 6)},
        {"velocity: divided by 2 pi f", 2, 0, 0.05, std::pow(10.0, 115.0 / 20 - 6) / w},
        {"displacement: divided by (2 pi f)^2", 3, 0, 0.005, std::pow(10.0, 115.0 / 20 - 6) / (w * w)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LevelScaleInput in = Db();
        in.quantity = c.quantity;
        in.inputKind = c.inputKind;
        in.frequency = w / (2.0 * std::numbers::pi);
        const LevelRange r = AutoScaleLevels(in, PlotSeries({c.highest / 10, c.highest}));
        EXPECT_DOUBLE_EQ(r.bottom, 0.0);
        EXPECT_NEAR(r.top, c.top, c.top * 1e-12);
    }
    LevelScaleInput fixed = Db(false);
    fixed.quantity = 1;
    fixed.zoomSteps = 2; // base + 100, not base + span
    EXPECT_NEAR(AutoScaleLevels(fixed, PlotSeries({1.0, 2.0})).top, std::pow(10.0, 120.0 / 20 - 6), 1e-12);
}

TEST(AutoScaleTimeLevels, RotationRanges)
{
    LevelScaleInput in;
    in.base = 0.0;
    in.span = 3300.0;
    in.autoscale = true;
    LevelRange r = AutoScaleTimeLevels(in, PlotSeries({100.0, 3000.0}));
    EXPECT_DOUBLE_EQ(r.bottom, 0.0);
    EXPECT_DOUBLE_EQ(r.top, 3000.0);
    in.autoscale = false;
    in.zoomSteps = 2;
    EXPECT_DOUBLE_EQ(AutoScaleTimeLevels(in, PlotSeries({100.0, 3000.0})).top, 3290.0);
    in.span = 3.0; // a still rotor: the axis keeps at least 1
    EXPECT_DOUBLE_EQ(AutoScaleTimeLevels(in, PlotSeries({0.0, 0.0})).top, 1.0);
}

std::vector<std::string> Lines(const std::vector<std::string>& all, std::string_view kind)
{
    std::vector<std::string> out;
    for (const std::string& l : all)
        if (l.rfind(kind, 0) == 0)
            out.push_back(l);
    return out;
}

TEST(DrawLevelAxis, TickStepsAndLabels)
{
    struct Case { double span; int height; double step; int count; std::vector<std::string> labels; };
    const Case cases[] = {
        {110.0, 180, 20.0, 5, {"   30", "   50", "   70", "   90", "  110", "  130"}},
        {75.0, 180, 10.0, 7, {"   30", "   40", "   50", "   60", "   70", "   80", "   90", "  100"}},
        {75.0, 62, 10.0, 7, {"   30", "   50", "   70", "   90"}}, // labels do not fit: every second
        {0.6, 180, 0.1, 0, {"    0"}},                               // below 1: one tick at the bottom
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.span);
        const LevelAxisTicks t = LevelAxisStep(c.span);
        EXPECT_DOUBLE_EQ(t.step, c.step);
        EXPECT_EQ(t.count, c.count);
        RecordingCanvas canvas;
        canvas.SelectFont(Font{std::string(kFixedFace), 14, 400});
        std::string unit = " dB   ";
        DrawLevelAxis(canvas, LevelAxisInput{1, 60, 208, c.height, 0, 4, 30.0, c.span, 0}, unit);
        EXPECT_EQ(unit, " dB");
        const auto ticks = Lines(canvas.Lines(), "line");
        ASSERT_EQ(ticks.size(), c.labels.size());
        EXPECT_EQ(ticks.front(), "line 56,208-60,208 pen=solid/1/#000000 rop=copy");
        const auto texts = Lines(canvas.Lines(), "text");
        ASSERT_EQ(texts.size(), c.labels.size() + 1);
        for (std::size_t i = 0; i < c.labels.size(); ++i)
            EXPECT_NE(texts[i].find('"' + c.labels[i] + '"'), std::string::npos) << texts[i];
        EXPECT_NE(texts.back().find("\"   dB\""), std::string::npos);
    }
    EXPECT_EQ(LevelAxisStep(75.0).axisTop, 70.0);

    // A span of damaged values: the step grows tenfold until the ticks fit an axis.
    const LevelAxisTicks damaged = LevelAxisStep(7.47e17);
    EXPECT_DOUBLE_EQ(damaged.step, 1e15);
    EXPECT_EQ(damaged.count, 747);
    EXPECT_EQ(LevelAxisStep(1000.0).step, 100.0); // spans of real levels keep the table's step
}

} // namespace
} // namespace orlu
