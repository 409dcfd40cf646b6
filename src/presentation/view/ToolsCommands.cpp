#include "presentation/view/ToolsCommands.h"

#include "platform/UserInteraction.h"

#include <algorithm>

namespace orlu {
namespace {

struct UploadPair {
    std::uint8_t deviceSelector;
    std::uint8_t fileKind;
};

// Files these instruments take back from firmware 5.12 on.
constexpr std::array<UploadPair, 6> kUploadPairs{{
    {4, ','}, {3, '-'}, {5, '.'}, {6, '/'}, {9, '0'}, {8, '1'},
}};
constexpr std::array<std::uint8_t, 5> kLateUploadSelectors{11, 12, 13, 14, 16};

bool TextLikeForm(const MeasurementViewState& view)
{
    return view.TextShown() || view.TableShown() || view.HexShown() || view.AsciiShown();
}

bool HeaderInsertKind(std::uint8_t fileKind)
{
    return fileKind == 3 || fileKind == 10 || fileKind == 4 || fileKind == 11 || (fileKind >= '+' && fileKind <= '2');
}

bool FftWindowEnabled(int k, const MeasurementViewState& view, const ToolsDocumentFacts& doc)
{
    // USER is shown but cannot be chosen; only spectra computed from samples take a window.
    return doc.bandKind == 1 && k != 1 && (view.ViewKind == kViewWaveforms || view.ViewKind == kViewSpectra);
}

void RebuildWhole(MeasurementViewState& view, ToolsEffects& effects)
{
    view.ShownViewKind = kRepaintWholeView;
    effects.Rebuild();
}

void Flip(std::int32_t& value) { value = value ? 0 : 1; }

} // namespace

bool CanUpload(std::uint8_t deviceSelector, std::uint8_t fileKind, int firmware, bool setupBlock)
{
    if (deviceSelector == 1)
        return fileKind == 3 || fileKind == 4 || fileKind == 5;
    const bool paired = std::any_of(kUploadPairs.begin(), kUploadPairs.end(), [&](const UploadPair& p) {
        return p.deviceSelector == deviceSelector && p.fileKind == fileKind;
    });
    if (paired)
        return firmware >= 512;
    if (std::find(kLateUploadSelectors.begin(), kLateUploadSelectors.end(), deviceSelector) !=
        kLateUploadSelectors.end())
        return firmware >= 604;
    return deviceSelector == 10 && fileKind == '*' && firmware >= 221 && setupBlock;
}

std::optional<CommandUi> ToolsCommandState(int id, const MeasurementViewState& view, const ToolsDocumentFacts& doc)
{
    const std::uint8_t vk = view.ViewKind;
    const bool intersections = vk == kViewTimeIntersections;
    const bool spectra = vk == kViewSpectra;
    if (id >= kFftWindowFirstCommand && id <= kFftWindowLastCommand) {
        const int k = id - kFftWindowFirstCommand + 1;
        return CommandUi{FftWindowEnabled(k, view, doc),
                         (doc.bandKind == 1 || doc.bandKind == 2) && k == view.Spectra.Window};
    }
    switch (id) {
    case kSmoothingCommand:
        return CommandUi{intersections, intersections && view.Smoothed != 0};
    case kReverbTimeCommand: {
        const bool enabled = intersections && (doc.bandKind == 3 || doc.bandKind == 4) && doc.hasProfiles;
        return CommandUi{enabled, enabled && view.Control.RtMode != 0};
    }
    case kClearRtDataCommand:
        return CommandUi{doc.bandKind == 4 && intersections && view.Control.RtMode != 0, false};
    case kPlotTotalCommand:
        return CommandUi{intersections || (vk == kViewBufferLogger && view.Control.TotalKinds != 0),
                         view.PlotTotalLine != 0};
    case kGraphAutoScaleCommand:
        return CommandUi{view.GraphShown() && vk >= kViewBufferLogger && vk <= kViewTimeIntersections,
                         doc.graphAutoScale};
    case kShowPeaksCommand:
        return CommandUi{spectra, spectra && view.Spectra.PeaksShown != 0};
    case kTonalityCommand:
        return CommandUi{spectra && doc.tonality, spectra && view.Spectra.TonalityShown != 0};
    case kPhaseSpectrumCommand:
        return CommandUi{spectra && doc.bandKind == 1, view.Tools.PhaseSpectrum != 0};
    case kUploadCommand:
        return CommandUi{CanUpload(doc.deviceSelector, doc.fileKind, doc.firmware, doc.setupBlock), false};
    case kInsertHeaderCommand: {
        const bool enabled = view.TableShown() && HeaderInsertKind(doc.fileKind);
        return CommandUi{enabled, enabled && view.InsertHeaderInfo != 0};
    }
    case kExtractSingleFileCommand:
        return CommandUi{doc.multifileSubfile, false};
    case kExtractBufferCommand:
        return CommandUi{doc.embeddedBuffer, false};
    case kPasteCommand:
        return CommandUi{(TextLikeForm(view) && doc.clipboardText) || (view.GraphShown() && doc.clipboardBitmap),
                         false};
    case kSelectAllCommand:
        return CommandUi{TextLikeForm(view), false};
    default:
        return std::nullopt;
    }
}

bool ToolsSubmenuEnabled(ToolsSubmenu submenu, const MeasurementViewState& view, const ToolsDocumentFacts& doc)
{
    if (submenu == ToolsSubmenu::FftWindow)
        return view.ViewKind == kViewSpectra;
    return view.ViewKind == kViewBufferLogger && doc.impulseAnalysis;
}

void SwitchReverbProcedure(MeasurementViewState& view, const ToolsDocumentFacts& doc)
{
    Flip(view.Control.RtMode);
    view.ShownViewKind = kRepaintWholeView;
    if (view.Control.RtMode == 0) {
        view.Tools.RtStep = 0;
        return;
    }
    view.UnitsByKind[0] = 0;
    view.CursorOn = 1;
    view.WindowStart = 0;
    if (view.BandKind != 3 && view.BandKind != 4)
        return;
    const auto& range = doc.rtRange[view.BandKind == 3 ? 0 : 1];
    if (view.Tools.StartWithTotals)
        view.BandIndex = range[2];
    else if (view.BandIndex < range[0])
        view.BandIndex = range[0];
    else if (view.BandIndex > range[1])
        view.BandIndex = range[2]; // above the bands: the total, not the last band
}

bool RunToolsCommand(int id, MeasurementViewState& view, const ToolsDocumentFacts& doc, UserInteraction& ui,
                     ToolsEffects& effects)
{
    const auto state = ToolsCommandState(id, view, doc);
    if (!state || !state->enabled)
        return false;
    if (id >= kFftWindowFirstCommand && id <= kFftWindowLastCommand) {
        const auto k = static_cast<std::uint16_t>(id - kFftWindowFirstCommand + 1);
        if (k == view.Spectra.Window)
            return true;
        view.Spectra.Window = k;
        // The waveform view takes the window at its next paint.
        if (view.ViewKind == kViewSpectra)
            RebuildWhole(view, effects);
        return true;
    }
    switch (id) {
    case kSmoothingCommand:
        Flip(view.Smoothed);
        if (view.Control.RtMode != 0 && view.Tools.RtStep > 2) {
            effects.ComputeReverbTime(view.Smoothed != 0, view.BandKind);
            view.Tools.RtSmoothingUsed = view.Smoothed;
        }
        RebuildWhole(view, effects);
        return true;
    case kReverbTimeCommand:
        SwitchReverbProcedure(view, doc);
        effects.Rebuild();
        return true;
    case kClearRtDataCommand:
        if (ui.AskQuestion(kClearRtQuestion) == QuestionAnswer::Yes) {
            effects.ClearRtRecords(view.BandKind);
            effects.Rebuild();
        }
        return true;
    case kPlotTotalCommand:
        Flip(view.PlotTotalLine);
        RebuildWhole(view, effects);
        return true;
    case kGraphAutoScaleCommand:
        effects.ToggleGraphAutoScale();
        return true;
    case kPhaseSpectrumCommand:
        Flip(view.Tools.PhaseSpectrum);
        // Any form but power becomes power; power becomes the phase.
        view.Spectra.OutputForm = view.Spectra.OutputForm ? 0 : 1;
        RebuildWhole(view, effects);
        return true;
    case kShowPeaksCommand:
        Flip(view.Spectra.PeaksShown);
        if (view.Spectra.PeaksShown)
            view.Spectra.TonalityShown = 0;
        RebuildWhole(view, effects);
        return true;
    case kTonalityCommand:
        Flip(view.Spectra.TonalityShown);
        if (view.Spectra.TonalityShown)
            view.Spectra.PeaksShown = 0;
        RebuildWhole(view, effects);
        return true;
    case kInsertHeaderCommand:
        Flip(view.InsertHeaderInfo);
        RebuildWhole(view, effects);
        return true;
    case kPasteCommand:
        ui.ShowMessage(kPasteRefusal, kMessageCaption, MessageButtons::Ok, MessageIcon::Warning);
        return true;
    case kSelectAllCommand:
        view.BlockAnchor = {0, 0};
        view.BlockEnd = {(view.WidestLine - 2) * view.CharWidth,
                         static_cast<std::int32_t>(view.ShownLines().LineCount()) * view.LineHeight};
        effects.Invalidate();
        return true;
    default:
        return false;
    }
}

void OnDocumentUpdate(MeasurementViewState& view, ToolsEffects& effects)
{
    effects.Invalidate();
    view.MarkState = 0;
    view.MarkedRange = {0, 0};
    effects.Rebuild();
}

} // namespace orlu
