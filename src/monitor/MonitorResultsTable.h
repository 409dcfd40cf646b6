#pragma once
// The Main results of a MONITOR document as a table: sound, calibration and
// meteo results with the table options' separator and decimal character.

#include "document/LineList.h"
#include "reports/table/TableOutputOptions.h"

#include <cstdint>

namespace orlu {

class CTmDoc;

/// Appends the table; sets tableKind to 1. False when the document holds no MONITOR stream.
bool FormatMonitorResultsTable(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& tableKind,
                               std::uint16_t profiles, bool linear, const TableOutputOptions& options);

} // namespace orlu
