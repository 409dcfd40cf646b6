#pragma once
// The fields the graph controllers keep beside the graph form: the marker
// each group of kinds keeps while another kind is shown, the level-scale
// steps of the keys + - *, what is drawn over a marked time-intersection
// block, the pixel zoom, the held mouse button and the enable states of
// Previous and Next that the keys consult.

#include "presentation/view/ViewPageState.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace orlu {

/// The Shift, Ctrl and Alt state a command or key acts with.
struct KeyModifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool Any() const { return shift || ctrl || alt; }
};

/// The kinds that keep a marker of their own. Buffer/Logger and the time
/// intersections share one, so a block marked on one shows on the other.
enum class MarkerGroup : std::uint8_t {
    Octaves11, Octaves13, BufferAndIntersections, Spectra, ShortBandSpectra, Histograms, Densities, Waveforms
};
inline constexpr std::size_t kMarkerGroups = 8;

/// A marker: 0 none, 1 one end set, 2 both; the range in source points, first <= last once both are set.
struct SavedMarker {
    std::uint8_t state = 0;
    std::array<std::int32_t, 2> range{};
    friend bool operator==(const SavedMarker&, const SavedMarker&) = default;
};

/// The four results that can be drawn over a marked block: RMS / LEQ, Lmax, Lmin, SEL.
using DrawSwitches = std::array<std::int32_t, 4>;

/// Level-scale steps: the dB scale's bottom and span, and one step per linear units mode (1 to 3).
struct LevelScaleSteps {
    std::int16_t LevelPitchOffset = 0;
    std::int16_t LevelZoomOffset = 0;
    std::array<std::int16_t, 4> LinearScaleOffset{};
};

struct GraphControlFields {
    std::array<SavedMarker, kMarkerGroups> SavedMarkers{};
    LevelScaleSteps Scale;
    DrawSwitches DrawInBlockTi{}; ///< the time intersections' switches (the Buffer's are BlockResultSwitches)
    std::int32_t TotalKinds = 0;  ///< a total (RMS / LEQ) can be drawn in a block
    std::int32_t LeqTotal = 0;    ///< the SEL can be drawn in a block
    std::int32_t RtMode = 0;      ///< time intersections: the reverberation procedure runs, the forms show its times
    std::int32_t OneChannelFunctions = 1; ///< the channel buttons choose channels, not A and B
    std::int32_t UseAllStatLevels = 0;    ///< the level records run over all 99 percentages
    std::int32_t PixelZoom = 0;   ///< steps of the pixel zoom; 0: the aggregation zooms
    std::int32_t GraphScale = 1;  ///< 1 on the screen
    std::int32_t GraphHeight = 0; ///< vertical pitch of the panels, pixels
    bool LeftButtonHeld = false;  ///< the left button is down on the view
    ViewPoint MousePoint;         ///< last position of the mouse in the client area
    std::int32_t PreviousEnabled = 0;
    std::int32_t NextEnabled = 0;

    SavedMarker& Saved(MarkerGroup g) { return SavedMarkers[static_cast<std::size_t>(g)]; }
    const SavedMarker& Saved(MarkerGroup g) const { return SavedMarkers[static_cast<std::size_t>(g)]; }
};

} // namespace orlu
