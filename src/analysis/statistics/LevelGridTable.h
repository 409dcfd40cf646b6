#pragma once
// The table form of a Multifile's statistical levels: per profile (or for the
// octave band shown) a grid with a row of levels per file, under a row of
// the percentages that is repeated, after an empty line, wherever a file's
// percentages differ from the row before (a file that stores its levels
// keeps its own). Fields of ten characters, joined by the user's separator,
// the user's decimal character in the levels; an empty line closes each grid.

#include "analysis/statistics/StatisticsChoices.h"
#include "document/LineList.h"
#include "reports/table/TableOutputOptions.h"

#include <cstdint>

namespace orlu {

class CTmDoc;

/// The grids, appended to the lines; content is set to 1 (the grid has no graph of its
/// own). False when the document is no Multifile with statistics.
bool TableLevelsGrid(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content,
                     const StatisticsChoices& choices, const TableOutputOptions& options);

} // namespace orlu
