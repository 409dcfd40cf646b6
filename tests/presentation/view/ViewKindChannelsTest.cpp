// What a View command sets beside its page: channels offered and selected,
// the kind's marker, the reverberation band, and the View submenus.

#include "presentation/view/ViewKindChannels.h"

#include "document/ViewMask.h"
#include "document/headers/CurrentHeader.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

TEST(AvailableChannels, TheSelectionIsRepairedToTheOfferedChannels)
{
    KindChannelFacts doc;
    doc.fileKind = 44;
    doc.channelCount = 3;
    doc.timeHistory = true;
    doc.resultMask = 0b010101;
    struct Case {
        std::uint16_t selected;
        std::uint16_t mask;
        std::uint16_t after;
    };
    const Case cases[] = {
        {0b100, 0b011, 0b011}, // nothing in common: the whole mask
        {0b110, 0b011, 0b010}, // the common part stays
    };
    for (const Case& c : cases) {
        MeasurementViewState view;
        view.SelectedChannels = c.selected;
        SetAvailableChannels(view, doc, c.mask);
        EXPECT_EQ(view.AvailableChannels, c.mask);
        EXPECT_EQ(view.SelectedChannels, c.after);
    }
}

TEST(AvailableChannels, ProfilesFollowTheDocumentFamily)
{
    MeasurementViewState view;
    KindChannelFacts monitor;
    monitor.fileKind = 80;
    monitor.monitorProfiles = 0x3F;
    SetAvailableChannels(view, monitor, 0b1);
    EXPECT_EQ(view.Profile, 0x3F);

    KindChannelFacts plain; // neither an analyzer file nor a time history
    plain.channelCount = 3;
    SetAvailableChannels(view, plain, 0);
    EXPECT_EQ(view.SelectedChannels, 7);
    EXPECT_EQ(view.Profile, 7);

    KindChannelFacts single;
    single.timeHistory = true;
    single.channelCount = 1;
    SetAvailableChannels(view, single, 0b1);
    EXPECT_EQ(view.SelectedChannels, 0);
    EXPECT_EQ(view.Profile, 0);

    // A Multifile of current-family loggers keeps its profiles as the file it shows does.
    for (const std::uint8_t kind : {std::uint8_t{44}, std::uint8_t{55}}) {
        KindChannelFacts logger;
        logger.fileKind = kind;
        logger.timeHistory = true;
        logger.channelCount = 3;
        logger.resultMask = 0b111;
        MeasurementViewState shown;
        shown.SelectedChannels = 0b111;
        SetAvailableChannels(shown, logger, 0b111);
        EXPECT_EQ(shown.SelectedChannels, 0b111) << int(kind);
    }

    // Other files with a time history take each channel's first profile that has results.
    KindChannelFacts analyzer;
    analyzer.file505 = true;
    analyzer.channelCount = 3;
    analyzer.resultMask = 0b100110; // channel 1: second, channel 2: first, channel 3: second
    view.Profile = 0;
    SetAvailableChannels(view, analyzer, 0b111);
    EXPECT_EQ(view.Profile, 0b100110);
    EXPECT_EQ(view.SelectedChannels, 0b111);
}

TEST(AvailableChannels, StatisticsOfferBroadbandChannelsOrNone)
{
    KindChannelFacts doc;
    doc.channelCount = 3;
    doc.statisticsMask = 0b011;
    doc.levelsMask = 0b001;
    MeasurementViewState view;
    view.StatOctave0 = 1;
    EXPECT_EQ(StatisticsChannelMask(view, doc, false), 0b011);
    EXPECT_EQ(StatisticsChannelMask(view, doc, true), 0b001);
    doc.fileKind = 55;
    doc.viewMask = kViewMaskHistograms;
    EXPECT_EQ(StatisticsChannelMask(view, doc, false), 7);
    view.StatOctave0 = 0;
    view.StatOctave1 = 1;
    EXPECT_EQ(StatisticsChannelMask(view, doc, false), 0);
    doc.fourChannel = true;
    doc.bandStatisticsMask = 0b1010;
    EXPECT_EQ(StatisticsChannelMask(view, doc, false), 0b1010);
}

TEST(KindMarkers, BufferAndTimeIntersectionsShareTheirMarker)
{
    MeasurementViewState view;
    view.ViewKind = kViewBufferLogger;
    view.MarkState = 2;
    view.MarkedRange = {5, 9};
    SaveKindMarker(view);
    view.ViewKind = kViewTimeIntersections;
    view.MarkState = 0;
    LoadKindMarker(view);
    EXPECT_EQ(view.MarkState, 2);
    EXPECT_EQ(view.MarkedRange, (std::array<std::int32_t, 2>{5, 9}));
    view.ViewKind = kViewOctaves;
    LoadKindMarker(view);
    EXPECT_EQ(view.MarkState, 0);
    // Levels keep no marker: switching to them leaves the marker fields alone.
    view.MarkState = 1;
    view.ViewKind = kViewStatisticalLevels;
    LoadKindMarker(view);
    EXPECT_EQ(view.MarkState, 1);
}

TEST(ReverbBand, HeldInTheRangeAndAboveItOnTheTotal)
{
    KindChannelFacts doc;
    doc.rt[1] = {4, 20, 23};
    struct Case {
        int band;
        int held;
    };
    for (const Case c : {Case{1, 4}, Case{10, 10}, Case{21, 23}}) {
        MeasurementViewState view;
        view.ViewKind = kViewTimeIntersections;
        view.BandKind = kBandOctave13;
        view.Control.RtMode = 1;
        view.BandIndex = c.band;
        HoldReverbBand(view, doc);
        EXPECT_EQ(view.BandIndex, c.held) << c.band;
    }
}

TEST(ViewSubmenus, GreyedWithoutDataAndCheckedOnTheirKinds)
{
    MeasurementViewState view;
    view.ViewKind = kViewDensities;
    EXPECT_FALSE(StatisticsSubmenuState(view, false).enabled);
    EXPECT_TRUE(StatisticsSubmenuState(view, true).checked);
    EXPECT_FALSE(IntersectionsSubmenuState(view, true).checked);
    view.ViewKind = kViewTimeIntersections;
    EXPECT_TRUE(IntersectionsSubmenuState(view, true).checked);
    EXPECT_FALSE(StatisticsSubmenuState(view, true).checked);
}

} // namespace
} // namespace orlu
