#pragma once
// The five channel buttons (keys 1 to 5) and the units change (key U) of a
// measurement view. A button adds or removes its channel, profile or the
// vector panel; with Shift or Ctrl it cycles the result a panel shows. In
// the spectra view the buttons choose channel A or B of a two-channel
// function. The units change cycles the units of the kind shown.

#include "presentation/CommandTarget.h"
#include "presentation/view/GraphControlFields.h"
#include "presentation/view/MeasurementViewState.h"

#include <array>
#include <cstdint>

namespace orlu {

class CTmDoc;

inline constexpr int kChannelCommands[] = {32811, 32812, 32813, 32814, 32834};
inline constexpr int kUnitsChangeCommand = 32823;

/// What the buttons read of the document.
struct ChannelFacts {
    int channelCount = 0;
    std::array<int, 5> resultCounts{};       ///< results of each channel
    std::array<int, 5> loggerResultCounts{}; ///< logged results of each channel (four-channel time histories)
    std::array<std::uint16_t, 5> inputKinds{};
    std::uint16_t inputKind = 0;             ///< of the current channel
    bool resultSlotWord = false;             ///< results are stored in slots
    bool fourChannel = false;
    bool file505 = false;
    bool timeHistory = false;
    bool legacyChannels = false;
    bool channelData = false;
    bool resultSlotDevice = false;
    bool rt60 = false;
    bool loggerWaveforms = false;            ///< the logger holds waveform records
    bool mixedInputs = false;                ///< microphone channels beside channels of another input
};

ChannelFacts ChannelFactsOf(const CTmDoc& doc);

/// What a button leaves to do.
enum class ChannelOutcome : std::uint8_t {
    None,            ///< nothing changed
    Rebuild,         ///< build the form again
    SpectraFunctions,///< open the spectra functions dialog
    TableChannels,   ///< ask which channels of one input kind a table shows (ChannelRequest holds the offer)
};

/// Button n (1 to 5).
ChannelOutcome SelectChannel(MeasurementViewState& view, const ChannelFacts& doc, int n, KeyModifiers keys);
/// The table-channels dialog answered: OK takes its mask, then the selection ends as any other.
ChannelOutcome FinishTableChannels(MeasurementViewState& view, const ChannelFacts& doc, int n, std::uint16_t mask);

/// Enabled and checked state of button n.
CommandUi UpdateSelectChannel(const MeasurementViewState& view, const ChannelFacts& doc, int n, KeyModifiers keys);

/// The units change; true when the form must be built again.
bool ChangeUnits(MeasurementViewState& view, const ChannelFacts& doc);
bool UnitsChangeEnabled(const MeasurementViewState& view, const ChannelFacts& doc);

/// Rebuilds Profile from the result each selected channel below the count shows.
void RebuildProfile(MeasurementViewState& view, int channelCount);

} // namespace orlu
