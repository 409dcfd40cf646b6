#pragma once
// The geometry a new graph record starts from, one row per PlotKind, and the
// record's twelve fields in their stored order (Left, Top, Points, Step,
// Width, Height, Height2, Pitch, BarWidth, Bars, Reserved, LabelMode).

#include "document/GraphGeometry.h"
#include "document/PlotKind.h"

#include <array>
#include <optional>

namespace orlu {

inline constexpr int kGraphGeometryFields = 12;

/// The default record of a PlotKind 0..52; none for any other code.
std::optional<GraphGeometry> GraphGeometryDefaults(PlotKind plotKind);

/// The record's fields in their stored order.
std::array<int, kGraphGeometryFields> GeometryFields(const GraphGeometry& geometry);

} // namespace orlu
