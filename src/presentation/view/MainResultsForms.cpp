#include "presentation/view/MainResultsForms.h"

#include "document/Subfiles.h"
#include "presentation/view/ViewSelection.h"
#include "reports/table/MainResultsTables.h"

#include <algorithm>

namespace orlu {

void RenderMainResultsTable(FormRequest& request)
{
    CTmDoc& doc = request.Doc;
    // Merged documents have tables of their own, row per sub-file.
    const MainTableRenderer renderer = IsCurrentMultifileKind(doc.FileKind()) ? nullptr : MainResultsTableFor(doc);
    if (!renderer) {
        std::string line(kFormNotAvailableText);
        AddLine(request.Lines, line, &request.WidestLine);
        return;
    }
    // Until the view has chosen channels, Main results shows those the file holds.
    const std::uint16_t mask = request.View.SelectedChannels != 0 ? request.View.SelectedChannels : HeaderChannelMask(doc);
    std::int32_t width = 0;
    MainTableRequest table{request.Lines, width, request.TableContentKind, mask, request.View.UnitsByKind[0],
                           request.Options};
    renderer(doc, table);
    // The lines the view put in front (the header information) keep their width.
    request.WidestLine = std::max(request.WidestLine, width);
}

void RegisterMainResultsTables(FormRendererRegistry& registry)
{
    registry.Register(kViewMainResults, FormChoice::Table, RenderMainResultsTable);
}

} // namespace orlu
