#include "presentation/view/ViewKindChannels.h"

#include "document/CTmDoc.h"
#include "document/ViewMask.h"
#include "document/headers/CurrentHeader.h"
#include "presentation/view/ViewSelection.h"

namespace orlu {
namespace {

constexpr std::uint8_t kMonitorKind = 80;

bool CurrentFamilyWithHistory(std::uint8_t fileKind)
{
    // The file kinds '*' to '2' and 'U', and a Multifile of them: its profiles are
    // those of the file it shows, one bit each, as when that file is opened alone.
    return (fileKind >= '*' && fileKind <= '2') || fileKind == 'U' || IsCurrentMultifileKind(fileKind);
}

void KeepSelection(MeasurementViewState& view, std::uint16_t mask)
{
    view.AvailableChannels = mask;
    if ((view.SelectedChannels & mask) == 0)
        view.SelectedChannels = mask;
}

} // namespace

KindChannelFacts KindChannelFactsOf(const CTmDoc& doc)
{
    KindChannelFacts facts;
    facts.fileKind = doc.FileKind();
    facts.channelCount = ChannelCountOf(doc);
    facts.file505 = doc.IsAnalyzerDocument();
    facts.viewMask = doc.GetViewMask();
    const std::uint16_t channels = HeaderChannelMask(doc);
    facts.statisticsMask = facts.levelsMask = facts.bandStatisticsMask = facts.bandLevelsMask = channels;
    facts.monitorProfiles = facts.channelMask = facts.bufferMask = channels;
    if (doc.HeaderDecoded()) {
        const CurrentHeader& h = doc.Header();
        facts.timeHistory = h.timeHistory;
        facts.fourChannel = h.model.FourChannel;
        facts.resultMask = h.profileMask;
    }
    facts.rt = StepFactsOf(doc).rt;
    return facts;
}

void SetAvailableChannels(MeasurementViewState& view, const KindChannelFacts& doc, std::uint16_t mask)
{
    view.AvailableChannels = mask;
    view.SelectedChannels = static_cast<std::uint16_t>(view.SelectedChannels & mask);
    if (view.SelectedChannels == 0)
        view.SelectedChannels = mask;
    if (doc.fileKind == kMonitorKind) {
        view.Profile = doc.monitorProfiles;
        return;
    }
    if (!doc.file505 && !doc.timeHistory) {
        if (view.SelectedChannels == 0)
            view.SelectedChannels = doc.fourChannel ? mask : 7;
        view.Profile = view.SelectedChannels;
        return;
    }
    if (doc.channelCount <= 1) {
        view.SelectedChannels = 0;
        view.Profile = 0;
        return;
    }
    view.Profile = static_cast<std::uint16_t>(view.Profile & doc.resultMask);
    if (CurrentFamilyWithHistory(doc.fileKind) && doc.timeHistory) {
        if (!(doc.resultMask & (1u << (view.ChannelNumber - 1))))
            for (int k = 0; k < 16; ++k)
                if (doc.resultMask & (1u << k)) {
                    view.ChannelNumber = static_cast<std::int16_t>(k + 1);
                    break;
                }
        return;
    }
    if (view.Profile != 0) {
        std::uint16_t selected = 0;
        for (int k = 0; k < 8; ++k)
            if (view.Profile & (3u << (2 * k)))
                selected = static_cast<std::uint16_t>(selected | (1u << k));
        view.SelectedChannels = selected;
        return;
    }
    std::uint16_t selected = 0;
    std::uint16_t profile = 0;
    for (int k = 0; k < 8; ++k) {
        if (doc.resultMask & (1u << (2 * k)))
            profile = static_cast<std::uint16_t>(profile | (1u << (2 * k)));
        else if (doc.resultMask & (1u << (2 * k + 1)))
            profile = static_cast<std::uint16_t>(profile | (1u << (2 * k + 1)));
        else
            continue;
        selected = static_cast<std::uint16_t>(selected | (1u << k));
    }
    view.Profile = profile;
    view.SelectedChannels = selected;
}

std::uint16_t StatisticsChannelMask(const MeasurementViewState& view, const KindChannelFacts& doc, bool levels)
{
    const bool octave = view.StatOctave1 || view.StatOctave2;
    if (doc.fourChannel)
        return octave ? (levels ? doc.bandLevelsMask : doc.bandStatisticsMask)
                      : (levels ? doc.levelsMask : doc.statisticsMask);
    if (doc.channelCount <= 1 || octave)
        return 0;
    if (IsCurrentMultifileKind(doc.fileKind) && (doc.viewMask & kViewMaskHistograms))
        return 7;
    return levels ? doc.levelsMask : doc.statisticsMask;
}

std::optional<MarkerGroup> MarkerGroupOf(const MeasurementViewState& view)
{
    switch (view.ViewKind) {
    case kViewHistograms: return MarkerGroup::Histograms;
    case kViewDensities: return MarkerGroup::Densities;
    case kViewBufferLogger:
    case kViewTimeIntersections: return MarkerGroup::BufferAndIntersections;
    case kViewWaveforms: return MarkerGroup::Waveforms;
    case kViewSpectra:
        return view.CurrentRecordPtr == &view.GraphRecord && view.GraphRecord == 2 ? MarkerGroup::ShortBandSpectra
                                                                                   : MarkerGroup::Spectra;
    case kViewOctaves: return MarkerGroup::Octaves11;
    case kViewThirdOctaves: return MarkerGroup::Octaves13;
    default: return std::nullopt;
    }
}

void LoadKindMarker(MeasurementViewState& view)
{
    if (const auto group = MarkerGroupOf(view)) {
        const SavedMarker& marker = view.Control.Saved(*group);
        view.MarkState = marker.state;
        view.MarkedRange = marker.range;
    }
}

void SaveKindMarker(MeasurementViewState& view)
{
    if (const auto group = MarkerGroupOf(view))
        view.Control.Saved(*group) = {view.MarkState, view.MarkedRange};
}

void HoldReverbBand(MeasurementViewState& view, const KindChannelFacts& doc)
{
    if (!view.Control.RtMode || view.ViewKind != kViewTimeIntersections)
        return;
    if (view.BandKind != kBandOctave11 && view.BandKind != kBandOctave13)
        return;
    const RtBandRange& rt = doc.rt[view.BandKind == kBandOctave13 ? 1 : 0];
    if (view.BandIndex < rt.first)
        view.BandIndex = rt.first;
    else if (view.BandIndex > rt.last)
        view.BandIndex = rt.after;
}

void ApplyKindChannels(MeasurementViewState& view, const KindChannelFacts& doc)
{
    LoadKindMarker(view);
    switch (view.ViewKind) {
    case kViewMainResults:
        if (doc.fileKind == kMonitorKind) {
            view.AvailableChannels = doc.resultMask;
            view.SelectedChannels = static_cast<std::uint16_t>(view.SelectedChannels & doc.resultMask);
            if (view.SelectedChannels == 0)
                view.SelectedChannels = view.AvailableChannels;
        }
        break;
    case kViewHistograms:
    case kViewDensities: SetAvailableChannels(view, doc, StatisticsChannelMask(view, doc, false)); break;
    case kViewStatisticalLevels: SetAvailableChannels(view, doc, StatisticsChannelMask(view, doc, true)); break;
    case kViewBufferLogger: SetAvailableChannels(view, doc, doc.bufferMask); break;
    case kViewWaveforms:
    case kViewSpectra:
    case kViewOctaves:
    case kViewThirdOctaves: KeepSelection(view, doc.channelMask); break;
    case kViewTimeIntersections:
        KeepSelection(view, doc.channelMask);
        view.Control.TotalKinds = 1;
        view.Control.LeqTotal = 1;
        HoldReverbBand(view, doc);
        break;
    default: break;
    }
}

CommandUi StatisticsSubmenuState(const MeasurementViewState& view, bool hasStatistics)
{
    CommandUi ui;
    ui.enabled = hasStatistics;
    ui.checked = hasStatistics && view.ViewKind >= kViewHistograms && view.ViewKind <= kViewDensities;
    return ui;
}

CommandUi IntersectionsSubmenuState(const MeasurementViewState& view, bool hasTimeIntersections)
{
    CommandUi ui;
    ui.enabled = hasTimeIntersections;
    ui.checked = hasTimeIntersections && view.ViewKind == kViewTimeIntersections;
    return ui;
}

} // namespace orlu
