#pragma once
// The octave spectra of a MONITOR document as text, in dB: the spectrum of
// the record shown, or of every record, in three columns of band centre and
// level, the totals TOT_A, TOT_C and TOT_Lin last.

#include "document/LineList.h"

namespace orlu {

class CTmDoc;

/// Clears the lines and writes the 1/1-octave (third = false) or 1/3-octave form of record
/// `record` (from 1), or of every record. False when the document holds no spectra of that kind.
bool FormatMonitorOctaveText(CTmDoc& doc, LineList& lines, int* widest, bool third, bool allRecords, int record);

} // namespace orlu
