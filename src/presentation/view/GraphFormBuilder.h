#pragma once
// The build of the graph form: for the ViewKind shown (histograms to time
// intersections) it chooses the PlotKind and the geometry record, sets what
// Previous/Next step, runs the kind's graph-data renderer once per panel
// into plot data made anew for this build (a longer later sub-file gets
// arrays as long as it needs), and leaves the engine's graph state ready to
// paint: titles, cursor pair of the kind, aggregation, marked block.
//
// Painting reads what the last build left; Plot on a shown graph only steps
// the graph size and paints again.

#include "presentation/view/FormRenderers.h"
#include "presentation/view/MeasurementViewState.h"
#include "presentation/view/PlotKindChoice.h"

#include <cstdint>

namespace orlu {

/// What the choice of the PlotKind reads of the document and the view.
PlotKindInputs PlotKindInputsOf(CTmDoc& doc, const MeasurementViewState& view);

/// Builds the graph form of the kind shown. A kind without a graph, or whose
/// renderer for the document's family is missing, shows the "not available"
/// line in the graph form's place.
void BuildGraphForm(const FormRendererRegistry& renderers, MeasurementViewState& view, CTmDoc& doc);

/// The Plot command: on a shown graph it steps the graph size (backwards with
/// Shift, Ctrl or Alt) and the graph is painted again as built; otherwise it
/// builds the graph form. Kinds without a graph do nothing. True when the
/// view has to repaint.
bool OnGraphForm(const FormRendererRegistry& renderers, MeasurementViewState& view, CTmDoc& doc, bool modifierHeld);

/// The band set of the statistical levels shown: the document's, except that a
/// four-channel document keeps its band layout per channel, so that the levels'
/// own 1/1 or 1/3 variant says which.
std::int16_t LevelsBandKind(const MeasurementViewState& view, const CTmDoc& doc);

/// The line or band (from 1) a time intersection follows: the one under the
/// spectrum cursor.
std::int32_t IntersectionLine(const MeasurementViewState& view);

} // namespace orlu
