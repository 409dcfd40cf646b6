#pragma once
// orlu-dump --state: the view's state after a run as Name=value lines.

#include "presentation/view/MeasurementViewState.h"

#include <string>

namespace orlu::tools {

/// Appends the state lines to `out`.
void PrintViewState(const MeasurementViewState& view, std::string& out);

} // namespace orlu::tools
