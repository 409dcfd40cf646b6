#pragma once
// The octave spectra of `orlu-fixture current`:
//   --spectrum BANDS,TOTALS,LEVEL[,I:LEVEL...]  the RMS spectrum record (levels in dB,
//       value I from 0 set apart), 1/1 octaves with --function 2, 1/3 with 3;
//   --min-max  the MIN and MAX records too, 10 dB below and above;
//   --spectra N --spectra-levels L,L,...  a logger of N such spectra, every value of
//       record r at L_r (the list repeated).

#include "support/FixtureBuilder.h"

#include <string>

namespace orlu::tools {

struct OctaveFixtureOptions {
    std::string spectrum;
    bool minMax = false;
    long spectra = 0;
    std::string spectraLevels;

    bool Any() const { return !spectrum.empty() || minMax || spectra != 0 || !spectraLevels.empty(); }
};

/// Writes the options into the spec. False for a value it does not read, a function that
/// is no octave function, or logger options without --spectrum.
bool ApplyOctaveFixtureOptions(const OctaveFixtureOptions& options, orlu::fixture::CurrentFileSpec& spec);

} // namespace orlu::tools
