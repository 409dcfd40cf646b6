#pragma once
// The three options every table form is written with, and the characters the
// decimal and separator indexes select. The views take them from the
// "Table Form Defaults" settings; the text download of the instrument link
// passes its own.

#include <cstdint>

namespace orlu {

/// Format flag, decimal index and separator index, in the order the table renderers take them.
struct TableOutputOptions {
    /// Main results: 1 = linear results in scientific notation. Other tables: the view's
    /// table variant, which each writer takes modulo its number of layouts.
    std::uint8_t FormatFlag = 0;
    /// Index into DecimalPointChars.
    std::uint8_t DecimalIndex = 0;
    /// Index into ColumnSeparatorChars.
    std::uint8_t SeparatorIndex = 0;
};

/// The decimal characters: index 0 '.', index 1 ','.
inline constexpr char DecimalPointChars[] = ".,";

/// The separator characters: TAB, ',', ';', '/', blank, blank (doubled), '#' (fields kept as they are).
inline constexpr char ColumnSeparatorChars[] = "\t,;/  #";

/// The separator index whose blank is written twice.
inline constexpr std::uint8_t kDoubledSeparatorIndex = 5;
/// The separator that leaves the fixed 10-character fields untouched.
inline constexpr char kNoSeparator = '#';

/// The decimal character of an index; an index the table does not hold gives '.'.
constexpr char DecimalChar(std::uint8_t index)
{
    return index < sizeof DecimalPointChars - 1 ? DecimalPointChars[index] : DecimalPointChars[0];
}

/// The separator character of an index; an index the table does not hold gives TAB, the default.
constexpr char SeparatorChar(std::uint8_t index)
{
    return index < sizeof ColumnSeparatorChars - 1 ? ColumnSeparatorChars[index] : ColumnSeparatorChars[0];
}

/// Whether the separator of an index is written twice.
constexpr bool SeparatorDoubled(std::uint8_t index)
{
    return index == kDoubledSeparatorIndex;
}

} // namespace orlu
