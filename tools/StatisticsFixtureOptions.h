#pragma once
// The statistics options of `orlu-fixture current`:
//   --histogram LOWEST,WIDTH,N0,N1,...   the broadband histogram record 9 (lowest
//                                         class and width in 0.1 dB, one count per class)

#include "support/Analyzer505Fixture.h"
#include "support/FixtureBuilder.h"

#include <string>

namespace orlu::tools {

/// Puts the histogram of the option's value into the spec; false for a value it
/// does not read (fewer than three numbers, a lowest class or width outside 16 bits,
/// a count outside 32 bits).
bool ApplyHistogramOption(const std::string& value, orlu::fixture::CurrentFileSpec& spec);

/// `orlu-fixture current ... --user-filter NAME,L,L,...[/NAME,L,...]`: the user filters
/// of an octave file (a name of up to 6 characters, levels in 0.1 dB); false for a value
/// it does not read (no name, no level, a level outside 16 bits).
bool ApplyUserFilterOption(const std::string& value, orlu::fixture::CurrentFileSpec& spec);

/// `orlu-fixture analyzer ... --band-histograms LOWEST,WIDTH,N0,N1,...`: every histogram
/// of the block (one per value) with these classes; false as for --histogram.
bool ApplyAnalyzerBandHistograms(const std::string& value, orlu::fixture::Analyzer505Spec& spec);

} // namespace orlu::tools
