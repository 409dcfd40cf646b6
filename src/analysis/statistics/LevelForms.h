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

#include "analysis/statistics/HistogramSource.h"
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
/// taken as the file stores them; the level spectrum in octave mode; the grid of the files
/// of a Multifile with all files (always for a merge of legacy files). Sets the content
/// byte (2, the grid 1); false as for the text.
bool TableLevels(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content, const StatisticsChoices& choices,
                 const TableOutputOptions& options);

/// Ten percentages and their levels (dB); positions past the user's count hold 0.
struct LevelRow {
    std::array<std::uint8_t, 10> percentages{};
    std::array<double, 10> levels{};
};

/// How a histogram the file keeps itself is read: in the 0.1 dB steps of
/// ComputeStatLevels99 (text forms of current-family files), or off the exceedance curve
/// by interpolation (tables, legacy files, histograms of a time history, octave bands,
/// which are always interpolated).
enum class LevelMethod : std::uint8_t { Steps, Interpolated };

/// The levels of one histogram and whether they are the levels the file stores (a
/// broadband histogram the file does not keep); the total of its counts.
struct FileLevels {
    LevelRow row;
    bool stored = false;
    std::uint64_t total = 0;
};

/// The levels of the user's percentages at the place, computed from its histogram, or
/// the file's stored levels under its own percentages. Computed levels and the total are
/// left in the document (its levels of the percentages and its histogram total; an empty
/// histogram leaves the total 0).
FileLevels LevelsOfFile(CTmDoc& doc, const HistogramPlace& place, LevelMethod method);

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
