#pragma once
// The text form of Main results (ViewKind 2): the text of the document's family.

#include "document/CTmDoc.h"
#include "document/LineList.h"

#include <cstdint>

namespace orlu {

/// Writes the Main-results text of the document's family; false, with the
/// lines cleared, for a document whose family has no text.
bool FormatMainResultsText(CTmDoc& doc, LineList& lines, int* widthOut, std::uint16_t channelMask,
                           std::uint8_t unitOption);

} // namespace orlu
