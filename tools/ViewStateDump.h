#pragma once
// orlu-dump --state: the view's state as Name=value lines after whatever the
// command line did (any form): the graph's PlotKind, points, panels, size
// and geometry, the aggregation, the stepped record and its range, the
// cursor and the marked block, the channels, units and spectra channels, the
// level scale, the text position, Previous/Next and the titles.

#include "document/CTmDoc.h"
#include "presentation/view/MeasurementViewState.h"

#include <string>

namespace orlu::tools {

/// Appends the state lines of the view over its document to `out`. Previous and
/// Next are brought up to date first, as the view's command update does.
void PrintViewState(MeasurementViewState& view, const CTmDoc& doc, std::string& out);

} // namespace orlu::tools
