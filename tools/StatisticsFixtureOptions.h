#pragma once
// The statistics options of `orlu-fixture current`:
//   --histogram LOWEST,WIDTH,N0,N1,...   the broadband histogram record 9 (lowest
//                                         class and width in 0.1 dB, one count per class)

#include "support/FixtureBuilder.h"

#include <string>

namespace orlu::tools {

/// Puts the histogram of the option's value into the spec; false for a value it
/// does not read (fewer than three numbers, a lowest class or width outside 16 bits,
/// a count outside 32 bits).
bool ApplyHistogramOption(const std::string& value, orlu::fixture::CurrentFileSpec& spec);

} // namespace orlu::tools
