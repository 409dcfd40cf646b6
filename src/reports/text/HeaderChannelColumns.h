#pragma once
// The channel columns of the Header information report: the 32-character
// label column, then one 12-character column per reported channel or
// profile. The four-channel instruments show every active profile and the
// vector sum; the other models one column per channel of the mask.

#include "reports/text/HeaderReportWriter.h"

#include <cstdint>

namespace orlu {

/// What the closing sections take over from the column block.
struct ChannelRange {
    int end = 0;          ///< channels 0 to end - 1 (the vector column has index 4)
    bool vector = false;  ///< the vector column belongs to the range
    int profiles = 1;     ///< profile columns a channel may have
};

/// The columns of a four-channel document; sets bit 4 of `selectableMask` when it has a vector.
ChannelRange WriteFourChannelColumns(HeaderReportWriter& out, std::uint16_t channelMask, std::uint16_t* selectableMask);

/// The columns of the other models.
ChannelRange WriteOtherModelColumns(HeaderReportWriter& out, std::uint16_t channelMask, int firstChannel);

/// Whether profile p of channel c makes a column: with three profiles a real
/// channel's profile whose flags word has bit 0 set, the vector only as its
/// first; the selected channel takes the profile's weighting words.
bool IsProfileColumn(HeaderReportWriter& out, int channel, int profile, int profiles, bool rt60Rule);

} // namespace orlu
