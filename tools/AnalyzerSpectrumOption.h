#pragma once
// The octave spectra of `orlu-fixture analyzer` (--function 3 or 4):
//   --spectrum BANDS,TOTALS,LEVEL  every spectrum of BANDS bands and TOTALS trailing
//       values, each value at LEVEL dB;
//   --numbered  the spectra are numbered records of a time history (as --history).

#include "support/Analyzer505Fixture.h"

#include <string>

namespace orlu::tools {

/// Sets the spectrum into the spec. False for a value it does not read, more values than a
/// spectrum holds (44 bands and 6 trailing values), or a function that is no octave function.
bool ApplyAnalyzerSpectrum(const std::string& option, orlu::fixture::Analyzer505Spec& spec);

} // namespace orlu::tools
