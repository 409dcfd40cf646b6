#pragma once
// The Header information text of current-family and merged documents
// (ViewKind 3): how the instrument was set up for each reported file. For
// each file a title, the instrument's identity, the settings sections, the
// channel columns, and the overload, logger, buffer and filter sections.

#include "document/CTmDoc.h"
#include "document/LineList.h"

#include <cstdint>

namespace orlu {

/// The view's choices for the report.
struct HeaderInfoRequest {
    std::uint16_t channelMask = 0; ///< bit k: channel k; bit 4 the vector column of four-channel files
    bool allFiles = false;         ///< a Multifile: every sub-file, else only `fileIndex`
    int fileIndex = 0;             ///< the sub-file of a Multifile; 0 for a single file
    std::uint8_t unitOption = 0;   ///< the view's units of Header info (0 dB for microphones)
    std::uint16_t* selectableMask = nullptr; ///< gets bit 4 when a four-channel file has a vector
};

/// Writes the report into `lines` (cleared first) and the widest line into
/// `widthOut`. False, with the lines cleared, for a document of another family.
/// The user's sub-file and channel selection are as they were afterwards.
bool FormatHeaderInfo(CTmDoc& doc, LineList& lines, int* widthOut, const HeaderInfoRequest& request);

} // namespace orlu
