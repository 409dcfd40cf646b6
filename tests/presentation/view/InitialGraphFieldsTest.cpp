// What a view's graph form opens with: sizes per kind, time intersections,
// the multi element options, and the running totals of the shown results.

#include "presentation/view/InitialGraphFields.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

TEST(InitialGraphSizes, OnePanelPerProfileOrChannelEachKindShows)
{
    GraphPanelSource current; // a current-family sound level meter: three profiles, one channel
    current.channels = 1;
    auto sizes = InitialGraphSizes(current);
    EXPECT_EQ(sizes[kViewHistograms], 2);
    EXPECT_EQ(sizes[kViewDensities], 2);
    EXPECT_EQ(sizes[kViewBufferLogger], 2);
    EXPECT_EQ(sizes[kViewSpectra], 0);
    EXPECT_EQ(sizes[kViewTimeIntersections], 0);
    EXPECT_EQ(sizes[kViewMainResults], 0);

    GraphPanelSource orlu505;
    orlu505.orlu505 = true;
    orlu505.profiles = 2;
    orlu505.channels = 9; // more channels than panels: the smallest size
    sizes = InitialGraphSizes(orlu505);
    EXPECT_EQ(sizes[kViewStatisticalLevels], 1);
    EXPECT_EQ(sizes[kViewBufferLogger], 1);
    EXPECT_EQ(sizes[kViewOctaves], 4);

    GraphPanelSource four;
    four.fourChannel = true;
    four.channels = 4;
    four.profileMasks = {0b0011, 0b0110};
    four.bufferMask = 0b1001;
    four.bandMasks = {0b0001, 0, 0b0001, 0};
    sizes = InitialGraphSizes(four);
    EXPECT_EQ(sizes[kViewHistograms], 2);
    EXPECT_EQ(sizes[kViewBufferLogger], 1);
    EXPECT_EQ(sizes[kViewThirdOctaves], 0);
    EXPECT_EQ(sizes[kViewWaveforms], 0);
}

TEST(InitialGraphFields, TimeIntersectionsNeedTwoSpectraAndOnModelsATimeHistory)
{
    EXPECT_FALSE(HasTimeIntersections(1, false, true));
    EXPECT_TRUE(HasTimeIntersections(2, false, false));
    EXPECT_FALSE(HasTimeIntersections(5, true, false));
    EXPECT_TRUE(HasTimeIntersections(5, true, true));
}

TEST(InitialGraphFields, MultiElementOptionsTakeTheDocumentsSpectraWithGridsOfAtMostSixty)
{
    const ViewMultiElementOptions o = FilledMultiElementOptions({1601, 12, 0.5, 20.0, 20000.0});
    EXPECT_EQ(o.freqGrid, 60);
    EXPECT_EQ(o.timeGrid, 12);
    EXPECT_EQ(o.firstSpectrum, 1u);
    EXPECT_EQ(o.lastSpectrum, 12u);
    EXPECT_DOUBLE_EQ(o.timeValue, 0.5);
    EXPECT_DOUBLE_EQ(o.freqEnd, 20000.0);
    EXPECT_EQ(o.displayFlags, (std::array<std::int16_t, 3>{1, 1, 1}));
    // Reset options are the defaults: no grids, time step 1 s, nothing shown.
    const ViewMultiElementOptions reset;
    EXPECT_EQ(reset.timeGrid, 0);
    EXPECT_DOUBLE_EQ(reset.timeValue, 1.0);
    EXPECT_EQ(reset.displayFlags, (std::array<std::int16_t, 3>{}));
}

TEST(ApplicableResults, TotalsOfTheSelectedPanelsOnly)
{
    const auto totals = [](int k) { return k == 0 ? TotalKind::TotalRms : k == 2 ? TotalKind::TotalLeq : TotalKind::None; };
    EXPECT_EQ(FindApplicableResults(0b010, 3, totals), (ApplicableResults{0, 0}));
    EXPECT_EQ(FindApplicableResults(0b011, 3, totals), (ApplicableResults{1, 0}));
    EXPECT_EQ(FindApplicableResults(0b101, 3, totals), (ApplicableResults{3, 2}));
    EXPECT_EQ(FindApplicableResults(0b100, 2, totals), (ApplicableResults{0, 0})); // past the panels
    EXPECT_EQ(ApplicableResultsOf(TotalKind::TotalLeq), (ApplicableResults{3, 2}));
}

TEST(ApplicableResults, OlderChannelsCarryATotalOnTheRmsSlotOfTheirFormat)
{
    struct Case {
        std::uint16_t enabled;
        int choice;
        int version;
        bool microphone;
        TotalKind total;
    };
    const Case cases[] = {
        {0b00000001, 0, 32, true, TotalKind::TotalLeq},  // slot 0 is RMS up to version 32
        {0b00000001, 0, 33, true, TotalKind::None},      // after it slot 0 is Peak
        {0b00010100, 1, 33, false, TotalKind::TotalRms}, // the second enabled result is slot 4
        {0b00010100, 0, 33, false, TotalKind::None},
        {0b00010100, 2, 33, false, TotalKind::None},     // no third result
        {0b00010000, 0, 32, false, TotalKind::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LegacyChannelTotal(c.enabled, c.choice, c.version, c.microphone), c.total)
            << c.enabled << " choice " << c.choice << " version " << c.version;
}

} // namespace
} // namespace orlu
