#pragma once
// What the graph form of a measurement view holds between builds: the graph
// state the engine paints (with the plot data the renderers filled at the
// last build), the view's geometry records, and what the last build found.

#include "graph/GraphViewState.h"
#include "presentation/view/GraphGeometryRecords.h"

#include <cstdint>

namespace orlu {

struct GraphFormState {
    GraphViewState Plot;          ///< what the engine paints; its data are made anew at every build
    GraphGeometryRecords Records; ///< one geometry per kind of graph, kept for the life of the view
    std::uint8_t PanelMask = 0;   ///< bit k: panel k was filled by the last build
    bool Available = false;       ///< the kind shown has graph data for the document's family
    std::uint32_t Builds = 0;     ///< counts the builds: a painter knows from it that the data were made anew
};

} // namespace orlu
