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

#include <cstdint>
#include <span>
#include <string_view>

namespace orlu {

/// The line of a member that cannot be decoded.
inline constexpr std::string_view kMemberUnreadableText = "This file cannot be shown: it is damaged or incomplete.";
/// The line of a member whose family has no Main results.
inline constexpr std::string_view kMemberWithoutResultsText = "This file has no Main results.";

/// The sub-files a merged report covers: all of them, or the one selected (from 1).
std::vector<int> MergedReportFiles(const CTmDoc& doc, bool allFiles, int selected);

/// Clears the lines and writes the text of the given sub-files (numbered from 1) in
/// their order. True when at least one member could be shown.
bool FormatMergedResultsText(CTmDoc& doc, LineList& lines, int* widthOut, std::uint16_t channelMask,
                             std::uint8_t unitOption, std::span<const int> subfiles);

/// Decodes sub-file n of a Multifile of either family and makes the mask's first
/// channel current; false when it cannot be decoded.
bool DecodeMember(CTmDoc& doc, int n, std::uint16_t channelMask);

} // namespace orlu
