#pragma once
// The text form of the Statistical levels view: the levels Ln of the user's
// ten percentages per channel or profile, or one row per file of a Multifile,
// computed from the histogram (or taken as the file stores them).
//
// Which computation: a current-family histogram stored in the file is read
// by the 0.1 dB steps of ComputeStatLevels99; legacy histograms and every
// histogram built from a time history by interpolation on the exceedance
// curve; a file that stores levels and no histogram shows its stored levels
// under its own percentages.

#include "analysis/statistics/StatisticsChoices.h"
#include "document/LineList.h"
#include "reports/table/TableOutputOptions.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orlu {

class CTmDoc;

/// The text form; in octave mode the level spectrum. Returns false when the document is
/// no decoded measurement of a family with statistics (the lines are left empty).
bool TextLevels(CTmDoc& doc, LineList& lines, int* widest, const StatisticsChoices& choices);

/// The table form, appended to the lines: the levels of the channels of the mask (or the
/// view's channel) as a levels cross table, read off each histogram's exceedance curve or
/// taken as the file stores them. Sets the content byte to 2; false as for the text.
bool TableLevels(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content, const StatisticsChoices& choices,
                 const TableOutputOptions& options);

/// Ten percentages and their levels (dB); positions past the user's count hold 0.
struct LevelRow {
    std::array<std::uint8_t, 10> percentages{};
    std::array<double, 10> levels{};
};

/// The grid of one channel: caption, the positions 1 to 10, "ni[%]" and "Lni[dB]".
void AppendLevelGrid(LineList& lines, int* widest, const std::string& caption, const LevelRow& row);

/// One file's row of a Multifile grid.
struct NamedLevelRow {
    std::string name;
    LevelRow row;
};
/// The grid of the files: a new "ni[%]" block before the first row and wherever a
/// file's percentages differ from the row before.
void AppendSubfileGrid(LineList& lines, int* widest, const std::string& caption,
                       std::span<const NamedLevelRow> rows);

} // namespace orlu
