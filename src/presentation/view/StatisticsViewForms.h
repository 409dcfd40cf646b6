#pragma once
// The text and table forms of the statistics view kinds: Histograms (4),
// Statistical levels (5) and Densities (6), over the statistics reports.

#include "analysis/statistics/StatisticsChoices.h"
#include "presentation/view/FormRenderers.h"

namespace orlu {

/// What the view chose for a statistics form, from its fields.
StatisticsChoices StatisticsChoicesOf(const MeasurementViewState& view, bool table);

/// Registers the statistics forms.
void RegisterStatisticsViewForms(FormRendererRegistry& registry);

} // namespace orlu
