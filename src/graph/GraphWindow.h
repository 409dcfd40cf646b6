#pragma once
// The small rules of the painting frame: the window of points kept inside
// the data, the panel height of a graph size, the display quantity of the
// view, and the band offsets that line up the panels of channels whose
// bands start at different frequencies.

#include <array>
#include <cstdint>

namespace orlu {

class GraphDocument;
struct GraphGeometry;
struct GraphViewState;

/// Keeps WindowStart, CursorIndex and the window size inside the data.
void ClampGraphWindow(GraphViewState& view);

/// The unscaled panel height of a graph size; sets the geometry's top margin and plot height.
int GetPlotMargins(GraphGeometry& geometry, int sizeIndex, bool printing, bool reverberationSteps);

/// The display quantity of the view: 0 dB, 1 linear, 2 velocity, 3 displacement.
int GetUnitsMode(const GraphViewState& view, const GraphDocument& doc);

/// Per channel, how many bands it starts after the lowest first band and
/// ends before the highest last band.
struct ChannelBandOffsets {
    std::array<std::uint16_t, 5> offsets{};
    std::array<std::uint16_t, 5> tails{};
    int lowestChannel = 0; ///< the channel with the lowest first band (the earliest on ties)
};
ChannelBandOffsets AlignChannelBands(GraphDocument& doc, std::uint16_t channelMask, bool oneOne);

} // namespace orlu
