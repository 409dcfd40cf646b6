#pragma once
// The Main-results text of sound level meter files: one row per channel (the
// profiles of record 5) with the levels, exposures and dose values the
// instrument stored, then the rotation and tonality sections when the file
// holds them. RT60 files show their reverberation times instead.
//
// Renderers take the view's line list, the widest-line counter (reset by the
// renderers that start a text, continued by those that append), the view's
// channel mask (bit n: channel n + 1) and its Main-results unit option
// (0 dB, 1 linear). They leave the user's channel selection as they found it.

#include "document/CTmDoc.h"
#include "document/LineList.h"

#include <cstdint>

namespace orlu {

/// ORLU 515 files below firmware 2.00.
bool FormatSlmResultsText(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t channelMask,
                          std::uint8_t unitOption);
/// A member of a Multifile of ORLU 515 files below firmware 2.00: the dose
/// columns always, dashes in them for other functions, the exposure and dose
/// cells for microphones only.
bool FormatSlmMemberText(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t channelMask,
                         std::uint8_t unitOption);
/// ORLU 515 from firmware 2.00 and 525 files, and the sound channel of 530 and 535 files.
bool FormatSlmProfileText(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t channelMask,
                          std::uint8_t unitOption);
/// The sound channels of four-channel files, one row per channel and enabled
/// profile; appends to the vibration text (neither clears nor resets).
bool FormatSlmProfilesText(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t channelMask,
                           std::uint8_t unitOption);
/// The same for a member of a Multifile: a dose meter keeps Lav and leaves out its
/// dose, exposure and PSEL columns.
bool FormatSlmProfilesMemberText(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t channelMask,
                                 std::uint8_t unitOption);
/// Appends the "Rotation measurement results:" section of sub-file `subfile`.
bool FormatRpmText(CTmDoc& doc, LineList& lines, int* widest, std::uint16_t subfile);

} // namespace orlu
