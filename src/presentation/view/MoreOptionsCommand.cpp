#include "presentation/view/MoreOptionsCommand.h"

#include "presentation/view/ToolsCommands.h"

#include <algorithm>

namespace orlu {
namespace {

constexpr std::int32_t kBarAggregationMax = 20;

bool HistoryKind(const MeasurementViewState& view)
{
    return view.ViewKind == kViewBufferLogger || (view.ViewKind == kViewTimeIntersections && view.Control.RtMode == 0);
}

// The plot never runs wider than the budget.
void FitPoints(GraphGeometry& g, std::int32_t pointCount)
{
    g.pointCount = std::max(1, std::min(g.pointCount, pointCount));
    while (g.pointCount > 1 && g.pointCount * g.pixelsPerPoint > kPlotWidthBudget)
        --g.pointCount;
}

bool BudgetChanged(const DisplayBudget& b, const GraphGeometry& g)
{
    return b.Width() != g.pixelsPerPoint || b.Count() != g.pointCount || b.Aggregation() != g.pointsPerColumn;
}

void TakeBudget(const DisplayBudget& b, GraphGeometry& g)
{
    g.pixelsPerPoint = b.Width();
    g.pointCount = b.Count();
    g.pointsPerColumn = b.Aggregation();
}

bool Steps(MeasurementViewState& view, GraphGeometry& g, const MoreOptionsFacts& doc, AppSettings& settings,
           MoreOptionsDialogs& dialogs)
{
    const std::uint8_t vk = view.ViewKind;
    const std::int32_t length = vk == kViewWaveforms ? doc.fftLength
                                : vk == kViewDensities ? doc.histClasses
                                                       : doc.records;
    const std::int32_t maxAggregation = std::max(1, view.MaxAggregation);
    MoreOptionsModel m(true, DisplayBudget(std::min(g.pixelsPerPoint, 50),
                                           std::min(g.pointCount, std::max(1, view.Graph.PointCount)),
                                           std::min(g.pointsPerColumn, maxAggregation), length, maxAggregation));
    m.AggregationOffered = HistoryKind(view);
    m.CirclesCheck = settings.CircleDraw;
    m.CircleRadiusIndex = settings.CircleRadius - 1;
    m.CircleMinStep = settings.CircleMinStep;
    m.MarkersOffered = doc.markers && HistoryKind(view);
    if (m.MarkersOffered) {
        m.MarkersCheck = settings.MarkersShow;
        m.MarkerMethodIndex = settings.MarkersMethod - 1;
    }
    m.BreaksOffered = doc.breaks && HistoryKind(view);
    if (m.BreaksOffered)
        m.BreaksCheck = settings.BreaksShow;
    dialogs.RunMoreOptions(m);
    if (!m.Accepted)
        return false;
    settings.CircleDraw = m.CirclesCheck;
    settings.CircleRadius = m.CircleRadiusIndex + 1;
    settings.CircleMinStep = m.CircleMinStep;
    if (m.MarkersOffered) {
        settings.MarkersShow = m.MarkersCheck;
        settings.MarkersMethod = static_cast<std::uint8_t>(m.MarkerMethodIndex + 1);
    }
    if (m.BreaksOffered)
        settings.BreaksShow = m.BreaksCheck;
    const bool rebuild = m.Budget.Aggregation() != g.pointsPerColumn;
    if (!BudgetChanged(m.Budget, g))
        return rebuild;
    TakeBudget(m.Budget, g);
    std::int32_t pointCount = g.pointCount;
    if (HistoryKind(view)) {
        // Both history pages keep the aggregation chosen on either.
        view.Aggregation = g.pointsPerColumn;
        view.Graph.PointCount = (std::max(doc.records, 1) - 1) / view.Aggregation + 1;
        pointCount = view.Graph.PointCount;
        const CursorPair pair{view.CursorIndex, view.WindowStart};
        view.Graph.Saved(CursorGroup::TimeIntersections) = pair;
        view.Graph.Saved(CursorGroup::BufferLogger) = pair;
    }
    FitPoints(g, pointCount);
    return rebuild;
}

bool Bars(MeasurementViewState& view, GraphGeometry& g, const MoreOptionsFacts& doc, MoreOptionsDialogs& dialogs)
{
    const std::uint8_t vk = view.ViewKind;
    const std::int32_t length = vk == kViewHistograms ? doc.histClasses : doc.bands;
    MoreOptionsModel m(false, DisplayBudget(std::min(g.pixelsPerPoint, 50),
                                            std::min(g.pointCount, view.Graph.PointCount & 0xFFFF),
                                            std::min(g.pointsPerColumn, kBarAggregationMax), length,
                                            kBarAggregationMax));
    m.CountFixed = vk == kViewOctaves || vk == kViewThirdOctaves || vk == kViewStatisticalLevels;
    m.AggregationOffered = vk == kViewSpectra && !view.Spectra.TonalityShown;
    m.SolidBarsCheck = m.SavedSolidBars = view.Tools.SolidBars;
    dialogs.RunMoreOptions(m);
    if (!m.Accepted)
        return false;
    if (m.SavedSolidBars == view.Tools.SolidBars && !BudgetChanged(m.Budget, g))
        return true;
    view.Tools.SolidBars = m.SavedSolidBars;
    TakeBudget(m.Budget, g);
    if (vk != kViewHistograms && (doc.bandKind == 1 || doc.bandKind == 2)) {
        view.Aggregation = g.pointsPerColumn;
        view.Graph.PointCount = (std::max(doc.bands, 1) - 1) / view.Aggregation + 1;
        view.RecordCount = static_cast<std::int16_t>(view.Graph.PointCount);
    }
    FitPoints(g, view.Graph.PointCount > 0 ? view.Graph.PointCount : g.pointCount);
    return true;
}

} // namespace

bool MoreOptionsOffered(const MeasurementViewState& view)
{
    return view.GraphShown() && view.MultiElement == 0 && view.ViewKind >= kViewHistograms &&
           view.ViewKind <= kViewTimeIntersections;
}

MoreOptionsOutcome RunMoreOptions(MeasurementViewState& view, GraphGeometry& geometry, const MoreOptionsFacts& doc,
                                  AppSettings& settings, MoreOptionsDialogs& dialogs)
{
    if (!MoreOptionsOffered(view))
        return MoreOptionsOutcome::NotOffered;
    const std::uint8_t vk = view.ViewKind;
    const bool steps = vk == kViewDensities || vk == kViewBufferLogger || vk == kViewWaveforms ||
                       vk == kViewTimeIntersections;
    const bool rebuild = steps ? Steps(view, geometry, doc, settings, dialogs) : Bars(view, geometry, doc, dialogs);
    if (!rebuild)
        return MoreOptionsOutcome::Repaint;
    geometry.plotWidth = geometry.pointCount * geometry.pixelsPerPoint;
    view.Control.PixelZoom = 0;
    view.ShownViewKind = kRepaintWholeView;
    return MoreOptionsOutcome::BuildGraph;
}

} // namespace orlu
