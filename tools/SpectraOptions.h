#pragma once
// orlu-dump's choices of the Spectra view (ViewKind 9): the spectra function,
// its output form and phase unit, the channels A and B, the smoothing window,
// the peaks, the tonality analysis and the aggregation degree.

#include "presentation/view/SpectraViewChoices.h"

namespace orlu::tools {

/// Reads the spectra option at argv[i], moving i onto its value: 1 when it was one and
/// was read, 0 when argv[i] is no spectra option, -1 when its value is wrong.
int ReadSpectraOption(int argc, char** argv, int& i, SpectraViewChoices& choices);

} // namespace orlu::tools
