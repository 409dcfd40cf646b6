#pragma once
// What a CTmDoc keeps of the current family: the decoded header of the
// sub-file decoded last, the selected channel, the logger split's image as
// read with its marker and break lists, and the two things done only on the
// first decode (the version question and taking the stored statistical levels).

#include "document/LoggerSplit.h"
#include "document/channel/CurrentChannel.h"
#include "document/headers/CurrentHeader.h"
#include "document/image/PagedFileImage.h"
#include "document/records/RecordLocators.h"

#include <optional>
#include <vector>

namespace orlu {

struct CurrentDocument {
    CurrentHeader header;
    bool decoded = false;
    std::uint16_t subfile = 0; ///< the sub-file the header was decoded from
    CurrentChannel channel;

    /// The image as read, once the logger split made the working image compact.
    PagedFileImage asLoaded;
    std::uint32_t asLoadedBytes = 0;
    bool hasAsLoaded = false;
    std::vector<LoggerMarker> markers;
    std::vector<LoggerBreak> breaks;

    bool gatePending = true;
    bool levelsPending = true;
    std::optional<StatisticalLevels> statisticalLevels;
};

} // namespace orlu
