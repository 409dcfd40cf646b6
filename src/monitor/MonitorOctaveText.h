#pragma once
// The octave spectra of a MONITOR document in dB: as text the spectrum of
// the record shown, or of every record, in three columns of band centre and
// level, the totals TOT_A, TOT_C and TOT_Lin last; as a table the spectrum
// of the record shown.

#include "document/LineList.h"
#include "reports/table/TableOutputOptions.h"

#include <cstdint>

namespace orlu {

class CTmDoc;

/// Clears the lines and writes the 1/1-octave (third = false) or 1/3-octave form of record
/// `record` (from 1), or of every record. False when the document holds no spectra of that kind.
bool FormatMonitorOctaveText(CTmDoc& doc, LineList& lines, int* widest, bool third, bool allRecords, int record);

/// Appends the table of one record's spectrum in dB: three pairs of centre and level, the
/// totals as named rows; sets tableKind to 2. False when the document holds no such spectrum.
bool FormatMonitorOctaveTable(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& tableKind, bool third,
                              int record, const TableOutputOptions& options);

} // namespace orlu
