#pragma once
// Row formats, range names and duration unit letters of the table forms.
// Rows 0 to 41 are formats whose every field is 10 characters wide and
// left-aligned, grouped by row layout with one member per decimals index;
// a renderer takes its row as the group's second member plus the decimals
// index (the first member, with no decimals, is selected by no renderer but
// keeps its place). Rows 42 to 45 are range names, 46 to 48 unit letters.

#include "platform/CompiledFormat.h"

#include <array>
#include <string_view>

namespace orlu {

inline constexpr int kTableRowFormatCount = 49;

/// The table forms' formats and names (Windows-1252).
extern const std::array<std::string_view, kTableRowFormatCount> TableRowFormats;

/// An entry of TableRowFormats parsed once, for rows of many values.
const CompiledFormat& CompiledTableRowFormat(int index);

/// Entries of TableRowFormats.
enum TableRowFormat : int {
    kTableRowLegacyBase = 1, ///< legacy rows, + decimals index 0 to 3
    kTableRowLegacySoundIntensity = 5,
    kTableRowFiveValuesBase = 7, ///< 515 text display rows, + decimals index 0 to 2
    kTableValueMonitorBase = 16, ///< MONITOR table values, + decimals index
    kTableRowMonitor = 19,
    kTableRowFourValuesBase = 20, ///< sound and vibration rows, + decimals index 0 to 3
    kTableRowVectorBase = 25,     ///< vector (MODULE) rows, + decimals index 0 to 3
    kTableRowMergedBase = 30,     ///< merged legacy rows, + decimals index 0 to 3
    kTableRowMergedSoundIntensity = 34,
    kTableValueDb = 35,        ///< "%-10.1f": values in dB
    kTableValueLinear = 36,    ///< "%-10.2e": values in linear units
    kTableValueBase = 38,      ///< single value columns, + decimals index 0 to 3
    kTableRangeNameBase = 42,  ///< range names, + range code 0 to 3
    kTableUnitLetterBase = 46, ///< "s", "m", "h"
};

} // namespace orlu
