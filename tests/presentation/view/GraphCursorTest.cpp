// The graph cursor: moves inside the window of points, the window following
// it, and what a move leaves for the other kinds and the record steps.

#include "presentation/view/GraphCursor.h"
#include "presentation/view/MeasurementViewState.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

using A = CursorAction;
using M = CursorMode;

TEST(CursorInWindow, ActionsMoveCursorAndWindowInsideTheData)
{
    // 100 points, 10 in the window, 2 pixels per point for the mouse pace.
    const CursorGraph graph{100, 10, 2};
    struct Case {
        const char* name;
        CursorPair from;
        A action;
        std::int32_t point;
        M mode;
        bool ctrl;
        CursorPair to;
    };
    const Case cases[] = {
        {"key left", {5, 20}, A::Left, 0, M::Keyboard, false, {4, 20}},
        {"key left at the window start scrolls", {0, 20}, A::Left, 0, M::Keyboard, false, {0, 19}},
        {"key left at point 0 stays", {0, 0}, A::Left, 0, M::Keyboard, false, {0, 0}},
        {"key right", {5, 20}, A::Right, 0, M::Keyboard, false, {6, 20}},
        {"key right at the window end scrolls", {9, 20}, A::Right, 0, M::Keyboard, false, {9, 21}},
        {"key right at the last point stays", {9, 90}, A::Right, 0, M::Keyboard, false, {9, 90}},
        {"Ctrl left is Home", {5, 20}, A::Left, 0, M::Keyboard, true, {0, 20}},
        {"Ctrl right is End", {5, 20}, A::Right, 0, M::Keyboard, true, {9, 20}},
        {"Home at the start goes a window back", {0, 25}, A::Home, 0, M::Keyboard, false, {0, 15}},
        {"Home a window back stops at 0", {0, 5}, A::Home, 0, M::Keyboard, false, {0, 0}},
        {"Ctrl Home goes to point 0", {4, 50}, A::Home, 0, M::Keyboard, true, {0, 0}},
        {"End at the end goes a window on", {9, 20}, A::End, 0, M::Keyboard, false, {9, 30}},
        {"End a window on stops at the last window", {9, 85}, A::End, 0, M::Keyboard, false, {9, 90}},
        {"Ctrl End goes to the last point", {2, 10}, A::End, 0, M::Keyboard, true, {9, 90}},
        {"to a point inside the window", {0, 20}, A::ToPoint, 25, M::Absolute, false, {5, 20}},
        {"to a point before the window", {3, 20}, A::ToPoint, 12, M::Absolute, false, {0, 12}},
        {"to a point after the window", {3, 20}, A::ToPointToo, 47, M::Absolute, false, {9, 38}},
        {"to a point past the data", {3, 20}, A::ToPoint, 500, M::Absolute, false, {9, 90}},
        {"mouse inside the window", {1, 20}, A::Left, 7, M::Mouse, false, {7, 20}},
        {"mouse left of the window pulls it back", {0, 20}, A::Left, -3, M::Mouse, false, {0, 18}},
        {"mouse right of the window pulls it on", {9, 20}, A::Right, 12, M::Mouse, false, {9, 22}},
        {"mouse beside the window first takes the cursor to its edge", {4, 20}, A::Left, 13, M::Mouse, false,
         {9, 20}},
    };
    for (const Case& c : cases) {
        const CursorPair at = MoveCursorInWindow(c.from, c.action, c.point, c.mode, c.ctrl, graph);
        EXPECT_EQ(at.cursor, c.to.cursor) << c.name;
        EXPECT_EQ(at.window, c.to.window) << c.name;
    }
}

TEST(CursorInWindow, WindowsOfNoPointsOrLongerThanTheDataStillMove)
{
    // A window of 0 points (a zoom edited to nothing) moves one point at a time.
    EXPECT_EQ(MoveCursorInWindow({0, 3}, A::Right, 0, M::Keyboard, false, {10, 0, 1}), (CursorPair{0, 4}));
    EXPECT_EQ(MoveCursorInWindow({0, 3}, A::Right, 5, M::Mouse, false, {10, 0, 0}), (CursorPair{0, 4}));
    // A window wider than the data ends at the last point.
    EXPECT_EQ(MoveCursorInWindow({0, 0}, A::End, 0, M::Keyboard, true, {3, 10, 1}), (CursorPair{2, 0}));
    EXPECT_EQ(MoveCursorInWindow({4, 7}, A::Left, 0, M::Keyboard, false, {0, 10, 1}), (CursorPair{}));
}

void ShowGraph(MeasurementViewState& view, int kind)
{
    view.ViewKind = static_cast<std::uint8_t>(kind);
    view.FormFlags = form_flags::kGraph;
}

TEST(MoveCursor, BandGraphsKeepTheirCursorAsBandIndexAndWindowFirst)
{
    MeasurementViewState view;
    ShowGraph(view, kViewThirdOctaves);
    view.WindowStart = 10;
    ASSERT_TRUE(MoveCursor(view, A::ToPoint, 15, M::Absolute, false, {50, 20, 11, 0, false}));
    EXPECT_EQ(view.BandIndex, 5);
    EXPECT_EQ(view.Graph.WindowFirst, 10);
    EXPECT_EQ(view.GraphBandIndex + 1, 16); // the line the text forms show
    EXPECT_EQ(view.Graph.AbsCursor, 15);

    view.BandIndex = 0;
    view.Graph.WindowFirst = 0;
    LoadSavedCursor(view, false);
    EXPECT_EQ(view.CursorIndex, 0);
    EXPECT_EQ(view.WindowStart, 0);
}

TEST(MoveCursor, TimeHistoriesShareTheirCursorAndSetTheRecordShown)
{
    MeasurementViewState view;
    ShowGraph(view, kViewBufferLogger);
    view.Aggregation = 2;
    // 200 records by 2: 100 points, 10 of them in the window.
    ASSERT_TRUE(MoveCursor(view, A::End, 0, M::Keyboard, true, {100, 10, 5, 200, false}));
    const CursorPair last{9, 90};
    EXPECT_EQ(view.Graph.Saved(CursorGroup::BufferLogger), last);
    EXPECT_EQ(view.Graph.Saved(CursorGroup::TimeIntersections), last);
    EXPECT_EQ(view.GraphRecord, (90 + 1 + 9) * 2);
    EXPECT_EQ(view.Graph.AbsCursor, 99 * 2);

    // A point count left from a longer record does not take the cursor past the records.
    ASSERT_TRUE(MoveCursor(view, A::ToPoint, 150, M::Absolute, false, {200, 10, 5, 120, false}));
    EXPECT_EQ(view.WindowStart + view.CursorIndex, 120 / 2 - 1);

    view.Graph.Saved(CursorGroup::Histograms) = {3, 4};
    view.ViewKind = kViewHistograms;
    LoadSavedCursor(view, false);
    EXPECT_EQ(view.CursorIndex, 3);
    EXPECT_EQ(view.WindowStart, 4);
}

TEST(MoveCursor, TonalitySpectraKeepTheirOwnPair)
{
    MeasurementViewState view;
    ShowGraph(view, kViewSpectra);
    view.BandIndex = 7;
    ASSERT_TRUE(MoveCursor(view, A::Right, 0, M::Keyboard, false, {400, 100, 1, 0, true}));
    EXPECT_EQ(view.Graph.Saved(CursorGroup::Tonality), (CursorPair{1, 0}));
    EXPECT_EQ(view.BandIndex, 7);
}

TEST(MoveCursor, NothingMovesWithTheCursorOffOrOutsideAGraph)
{
    MeasurementViewState view;
    ShowGraph(view, kViewBufferLogger);
    view.CursorOn = 0;
    EXPECT_FALSE(MoveCursor(view, A::Right, 0, M::Keyboard, false, {100, 10, 1, 100, false}));
    view.CursorOn = 1;
    view.FormFlags = form_flags::kTable;
    EXPECT_FALSE(MoveCursor(view, A::Right, 0, M::Keyboard, false, {100, 10, 1, 100, false}));
    EXPECT_EQ(view.CursorIndex, 0);
    EXPECT_EQ(view.GraphRecord, 1);
}

} // namespace
} // namespace orlu
