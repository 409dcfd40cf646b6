#include "presentation/view/GraphZoom.h"

#include <algorithm>

namespace orlu {
namespace {

constexpr std::int32_t kSpectrumMaxDegree = 20;
constexpr std::int32_t kFewestPixelZoomPoints = 5;
constexpr std::uint8_t kForcedRebuild = 254;

bool ZoomKind(const MeasurementViewState& view, const ZoomFacts& facts)
{
    if (view.ViewKind == kViewSpectra)
        return !view.MultiElement;
    return (view.ViewKind == kViewBufferLogger || view.ViewKind == kViewTimeIntersections) && facts.sourcePoints > 1;
}

std::int32_t PlotWidth(const GraphGeometry& g)
{
    return g.plotWidth > 0 ? g.plotWidth : g.pointCount * std::max(g.pixelsPerPoint, 1);
}

std::int32_t Degree(const MeasurementViewState& view) { return std::max(view.Aggregation, 1); }

// Points of the data at degree `degree`.
std::int32_t PointsAt(const ZoomFacts& facts, std::int32_t degree) { return (facts.sourcePoints - 1) / degree + 1; }

// The cursor stays on the source point it stood on, in the middle of the window when it can.
void CenterCursorWindow(MeasurementViewState& view, const GraphGeometry& g)
{
    const std::int32_t at = view.Graph.AbsCursor / Degree(view);
    view.CursorIndex = g.pointCount / 2;
    view.WindowStart = at - view.CursorIndex;
    if (view.WindowStart < 0) {
        view.WindowStart = 0;
        view.CursorIndex = at;
    }
}

void RecenterPixelZoom(MeasurementViewState& view, const GraphGeometry& g)
{
    const std::int32_t at = view.WindowStart + view.CursorIndex;
    view.CursorIndex = g.pointCount / 2;
    view.WindowStart = at - view.CursorIndex;
    if (view.WindowStart < 0) {
        view.WindowStart = 0;
        view.CursorIndex = at;
    }
}

void KeepZoomedCursor(MeasurementViewState& view)
{
    const CursorPair at{view.CursorIndex, view.WindowStart};
    if (view.ViewKind == kViewSpectra) {
        view.BandIndex = at.cursor;
        view.Graph.WindowFirst = at.window;
    } else {
        view.Graph.Saved(CursorGroup::BufferLogger) = at;
        view.Graph.Saved(CursorGroup::TimeIntersections) = at;
    }
    view.ShownViewKind = kForcedRebuild;
}

bool DegreeZooms(const MeasurementViewState& view, const ZoomFacts& facts, bool minus)
{
    if (view.Control.PixelZoom != 0)
        return false;
    return minus ? Degree(view) < facts.maxDegree : Degree(view) > 1;
}

} // namespace

ZoomFacts ZoomFactsFor(const MeasurementViewState& view, std::int32_t lines, std::int32_t records, bool tonality)
{
    if (view.ViewKind == kViewSpectra)
        return {lines, kSpectrumMaxDegree, tonality};
    return {records, std::max(view.MaxAggregation, 1), false};
}

bool ZoomMinusEnabled(const MeasurementViewState& view, const GraphGeometry& g, const ZoomFacts& facts)
{
    if (!ZoomKind(view, facts))
        return false;
    const bool degreeRoom = view.ViewKind == kViewSpectra ? !facts.tonality && Degree(view) <= kSpectrumMaxDegree - 1
                                                          : Degree(view) < facts.maxDegree;
    if (degreeRoom && view.Control.PixelZoom == 0)
        return PointsAt(facts, Degree(view) + 1) >= g.pointCount;
    return g.pixelsPerPoint > 1 && view.Graph.PointCount >= PlotWidth(g) / (g.pixelsPerPoint - 1);
}

bool ZoomPlusEnabled(const MeasurementViewState& view, const GraphGeometry& g, const ZoomFacts& facts)
{
    if (!ZoomKind(view, facts))
        return false;
    const std::int32_t n = PlotWidth(g) / (g.pixelsPerPoint + 1);
    return view.Control.PixelZoom == 0 || (facts.sourcePoints >= n && n > kFewestPixelZoomPoints - 1);
}

bool ZoomMinus(MeasurementViewState& view, GraphGeometry& g, const ZoomFacts& facts)
{
    if (facts.tonality)
        return false;
    if (DegreeZooms(view, facts, true)) {
        const std::int32_t degree = Degree(view) + 1;
        const std::int32_t n = PointsAt(facts, degree);
        if (n < g.pointCount)
            return false;
        view.Graph.PointCount = n;
        g.pointsPerColumn = degree;
        view.Aggregation = degree;
        CenterCursorWindow(view, g);
    } else {
        if (g.pixelsPerPoint <= 1)
            return false;
        const std::int32_t pitch = g.pixelsPerPoint - 1;
        const std::int32_t n = PlotWidth(g) / pitch;
        if (n > view.Graph.PointCount)
            return false;
        --view.Control.PixelZoom;
        g.pointCount = n;
        g.pixelsPerPoint = pitch;
        RecenterPixelZoom(view, g);
    }
    KeepZoomedCursor(view);
    return true;
}

bool ZoomPlus(MeasurementViewState& view, GraphGeometry& g, const ZoomFacts& facts)
{
    if (facts.tonality)
        return false;
    if (DegreeZooms(view, facts, false)) {
        view.Aggregation = Degree(view) - 1;
        g.pointsPerColumn = view.Aggregation;
        view.Graph.PointCount = PointsAt(facts, view.Aggregation);
        CenterCursorWindow(view, g);
    } else {
        const std::int32_t pitch = g.pixelsPerPoint + 1;
        const std::int32_t n = PlotWidth(g) / pitch;
        if (n > view.Graph.PointCount || n < kFewestPixelZoomPoints)
            return false;
        ++view.Control.PixelZoom;
        g.pointCount = n;
        g.pixelsPerPoint = pitch;
        RecenterPixelZoom(view, g);
    }
    KeepZoomedCursor(view);
    return true;
}

} // namespace orlu
