#pragma once
// The forms of the Main results view (ViewKind 2) over the reports.

#include "presentation/view/FormRenderers.h"

namespace orlu {

/// Registers the table form of Main results: the table of the document's family.
void RegisterMainResultsTables(FormRendererRegistry& registry);

/// Builds the Main-results table of a request; a family without a table says so in one line.
void RenderMainResultsTable(FormRequest& request);

} // namespace orlu
