#pragma once
// The column-title cells of the Main-results texts and the date and hour
// header cells of the cross tables. Each cell has a fixed width in
// characters, so that the title lines stay above the row cells.

#include <array>
#include <string_view>

namespace orlu {

inline constexpr int kReportColumnTitleCount = 17;

/// Column-title cells (Windows-1252).
extern const std::array<std::string_view, kReportColumnTitleCount> ReportColumnTitles;

/// Cells of ReportColumnTitles.
enum ReportColumnTitle : int {
    kTitleFile = 0,                    ///< " File     ", merged texts (10)
    kTitleStart = 1,                   ///< over the date and start-time cells (20)
    kTitleChannel = 2,                 ///< " Chan" (5)
    kTitleProfile = 3,                 ///< " Prof" (5)
    kTitleNamesCurrent = 4,            ///< filter, detector, time and units (33)
    kTitleNamesLegacy = 5,             ///< function, filter, time and units (31)
    kTitleResult = 6,                  ///< " Result  " (9)
    kTitleDateUnits = 7,               ///< " yy/mm/dd " (10)
    kTitleStartUnits = 8,              ///< " hh:mm'ss " (10)
    kTitleCrossDate = 9,               ///< "date      " (10)
    kTitleCrossDateUnits = 10,         ///< "yy/mm/dd  " (10)
    kTitleCrossHour = 11,              ///< "hour      " (10)
    kTitleCrossHourUnits = 12,         ///< "hh:mm'ss  " (10)
    kTitleVibrationTime = 13,          ///< "   hh:mm'ss" (11)
    kTitleNamesCurrentUnits = 14,      ///< under a channel or profile cell plus title 4 (38)
    kTitleNamesLegacyUnits = 15,       ///< legacy single-file text (32)
    kTitleNamesLegacyMergedUnits = 16, ///< legacy merged text (31)
};

} // namespace orlu
