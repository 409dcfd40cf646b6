#include "support/UnitDocuments.h"

namespace orlu {

void CollectUnitDocuments(AppContext& app, std::vector<std::unique_ptr<CTmDoc>>& made)
{
    app.NewUnitDocument = [&app, &made] {
        auto doc = std::make_unique<CTmDoc>(app);
        doc->SetTitle("");
        if (doc->OnNewDocument()) {
            ++app.UnsavedDocumentCount;
            made.push_back(std::move(doc));
        }
        app.PendingDocSource = kPendingNone;
    };
}

} // namespace orlu
