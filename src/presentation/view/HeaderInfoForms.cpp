#include "presentation/view/HeaderInfoForms.h"

#include "document/ViewKind.h"
#include "document/container/FileKindCode.h"
#include "reports/text/HeaderInfo505Text.h"
#include "reports/text/HeaderInfoText.h"
#include "reports/text/LegacyHeaderInfo.h"

namespace orlu {

void RenderHeaderInfoText(FormRequest& request)
{
    CTmDoc& doc = request.Doc;
    MeasurementViewState& view = request.View;
    const std::uint8_t units = view.UnitsByKind[kHeaderInfoUnitSlot];
    const bool allFiles = view.TextAllFiles != 0;
    int widest = 0;
    bool written = false;
    if (doc.IsLegacyDocument()) {
        // Until the view has chosen channels, every channel of the file has its column.
        const std::uint16_t mask = view.SelectedChannels != 0 ? view.SelectedChannels : doc.Legacy().profileMask;
        written = FormatLegacyHeaderInfo(doc, request.Lines, &widest, mask, allFiles, view.SubFileNumber, units);
    } else if (FindFileKind(doc.FileKind()).Family == KindFamily::Setup505) {
        written = FormatHeaderInfo505(doc, request.Lines, &widest, view.SelectedChannels, allFiles,
                                      view.SubFileNumber, units);
    } else {
        const HeaderInfoRequest header{view.SelectedChannels, allFiles, view.SubFileNumber, units,
                                       &view.AvailableChannels};
        written = FormatHeaderInfo(doc, request.Lines, &widest, header);
    }
    if (!written) {
        ClearLineList(&request.Lines);
        widest = 0;
        std::string line(kFormNotAvailableText);
        AddLine(request.Lines, line, &widest);
    }
    request.WidestLine = widest;
}

void RegisterHeaderInfoForms(FormRendererRegistry& registry)
{
    registry.Register(kViewHeaderInfo, FormChoice::Text, RenderHeaderInfoText);
}

} // namespace orlu
