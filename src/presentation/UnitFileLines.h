#pragma once
// The lines of the unit-files dialog's list, built from the program's copy of
// the instrument's directory: the file letter each family gives a record, the
// File type filter of the ORLU 505, the Details and More details columns and
// the sorting. Each line keeps the index of its directory entry, so that the
// transfers fetch the file the user chose whatever the list order.

#include "link/CUnitDirectory.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orlu {

inline constexpr std::string_view kNoFilesFound = "No files found !";

/// The letter of a directory entry in the family of the selector.
char UnitFileLetter(std::uint8_t selector, const UnitDirEntry& entry);

/// File type filter of the ORLU 505 (the "File type" items).
enum class UnitFileFilter : int { Meter = 0, Analyzer = 1, Special = 2, All = 3 };

struct UnitListOptions {
    bool details = false;
    bool moreDetails = false;
    bool sortByNames = false;
    UnitFileFilter fileType = UnitFileFilter::All;
};

struct UnitFileLine {
    std::string text;
    std::size_t entry = 0;      ///< the directory entry it shows
    std::uint32_t itemData = 0; ///< sent back as the request count
};

/// The lines of every listed entry (none for an empty list, which shows
/// kNoFilesFound). More details on the ORLU 505 need its headers: without
/// any, `options.moreDetails` is switched off.
std::vector<UnitFileLine> BuildUnitFileLines(std::uint8_t selector, const CUnitDirectory& directory,
                                             UnitListOptions& options);

/// The name part of a line: leading blanks skipped, up to '.', '<' or a blank.
std::string LineNamePart(std::string_view line);

/// The line a typed name picks: compared without regard to case with each
/// line's name part.
struct TypedNameMatch {
    enum class Result { Found, NotFound, NotUnique } result = Result::NotFound;
    std::size_t line = 0;
};
TypedNameMatch MatchTypedName(const std::vector<UnitFileLine>& lines, std::string_view typed);

/// Puts the chosen lines (list positions, in list order) into the
/// directory's selection: names, item data, entries and flags.
void StoreSelection(CUnitDirectory& directory, const std::vector<UnitFileLine>& lines,
                    const std::vector<std::size_t>& positions);

/// The download folder as the target-path button shows it: beyond 60
/// characters, its first 3, "..." and its last 54.
std::string TargetPathText(std::string_view path);

} // namespace orlu
