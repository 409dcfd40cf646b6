#pragma once
// The text form of Header info (ViewKind 3) over the reports.

#include "presentation/view/FormRenderers.h"

namespace orlu {

/// Builds the Header information text of a request: the view's channel
/// mask, its Header-info units, and for a Multifile the all-files switch of
/// the text form or the sub-file shown. A family without the report says so
/// in one line.
void RenderHeaderInfoText(FormRequest& request);

} // namespace orlu
