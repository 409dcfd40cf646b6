#pragma once
// The forms of the Main results view (ViewKind 2) over the reports.

#include "presentation/view/FormRenderers.h"

namespace orlu {

/// Registers the text and table forms of Main results: the report of the
/// document's family, and for a Multifile the merged report of the selected
/// member, or of every member with the form's All-files choice.
void RegisterMainResultsForms(FormRendererRegistry& registry);

/// Builds the Main-results table of a request; a family without a table says so in one line.
void RenderMainResultsTable(FormRequest& request);

} // namespace orlu
