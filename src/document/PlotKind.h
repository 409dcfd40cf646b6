#pragma once
// The plot codes the document's axis choosers give the graph engine, and the
// plot geometry the view and the plot routines share. Defined here so that
// the document does not depend on the graph engine.

#include <cstdint>

namespace orlu {

/// The code (0 to 52) that selects a plot routine and its read-out.
using PlotKind = int;

inline constexpr PlotKind kPlotKindMax = 52;

} // namespace orlu
