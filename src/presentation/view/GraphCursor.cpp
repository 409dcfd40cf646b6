#include "presentation/view/GraphCursor.h"

#include "presentation/view/MeasurementViewState.h"

#include <algorithm>
#include <optional>

namespace orlu {
namespace {

// The group whose pair the kind keeps; none for the kinds that keep theirs
// in BandIndex and WindowFirst (levels, spectra, octaves) or have no graph.
std::optional<CursorGroup> GroupOf(int viewKind, bool tonality)
{
    switch (viewKind) {
    case kViewHistograms: return CursorGroup::Histograms;
    case kViewDensities: return CursorGroup::Densities;
    case kViewBufferLogger: return CursorGroup::BufferLogger;
    case kViewWaveforms: return CursorGroup::Waveforms;
    case kViewTimeIntersections: return CursorGroup::TimeIntersections;
    case kViewSpectra: return tonality ? std::optional{CursorGroup::Tonality} : std::nullopt;
    default: return std::nullopt;
    }
}

bool KeepsBandCursor(int viewKind, bool tonality)
{
    return viewKind == kViewStatisticalLevels || viewKind == kViewOctaves || viewKind == kViewThirdOctaves ||
           (viewKind == kViewSpectra && !tonality);
}

} // namespace

CursorPair MoveCursorInWindow(CursorPair at, CursorAction action, std::int32_t point, CursorMode mode, bool ctrl,
                              const CursorGraph& graph)
{
    const std::int64_t total = std::max(graph.total, 0);
    if (total == 0)
        return {};
    // A window of no points would stop every move (and divide the mouse pace).
    const std::int64_t size = std::clamp<std::int64_t>(graph.windowSize, 1, total);
    const std::int64_t lastWindow = total - size;
    std::int64_t window = std::clamp<std::int64_t>(at.window, 0, lastWindow);
    std::int64_t cursor = std::clamp<std::int64_t>(at.cursor, 0, size - 1);
    std::int64_t step = 1;

    if (mode == CursorMode::Mouse) {
        if (point >= 0 && point < size)
            return {static_cast<std::int32_t>(point), static_cast<std::int32_t>(window)};
        const bool left = point < 0;
        const std::int64_t distance = left ? -static_cast<std::int64_t>(point) : point - size + 1;
        step = std::max<std::int64_t>(1, distance * std::max(graph.pixelsPerPoint, 1) / 3);
        const bool inside = cursor > 0 && cursor < size - 1;
        action = inside ? (left ? CursorAction::Home : CursorAction::End) : (left ? CursorAction::Left : CursorAction::Right);
        ctrl = false;
    }
    if (ctrl && (action == CursorAction::Left || action == CursorAction::Right)) {
        action = action == CursorAction::Left ? CursorAction::Home : CursorAction::End;
        ctrl = false;
    }

    switch (action) {
    case CursorAction::Left:
        cursor -= step;
        if (cursor < 0) {
            cursor = 0;
            window = std::max<std::int64_t>(0, window - step);
        }
        break;
    case CursorAction::Right:
        cursor += step;
        if (cursor >= size - 1) {
            const std::int64_t position = std::min(window + cursor, total - 1);
            window = std::max<std::int64_t>(0, position - (size - 1));
            cursor = position - window;
        }
        break;
    case CursorAction::ToPoint:
    case CursorAction::ToPointToo: {
        const std::int64_t p = std::clamp<std::int64_t>(point, 0, total - 1);
        if (p < window) {
            window = p;
            cursor = 0;
        } else if (p >= window + size - 1) {
            cursor = size - 1;
            window = p - cursor;
        } else {
            cursor = p - window;
        }
        break;
    }
    case CursorAction::Home:
        if (ctrl)
            cursor = window = 0;
        else if (cursor != 0)
            cursor = 0;
        else
            window = std::max<std::int64_t>(0, window - size);
        break;
    case CursorAction::End:
        if (ctrl) {
            window = lastWindow;
            cursor = size - 1;
        } else if (cursor != size - 1) {
            cursor = size - 1;
        } else {
            window = std::min(lastWindow, window + size);
        }
        break;
    }
    window = std::clamp<std::int64_t>(window, 0, lastWindow);
    cursor = std::clamp<std::int64_t>(cursor, 0, size - 1);
    return {static_cast<std::int32_t>(cursor), static_cast<std::int32_t>(window)};
}

bool MoveCursor(MeasurementViewState& view, CursorAction action, std::int32_t point, CursorMode mode, bool ctrl,
                const CursorContext& context)
{
    if (!view.GraphShown() || !view.CursorOn)
        return false;
    const int kind = view.ViewKind;
    const bool history = kind == kViewBufferLogger || kind == kViewTimeIntersections;
    const std::int32_t a = std::max(1, view.Aggregation);
    GraphFormFields& g = view.Graph;
    // A time history's cursor stays on a record of the data, whatever point
    // count an earlier build left.
    const std::int32_t total = history ? std::min(context.total, context.records / a) : context.total;
    g.WindowSize = history ? std::min(context.fittingPoints, total) : context.fittingPoints;
    const CursorGraph graph{total, g.WindowSize, context.pixelsPerPoint};
    const CursorPair at = MoveCursorInWindow({view.CursorIndex, view.WindowStart}, action, point, mode, ctrl, graph);

    if (history) {
        g.Saved(CursorGroup::BufferLogger) = at;
        g.Saved(CursorGroup::TimeIntersections) = at;
        view.GraphRecord = (at.window + 1 + at.cursor) * a;
    } else if (const auto group = GroupOf(kind, context.tonality)) {
        g.Saved(*group) = at;
    }
    if (KeepsBandCursor(kind, context.tonality)) {
        view.BandIndex = at.cursor;
        g.WindowFirst = at.window;
        view.GraphBandIndex = at.window + at.cursor;
    }
    view.CursorIndex = at.cursor;
    view.WindowStart = at.window;
    g.AbsCursor = (at.window + at.cursor) * a;
    return true;
}

bool KeepsTonalityCursor(const MeasurementViewState& view)
{
    return view.ViewKind == kViewSpectra && (view.Spectra.TonalityShown != 0 || view.Spectra.Band == 2);
}

void LoadSavedCursor(MeasurementViewState& view, bool tonality)
{
    if (KeepsBandCursor(view.ViewKind, tonality)) {
        view.CursorIndex = view.BandIndex;
        view.WindowStart = view.Graph.WindowFirst;
    } else if (const auto group = GroupOf(view.ViewKind, tonality)) {
        view.CursorIndex = view.Graph.Saved(*group).cursor;
        view.WindowStart = view.Graph.Saved(*group).window;
    }
}

} // namespace orlu
