#include "presentation/view/FormRenderers.h"

#include "document/ViewKind.h"
#include "document/rawviews/AsciiFormLines.h"
#include "document/rawviews/HexDumpLines.h"
#include "document/rawviews/RawViews.h"
#include "presentation/view/BufferViewForms.h"
#include "presentation/view/HeaderInfoForms.h"
#include "presentation/view/IntersectionViewForms.h"
#include "presentation/view/MainResultsForms.h"
#include "presentation/view/MonitorForms.h"
#include "presentation/view/OctaveViewForms.h"
#include "presentation/view/SpectraViewForms.h"
#include "presentation/view/Statistics505ViewForms.h"
#include "presentation/view/StatisticsViewForms.h"
#include "presentation/view/UserFilterViewForms.h"
#include "presentation/view/WaveformViewForms.h"

namespace orlu {

FormRendererRegistry::Key FormRendererRegistry::KeyOf(std::uint8_t viewKind, FormChoice form, RendererFamily family)
{
    return {viewKind, form, family ? static_cast<std::uint8_t>(*family) : kEveryFamily};
}

FormRendererRegistry::Entry& FormRendererRegistry::Replace(std::uint8_t viewKind, FormChoice form,
                                                           RendererFamily family)
{
    Entry& entry = m_Renderers[KeyOf(viewKind, form, family)];
    entry = {};
    return entry;
}

const FormRendererRegistry::Entry* FormRendererRegistry::At(std::uint8_t viewKind, FormChoice form,
                                                            RendererFamily family) const
{
    auto it = m_Renderers.find(KeyOf(viewKind, form, family));
    if (it == m_Renderers.end() && family)
        it = m_Renderers.find(KeyOf(viewKind, form, {}));
    return it == m_Renderers.end() ? nullptr : &it->second;
}

void FormRendererRegistry::Register(std::uint8_t viewKind, FormChoice form, FormRenderer renderer,
                                    RendererFamily family)
{
    Replace(viewKind, form, family).lines = std::move(renderer);
}

void FormRendererRegistry::RegisterGraphData(std::uint8_t viewKind, GraphDataRenderer renderer, RendererFamily family)
{
    m_GraphData[{viewKind, family ? static_cast<std::uint8_t>(*family) : kEveryFamily}] = std::move(renderer);
}

const GraphDataRenderer* FormRendererRegistry::FindGraphData(std::uint8_t viewKind, RendererFamily family) const
{
    auto it = m_GraphData.end();
    if (family)
        it = m_GraphData.find({viewKind, static_cast<std::uint8_t>(*family)});
    if (it == m_GraphData.end())
        it = m_GraphData.find({viewKind, kEveryFamily});
    return it == m_GraphData.end() ? nullptr : &it->second;
}

void FormRendererRegistry::RegisterLineSource(std::uint8_t viewKind, FormChoice form, LineSourceRenderer renderer)
{
    Replace(viewKind, form).source = std::move(renderer);
}

void FormRendererRegistry::RegisterLongForm(std::uint8_t viewKind, FormChoice form, LongFormRenderer renderer,
                                            LongSourceRenderer source)
{
    Entry& entry = Replace(viewKind, form);
    entry.longForm = std::move(renderer);
    entry.longSource = std::move(source);
}

const FormRenderer* FormRendererRegistry::Find(std::uint8_t viewKind, FormChoice form, RendererFamily family) const
{
    const Entry* entry = At(viewKind, form, family);
    if (family && !(entry && entry->lines))
        entry = At(viewKind, form);
    return entry && entry->lines ? &entry->lines : nullptr;
}

const LineSourceRenderer* FormRendererRegistry::FindLineSource(std::uint8_t viewKind, FormChoice form) const
{
    const Entry* entry = At(viewKind, form);
    return entry && entry->source ? &entry->source : nullptr;
}

const LongFormRenderer* FormRendererRegistry::FindLongForm(std::uint8_t viewKind, FormChoice form) const
{
    const Entry* entry = At(viewKind, form);
    return entry && entry->longForm ? &entry->longForm : nullptr;
}

const LongSourceRenderer* FormRendererRegistry::FindLongSource(std::uint8_t viewKind, FormChoice form) const
{
    const Entry* entry = At(viewKind, form);
    return entry && entry->longSource ? &entry->longSource : nullptr;
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
};

} // namespace

void RegisterReportRenderers(FormRendererRegistry& registry)
{
    for (const RendererRow& row : kRenderers)
        registry.Register(row.viewKind, row.form, FromDocumentRenderer(row.render, row.unitSlot));
    registry.RegisterLineSource(kViewHexa, FormChoice::Hex, [](CTmDoc& doc) {
        return SourceLines{std::make_shared<HexDumpLines>(doc), HexDumpLines::kLineWidth};
    });
    registry.RegisterLongForm(kViewAscii, FormChoice::Ascii,
                              [](const CTmDoc& doc, LineSink& out, UserInteraction& ui, ProgressState& progress) {
                                  WriteAsciiForm(doc, out, ui, &progress);
                              },
                              [](const CTmDoc& doc, UserInteraction& ui, ProgressState& progress) {
                                  auto lines = std::make_shared<AsciiFormLines>(doc, ui, &progress);
                                  const int widest = lines->Widest();
                                  return SourceLines{std::move(lines), widest};
                              });
    RegisterMainResultsForms(registry);
    RegisterHeaderInfoForms(registry);
    RegisterBufferViewForms(registry);
    RegisterStatisticsViewForms(registry);
    RegisterStatistics505ViewForms(registry);
    RegisterUserFilterViewForms(registry);
    RegisterOctaveViewForms(registry);
    RegisterIntersectionViewForms(registry);
    RegisterWaveformViewForms(registry);
    RegisterSpectraViewForms(registry);
    // Last: the MONITOR forms stand in front of every family's forms of their kinds.
    RegisterMonitorForms(registry);
}

void SayNotAvailable(FormRequest& request)
{
    std::string line(kFormNotAvailableText);
    AddLine(request.Lines, line, &request.WidestLine);
}

} // namespace orlu
