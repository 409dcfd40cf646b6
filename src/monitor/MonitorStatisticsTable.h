#pragma once
// The histograms of a MONITOR document's profile statistics as a table: a
// cross table of the profiles selected and acquired in one statistics
// interval, the class bounds as rows.

#include "analysis/statistics/StatisticsChoices.h"
#include "document/LineList.h"
#include "reports/table/TableOutputOptions.h"

#include <cstdint>

namespace orlu {

class CTmDoc;

/// Appends the cross table of interval `record` (from 1); sets tableKind to 2. False when
/// the document has no profile statistics there (the octave bands are not tabled yet).
bool FormatMonitorHistogramsTable(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& tableKind,
                                  const StatisticsChoices& choices, int record, const TableOutputOptions& options);

} // namespace orlu
