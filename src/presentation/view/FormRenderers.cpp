#include "presentation/view/FormRenderers.h"

#include "document/ViewKind.h"
#include "document/rawviews/RawViews.h"
#include "reports/text/MainResultsText.h"
#include "presentation/view/MainResultsForms.h"

namespace orlu {

void FormRendererRegistry::Register(std::uint8_t viewKind, FormChoice form, FormRenderer renderer)
{
    m_Renderers[{viewKind, form}] = std::move(renderer);
}

const FormRenderer* FormRendererRegistry::Find(std::uint8_t viewKind, FormChoice form) const
{
    auto it = m_Renderers.find({viewKind, form});
    return it == m_Renderers.end() ? nullptr : &it->second;
}

namespace {

using DocumentRenderer = bool (*)(CTmDoc&, LineList&, int*, std::uint16_t, std::uint8_t);

// A renderer of the document's own shape: it gets the view's channel
// selection and the unit byte of the kind it shows.
FormRenderer FromDocumentRenderer(DocumentRenderer render, std::size_t unitSlot)
{
    return [render, unitSlot](FormRequest& request) {
        int widest = request.WidestLine;
        const bool written = render(request.Doc, request.Lines, &widest, request.View.SelectedChannels,
                                    request.View.UnitsByKind[unitSlot]);
        // A document whose family has no such report yet says so.
        if (!written && request.Lines.Empty()) {
            std::string line(kFormNotAvailableText);
            AddLine(request.Lines, line, &widest);
        }
        request.WidestLine = widest;
    };
}

struct RendererRow {
    std::uint8_t viewKind;
    FormChoice form;
    DocumentRenderer render;
    std::size_t unitSlot;
};

// Each report adds its row here as it is built.
constexpr RendererRow kRenderers[] = {
    {kViewSettings, FormChoice::Text, &FormatSettingsText, 0},
    {kViewHexa, FormChoice::Hex, &FormatHexDump, 0},
    {kViewAscii, FormChoice::Ascii, &FormatAsciiForm, 0},
    {kViewMainResults, FormChoice::Text, &FormatMainResultsText, 0},
};

} // namespace

void RegisterReportRenderers(FormRendererRegistry& registry)
{
    for (const RendererRow& row : kRenderers)
        registry.Register(row.viewKind, row.form, FromDocumentRenderer(row.render, row.unitSlot));
    RegisterMainResultsTables(registry);
}

} // namespace orlu
