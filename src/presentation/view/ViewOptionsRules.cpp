#include "presentation/view/ViewOptionsRules.h"

#include "presentation/view/ViewKinds.h"

#include <algorithm>
#include <cstdlib>

namespace orlu {
namespace {

bool Between(std::uint8_t v, std::uint8_t lo, std::uint8_t hi) { return v >= lo && v <= hi; }
bool HistogramOrDensity(std::uint8_t vk) { return vk == kViewHistograms || vk == kViewDensities; }

} // namespace

ViewOptionsBranch ChooseViewOptionsBranch(std::uint32_t formFlags, std::uint8_t viewKind, std::int32_t rtMode)
{
    if (formFlags & form_flags::kGraph) {
        if (viewKind == kViewStatisticalLevels)
            return ViewOptionsBranch::GraphLevels;
        if (viewKind == kViewTimeIntersections && rtMode != 0)
            return ViewOptionsBranch::GraphReverb;
        return ViewOptionsBranch::GraphGeneral;
    }
    if (formFlags & form_flags::kText) {
        if (viewKind == kViewStatisticalLevels)
            return ViewOptionsBranch::TextLevels;
        if (viewKind == kViewBufferLogger || viewKind == kViewTimeIntersections)
            return ViewOptionsBranch::TextFixed;
        return ViewOptionsBranch::TextGeneral;
    }
    if (formFlags & form_flags::kTable) {
        if (viewKind == kViewStatisticalLevels)
            return ViewOptionsBranch::TableLevels;
        if (viewKind == kViewTimeIntersections)
            return ViewOptionsBranch::TableFixed;
        return ViewOptionsBranch::TableGeneral;
    }
    if (formFlags & (form_flags::kHex | form_flags::kAscii))
        return ViewOptionsBranch::Other;
    return ViewOptionsBranch::None;
}

int ViewOptionsDialogOf(ViewOptionsBranch branch)
{
    switch (branch) {
    case ViewOptionsBranch::GraphLevels: return 288;
    case ViewOptionsBranch::GraphReverb: return 209;
    case ViewOptionsBranch::GraphGeneral: return 169;
    case ViewOptionsBranch::TextLevels: return 201;
    case ViewOptionsBranch::TextFixed:
    case ViewOptionsBranch::TextGeneral: return 157;
    case ViewOptionsBranch::TableLevels: return 204;
    case ViewOptionsBranch::TableFixed:
    case ViewOptionsBranch::TableGeneral: return 150;
    case ViewOptionsBranch::Other: return 178;
    case ViewOptionsBranch::None: break;
    }
    return 0;
}

ElementChoice ChooseElements(bool table, const ElementFacts& f)
{
    const std::uint8_t fk = f.fileKind;
    const std::uint8_t vk = f.viewKind;
    const bool ranged = Between(fk, 53, 60);
    if ((fk == 24 && HistogramOrDensity(vk)) || (ranged && vk == kViewMainResults))
        return {!(vk == kViewMainResults && f.rt60), false};
    if ((fk == 23 || ranged) && HistogramOrDensity(vk)) {
        if (!table)
            return {f.allFiles != 0, true};
        return vk == kViewDensities ? ElementChoice{false, false} : ElementChoice{f.allFiles != 0, true};
    }
    if (fk == 80 && (vk == kViewMainResults || HistogramOrDensity(vk) || (!table && vk == kViewHeaderInfo)))
        return {vk == kViewMainResults, false};
    if (table && fk == 23 && vk == kViewBufferLogger)
        return {false, false};
    return {f.allFiles != 0, f.recordStepping != 0 && !(f.tonality && vk == kViewSpectra)};
}

bool KeepsAllFilesSwitch(std::uint8_t fileKind, std::uint8_t viewKind)
{
    return fileKind == 24 && HistogramOrDensity(viewKind);
}

LevelDialogPreset PresetLevelDialog(const LevelFacts& f)
{
    const std::uint8_t fk = f.fileKind;
    LevelDialogPreset p;
    p.levelsEnabled = fk != 23 && f.levelsInViewMask;
    p.ascendingOffered = fk != 23 && fk != 24;
    const bool s = f.octaveStatistics;
    if (fk == 23) {
        p.multi = true;
    } else if (fk == 24 || Between(fk, 53, 60) || fk == 4 || Between(fk, 42, 49)) {
        const bool full = fk == 24 || Between(fk, 53, 60);
        p.multi = full ? (s ? f.allFiles != 0 : true) : false;
        p.elementChoiceEnabled = full && s && f.recordStepping != 0;
        p.useAllEnabled = s;
        p.useAll = s && f.useAllStatLevels != 0;
    } else if (fk != 80) {
        p.multi = f.allFiles != 0;
        p.elementChoiceEnabled = f.recordStepping != 0;
    }
    return p;
}

std::int32_t SwitchedLevelsRecord(bool usedAll, std::int32_t levelsRecord, const StatLevels& levels)
{
    if (!usedAll)
        return levels[static_cast<std::size_t>(std::clamp(levelsRecord, 1, 10) - 1)];
    std::size_t best = 0;
    for (std::size_t i = 1; i < levels.size(); ++i) {
        if (std::abs(levels[i] - levelsRecord) < std::abs(levels[best] - levelsRecord))
            best = i;
    }
    return static_cast<std::int32_t>(best + 1);
}

ViewMultiElementOptions LimitMultiElementOptions(const ViewMultiElementOptions& chosen, const ViewMultiElementOptions& kept,
                                             const SpectrumBounds& b, bool bandData)
{
    ViewMultiElementOptions o = kept;
    const double df = b.lineSpacing;
    if (!bandData) {
        o.freqGrid = std::clamp(chosen.freqGrid, 2, 60);
        o.freqBegin = std::min(std::max(chosen.freqBegin, 0.0), (b.lines - 2) * df);
        o.freqEnd = std::min(std::max(chosen.freqEnd, df), (b.lines - 1) * df);
        if (o.freqEnd <= o.freqBegin)
            o.freqEnd = o.freqBegin + df;
    }
    o.timeGrid = std::clamp(chosen.timeGrid, 2, 60);
    const auto spectra = static_cast<std::uint32_t>(std::max(b.spectra, 2));
    o.firstSpectrum = std::min(std::max(chosen.firstSpectrum, 1u), spectra - 1);
    o.lastSpectrum = std::min(std::max(chosen.lastSpectrum, 2u), spectra);
    if (o.lastSpectrum <= o.firstSpectrum)
        o.lastSpectrum = o.firstSpectrum + 1;
    o.displayFlags[1] = chosen.displayFlags[1];
    o.displayFlags[2] = chosen.displayFlags[2];
    return o;
}

} // namespace orlu
