#include "app/canvas/GraphFormPicture.h"

#include "app/canvas/GraphCopyImage.h"
#include "app/canvas/ImageConversion.h"
#include "app/canvas/QtPainterCanvas.h"
#include "document/ViewComputations.h"
#include "graph/GraphPainter.h"
#include "graph/PlotDispatch.h"
#include "platform/canvas/RecordingCanvas.h"
#include "presentation/view/GraphCopy.h"
#include "presentation/view/GraphDocumentFacts.h"
#include "presentation/view/GraphPaintSettings.h"

#include <algorithm>

namespace orlu {
namespace {

bool HasGraph(const GraphFormSource& source)
{
    return source.view.GraphShown() && source.view.GraphForm.Available;
}

// One paint of a copy of the view's graph onto the canvas; `painted` gets the copy as the paint left it.
GraphPaintResult PaintCopy(Canvas& canvas, const GraphFormSource& source, GraphViewState* painted = nullptr)
{
    GraphViewState local;
    GraphViewState& plot = painted ? *painted : local;
    plot = source.view.GraphForm.Plot;
    // The printed graph follows the view's own print zoom (1..16).
    plot.PrintZoom = static_cast<std::uint8_t>(std::clamp<int>(source.view.Tools.PrintZoom, 1, 16));
    PlotStateDocument facts = GraphDocumentOf(source.doc, source.view);
    const GraphSettings settings = GraphSettingsOf(source.settings, source.doc.App().NonMetric != 0);
    EngineRoutines routines;
    return PaintGraph(canvas, plot, facts, settings, routines);
}

} // namespace

QImage PaintGraphBitmap(const GraphFormSource& source, GraphCopySize* drawn)
{
    if (drawn)
        *drawn = {};
    if (!HasGraph(source))
        return {};
    // The height the panels need, from a paint that draws nothing.
    RecordingCanvas measure(CanvasTarget::Screen);
    GraphViewState v;
    const GraphPaintResult size = PaintCopy(measure, source, &v);
    if (size.height <= 0)
        return {};
    const int pageWidth =
        ComputeGraphPageSize(v.GraphScale, v.MultiElement != 0, v.RtMode != 0, v.GraphSizeIndex != 0, v.Geometry).width;
    QImage image(std::max(kGraphBitmapWidth, pageWidth), size.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QtPainterCanvas canvas(image);
        PaintCopy(canvas, source);
    }
    if (drawn)
        *drawn = PlotCopySize(v, size.panels);
    return image;
}

QImage GraphClipboardImage(const GraphFormSource& source)
{
    GraphCopySize drawn;
    const QImage painted = PaintGraphBitmap(source, &drawn);
    return painted.isNull() ? QImage() : GraphCopyImage(painted, drawn);
}

void PaintGraphForm(Canvas& canvas, const GraphFormSource& source)
{
    if (HasGraph(source))
        PaintCopy(canvas, source);
}

GraphPictureSource GraphPictureSourceOf(const GraphFormSource& source, const FontMeasure* measure)
{
    GraphPictureSource picture;
    picture.paint = [source](Canvas& canvas) { PaintGraphForm(canvas, source); };
    picture.capture = [source]() -> std::optional<RgbImage> {
        const QImage image = GraphClipboardImage(source);
        if (image.isNull())
            return std::nullopt;
        return FromQImage(image);
    };
    picture.measure = measure;
    return picture;
}

} // namespace orlu
