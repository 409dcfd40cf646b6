#pragma once
// What a CTmDoc keeps of the legacy family (ORLU 505 METER-mode files): the
// header of the sub-file decoded last and the class histogram of a
// single-channel buffer, which the decode builds for the statistics views.

#include "document/buffer/BufferColumns.h"
#include "document/headers/LegacyHeader.h"

#include <cstdint>

namespace orlu {

struct LegacyDocument {
    LegacyHeader header;
    bool decoded = false;
    std::uint16_t subfile = 0; ///< the sub-file the header was decoded from
    HistogramBuffers bufferHistograms;
    const std::vector<std::uint32_t>* bufferHistogram = nullptr; ///< of the last decode; null without one
};

} // namespace orlu
