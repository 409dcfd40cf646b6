#pragma once
// What the text forms of buffers and loggers share: the rule, the unit
// headings of the value columns, the positions a marked block shows, and the
// rows of three position-value cells filled column by column.

#include "document/LineList.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace orlu {

/// The rule framing a time history's parameters and values.
inline constexpr std::size_t kTimeHistoryRuleLength = 71;

/// Unit indexes of the value columns beyond the buffer's seven linear units.
inline constexpr int kUnitRpm = 8;
inline constexpr int kNonMetricUnitShift = 6; ///< m/s2, m/s, m, KB and m/sx in g, in/s, in, KB and in/sx

/// The column heading of a unit index: 0 dB, 1 V, 2 Pa, 3 m/s2, 4 m/s, 5 m, 6 KB, 7 m/sx,
/// 8 RPM, 9 g, 10 in/s, 11 in, 12 KB, 13 in/sx; dB past the table.
std::string_view LevelHeading(int unitIndex);

/// The header row of three position-value columns headed by a unit heading.
std::string LevelHeaderRow(std::string_view heading);

/// The aggregated positions shown: those of the marked block, or all of them.
struct PositionRange {
    std::size_t first = 0;
    std::size_t count = 0;
};

/// The positions of `values` aggregated values a form shows: with a block, the windows
/// of its first and last record (markers in records, lower first), clamped to the values.
PositionRange ShownPositions(bool block, const std::array<std::uint32_t, 2>& markers, int degree, std::size_t values);

/// A cell of the rows: the 1-based position, the value and the overload mark. Linear
/// values are written with two exponent digits, one character narrower than their field.
std::string LevelCell(std::size_t position, double value, bool linear, char mark);

/// Appends ceil(count / 3) rows of up to three cells, filled column by column: row r holds
/// cells r, m + r and 2m + r, five blanks apart. cell(i) makes the cell of shown value i.
void AppendColumnRows(LineList& lines, int* widest, std::size_t count,
                      const std::function<std::string(std::size_t)>& cell);

} // namespace orlu
