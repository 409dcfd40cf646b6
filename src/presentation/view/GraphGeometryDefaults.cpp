#include "presentation/view/GraphGeometryDefaults.h"

#include <cstddef>

namespace orlu {
namespace {

// The columns that differ between rows; Left 60, Top 28, Step 1, Height 180
// and Reserved 1 are the same in every row.
struct GeometryRow {
    int points;
    int width;
    int height2;
    int pitch;
    int barWidth;
    int bars;
    int labelMode;
};

constexpr std::array<GeometryRow, kPlotKindMax + 1> kRows{{
    {45, 585, 110, 11, 10, 1, 1}, // 0
    {47, 585, 110, 11, 10, 1, 1},
    {45, 585, 110, 11, 10, 1, 3},
    {47, 585, 110, 11, 10, 1, 3},
    {48, 585, 110, 11, 10, 1, 6},
    {50, 585, 110, 11, 10, 1, 6}, // 5
    {100, 505, 110, 5, 0, 0, 0},
    {100, 505, 110, 5, 0, 0, 0},
    {70, 595, 110, 6, 5, 1, 0},
    {100, 0, 110, 5, 4, 1, 0},
    {15, 585, 110, 33, 32, 1, 0}, // 10
    {15, 0, 110, 33, 32, 1, 0},
    {45, 0, 110, 11, 10, 1, 1},
    {80, 505, 111, 5, 0, 0, 0},
    {10, 0, 110, 41, 40, 1, 1},
    {47, 0, 110, 11, 10, 1, 1}, // 15
    {45, 0, 110, 11, 10, 1, 3},
    {47, 0, 110, 11, 10, 1, 3},
    {70, 595, 110, 6, 5, 1, 0},
    {48, 0, 110, 11, 10, 1, 6},
    {50, 0, 110, 11, 10, 1, 6}, // 20
    {18, 0, 110, 20, 19, 1, 3},
    {17, 0, 110, 20, 19, 1, 3},
    {12, 0, 110, 42, 41, 1, 3},
    {30, 0, 110, 14, 13, 1, 3},
    {48, 0, 110, 11, 10, 1, 3}, // 25
    {13, 0, 110, 42, 41, 1, 3},
    {33, 0, 110, 14, 13, 1, 3},
    {100, 505, 110, 5, 0, 0, 0},
    {16, 0, 110, 20, 19, 1, 1},
    {48, 0, 110, 11, 10, 1, 1}, // 30
    {16, 0, 110, 20, 19, 1, 1},
    {18, 0, 110, 20, 19, 1, 3},
    {17, 0, 110, 20, 19, 1, 3},
    {13, 0, 110, 42, 41, 1, 3},
    {10, 0, 110, 41, 40, 1, 1}, // 35
    {48, 0, 110, 11, 10, 1, 1},
    {33, 0, 110, 14, 13, 1, 3},
    {30, 0, 110, 14, 13, 1, 3},
    {48, 0, 110, 11, 10, 1, 3},
    {50, 0, 110, 11, 10, 1, 6}, // 40
    {50, 0, 110, 11, 10, 1, 6},
    {15, 0, 110, 33, 32, 1, 0},
    {15, 0, 110, 33, 32, 1, 0},
    {47, 0, 110, 11, 10, 1, 1},
    {47, 0, 110, 11, 10, 1, 1}, // 45
    {46, 0, 110, 11, 10, 1, 1},
    {33, 0, 110, 11, 10, 1, 1},
    {11, 0, 110, 42, 41, 1, 1},
    {31, 0, 110, 11, 10, 1, 1},
    {34, 0, 110, 14, 13, 1, 3}, // 50
    {13, 0, 110, 42, 41, 1, 3},
    {32, 0, 110, 11, 10, 1, 1},
}};

} // namespace

std::optional<GraphGeometry> GraphGeometryDefaults(PlotKind plotKind)
{
    if (plotKind < 0 || plotKind > kPlotKindMax)
        return std::nullopt;
    const GeometryRow& row = kRows[static_cast<std::size_t>(plotKind)];
    GraphGeometry g;
    g.leftMargin = 60;
    g.topMargin = 28;
    g.pointCount = row.points;
    g.pointsPerColumn = 1;
    g.plotWidth = row.width;
    g.plotHeight = 180;
    g.secondHeight = row.height2;
    g.pixelsPerPoint = row.pitch;
    g.barWidth = row.barWidth;
    g.bars = row.bars;
    g.reserved = 1;
    g.labelMode = row.labelMode;
    return g;
}

std::array<int, kGraphGeometryFields> GeometryFields(const GraphGeometry& g)
{
    return {g.leftMargin, g.topMargin,    g.pointCount,     g.pointsPerColumn, g.plotWidth, g.plotHeight,
            g.secondHeight, g.pixelsPerPoint, g.barWidth, g.bars,            g.reserved,  g.labelMode};
}

} // namespace orlu
