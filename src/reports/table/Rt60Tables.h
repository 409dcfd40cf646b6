#pragma once
// The table form of the reverberation times an instrument stored in an RT60
// measurement file: per band, then per total row, EDT, RT20, RT30 and RTuser
// in seconds, in 10-character fields through the table engine.

#include "document/CTmDoc.h"
#include "reports/table/MainResultsTables.h"

namespace orlu {

/// The RT60 table of a single-channel file (records 27 or 28 by the save mode). With
/// allFiles set the caption names sub-file `subfile`, whose header is decoded first.
int TableFormRT60(CTmDoc& doc, MainTableRequest& request, int allFiles, int subfile);

} // namespace orlu
