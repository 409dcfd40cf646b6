#pragma once
// The graph keys that mark a block and set the level scale. Enter sets one
// end of the block at the cursor, then the other (the range is kept in
// ascending order whichever end came first); on a time history or time
// intersection a third Enter offers what to do with the block. Esc takes
// the last end back. + - * shift, stretch and reset the level scale.

#include "presentation/view/GraphControlFields.h"
#include "presentation/view/MeasurementViewState.h"

#include <cstdint>

namespace orlu {

enum class MarkOutcome : std::uint8_t {
    None,        ///< the key does nothing here (it goes on to the window)
    Repaint,
    Rebuild,
    BlockDialog, ///< both ends are set: offer the block operations
};

/// Enter on a graph outside the reverberation procedure. `showBlockDialog`
/// is the setting that offers the block operations as soon as the second end is set.
MarkOutcome MarkAtCursor(MeasurementViewState& view, bool showBlockDialog);

/// Esc: the marker steps back 2 -> 1 -> 0.
MarkOutcome StepMarkerBack(MeasurementViewState& view);

/// The level-scale mode of the kind shown: 0 dB, 1 linear, 2 velocity, 3 displacement.
int LevelUnitsMode(const MeasurementViewState& view);

/// '*': resets the scale steps of the current units; false when there was nothing to reset.
bool ResetLevelScale(MeasurementViewState& view);
/// '+' (up) or '-': one step of the scale within its limits; false at a limit.
/// `waveformSamples`: the Buffer/Logger holds waveform samples, scaled as waveforms are.
bool StepLevelScale(MeasurementViewState& view, bool up, bool shift, bool waveformSamples);

} // namespace orlu
