#pragma once
// The Header information of the ORLU 505's METER-mode (legacy-family) files,
// kinds 3, 10 and the Multifile kind 23: time, date and input, the settings
// the header layout of the file holds (function, range, reference levels,
// time constant, probe and buffer settings), a block of 12-character columns
// with one column per channel, and what each channel logs in the buffer.

#include "document/CTmDoc.h"
#include "document/LineList.h"

#include <cstdint>

namespace orlu {

/// Clears the lines and writes the header information of sub-file `fileIndex`
/// (0 for a single file), or of every file of a Multifile with `allFiles`.
/// `channelMask` chooses the columns of a multi-channel file (bit 0 the first
/// channel); `unitOption` is the view's Header-info unit choice (microphone
/// levels are linear at 1, other inputs' at 0). A Multifile is left on
/// sub-file `fileIndex`, and the channel selected before stays selected.
/// False, with nothing written, for a document of another family.
bool FormatLegacyHeaderInfo(CTmDoc& doc, LineList& lines, int* widthOut, std::uint16_t channelMask, bool allFiles,
                            int fileIndex, std::uint8_t unitOption);

} // namespace orlu
