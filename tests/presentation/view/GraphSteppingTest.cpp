// Graph sizes stepped by Plot, records stepped by Previous/Next and the band
// cursor carried between the 1/1 and 1/3 octave graphs.

#include "presentation/view/GraphStepping.h"
#include "presentation/view/ViewSelection.h"

#include <gtest/gtest.h>

#include <vector>

namespace orlu {
namespace {

void ShowGraph(MeasurementViewState& view, int kind)
{
    view.ViewKind = static_cast<std::uint8_t>(kind);
    view.FormFlags = form_flags::kGraph;
}

std::vector<int> PlotPresses(MeasurementViewState& view, bool modifier, int presses)
{
    std::vector<int> sizes;
    for (int i = 0; i < presses; ++i) {
        EXPECT_EQ(OnGraphForm(view, modifier), GraphFormAction::Repaint);
        // What is painted next takes the size without a build.
        EXPECT_EQ(view.GraphForm.Plot.GraphSizeIndex, view.Graph.GraphSizeIndex);
        sizes.push_back(view.Graph.GraphSizeIndex);
    }
    return sizes;
}

TEST(GraphSize, PlotOnAShownGraphCyclesTheSizesOfItsKindWithoutABuild)
{
    MeasurementViewState view;
    ShowGraph(view, kViewBufferLogger);
    EXPECT_EQ(PlotPresses(view, false, 6), (std::vector<int>{1, 2, 3, 4, 0, 1}));
    EXPECT_EQ(PlotPresses(view, true, 6), (std::vector<int>{0, 4, 3, 2, 1, 0}));
    EXPECT_EQ(view.Graph.GraphSizeByKind[kViewBufferLogger], 0);

    ShowGraph(view, kViewSpectra);
    view.Graph.GraphSizeIndex = 2;
    PlotPresses(view, false, 1);
    EXPECT_EQ(view.Graph.GraphSizeByKind[kViewSpectra], 3);
    EXPECT_EQ(view.Graph.GraphSizeByKind[kViewBufferLogger], 0);
}

TEST(GraphSize, PlotOnAnotherFormBuildsAtTheKeptSizeAndKindsWithoutGraphRefuse)
{
    MeasurementViewState view;
    view.ViewKind = kViewHistograms;
    view.FormFlags = form_flags::kText;
    view.Graph.GraphSizeIndex = 3;
    EXPECT_EQ(OnGraphForm(view, true), GraphFormAction::Build);
    EXPECT_EQ(view.Graph.GraphSizeIndex, 3);

    for (int kind : {kViewSettings, kViewHexa, kViewMainResults, kViewHeaderInfo, kViewAscii, kViewUserFilters}) {
        view.ViewKind = static_cast<std::uint8_t>(kind);
        EXPECT_EQ(OnGraphForm(view, false), GraphFormAction::None) << kind;
    }
}

TEST(GraphSize, SizesStayInsideTheFiveGraphSizes)
{
    EXPECT_EQ(InitialGraphSizeIndex(0), 0); // a document without channels
    EXPECT_EQ(InitialGraphSizeIndex(1), 0);
    EXPECT_EQ(InitialGraphSizeIndex(3), 2);
    EXPECT_EQ(InitialGraphSizeIndex(16), 4);
    EXPECT_EQ(StepGraphSize(200, false), 0);
    EXPECT_EQ(StepGraphSize(200, true), 4);
}

TEST(GraphSize, TheLargestAggregationHalvesTheRecordsAndIsAtLeastOne)
{
    EXPECT_EQ(MaxAggregationFor(0), 1);
    EXPECT_EQ(MaxAggregationFor(1), 1);
    EXPECT_EQ(MaxAggregationFor(3), 1);
    EXPECT_EQ(MaxAggregationFor(1001), 500);
}

TEST(StepRecord, MovesTheSteppedNumberWithinItsRange)
{
    struct Case {
        const char* name;
        std::int32_t from;
        RecordStep step;
        bool ctrl;
        std::int32_t to;
    };
    const Case cases[] = {
        {"next", 10, RecordStep::Next, false, 11},
        {"previous", 10, RecordStep::Previous, false, 9},
        {"five on", 10, RecordStep::NextFive, false, 15},
        {"five back", 10, RecordStep::PreviousFive, false, 5},
        {"five on stops at the last", 18, RecordStep::NextFive, false, 20},
        {"five back stops at the first", 4, RecordStep::PreviousFive, false, 2},
        {"Ctrl jumps to the last", 3, RecordStep::NextFive, true, 20},
        {"Ctrl jumps to the first", 17, RecordStep::PreviousFive, true, 2},
        {"Ctrl does not change a single step", 10, RecordStep::Next, true, 11},
        {"next at the last", 20, RecordStep::Next, false, 20},
        {"previous at the first", 2, RecordStep::Previous, false, 2},
    };
    for (const Case& c : cases) {
        MeasurementViewState view;
        ShowGraph(view, kViewBufferLogger);
        view.RecordStepping = 1;
        view.CurrentRecordPtr = &view.SubFileNumber;
        view.FirstRecord = 2;
        view.LastRecord = 20;
        view.SubFileNumber = c.from;
        EXPECT_EQ(StepRecord(view, c.step, c.ctrl), c.from != c.to) << c.name;
        EXPECT_EQ(view.SubFileNumber, c.to) << c.name;
    }
}

TEST(StepRecord, NothingStepsOutsideAGraphOrWithoutStepping)
{
    MeasurementViewState view;
    view.ViewKind = kViewBufferLogger;
    view.RecordStepping = 1;
    view.FirstRecord = 1;
    view.LastRecord = 5;
    view.SubFileNumber = 1;
    view.FormFlags = form_flags::kText;
    EXPECT_FALSE(StepRecord(view, RecordStep::Next, false));
    view.FormFlags = form_flags::kGraph;
    view.RecordStepping = 0;
    EXPECT_FALSE(StepRecord(view, RecordStep::Next, false));
    EXPECT_EQ(view.SubFileNumber, 1);
}

TEST(StepRecord, SpectraCarryTheTimeCursorsAndIntersectionsTheirBand)
{
    MeasurementViewState view;
    view.Pages[11].Aggregation = 2; // the time intersections' page
    ShowGraph(view, kViewSpectra);
    view.RecordStepping = 1;
    view.CurrentRecordPtr = &view.GraphRecord;
    view.FirstRecord = 1;
    view.LastRecord = 40;
    view.GraphRecord = 4;
    view.Graph.Saved(CursorGroup::TimeIntersections).window = 1;
    ASSERT_TRUE(StepRecord(view, RecordStep::NextFive, false));
    EXPECT_EQ(view.GraphRecord, 9);
    EXPECT_EQ(view.Graph.Saved(CursorGroup::TimeIntersections).cursor, 9 / 2 - 1 - 1);
    EXPECT_EQ(view.Graph.Saved(CursorGroup::BufferLogger).cursor, 9 / 2 - 1 - 1);

    ShowGraph(view, kViewTimeIntersections);
    view.CurrentRecordPtr = &view.BandNumber;
    view.BandNumber = 6;
    view.BandIndex = 5;
    ASSERT_TRUE(StepRecord(view, RecordStep::PreviousFive, false));
    EXPECT_EQ(view.BandNumber, 1);
    EXPECT_EQ(view.BandIndex, 0);
}

TEST(OctaveBandCursor, OneOctaveBandGoesToItsCentreThirdAndBack)
{
    BandLayout bands;
    bands.octaveBands = 11;
    bands.thirdBands = 33;
    MeasurementViewState view;
    view.BandIndex = 5;
    CarryBandIndex(view, kViewOctaves, bands); // the first octave graph keeps its band
    EXPECT_EQ(view.BandIndex, 5);
    CarryBandIndex(view, kViewThirdOctaves, bands);
    EXPECT_EQ(view.BandIndex, 16);
    CarryBandIndex(view, kViewThirdOctaves, bands); // once per switch
    EXPECT_EQ(view.BandIndex, 16);
    CarryBandIndex(view, kViewOctaves, bands);
    EXPECT_EQ(view.BandIndex, 5);
    EXPECT_EQ(view.OctaveIndexKind, kViewOctaves);
}

} // namespace
} // namespace orlu
