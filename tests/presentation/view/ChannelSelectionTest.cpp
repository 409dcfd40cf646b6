// The channel buttons and the units change.

#include "presentation/view/ChannelSelection.h"

#include "document/headers/CurrentHeader.h"

#include <gtest/gtest.h>

#include <vector>

namespace orlu {
namespace {

constexpr KeyModifiers kPlain{};
constexpr KeyModifiers kShift{true, false, false};

MeasurementViewState& Showing(MeasurementViewState& view, int kind, std::uint16_t available, std::uint16_t selected)
{
    view.ViewKind = static_cast<std::uint8_t>(kind);
    view.FormFlags = form_flags::kGraph;
    view.AvailableChannels = available;
    view.SelectedChannels = selected;
    return view;
}

ChannelFacts Channels(int count)
{
    ChannelFacts doc;
    doc.channelCount = count;
    return doc;
}

TEST(ChannelButtons, AddRemoveAndTheOnlySelectedChannelStays)
{
    const ChannelFacts doc = Channels(3);
    struct Case {
        std::uint16_t selected;
        int button;
        ChannelOutcome outcome;
        std::uint16_t after;
        int channelNumber;
    };
    const Case cases[] = {
        {0b001, 1, ChannelOutcome::None, 0b001, 1},    // the only one: no rebuild
        {0b011, 1, ChannelOutcome::Rebuild, 0b010, 1}, // removed; the current channel stays
        {0b001, 3, ChannelOutcome::Rebuild, 0b101, 3}, // added and current
    };
    for (const Case& c : cases) {
        MeasurementViewState view;
        Showing(view, kViewOctaves, 0b111, c.selected);
        EXPECT_EQ(SelectChannel(view, doc, c.button, kPlain), c.outcome) << c.button;
        EXPECT_EQ(view.SelectedChannels, c.after) << c.button;
        EXPECT_EQ(view.ChannelNumber, c.channelNumber) << c.button;
    }
}

TEST(ChannelButtons, ShiftCyclesThePanelThroughTheChannelsResults)
{
    ChannelFacts doc = Channels(4);
    doc.fourChannel = true;
    doc.resultCounts = {3, 1, 1, 1, 0};
    MeasurementViewState view;
    Showing(view, kViewBufferLogger, 0b1111, 0b0011);
    std::vector<int> shown;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(SelectChannel(view, doc, 1, kShift), ChannelOutcome::Rebuild);
        shown.push_back(view.PanelResultIndex[0]);
    }
    EXPECT_EQ(shown, (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(view.SelectedChannels, 0b0011);
    // The profile word follows: result 0 is bit 2k, result 1 bit 2k + 1.
    view.PanelResultIndex[0] = 1;
    RebuildProfile(view, doc.channelCount);
    EXPECT_EQ(view.Profile, 0b0110);
}

TEST(ChannelButtons, SpectraButtonsChooseChannelsOfTheFunction)
{
    const ChannelFacts doc = Channels(4);
    MeasurementViewState view;
    Showing(view, kViewSpectra, 0b1111, 0b0001);
    view.Control.OneChannelFunctions = 0;
    view.ChannelNumber = 1;
    view.Spectra.Function = 1;
    // The current channel's button opens the spectra functions dialog.
    EXPECT_EQ(SelectChannel(view, doc, 1, kPlain), ChannelOutcome::SpectraFunctions);
    EXPECT_EQ(SelectChannel(view, doc, 2, kPlain), ChannelOutcome::Rebuild);
    EXPECT_EQ(view.Spectra.ChannelA, 2);
    EXPECT_EQ(view.SelectedChannels, 0b0010);
    // Cross spectrum A,B: button 3 makes channel 3 the B channel; panels for A and 3.
    view.Spectra.Function = 5;
    view.Spectra.ChannelA = 1;
    EXPECT_EQ(SelectChannel(view, doc, 3, kPlain), ChannelOutcome::Rebuild);
    EXPECT_EQ(view.Spectra.ChannelB, 3);
    EXPECT_EQ(view.SelectedChannels, 0b0101);
}

TEST(ChannelButtons, EnablingFollowsTheDocumentAndTheSelection)
{
    ChannelFacts doc = Channels(3);
    MeasurementViewState view;
    Showing(view, kViewOctaves, 0b011, 0b001);
    EXPECT_FALSE(UpdateSelectChannel(view, doc, 1, kPlain).enabled); // the only selected one
    EXPECT_TRUE(UpdateSelectChannel(view, doc, 1, kPlain).checked);
    EXPECT_TRUE(UpdateSelectChannel(view, doc, 2, kPlain).enabled);
    EXPECT_FALSE(UpdateSelectChannel(view, doc, 3, kPlain).enabled); // not offered
    EXPECT_FALSE(UpdateSelectChannel(view, doc, 2, kShift).enabled);
    doc.rt60 = true;
    EXPECT_FALSE(UpdateSelectChannel(view, doc, 2, kPlain).enabled);
    // Octave-band statistics of other files choose no channel.
    doc.rt60 = false;
    Showing(view, kViewHistograms, 0b011, 0b001).StatOctave1 = 1;
    EXPECT_FALSE(UpdateSelectChannel(view, doc, 2, kPlain).enabled);
}

TEST(UnitsChange, CyclesTheUnitsOfTheKindShown)
{
    struct Case {
        int kind;
        std::uint16_t inputKind;
        std::vector<int> indexes; // UnitsByKind[0] after each press
        std::vector<int> header;  // the Header info choice after each press
    };
    const Case cases[] = {
        {kViewSpectra, kInputMicrophone, {1, 0, 1}, {1, 0, 1}},
        {kViewSpectra, kInputAccelerometer, {1, 2, 3, 0}, {0, 0, 3, 0}},
        {kViewBufferLogger, kInputMicrophone, {1, 0}, {1, 0}},
        {kViewHistograms, kInputMicrophone, {0, 0}, {0, 0}},
    };
    for (const Case& c : cases) {
        ChannelFacts doc = Channels(1);
        doc.inputKind = c.inputKind;
        MeasurementViewState view;
        view.ViewKind = static_cast<std::uint8_t>(c.kind);
        std::vector<int> indexes, header;
        for (std::size_t i = 0; i < c.indexes.size(); ++i) {
            ChangeUnits(view, doc);
            indexes.push_back(view.UnitsByKind[0]);
            header.push_back(view.UnitsByKind[kHeaderInfoUnitSlot]);
        }
        EXPECT_EQ(indexes, c.indexes) << c.kind << " input " << c.inputKind;
        EXPECT_EQ(header, c.header) << c.kind << " input " << c.inputKind;
        EXPECT_EQ(view.ShownViewKind, 254);
    }
}

TEST(UnitsChange, HeaderInfoAndPhaseHaveTheirOwnChoices)
{
    ChannelFacts doc = Channels(1);
    MeasurementViewState view;
    view.ViewKind = kViewHeaderInfo;
    ChangeUnits(view, doc);
    EXPECT_EQ(view.UnitsByKind[kHeaderInfoUnitSlot], 1);
    doc.mixedInputs = true;
    ChangeUnits(view, doc);
    ChangeUnits(view, doc);
    EXPECT_EQ(view.UnitsByKind[kHeaderInfoUnitSlot], 3);

    view.ViewKind = kViewSpectra;
    view.Spectra.OutputForm = 1;
    std::vector<int> phase;
    for (int i = 0; i < 3; ++i) {
        ChangeUnits(view, doc);
        phase.push_back(view.Spectra.PhaseUnit);
    }
    EXPECT_EQ(phase, (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(view.UnitsByKind[0], 0);
}

TEST(UnitsChange, EnabledOnTheKindsWithUnits)
{
    ChannelFacts doc = Channels(1);
    MeasurementViewState view;
    view.ViewKind = kViewWaveforms;
    doc.inputKind = kInputDirect;
    EXPECT_FALSE(UnitsChangeEnabled(view, doc));
    doc.inputKind = kInputMicrophone;
    EXPECT_TRUE(UnitsChangeEnabled(view, doc));
    view.ViewKind = kViewTimeIntersections;
    view.Control.RtMode = 1;
    EXPECT_FALSE(UnitsChangeEnabled(view, doc));
    view.ViewKind = kViewMainResults;
    doc.rt60 = true;
    EXPECT_FALSE(UnitsChangeEnabled(view, doc));
    view.ViewKind = kViewSettings;
    EXPECT_FALSE(UnitsChangeEnabled(view, doc));
}

} // namespace
} // namespace orlu
