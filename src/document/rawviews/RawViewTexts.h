#pragma once
// The fixed texts of the raw content views. The report caption table names
// the same two lines by its row numbers and takes them from here.

#include <string_view>

namespace orlu {

/// The line that replaces the rest of an ASCII form whose records cannot be walked.
inline constexpr std::string_view kImproperFileContentsLine = "*** Improper file contents ***";
/// The first line of an ASCII form (the file's path name goes into %s).
inline constexpr std::string_view kAsciiFormCaption = "\"ASCII form of the file: %s\";";

inline constexpr std::string_view kHexDumpHeader =
    " Offset   0  1  2  3   4  5  6  7   8  9  A  B   C  D  E  F   0123456789ABCDEF";
inline constexpr std::string_view kHexDumpRule =
    "-------  -- -- -- --  -- -- -- --  -- -- -- --  -- -- -- --   ----------------";

} // namespace orlu
