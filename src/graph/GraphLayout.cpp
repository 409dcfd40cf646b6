#include "graph/GraphLayout.h"

#include "graph/GraphSettings.h"
#include "graph/GraphSizeTable.h"

#include <string>

namespace orlu {
namespace {

PanelLayout Layout(PlotShape shape, const PanelHead& head, const Font& font, bool readout)
{
    PanelLayout out;
    Canvas& canvas = head.canvas;
    const GraphGeometry& g = head.geometry;
    const int s = head.scale;
    out.printing = canvas.Target() == CanvasTarget::Printer;
    out.xTick = s * GraphSize(kSizeXTick, head.sizeIndex);
    out.levelTick = s * GraphSize(kSizeLevelTick, head.sizeIndex);
    out.previousFont = canvas.SelectFont(font);
    out.metrics = canvas.Metrics();
    out.charWidth = out.metrics.aveCharWidth;
    out.lineHeight = static_cast<std::int16_t>(out.metrics.height + out.metrics.externalLeading);

    out.pointCount = g.pointCount;
    out.plotHeight = s * g.plotHeight;
    out.pixelsPerPoint = s * g.pixelsPerPoint;
    if (shape == PlotShape::Lines)
        out.plotWidth = (out.pointCount - 1) * out.pixelsPerPoint + (readout ? 0 : 1);
    else
        out.plotWidth = out.pointCount * out.pixelsPerPoint;
    out.left = s * (head.x + g.leftMargin);
    out.right = out.left + out.plotWidth;
    out.top = s * (head.y + g.topMargin);
    out.bottom = out.top + out.plotHeight;
    return out;
}

} // namespace

Font GraphFont(int scale, int sizeIndex)
{
    return Font{std::string(kFixedFace), scale * GraphSize(kSizeFontHeight, sizeIndex), 400};
}

Font ReadoutFont(int scale, int sizeIndex)
{
    return Font{std::string(kFixedFace), scale * GraphSize(kSizeFontHeight, sizeIndex),
                GraphSize(kSizeReadoutBold, sizeIndex) == 1 ? 700 : 400};
}

PanelLayout LayoutGraph(PlotShape shape, const PanelHead& head, const GraphSettings& settings,
                        const char* title, const char* subtitle)
{
    PanelLayout out = Layout(shape, head, GraphFont(head.scale, head.sizeIndex), false);
    const bool hasSubtitle = subtitle != nullptr && *subtitle != '\0';
    if (title != nullptr) {
        const int x = out.left + 5 * out.charWidth;
        const int y = hasSubtitle ? out.top - 2 * out.lineHeight : out.top - (out.lineHeight + 3 * head.scale);
        head.canvas.TextOut(x, y, title);
        if (hasSubtitle)
            head.canvas.TextOut(x, out.top - out.lineHeight - head.scale, subtitle);
    }
    if (shape == PlotShape::Lines && settings.CircleDraw && settings.CircleRadius >= 1 &&
        head.geometry.pixelsPerPoint > settings.CircleMinStep)
        out.circleRadius = head.scale * settings.CircleRadius;
    return out;
}

PanelLayout LayoutReadout(PlotShape shape, const PanelHead& head)
{
    return Layout(shape, head, ReadoutFont(head.scale, head.sizeIndex), true);
}

} // namespace orlu
