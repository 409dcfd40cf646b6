#pragma once
// Which View items and form buttons of a measurement view are enabled and
// checked, from the view's state and what the document holds.

#include "presentation/CommandTarget.h"
#include "presentation/view/MeasurementViewState.h"

#include <cstdint>
#include <optional>

namespace orlu {

class CTmDoc;

/// What the rules need to know of the document.
struct ViewDocumentFacts {
    std::uint32_t viewMask = 0;
    std::uint8_t fileKind = 0;
    std::uint8_t modelFlags = 0;      ///< bit k - 1 for model flag k
    bool channelMode = false;         ///< the channel-mode word is set
    int spectrumRecords = 0;
    int timeHistoryRecords = 0;
    bool hasStatistics = false;
    bool hasTimeIntersections = false;
};

/// The facts of a loaded document (what its decoders have found so far).
ViewDocumentFacts FactsOf(const CTmDoc& doc);

/// The enabled and checked state of a View item or form button; none for other commands.
std::optional<CommandUi> ViewCommandState(int id, const MeasurementViewState& view, const ViewDocumentFacts& doc);

/// The ViewMask bit of each View item.
std::uint32_t ViewMaskBitOf(int commandId);

} // namespace orlu
