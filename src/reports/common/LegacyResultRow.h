#pragma once
// What the text and the table of a legacy-family file's Main results share:
// the channels they walk, the optional columns the inputs present call for,
// and one channel's result row found, scaled and decoded.

#include "document/CTmDoc.h"
#include "document/results/ResultValues.h"
#include "document/units/LevelUnits.h"
#include "reports/common/NameTables.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orlu {

/// The kind of the legacy-family files that show Main results (kind 10 keeps no results).
inline constexpr std::uint8_t kKindLegacyMeter = 3;

/// The channels a legacy Main-results report walks and the columns it shows.
struct LegacyResultsPlan {
    std::vector<int> channels; ///< in order, the mask applied
    bool multiChannel = false;
    bool hasMicrophone = false;
    bool hasDirect = false;
    bool hasAccelerometer = false;
    bool vdvColumn = false;  ///< bit 4 of the flags word and an accelerometer
    bool ltmColumns = false; ///< a prefixed file with a microphone or a direct input
    bool selColumns = false; ///< a microphone
};

/// Walks the channels the report covers (selecting each, whatever the mask) to learn
/// its columns, and keeps those of the mask.
LegacyResultsPlan PlanLegacyResults(CTmDoc& doc, std::uint16_t channelMask);

/// Whether a legacy channel of this input kind shows linear units under the view's
/// unit option: a microphone with option 1, every other input with option 0.
bool LegacyLinear(std::uint16_t inputKind, std::uint8_t unitOption);

/// One channel's row, decoded.
struct LegacyResultRow {
    int channel = 0;
    bool vectorRow = false;    ///< the fifth channel of a vector probe file: the vector sum
    bool intensityRow = false; ///< the fifth channel of a sound-intensity probe file
    bool linear = false;
    std::uint16_t inputKind = 0;
    std::string function;      ///< with its leading blank: " Leq" for a microphone, " Dsl" for a direct input,
                               ///< else the channel's function; the probe's microphone pair on the intensity row
    LegacyFilter filter;       ///< the channel's weighting filter and its unit
    bool dualFilter = false;   ///< LeqX: a second filter's level in place of the crest factor
    bool overload = false;     ///< bit 1 of the channel's detector word
    LevelText level;           ///< the largest level of the row: unit, decimals, display multiplier
    std::uint16_t seconds = 0; ///< the measurement's duration
    ResultValues values;
};

/// Selects `channel` (row 0 of a one-channel file) and decodes its row with the level
/// formatter of the report (scientific: FormatLevelSci). Nothing for a channel whose
/// function is 0, or whose row the file does not hold whole.
std::optional<LegacyResultRow> DecodeLegacyResultRow(CTmDoc& doc, int channel, std::uint8_t unitOption,
                                                     bool scientific);

/// Reselects the legacy channel the document had when it was made.
class LegacyChannelKeeper {
public:
    explicit LegacyChannelKeeper(CTmDoc& doc) : m_Doc(doc), m_Channel(doc.Channel().channel) {}
    ~LegacyChannelKeeper() { m_Doc.SelectLegacyChannel(m_Channel); }
    LegacyChannelKeeper(const LegacyChannelKeeper&) = delete;
    LegacyChannelKeeper& operator=(const LegacyChannelKeeper&) = delete;

private:
    CTmDoc& m_Doc;
    int m_Channel;
};

} // namespace orlu
