// The size of the graph Copy takes: the graph's page width at the view's
// scale (640 a scale for the multi element picture), the panels' height.

#include "presentation/view/GraphCopy.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

TEST(GraphCopyTest, SizeOfTheCopiedGraph)
{
    GraphViewState view;
    view.GraphHeight = 135;
    view.Geometry.leftMargin = 60;
    view.Geometry.pointCount = 200;
    view.Geometry.pixelsPerPoint = 2;
    struct Case {
        const char* name;
        int scale, multi, sizeIndex, panels;
        GraphCopySize expected;
    } cases[] = {
        {"multi element picture", 1, 1, 0, 2, {640, 270}},
        {"multi element picture at scale 2", 2, 1, 0, 1, {1280, 135}},
        // 60 + 200 x 2 + 150, less the 100 of the narrow margin of the largest size.
        {"largest graph", 1, 0, 0, 3, {510, 405}},
        {"smaller size keeps the wide margin", 1, 0, 2, 1, {610, 135}},
        {"no panels drawn", 1, 0, 0, 0, {510, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        view.GraphScale = static_cast<std::uint8_t>(c.scale);
        view.MultiElement = c.multi;
        view.GraphSizeIndex = static_cast<std::uint8_t>(c.sizeIndex);
        EXPECT_EQ(PlotCopySize(view, c.panels), c.expected);
    }
}

} // namespace
} // namespace orlu
