#pragma once
// The step-by-step reverberation procedure of a time intersection: Enter
// marks t0 .. t3 at the graph cursor (t0 one second before t1 unless it is
// marked by hand), Esc steps back. The marks live in the band's RT record
// (a file layout, read and written through memcpy); the marks of the
// reference interval reach every band's record so that all bands are
// evaluated over the same interval.

#include "presentation/view/MeasurementViewState.h"

#include <cstdint>
#include <span>

namespace orlu {

class CTmDoc;
class ToolsEffects;
class UserInteraction;

inline constexpr const char* kImproperCursorMessage = "Improper cursor position for t%d selection !";

struct RtProcedureContext {
    std::span<std::uint8_t> record;      ///< the shown band's RT record
    std::span<std::uint8_t> bandRecords; ///< every band's record of the band kind shown
    std::span<const double> plotValues;  ///< the levels the graph shows, by record
    std::int32_t windowSize = 0;         ///< records the graph window shows
};

/// The mark t0 .. t3 of a record.
std::int32_t RtMark(std::span<const std::uint8_t> record, int index);

/// The RT record of the band the view shows (of its band kind), empty when the
/// document keeps none for it.
std::span<std::uint8_t> ShownRtRecord(const MeasurementViewState& view, CTmDoc& doc);
/// Every build of the band's graph with the procedure on: the view takes up the
/// step the band's record reached; a record not begun starts at t1, or at t0
/// when t0 is marked by hand.
void RtStepFromRecord(MeasurementViewState& view, std::span<std::uint8_t> record);

/// Enter with the procedure on: marks the record at the cursor. False when
/// the procedure is off or at its end; a refused mark shows its message.
bool RtEnter(MeasurementViewState& view, const RtProcedureContext& rt, UserInteraction& ui, ToolsEffects& effects);

/// Esc with the procedure on: one step back. False when the procedure is off.
bool RtEscape(MeasurementViewState& view, const RtProcedureContext& rt, ToolsEffects& effects);

} // namespace orlu
