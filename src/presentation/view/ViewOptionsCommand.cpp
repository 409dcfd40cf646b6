#include "presentation/view/ViewOptionsCommand.h"

#include "document/RtBandRecords.h"
#include "presentation/view/ToolsCommands.h"

namespace orlu {
namespace {

bool AnyOf(std::uint8_t vk, std::initializer_list<std::uint8_t> kinds)
{
    for (const std::uint8_t k : kinds) {
        if (k == vk)
            return true;
    }
    return false;
}

bool OctaveStatistics(const MeasurementViewState& view) { return view.StatOctave1 != 0 || view.StatOctave2 != 0; }

StatLevels DocumentLevels(const ViewOptionsFacts& doc, const AppSettings& settings)
{
    return doc.levels ? *doc.levels : settings.StatLevels;
}

// Switching "use all levels" turns the levels record from a level number
// into an entry of the ten levels, or back. True when it was switched.
bool SwitchUseAll(MeasurementViewState& view, const ViewOptionsFacts& doc, AppSettings& settings,
                  std::int32_t useAll)
{
    const bool newValue = useAll != 0;
    const bool usedAll = view.Control.UseAllStatLevels != 0;
    if (newValue == usedAll)
        return false;
    view.LevelsRecord = SwitchedLevelsRecord(usedAll, view.LevelsRecord, DocumentLevels(doc, settings));
    view.Control.UseAllStatLevels = newValue;
    settings.UseAllSttLevOct = newValue;
    return true;
}

void StoreLevels(const ViewOptionsFacts& doc, AppSettings& settings, const StatLevels& levels)
{
    if (doc.levels)
        *doc.levels = levels;
    settings.StatLevels = levels;
}

// The new pitch sizes; true when the screen font changes with them.
bool ApplyPitchSizes(MeasurementViewState& view, std::uint8_t display, std::uint8_t print)
{
    const bool newFont = display != view.DispPitch;
    view.DispPitch = display;
    view.Tools.PrintPitch = print;
    return newFont;
}

std::int32_t DecimalIndexOf(const MeasurementViewState& view)
{
    return static_cast<std::int32_t>(form_flags::Field(view.FormFlags, form_flags::kDecimalShift, 1));
}
std::int32_t SeparatorIndexOf(const MeasurementViewState& view)
{
    return static_cast<std::int32_t>(form_flags::Field(view.FormFlags, form_flags::kSeparatorShift, 3));
}

void StoreNumberFormat(MeasurementViewState& view, AppSettings& settings, const TableOptionsModel& m)
{
    const auto decimal = static_cast<std::uint32_t>(m.DecimalIndex & 1);
    const auto separator = static_cast<std::uint32_t>(m.SeparatorIndex & 7);
    view.FormFlags = form_flags::WithField(view.FormFlags, form_flags::kDecimalShift, 1, decimal);
    view.FormFlags = form_flags::WithField(view.FormFlags, form_flags::kSeparatorShift, 3, separator);
    settings.DecyPoint = static_cast<std::uint8_t>(decimal);
    settings.SeparatorChar = static_cast<std::uint8_t>(separator);
}

// The table dialogs come back while comma is both the decimal point and the separator.
void RunTableDialog(TableOptionsModel& m, ViewOptionsDialogs& dialogs)
{
    for (;;) {
        dialogs.RunTableOptions(m);
        if (!CommaConflict(m.DecimalIndex, m.SeparatorIndex))
            return;
        dialogs.RunCommaConflict();
    }
}

ViewOptionsOutcome GraphLevels(MeasurementViewState& view, const ViewOptionsFacts& doc, AppSettings& settings,
                               ViewOptionsDialogs& dialogs)
{
    GraphOptionsModel m(true);
    m.UseAll = view.Control.UseAllStatLevels;
    m.UseAllEnabled = 1;
    m.SetLevelsKeepBackup(DocumentLevels(doc, settings));
    m.ElementChoiceEnabled = 0;
    m.SingleCheck = 1;
    m.MultiCheck = 0;
    m.CursorFormatOffered = 0;
    m.AutoScaleOffered = 1;
    m.NoAutoScaleCheck = view.Tools.NoAutoScale;
    m.SavedTotals = m.TotalsOffered = 1;
    m.TotalsCheck = view.Tools.GraphTotals;
    m.SavedCursor = m.CursorCheck = view.CursorOn;
    m.SolidBarsOffered = 1;
    m.SavedSolidBars = m.SolidBarsCheck = view.Tools.SolidBars;
    m.PrintZoom = view.Tools.PrintZoom;
    dialogs.RunGraphOptions(m);
    if (m.Cancelled)
        return ViewOptionsOutcome::Nothing;
    const bool switched = SwitchUseAll(view, doc, settings, m.UseAll);
    view.Tools.PrintZoom = m.PrintZoom;
    StoreLevels(doc, settings, m.Levels);
    view.Tools.NoAutoScale = m.NoAutoScaleCheck;
    view.Tools.GraphTotals = m.TotalsCheck;
    view.CursorOn = m.CursorCheck;
    view.Tools.SolidBars = m.SavedSolidBars;
    return switched ? ViewOptionsOutcome::BuildGraph : ViewOptionsOutcome::Repaint;
}

ViewOptionsOutcome GraphReverb(MeasurementViewState& view, const ViewOptionsFacts& doc, AppSettings& settings,
                               ViewOptionsDialogs& dialogs)
{
    ToolsFields& tools = view.Tools;
    RtGraphOptionsModel m;
    m.NoAutoScaleCheck = tools.NoAutoScale;
    m.PrintZoom = tools.PrintZoom;
    m.StartWithTotalCheck = tools.StartWithTotals;
    m.ManualT0Check = tools.ManualT0;
    m.ChooseMethod(tools.VisualAid);
    dialogs.RunRtGraphOptions(m);
    tools.NoAutoScale = m.NoAutoScaleCheck;
    tools.PrintZoom = m.PrintZoom;
    tools.StartWithTotals = m.StartWithTotalCheck;
    tools.ManualT0 = m.ManualT0Check;
    tools.RtShowEdt = m.EdtCheck;
    tools.RtShowRt20 = m.Rt20Check;
    tools.RtShowRt30 = m.Rt30Check;
    tools.RtShowUser = m.RtUserCheck;
    tools.VisualAid = m.VisualAid();
    if (doc.rtRecord.size() >= kRtBandRecordSize)
        doc.rtRecord[rtrec::kMethod] = tools.VisualAid;
    settings.StartWithTotals = static_cast<std::uint8_t>(tools.StartWithTotals);
    settings.ManualT0 = static_cast<std::uint8_t>(tools.ManualT0);
    settings.VisualAid = tools.VisualAid;
    return ViewOptionsOutcome::BuildGraph;
}

ViewOptionsOutcome GraphGeneral(MeasurementViewState& view, const ViewOptionsFacts& doc, AppSettings& settings,
                                ViewOptionsDialogs& dialogs)
{
    const std::uint8_t vk = view.ViewKind;
    ToolsFields& tools = view.Tools;
    GraphOptionsModel m;
    m.SavedTotals = m.BandData = AnyOf(vk, {kViewOctaves, kViewThirdOctaves, kViewStatisticalLevels});
    m.SolidBarsOffered = AnyOf(vk, {kViewHistograms, kViewStatisticalLevels, kViewSpectra, kViewOctaves,
                                    kViewThirdOctaves});
    m.SavedSolidBars = m.SolidBarsOffered && tools.SolidBars;
    m.AutoScaleOffered = vk == kViewStatisticalLevels || (vk >= kViewBufferLogger && vk <= kViewTimeIntersections);
    m.NoAutoScaleCheck = m.AutoScaleOffered && tools.NoAutoScale;
    m.CursorFormatOffered = m.TimeDomainOffered = AnyOf(vk, {kViewBufferLogger, kViewTimeIntersections});
    m.CursorFormatIndex = settings.CursorRelTimeFormat;
    m.TimeDomainIndex = settings.TimeAxisFormat;
    m.DateCheck = m.TimeDomainOffered && settings.UseDate;
    m.TotalsCheck = m.SavedTotals && tools.GraphTotals;
    m.SavedCursor = view.CursorOn;
    const bool channelModeThirds = doc.channelMode && vk == kViewThirdOctaves;
    m.MultiCheck = view.MultiElement && !doc.tonality &&
                   !AnyOf(vk, {kViewStatisticalLevels, kViewBufferLogger, kViewTimeIntersections}) && !doc.merged &&
                   !doc.merged505 && !channelModeThirds;
    m.SingleCheck = !m.MultiCheck;
    m.CursorCheck = m.SingleCheck ? view.CursorOn : 0;
    m.SolidBarsCheck = m.SavedSolidBars && m.SingleCheck;
    m.PrintZoom = tools.PrintZoom;
    const bool familiesHold = doc.modelFamilies == 0 || (!doc.merged && doc.timeHistory);
    m.ElementChoiceEnabled = view.RecordStepping && AnyOf(vk, {kViewSpectra, kViewOctaves, kViewThirdOctaves}) &&
                             !doc.merged505 && !doc.tonality && familiesHold && !channelModeThirds;
    m.Multi = tools.MultiOptions;
    dialogs.RunGraphOptions(m);
    if (m.Cancelled)
        return ViewOptionsOutcome::Nothing;
    tools.PrintZoom = m.PrintZoom;
    bool rebuild = false;
    if (m.MultiCheck != view.MultiElement) {
        view.ShownViewKind = kRepaintWholeView;
        rebuild = true;
    }
    if (m.AutoScaleOffered)
        tools.NoAutoScale = m.NoAutoScaleCheck;
    if (m.CursorFormatOffered)
        settings.CursorRelTimeFormat = static_cast<std::uint8_t>(m.CursorFormatIndex);
    if (m.TimeDomainOffered) {
        settings.TimeAxisFormat = static_cast<std::uint8_t>(m.TimeDomainIndex);
        settings.UseDate = static_cast<std::uint8_t>(m.DateCheck);
    }
    tools.GraphTotals = m.TotalsCheck;
    view.MultiElement = m.MultiCheck;
    if (m.SingleCheck)
        view.CursorOn = m.CursorCheck;
    if (m.SolidBarsOffered)
        tools.SolidBars = m.SavedSolidBars;
    if (view.MultiElement && m.ElementChoiceEnabled)
        tools.MultiOptions = LimitMultiElementOptions(m.Multi, tools.MultiOptions, doc.bounds, m.BandData != 0);
    return rebuild ? ViewOptionsOutcome::BuildGraph : ViewOptionsOutcome::Repaint;
}

LevelFacts LevelFactsOf(const MeasurementViewState& view, const ViewOptionsFacts& doc, std::int32_t allFiles)
{
    return {doc.fileKind, OctaveStatistics(view), allFiles, view.RecordStepping, view.Control.UseAllStatLevels,
            doc.levelsInViewMask};
}

ElementFacts ElementFactsOf(const MeasurementViewState& view, const ViewOptionsFacts& doc, std::int32_t allFiles)
{
    return {doc.fileKind, view.ViewKind, doc.rt60, doc.tonality, allFiles, view.RecordStepping};
}

ViewOptionsOutcome TextBranch(ViewOptionsBranch branch, MeasurementViewState& view, const ViewOptionsFacts& doc,
                              AppSettings& settings, ViewOptionsDialogs& dialogs)
{
    TextOptionsAnswer m;
    m.dialog = ViewOptionsDialogOf(branch);
    m.DisplayPitch = view.DispPitch;
    m.PrintPitch = view.Tools.PrintPitch;
    if (branch == ViewOptionsBranch::Other) {
        m.TextMargin = view.TextMargin;
        dialogs.RunTextOptions(m);
        view.TextMargin = m.TextMargin;
        ApplyPitchSizes(view, m.DisplayPitch, m.PrintPitch);
        return ViewOptionsOutcome::Repaint;
    }
    ElementChoice elements;
    LevelDialogPreset preset;
    if (branch == ViewOptionsBranch::TextLevels) {
        preset = PresetLevelDialog(LevelFactsOf(view, doc, view.TextAllFiles));
        elements = {preset.multi, preset.elementChoiceEnabled};
        m.Levels = DocumentLevels(doc, settings);
        m.LevelsEnabled = preset.levelsEnabled;
        m.UseAll = preset.useAll;
        m.UseAllEnabled = preset.useAllEnabled;
    } else if (branch == ViewOptionsBranch::TextGeneral) {
        elements = ChooseElements(false, ElementFactsOf(view, doc, view.TextAllFiles));
    }
    m.MultiCheck = elements.multi;
    m.SingleCheck = !elements.multi;
    m.ElementChoiceEnabled = elements.offered;
    dialogs.RunTextOptions(m);
    if (branch == ViewOptionsBranch::TextLevels) {
        if (OctaveStatistics(view))
            SwitchUseAll(view, doc, settings, m.UseAll);
        ApplyPitchSizes(view, m.DisplayPitch, m.PrintPitch);
        if (m.LevelsEnabled)
            StoreLevels(doc, settings, m.Levels);
        // Defaults reaches the document even with the level boxes disabled.
        if (doc.levels)
            *doc.levels = m.Levels;
        view.TextAllFiles = m.MultiCheck;
    } else {
        ApplyPitchSizes(view, m.DisplayPitch, m.PrintPitch);
        if (branch == ViewOptionsBranch::TextGeneral && !KeepsAllFilesSwitch(doc.fileKind, view.ViewKind))
            view.TextAllFiles = m.MultiCheck;
    }
    return ViewOptionsOutcome::BuildText;
}

ViewOptionsOutcome TableBranch(ViewOptionsBranch branch, MeasurementViewState& view, const ViewOptionsFacts& doc,
                               AppSettings& settings, ViewOptionsDialogs& dialogs)
{
    const bool levels = branch == ViewOptionsBranch::TableLevels;
    TableOptionsModel m(levels);
    m.DisplayPitch = view.DispPitch;
    m.PrintPitch = view.Tools.PrintPitch;
    m.DecimalIndex = DecimalIndexOf(view);
    m.SeparatorIndex = SeparatorIndexOf(view);
    if (levels) {
        const LevelDialogPreset preset = PresetLevelDialog(LevelFactsOf(view, doc, view.TableAllFiles));
        m.ChooseMulti(preset.multi);
        m.ElementChoiceEnabled = preset.elementChoiceEnabled;
        m.UseAll = preset.useAll;
        m.UseAllEnabled = preset.useAllEnabled;
        m.LevelsEnabled = preset.levelsEnabled;
        m.SetLevelsKeepBackup(DocumentLevels(doc, settings));
    } else if (branch == ViewOptionsBranch::TableGeneral) {
        m.ScientificEnabled = view.ViewKind == kViewMainResults && !doc.rt60;
        m.Scientific = m.ScientificEnabled && view.TableVariant != 0;
        const ElementChoice elements = ChooseElements(true, ElementFactsOf(view, doc, view.TableAllFiles));
        m.ChooseMulti(elements.multi);
        m.ElementChoiceEnabled = elements.offered;
    }
    const std::int32_t oldDecimal = m.DecimalIndex;
    const std::int32_t oldSeparator = m.SeparatorIndex;
    const std::int32_t oldScientific = m.Scientific;
    RunTableDialog(m, dialogs);
    if (levels) {
        if (OctaveStatistics(view))
            SwitchUseAll(view, doc, settings, m.UseAll);
        if (m.LevelsEnabled)
            StoreLevels(doc, settings, m.Levels);
        StoreNumberFormat(view, settings, m);
        if (doc.fileKind != 24)
            view.TableAllFiles = m.MultiCheck;
        ApplyPitchSizes(view, m.DisplayPitch, m.PrintPitch);
        return ViewOptionsOutcome::BuildTable;
    }
    const bool newFont = ApplyPitchSizes(view, m.DisplayPitch, m.PrintPitch);
    const bool formatChanged = m.DecimalIndex != oldDecimal || m.SeparatorIndex != oldSeparator;
    if (branch == ViewOptionsBranch::TableFixed) {
        if (!newFont && !formatChanged && view.TableAllFiles == 0)
            return ViewOptionsOutcome::Nothing;
        StoreNumberFormat(view, settings, m);
        return ViewOptionsOutcome::BuildTable;
    }
    const bool scientificChanged = m.ScientificEnabled && m.Scientific != oldScientific;
    if (!newFont && !formatChanged && m.MultiCheck == view.TableAllFiles && !scientificChanged)
        return ViewOptionsOutcome::Nothing;
    StoreNumberFormat(view, settings, m);
    if (!KeepsAllFilesSwitch(doc.fileKind, view.ViewKind))
        view.TableAllFiles = m.MultiCheck;
    if (m.ScientificEnabled) {
        view.TableVariant = m.Scientific ? 1 : 0;
        settings.ScFormForMR = view.TableVariant;
    }
    return ViewOptionsOutcome::BuildTable;
}

} // namespace

ViewOptionsOutcome RunViewOptions(MeasurementViewState& view, const ViewOptionsFacts& doc, AppSettings& settings,
                                  ViewOptionsDialogs& dialogs)
{
    const ViewOptionsBranch branch = ChooseViewOptionsBranch(view.FormFlags, view.ViewKind, view.Control.RtMode);
    switch (branch) {
    case ViewOptionsBranch::GraphLevels:
        return GraphLevels(view, doc, settings, dialogs);
    case ViewOptionsBranch::GraphReverb:
        return GraphReverb(view, doc, settings, dialogs);
    case ViewOptionsBranch::GraphGeneral:
        return GraphGeneral(view, doc, settings, dialogs);
    case ViewOptionsBranch::TextLevels:
    case ViewOptionsBranch::TextFixed:
    case ViewOptionsBranch::TextGeneral:
    case ViewOptionsBranch::Other:
        return TextBranch(branch, view, doc, settings, dialogs);
    case ViewOptionsBranch::TableLevels:
    case ViewOptionsBranch::TableFixed:
    case ViewOptionsBranch::TableGeneral:
        return TableBranch(branch, view, doc, settings, dialogs);
    case ViewOptionsBranch::None:
        break;
    }
    return ViewOptionsOutcome::Nothing;
}

} // namespace orlu
