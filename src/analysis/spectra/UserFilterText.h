#pragma once
// The text form of the User's filters view: the band levels the instrument
// keeps for each filter the user defined on it, one titled table per filter
// of three frequency-level pairs a row, filled column by column, always in dB.
// The filters come with the octave setups of one-channel current-family files
// (a Multifile shows them for each of its 1/3-octave members).

#include "document/LineList.h"
#include "document/headers/CurrentHeader.h"

#include <span>

namespace orlu {

class CTmDoc;

/// The filter's table: an empty line, "User's filter "NAME"", the dB column header
/// between rules, the rows and a rule. Value i stands at `centres[i]` (0 past them).
void AppendUserFilter(LineList& lines, int* widest, const UserFilterEntry& filter, std::span<const double> centres);

/// The form: the filters of the file; of a Multifile, with all files those of every
/// member holding 1/3 octaves, else those of member `fileIndex` (from 1; nothing when
/// it holds no 1/3 octaves). False when the document is no current-family measurement
/// (the lines are then left empty). The decoded member and channel are kept.
bool TextUserFilters(CTmDoc& doc, LineList& lines, int* widest, bool allFiles, int fileIndex);

} // namespace orlu
