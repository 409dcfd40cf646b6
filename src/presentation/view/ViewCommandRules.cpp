#include "presentation/view/ViewCommandRules.h"

#include "document/CTmDoc.h"
#include "document/ViewMask.h"
#include "presentation/view/ViewKinds.h"

#include <algorithm>

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
    if (kind == kViewTimeIntersections && doc.spectrumRecords < 2)
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
    facts.hasTimeIntersections = (facts.viewMask & kViewMaskIntersections) != 0;
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
        ui.enabled = doc.hasTimeIntersections;
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
