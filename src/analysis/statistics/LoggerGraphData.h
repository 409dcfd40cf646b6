#pragma once
// The graph data of one panel of a current-family logger: the record number
// of every record, the panel's values aggregated by the degree, the running
// total, and the running Leq and SEL, maximum and minimum of the marked block.
// The rotation panel has its speeds and the top of its axis; a recording's
// panels have their samples.

#include "analysis/PlotData.h"
#include "analysis/statistics/BufferForms.h"

namespace orlu {

/// Fills the data of `panel` (a channel or profile, 4 the vector or rotation). False when
/// the document holds no logger of results or the panel has nothing to draw.
bool GraphLogger(CTmDoc& doc, PlotData& data, const BufferChoices& choices, int panel);

} // namespace orlu
