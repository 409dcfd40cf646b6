// Markers set by Enter and taken back by Esc, and the level-scale keys.

#include "presentation/view/GraphMarking.h"

#include <gtest/gtest.h>

#include <vector>

namespace orlu {
namespace {

MeasurementViewState& OnGraph(MeasurementViewState& view, int kind)
{
    view.ViewKind = static_cast<std::uint8_t>(kind);
    view.FormFlags = form_flags::kGraph;
    return view;
}

void CursorAt(MeasurementViewState& view, int window, int cursor)
{
    view.WindowStart = window;
    view.CursorIndex = cursor;
}

TEST(Markers, MarkingALoggerBlockBackwardsStoresItAscending)
{
    MeasurementViewState view;
    OnGraph(view, kViewBufferLogger).Aggregation = 3;
    CursorAt(view, 100, 20);
    EXPECT_EQ(MarkAtCursor(view, false), MarkOutcome::Repaint);
    EXPECT_EQ(view.MarkState, 1);
    CursorAt(view, 90, 0);
    EXPECT_EQ(MarkAtCursor(view, false), MarkOutcome::Repaint);
    EXPECT_EQ(view.MarkState, 2);
    EXPECT_EQ(view.MarkedRange, (std::array<std::int32_t, 2>{270, 360}));
    // The time intersections share the marker.
    EXPECT_EQ(view.Control.Saved(MarkerGroup::BufferAndIntersections), (SavedMarker{2, {270, 360}}));
    // A third Enter offers the block operations.
    EXPECT_EQ(MarkAtCursor(view, false), MarkOutcome::BlockDialog);
}

TEST(Markers, TheSecondEndRebuildsWhenResultsAreDrawnOrOffersTheDialogAtOnce)
{
    MeasurementViewState view;
    OnGraph(view, kViewBufferLogger);
    MarkAtCursor(view, false);
    view.BlockResultSwitches = {0, 1, 0, 0};
    EXPECT_EQ(MarkAtCursor(view, false), MarkOutcome::Rebuild);

    MeasurementViewState quick;
    OnGraph(quick, kViewTimeIntersections);
    MarkAtCursor(quick, true);
    EXPECT_EQ(MarkAtCursor(quick, true), MarkOutcome::BlockDialog);
    quick.Control.RtMode = 1; // the procedure takes Enter for its own steps
    EXPECT_EQ(MarkAtCursor(quick, true), MarkOutcome::None);
}

TEST(Markers, EscStepsBackTwoOneZero)
{
    MeasurementViewState view;
    OnGraph(view, kViewOctaves);
    CursorAt(view, 0, 4);
    MarkAtCursor(view, false);
    CursorAt(view, 0, 9);
    MarkAtCursor(view, false);
    std::vector<int> states;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(StepMarkerBack(view), MarkOutcome::Repaint);
        states.push_back(view.MarkState);
    }
    EXPECT_EQ(states, (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(view.MarkedRange, (std::array<std::int32_t, 2>{0, 0}));
    EXPECT_EQ(view.Control.Saved(MarkerGroup::Octaves11).state, 0);
}

TEST(Markers, HistogramAndDensityShareOneMarkerOffsetByOneClass)
{
    MeasurementViewState view;
    OnGraph(view, kViewHistograms);
    CursorAt(view, 0, 3); // class point (3 - 1) + 1 = 3
    MarkAtCursor(view, false);
    CursorAt(view, 0, 8);
    EXPECT_EQ(MarkAtCursor(view, false), MarkOutcome::Rebuild);
    EXPECT_EQ(view.Control.Saved(MarkerGroup::Histograms), (SavedMarker{2, {3, 8}}));
    EXPECT_EQ(view.Control.Saved(MarkerGroup::Densities), (SavedMarker{2, {3, 9}}));

    MeasurementViewState density;
    OnGraph(density, kViewDensities);
    CursorAt(density, 0, 5);
    MarkAtCursor(density, false);
    MarkAtCursor(density, false); // one class: the histogram keeps one end only
    EXPECT_EQ(density.Control.Saved(MarkerGroup::Densities), (SavedMarker{2, {5, 5}}));
    EXPECT_EQ(density.Control.Saved(MarkerGroup::Histograms).state, 1);
}

TEST(LevelScale, KeysStopAtTheirLimitsAndStarResets)
{
    struct Case {
        int kind;
        std::uint8_t units;
        bool up;
        bool shift;
        int limit;
        std::int16_t LevelScaleSteps::*field; // null: the linear step of the units mode
    };
    const Case cases[] = {
        {kViewOctaves, 0, true, true, 21, &LevelScaleSteps::LevelPitchOffset},
        {kViewOctaves, 0, true, false, 21, &LevelScaleSteps::LevelZoomOffset},
        {kViewOctaves, 0, false, false, -17, &LevelScaleSteps::LevelZoomOffset},
        {kViewWaveforms, 0, true, false, 20, &LevelScaleSteps::LevelZoomOffset},
        {kViewWaveforms, 0, false, false, -20, &LevelScaleSteps::LevelZoomOffset},
        {kViewSpectra, 2, true, false, 37, nullptr},
        {kViewSpectra, 2, false, false, -17, nullptr},
    };
    for (const Case& c : cases) {
        MeasurementViewState view;
        OnGraph(view, c.kind).UnitsByKind[0] = c.units;
        int presses = 0;
        while (StepLevelScale(view, c.up, c.shift, false))
            ++presses;
        const LevelScaleSteps& s = view.Control.Scale;
        const int value = c.field ? s.*c.field : s.LinearScaleOffset[c.units];
        EXPECT_EQ(value, c.limit) << c.kind;
        EXPECT_EQ(presses, c.up ? c.limit : -c.limit) << c.kind; // one more press passed the key on
        EXPECT_TRUE(ResetLevelScale(view)) << c.kind;
        EXPECT_FALSE(ResetLevelScale(view)) << c.kind;
    }
}

} // namespace
} // namespace orlu
