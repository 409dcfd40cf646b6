#pragma once
// The frame of a multi element picture: its axes (frequency under the front
// edge, time along the right depth edge, level up the left front edge) and
// the dotted box around it, left out where the surface covers it.

#include "graph/BandAxis.h"
#include "graph/WaterfallGraph.h"

#include <optional>

namespace orlu {

class HorizonSurface;

/// The frequency axis: a band axis of the PlotKind, or linear FFT frequencies.
enum class WaterfallAxisKind { Linear, Bands };

void DrawWaterfallAxes(Canvas& canvas, int scale, WaterfallAxisKind kind, const WaterfallGeometry& g,
                       const MultiElementOptions& options);

/// The dotted box. Mode 3 draws every dot; mode 1 the whole box where the
/// surface leaves it free; mode 0 only the left depth edge.
void DrawWaterfallGrid(Canvas& canvas, int mode, const WaterfallGeometry& g, const HorizonSurface& horizons);

/// The band axis of the picture: N, first position, step and totals by PlotKind
/// (N and the totals without the totals when they are not shown).
std::optional<BandAxisRow> WaterfallBandAxisOf(int plotKind, bool totalsShown);

/// "%.1f" seconds of the time axis's tick i (0 to 4).
double WaterfallTickTime(const MultiElementGrid& grid, int tick);

} // namespace orlu
