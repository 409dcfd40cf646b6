#pragma once
// The Header information report of ORLU 505 ANALYZER-mode documents (kinds
// 4, 11 and the Multifile 24): time, date, input and function of each
// record, range, reference level and filter, the frequency band and
// averaging, then the Time and Spectrum setup (triggering, window, zoom and
// the zoom lines) or the octave setup (bands, histograms), the time step, a
// 12-character column per channel of four-channel files, and a remark when
// the document holds reverberation-time results.

#include "document/CTmDoc.h"
#include "document/LineList.h"

#include <cstdint>

namespace orlu {

/// Clears the lines and writes the report of sub-file `fileIndex` of a
/// Multifile (every sub-file with `allFiles`), or of the single file. The
/// unit option is the view's Header-info choice (levels in dB or linear).
/// False, with no lines, for a document of another family.
bool FormatHeaderInfo505(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t channelMask, bool allFiles,
                         int fileIndex, std::uint8_t unitOption);

} // namespace orlu
