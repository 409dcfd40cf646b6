#pragma once
// What the merged Main-results reports of a Multifile (text and table) share:
// the members a report covers, decoding each member in turn, the lines of a
// member that cannot be shown, and the order of the tables they gather.

#include "document/CTmDoc.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace orlu {

/// The line of a member that cannot be decoded.
inline constexpr std::string_view kMemberUnreadableText = "This file cannot be shown: it is damaged or incomplete.";
/// The line of a member whose family has no Main results.
inline constexpr std::string_view kMemberWithoutResultsText = "This file has no Main results.";

/// The sub-files a merged report covers: all of them, or the one selected (from 1).
std::vector<int> MergedReportFiles(const CTmDoc& doc, bool allFiles, int selected);

/// Decodes sub-file n of a Multifile of either family and makes the mask's first
/// channel current; false when it cannot be decoded.
bool DecodeMember(CTmDoc& doc, int n, std::uint16_t channelMask);

/// Where the tables of the members go: in the order the members first show
/// them, except that the tables of dose meters follow the others', and the
/// sound and vibration tables of four-channel files come in the order of the
/// last member's first channel (its sound table first when it is a microphone).
class MergedTableOrder {
public:
    /// Notes what the member just decoded tells the order.
    void Member(const CTmDoc& doc);
    /// Whether the member noted last is a dose meter (its tables go after the others).
    bool DoseMember() const { return m_DoseMember; }
    /// The rank of a table, once every member is noted: lower ranks first.
    int Rank(bool doseTable, std::string_view caption) const;
    /// The indexes of tables of the given ranks in the order to write them: by rank,
    /// tables of equal rank as they came.
    static std::vector<std::size_t> Sequence(const std::vector<int>& ranks);

private:
    bool m_DoseMember = false;
    bool m_SoundFirst = true;
};

} // namespace orlu
