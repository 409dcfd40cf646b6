#pragma once
// The screen side of the text, table, hex and ASCII forms, without a window:
// which lines and columns a paint shows, the marked block in characters (and
// in a table, in fields) with the part of each line it highlights, and the
// scroll ranges and steps.

#include "presentation/view/MeasurementViewState.h"

#include <climits>
#include <cstdint>
#include <string>
#include <string_view>

namespace orlu {

/// A line without its CR LF.
std::string_view LineText(std::string_view line);

/// Turns the block corners (pixels) into BlockStart and BlockStop (column,
/// line) and, in a table form, into field numbers; sets BlockMarked. In a
/// TAB table the corners' screen columns become the columns of the lines'
/// own characters under them.
void NormalizeBlock(MeasurementViewState& view);

/// The block's start and end columns on a line (start included, end excluded):
/// in a text form the block's columns; in a table form the columns of whole fields.
struct ColumnSpan {
    int start = 0;
    int end = 0;
    friend bool operator==(const ColumnSpan&, const ColumnSpan&) = default;
};
ColumnSpan GetBlockColumns(const MeasurementViewState& view, std::string_view line);

/// The columns of line `index` drawn highlighted; empty (start == end) for none.
/// A span reaching to the window edge ends at INT_MAX.
ColumnSpan BlockHighlight(const MeasurementViewState& view, int index, std::string_view line);

/// Lays out the columns of a table form with the TAB separator (TabColumns);
/// every other form is shown one screen column per character.
void LayOutTabColumns(MeasurementViewState& view);

/// Line `index` as the screen shows it: its text (a TAB table's fields in
/// their columns, made in `buffer`) and the screen columns drawn highlighted.
struct ScreenLine {
    std::string_view text;
    ColumnSpan block;
};
ScreenLine ScreenLineAt(const MeasurementViewState& view, int index, std::string& buffer);

/// Scroll ranges of the text forms for a client area.
struct TextScrollInfo {
    int hMax = 0;  ///< horizontal range end (widest line - 3, in screen columns)
    int hPage = 1; ///< columns in the window
    int vMax = 0;  ///< vertical range end (line count)
    int vPage = 1; ///< lines in the window
};
TextScrollInfo TextScrollRanges(const MeasurementViewState& view, int clientWidth, int clientHeight);
/// Keeps FirstLine and FirstColumn inside the ranges.
void ClampTextScroll(MeasurementViewState& view, const TextScrollInfo& info);

/// A scroll request, as scroll bars and keys send them.
enum class ScrollCode : std::uint8_t { LineUp, LineDown, PageUp, PageDown, Track, Top, Bottom };
/// Scrolls the lines (vertical) or the columns (horizontal) of a text form.
void ScrollText(MeasurementViewState& view, bool vertical, ScrollCode code, int trackPosition,
                const TextScrollInfo& info);

/// Lines that fit the client height (a last partial line included).
int VisibleLineCount(const MeasurementViewState& view, int clientHeight);

} // namespace orlu
