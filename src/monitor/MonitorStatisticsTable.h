#pragma once
// The statistics of a MONITOR document as tables: for the profiles selected
// and acquired in one statistics interval a cross table (histograms and
// densities: classes as rows; levels: the user's percentages as rows); for
// the octave statistics of one record a table with every band as a column,
// or the pairs of one band.

#include "analysis/statistics/StatisticsChoices.h"
#include "document/LineList.h"
#include "monitor/MonitorStatisticsText.h"
#include "reports/table/TableOutputOptions.h"

#include <cstdint>

namespace orlu {

class CTmDoc;

/// Appends the table of interval or record `record` (from 1); sets tableKind to 2. False when
/// the document has no such statistics there.
bool FormatMonitorStatisticsTable(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& tableKind,
                                  MonitorStatisticsForm form, const StatisticsChoices& choices, int record,
                                  const TableOutputOptions& options);

} // namespace orlu
