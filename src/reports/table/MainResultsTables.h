#pragma once
// The table form of the Main results of one current-family file: a caption,
// a header line of 10-character column names with the units inside the
// names, one row of 10-character fields per channel or profile, and the
// footnotes. The rows go through the table engine, which writes the
// separators and the decimal character. Renderers append to the lines (the
// view may have put the header information in front) and never clear them.

#include "document/CTmDoc.h"
#include "document/LineList.h"
#include "reports/table/TableOutputOptions.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace orlu {

struct MainTableCapture;

/// What a Main-results table renderer writes to and is told by the view.
struct MainTableRequest {
    LineList& Lines;
    std::int32_t& Width;      ///< receives the widest line written
    std::uint8_t& TableKind;  ///< receives 1, Main results
    std::uint16_t ChannelMask = 0; ///< bit n: channel or profile n
    std::uint8_t UnitOption = 0;   ///< the view's unit choice of Main results
    TableOutputOptions Options;    ///< format flag 1: linear values in scientific form
    MainTableCapture* Capture = nullptr; ///< when set, the tables are kept there and no line is written
    /// The rows go to a Multifile's table: the channel field of the current families holds
    /// the bare number ("%-10d") instead of "#n" except for four-channel files, the ORLU 515
    /// text display always has the dose columns and PS and Lx8 for every channel, the
    /// four-channel sx note ends with one blank, and legacy files have neither Ltm columns
    /// nor the MODULE note, name the intensity row "Int" and the first channel in the caption.
    bool MergedMember = false;
    /// A Multifile's vibration table has the VDV column when any of its accelerometer
    /// members has VDV values; a member without them shows "-----" in it.
    bool VdvColumn = false;
};

/// The table kind the Main-results renderers report.
inline constexpr std::uint8_t kTableKindMainResults = 1;

/// ORLU 515 below firmware 2.00 (five values, PS and Lx8, SE and SE8, dose).
int TableFormResults515(CTmDoc& doc, MainTableRequest& request);
/// Sound level meters with profiles; an RT60 file gets the reverberation-time table.
int TableFormSoundResults(CTmDoc& doc, MainTableRequest& request);
/// The sound channels of a four-channel file, one row per channel and enabled profile;
/// an RT60 file gets the reverberation-time tables by channel.
int TableFormSoundResultsByChannel(CTmDoc& doc, MainTableRequest& request);
/// Sound and vibration models: a microphone file gets the sound table. A four-channel
/// file gets its sound and vibration tables, the one of its first channel's input first,
/// with an empty line between them; the width covers both.
int TableFormVibrationResults(CTmDoc& doc, MainTableRequest& request);

/// Legacy-family files with results (kind 3, the ORLU 505's METER-mode files).
int TableFormLegacyResults(CTmDoc& doc, MainTableRequest& request);

using MainTableRenderer = int (*)(CTmDoc&, MainTableRequest&);

/// The renderer of a decoded single file's family; null for merged documents and
/// when no table of this kind serves it.
MainTableRenderer MainResultsTableFor(const CTmDoc& doc);
/// The table of the family of the file the document decoded last (a single file, or
/// the decoded member of a Multifile); null when it has none.
MainTableRenderer FamilyResultsTable(const CTmDoc& doc);

/// Appends the fields of a row of four levels: filter, detector, duration and unit, then
/// the levels by the row format of the decimals index (0 to 2 decimals, 3 scientific).
/// An absent level writes each level by the value format of the index, "-----" for it.
void AppendFourLevelFields(std::string& row, int decimals, const std::array<std::string_view, 4>& texts,
                           const std::array<double, 4>& levels);

/// Writes the exponent of one number field in its shortest form (1.23e+003 as 1.23e3,
/// 4.56e-012 as 4.56e-12) and pads the field with blanks to its former length.
void CompactExponentField(std::string& field);

/// Compacts every exponent of the text from position `from` on: each is re-printed in
/// its shortest form and the characters up to the blank that ended the old exponent
/// become blanks, so that the fields keep their widths; an exponent at the very end
/// of the text ends the text.
void CompactExponents(std::string& text, std::size_t from);

} // namespace orlu
