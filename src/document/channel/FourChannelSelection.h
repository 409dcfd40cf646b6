#pragma once
// Selecting a channel and profile of an ORLU 545 or 590 document: the
// CurrentChannel takes the channel's and the profile's entries of the
// per-channel tables, the name tables of its kind of input, its band setup
// by the measurement function, and its range limits and sample scale.
// Channel 4 (or any number from the channel count on) is the pseudo channel
// of the vector sum and the rotation.

#include "document/channel/CurrentChannel.h"
#include "document/headers/CurrentHeader.h"
#include "document/units/LevelUnits.h"

namespace orlu {

/// Makes channel a, profile p current. Every field is set anew, so the
/// result never depends on the channel selected before.
void SelectFourChannel(const CurrentHeader& h, const LevelContext& levels, int a, int p, CurrentChannel& ch);

/// Only the weighting words of channel c, profile p (from firmware 2.17; the
/// channel's first profile before).
void SelectFourChannelWeighting(const CurrentHeader& h, int c, int p, CurrentChannel& ch);

/// The names of the reverberation total rows of channel c: the list of the
/// channel's kind of input (a microphone's starts at "TOT_A"). Values over
/// all channels, and a channel the file does not hold, take the first
/// channel's list, as the reverberation setup follows the first channel.
NameTable FourChannelTotalNames(const CurrentHeader& h, int c);

/// The spacing of a channel's FFT lines in Hz: the sampling rate over the zoom and the
/// block length of its line count.
double FourChannelLineSpacing(const ChannelSetup& setup);

} // namespace orlu
