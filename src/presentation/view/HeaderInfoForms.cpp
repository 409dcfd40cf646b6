#include "presentation/view/HeaderInfoForms.h"

#include "reports/text/LegacyHeaderInfo.h"

namespace orlu {

void RenderHeaderInfoText(FormRequest& request)
{
    CTmDoc& doc = request.Doc;
    MeasurementViewState& view = request.View;
    int width = 0;
    bool written = false;
    if (doc.IsLegacyDocument()) {
        // Until the view has chosen channels, every channel of the file has its column.
        const std::uint16_t mask = view.SelectedChannels != 0 ? view.SelectedChannels : doc.Legacy().profileMask;
        written = FormatLegacyHeaderInfo(doc, request.Lines, &width, mask, view.TextAllFiles != 0, view.SubFileNumber,
                                         view.UnitsByKind[kHeaderInfoUnitSlot]);
    }
    if (!written) {
        ClearLineList(&request.Lines);
        std::string line(kFormNotAvailableText);
        AddLine(request.Lines, line, &width);
    }
    request.WidestLine = width;
}

void RegisterHeaderInfoForms(FormRendererRegistry& registry)
{
    registry.Register(kViewHeaderInfo, FormChoice::Text, RenderHeaderInfoText);
}

} // namespace orlu
