#pragma once
// How levels of the document's current channel become linear values: its
// reference exponent, its offset and, for an accelerometer shown in
// non-metric units, the factor to g, inch per second or inch.

#include "analysis/statistics/Aggregation.h"
#include "document/CTmDoc.h"

namespace orlu {

/// The scale of the selected channel. ORLU 505 files choose the non-metric quantity by
/// the channel's function, the other files by its filter.
LinearScale ChannelLinearScale(const CTmDoc& doc);

} // namespace orlu
