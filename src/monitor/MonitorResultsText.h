#pragma once
// The Main results of a MONITOR document as text: the sound results of every
// interval for the shown profiles, then the calibration and meteo results.
// A section without records is left out.

#include "document/LineList.h"

#include <cstdint>

namespace orlu {

class CTmDoc;

/// Clears the lines and writes the form; false when the document holds no MONITOR stream.
bool FormatMonitorResultsText(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t profiles, bool linear);

} // namespace orlu
