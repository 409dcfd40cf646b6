#include "presentation/view/GraphMarking.h"

#include "presentation/view/ViewKindChannels.h"

#include <algorithm>

namespace orlu {
namespace {

constexpr std::uint8_t kForcedRebuild = 254;

struct ScaleLimits {
    std::int16_t low;
    std::int16_t high;
};
constexpr ScaleLimits kWaveformLimits{-20, 20};
constexpr ScaleLimits kLinearLimits{-17, 37};
constexpr ScaleLimits kDbLimits{-17, 21};

bool TimeBlockKind(const MeasurementViewState& view)
{
    return view.ViewKind == kViewBufferLogger || (view.ViewKind == kViewTimeIntersections && !view.Control.RtMode);
}

bool PointMarkKind(std::uint8_t kind)
{
    return kind == kViewHistograms || kind == kViewDensities || (kind >= kViewWaveforms && kind <= kViewThirdOctaves);
}

const DrawSwitches& DrawSwitchesOf(const MeasurementViewState& view)
{
    return view.ViewKind == kViewTimeIntersections ? view.Control.DrawInBlockTi : view.BlockResultSwitches;
}

void SortRange(MeasurementViewState& view, std::int32_t p)
{
    const std::int32_t first = view.MarkedRange[0];
    view.MarkedRange = {std::min(first, p), std::max(first, p)};
    view.MarkState = 2;
}

// Histograms and densities share one marker: a density class is one past the histogram's.
void SaveStatisticsMarker(MeasurementViewState& view, bool withOffset)
{
    GraphControlFields& c = view.Control;
    const SavedMarker marker{view.MarkState, view.MarkedRange};
    if (!withOffset) {
        c.Saved(MarkerGroup::Histograms) = marker;
        c.Saved(MarkerGroup::Densities) = marker;
        return;
    }
    if (view.ViewKind == kViewHistograms) {
        c.Saved(MarkerGroup::Histograms) = marker;
        SavedMarker density = marker;
        if (density.state == 2)
            density.range[1] += 1;
        c.Saved(MarkerGroup::Densities) = density;
    } else {
        c.Saved(MarkerGroup::Densities) = marker;
        SavedMarker histogram = marker;
        if (histogram.state == 2) {
            histogram.range[1] -= 1;
            if (histogram.range[0] > histogram.range[1])
                histogram.state = 1;
        }
        c.Saved(MarkerGroup::Histograms) = histogram;
    }
}

void SaveMarker(MeasurementViewState& view, bool withOffset)
{
    if (view.ViewKind == kViewHistograms || view.ViewKind == kViewDensities)
        SaveStatisticsMarker(view, withOffset);
    else
        SaveKindMarker(view);
}

MarkOutcome MarkTimeBlock(MeasurementViewState& view, bool showBlockDialog)
{
    const std::int32_t p = (view.WindowStart + view.CursorIndex) * std::max(view.Aggregation, 1);
    switch (view.MarkState) {
    case 0:
        view.MarkedRange[0] = p;
        view.MarkState = 1;
        SaveMarker(view, false);
        return MarkOutcome::Repaint;
    case 1: {
        SortRange(view, p);
        SaveMarker(view, false);
        if (!showBlockDialog) {
            const DrawSwitches& draw = DrawSwitchesOf(view);
            const bool drawn = std::any_of(draw.begin(), draw.end(), [](std::int32_t s) { return s != 0; });
            return drawn ? MarkOutcome::Rebuild : MarkOutcome::Repaint;
        }
        return MarkOutcome::BlockDialog;
    }
    default: return MarkOutcome::BlockDialog;
    }
}

MarkOutcome MarkPoint(MeasurementViewState& view)
{
    const std::int32_t q = view.WindowStart + view.CursorIndex;
    const std::int32_t a = std::max(view.Aggregation, 1);
    const std::int32_t p = q == 0 ? (view.ViewKind == kViewSpectra ? 1 : 0) : (q - 1) * a + 1;
    switch (view.MarkState) {
    case 0:
        view.MarkedRange[0] = p;
        view.MarkState = 1;
        break;
    case 1: SortRange(view, p); break;
    default: break;
    }
    SaveMarker(view, true);
    return MarkOutcome::Rebuild;
}

std::int16_t Step(std::int16_t value, bool up, ScaleLimits limits)
{
    return up ? static_cast<std::int16_t>(std::min<int>(value + 1, limits.high))
              : static_cast<std::int16_t>(std::max<int>(value - 1, limits.low));
}

} // namespace

MarkOutcome MarkAtCursor(MeasurementViewState& view, bool showBlockDialog)
{
    if (!view.GraphShown())
        return MarkOutcome::None;
    if (TimeBlockKind(view))
        return MarkTimeBlock(view, showBlockDialog);
    if (PointMarkKind(view.ViewKind))
        return MarkPoint(view);
    return MarkOutcome::None;
}

MarkOutcome StepMarkerBack(MeasurementViewState& view)
{
    const std::uint8_t kind = view.ViewKind;
    const bool marks = kind == kViewHistograms || (kind >= kViewDensities && kind <= kViewThirdOctaves) ||
                       (kind == kViewTimeIntersections && !view.Control.RtMode);
    if (!view.GraphShown() || !marks)
        return MarkOutcome::None;
    if (view.MarkState != 0) {
        --view.MarkState;
        view.MarkedRange[view.MarkState] = 0;
    }
    SaveMarker(view, false);
    return MarkOutcome::Repaint;
}

int LevelUnitsMode(const MeasurementViewState& view)
{
    const bool unitsKind = view.ViewKind >= kViewBufferLogger && view.ViewKind <= kViewTimeIntersections;
    return unitsKind ? view.UnitsByKind[0] & 3 : 0;
}

bool ResetLevelScale(MeasurementViewState& view)
{
    LevelScaleSteps& s = view.Control.Scale;
    const int mode = LevelUnitsMode(view);
    if (view.ViewKind != kViewWaveforms && mode != 0) {
        std::int16_t& linear = s.LinearScaleOffset[static_cast<std::size_t>(mode)];
        if (linear == 0)
            return false;
        linear = 0;
        return true;
    }
    if (s.LevelPitchOffset == 0 && s.LevelZoomOffset == 0)
        return false;
    s.LevelPitchOffset = s.LevelZoomOffset = 0;
    return true;
}

bool StepLevelScale(MeasurementViewState& view, bool up, bool shift, bool waveformSamples)
{
    LevelScaleSteps& s = view.Control.Scale;
    std::int16_t* value = nullptr;
    ScaleLimits limits = kDbLimits;
    const int mode = LevelUnitsMode(view);
    if (view.ViewKind == kViewWaveforms || (view.ViewKind == kViewBufferLogger && waveformSamples)) {
        value = &s.LevelZoomOffset;
        limits = kWaveformLimits;
    } else if (mode != 0) {
        value = &s.LinearScaleOffset[static_cast<std::size_t>(mode)];
        limits = kLinearLimits;
    } else {
        value = shift ? &s.LevelPitchOffset : &s.LevelZoomOffset;
    }
    const std::int16_t stepped = Step(*value, up, limits);
    if (stepped == *value)
        return false;
    *value = stepped;
    if (view.MultiElement)
        view.ShownViewKind = kForcedRebuild;
    return true;
}

} // namespace orlu
