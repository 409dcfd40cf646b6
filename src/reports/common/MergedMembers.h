#pragma once
// What the merged Main-results reports of a Multifile (text and table) share:
// the members a report covers, decoding each member in turn, the lines of a
// member that cannot be shown, and the order of the tables they gather.

#include "document/CTmDoc.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace orlu {

/// The line of a member that cannot be decoded.
inline constexpr std::string_view kMemberUnreadableText = "This file cannot be shown: it is damaged or incomplete.";
/// The line of a member whose family has no Main results.
inline constexpr std::string_view kMemberWithoutResultsText = "This file has no Main results.";
/// The line of a reverberation-time member among members of other measurements.
inline constexpr std::string_view kMemberRt60Text =
    "This file holds reverberation times: select it alone to see them.";
/// Bit 4 of a view's channel word: the vector column of four-channel files.
inline constexpr std::uint16_t kVectorColumnBit = 0x10;

/// What stands between the groups of a merged report: nothing, an empty line
/// between two groups when both have rows, or an empty line after the first
/// group whether or not the second has any.
enum class GroupGap { None, Between, AfterFirst };

/// The sub-files a merged report covers: all of them, or the one selected (from 1).
std::vector<int> MergedReportFiles(const CTmDoc& doc, bool allFiles, int selected);

/// Decodes sub-file n of a Multifile of either family and makes the mask's first
/// channel current; false when it cannot be decoded.
bool DecodeMember(CTmDoc& doc, int n, std::uint16_t channelMask);

/// Whether some member among the sub-files has an accelerometer (ORLU 530 and 535 files,
/// four-channel files) and flags that allow VDV values (bit 2 clear): then the
/// Multifile's vibration rows all have the VDV column. Leaves the document on the last
/// sub-file decoded.
bool MembersHaveVdv(CTmDoc& doc, std::span<const int> subfiles, std::uint16_t channelMask);

/// Whether the member just decoded measured reverberation times: its times are
/// not Main results, so a merged report names it with kMemberRt60Text instead.
bool ReverberationMember(const CTmDoc& doc);

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
    /// The input kind that groups the member noted last (ORLU 530 and 535 files), or -1
    /// for the families whose groups the dose meter or the caption part.
    int MemberInput() const { return m_MemberInput; }
    /// Whether a table of the member noted last, with this dose flag and caption, joins a
    /// table already gathered: one group shares one header, the header of its first
    /// member, even where a later member has other columns.
    bool SameGroup(bool doseTable, int input, std::string_view caption, std::string_view memberCaption) const
    {
        return doseTable == m_DoseMember && input == m_MemberInput && caption == memberCaption;
    }
    /// Whether the member noted last has a vector (four-channel files).
    bool LastHasVector() const { return m_LastVector; }
    /// What parts the groups of the text and of the table, by the members' family.
    GroupGap TextGap() const { return m_Mixed ? GroupGap::Between : GroupGap::None; }
    GroupGap TableGap() const
    {
        return m_FourChannel ? GroupGap::AfterFirst : m_Mixed ? GroupGap::Between : GroupGap::None;
    }
    /// The rank of a table, once every member is noted: lower ranks first.
    int Rank(bool doseTable, std::string_view caption) const;
    /// The indexes of tables of the given ranks in the order to write them: by rank,
    /// tables of equal rank as they came.
    static std::vector<std::size_t> Sequence(const std::vector<int>& ranks);

private:
    bool m_DoseMember = false;
    bool m_SoundFirst = true;
    bool m_LastVector = false;
    bool m_FourChannel = false;
    bool m_Mixed = false; ///< members of the ORLU 530 and 535, grouped by their input
    int m_MemberInput = -1;
};

} // namespace orlu
