#pragma once
// The text form of Main results (ViewKind 2): the text of the document's family.

#include "document/CTmDoc.h"
#include "document/LineList.h"

#include <cstdint>

namespace orlu {

using ResultsTextRenderer = bool (*)(CTmDoc&, LineList&, int*, std::uint16_t, std::uint8_t);

/// The Main-results text of the family of the file the document decoded last
/// (a single file, or the decoded member of a Multifile); null when it has none.
ResultsTextRenderer FamilyResultsText(const CTmDoc& doc);

/// Writes the Main-results text of the document's family; false, with the
/// lines cleared, for a document whose family has no text.
bool FormatMainResultsText(CTmDoc& doc, LineList& lines, int* widthOut, std::uint16_t channelMask,
                           std::uint8_t unitOption);

} // namespace orlu
