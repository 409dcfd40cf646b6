#pragma once
// One panel of the statistical levels as a band graph: the level Ln of every
// band and total as a bar over the band axis of its PlotKind, always in dB,
// and its read-out (cursor bar and one line naming band and level).

#include "graph/GraphLayout.h"

#include <optional>

namespace orlu {

struct BandAxisRow;
struct GraphSettings;
struct SpectrumPanel;

inline constexpr Rgb kStatLevelBarColour{255, 0, 0};
inline constexpr Rgb kStatLevelCursorColour{64, 64, 64};
/// The narrowest level range the zoom leaves (dB).
inline constexpr double kMinStatLevelSpan = 5.0;

/// The band axis of a statistical-level PlotKind; none for kinds without one.
std::optional<BandAxisRow> StatLevelBandAxisOf(int plotKind);

/// Height of the bar of a level `above` dB over the bottom: one pixel more
/// than its share of the plot, clipped to 1 .. plot height.
int StatLevelBarHeight(double above, double span, int plotHeight);

/// Draws the panel (the panel's quantity is ignored: levels are in dB); returns the first position shown.
int DrawStatLevelSpectrumGraph(const PanelHead& head, const SpectrumPanel& panel, const GraphSettings& settings);

/// Draws the cursor bar and the read-out line; nothing when the cursor is off.
void DrawStatLevelSpectrumCursor(const PanelHead& head, const SpectrumPanel& panel, const GraphSettings& settings);

} // namespace orlu
