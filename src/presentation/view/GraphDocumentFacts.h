#pragma once
// The facts of a measurement document the graph engine asks for while it
// paints the graph form (each panel's channel with its range, input, filter
// and bands, the time base, the logger's markers and breaks), taken from the
// document when the form is built, so that a paint never decodes anything.

#include "document/CTmDoc.h"
#include "graph/PlotStateDocument.h"
#include "presentation/view/MeasurementViewState.h"

namespace orlu {

/// The facts of the document as the view's last graph build left it.
PlotStateDocument GraphDocumentOf(CTmDoc& doc, MeasurementViewState& view);

} // namespace orlu
