#include "presentation/view/HeaderInfoForms.h"

#include "reports/text/HeaderInfoText.h"

namespace orlu {

void RenderHeaderInfoText(FormRequest& request)
{
    MeasurementViewState& view = request.View;
    constexpr std::size_t kHeaderUnits = 1;
    HeaderInfoRequest header{view.SelectedChannels, view.TextAllFiles != 0, view.SubFileNumber,
                             view.UnitsByKind[kHeaderUnits], &view.AvailableChannels};
    int widest = 0;
    if (!FormatHeaderInfo(request.Doc, request.Lines, &widest, header)) {
        std::string line(kFormNotAvailableText);
        AddLine(request.Lines, line, &widest);
    }
    request.WidestLine = widest;
}

} // namespace orlu
