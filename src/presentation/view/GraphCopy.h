#pragma once
// What Copy of the graph form takes of the painted graph: the top-left part
// of the view's graph bitmap, as wide as the graph's page at the view's scale
// (640 pixels a scale for the multi element picture) and as high as the
// panels drawn.

#include "graph/GraphViewState.h"

namespace orlu {

struct GraphCopySize {
    int width = 0;
    int height = 0;
    friend bool operator==(const GraphCopySize&, const GraphCopySize&) = default;
};

/// The size for `panels` panels drawn; a zero size copies nothing.
GraphCopySize PlotCopySize(const GraphViewState& view, int panels);

} // namespace orlu
