#include "presentation/view/HeaderInfoForms.h"

#include "document/ViewKind.h"
#include "document/container/FileKindCode.h"
#include "reports/text/HeaderInfo505Text.h"

namespace orlu {
namespace {

using HeaderInfoRenderer = bool (*)(CTmDoc&, LineList&, int*, std::uint16_t channelMask, bool allFiles,
                                    int fileIndex, std::uint8_t unitOption);

struct FamilyHeaderInfo {
    KindFamily family;
    HeaderInfoRenderer render;
};

// Each family's header report adds its row here as it is built.
constexpr FamilyHeaderInfo kHeaderInfoTexts[] = {
    {KindFamily::Setup505, &FormatHeaderInfo505},
};

// The unit byte of the view that holds the Header-info unit choice.
constexpr std::size_t kHeaderUnitSlot = 1;

} // namespace

void RenderHeaderInfoText(FormRequest& request)
{
    const KindFamily family = FindFileKind(request.Doc.FileKind()).Family;
    const MeasurementViewState& view = request.View;
    int widest = 0;
    for (const FamilyHeaderInfo& row : kHeaderInfoTexts)
        if (row.family == family && row.render(request.Doc, request.Lines, &widest, view.SelectedChannels,
                                               view.TextAllFiles != 0, view.SubFileNumber,
                                               view.UnitsByKind[kHeaderUnitSlot])) {
            request.WidestLine = widest;
            return;
        }
    ClearLineList(&request.Lines);
    widest = 0;
    std::string line(kFormNotAvailableText);
    AddLine(request.Lines, line, &widest);
    request.WidestLine = widest;
}

void RegisterHeaderInfoForms(FormRendererRegistry& registry)
{
    registry.Register(kViewHeaderInfo, FormChoice::Text, RenderHeaderInfoText);
}

} // namespace orlu
