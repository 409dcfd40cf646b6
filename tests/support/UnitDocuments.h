#pragma once
// Documents made from the instrument without a window: where the program
// opens a window on each new document, orlu-link and the tests keep them to
// look at, print and store.

#include "document/AppContext.h"
#include "document/CTmDoc.h"

#include <memory>
#include <vector>

namespace orlu {

/// Sets the context's new-document command: each document made (and counted
/// unsaved, as the program counts it) goes to the end of `made`. The request
/// is cleared after every try, so that no later document takes a stale one.
void CollectUnitDocuments(AppContext& app, std::vector<std::unique_ptr<CTmDoc>>& made);

} // namespace orlu
