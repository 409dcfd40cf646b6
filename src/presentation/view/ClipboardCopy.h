#pragma once
// What Edit/Copy of a view of lines puts on the clipboard, without a window.
//
// The table copy converts the decimal point, the column separator and the
// order of dates from the view's table settings to the clipboard settings,
// so that a spreadsheet reads the numbers. The plain copy takes the marked
// characters as they are. Both give Windows-1252 text whose lines end in
// CR LF; the window side turns it into UTF-8 for the clipboard.

#include "document/LineSource.h"
#include "presentation/view/MeasurementViewState.h"

#include <array>
#include <cstdint>
#include <string>

namespace orlu {

/// The date layouts of the clipboard and of the table forms: for each output
/// position 0-7, the position of a date written yy/mm/dd that goes there.
inline constexpr std::array<std::array<std::uint8_t, 8>, 6> DateLayoutTable{{
    {3, 4, 2, 6, 7, 5, 0, 1}, // mm/dd/yy
    {6, 7, 2, 3, 4, 5, 0, 1}, // dd/mm/yy
    {0, 1, 2, 3, 4, 5, 6, 7}, // yy/mm/dd
    {3, 4, 2, 0, 1, 5, 6, 7}, // mm/yy/dd
    {6, 7, 2, 0, 1, 5, 3, 4}, // dd/yy/mm
    {0, 1, 2, 6, 7, 5, 3, 4}, // yy/dd/mm
}};

/// The marked block of a table form with the clipboard's decimal point,
/// separator and date layout (FormFlags), shaped by the block-marking mode.
/// The byte 0xB2 (superscript two) becomes '2'.
std::string CopyTableBlock(const MeasurementViewState& view);

/// The marked block of lines copied as it is. Columns count in the lines'
/// own characters (the margin before them on screen is not counted); the end
/// column is excluded.
struct PlainBlock {
    ViewPoint start;
    ViewPoint stop;
    std::uint8_t mode = 0; ///< BlockMarkMode
};
std::string CopyTextBlock(const LineSource& lines, const PlainBlock& block);

/// Replaces every byte 0xB2 (superscript two) by '2', as the measurement view
/// copies units such as m/s².
void ReplaceSuperscriptTwo(std::string& text);

/// The measurement view's copy of a text, table, hex or ASCII form: the table
/// conversion for tables, else the plain copy with 0xB2 turned into '2'.
/// Empty when no block is marked.
std::string CopyMeasurementViewBlock(const MeasurementViewState& view);

} // namespace orlu
