#include "graph/GraphPainter.h"

#include "graph/GraphDocument.h"
#include "graph/GraphSettings.h"
#include "graph/GraphViewState.h"
#include "graph/GraphWindow.h"
#include "graph/PlotDispatch.h"
#include "graph/WaterfallPaint.h"
#include "platform/canvas/Canvas.h"

#include <algorithm>

namespace orlu {
namespace {

int ScaleOf(const Canvas& canvas, const GraphViewState& v)
{
    switch (canvas.Target()) {
    case CanvasTarget::Printer:
        return std::max<int>(1, v.PrintZoom);
    case CanvasTarget::Metafile:
        return 5 * std::max<int>(1, v.GraphScale);
    case CanvasTarget::Screen:
        break;
    }
    return std::max<int>(1, v.GraphScale);
}

// The first cursor request of the decay panels (0: none).
int CursorRequestOf(const std::vector<PanelArgs>& panels, PlotRoutines& routines)
{
    if (panels.empty() || panels.front().group != PlotGroup::Decay)
        return 0;
    for (const PanelArgs& a : panels)
        if (const int request = routines.CursorRequest(a); request >= 1)
            return request;
    return 0;
}

} // namespace

GraphPaintResult PaintGraph(Canvas& canvas, GraphViewState& v, GraphDocument& doc, const GraphSettings& settings,
                            PlotRoutines& routines)
{
    GraphPaintResult out;
    out.scale = ScaleOf(canvas, v);
    const bool printing = canvas.Target() == CanvasTarget::Printer;
    v.GraphHeight = GetPlotMargins(v.Geometry, v.GraphSizeIndex, printing, v.RtMode != 0);
    const int baseHeight = v.GraphHeight;

    // One picture of all spectra, without panels or read-outs.
    if (IsMultiElementPicture(v)) {
        out.height = PaintMultiElementPicture(canvas, out.scale, v, doc, settings);
        out.panels = out.height > 0 ? 1 : 0;
        v.PanelsDrawn = out.panels;
        return out;
    }

    ClampGraphWindow(v);
    std::vector<PanelArgs> panels = PlanPanels(v, doc, settings);

    // The decay graph may ask for the cursor at a point near the window's
    // right edge: the window follows it before anything is drawn, so that a
    // recording canvas holds the panels once.
    if (const int request = CursorRequestOf(panels, routines); request >= 1) {
        v.CursorIndex = request - v.WindowStart;
        while (v.CursorIndex > v.WindowSize - 5 && v.WindowStart + v.WindowSize < v.PointCount) {
            ++v.WindowStart;
            --v.CursorIndex;
        }
        if (v.WindowStart + v.CursorIndex > v.PointCount - 1)
            v.WindowStart = std::max(0, v.PointCount - v.WindowSize);
        out.scrollChanged = true;
        v.GraphHeight = baseHeight;
        panels = PlanPanels(v, doc, settings);
    }
    for (const PanelArgs& a : panels) {
        const PanelHead head{canvas, out.scale, a.xShift, a.y, a.plotKind, a.geometry, v.GraphSizeIndex};
        routines.Plot(head, a, settings);
    }
    v.ShownFirstPoint = v.WindowStart;

    if (v.CursorOn != 0)
        for (const PanelArgs& a : panels) {
            const PanelHead head{canvas, out.scale, a.xShift, a.y, a.plotKind, a.geometry, v.GraphSizeIndex};
            routines.Readout(head, a, settings);
        }

    out.panels = static_cast<int>(panels.size());
    v.PanelsDrawn = out.panels;
    out.height = out.panels * v.GraphHeight * out.scale;
    return out;
}

} // namespace orlu
