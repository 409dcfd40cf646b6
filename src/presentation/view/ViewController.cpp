#include "presentation/view/ViewController.h"

#include "analysis/spectra/FftSpectrumReader.h"
#include "analysis/spectra/ReverbSource.h"
#include "document/CTmDoc.h"
#include "presentation/view/BufferBlockCommands.h"
#include "presentation/view/ChannelSelection.h"
#include "presentation/view/GraphCursor.h"
#include "presentation/view/GraphMarking.h"
#include "presentation/view/GraphNavigation.h"
#include "presentation/view/GraphStepping.h"
#include "presentation/view/GraphZoom.h"
#include "presentation/view/RtProcedure.h"
#include "presentation/view/TextFormLayout.h"
#include "presentation/view/ToolsCommands.h"
#include "presentation/view/UploadOffer.h"
#include "presentation/view/ViewCommandRules.h"
#include "presentation/view/ViewKindChannels.h"
#include "presentation/view/ViewSelection.h"

#include <algorithm>
#include <array>
#include <utility>

namespace orlu {
namespace {

struct NamedKey {
    std::string_view name;
    ViewKey key;
};

constexpr NamedKey kKeyNames[] = {
    {"N", ViewKey::N},         {"P", ViewKey::P},         {"Enter", ViewKey::Enter}, {"Esc", ViewKey::Esc},
    {"+", ViewKey::Plus},      {"-", ViewKey::Minus},     {"*", ViewKey::Star},      {"Up", ViewKey::Up},
    {"Down", ViewKey::Down},   {"Left", ViewKey::Left},   {"Right", ViewKey::Right}, {"Home", ViewKey::Home},
    {"End", ViewKey::End},     {"PgUp", ViewKey::PgUp},   {"PgDn", ViewKey::PgDn},
};

// The records a cursor of the kind shown stays below.
std::int32_t CursorRecords(const MeasurementViewState& view, const CTmDoc& doc)
{
    const ViewDocumentFacts facts = FactsOf(doc);
    if (view.ViewKind == kViewBufferLogger)
        return facts.timeHistoryRecords;
    if (view.ViewKind == kViewTimeIntersections)
        return facts.spectrumRecords;
    return 0;
}

CursorContext CursorContextOf(const MeasurementViewState& view, const CTmDoc& doc, const GraphGeometry* g)
{
    CursorContext context;
    context.total = view.Graph.PointCount;
    context.fittingPoints = view.Graph.WindowSize > 0 ? view.Graph.WindowSize : g ? g->pointCount : view.Graph.PointCount;
    context.pixelsPerPoint = std::max(1, view.Control.GraphScale * (g ? std::max(g->pixelsPerPoint, 1) : 1));
    context.records = CursorRecords(view, doc);
    context.tonality = KeepsTonalityCursor(view);
    return context;
}

// The dialog of a marked block offers what the view can do with it.
BlockOperationsModel BlockDialogFor(const MeasurementViewState& view, const CTmDoc& doc, bool showNow)
{
    BlockOperationsModel dialog;
    const bool multifileBuffer = view.ViewKind == kViewBufferLogger && IsMergedDocument(doc);
    dialog.m_DeleteEnabled = dialog.m_DeleteOutsideEnabled = dialog.m_SaveEnabled = multifileBuffer ? 0 : 1;
    dialog.m_RmsSelShown = 1;
    dialog.m_DrawOffered = {view.Control.TotalKinds ? 1 : 0, 1, 1, view.Control.LeqTotal ? 1 : 0};
    dialog.m_DrawChosen =
        view.ViewKind == kViewTimeIntersections ? view.Control.DrawInBlockTi : view.BlockResultSwitches;
    dialog.m_ShowNowCheck = showNow ? 1 : 0;
    dialog.Open();
    return dialog;
}

} // namespace

std::optional<ViewKey> ViewKeyNamed(std::string_view name)
{
    for (const NamedKey& k : kKeyNames)
        if (k.name == name)
            return k.key;
    if (name == "n")
        return ViewKey::N;
    if (name == "p")
        return ViewKey::P;
    return std::nullopt;
}

void ViewController::Rebuild()
{
    m_Builder.UpdateForm(m_View, m_Doc);
}

bool ViewController::Step(bool next, KeyModifiers keys)
{
    const StepFacts facts = StepFactsOf(m_Doc);
    const bool enabled = next ? UpdateNext(m_View, facts, keys) : UpdatePrevious(m_View, facts, keys);
    if (!enabled)
        return false;
    const bool moved = next ? ShowNext(m_View, facts, keys) : ShowPrevious(m_View, facts, keys);
    if (moved) {
        // A search that found no sub-file left the number for the clamp into the kind's sub-files.
        ClampAndLoadSubfile(m_View, m_Doc);
        Rebuild();
    }
    return moved;
}

bool ViewController::Command(int id, KeyModifiers keys)
{
    if (const ViewCommand* command = FindViewCommand(id)) {
        const std::optional<CommandUi> ui = ViewCommandState(id, m_View, FactsOf(m_Doc));
        if (ui && !ui->enabled)
            return false;
        // The text-only kinds are not built again when they are shown already.
        const bool textOnly = command->kind == kViewHeaderInfo || command->kind == kViewMainResults ||
                              command->kind == kViewSettings || command->kind == kViewHexa || command->kind == kViewAscii;
        if (!(textOnly && m_View.ViewKind == command->kind))
            m_Builder.SelectViewKind(m_View, m_Doc, *command);
        return true;
    }
    for (int n = 1; n <= 5; ++n) {
        if (id != kChannelCommands[n - 1])
            continue;
        if (!UpdateSelectChannel(m_View, ChannelFactsOf(m_Doc), n, keys).enabled)
            return false;
        SelectChannelButton(n, keys);
        return true;
    }
    switch (id) {
    case kPreviousCommand:
    case kNextCommand:
        // The toolbar button steps while it is down; a click is one press and release.
        m_Repeat.Tick(false);
        {
            const bool stepped = RepeatTick(id == kPreviousCommand, id == kNextCommand, keys);
            m_Repeat.Tick(false);
            return stepped;
        }
    case kPlotCommand: {
        const std::optional<CommandUi> ui = ViewCommandState(id, m_View, FactsOf(m_Doc));
        if (!ui || !ui->enabled)
            return false;
        const GraphFormAction action = OnGraphForm(m_View, keys.Any());
        if (action == GraphFormAction::Build) {
            m_View.FormKind = kFormGraph;
            Rebuild();
        }
        return action != GraphFormAction::None;
    }
    case kTextCommand:
        if (!ViewCommandState(id, m_View, FactsOf(m_Doc))->enabled)
            return false;
        m_View.FormKind = kFormText;
        m_Builder.BuildTextForm(m_View, m_Doc);
        return true;
    case kTableCommand:
        if (!ViewCommandState(id, m_View, FactsOf(m_Doc))->enabled)
            return false;
        m_View.FormKind = kFormTable;
        m_Builder.OnTableForm(m_View, m_Doc);
        return true;
    case kUnitsChangeCommand: {
        const ChannelFacts facts = ChannelFactsOf(m_Doc);
        if (!UnitsChangeEnabled(m_View, facts))
            return false;
        if (ChangeUnits(m_View, facts))
            Rebuild();
        return true;
    }
    case kZoomPlusCommand:
    case kZoomMinusCommand: return Zoom(id == kZoomMinusCommand);
    case kSpectraFunctionsCommand:
        if (m_View.ViewKind != kViewSpectra)
            return false;
        OpenSpectraFunctions();
        return true;
    case kMoreOptionsCommand:
        if (!(m_View.GraphShown() && !m_View.MultiElement && HasGraphForm(m_View.ViewKind)))
            return false;
        if (!MoreOptions())
            m_Dialogs.RunMoreOptions();
        return true;
    case kViewOptionsCommand:
    case kViewOptionsMenuCommand: return ViewOptions();
    default: break;
    }
    if (ToolsCommand(id))
        return true;
    if (std::find(BufferToolCommands().begin(), BufferToolCommands().end(), id) != BufferToolCommands().end()) {
        switch (RunBufferTool(id, m_View, m_Doc)) {
        case ViewRefresh::Rebuild: Rebuild(); break;
        case ViewRefresh::TextForm:
            m_View.FormKind = kFormText;
            m_Builder.BuildTextForm(m_View, m_Doc);
            break;
        default: break;
        }
        return true;
    }
    return false;
}

void ViewController::SelectChannelButton(int n, KeyModifiers keys)
{
    const ChannelFacts facts = ChannelFactsOf(m_Doc);
    ChannelOutcome outcome = SelectChannel(m_View, facts, n, keys);
    if (outcome == ChannelOutcome::TableChannels) {
        const auto bit = static_cast<std::uint16_t>(1u << (n - 1));
        const std::optional<std::uint16_t> mask =
            m_Dialogs.RunTableChannels(m_View.AvailableChannels, static_cast<std::uint16_t>(m_View.SelectedChannels | bit));
        outcome = mask ? FinishTableChannels(m_View, facts, n, *mask) : ChannelOutcome::None;
    }
    if (outcome == ChannelOutcome::SpectraFunctions)
        OpenSpectraFunctions();
    else if (outcome == ChannelOutcome::Rebuild)
        Rebuild();
}

void ViewController::OpenSpectraFunctions()
{
    SpectraFunctionsModel dialog;
    const BandLayout bands = BandLayoutOf(m_Doc);
    // An ORLU 505 Time file has no band kind of the current files: its waveforms are the samples.
    const bool waveforms = SpectraFromWaveforms(m_Doc);
    dialog.TimeSamples = waveforms || bands.documentBandKind == kBandWaveform ? 1 : 0;
    dialog.ChannelCount = waveforms ? m_Doc.Analyzer().channelCount
                                    : static_cast<std::uint16_t>(std::max(0, ChannelCountOf(m_Doc)));
    SpectraViewChoices& s = m_View.Spectra;
    dialog.DlgChannelA = s.ChannelA;
    dialog.DlgChannelB = s.ChannelB;
    dialog.DlgFunction = s.Function;
    dialog.DlgForm = s.OutputForm;
    dialog.AcceptAtOnce = m_Settings.Imm2SpFunAccept != 0;
    dialog.OneSpectrumOnly = m_View.Control.OneChannelFunctions;
    dialog.DlgChannelMask = m_View.SelectedChannels;
    dialog.Open();
    m_Dialogs.RunSpectraFunctions(dialog);
    m_Settings.Imm2SpFunAccept = dialog.AcceptAtOnce ? 1 : 0;
    if (dialog.DlgFunction == 0)
        return;
    s.ChannelA = dialog.DlgChannelA;
    s.ChannelB = dialog.DlgChannelB;
    s.Function = dialog.DlgFunction;
    s.OutputForm = dialog.DlgForm;
    m_View.ChannelNumber =
        static_cast<std::int16_t>(s.Function == 1 || s.Function == 3 ? dialog.DlgChannelA : dialog.DlgChannelB);
    m_View.Control.OneChannelFunctions = dialog.OneSpectrumOnly;
    m_View.SelectedChannels = dialog.DlgChannelMask;
    m_View.ShownViewKind = 254;
    Rebuild();
}

namespace {

ZoomFacts ZoomFactsOf(const MeasurementViewState& view, CTmDoc& doc)
{
    const ViewDocumentFacts facts = FactsOf(doc);
    return ZoomFactsFor(view, BandLayoutOf(doc).values,
                        view.ViewKind == kViewTimeIntersections ? facts.spectrumRecords : facts.timeHistoryRecords,
                        view.Spectra.TonalityShown != 0);
}

} // namespace

bool ViewController::ZoomEnabled(bool minus) const
{
    if (m_Geometry == nullptr)
        return false;
    const ZoomFacts zoom = ZoomFactsOf(m_View, m_Doc);
    return minus ? ZoomMinusEnabled(m_View, *m_Geometry, zoom) : ZoomPlusEnabled(m_View, *m_Geometry, zoom);
}

bool ViewController::Zoom(bool minus)
{
    if (!ZoomEnabled(minus))
        return false;
    const ZoomFacts zoom = ZoomFactsOf(m_View, m_Doc);
    const bool changed = minus ? ZoomMinus(m_View, *m_Geometry, zoom) : ZoomPlus(m_View, *m_Geometry, zoom);
    if (changed)
        Rebuild();
    return changed;
}

void ViewController::Key(ViewKey key, KeyModifiers keys)
{
    switch (key) {
    case ViewKey::N: Step(true, keys); return;
    case ViewKey::P: Step(false, keys); return;
    default: break;
    }
    if (m_View.LinesShown()) {
        ScrollKey(key);
        return;
    }
    if (!m_View.GraphShown())
        return;
    const CursorContext cursor = CursorContextOf(m_View, m_Doc, m_Geometry);
    auto move = [&](CursorAction action) {
        MoveCursor(m_View, action, m_View.CursorIndex, CursorMode::Keyboard, keys.ctrl, cursor);
    };
    auto stepRecord = [&](RecordStep step) {
        if (StepRecord(m_View, step, keys.ctrl))
            Rebuild();
    };
    switch (key) {
    case ViewKey::Enter:
        if (!ReverbKey(key))
            MarkAtCursor();
        break;
    case ViewKey::Esc:
        if (!ReverbKey(key))
            StepMarkerBack(m_View);
        break;
    case ViewKey::Star:
        if (ResetLevelScale(m_View))
            Rebuild();
        break;
    case ViewKey::Plus:
    case ViewKey::Minus:
        if (StepLevelScale(m_View, key == ViewKey::Plus, keys.shift, false))
            Rebuild();
        break;
    case ViewKey::Up:
    case ViewKey::Down:
        // With Shift or Ctrl the arrows go to the toolbar's Previous and Next, which step by their repetition.
        if (!keys.shift && !keys.ctrl)
            stepRecord(key == ViewKey::Up ? RecordStep::Next : RecordStep::Previous);
        break;
    case ViewKey::PgUp: stepRecord(RecordStep::NextFive); break;
    case ViewKey::PgDn: stepRecord(RecordStep::PreviousFive); break;
    case ViewKey::Left: move(CursorAction::Left); break;
    case ViewKey::Right: move(CursorAction::Right); break;
    case ViewKey::Home: move(CursorAction::Home); break;
    case ViewKey::End: move(CursorAction::End); break;
    default: break;
    }
}

void ViewController::ScrollKey(ViewKey key)
{
    struct KeyScroll {
        ViewKey key;
        bool vertical;
        ScrollCode code;
    };
    static constexpr KeyScroll kScrolls[] = {
        {ViewKey::Up, true, ScrollCode::LineUp},     {ViewKey::Down, true, ScrollCode::LineDown},
        {ViewKey::PgUp, true, ScrollCode::PageUp},   {ViewKey::PgDn, true, ScrollCode::PageDown},
        {ViewKey::Home, true, ScrollCode::Top},      {ViewKey::End, true, ScrollCode::Bottom},
        {ViewKey::Left, false, ScrollCode::LineUp},  {ViewKey::Right, false, ScrollCode::LineDown},
    };
    for (const KeyScroll& s : kScrolls)
        if (s.key == key)
            ScrollText(m_View, s.vertical, s.code, 0, TextScrollRanges(m_View, m_ClientWidth, m_ClientHeight));
}

void ViewController::MarkAtCursor()
{
    switch (orlu::MarkAtCursor(m_View, m_Settings.ImmShowBO != 0)) {
    case MarkOutcome::Rebuild: Rebuild(); break;
    case MarkOutcome::BlockDialog: RunBlockDialog(); break;
    default: break;
    }
}

void ViewController::RunBlockDialog()
{
    BlockOperationsModel dialog = BlockDialogFor(m_View, m_Doc, m_Settings.ImmShowBO != 0);
    m_Dialogs.RunBlockOperations(dialog);
    // The choice of results and the check box are kept whatever ended the dialog.
    if (m_View.ViewKind == kViewTimeIntersections)
        m_View.Control.DrawInBlockTi = dialog.m_DrawChosen;
    else
        m_View.BlockResultSwitches = dialog.m_DrawChosen;
    m_Settings.ImmShowBO = static_cast<std::uint8_t>(dialog.m_ShowNowCheck ? 1 : 0);
    int command = 0;
    switch (dialog.m_Action) {
    case kBlockRemoveMarkers:
        m_View.MarkState = 0;
        m_View.MarkedRange = {0, 0};
        SaveKindMarker(m_View);
        return;
    case kBlockDelete: command = kDeleteBlockCommand; break;
    case kBlockDeleteOutside: command = kDeleteOutsideBlockCommand; break;
    case kBlockSave: command = kSaveBlockCommand; break;
    case kBlockDraw:
        SaveKindMarker(m_View);
        Rebuild();
        return;
    default: return;
    }
    switch (RunBufferTool(command, m_View, m_Doc)) {
    case ViewRefresh::Rebuild:
        SaveKindMarker(m_View);
        m_View.ShownViewKind = 254;
        Rebuild();
        break;
    case ViewRefresh::TextForm:
        SaveKindMarker(m_View);
        m_View.FormKind = kFormText;
        m_Builder.BuildTextForm(m_View, m_Doc);
        break;
    default: break;
    }
}

bool ViewController::HitPanel(int x, int y, bool move)
{
    const GraphGeometry* g = m_Geometry ? m_Geometry : m_View.PageGeometry;
    if (!m_View.GraphShown() || g == nullptr || g->pixelsPerPoint <= 0)
        return false;
    if (m_View.MultiElement && m_View.ViewKind != kViewTimeIntersections)
        return false;
    const std::int64_t s = std::max(1, m_View.Control.GraphScale);
    std::int64_t top = s * (m_View.GraphScroll.y + g->topMargin);
    std::int64_t bottom = top + s * g->plotHeight;
    for (int i = 0; i < m_View.Graph.PanelCount; ++i) {
        if (y >= top && y <= bottom) {
            if (move) {
                const std::int64_t point = (x - s * (m_View.GraphScroll.x + g->leftMargin)) / (s * g->pixelsPerPoint);
                MoveCursor(m_View, CursorAction::Left, static_cast<std::int32_t>(point), CursorMode::Mouse, false,
                           CursorContextOf(m_View, m_Doc, g));
            }
            return true;
        }
        top += m_View.Control.GraphHeight;
        bottom += m_View.Control.GraphHeight;
    }
    return false;
}

void ViewController::LeftButton(bool down, int x, int y)
{
    m_View.Control.LeftButtonHeld = down;
    m_View.Control.MousePoint = {x, y};
    if (down)
        HitPanel(x, y, true);
}

void ViewController::Click(int x, int y)
{
    LeftButton(true, x, y);
    LeftButton(false, x, y);
}

void ViewController::RightButton()
{
    if (m_View.GraphShown() && !m_View.MultiElement && HasGraphForm(m_View.ViewKind))
        m_Dialogs.RunMoreOptions();
}

void ViewController::DoubleClick(int x, int y)
{
    const GraphGeometry* g = m_Geometry ? m_Geometry : m_View.PageGeometry;
    const std::uint8_t kind = m_View.ViewKind;
    const bool marks = kind == kViewHistograms || (kind >= kViewDensities && kind <= kViewTimeIntersections);
    if (!m_View.GraphShown() || g == nullptr || !marks || m_View.Control.RtMode)
        return;
    const std::int64_t s = std::max(1, m_View.Control.GraphScale);
    const std::int64_t left = s * (m_View.GraphScroll.x + g->leftMargin);
    const std::int64_t right = left + static_cast<std::int64_t>(g->pointCount) * g->pixelsPerPoint * s;
    (void)y;
    if (x > left && x < right)
        MarkAtCursor();
}

void ViewController::Wheel(int delta)
{
    if (!m_View.LinesShown())
        return;
    const TextScrollInfo info = TextScrollRanges(m_View, m_ClientWidth, m_ClientHeight);
    if (info.vMax > info.vPage)
        ScrollText(m_View, true, delta < 0 ? ScrollCode::LineDown : ScrollCode::LineUp, 0, info);
    else if (info.hMax > info.hPage)
        ScrollText(m_View, false, delta <= 0 ? ScrollCode::LineDown : ScrollCode::LineUp, 0, info);
}

bool ViewController::RepeatTick(bool previousHeld, bool nextHeld, KeyModifiers keys)
{
    const ViewPoint mouse = m_View.Control.MousePoint;
    const bool plotHeld = m_View.Control.LeftButtonHeld && HitPanel(mouse.x, mouse.y, false);
    if (!m_Repeat.Tick(previousHeld || nextHeld || plotHeld))
        return false;
    m_Repeat.SetBusy(true);
    if (previousHeld)
        Step(false, keys);
    else if (nextHeld)
        Step(true, keys);
    else
        HitPanel(mouse.x, mouse.y, true);
    m_Repeat.SetBusy(false);
    return true;
}

// The Tools commands, View options, More options and the reverberation
// procedure, with the document reached through the controller.
namespace {

class ControllerToolsEffects : public ToolsEffects {
public:
    ControllerToolsEffects(MeasurementViewState& view, CTmDoc& doc, AppSettings& settings, const FormBuilder& builder,
                           const CursorContext& cursor)
        : m_View(view), m_Doc(doc), m_Settings(settings), m_Builder(builder), m_Cursor(cursor)
    {
    }
    void Rebuild() override { m_Builder.UpdateForm(m_View, m_Doc); }
    // The reverberation records are those of the first channel.
    void ComputeReverbTime(bool smoothed, int bandKind) override
    {
        orlu::ComputeReverbTime(m_Doc, 0, smoothed, bandKind);
    }
    void ClearRtRecords(int bandKind) override
    {
        RtBandSet& set = m_Doc.Rt(bandKind == kReverbOctaves ? CTmDoc::kRtOctave : CTmDoc::kRtThirdOctave);
        if (!set.Current || set.CurrentBytes < kRtBandRecordSize)
            return;
        const std::span<std::uint8_t> records(set.Current, set.CurrentBytes);
        ClearRtBandRecords(records, GetRtField<double>(records, rtrec::kTimeStep));
    }
    void ToggleGraphAutoScale() override { m_Settings.GraphAutoScale = m_Settings.GraphAutoScale ? 0 : 1; }
    void Invalidate() override {}
    void MoveCursor(std::int32_t record, bool) override
    {
        orlu::MoveCursor(m_View, CursorAction::ToPoint, record, CursorMode::Absolute, false, m_Cursor);
    }

private:
    MeasurementViewState& m_View;
    CTmDoc& m_Doc;
    AppSettings& m_Settings;
    const FormBuilder& m_Builder;
    CursorContext m_Cursor;
};

ToolsDocumentFacts ToolsFactsOf(const MeasurementViewState& view, CTmDoc& doc, const AppSettings& settings)
{
    ToolsDocumentFacts facts;
    AddUploadFacts(facts, doc, settings);
    facts.bandKind = view.BandKind;
    const ViewDocumentFacts viewFacts = FactsOf(doc);
    facts.tonality = (viewFacts.modelFlags & 0b10100) != 0 && view.Spectra.Band == 2;
    for (const int kind : {kReverbOctaves, kReverbThirdOctaves}) {
        const std::optional<ReverbSource> source = ReverbSourceOf(doc, kind, 0);
        if (!source)
            continue;
        if (kind == view.BandKind)
            facts.hasProfiles = true;
        const auto last = static_cast<std::int32_t>(source->bands) - 1;
        const std::int32_t totals = static_cast<std::int32_t>(source->totalNames.size());
        facts.rtRange[kind == kReverbOctaves ? 0 : 1] = {0, std::max(0, last - totals), last - totals + 1};
    }
    facts.impulseAnalysis = BufferToolState(kImpulsesOffCommand, view, doc).value_or(CommandUi{false, false}).enabled;
    facts.embeddedBuffer = CanExtractBuffer(doc);
    facts.multifileSubfile = CanExtractSingleFile(view, doc);
    facts.graphAutoScale = settings.GraphAutoScale != 0;
    return facts;
}

} // namespace

std::optional<CommandUi> ViewController::ToolsState(int id) const
{
    return ToolsCommandState(id, m_View, ToolsFactsOf(m_View, m_Doc, m_Settings));
}

bool ViewController::ToolsCommand(int id)
{
    if (id == kUploadCommand) {
        // Sending needs the application's link; where there is none the command is not run.
        const auto& upload = m_Doc.App().UploadDocument;
        if (!upload || !UploadOffered(m_Doc, m_Settings))
            return false;
        upload(m_Doc);
        return true;
    }
    if (id == kExtractBufferCommand)
        return ExtractBuffer(m_Doc);
    if (id == kExtractSingleFileCommand)
        return ExtractSingleFile(m_View, m_Doc);
    const ToolsDocumentFacts facts = ToolsFactsOf(m_View, m_Doc, m_Settings);
    if (!ToolsCommandState(id, m_View, facts))
        return false;
    ControllerToolsEffects effects(m_View, m_Doc, m_Settings, m_Builder, CursorContextOf(m_View, m_Doc, m_Geometry));
    UserInteraction* ui = m_Ui ? m_Ui : m_Doc.App().Ui;
    return ui && RunToolsCommand(id, m_View, facts, *ui, effects);
}

bool ViewController::ReverbKey(ViewKey key)
{
    if (m_View.Control.RtMode == 0 || m_View.ViewKind != kViewTimeIntersections || !m_View.GraphShown())
        return false;
    const std::optional<ReverbSource> source = ReverbSourceOf(m_Doc, m_View.BandKind, 0);
    const std::span<std::uint8_t> record = ShownRtRecord(m_View, m_Doc);
    if (!source || record.empty())
        return false;
    RtProcedureContext rt;
    rt.record = record;
    rt.bandRecords = ReverbRecords(m_Doc, *source);
    rt.windowSize = m_View.Graph.WindowSize > 0 ? m_View.Graph.WindowSize : (m_Geometry ? m_Geometry->pointCount : 1);
    ControllerToolsEffects effects(m_View, m_Doc, m_Settings, m_Builder, CursorContextOf(m_View, m_Doc, m_Geometry));
    UserInteraction* ui = m_Ui ? m_Ui : m_Doc.App().Ui;
    if (key == ViewKey::Esc)
        return RtEscape(m_View, rt, effects);
    return ui && RtEnter(m_View, rt, *ui, effects);
}

bool ViewController::ViewOptions()
{
    if (!m_OptionDialogs)
        return false;
    const ViewDocumentFacts viewFacts = FactsOf(m_Doc);
    ViewOptionsFacts facts;
    facts.fileKind = viewFacts.fileKind;
    facts.channelMode = viewFacts.channelMode;
    facts.modelFamilies = viewFacts.modelFlags;
    facts.tonality = (viewFacts.modelFlags & 0b10100) != 0 && m_View.Spectra.Band == 2;
    facts.timeHistory = viewFacts.timeHistoryRecords > 0;
    facts.levelsInViewMask = (viewFacts.viewMask & 4u) != 0;
    facts.bounds.spectra = viewFacts.spectrumRecords;
    // The document keeps no level numbers of its own: the program's ten levels serve.
    facts.levels = nullptr;
    switch (RunViewOptions(m_View, facts, m_Settings, *m_OptionDialogs)) {
    case ViewOptionsOutcome::BuildGraph: Rebuild(); break;
    case ViewOptionsOutcome::BuildText:
        m_View.FormKind = kFormText;
        m_Builder.BuildTextForm(m_View, m_Doc);
        break;
    case ViewOptionsOutcome::BuildTable:
        m_View.FormKind = kFormTable;
        m_Builder.OnTableForm(m_View, m_Doc);
        break;
    default: break;
    }
    return true;
}

bool ViewController::MoreOptions()
{
    // Without a geometry of its own the controller works on the page's, which is the view's record.
    GraphGeometry* geometry = m_Geometry ? m_Geometry : const_cast<GraphGeometry*>(m_View.PageGeometry);
    if (!m_MoreDialogs || !geometry)
        return false;
    const ViewDocumentFacts viewFacts = FactsOf(m_Doc);
    MoreOptionsFacts facts;
    facts.records = std::max(viewFacts.timeHistoryRecords, viewFacts.spectrumRecords);
    facts.bands = m_View.Graph.PointCount * std::max(1, m_View.Aggregation);
    facts.histClasses = m_View.Graph.PointCount;
    facts.fftLength = m_View.Graph.PointCount;
    facts.bandKind = m_View.BandKind;
    if (RunMoreOptions(m_View, *geometry, facts, m_Settings, *m_MoreDialogs) == MoreOptionsOutcome::BuildGraph)
        Rebuild();
    return true;
}

} // namespace orlu
