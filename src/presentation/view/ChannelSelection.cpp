#include "presentation/view/ChannelSelection.h"

#include "document/CTmDoc.h"
#include "document/headers/CurrentHeader.h"
#include "presentation/view/ViewSelection.h"

#include <algorithm>

namespace orlu {
namespace {

constexpr std::uint8_t kForcedRebuild = 254;
constexpr std::uint8_t kFirstPairFunction = 5;

bool Between(int value, int low, int high) { return value >= low && value <= high; }
bool Plain(KeyModifiers keys) { return !keys.shift && !keys.ctrl; }
bool OctaveVariant(const MeasurementViewState& view) { return view.StatOctave1 != 0 || view.StatOctave2 != 0; }
bool SlotChannels(const ChannelFacts& doc) { return doc.legacyChannels || doc.channelData || doc.resultSlotDevice; }
bool Vibration(const ChannelFacts& doc) { return doc.inputKind > 3 || doc.mixedInputs; }

int ResultCountOf(const ChannelFacts& doc, int k, bool logger)
{
    if (k < 0 || k >= 5)
        return 0;
    return logger ? doc.loggerResultCounts[static_cast<std::size_t>(k)] : doc.resultCounts[static_cast<std::size_t>(k)];
}

// The form shows one sub-file of a Multifile rather than all of them.
bool OneSubfileForm(const MeasurementViewState& view)
{
    return (view.TextShown() && !view.TextAllFiles) || (view.TableShown() && !view.TableAllFiles);
}

// Shift or Ctrl on a selected panel shows the channel's next result.
void CycleResult(MeasurementViewState& view, int k, int count)
{
    std::uint8_t& choice = view.PanelResultIndex[static_cast<std::size_t>(k)];
    choice = static_cast<std::uint8_t>(choice + 1 >= count ? 0 : choice + 1);
}

// Steps 1 and 3: a button on a panel of results.
void ToggleResultPanel(MeasurementViewState& view, int k, KeyModifiers keys, int count)
{
    const auto bit = static_cast<std::uint16_t>(1u << k);
    if (view.SelectedChannels & bit) {
        if (!Plain(keys))
            CycleResult(view, k, count);
        else if (view.SelectedChannels != bit)
            view.SelectedChannels = static_cast<std::uint16_t>(view.SelectedChannels & ~bit);
    } else {
        view.SelectedChannels = static_cast<std::uint16_t>(view.SelectedChannels | bit);
    }
}

ChannelOutcome CommonEnd(MeasurementViewState& view, const ChannelFacts& doc, int n)
{
    if (view.SelectedChannels & (1u << (n - 1)))
        view.ChannelNumber = static_cast<std::int16_t>(n);
    RebuildProfile(view, doc.channelCount);
    return ChannelOutcome::Rebuild;
}

// Step 4: the spectra view.
ChannelOutcome SelectSpectraChannel(MeasurementViewState& view, const ChannelFacts& doc, int n)
{
    const auto bit = static_cast<std::uint16_t>(1u << (n - 1));
    if (view.Control.OneChannelFunctions) {
        if (view.SelectedChannels != bit)
            view.SelectedChannels = static_cast<std::uint16_t>(view.SelectedChannels ^ bit);
        return doc.fourChannel ? CommonEnd(view, doc, n) : ChannelOutcome::Rebuild;
    }
    if (view.ChannelNumber == n)
        return ChannelOutcome::SpectraFunctions;
    view.ChannelNumber = static_cast<std::int16_t>(n);
    SpectraViewChoices& s = view.Spectra;
    switch (s.Function) {
    case 1:
    case 3:
        s.ChannelA = static_cast<std::uint16_t>(n);
        view.SelectedChannels = bit;
        break;
    case 2:
    case 4:
        s.ChannelB = static_cast<std::uint16_t>(n);
        view.SelectedChannels = bit;
        break;
    default:
        s.ChannelB = static_cast<std::uint16_t>(n);
        view.SelectedChannels = static_cast<std::uint16_t>((1u << (s.ChannelA - 1)) | bit);
        break;
    }
    return ChannelOutcome::Rebuild;
}

// Step 5: add or remove the channel.
ChannelOutcome ToggleChannel(MeasurementViewState& view, const ChannelFacts& doc, int n)
{
    const auto bit = static_cast<std::uint16_t>(1u << (n - 1));
    if (view.SelectedChannels & bit) {
        if (view.SelectedChannels == bit)
            return ChannelOutcome::None;
        view.SelectedChannels = static_cast<std::uint16_t>(view.SelectedChannels & ~bit);
    } else if (view.ViewKind == kViewOctaves && doc.channelData && (OneSubfileForm(view) || (view.GraphShown() && view.MultiElement))) {
        view.SelectedChannels = bit;
    } else {
        view.SelectedChannels = static_cast<std::uint16_t>(view.SelectedChannels | bit);
    }
    return CommonEnd(view, doc, n);
}

// Rows 2, 5 and 6 of the enabling: a button on panels of results.
bool ResultButtonEnabled(const MeasurementViewState& view, int n, KeyModifiers keys, int count)
{
    const auto bit = static_cast<std::uint16_t>(1u << (n - 1));
    if (!(view.AvailableChannels & bit))
        return false;
    return Plain(keys) ? view.SelectedChannels != bit : count > 1;
}

} // namespace

ChannelFacts ChannelFactsOf(const CTmDoc& doc)
{
    ChannelFacts facts;
    facts.channelCount = ChannelCountOf(doc);
    facts.file505 = doc.IsAnalyzerDocument();
    facts.legacyChannels = doc.IsLegacyDocument();
    if (doc.HeaderDecoded()) {
        const CurrentHeader& h = doc.Header();
        facts.inputKind = h.inputKind;
        facts.fourChannel = h.model.FourChannel;
        facts.timeHistory = h.timeHistory;
        facts.rt60 = h.rt60;
        facts.channelData = h.channelMode != 0;
    }
    return facts;
}

void RebuildProfile(MeasurementViewState& view, int channelCount)
{
    std::uint16_t profile = 0;
    for (int k = 0; k < std::min(channelCount, 5); ++k) {
        if (!(view.SelectedChannels & (1u << k)))
            continue;
        const std::uint8_t choice = view.PanelResultIndex[static_cast<std::size_t>(k)];
        if (choice <= 1)
            profile = static_cast<std::uint16_t>(profile | (1u << (2 * k + choice)));
    }
    view.Profile = profile;
}

ChannelOutcome SelectChannel(MeasurementViewState& view, const ChannelFacts& doc, int n, KeyModifiers keys)
{
    if (n < 1 || n > 5)
        return ChannelOutcome::None;
    const int k = n - 1;
    const auto bit = static_cast<std::uint16_t>(1u << k);
    const std::uint8_t kind = view.ViewKind;
    if (doc.fourChannel && Between(kind, kViewHistograms, kViewBufferLogger)) {
        ToggleResultPanel(view, k, keys, ResultCountOf(doc, k, doc.timeHistory));
        return CommonEnd(view, doc, n);
    }
    if (doc.fourChannel && Between(kind, kViewSpectra, kViewThirdOctaves) && (view.TextShown() || view.TableShown())) {
        if (OneSubfileForm(view)) {
            view.SelectedChannels = bit;
            return CommonEnd(view, doc, n);
        }
        if (view.TableShown() && (kind == kViewOctaves || kind == kViewThirdOctaves)) {
            for (int other = 0; other < 5; ++other)
                if (other != k && (view.SelectedChannels & (1u << other)) &&
                    doc.inputKinds[static_cast<std::size_t>(other)] != doc.inputKinds[static_cast<std::size_t>(k)])
                    return ChannelOutcome::TableChannels;
        }
    } else if (SlotChannels(doc) && Between(kind, kViewHistograms, kViewBufferLogger) &&
               ResultCountOf(doc, k, false) > 1) {
        ToggleResultPanel(view, k, keys, ResultCountOf(doc, k, false));
        return CommonEnd(view, doc, n);
    }
    if (kind == kViewSpectra)
        return SelectSpectraChannel(view, doc, n);
    return ToggleChannel(view, doc, n);
}

ChannelOutcome FinishTableChannels(MeasurementViewState& view, const ChannelFacts& doc, int n, std::uint16_t mask)
{
    view.SelectedChannels = mask;
    return CommonEnd(view, doc, n);
}

CommandUi UpdateSelectChannel(const MeasurementViewState& view, const ChannelFacts& doc, int n, KeyModifiers keys)
{
    CommandUi ui;
    ui.enabled = false;
    if (n < 1 || n > 5)
        return ui;
    const int k = n - 1;
    const auto bit = static_cast<std::uint16_t>(1u << k);
    const std::uint8_t kind = view.ViewKind;
    const bool availableAndSelected = (view.AvailableChannels & bit) && (view.SelectedChannels & bit);
    if ((!doc.fourChannel && Between(kind, kViewHistograms, kViewDensities) && OctaveVariant(view)) ||
        (doc.rt60 && !doc.fourChannel))
        return ui;
    if (SlotChannels(doc) && Between(kind, kViewHistograms, kViewBufferLogger)) {
        if (!doc.resultSlotWord) {
            ui.checked = n == 1;
            return ui;
        }
        ui.enabled = ResultButtonEnabled(view, n, keys, ResultCountOf(doc, k, false));
        ui.checked = availableAndSelected;
        return ui;
    }
    if (kind == kViewSpectra && doc.file505 && doc.channelCount > 1 && !view.Control.OneChannelFunctions) {
        const bool pair = view.Spectra.Function >= kFirstPairFunction;
        ui.enabled = Plain(keys) && n <= doc.channelCount && !(pair && n == view.Spectra.ChannelA);
        ui.checked = n == view.ChannelNumber || (pair && n == view.Spectra.ChannelA);
        return ui;
    }
    if (doc.fourChannel && doc.timeHistory && Between(kind, kViewHistograms, kViewBufferLogger)) {
        const bool plainOnly = kind != kViewBufferLogger && n > 4;
        ui.enabled = ResultButtonEnabled(view, n, keys, ResultCountOf(doc, k, true)) && (Plain(keys) || !plainOnly);
        ui.checked = availableAndSelected;
        return ui;
    }
    ui.enabled = Plain(keys) && (view.AvailableChannels & bit) && view.SelectedChannels != bit;
    ui.checked = availableAndSelected;
    return ui;
}

bool ChangeUnits(MeasurementViewState& view, const ChannelFacts& doc)
{
    std::uint8_t& index = view.UnitsByKind[0];
    std::uint8_t& header = view.UnitsByKind[kHeaderInfoUnitSlot];
    const std::uint8_t kind = view.ViewKind;
    if (kind == kViewHeaderInfo) {
        const std::uint8_t other = Vibration(doc) ? 3 : 1;
        header = header == 0 ? other : 0;
    } else if (kind == kViewSpectra && view.Spectra.OutputForm == 1) {
        view.UnitsByKind[2] = static_cast<std::uint8_t>((view.UnitsByKind[2] + 1) % 3);
        view.Spectra.PhaseUnit = view.UnitsByKind[2];
    } else if (Between(kind, kViewSpectra, kViewTimeIntersections) && Vibration(doc)) {
        index = static_cast<std::uint8_t>((index + 1) & 3);
        header = index == 3 ? 3 : 0;
    } else if (kind == kViewMainResults || kind == kViewBufferLogger || kind == kViewWaveforms ||
               Between(kind, kViewSpectra, kViewTimeIntersections)) {
        index = index == 0 ? 1 : 0;
        header = index;
    }
    view.ShownViewKind = kForcedRebuild;
    return true;
}

bool UnitsChangeEnabled(const MeasurementViewState& view, const ChannelFacts& doc)
{
    switch (view.ViewKind) {
    case kViewHeaderInfo: return true;
    case kViewMainResults: return doc.file505 || !doc.rt60;
    case kViewBufferLogger: return !(doc.fourChannel && doc.loggerWaveforms);
    case kViewWaveforms: return doc.inputKind != kInputReference && doc.inputKind != kInputDirect;
    case kViewSpectra:
    case kViewOctaves:
    case kViewThirdOctaves: return true;
    case kViewTimeIntersections: return !view.Control.RtMode;
    default: return false;
    }
}

} // namespace orlu
