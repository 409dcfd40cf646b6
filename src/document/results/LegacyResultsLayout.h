#pragma once
// Where the result rows of a legacy-family file (the ORLU 505's METER
// files) lie. From the first word of the image: the prefix word (files with
// a prefix variant), the header block, whose first word is its length in
// words, one block per channel when the file has a prefix variant or a
// probe's channel mode (every one as long as the first block's length
// word), then one result row per channel in channel order, each beginning
// with its own length word. (The walk to the time history, SkipHeaderBlocks
// of the record locators, reads the channel blocks by their own lengths and
// twice; the rows follow a single round.)

#include "document/image/PagedFileImage.h"

#include <cstdint>
#include <optional>

namespace orlu {

/// The numbers of the legacy header that place the result rows.
struct LegacyResultsLayout {
    std::uint8_t prefixVariant = 0; ///< 0 without prefix word, 1 to 3 with it
    std::uint8_t channelMode = 0;   ///< the sound-intensity probe: 0 none
    std::uint16_t channelCount = 1;
    /// When not 0: the first row's word as the header decoder found it, which reads
    /// every channel block by its own length; the walk then starts there.
    std::uint32_t firstRow = 0;
};

/// The first word (the length word) of channel `channel`'s result row, or
/// nothing when a block before it or the row itself announces a length of 0
/// or runs past the end of the image.
std::optional<std::uint32_t> FindLegacyResultRow(const ImageReader& image, const LegacyResultsLayout& layout,
                                                 int channel);

} // namespace orlu
