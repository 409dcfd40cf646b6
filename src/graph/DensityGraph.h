#pragma once
// One density panel: the statistical density of a channel as a curve over
// the level classes, with its own class axis (ticks on the class bounds), the
// histogram's percent axis, the block band and marker lines; and its read-out
// (cursor class and density, marker classes, block probability).

#include "graph/GraphLayout.h"
#include "graph/HistogramGraph.h"

namespace orlu {

struct GraphSettings;

inline constexpr Rgb kDensityCursorColour{128, 128, 0};

/// Pixel row of a density (1.0: the top edge), kept two pixels above the bottom.
int DensityRow(double density, int top, int bottom, int plotHeight);

/// The class axis of densities: a tick and label on every `labelStep`-th class
/// bound, the first on the first visible class whose number is a multiple of it.
struct DensityAxisArgs {
    int scale = 1;
    int left = 0;
    int bottom = 0;
    int width = 0;
    int visibleCount = 0;
    int firstClass = 0;
    int labelStep = 10;
    int tick = 0;
    double classLow = 0.0;
    double classWidth = 1.0;
};
void DrawDensityClassAxis(Canvas& canvas, const DensityAxisArgs& a);

/// Draws the panel (the densities are `panel.values`, fractions); returns the first class shown.
int DrawDensityGraph(const PanelHead& head, const HistogramPanel& panel, const GraphSettings& settings);
void DrawDensityCursor(const PanelHead& head, const HistogramPanel& panel);

} // namespace orlu
