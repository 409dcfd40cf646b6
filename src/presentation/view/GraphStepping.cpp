#include "presentation/view/GraphStepping.h"

#include "presentation/view/ViewSelection.h"

#include <algorithm>
#include <limits>

namespace orlu {
namespace {

// The page that keeps the time intersections' state.
int TimeIntersectionPage()
{
    for (const ViewCommand& command : ViewCommands())
        if (command.kind == kViewTimeIntersections)
            return command.page;
    return -1;
}

} // namespace

bool HasGraphForm(int viewKind) { return viewKind >= kViewHistograms && viewKind <= kViewTimeIntersections; }

std::uint8_t InitialGraphSizeIndex(int channelCount)
{
    return static_cast<std::uint8_t>(std::clamp(channelCount - 1, 0, static_cast<int>(kLastGraphSize)));
}

std::uint8_t StepGraphSize(std::uint8_t size, bool backwards)
{
    if (backwards)
        return size == 0 || size > kLastGraphSize ? kLastGraphSize : static_cast<std::uint8_t>(size - 1);
    return size >= kLastGraphSize ? 0 : static_cast<std::uint8_t>(size + 1);
}

GraphFormAction OnGraphForm(MeasurementViewState& view, bool modifierHeld)
{
    if (!HasGraphForm(view.ViewKind))
        return GraphFormAction::None;
    GraphFormFields& g = view.Graph;
    const bool shown = view.GraphShown();
    std::uint8_t size = std::min(g.GraphSizeIndex, kLastGraphSize);
    if (shown)
        size = StepGraphSize(size, modifierHeld);
    g.GraphSizeIndex = size;
    g.GraphSizeByKind[view.ViewKind] = size;
    if (!shown)
        return GraphFormAction::Build;
    // The data stay as built; the engine's state takes the new size here, so
    // that whoever paints next (the window, a copy, a headless picture)
    // paints it at that size.
    view.GraphForm.Plot.GraphSizeIndex = size;
    return GraphFormAction::Repaint;
}

std::int32_t MaxAggregationFor(std::int64_t records)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(records / 2, 1, std::numeric_limits<std::int32_t>::max()));
}

bool StepRecord(MeasurementViewState& view, RecordStep step, bool ctrl)
{
    if (!view.GraphShown() || !view.RecordStepping || view.CurrentRecordPtr == nullptr)
        return false;
    const std::int32_t first = view.FirstRecord;
    const std::int32_t last = std::max(view.FirstRecord, view.LastRecord);
    const std::int32_t old = *view.CurrentRecordPtr;
    std::int64_t number = old;
    switch (step) {
    case RecordStep::Next: number += 1; break;
    case RecordStep::Previous: number -= 1; break;
    case RecordStep::NextFive: number = ctrl ? last : number + 5; break;
    case RecordStep::PreviousFive: number = ctrl ? first : number - 5; break;
    }
    const auto moved = static_cast<std::int32_t>(std::clamp<std::int64_t>(number, first, last));
    if (moved == old)
        return false;
    *view.CurrentRecordPtr = moved;

    const bool spectraOrOctaves = view.ViewKind >= kViewSpectra && view.ViewKind <= kViewThirdOctaves;
    if (spectraOrOctaves && view.CurrentRecordPtr == &view.GraphRecord) {
        // The time intersections and the Buffer follow to the record shown.
        const int page = TimeIntersectionPage();
        const std::int32_t a = page >= 0 ? std::max(1, view.Pages[static_cast<std::size_t>(page)].Aggregation) : 1;
        CursorPair& intersections = view.Graph.Saved(CursorGroup::TimeIntersections);
        intersections.cursor = std::max(0, moved / a - 1 - intersections.window);
        view.Graph.Saved(CursorGroup::BufferLogger).cursor = intersections.cursor;
    } else if (view.ViewKind == kViewTimeIntersections) {
        view.BandIndex = std::max(0, view.BandIndex + (moved - old));
    }
    return true;
}

void CarryBandIndex(MeasurementViewState& view, int viewKind, const BandLayout& bands)
{
    if (viewKind != kViewOctaves && viewKind != kViewThirdOctaves)
        return;
    if (view.OctaveIndexKind != kNoOctaveSet && view.OctaveIndexKind != viewKind)
        view.BandIndex = viewKind == kViewOctaves ? ToOctaveSet(view.BandIndex, bands)
                                                  : ToThirdOctaveSet(view.BandIndex, bands);
    view.OctaveIndexKind = static_cast<std::uint8_t>(viewKind);
}

} // namespace orlu
