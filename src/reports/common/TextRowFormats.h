#pragma once
// Row and value formats of the Main-results texts. A renderer takes a row
// format as a base plus the decimals index d (0, 1 or 2) that the level
// formatter gives for the row's largest level; the numbers then carry d + 1
// decimals. Members that no renderer selects keep their places, so that the
// bases stay where the renderers expect them.

#include <array>
#include <string_view>

namespace orlu {

inline constexpr int kTextRowFormatCountA = 15;
inline constexpr int kTextRowFormatCountB = 22;

/// List A: legacy rows and single value cells.
extern const std::array<std::string_view, kTextRowFormatCountA> TextRowFormatsA;
/// List B: rows of the current family and of the merged legacy texts.
extern const std::array<std::string_view, kTextRowFormatCountB> TextRowFormatsB;

/// Entries of TextRowFormatsA.
enum TextRowFormatA : int {
    kRowALegacyBase = 1, ///< legacy rows: "%5s  %-6s %8s |%6s |" + four values + two text cells, + d
    kRowALegacySoundIntensity = 4,
    kValueAExposureLevel = 5,        ///< "%9.1f": exposure levels, SEL, Lex8, VDV in dB
    kValueABase = 8,                 ///< "%7.Nf" single value cells, + d
    kValueAExposureOneDecimal = 12,  ///< "%9.1f"
    kValueAExposureTwoDecimals = 13, ///< "%9.2f"
};

/// Entries of TextRowFormatsB.
enum TextRowFormatB : int {
    kRowBFiveValuesBase = 1,    ///< five-value sound rows of the 515 text display, + d
    kValueBMonitorBase = 5,     ///< value cells of the MONITOR results text, + d
    kRowBFourValuesBase = 9,    ///< four-value sound and vibration rows, + d
    kRowBTextCellsBase = 14,    ///< three text cells and one value (vector MODULE rows), + d
    kRowBLegacyMergedBase = 18, ///< legacy merged rows, + d
    kRowBLegacyMergedSoundIntensity = 21,
};

} // namespace orlu
