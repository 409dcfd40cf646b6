#pragma once
// The text and table forms of the Time intersection view (ViewKind 12): the
// level of the view's line or band across all spectra, or, in the
// reverberation mode, the reverberation times of every band.

#include "analysis/spectra/TimeIntersection.h"
#include "presentation/view/FormRenderers.h"

namespace orlu {

/// The intersection the view's fields choose.
TimeIntersectionChoice IntersectionChoiceOf(const CTmDoc& doc, const MeasurementViewState& view);

void RegisterIntersectionViewForms(FormRendererRegistry& registry);

} // namespace orlu
