#include "presentation/view/InitialGraphFields.h"

#include <algorithm>
#include <bit>
#include <span>

namespace orlu {
namespace {

constexpr int kMaxGrid = 60;

// One panel per profile or channel; size 0 shows one panel.
std::uint8_t SizeForPanels(int panels) { return static_cast<std::uint8_t>(std::clamp(panels - 1, 0, 4)); }

template <std::size_t N> int ChannelsIn(const std::array<std::uint16_t, N>& masks)
{
    std::uint16_t all = 0;
    for (std::uint16_t m : masks)
        all |= m;
    return std::popcount(all);
}

} // namespace

std::array<std::uint8_t, kViewKindCount> InitialGraphSizes(const GraphPanelSource& s)
{
    const int statistics = s.orlu505 ? s.profiles : s.fourChannel ? ChannelsIn(s.profileMasks) : 3;
    const int buffer = s.orlu505 ? s.profiles : s.fourChannel ? std::popcount(s.bufferMask) : 3;
    const int bands = s.orlu505 ? s.channels : s.fourChannel ? ChannelsIn(s.bandMasks) : 1;
    const int others = s.orlu505 ? s.channels : s.fourChannel ? ChannelsIn(s.otherMasks) : 1;
    std::array<std::uint8_t, kViewKindCount> sizes{};
    for (int kind : {kViewHistograms, kViewStatisticalLevels, kViewDensities})
        sizes[static_cast<std::size_t>(kind)] = SizeForPanels(statistics);
    sizes[kViewBufferLogger] = SizeForPanels(buffer);
    for (int kind = kViewWaveforms; kind <= kViewTimeIntersections; ++kind)
        sizes[static_cast<std::size_t>(kind)] = SizeForPanels(bands);
    for (int kind = 14; kind <= 16; ++kind)
        sizes[static_cast<std::size_t>(kind)] = SizeForPanels(others);
    return sizes;
}

bool HasTimeIntersections(int spectrumRecords, bool anyModelFlag, bool hasTimeHistory)
{
    return spectrumRecords >= 2 && (!anyModelFlag || hasTimeHistory);
}

ViewMultiElementOptions FilledMultiElementOptions(const MultiElementSource& s)
{
    ViewMultiElementOptions o;
    o.freqGrid = std::clamp(s.spectrumValues, 0, kMaxGrid);
    o.timeGrid = std::clamp(s.spectrumRecords, 0, kMaxGrid);
    o.timeValue = s.timeStep;
    o.freqBegin = s.freqBegin;
    o.freqEnd = s.freqEnd;
    o.firstSpectrum = 1;
    o.lastSpectrum = static_cast<std::uint32_t>(std::max(s.spectrumRecords, 0));
    o.displayFlags = {1, 1, 1};
    return o;
}

ApplicableResults ApplicableResultsOf(TotalKind total)
{
    const auto kinds = static_cast<std::int32_t>(total);
    return {kinds, kinds & 2};
}

ApplicableResults FindApplicableResults(std::uint16_t selected, int panels, const std::function<TotalKind(int)>& totalOf)
{
    std::int32_t kinds = 0;
    for (int k = 0; k < std::min(panels, 16); ++k)
        if ((selected >> k) & 1u)
            kinds |= static_cast<std::int32_t>(totalOf(k));
    return {kinds, kinds & 2};
}

TotalKind LegacyChannelTotal(std::uint16_t enabledResults, int choice, int formatVersion, bool microphone)
{
    const auto slot = FindLoggedResult(std::span(&enabledResults, 1), choice);
    if (!slot)
        return TotalKind::None;
    const int rmsSlot = formatVersion <= 32 ? 0 : 4;
    if (slot->bit != rmsSlot)
        return TotalKind::None;
    return microphone ? TotalKind::TotalLeq : TotalKind::TotalRms;
}

} // namespace orlu
