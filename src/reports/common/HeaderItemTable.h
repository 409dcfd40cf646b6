#pragma once
// The items of the Header information reports, one table per file family.
// A line is the item's label, 32 characters, followed at character 32 by the
// value written with the item's format; column items put one cell per channel
// at characters 32, 44, 56 and so on.

#include <array>
#include <string_view>

namespace orlu {

/// One item of a Header information report.
struct HeaderItem {
    std::string_view Label;  ///< 32 characters (Windows-1252), or empty
    std::string_view Format; ///< printf format of the value
};

inline constexpr int kHeaderLabelWidth = 32;
inline constexpr int kHeaderColumnWidth = 12;

inline constexpr int kLegacyHeaderItemCount = 31;
inline constexpr int kHeaderItemCount505 = 53;
inline constexpr int kHeaderItemCount = 139;

/// Items of the legacy family (the 505's METER files).
extern const std::array<HeaderItem, kLegacyHeaderItemCount> LegacyHeaderItemTable;
/// Items of the 505 family (the 505's ANALYZER files); 35 to 37 and 44 are empty.
extern const std::array<HeaderItem, kHeaderItemCount505> HeaderItemTable505;
/// Items of the current family, shared with the MONITOR header report.
extern const std::array<HeaderItem, kHeaderItemCount> HeaderItemTable;

/// Items of LegacyHeaderItemTable that are named apart from their number.
enum LegacyHeaderItem : int {
    kLegacyItemChannel = 13, ///< "Channel:" label; " #%-10d " also serves the "Profile:" line
    kLegacyItemProfile = 14, ///< "Profile:" label; " Vector     " cell
    kLegacyItemRule = 15,
    kLegacyItemSoundIntensity = 23, ///< " Sound Int. " cell, no label
    kLegacyItemProfileNumber = 30,  ///< " P%-10d "
};

/// Items of HeaderItemTable505 that are named apart from their number.
enum HeaderItem505 : int {
    kItem505FirstZoomLine = 22, ///< 22 to 34: the 13 zoom lines
    kItem505Channel = 47,
    kItem505Rule = 49,
};

/// Items of HeaderItemTable that are named apart from their number.
enum CurrentHeaderItem : int {
    kItemTitleText = 4,
    kItemProfile = 16,
    kItemRule = 17,
    kItemOverloadChannels = 94, ///< 34-character label: the list of channels follows it
};

} // namespace orlu
