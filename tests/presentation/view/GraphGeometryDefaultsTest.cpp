// The geometry each PlotKind's graph record starts from.

#include "presentation/view/GraphGeometryDefaults.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

using Fields = std::array<int, kGraphGeometryFields>;

TEST(GraphGeometryDefaults, RowsGiveTheirTwelveFieldsInStoredOrder)
{
    struct Case {
        PlotKind kind;
        Fields fields;
    };
    const Case cases[] = {
        {0, {60, 28, 45, 1, 585, 180, 110, 11, 10, 1, 1, 1}},
        {6, {60, 28, 100, 1, 505, 180, 110, 5, 0, 0, 1, 0}},
        {13, {60, 28, 80, 1, 505, 180, 111, 5, 0, 0, 1, 0}},
        {23, {60, 28, 12, 1, 0, 180, 110, 42, 41, 1, 1, 3}},
        {40, {60, 28, 50, 1, 0, 180, 110, 11, 10, 1, 1, 6}},
        {52, {60, 28, 32, 1, 0, 180, 110, 11, 10, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        const auto g = GraphGeometryDefaults(c.kind);
        ASSERT_TRUE(g) << c.kind;
        EXPECT_EQ(GeometryFields(*g), c.fields) << "PlotKind " << c.kind;
    }
}

TEST(GraphGeometryDefaults, EveryRowDrawsBarsOneNarrowerThanTheirPitchAndCurvesWithoutBars)
{
    for (PlotKind kind = 0; kind <= kPlotKindMax; ++kind) {
        const auto g = GraphGeometryDefaults(kind);
        ASSERT_TRUE(g) << kind;
        const bool curve = kind == 6 || kind == 7 || kind == 13 || kind == 28;
        EXPECT_EQ(g->bars, curve ? 0 : 1) << kind;
        EXPECT_EQ(g->barWidth, curve ? 0 : g->pixelsPerPoint - 1) << kind;
        EXPECT_EQ(g->secondHeight, kind == 13 ? 111 : 110) << kind;
        EXPECT_GT(g->pointCount, 0) << kind;
        EXPECT_TRUE(g->labelMode == 0 || g->labelMode == 1 || g->labelMode == 3 || g->labelMode == 6) << kind;
        EXPECT_EQ(g->leftMargin, 60);
        EXPECT_EQ(g->topMargin, 28);
        EXPECT_EQ(g->pointsPerColumn, 1);
        EXPECT_EQ(g->plotHeight, 180);
        EXPECT_EQ(g->reserved, 1);
    }
}

TEST(GraphGeometryDefaults, CodesOutsideTheTableHaveNoRow)
{
    EXPECT_FALSE(GraphGeometryDefaults(-1));
    EXPECT_FALSE(GraphGeometryDefaults(kPlotKindMax + 1));
}

} // namespace
} // namespace orlu
