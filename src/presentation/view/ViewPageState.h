#pragma once
// The presentation state of one page of a measurement view, kept while the
// view shows another page and given back when it returns, and the defaults
// every page starts from.

#include "presentation/view/ViewKinds.h"

#include <array>
#include <cstdint>

namespace orlu {

struct GraphGeometry;

/// A point in pixels (block corners, graph scroll origin).
struct ViewPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const ViewPoint&, const ViewPoint&) = default;
};

struct ViewPageState {
    std::uint8_t Form = kFormText;
    std::int16_t PlotKind = 0;
    const GraphGeometry* Geometry = nullptr;
    std::int32_t TextAllFiles = 0;
    std::int32_t TableAllFiles = 0;
    std::int32_t MultiElement = 0;
    std::int32_t FirstLine = 0;
    std::int32_t FirstColumn = 0;
    ViewPoint GraphScroll;
    std::int32_t CursorOn = 1;
    std::int32_t CursorIndex = 0;
    std::int32_t WindowStart = 0;
    std::int32_t CursorAux = 0;
    std::int32_t Aggregation = 1;
    std::uint16_t Profile = 0;
    std::int16_t Spare = 0;
    std::uint8_t MarkState = 0;
    std::int32_t MarkedRangeFirst = 0;
    std::int32_t MarkedRangeLast = 0;
    std::int32_t MaxAggregation = 0;
    std::array<std::int32_t, 5> PanelCursor{};
    std::array<std::int32_t, 5> PanelBlockFirst{};
    std::array<std::int32_t, 5> PanelBlockLast{};
};

/// Copies row `row` of the page-default table into a record.
void CopyModeFlags(ViewPageState& record, int row);

} // namespace orlu
