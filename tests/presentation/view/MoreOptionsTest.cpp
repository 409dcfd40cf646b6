// "More options" of a graph: the display budget of its dialogs, what OK
// stores, and reading the option dialogs' edit boxes.

#include "presentation/view/DialogExchange.h"
#include "presentation/view/MoreOptionsCommand.h"
#include "presentation/view/ToolsCommands.h"

#include <gtest/gtest.h>

#include <functional>

namespace orlu {
namespace {

TEST(DisplayBudget, AWiderBarLeavesRoomForFewerBars)
{
    DisplayBudget budget(8, 100, 1, 100, 20);
    EXPECT_EQ(budget.CountMax(), 100);
    budget.WidthLeft(16);
    EXPECT_EQ(budget.Width(), 16);
    EXPECT_EQ(budget.CountMax(), 50);
    EXPECT_EQ(budget.Count(), 50);
    EXPECT_LE(budget.Width() * budget.Count(), kPlotWidthBudget);
    budget.WidthLeft(80);
    EXPECT_EQ(budget.Width(), DisplayBudget::kWidthLimit);
    EXPECT_EQ(budget.Count(), 16);
}

TEST(DisplayBudget, AggregationIsHeldToItsLimitAndShrinksTheCount)
{
    DisplayBudget bars(4, 100, 1, 400, 20);
    bars.AggregationLeft(25);
    EXPECT_EQ(bars.Aggregation(), 20);
    EXPECT_EQ(bars.Count(), 20); // 400 / 20
    DisplayBudget steps(4, 100, 1, 400, 64);
    steps.AggregationLeft(25);
    EXPECT_EQ(steps.Aggregation(), 25);
    steps.AggregationLeft(1000);
    EXPECT_EQ(steps.Aggregation(), 64);
}

TEST(DisplayBudget, ZeroesNeverLeaveTheDialog)
{
    DisplayBudget fromGeometry(0, 0, 0, 0, 0);
    EXPECT_EQ(fromGeometry.Width(), 1);
    EXPECT_EQ(fromGeometry.Count(), 1);
    EXPECT_EQ(fromGeometry.Aggregation(), 1);
    DisplayBudget typed(8, 50, 2, 400, 20);
    typed.CountLeft(0);
    EXPECT_EQ(typed.Count(), 1);
    typed.CountLeft(5000);
    EXPECT_EQ(typed.Count(), typed.CountMax());
    EXPECT_EQ(typed.WidthMax(), kPlotWidthBudget / typed.Count());
    typed.WidthLeft(0);
    typed.Accept();
    EXPECT_EQ(typed.Width(), 1);
    EXPECT_GE(typed.Count(), 1);
    EXPECT_GE(typed.Aggregation(), 1);
}

class ScriptedMore : public MoreOptionsDialogs {
public:
    void RunMoreOptions(MoreOptionsModel& d) override { script(d); }
    std::function<void(MoreOptionsModel&)> script = [](MoreOptionsModel& d) { d.Cancel(); };
};

struct More {
    explicit More(std::uint8_t kind)
    {
        view.FormFlags = form_flags::kGraph;
        view.ViewKind = kind;
        view.MaxAggregation = 64;
        view.Graph.PointCount = 100;
        geometry.pixelsPerPoint = 8;
        geometry.pointCount = 100;
        geometry.pointsPerColumn = 1;
        doc.records = 1000;
        doc.bands = 100;
        doc.bandKind = 2;
    }
    MoreOptionsOutcome Run() { return RunMoreOptions(view, geometry, doc, settings, dialogs); }

    MeasurementViewState view;
    GraphGeometry geometry;
    MoreOptionsFacts doc;
    AppSettings settings;
    ScriptedMore dialogs;
};

TEST(MoreOptions, CirclesAloneOnlyRepaint)
{
    More m(kViewBufferLogger);
    m.dialogs.script = [](MoreOptionsModel& d) {
        EXPECT_TRUE(d.Steps());
        d.CirclesCheck = 1;
        d.CircleMinStep = 40;
        d.Ok();
    };
    EXPECT_EQ(m.Run(), MoreOptionsOutcome::Repaint);
    EXPECT_EQ(m.settings.CircleDraw, 1);
    EXPECT_EQ(m.settings.CircleMinStep, 40);
    EXPECT_EQ(m.geometry.pixelsPerPoint, 8);
}

TEST(MoreOptions, ANewAggregationReachesBothHistoryPages)
{
    More m(kViewBufferLogger);
    m.view.CursorIndex = 7;
    m.view.WindowStart = 30;
    m.dialogs.script = [](MoreOptionsModel& d) {
        d.Budget.AggregationLeft(25);
        d.Ok();
    };
    EXPECT_EQ(m.Run(), MoreOptionsOutcome::BuildGraph);
    EXPECT_EQ(m.view.Aggregation, 25);
    EXPECT_EQ(m.geometry.pointsPerColumn, 25);
    EXPECT_EQ(m.view.Graph.PointCount, 40); // (1000 - 1) / 25 + 1
    EXPECT_EQ(m.geometry.pointCount, 40);
    EXPECT_EQ(m.geometry.plotWidth, 320);
    EXPECT_EQ(m.view.Graph.Saved(CursorGroup::TimeIntersections), (CursorPair{7, 30}));
    EXPECT_EQ(m.view.Graph.Saved(CursorGroup::BufferLogger), (CursorPair{7, 30}));
    EXPECT_EQ(m.view.ShownViewKind, kRepaintWholeView);
}

TEST(MoreOptions, BarsTakeWidthCountAndSolidBars)
{
    More m(kViewSpectra);
    m.dialogs.script = [](MoreOptionsModel& d) {
        EXPECT_FALSE(d.Steps());
        EXPECT_EQ(d.AggregationOffered, 1);
        d.Budget.WidthLeft(16);
        d.SetSolidBars(true);
        d.Ok();
    };
    EXPECT_EQ(m.Run(), MoreOptionsOutcome::BuildGraph);
    EXPECT_EQ(m.geometry.pixelsPerPoint, 16);
    EXPECT_EQ(m.geometry.pointCount, 50);
    EXPECT_EQ(m.view.Tools.SolidBars, 1);
}

TEST(MoreOptions, ZeroInTheGeometryStillStoresTheBounds)
{
    More m(kViewOctaves);
    m.geometry.pixelsPerPoint = 0;
    m.geometry.pointCount = 0;
    m.geometry.pointsPerColumn = 0;
    m.dialogs.script = [](MoreOptionsModel& d) {
        EXPECT_EQ(d.CountFixed, 1);
        d.Ok();
    };
    EXPECT_EQ(m.Run(), MoreOptionsOutcome::BuildGraph);
    EXPECT_GE(m.geometry.pixelsPerPoint, 1);
    EXPECT_GE(m.geometry.pointCount, 1);
    EXPECT_GE(m.geometry.pointsPerColumn, 1);
}

TEST(MoreOptions, CancelAndMultiElement)
{
    More cancelled(kViewSpectra);
    EXPECT_EQ(cancelled.Run(), MoreOptionsOutcome::Repaint);
    EXPECT_EQ(cancelled.geometry.pixelsPerPoint, 8);
    More multi(kViewSpectra);
    multi.view.MultiElement = 1;
    EXPECT_EQ(multi.Run(), MoreOptionsOutcome::NotOffered);
}

TEST(DialogExchange, BoxesRefuseWhatTheyCannotHold)
{
    struct Case {
        const char* text;
        std::string refusal;
    };
    const std::string pitch = "Please enter an integer between 1 and 48.";
    const std::string byte = "Please enter an integer between 0 and 255.";
    for (const Case& c : {Case{"12", ""}, Case{"0", pitch}, Case{"49", pitch}, Case{"256", byte}, Case{"ab", byte},
                          Case{"", byte}, Case{"-0", byte}}) {
        EXPECT_EQ(ExchangeByte(c.text, 1, 48).refusal, c.refusal) << c.text;
    }
    EXPECT_EQ(ExchangeByte(" 16 ", 1, 16).value, 16);
    EXPECT_EQ(ExchangeInteger("12.5").refusal, "Please enter an integer.");
    EXPECT_EQ(ExchangeInteger("-3").value, -3);
    EXPECT_EQ(ExchangeNumber("x1").refusal, "Please enter a number.");
    EXPECT_EQ(ExchangeNumber("5000.5").value, 5000.5);
    EXPECT_EQ(ExchangeUnsigned("-1", 0, 100).refusal, "Please enter a positive integer.");
    EXPECT_EQ(ExchangeUnsigned("101", 0, 100).refusal, "Please enter an integer between 0 and 100.");
    EXPECT_TRUE(ExchangeUnsigned("100", 0, 100).Taken());
}

} // namespace
} // namespace orlu
