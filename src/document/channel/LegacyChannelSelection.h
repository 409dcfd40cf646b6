#pragma once
// Selecting a channel of a legacy-family (ORLU 505 METER-mode) document: the
// CurrentChannel takes the channel's setup from the decoded LegacyHeader and
// derives its input kind, its range limits and scales (range scaling mode 0)
// and its histogram classes.

#include "document/channel/CurrentChannel.h"
#include "document/headers/LegacyHeader.h"
#include "document/units/LevelUnits.h"

namespace orlu {

/// Makes channel p (0 to 4) of a legacy document current. eVersion: the document's
/// sub-kind says an E-version instrument.
void SelectLegacyChannel(const LegacyHeader& h, const LevelContext& levels, bool eVersion, int p, CurrentChannel& ch);

/// Range scaling mode 0: the range name index from the range and function, the
/// range's top and bottom levels, and the sample scale (0 for a range outside 1
/// to 4, which the amplitude table has no entry for).
void ComputeRangeScalingLegacy(CurrentChannel& ch, bool eVersionOrChannelMode);

} // namespace orlu
