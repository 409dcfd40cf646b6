#pragma once
// The forms of MONITOR station documents (kind 80). They take the place of
// the forms registered for other families only for MONITOR documents: each
// form of another family stays as it was registered before.

#include "presentation/view/FormRenderers.h"

namespace orlu {

/// Registers the MONITOR forms over those already registered; call it after them.
void RegisterMonitorForms(FormRendererRegistry& registry);

} // namespace orlu
