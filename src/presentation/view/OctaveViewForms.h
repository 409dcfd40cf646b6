#pragma once
// The forms of the octave views (ViewKinds 10 and 11) of current-family files
// over the octave reports: text, table and graph data, with the view's unit
// choice, record or file, All-files choice and marked block of bands.

#include "presentation/view/FormRenderers.h"

namespace orlu {

/// Registers the octave views' forms for current-family documents.
void RegisterOctaveViewForms(FormRendererRegistry& registry);

} // namespace orlu
