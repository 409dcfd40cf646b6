#pragma once
// The tonality assessment an instrument stores in TONALITY mode (record 29):
// the analysis criteria, the tonal adjustment Kt and, when a tone was found,
// the levels in the critical band, the audibility and the tone frequencies.

#include "document/CTmDoc.h"
#include "document/LineList.h"

#include <cstdint>

namespace orlu {

/// Appends the tonality section. With fromFile set the record is taken from
/// sub-file `fileIndex` of a merged document, decoded first and named in the
/// caption; otherwise from sub-file `fileIndex` (0 for single files).
bool FormatTonalityText(CTmDoc& doc, LineList& lines, int* widest, bool fromFile, std::uint16_t fileIndex);

} // namespace orlu
