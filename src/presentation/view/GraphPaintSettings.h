#pragma once
// The program settings the graph engine reads at a paint of the graph form.

#include "graph/GraphSettings.h"
#include "presentation/AppSettings.h"

namespace orlu {

/// The engine's settings from the program's; `nonMetric` is the document's
/// vibration units choice (g, in/s, in).
GraphSettings GraphSettingsOf(const AppSettings& settings, bool nonMetric);

} // namespace orlu
