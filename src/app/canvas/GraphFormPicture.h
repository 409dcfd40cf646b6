#pragma once
// The graph form of a measurement view painted anew from the view's state,
// for what leaves the window: the bitmap Copy puts on the clipboard, the
// printed page at the view's print zoom, and the bitmap or metafile File New
// and Save current view make. Each paint works on a copy of the graph state,
// so the window's own graph (its height, window and cursor) stays as it is.

#include "document/CTmDoc.h"
#include "platform/canvas/Canvas.h"
#include "presentation/AppSettings.h"
#include "presentation/pictures/ViewExport.h"
#include "presentation/view/GraphCopy.h"
#include "presentation/view/MeasurementViewState.h"

#include <QImage>

namespace orlu {

/// A view's graph form with the program settings it is painted with.
struct GraphFormSource {
    MeasurementViewState& view;
    CTmDoc& doc;
    const AppSettings& settings;
};

/// The graph at screen scale on white, as wide as the graph's page (at least
/// the engine's bitmap width) and as high as the panels drawn; `drawn` gets
/// the size of the graph drawn (the page's width, the panels' height). A
/// null image when the form has no graph to paint.
QImage PaintGraphBitmap(const GraphFormSource& source, GraphCopySize* drawn = nullptr);
/// What Copy takes of it: the top-left part the size of the drawn graph.
QImage GraphClipboardImage(const GraphFormSource& source);
/// Paints the graph onto any canvas: the printer at the view's print zoom, a
/// metafile at five times the screen scale; the cursor once when it is on.
void PaintGraphForm(Canvas& canvas, const GraphFormSource& source);
/// The picture source of File New and Save current view.
GraphPictureSource GraphPictureSourceOf(const GraphFormSource& source, const FontMeasure* measure);

} // namespace orlu
