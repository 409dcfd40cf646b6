#pragma once
// The ViewMask of an ORLU 505 ANALYZER-mode document.

#include "document/ViewMask.h"
#include "document/headers/Setup505.h"

namespace orlu {

/// Header info, the spectra and waveform items of the file's function, the
/// statistics items when its histogram block holds histograms, Time
/// intersections for a single file of more than one spectrum, ASCII for a
/// single file; Hexa always, Settings never. Main results and Buffer/Logger
/// stay as they were.
std::uint32_t ViewMask505(const Setup505& s, std::uint8_t fileKind, std::uint32_t mask);

} // namespace orlu
