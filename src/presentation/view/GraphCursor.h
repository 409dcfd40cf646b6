#pragma once
// The graph cursor: where the keyboard, the mouse and the held buttons move
// it inside the window of points, how the window follows, and what the move
// leaves behind (the kind's saved cursor, the record or band the cursor is
// on). The painting of the cursor itself belongs to the graph engine.

#include "presentation/view/GraphFormFields.h"

#include <cstdint>

namespace orlu {

struct MeasurementViewState;

enum class CursorAction : std::uint8_t {
    Left = 0,    ///< back by the step; with Ctrl as Home
    Right = 1,   ///< forward by the step; with Ctrl as End
    ToPoint = 4, ///< to an absolute point
    ToPointToo = 5,
    Home = 6,    ///< to the window start, else one window back; with Ctrl to point 0
    End = 7,     ///< to the window end, else one window on; with Ctrl to the last point
};

enum class CursorMode : std::uint8_t {
    Absolute = 0, ///< the point is a point of the data (ToPoint)
    Keyboard = 1, ///< steps of one point
    Mouse = 2,    ///< the point is a point of the window, negative left of it
};

/// What a move needs to know of the graph.
struct CursorGraph {
    std::int32_t total = 0;        ///< points of the data
    std::int32_t windowSize = 0;   ///< points that fit the window (at most total)
    std::int32_t pixelsPerPoint = 1; ///< graph scale x pitch, for the pace of the mouse beside the window
};

/// The cursor and window after one action; both stay inside the data.
CursorPair MoveCursorInWindow(CursorPair at, CursorAction action, std::int32_t point, CursorMode mode, bool ctrl,
                              const CursorGraph& graph);

/// What MoveCursor reads of the document.
struct CursorContext {
    std::int32_t total = 0;        ///< points of the shown data
    std::int32_t fittingPoints = 0; ///< points that fit the graph window
    std::int32_t pixelsPerPoint = 1;
    std::int32_t records = 0;      ///< time histories and time intersections: records the cursor stays below (before aggregation)
    bool tonality = false;         ///< a spectrum in tonality mode
};

/// Moves the view's cursor (graph form with the cursor on), keeps the pair
/// of the ViewKind and sets the record or band the cursor stands on. True
/// when the view has to repaint.
bool MoveCursor(MeasurementViewState& view, CursorAction action, std::int32_t point, CursorMode mode, bool ctrl,
                const CursorContext& context);

/// True when the spectra shown keep the cursor pair of tonality mode: a tonality
/// file's short band (its lines are not the full band's) or the tonality analysis.
bool KeepsTonalityCursor(const MeasurementViewState& view);

/// Makes the ViewKind's kept cursor and window current (end of a build).
void LoadSavedCursor(MeasurementViewState& view, bool tonality);

} // namespace orlu
