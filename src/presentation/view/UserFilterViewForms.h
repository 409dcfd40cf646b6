#pragma once
// The text form of the User's filters view kind (17).

#include "presentation/view/FormRenderers.h"

namespace orlu {

/// Registers the form.
void RegisterUserFilterViewForms(FormRendererRegistry& registry);

} // namespace orlu
