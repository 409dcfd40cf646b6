#pragma once
// The layout every plot and read-out routine starts with: its font, the plot
// rectangle in device pixels, the tick lengths, the text metrics and, for
// line plots, the radius of the circles at the nodes.

#include "document/GraphGeometry.h"
#include "platform/canvas/Canvas.h"

#include <string_view>

namespace orlu {

struct GraphSettings;

/// Bar plots (histograms, spectra) or line plots (time histories, decays, waveforms, densities).
enum class PlotShape { Bars = 0, Lines = 1 };

/// The shape of a layout type code: 0 bars, every other code (the decay
/// graph asks for 2 while it evaluates) lines.
inline PlotShape PlotShapeOfType(int type) { return type == 0 ? PlotShape::Bars : PlotShape::Lines; }

/// Where the routine draws (the common head of every plot and read-out routine).
struct PanelHead {
    Canvas& canvas;
    int scale = 1;
    int x = 0;
    int y = 0;
    int plotKind = 0;
    const GraphGeometry& geometry;
    int sizeIndex = 0;
};

struct PanelLayout {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    int pointCount = 0;
    int plotWidth = 0;
    int plotHeight = 0;
    int pixelsPerPoint = 0;
    int xTick = 0;     ///< tick length of the X axes
    int levelTick = 0; ///< tick length of the level and value axes
    bool printing = false;
    Font previousFont; ///< to be selected back when the routine is done
    FontMetrics metrics;
    int charWidth = 0;
    int lineHeight = 0;
    int circleRadius = 0;
};

/// The plot font: "Courier New", the size's font height, normal weight.
Font GraphFont(int scale, int sizeIndex);
/// The read-out font: the same, bold for the larger sizes.
Font ReadoutFont(int scale, int sizeIndex);

/// Selects the plot font, lays out the plot rectangle and writes the title
/// (and the subtitle under it when one is given and not empty).
PanelLayout LayoutGraph(PlotShape shape, const PanelHead& head, const GraphSettings& settings,
                        const char* title, const char* subtitle);
/// Selects the read-out font and lays out the same rectangle; a line plot's
/// read-out is one pixel narrower than its plot.
PanelLayout LayoutReadout(PlotShape shape, const PanelHead& head);

} // namespace orlu
