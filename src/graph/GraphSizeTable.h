#pragma once
// The five graph sizes (0 the largest): margins, plot height, tick lengths
// and font heights of a panel, in unscaled pixels.

#include <array>

namespace orlu {

enum GraphSizeRow {
    kSizePrintTopMargin = 0, ///< extra top margin when printing
    kSizeTopMargin,          ///< top margin of a panel
    kSizePlotHeight,
    kSizeReadoutSpace,       ///< space below the read-out lines
    kSizePrintPanelExtra,    ///< extra panel height when printing
    kSizeXTick,              ///< ticks of the X axes, and a panel margin
    kSizeLevelTick,          ///< ticks of the level and value axes
    kSizeFontHeight,         ///< graph font; one text line
    kSizePercentFontHeight,
    kSizeReadoutBold,        ///< 1: read-out font bold
    kGraphSizeRows
};

inline constexpr int kGraphSizes = 5;

inline constexpr std::array<std::array<int, kGraphSizes>, kGraphSizeRows> kGraphSizeTable{{
    {0, 0, 5, 5, 5},
    {15, 10, 3, 1, 1},
    {182, 156, 100, 62, 46},
    {60, 25, 2, 1, 0},
    {0, 25, 22, 15, 15},
    {5, 4, 3, 3, 2},
    {4, 4, 3, 3, 3},
    {14, 14, 14, 14, 12},
    {14, 14, 14, 14, 12},
    {1, 1, 1, 0, 0},
}};

/// One value of the table; a size index out of range reads as the smallest graph.
inline int GraphSize(GraphSizeRow row, int sizeIndex)
{
    const int column = sizeIndex < 0 ? 0 : sizeIndex >= kGraphSizes ? kGraphSizes - 1 : sizeIndex;
    return kGraphSizeTable[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

} // namespace orlu
