#pragma once
// The Main-results text of a legacy-family file (the ORLU 505's METER-mode
// files): one row per channel with its main result, Peak, Min, Max, the
// second filter's level (LeqX) or the crest factor, Spl, Ltm3 and Ltm5 of
// prefixed files, VDV, SEL and Lex8 as the file's rows hold them; probe files
// add the vector row (MODULE) or the sound-intensity row.

#include "document/CTmDoc.h"
#include "document/LineList.h"

#include <cstdint>

namespace orlu {

/// Writes the text (nothing when no channel gives a row). unitOption: a microphone
/// shows linear units with 1, every other input with 0. Keeps the selected channel.
bool FormatLegacyResultsText(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t channelMask,
                             std::uint8_t unitOption);

/// The rows of one member of a legacy Multifile as the merged text lays them out:
/// no Ltm columns, the crest factor after Spl, channel cells of six characters,
/// the units of VDV and SEL by the unit option alone, and no MODULE note.
bool FormatLegacyMemberText(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t channelMask,
                            std::uint8_t unitOption);

} // namespace orlu
