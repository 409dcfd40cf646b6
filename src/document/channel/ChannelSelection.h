#pragma once
// Selecting a channel and profile of a current-family document: the
// CurrentChannel takes the selected profile's words and the header's setup,
// and derives the range limits, the histogram classes and the names.

#include "document/channel/CurrentChannel.h"
#include "document/headers/CurrentHeader.h"
#include "document/units/LevelUnits.h"

namespace orlu {

/// Files other than the four-channel ones: channel a is the profile a of record 5.
void SelectCurrentChannel(const CurrentHeader& h, const LevelContext& levels, int a, int p, CurrentChannel& ch);

/// Only the weighting words of profile p of channel c; nothing for the vector row
/// (c equal to the channel count with p above 0).
void SelectProfileWeighting(const CurrentHeader& h, int c, int p, CurrentChannel& ch);

/// The weighting words of a profile, of record 5 or of a four-channel channel setup.
template <typename Profile>
void TakeWeightingWords(const Profile& profile, CurrentChannel& ch)
{
    ch.detectorIndex = profile.detector;
    ch.filter = profile.filter;
    ch.loggerWord = profile.bufferWord;
    ch.detectorWord = profile.flagsWord;
}

/// The classes of a channel's two histograms, of the header or of a four-channel channel setup.
template <typename Histogram>
void TakeHistogramClasses(const Histogram& first, const Histogram& second, CurrentChannel& ch)
{
    ch.histClasses = first.classes;
    ch.histLowest = first.lowest;
    ch.histWidth = first.width;
    ch.histClasses2 = second.classes;
    ch.histLowest2 = second.lowest;
    ch.histWidth2 = second.width;
}

/// A time history's histogram has fixed classes: 120 of 1 dB from 30 dB below the range's bottom.
void UseTimeHistoryClasses(std::uint32_t declaredCount, CurrentChannel& ch);

/// Range limits of the current family: the range's name gives the top, 70 dB below is the bottom.
void ComputeRangeScalingCurrent(CurrentChannel& ch);

/// The quantity a level is shown in, from the view's unit option for the channel's kind of input.
std::uint8_t GetDisplayQuantity(std::uint16_t inputKind, std::uint8_t option, bool mixedInputs);

} // namespace orlu
