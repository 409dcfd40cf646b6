#pragma once
// The container load of ORLU 505 ANALYZER-mode files (kinds 4, 11 and 24).

#include "document/container/FileKindCode.h"

namespace orlu {

/// Decodes the setup of the first file, selects its first channel and builds the ViewMask.
LoadOutcome LoadSetup505Family(CTmDoc& doc);

} // namespace orlu
