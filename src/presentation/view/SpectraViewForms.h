#pragma once
// The Spectra view (FFT spectra): text, table and graph data.

#include "presentation/view/FormRenderers.h"

namespace orlu {

void RegisterSpectraViewForms(FormRendererRegistry& registry);

} // namespace orlu
