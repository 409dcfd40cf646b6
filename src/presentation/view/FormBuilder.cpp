#include "presentation/view/FormBuilder.h"

#include "document/container/FileKindCode.h"
#include "document/PackedLines.h"
#include "document/image/PagedFileImage.h"
#include "presentation/view/GraphFormBuilder.h"
#include "presentation/view/TextFormLayout.h"
#include "presentation/view/ViewCommandRules.h"
#include "presentation/view/ViewKindChannels.h"
#include "presentation/view/ViewSelection.h"

#include <vector>

namespace orlu {
namespace {

using namespace form_flags;

// The table builder writes the table's dates in the instrument's own order.
constexpr std::uint32_t kInstrumentDateLayout = 2;

void AddText(LineList& lines, std::string_view text, std::int32_t* widest)
{
    std::string line(text);
    AddLine(lines, line, widest);
}

// The header goes above the tables of single files: legacy, 505 and current
// family. A Multifile's sub-files and a MONITOR file have no one header for it.
bool TakesInsertedHeader(std::uint8_t fileKind)
{
    const FileKindInfo info = FindFileKind(fileKind);
    const bool family = info.Family == KindFamily::Legacy || info.Family == KindFamily::Setup505 ||
                        info.Family == KindFamily::Current;
    return family && (info.Traits & kKindMultifile) == 0;
}

} // namespace

void InsertHeaderLines(const FormRendererRegistry& renderers, MeasurementViewState& view, CTmDoc& doc,
                       std::uint8_t decimalIndex, LineList& out, std::int32_t* widest)
{
    const FormRenderer* header = renderers.Find(kViewHeaderInfo, FormChoice::Text);
    if (!header)
        return;
    LineList headerLines;
    std::int32_t headerWidest = 0;
    std::uint8_t unusedContent = 0;
    FormRequest request{doc, view, {}, headerLines, headerWidest, unusedContent};
    (*header)(request);
    RewriteHeaderForTable(headerLines, decimalIndex, out, widest);
    AddText(out, "", widest);
}

bool KindHasTableForm(std::uint8_t viewKind)
{
    return viewKind != kViewSettings && viewKind != kViewHexa && viewKind != kViewHeaderInfo &&
           viewKind != kViewAscii && viewKind != kViewUserFilters;
}

void FormBuilder::UpdateForm(MeasurementViewState& view, CTmDoc& doc) const
{
    // One record makes no graph: a time history or time intersection of one record shows as text.
    const ViewDocumentFacts facts = FactsOf(doc);
    const bool graph = view.FormKind == kFormGraph || view.FormKind == kFormGraphKept;
    if (graph &&
        ((view.ViewKind == kViewBufferLogger && facts.timeHistoryRecords == 1) ||
         (view.ViewKind == kViewTimeIntersections && facts.spectrumRecords == 1)))
        view.FormKind = kFormText;
    if (view.ViewKind == kViewUserFilters)
        view.FormKind = kFormText;
    switch (view.FormKind) {
    case kFormText:
        BuildTextForm(view, doc);
        break;
    case kFormTable:
        view.TableVariant = view.TableVariantByKind[view.ViewKind % kViewKindCount];
        BuildTableForm(view, doc);
        break;
    default:
        BuildGraphForm(m_Renderers, view, doc);
        break;
    }
    // The band set the band index of octave forms now counts in.
    if (view.ViewKind == kViewOctaves || view.ViewKind == kViewThirdOctaves)
        view.OctaveIndexKind = view.ViewKind;
    else if (view.ViewKind == kViewTimeIntersections && view.BandKind == kBandOctave11)
        view.OctaveIndexKind = kViewOctaves;
    else if (view.ViewKind == kViewTimeIntersections && view.BandKind == kBandOctave13)
        view.OctaveIndexKind = kViewThirdOctaves;
    view.ShownViewKind = view.ViewKind;
}

void FormBuilder::BeginBuild(MeasurementViewState& view, std::uint32_t formBit) const
{
    // A rebuild collapses the marked block, unless a pitch change asked to keep it once.
    if (view.CollapseBlockOnBuild == 0)
        view.CollapseBlockOnBuild = 1;
    else
        view.BlockEnd = view.BlockAnchor;
    view.FormFlags = (view.FormFlags & ~kFormBits) | formBit;
    view.FormFlags = WithField(view.FormFlags, kClipDecimalShift, 1, m_Settings.ClipDecyPoint);
    view.FormFlags = WithField(view.FormFlags, kClipSeparatorShift, 3, m_Settings.ClipSeparatorChar);
    view.FormFlags = WithField(view.FormFlags, kClipDateShift, 3, m_Settings.ClipDateFormat);
    view.FormFlags = WithField(view.FormFlags, kBlockModeShift, 2, m_Settings.ClipBlockMarkMode);
}

void FormBuilder::EndBuild(MeasurementViewState& view)
{
    view.FirstLine = 0;
    view.FirstColumn = 0;
    view.TableVariantStepped = 0;
    // The lines keep the blocks of the form before for the next build; what
    // this one left unused (a short text after a long table) is given back.
    view.Lines.ReleaseSpare();
}

bool FormBuilder::Render(MeasurementViewState& view, CTmDoc& doc, FormChoice form,
                         const TableOutputOptions& options) const
{
    const FormRenderer* renderer = m_Renderers.Find(view.ViewKind, form, FindFileKind(doc.FileKind()).Family);
    if (!renderer)
        return false;
    view.Source.reset(); // the renderer fills Lines
    FormRequest request{doc, view, options, view.Lines, view.WidestLine, view.TableContentKind};
    bool metTheEnd = false;
    try {
        (*renderer)(request);
    } catch (const ImageRangeError&) {
        // A report that meets the end of a damaged file keeps the lines it wrote.
        metTheEnd = true;
    }
    // A page is never left empty without saying why.
    if (view.Lines.LineCount() == 0)
        AddText(view.Lines, metTheEnd ? kFormDamagedText : kFormEmptyText, &view.WidestLine);
    return true;
}

std::uint8_t FormBuilder::BuildGraphData(MeasurementViewState& view, CTmDoc& doc, PlotData& data) const
{
    const GraphDataRenderer* renderer = m_Renderers.FindGraphData(view.ViewKind, FindFileKind(doc.FileKind()).Family);
    if (!renderer)
        return 0;
    ClampAndLoadSubfile(view, doc);
    const std::uint16_t selected = view.SelectedChannels & ((1u << kMaxGraphPanels) - 1);
    std::uint8_t filled = 0;
    for (int panel = 0; panel < kMaxGraphPanels; ++panel) {
        if (selected ? !(selected & (1u << panel)) : panel > 0)
            continue;
        GraphDataRequest request{doc, view, data, panel};
        try {
            if ((*renderer)(request))
                filled = static_cast<std::uint8_t>(filled | (1u << panel));
        } catch (const ImageRangeError&) {
            // The panels before it keep their data.
        }
    }
    return filled;
}

void FormBuilder::BuildTextForm(MeasurementViewState& view, CTmDoc& doc) const
{
    ClampAndLoadSubfile(view, doc);
    BeginBuild(view, kText);
    view.FormKind = kFormText;
    // Hexa and ASCII have no text report: their lines stay as they are.
    if (view.ViewKind == kViewHexa || view.ViewKind == kViewAscii)
        return;
    if (!Render(view, doc, FormChoice::Text, {})) {
        view.ClearLines();
        AddText(view.Lines, kFormNotAvailableText, &view.WidestLine);
    }
    EndBuild(view);
}

void FormBuilder::OnTableForm(MeasurementViewState& view, CTmDoc& doc) const
{
    if (view.TableShown()) {
        ++view.TableVariant;
        view.TableVariantStepped = 1;
    }
    BuildTableForm(view, doc);
}

void FormBuilder::BuildTableForm(MeasurementViewState& view, CTmDoc& doc) const
{
    ClampAndLoadSubfile(view, doc);
    const bool wasTable = view.TableShown();
    BeginBuild(view, wasTable ? (view.FormFlags & kFormBits) : kTable);
    view.FormFlags = WithField(view.FormFlags, kDecimalShift, 1, m_Settings.DecyPoint);
    view.FormFlags = WithField(view.FormFlags, kSeparatorShift, 3, m_Settings.SeparatorChar);
    view.FormFlags = WithField(view.FormFlags, kDateLayoutShift, 3, kInstrumentDateLayout);
    view.FormKind = kFormTable;

    const std::uint8_t kindIndex = view.ViewKind % kViewKindCount;
    if (view.ViewKind == kViewMainResults)
        view.TableVariant = m_Settings.ScFormForMR;
    view.TableVariantByKind[kindIndex] = view.TableVariant;
    view.ClearLines();
    view.TableContentKind = 0;

    if (view.InsertHeaderInfo && TakesInsertedHeader(doc.FileKind()))
        InsertHeaderInfo(view, doc);
    const TableOutputOptions options{view.TableVariant, m_Settings.DecyPoint, m_Settings.SeparatorChar};
    if (KindHasTableForm(view.ViewKind) && !Render(view, doc, FormChoice::Table, options))
        AddText(view.Lines, kFormNotAvailableText, &view.WidestLine);
    EndBuild(view);
}

void FormBuilder::InsertHeaderInfo(MeasurementViewState& view, CTmDoc& doc) const
{
    InsertHeaderLines(m_Renderers, view, doc, m_Settings.DecyPoint, view.Lines, &view.WidestLine);
}

bool FormBuilder::RunLongForm(const LongFormRenderer& render, CTmDoc& doc, LineSink& out, LongFormRunner& runner)
{
    return runner.Run(
        kBuildingFormText,
        [&](UserInteraction& ui, ProgressState& progress) {
            try {
                render(doc, out, ui, progress);
            } catch (const ImageRangeError&) {
                // A form that meets the end of a damaged file keeps the lines it wrote.
            }
        },
        doc.Ui());
}

void FormBuilder::BuildFileForm(MeasurementViewState& view, CTmDoc& doc, FormChoice form) const
{
    const std::uint32_t formBit = form == FormChoice::Ascii ? kAscii : kHex;
    if (const LineSourceRenderer* source = m_Renderers.FindLineSource(view.ViewKind, form)) {
        BeginBuild(view, formBit);
        view.FormKind = kFormText;
        SourceLines lines = (*source)(doc);
        view.ShowSource(std::move(lines.Lines), lines.WidestLine);
        EndBuild(view);
        return;
    }
    if (const LongFormRenderer* longForm = m_Renderers.FindLongForm(view.ViewKind, form)) {
        // Built before the view changes: while it runs the view shows the form it had.
        SourceLines lines;
        bool built = false;
        if (const LongSourceRenderer* made = m_Renderers.FindLongSource(view.ViewKind, form)) {
            built = m_Runner->Run(
                kBuildingFormText,
                [&](UserInteraction& ui, ProgressState& progress) { lines = (*made)(doc, ui, progress); },
                doc.Ui());
        } else {
            auto packed = std::make_shared<PackedLines>();
            built = RunLongForm(*longForm, doc, *packed, *m_Runner);
            lines = {packed, packed->Widest()};
        }
        BeginBuild(view, formBit);
        view.FormKind = kFormText;
        if (built) {
            view.ShowSource(std::move(lines.Lines), lines.WidestLine);
        } else {
            view.ClearLines();
            AddText(view.Lines, kFormCancelledText, &view.WidestLine);
        }
        EndBuild(view);
        return;
    }
    BeginBuild(view, formBit);
    view.FormKind = kFormText;
    if (!Render(view, doc, form, {})) {
        view.ClearLines();
        AddText(view.Lines, kFormNotAvailableText, &view.WidestLine);
    }
    EndBuild(view);
}

bool FormBuilder::OnGraphForm(MeasurementViewState& view, CTmDoc& doc, bool modifierHeld) const
{
    return orlu::OnGraphForm(m_Renderers, view, doc, modifierHeld);
}

void FormBuilder::EnterKind(MeasurementViewState& view, CTmDoc& doc, const ViewCommand& command)
{
    view.SwitchPageState(command.page);
    view.ViewKind = command.kind;
    SelectKindChannels(view, doc, command);
    if (command.variant != StatVariant::None) {
        view.StatOctave0 = command.variant == StatVariant::Broadband;
        view.StatOctave1 = command.variant == StatVariant::Octave11;
        view.StatOctave2 = command.variant == StatVariant::Octave13;
    }
    ApplyKindChannels(view, KindChannelFactsOf(doc));
}

void FormBuilder::SelectViewKind(MeasurementViewState& view, CTmDoc& doc, const ViewCommand& command) const
{
    EnterKind(view, doc, command);
    if (command.kind == kViewHexa)
        BuildFileForm(view, doc, FormChoice::Hex);
    else if (command.kind == kViewAscii)
        BuildFileForm(view, doc, FormChoice::Ascii);
    else
        UpdateForm(view, doc);
    view.ShownViewKind = view.ViewKind;
}

void FormBuilder::OpenFirstForm(MeasurementViewState& view, CTmDoc& doc) const
{
    constexpr int kSettingsCommand = 32788;
    constexpr int kHexaCommand = 32778;
    constexpr int kMainResultsCommand = 32780;
    constexpr int kHeaderInfoCommand = 32781;
    constexpr std::uint8_t kSettingsFileKind = 2;
    const auto offers = [&doc](int command) { return (doc.GetViewMask() & ViewMaskBitOf(command)) != 0; };

    std::vector<int> candidates;
    if (doc.FileKind() == kSettingsFileKind && (doc.GetViewMask() & kViewMaskSettings))
        candidates.push_back(kSettingsCommand);
    for (const int command : {kHeaderInfoCommand, kMainResultsCommand})
        if (offers(command))
            candidates.push_back(command);
    candidates.push_back(kHexaCommand);
    for (const int command : candidates) {
        SelectViewKind(view, doc, *FindViewCommand(command));
        const LineSource& lines = view.ShownLines();
        std::string buffer;
        if (command == kHexaCommand || lines.LineCount() != 1 ||
            LineText(lines.Line(0, buffer)) != kFormNotAvailableText)
            return;
    }
}

void FormBuilder::SelectKind(MeasurementViewState& view, CTmDoc& doc, std::uint8_t viewKind) const
{
    for (const ViewCommand& command : ViewCommands()) {
        if (command.kind != viewKind)
            continue;
        EnterKind(view, doc, command);
        break;
    }
}

bool FormBuilder::StreamLongForm(MeasurementViewState& view, CTmDoc& doc, std::uint8_t viewKind, FormChoice form,
                                 LineSink& out) const
{
    const LongFormRenderer* longForm = m_Renderers.FindLongForm(viewKind, form);
    if (!longForm)
        return false;
    SelectKind(view, doc, viewKind);
    RunLongForm(*longForm, doc, out, m_InPlace);
    return true;
}

void FormBuilder::ShowKindInForm(MeasurementViewState& view, CTmDoc& doc, std::uint8_t viewKind,
                                 FormChoice form) const
{
    SelectKind(view, doc, viewKind);
    switch (form) {
    case FormChoice::Text: BuildTextForm(view, doc); break;
    case FormChoice::Table: BuildTableForm(view, doc); break;
    default: BuildFileForm(view, doc, form); break;
    }
    view.ShownViewKind = view.ViewKind;
}

void RewriteHeaderForTable(LineList& header, std::uint8_t decimalIndex, LineList& out, std::int32_t* widest)
{
    constexpr std::size_t kDotColumns = 32;
    constexpr std::size_t kCutLine = 5;
    constexpr std::size_t kCutLength = 44;
    for (std::size_t i = 0; i < header.Size(); ++i) {
        std::string line(LineText(header[i]));
        if (!line.empty() && line[0] == '-') {
            line.assign(line.size(), '_');
        } else {
            for (std::size_t c = 0; c < line.size(); ++c) {
                if (line[c] == ' ' || (line[c] == '.' && c < kDotColumns))
                    line[c] = '_';
                else if (line[c] == '.' && decimalIndex == 1)
                    line[c] = ',';
            }
        }
        if (i == kCutLine && line.size() > kCutLength)
            line.resize(kCutLength);
        AddLine(out, line, widest);
    }
}

} // namespace orlu
