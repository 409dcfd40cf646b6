#pragma once
// orlu-fixture analyzer --decay LEVEL,FALL[,FLOOR]: every band or line of the
// numbered spectra holds LEVEL dB in records 1 to 3 and then falls by FALL dB
// per record, not below FLOOR dB (0 when not given): a sound decay to
// evaluate reverberation times on.

#include "support/Analyzer505Fixture.h"

#include <string>

namespace orlu::tools {

/// Sets the spectra's values from the option's text; false for a text that is not
/// two or three numbers separated by commas.
bool ApplyDecayOption(const std::string& text, fixture::Analyzer505Spec& spec);

} // namespace orlu::tools
