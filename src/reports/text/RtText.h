#pragma once
// The reverberation times an instrument measured in RT60 mode, as it stored
// them: per frequency band and total value the decay times EDT, RT20, RT30
// and the user-interval time, in seconds.

#include "document/CTmDoc.h"
#include "document/LineList.h"

#include <cstdint>

namespace orlu {

/// One table of the results record (27 single, 28 averaged). With fromFile
/// set the table is sub-file `fileIndex`'s of a merged document, decoded
/// first and named in the caption; otherwise sub-file 0's. The channel mask
/// is not used. Starts a new text.
bool FormatRtText(CTmDoc& doc, LineList& lines, int* widest, bool fromFile, std::uint16_t fileIndex,
                  std::uint16_t channelMask);

/// One table per channel of a four-channel file (records 37 single, 38
/// averaged) whose bit is set in the channel mask, then the table averaged
/// over the channels (40 or 41). Arguments as FormatRtText. Starts a new text.
bool FormatRtChannelsText(CTmDoc& doc, LineList& lines, int* widest, bool fromFile, std::uint16_t fileIndex,
                          std::uint16_t channelMask);

} // namespace orlu
