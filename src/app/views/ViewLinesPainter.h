#pragma once
// Painting of the lines of a view (the text, table, hex and ASCII forms of the
// measurement view, and the text view): the lines in the window, each
// character in its cell, the marked block on green.

#include "presentation/view/MeasurementViewState.h"

#include <QSize>

class QPainter;

namespace orlu {

/// Paints the visible lines of the state into an area of the given size with
/// the painter's font; normalises the block first, as every paint does.
void PaintViewLines(QPainter& painter, MeasurementViewState& state, QSize area);

} // namespace orlu
