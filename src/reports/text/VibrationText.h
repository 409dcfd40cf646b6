#pragma once
// The Main-results text of vibration files (ORLU 530, 535 and the
// four-channel 545 and 590): one row per vibration channel with Peak, P-P,
// MTVV and RMS, the VDV and the overload time where the file has them, the
// vector sum's MODULE row, the SEAT ratios and the dose-meter section, with
// the sound, rotation and tonality sections before or after.

#include "document/CTmDoc.h"
#include "document/LineList.h"

#include <cstdint>

namespace orlu {

/// Clears the lines and writes the text. The width receives the widest line
/// of the vibration table (the later sections do not widen it). A 530 or 535
/// file measured with a microphone gets the sound level meter text instead.
/// False when one of the sound, rotation or tonality sections fails; the
/// lines written so far stay.
bool FormatVibrationText(CTmDoc& doc, LineList& lines, int* widthOut, std::uint16_t channelMask,
                         std::uint8_t unitOption);

/// The same for a member of a Multifile: its four-channel sound rows leave out
/// a dose meter's dose, exposure and PSEL columns, and with vdvColumn its vibration
/// rows have the VDV column also where the member's flags allow no VDV values
/// (dashes then), as the Multifile's other members may have them.
bool FormatVibrationMemberText(CTmDoc& doc, LineList& lines, int* widthOut, std::uint16_t channelMask,
                               std::uint8_t unitOption, bool vdvColumn);

} // namespace orlu
