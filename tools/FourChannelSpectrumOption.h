#pragma once
// The octave spectra of `orlu-fixture four-channel`:
//   --spectrum CH=BANDS,TOTALS,LEVEL[/CH=...]  channel CH's (1 to 4) spectrum record
//       of BANDS bands and TOTALS trailing values, every value at LEVEL dB, with
//       --function 2 (1/1 octaves) or 3 (1/3 octaves). Every spectrum ends at the top
//       band, so a channel of fewer bands starts higher.

#include "support/FourChannelFixture.h"

#include <string>

namespace orlu::tools {

/// Sets the channels' spectra into the spec. False for a value it does not read, a
/// channel the file does not have, more values than a spectrum holds (44 bands and 6
/// trailing values), or a function that is no octave function.
bool ApplyFourChannelSpectra(const std::string& option, orlu::fixture::FourChannelSpec& spec);

/// "CH=L,L,...[/CH=...]": the FFT line levels (0.1 dB) of channels from 1 of an FFT file
/// (function 6), and the tenths each logger row lies below the one before; false for
/// another function, a channel the file lacks or a level that is no number.
bool ApplyFourChannelFftLevels(const std::string& option, long rowStep, orlu::fixture::FourChannelSpec& spec);

} // namespace orlu::tools
