#include "presentation/AsciiRenderer.h"

#include "analysis/spectra/FftSpectrumReader.h"
#include "analysis/spectra/Octave505Forms.h"
#include "analysis/spectra/OctaveSpectra.h"
#include "document/ViewKind.h"
#include "document/ViewMask.h"
#include "document/container/FileKindCode.h"
#include "document/image/PagedFileImage.h"
#include "presentation/view/FormBuilder.h"
#include "presentation/view/TextFormLayout.h"
#include "presentation/view/ViewSelection.h"

#include <algorithm>
#include <climits>

namespace orlu {
namespace {

constexpr std::uint8_t kKindMeter505 = 3;
constexpr std::uint8_t kKindAnalyzer505 = 4;
constexpr std::uint8_t kFirstCurrentKind = 42;
constexpr std::uint8_t kLastCurrentKind = 49;
constexpr int kMostChannels = 16;

bool IsCurrentKind(std::uint8_t kind)
{
    return kind >= kFirstCurrentKind && kind <= kLastCurrentKind;
}

bool Is505Document(const CTmDoc& doc)
{
    return doc.FileKind() == kKindMeter505 || doc.FileKind() == kKindAnalyzer505;
}

bool IsFourChannelDocument(const CTmDoc& doc)
{
    return doc.HeaderDecoded() && doc.Header().model.FourChannel;
}

/// The channels the spectra and octave loops visit: every channel of an ORLU
/// 505 or four-channel file, else channel 1 alone.
int LoopChannels(const CTmDoc& doc)
{
    if (!Is505Document(doc) && !IsFourChannelDocument(doc))
        return 1;
    const int channels = doc.AnalyzerDecoded() ? doc.Analyzer().channelCount : ChannelCountOf(doc);
    return std::clamp(channels, 1, kMostChannels);
}

} // namespace

bool AsciiContentAvailable(const CTmDoc& doc, int content)
{
    const std::uint32_t mask = doc.GetViewMask();
    switch (ViewKindOfAsciiContent(content)) {
    case kViewAscii:
        return true;
    case kViewMainResults:
        // Files of the other units that hold a time history have no Main results table.
        return doc.FileKind() == kKindMeter505 ||
               (IsCurrentKind(doc.FileKind()) && !(doc.HeaderDecoded() && doc.Header().timeHistory));
    case kViewSpectra:
        return (mask & kViewMaskSpectra) != 0;
    case kViewOctaves:
        return (mask & kViewMaskOctave11) != 0;
    case kViewThirdOctaves:
        return (mask & kViewMaskOctave13) != 0;
    case kViewWaveforms:
        return (mask & kViewMaskWaveforms) != 0;
    default:
        return false;
    }
}

AsciiRenderer::AsciiRenderer()
{
    RegisterReportRenderers(m_Renderers);
}

void AsciiRenderer::Render(CTmDoc& doc, const AsciiChoices& choices, LineList& lines, std::int32_t& widest) const
{
    const std::uint8_t kind = ViewKindOfAsciiContent(choices.content);
    AppSettings settings;
    settings.DecyPoint = choices.decimal;
    settings.SeparatorChar = choices.separator;
    settings.ScFormForMR = choices.tableForm;
    const FormBuilder builder(m_Renderers, settings);
    if (kind == kViewAscii) {
        // The whole file as its ASCII view, never with the header.
        MeasurementViewState view;
        OpenView(view, doc);
        LineListSink sink(lines, &widest);
        builder.StreamLongForm(view, doc, kViewAscii, FormChoice::Ascii, sink);
        return;
    }
    const std::uint8_t fileKind = doc.FileKind();
    if (choices.header && (fileKind == kKindMeter505 || fileKind == kKindAnalyzer505 || IsCurrentKind(fileKind))) {
        MeasurementViewState view;
        view.SelectedChannels = HeaderChannelMask(doc);
        InsertHeaderLines(m_Renderers, view, doc, choices.decimal, lines, &widest);
    }
    const TableOutputOptions options{choices.tableForm, choices.decimal, choices.separator};
    switch (kind) {
    case kViewMainResults: {
        // The view's own table form, as the user sees it with the same options.
        MeasurementViewState view;
        OpenView(view, doc);
        builder.ShowKindInForm(view, doc, kViewMainResults, FormChoice::Table);
        const LineSource& shown = view.ShownLines();
        std::string buffer;
        for (std::size_t i = 0; i < shown.LineCount(); ++i) {
            std::string line(LineText(shown.Line(i, buffer)));
            AddLine(lines, line, &widest);
        }
        break;
    }
    case kViewSpectra:
        RenderSpectra(doc, options, lines, widest);
        break;
    case kViewOctaves:
    case kViewThirdOctaves:
        RenderOctaves(doc, kind, options, lines, widest);
        break;
    case kViewWaveforms: {
        MeasurementViewState view;
        view.ViewKind = kViewWaveforms;
        view.SelectedChannels = 1;
        RenderOnce(doc, view, options, lines, widest);
        break;
    }
    default:
        break;
    }
}

void AsciiRenderer::RenderSpectra(CTmDoc& doc, const TableOutputOptions& options, LineList& lines,
                                  std::int32_t& widest) const
{
    const int channels = LoopChannels(doc);
    for (int channel = 0; channel < channels; ++channel) {
        FftWorkspace probe;
        FftSpectrumRequest request;
        request.channelA = request.channelB = channel;
        request.window = 1;
        const auto first = ReadFftSpectrum(doc, probe, request);
        if (!first)
            continue; // a channel without spectra
        for (int record = 1; record <= first->records; ++record) {
            MeasurementViewState view;
            view.ViewKind = kViewSpectra;
            view.Spectra.Record = record;
            view.Spectra.ChannelA = view.Spectra.ChannelB = static_cast<std::uint16_t>(channel + 1);
            view.Spectra.Window = 1;
            RenderOnce(doc, view, options, lines, widest);
        }
    }
}

void AsciiRenderer::RenderOctaves(CTmDoc& doc, std::uint8_t viewKind, const TableOutputOptions& options,
                                  LineList& lines, std::int32_t& widest) const
{
    const int octave = viewKind == kViewOctaves ? kOctaves : kThirdOctaves;
    const bool fourChannel = IsFourChannelDocument(doc);
    const int channels = LoopChannels(doc);
    for (int channel = 0; channel < channels; ++channel) {
        const auto mask = static_cast<std::uint16_t>(1u << channel);
        // A four-channel file has one spectrum per channel; others number theirs as records.
        int records = 0;
        if (FindFileKind(doc.FileKind()).Family == KindFamily::Setup505) {
            records = static_cast<int>(std::min<std::uint32_t>(SpectrumRecordCount505(doc), INT_MAX));
        } else {
            const OctaveRequest listing{!fourChannel, 1, 0, mask};
            records = static_cast<int>(ListSpectra(doc, listing, octave).size());
        }
        for (int record = 1; record <= (fourChannel ? std::min(records, 1) : records); ++record) {
            MeasurementViewState view;
            view.ViewKind = viewKind;
            view.SelectedChannels = mask;
            view.SubFileNumber = record;
            RenderOnce(doc, view, options, lines, widest);
        }
    }
}

void AsciiRenderer::RenderOnce(CTmDoc& doc, MeasurementViewState& view, const TableOutputOptions& options,
                               LineList& lines, std::int32_t& widest) const
{
    const FormRenderer* renderer =
        m_Renderers.Find(view.ViewKind, FormChoice::Table, FindFileKind(doc.FileKind()).Family);
    if (!renderer)
        return;
    std::uint8_t content = 0;
    FormRequest request{doc, view, options, lines, widest, content};
    try {
        (*renderer)(request);
    } catch (const ImageRangeError&) {
        // A report that meets the end of the file keeps the lines it wrote.
    }
}

} // namespace orlu
