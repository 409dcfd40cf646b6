#pragma once
// The painting frame of the graph form: the scale of the target, the panel
// height, the window of points, the panels of the PlotKind with their plot
// routines and, with the cursor on, their read-outs. It paints onto the
// canvas it is given and tells the height the panels need; the view keeps
// the bitmap (sized from that height) and shows it.

namespace orlu {

class Canvas;
class GraphDocument;
class PlotRoutines;
struct GraphSettings;
struct GraphViewState;

/// What one paint used and needs.
struct GraphPaintResult {
    int scale = 1;
    int panels = 0;
    int height = 0;               ///< device pixels the drawn panels take
    bool scrollChanged = false;   ///< the decay graph moved the window: the view updates its scroll bar
};

inline constexpr int kGraphBitmapWidth = 1000;

GraphPaintResult PaintGraph(Canvas& canvas, GraphViewState& view, GraphDocument& doc, const GraphSettings& settings,
                            PlotRoutines& routines);

} // namespace orlu
