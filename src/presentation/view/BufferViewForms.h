#pragma once
// The text and table forms of the Buffer/Logger view (ViewKind 7) over the buffer reports.

#include "presentation/view/FormRenderers.h"

namespace orlu {

/// Registers the text and table forms of the buffer of an ORLU 505 METER-mode file,
/// with the view's channels, units and aggregation degree.
void RegisterBufferViewForms(FormRendererRegistry& registry);

} // namespace orlu
