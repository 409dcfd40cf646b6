#pragma once
// The text, table and graph-data forms of the Time waveforms view (ViewKind 8).

#include "analysis/spectra/WaveformForm.h"
#include "presentation/view/FormRenderers.h"

namespace orlu {

/// The waveforms the view's fields choose.
WaveformChoice WaveformChoiceOf(const MeasurementViewState& view);

void RegisterWaveformViewForms(FormRendererRegistry& registry);

} // namespace orlu
