#pragma once
// The octave spectra of a MONITOR document in dB or pascal: as text the
// spectrum of the record shown, or of every record, in three columns of band
// centre and level, the totals TOT_A, TOT_C and TOT_Lin last; as a table the
// spectrum of the record shown, or a cross table with a column per record.
// A marked block of bands shows only those bands, after its total.

#include "document/LineList.h"
#include "monitor/MonitorOctaveRecords.h"
#include "reports/table/TableOutputOptions.h"

#include <cstdint>

namespace orlu {

class CTmDoc;

/// Clears the lines and writes the form of record `record` (from 1), or of every record.
/// False when the document holds no spectra for the form.
bool FormatMonitorOctaveText(CTmDoc& doc, LineList& lines, int* widest, const MonitorOctaveChoice& choice,
                             bool allRecords, int record);

/// Appends the table of one record's spectrum (three pairs of centre and level, the totals
/// as named rows), or the cross table of every record; sets tableKind to 2. False when the
/// document holds no such spectrum.
bool FormatMonitorOctaveTable(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& tableKind,
                              const MonitorOctaveChoice& choice, bool allRecords, int record,
                              const TableOutputOptions& options);

} // namespace orlu
