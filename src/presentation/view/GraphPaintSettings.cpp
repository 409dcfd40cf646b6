#include "presentation/view/GraphPaintSettings.h"

namespace orlu {

GraphSettings GraphSettingsOf(const AppSettings& s, bool nonMetric)
{
    GraphSettings g;
    g.GraphAutoScale = s.GraphAutoScale != 0;
    g.CursorRelTimeFormat = s.CursorRelTimeFormat != 0;
    g.TimeAxisFormat = s.TimeAxisFormat != 0;
    g.UseDate = s.UseDate != 0;
    g.CircleDraw = s.CircleDraw != 0;
    g.CircleRadius = s.CircleRadius;
    g.CircleMinStep = s.CircleMinStep;
    g.MarkersShow = s.MarkersShow != 0;
    g.MarkersMethod = s.MarkersMethod;
    g.BreaksShow = s.BreaksShow != 0;
    g.PrintGraphZoom = s.PrintGraphZoom;
    g.NonMetricUnits = nonMetric;
    return g;
}

} // namespace orlu
