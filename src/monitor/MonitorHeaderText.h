#pragma once
// The Header information of a MONITOR document: the station (number, mode,
// times, steps, what it acquires), the instrument inside it and, side by
// side, the settings of each shown profile. It reads the fields the last
// parse left.

#include "document/LineList.h"

#include <cstdint>
#include <string>

namespace orlu {

class CTmDoc;

/// A span as "%d d %d h %d m %d s " of its non-zero parts; "UNDEFINED" when all are 0 or it is negative.
std::string FormatTimeSpanDhms(std::int64_t seconds);

/// Clears the lines and writes the form; false when the document holds no parsed MONITOR stream.
bool FormatMonitorHeaderText(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t profiles, std::uint8_t units);

} // namespace orlu
