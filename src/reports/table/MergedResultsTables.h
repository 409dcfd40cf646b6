#pragma once
// The Main-results table of a Multifile: each member's table as its family
// writes it alone, gathered into one report. Tables with the same caption and
// columns become one table: one caption, the header with "File" and the rows
// of every member with its name in front, then the footnotes once; an empty
// line parts the tables. A member that cannot be shown gets a line that says
// so among the rows of the first table. The sub-file and channel the user had
// selected are selected again afterwards.

#include "reports/table/MainResultsTables.h"

#include <span>

namespace orlu {

/// Appends the table of the given sub-files (numbered from 1), in their order.
/// Sets bit 4 of the view's offered channels when the last member has a vector.
/// Returns 1, as the other Main-results renderers.
int TableFormMergedResults(CTmDoc& doc, MainTableRequest& request, std::span<const int> subfiles,
                           std::uint16_t* offeredMask = nullptr);

} // namespace orlu
