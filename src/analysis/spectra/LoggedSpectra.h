#pragma once
// Where a current-family logger of spectra keeps them: each buffer row ends in
// one spectrum after a leading word, the bands and their extras, or the FFT
// lines and the word of the extra line (which every FFT row holds). The walk
// gives the first value word of record 0, the row stride, the records and the
// values of each spectrum.

#include "analysis/spectra/DecayCurves.h"
#include "document/CTmDoc.h"

#include <optional>

namespace orlu {

/// The band kinds of the spectra views: 2 FFT lines, 3 1/1 octaves, 4 1/3 octaves;
/// 0 for a document that is no current-family logger of spectra.
int LoggedBandKind(const CTmDoc& doc);

/// The walk of the decoded file's logged spectra; none for other files, a logger whose
/// buffer data cannot be found, or rows too short for their spectrum.
std::optional<SpectrumWalk> LoggedSpectrumWalk(const CTmDoc& doc);

/// The walk of one channel's logged FFT spectra in a four-channel logger: the channel's
/// block of each row (a leading word, its lines and extra line) after the logged results,
/// the vector and the rotation, and the blocks of the FFT channels before it; none when
/// the channel logs no spectrum or the rows cannot hold them.
std::optional<SpectrumWalk> FourChannelSpectrumWalk(const CTmDoc& doc, int channel);

} // namespace orlu
