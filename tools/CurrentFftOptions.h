#pragma once
// orlu-fixture's FFT options of current-family files: --fft-spectrum
// LINES,FLOOR[,LINE:LEVEL...] (levels in dB: every line at FLOOR but the
// listed ones), --fft-range HZ (the lines span HZ), --fft-window CODE (the
// window word of firmware 5.12 on) and --total last (a TOTAL after the
// lines, the energy sum of the lines). With --spectra N the file is a logger
// of N such spectra, and --spectra-levels D,D,... moves every line of record r
// by D_r dB (the list repeated over the records). With --function 7 the file
// is a tonality file, and --short-band LINES,FLOOR[,LINE:LEVEL...] adds its
// short band, spanning --short-range HZ.

#include "support/FixtureBuilder.h"

#include <string>

namespace orlu::tools {

struct CurrentFftOptions {
    std::string spectrum;
    long rangeHz = 0;  ///< 0: the sampling rate's own
    long window = -1;  ///< -1: none given
    std::string total; ///< "" none, "last"
    long spectra = 0;  ///< records of a logger; 0: one spectrum
    std::string spectraLevels;
    std::string shortBand;
    long shortRangeHz = 0; ///< 0: the sampling rate's own
};

/// Makes the spec an FFT file of one spectrum; false when an option is wrong. Nothing
/// changes without --fft-spectrum (and then the other options are wrong).
bool ApplyCurrentFftOptions(const CurrentFftOptions& options, fixture::CurrentFileSpec& spec);

} // namespace orlu::tools
