#pragma once
// The graph form's size steps and record steps: Plot on a shown graph
// cycles the five graph sizes, Previous/Next and the Up/Down keys move the
// stepped number of the graph, and switching between 1/1 and 1/3 octaves
// carries the band cursor over to the other band set.

#include "presentation/view/MeasurementViewState.h"

#include <cstdint>

namespace orlu {

struct BandLayout;

/// The ViewKinds that have a graph form (histograms to time intersections).
bool HasGraphForm(int viewKind);

/// The graph size a view opens with: one panel per channel, within 0..4.
std::uint8_t InitialGraphSizeIndex(int channelCount);

/// The next graph size: 0,1,2,3,4,0 forwards, 4,3,2,1,0,4 backwards.
std::uint8_t StepGraphSize(std::uint8_t size, bool backwards);

/// What the Plot command leaves to do.
enum class GraphFormAction : std::uint8_t {
    None,    ///< the kind has no graph
    Repaint, ///< the graph size changed; the data stay as built
    Build,   ///< build the graph form
};

/// Plot: on a shown graph steps the size (backwards with Shift, Ctrl or Alt)
/// and gives it to the graph's painted state; the size is kept for the
/// ViewKind either way.
GraphFormAction OnGraphForm(MeasurementViewState& view, bool modifierHeld);

/// The largest aggregation degree of a time history of `records` records.
std::int32_t MaxAggregationFor(std::int64_t records);

enum class RecordStep : std::uint8_t { Next = 0, Previous = 1, NextFive = 2, PreviousFive = 3 };

/// Moves the number the graph steps within FirstRecord..LastRecord (five at
/// a time, or to the end with Ctrl, for the Five steps). Spectra and octaves
/// stepping their record carry the time-intersection and Buffer cursors
/// along; time intersections move BandIndex by the same amount. True when
/// the number changed and the graph must be built again.
bool StepRecord(MeasurementViewState& view, RecordStep step, bool ctrl);

/// When an octave graph of the other band set is shown, BandIndex moves to
/// the band of the same centre in the set of `viewKind` (10 or 11).
void CarryBandIndex(MeasurementViewState& view, int viewKind, const BandLayout& bands);

} // namespace orlu
