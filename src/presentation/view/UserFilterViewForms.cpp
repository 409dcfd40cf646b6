#include "presentation/view/UserFilterViewForms.h"

#include "analysis/spectra/UserFilterText.h"
#include "document/ViewKind.h"

#include <algorithm>
#include <string>

namespace orlu {

void RegisterUserFilterViewForms(FormRendererRegistry& registry)
{
    registry.Register(kViewUserFilters, FormChoice::Text, [](FormRequest& request) {
        const MeasurementViewState& view = request.View;
        // A Multifile's record number steps through its files.
        const int file = std::max(view.CurrentRecordPtr ? *view.CurrentRecordPtr : 0, 1);
        int widest = 0;
        if (TextUserFilters(request.Doc, request.Lines, &widest, view.TextAllFiles != 0, file)) {
            request.WidestLine = widest;
        } else {
            std::string line(kFormNotAvailableText);
            AddLine(request.Lines, line, &request.WidestLine);
        }
    });
}

} // namespace orlu
