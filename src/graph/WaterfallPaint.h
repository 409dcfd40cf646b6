#pragma once
// The painting frame's multi element mode: with the view's multi element
// option on, the FFT and octave views paint one picture of all spectra of
// the logger instead of panels, with its level range and no read-out.

namespace orlu {

class Canvas;
class GraphDocument;
struct GraphSettings;
struct GraphViewState;
struct LevelRange;

/// The FFT view (9) and the octave views (10, 11) with the multi element option on.
bool IsMultiElementPicture(const GraphViewState& view);

/// The level axis of the picture: the 5 dB grid 100 dB below the range top
/// (110 dB wide) over the grid's lowest and highest value when autoscaled,
/// else moved and narrowed by the view's pitch and zoom steps.
LevelRange MultiElementLevelRange(const GraphViewState& view, const GraphDocument& doc, const GraphSettings& settings);

/// Paints the picture at the origin; returns the height it takes in device
/// pixels (0 when nothing could be drawn).
int PaintMultiElementPicture(Canvas& canvas, int scale, const GraphViewState& view, const GraphDocument& doc,
                             const GraphSettings& settings);

} // namespace orlu
