#pragma once
// What a measurement view's graph form starts with when the view opens on
// its document: the graph size of every kind, whether time intersections
// exist, the multi element (3D) options and which running totals apply.

#include "analysis/statistics/ResultSlots.h"
#include "presentation/view/ViewKinds.h"

#include <array>
#include <cstdint>
#include <functional>

namespace orlu {

/// What the opening sizes read of the document.
struct GraphPanelSource {
    bool orlu505 = false;
    bool fourChannel = false;   ///< the four-channel models: panels by the channels their masks hold
    int channels = 0;
    int profiles = 0;
    std::array<std::uint16_t, 2> profileMasks{}; ///< the first two profile masks (statistics)
    std::uint16_t bufferMask = 0;
    std::array<std::uint16_t, 4> bandMasks{};    ///< spectra, 1/1, 1/3 octaves and time intersections
    std::array<std::uint16_t, 3> otherMasks{};   ///< the kinds after the ASCII dump
};

/// The graph size each ViewKind opens with: one panel per profile or
/// channel it shows, within the five sizes.
std::array<std::uint8_t, kViewKindCount> InitialGraphSizes(const GraphPanelSource& source);

/// Time intersections need two spectra, and on the models with flags a time history.
bool HasTimeIntersections(int spectrumRecords, bool anyModelFlag, bool hasTimeHistory);

/// The multi element options of the view, as the option dialogs edit them.
struct ViewMultiElementOptions {
    double timeValue = 1.0; ///< time step between spectra, s
    double freqBegin = 0.0;
    double freqEnd = 0.0;
    std::uint32_t firstSpectrum = 0;
    std::uint32_t lastSpectrum = 0;
    std::int32_t timeGrid = 0;
    std::int32_t freqGrid = 0;
    std::array<std::int16_t, 3> displayFlags{}; ///< the second shows the frequency grid, the third the time grid
    friend bool operator==(const ViewMultiElementOptions&, const ViewMultiElementOptions&) = default;
};

/// What a document of spectra fills the options with.
struct MultiElementSource {
    int spectrumValues = 0;
    int spectrumRecords = 0;
    double timeStep = 1.0;
    double freqBegin = 0.0;
    double freqEnd = 0.0;
};

/// Options filled from the document: grids of at most 60 divisions, every spectrum, every grid shown.
ViewMultiElementOptions FilledMultiElementOptions(const MultiElementSource& source);

/// The running totals that apply to the shown results: bit 0 a total
/// applies, bit 1 it is the LEQ of a microphone channel.
struct ApplicableResults {
    std::int32_t totalKinds = 0;
    std::int32_t leqTotal = 0; ///< bit 1 of totalKinds
    friend bool operator==(const ApplicableResults&, const ApplicableResults&) = default;
};

/// OR of the totals of the selected panels below `panels` (`totalOf(k)` is panel k's).
ApplicableResults FindApplicableResults(std::uint16_t selected, int panels, const std::function<TotalKind(int)>& totalOf);

/// Files of a single kind of result (the ORLU 505's buffer function).
ApplicableResults ApplicableResultsOf(TotalKind total);

/// A channel of the older files: the choice-th enabled result (bits 0 to 7
/// of `enabledResults`) carries a total when it is the RMS slot of the
/// file's format (slot 0 up to format version 32, slot 4 after).
TotalKind LegacyChannelTotal(std::uint16_t enabledResults, int choice, int formatVersion, bool microphone);

} // namespace orlu
