#pragma once
// The text form of the Header information view: the header report of the
// document's family.

#include "presentation/view/FormRenderers.h"

namespace orlu {

/// Writes the header information of the document's family, or the "not available" line.
void RenderHeaderInfoText(FormRequest& request);

/// Registers the text form of Header information.
void RegisterHeaderInfoForms(FormRendererRegistry& registry);

} // namespace orlu
