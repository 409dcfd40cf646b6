#pragma once
// The text form of the Header info view (ViewKind 3) over the header report
// of the document's family.

#include "presentation/view/FormRenderers.h"

namespace orlu {

/// Builds the Header information of a request: the view's channels, its
/// all-files choice and sub-file, and its Header-info unit choice. A family
/// without a header report says so in one line.
void RenderHeaderInfoText(FormRequest& request);

/// Registers the text form of Header info.
void RegisterHeaderInfoForms(FormRendererRegistry& registry);

} // namespace orlu
