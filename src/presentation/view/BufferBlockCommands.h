#pragma once
// The Tools commands that act on a buffer or logger shown in the Buffer/Logger
// view: what to do with the block between the two markers (remove the
// markers, delete the block, delete everything outside it, save it as a file
// of its own) and the impulse analysis, whose two modes mark the impulsive
// records the graph shows. Each command says which state it is enabled and
// checked in, and what the view must do afterwards.

#include "presentation/CommandTarget.h"
#include "presentation/view/MeasurementViewState.h"

#include <optional>
#include <span>

namespace orlu {

class CTmDoc;

inline constexpr int kRemoveBlockMarkersCommand = 32931;
inline constexpr int kDeleteBlockCommand = 32932;
inline constexpr int kDeleteOutsideBlockCommand = 32933;
inline constexpr int kSaveBlockCommand = 32934;

inline constexpr int kImpulsesImpSlowCommand = 32896;
inline constexpr int kImpulsesFastLeqCommand = 32897;
inline constexpr int kImpulsesOffCommand = 32898;

/// The message shown instead of deleting every record.
inline constexpr std::string_view kCannotDeleteAll = "Can't delete all data !\n\n";

/// What the view does after a command.
enum class ViewRefresh {
    None,     ///< nothing changed
    Repaint,  ///< the state changed, the form stays
    Rebuild,  ///< the form is built again from the document
    TextForm, ///< one record is left: the view shows its text form
};

/// The block and impulse commands, in menu order.
std::span<const int> BufferToolCommands();

/// The enabled and checked state of a block or impulse command; none for other commands.
std::optional<CommandUi> BufferToolState(int id, const MeasurementViewState& view, CTmDoc& doc);

/// Runs a block or impulse command that is enabled; ViewRefresh::None otherwise.
ViewRefresh RunBufferTool(int id, MeasurementViewState& view, CTmDoc& doc);

} // namespace orlu
