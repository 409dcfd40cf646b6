#include "presentation/view/ViewCommandRules.h"

#include "document/CTmDoc.h"
#include "document/ViewMask.h"
#include "presentation/view/ViewKinds.h"

#include <algorithm>
#include <climits>

namespace orlu {
namespace {

constexpr std::uint8_t kMonitorKind = 80;

struct ViewItemBit {
    int id;
    std::uint32_t bit;
};

// The statistics and time-intersection items follow their submenus' rules instead.
constexpr ViewItemBit kViewItemBits[] = {
    {32781, kViewMaskHeaderInfo}, {32780, kViewMaskMainResults}, {32783, kViewMaskBuffer},
    {32785, kViewMaskSpectra},    {32784, kViewMaskWaveforms},   {32786, kViewMaskOctave11},
    {32787, kViewMaskOctave13},   {32788, kViewMaskSettings},    {32778, kViewMaskHexa},
    {32867, kViewMaskAscii},      {32920, kViewMaskUserFilters},
};

bool IsOneOf(std::uint8_t kind, std::initializer_list<int> kinds)
{
    return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

// The ViewMask bit of the spectra a time intersection is taken from.
std::uint32_t IntersectionSourceBit(std::int16_t bandKind)
{
    switch (bandKind) {
    case kBandFft: return kViewMaskSpectra;
    case kBandOctave11: return kViewMaskOctave11;
    case kBandOctave13: return kViewMaskOctave13;
    default: return 0;
    }
}

bool HasModelFlags(const ViewDocumentFacts& doc) { return doc.modelFlags != 0; }

bool TableEnabled(const MeasurementViewState& view, const ViewDocumentFacts& doc)
{
    const std::uint8_t kind = view.ViewKind;
    const bool formAllows =
        view.TextShown() || view.GraphShown() || (view.TableShown() && view.TableContentKind >= 2);
    if (doc.fileKind == kMonitorKind)
        return (kind == kViewMainResults && formAllows) ||
               IsOneOf(kind, {kViewHistograms, kViewStatisticalLevels, kViewDensities, kViewOctaves, kViewThirdOctaves});
    if (kind == kViewUserFilters)
        return false;
    if (kind == kViewThirdOctaves && doc.channelMode && doc.spectrumRecords >= 2)
        return false;
    if (IsOneOf(kind, {kViewHexa, kViewHeaderInfo, kViewAscii}))
        return false;
    return formAllows;
}

bool TextEnabled(const MeasurementViewState& view, const ViewDocumentFacts& doc)
{
    const std::uint8_t kind = view.ViewKind;
    if (view.TextShown() || view.HexShown() || view.AsciiShown())
        return false;
    if (doc.fileKind == kMonitorKind)
        return IsOneOf(kind, {kViewMainResults, kViewHeaderInfo, kViewHistograms, kViewStatisticalLevels, kViewDensities,
                              kViewOctaves, kViewThirdOctaves});
    if (kind == kViewHexa || kind == kViewAscii || kind == kViewNone)
        return false;
    return !(kind == kViewThirdOctaves && doc.channelMode && doc.spectrumRecords >= 2);
}

bool PlotEnabled(const MeasurementViewState& view, const ViewDocumentFacts& doc)
{
    const std::uint8_t kind = view.ViewKind;
    bool enabled;
    if (!HasModelFlags(doc)) {
        const bool levelsWithoutGraph = kind == kViewStatisticalLevels && IsOneOf(doc.fileKind, {3, 10, 23, 24});
        const bool statisticsWithoutGraph = IsOneOf(kind, {kViewHistograms, kViewDensities}) && doc.fileKind == 24;
        enabled = !IsOneOf(kind, {kViewHexa, kViewAscii, kViewHeaderInfo, kViewMainResults, kViewNone}) &&
                  !levelsWithoutGraph && !statisticsWithoutGraph &&
                  (view.TextShown() || view.TableShown() || view.GraphShown());
    } else {
        const bool octaveLevels = kind == kViewStatisticalLevels && (view.StatOctave1 || view.StatOctave2) &&
                                  doc.fileKind != kMonitorKind;
        enabled = IsOneOf(kind, {kViewHistograms, kViewDensities, kViewBufferLogger, kViewSpectra, kViewOctaves,
                                 kViewThirdOctaves, kViewTimeIntersections}) ||
                  octaveLevels;
    }
    if (kind == kViewTimeIntersections && (doc.spectrumRecords < 2 || (view.GraphShown() && view.Control.RtMode)))
        enabled = false;
    if (kind == kViewBufferLogger && doc.timeHistoryRecords < 2)
        enabled = false;
    if (kind == kViewUserFilters)
        enabled = false;
    return enabled && (!view.GraphShown() || view.TableContentKind > 1);
}

} // namespace

ViewDocumentFacts FactsOf(const CTmDoc& doc)
{
    ViewDocumentFacts facts;
    facts.viewMask = doc.GetViewMask();
    facts.fileKind = doc.FileKind();
    facts.hasStatistics = (facts.viewMask & (kViewMaskHistograms | kViewMaskStatLevels | kViewMaskDensities)) != 0;
    if (!doc.HeaderDecoded())
        return facts;
    const CurrentHeader& h = doc.Header();
    const ModelFlags& m = h.model;
    const bool flags[] = {m.Family515Text, m.Family515, m.Family525, m.Family530, m.Family535, m.FourChannel};
    for (std::size_t k = 0; k < std::size(flags); ++k)
        if (flags[k])
            facts.modelFlags = static_cast<std::uint8_t>(facts.modelFlags | (1u << k));
    facts.channelMode = h.channelMode != 0;
    facts.spectrumRecords = std::max(0, h.spectrumCount);
    if (h.timeHistory && h.declaredCount != kUnknownRecordCount)
        facts.timeHistoryRecords = static_cast<int>(std::min<std::uint32_t>(h.declaredCount, INT_MAX));
    // Time intersections need spectra in time, and a time history when the model is known.
    facts.hasTimeIntersections =
        facts.spectrumRecords >= 2 && (facts.modelFlags == 0 || h.timeHistory);
    return facts;
}

std::uint32_t ViewMaskBitOf(int commandId)
{
    for (const ViewItemBit& item : kViewItemBits)
        if (item.id == commandId)
            return item.bit;
    return 0;
}

std::optional<CommandUi> ViewCommandState(int id, const MeasurementViewState& view, const ViewDocumentFacts& doc)
{
    CommandUi ui;
    switch (id) {
    case 32789:
        ui.enabled = TableEnabled(view, doc);
        ui.checked = view.TableShown();
        return ui;
    case 32790:
        ui.enabled = TextEnabled(view, doc);
        ui.checked = view.TextShown() || view.HexShown() || view.AsciiShown();
        return ui;
    case 32801:
        ui.enabled = PlotEnabled(view, doc);
        ui.checked = view.GraphShown();
        return ui;
    default:
        break;
    }
    const ViewCommand* command = FindViewCommand(id);
    if (!command)
        return std::nullopt;
    if (const std::uint32_t bit = ViewMaskBitOf(id)) {
        ui.enabled = (doc.viewMask & bit) != 0;
    } else if (command->kind == kViewTimeIntersections) {
        // Time intersections of the band set the command names, checked on that set.
        const bool intersections = (doc.viewMask & kViewMaskIntersections) != 0;
        ui.enabled = intersections && (doc.viewMask & IntersectionSourceBit(command->bandKind)) != 0;
        ui.checked = intersections && view.BandKind == command->bandKind && view.ViewKind == command->kind;
        return ui;
    } else {
        ui.enabled = doc.hasStatistics;
    }
    const bool sameVariant = command->variant == StatVariant::None ||
                             (command->variant == StatVariant::Broadband && view.StatOctave0) ||
                             (command->variant == StatVariant::Octave11 && view.StatOctave1) ||
                             (command->variant == StatVariant::Octave13 && view.StatOctave2);
    ui.checked = ui.enabled && view.ViewKind == command->kind && sameVariant;
    return ui;
}

} // namespace orlu
