#pragma once
// The Main-results text of a Multifile: the text of each member file, as its
// family writes it alone, gathered into one report. Tables with the same
// caption and columns become one table under one header block with a File
// column in front; each file's rows follow each other, closed by the rule,
// and the notes under a table are written once after it. A member that
// cannot be decoded, or whose reading runs past its data, gets a line that
// says so where its rows would be; the others still appear. The sub-file
// and channel the user had selected are selected again afterwards.

#include "document/CTmDoc.h"
#include "document/LineList.h"
#include "reports/common/MergedMembers.h"

#include <cstdint>
#include <span>

namespace orlu {

/// Clears the lines and writes the text of the given sub-files (numbered from 1) in
/// the order MergedTableOrder gives their tables. Sets bit 4 of the view's offered
/// channels when the last member has a vector. True when at least one member could be shown.
bool FormatMergedResultsText(CTmDoc& doc, LineList& lines, int* widthOut, std::uint16_t channelMask,
                             std::uint8_t unitOption, std::span<const int> subfiles,
                             std::uint16_t* offeredMask = nullptr);

} // namespace orlu
