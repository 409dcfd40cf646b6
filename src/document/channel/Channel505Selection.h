#pragma once
// The CurrentChannel of an ORLU 505 ANALYZER-mode file: the setup's band and
// time fields, the selected channel's words, and the range limits and scale
// factors of the 505 (range scaling mode 1).

#include "document/channel/CurrentChannel.h"
#include "document/headers/Setup505.h"

namespace orlu {

/// Takes the fields the whole setup decides (band setup, FFT, statistics,
/// names) and selects channel 0.
void TakeSetup505(const Setup505& s, bool eVersion, CurrentChannel& ch);

/// Makes channel n current: with more than one channel its table words are
/// taken; then the sensitivity offset and the range scaling.
void Select505Channel(const Setup505& s, int n, bool eVersion, CurrentChannel& ch);

/// Range limits and scale factors of the legacy-style range list, 505 form:
/// name index 2 x range + 3 (+ 4 for charge and accelerometer inputs), one
/// more with neither the E version nor a channel mode.
void ComputeRangeScaling505(CurrentChannel& ch, bool eVersion, std::uint16_t channelMode);

} // namespace orlu
