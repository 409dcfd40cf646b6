#pragma once
// The Histograms and Statistical levels forms of ORLU 505 ANALYZER-mode
// files: the band statistics of their histogram block.

#include "presentation/view/FormRenderers.h"

namespace orlu {

/// Registers the forms for the ANALYZER-mode family.
void RegisterStatistics505ViewForms(FormRendererRegistry& registry);

} // namespace orlu
