#pragma once
// What a View command sets beside the page it loads: the channels or
// profiles the kind offers and selects, the marker the kind kept, and, for
// the time intersections in the reverberation procedure, the band held in
// the reverberation range. Also the enable and check states of the
// Statistics and Time intersections submenus.

#include "presentation/CommandTarget.h"
#include "presentation/view/GraphControlFields.h"
#include "presentation/view/GraphNavigation.h"
#include "presentation/view/MeasurementViewState.h"

#include <array>
#include <cstdint>
#include <optional>

namespace orlu {

class CTmDoc;

/// What the View commands read of the document's channels.
struct KindChannelFacts {
    std::uint8_t fileKind = 0;
    int channelCount = 0;
    bool file505 = false;
    bool timeHistory = false;
    bool fourChannel = false;
    std::uint32_t viewMask = 0;
    std::uint16_t channelMask = 0;        ///< channels of the waveforms, spectra, octaves and time intersections
    std::uint16_t bufferMask = 0;         ///< channels or profiles of the Buffer/Logger
    std::uint16_t monitorProfiles = 0;
    std::uint16_t resultMask = 0;         ///< channels (two bits each) that have results
    std::uint16_t statisticsMask = 0;     ///< broadband statistics
    std::uint16_t levelsMask = 0;         ///< broadband levels
    std::uint16_t bandStatisticsMask = 0; ///< octave-band statistics (four-channel files)
    std::uint16_t bandLevelsMask = 0;     ///< octave-band levels (four-channel files)
    std::array<RtBandRange, 2> rt{};
};

KindChannelFacts KindChannelFactsOf(const CTmDoc& doc);

/// Offers `mask` and repairs the selection and the profiles to it.
void SetAvailableChannels(MeasurementViewState& view, const KindChannelFacts& doc, std::uint16_t mask);

/// The channels a statistics command offers (`levels`: the Levels commands).
std::uint16_t StatisticsChannelMask(const MeasurementViewState& view, const KindChannelFacts& doc, bool levels);

/// The marker group of the kind shown; none for kinds without a marker (levels among them).
std::optional<MarkerGroup> MarkerGroupOf(const MeasurementViewState& view);
/// MarkState and MarkedRange from the kind's saved marker (when it has one).
void LoadKindMarker(MeasurementViewState& view);
/// The marker into the kind's saved entry (when it has one).
void SaveKindMarker(MeasurementViewState& view);

/// Time intersections in the reverberation procedure: BandIndex into the range
/// of the band set; above the last band it goes to the band after the range.
void HoldReverbBand(MeasurementViewState& view, const KindChannelFacts& doc);

/// The part of a View command between loading the page and building the form:
/// the kind's marker, its channels, and the reverberation band.
void ApplyKindChannels(MeasurementViewState& view, const KindChannelFacts& doc);

/// The Statistics and Time intersections submenus of the View menu.
CommandUi StatisticsSubmenuState(const MeasurementViewState& view, bool hasStatistics);
CommandUi IntersectionsSubmenuState(const MeasurementViewState& view, bool hasTimeIntersections);

} // namespace orlu
