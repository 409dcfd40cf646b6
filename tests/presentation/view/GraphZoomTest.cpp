// Zoom plus and minus: aggregation steps while the window stays filled, then pixel steps.

#include "presentation/view/GraphZoom.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

GraphGeometry Window(int points, int pitch)
{
    GraphGeometry g;
    g.pointCount = points;
    g.pixelsPerPoint = pitch;
    g.plotWidth = points * pitch;
    return g;
}

TEST(Zoom, ZoomMinusIsRefusedWhenTheWindowWouldNotBeFilled)
{
    // 1601 lines in a window of 380 points at degree 4: degree 5 gives 1600 / 5 + 1 = 321 points.
    MeasurementViewState view;
    view.ViewKind = kViewSpectra;
    view.Aggregation = 4;
    view.Graph.PointCount = 401;
    GraphGeometry g = Window(380, 1);
    const ZoomFacts facts = ZoomFactsFor(view, 1601, 0, false);
    EXPECT_FALSE(ZoomMinusEnabled(view, g, facts));
    EXPECT_FALSE(ZoomMinus(view, g, facts));
    EXPECT_EQ(view.Aggregation, 4);
    // At degree 3 the step to 4 fills the window.
    view.Aggregation = 3;
    EXPECT_TRUE(ZoomMinus(view, g, facts));
    EXPECT_EQ(view.Aggregation, 4);
    EXPECT_EQ(view.Graph.PointCount, 401);
    EXPECT_EQ(g.pointsPerColumn, 4);
    EXPECT_EQ(view.ShownViewKind, 254);
}

TEST(Zoom, ZoomPlusLowersTheDegreeAndKeepsTheCursorOnItsRecord)
{
    MeasurementViewState view;
    view.ViewKind = kViewBufferLogger;
    view.Aggregation = 4;
    view.MaxAggregation = 500;
    view.Graph.AbsCursor = 2000;
    GraphGeometry g = Window(100, 4);
    const ZoomFacts facts = ZoomFactsFor(view, 0, 1000 * 4, false);
    ASSERT_TRUE(ZoomPlus(view, g, facts));
    EXPECT_EQ(view.Aggregation, 3);
    EXPECT_EQ(view.Graph.PointCount, (4000 - 1) / 3 + 1);
    EXPECT_EQ(view.WindowStart + view.CursorIndex, 2000 / 3);
    EXPECT_EQ(view.CursorIndex, 50);
    EXPECT_EQ(view.Graph.Saved(CursorGroup::BufferLogger), view.Graph.Saved(CursorGroup::TimeIntersections));
}

TEST(Zoom, AtDegreeOneZoomPlusWidensThePointsUntilFiveRemain)
{
    MeasurementViewState view;
    view.ViewKind = kViewTimeIntersections;
    view.Aggregation = 1;
    view.Graph.PointCount = 50;
    GraphGeometry g = Window(20, 1); // 20 pixels wide
    const ZoomFacts facts = ZoomFactsFor(view, 0, 50, false);
    int steps = 0;
    while (ZoomPlus(view, g, facts))
        ++steps;
    EXPECT_EQ(g.pixelsPerPoint, 4); // 20 / 5 = 5 points; pitch 5 would leave 4
    EXPECT_EQ(g.pointCount, 5);
    EXPECT_EQ(view.Control.PixelZoom, steps);
    // Zoom minus comes back through the same pitches.
    while (view.Control.PixelZoom > 0 && ZoomMinus(view, g, facts))
        ;
    EXPECT_EQ(g.pixelsPerPoint, 1);
    EXPECT_EQ(g.pointCount, 20);
}

TEST(Zoom, TonalityAndMultiElementRefuse)
{
    MeasurementViewState view;
    view.ViewKind = kViewSpectra;
    view.Aggregation = 1;
    GraphGeometry g = Window(100, 1);
    EXPECT_FALSE(ZoomMinus(view, g, ZoomFactsFor(view, 1601, 0, true)));
    view.MultiElement = 1;
    EXPECT_FALSE(ZoomMinusEnabled(view, g, ZoomFactsFor(view, 1601, 0, false)));
    EXPECT_FALSE(ZoomPlusEnabled(view, g, ZoomFactsFor(view, 1601, 0, false)));
}

} // namespace
} // namespace orlu
