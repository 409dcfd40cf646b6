#pragma once
// What the Main-results texts share: the title line growing together with its
// rule, the header block written before the first row, the channels shown,
// the date, start-time and unit cells of a row, and keeping the user's
// channel selection while a renderer selects its own.

#include "document/CTmDoc.h"
#include "document/LineList.h"
#include "document/units/LevelUnits.h"
#include "reports/common/ReportNumberFormats.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orlu {

/// A title line and the rule of dashes under it, built piece by piece.
struct TitleLine {
    std::string title;
    std::string rule;
    /// Appends a title piece and as many dashes as it has characters.
    void Add(std::string_view piece);
};

/// The header block: an empty line, the caption, the rule, the title, the units line and the rule again.
void AddHeaderBlock(LineList& lines, int* widest, std::string_view caption, const TitleLine& titles,
                    std::string units);

/// A table of a Main-results text: the header block goes before the first
/// row and the rule after the last, so that a table without rows writes nothing.
struct HeadedTable {
    explicit HeadedTable(std::string_view tableCaption) : caption(tableCaption) {}
    std::string_view caption;
    TitleLine titles;
    std::string units;
    int rows = 0;
    /// Adds the row, after the header block when it is the first.
    void Add(LineList& lines, int* widest, std::string& row);
    /// The rule under the last row; nothing when there is none.
    void Close(LineList& lines, int* widest) const;
};

/// " yy/mm/dd " of a measurement date word (years after 2000).
std::string DateCell(std::uint16_t date);
/// " hh:mm'ss " of a start-time word in units of 2 seconds.
std::string StartTimeCell(std::uint16_t time);
/// The unit word of a level text (its first blank dropped, cut at the next), right-aligned in 6.
std::string UnitCell(const LevelText& level);

/// The first channel of a view's mask: its lowest set bit, 0 for an empty mask.
int FirstChannel(std::uint16_t channelMask);
/// Whether bit `channel` of the view's mask is set.
bool Selected(std::uint16_t channelMask, int channel);
/// The channels a Main-results text shows, in order: those of the mask when
/// the file has several, else the mask's first.
std::vector<int> ShownChannels(int channelCount, std::uint16_t channelMask);
/// Appends "  " and the duration's remainder beyond whole days, when it has one.
void AddRemainder(std::string& row, const DurationText& duration);

/// Reselects the channel and profile the document had when it was made.
class ChannelSelectionKeeper {
public:
    explicit ChannelSelectionKeeper(CTmDoc& doc)
        : m_Doc(doc), m_Channel(doc.Channel().channel), m_Profile(doc.Channel().profile)
    {
    }
    ~ChannelSelectionKeeper() { m_Doc.SelectChannelProfile(m_Channel, m_Profile); }
    ChannelSelectionKeeper(const ChannelSelectionKeeper&) = delete;
    ChannelSelectionKeeper& operator=(const ChannelSelectionKeeper&) = delete;

private:
    CTmDoc& m_Doc;
    int m_Channel;
    int m_Profile;
};

} // namespace orlu
