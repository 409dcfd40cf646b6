#include "graph/DensityGraph.h"

#include "graph/ClassAxis.h"
#include "graph/GraphSizeTable.h"
#include "graph/PercentAxis.h"
#include "graph/TimeHistoryGraph.h"
#include "platform/ValueFormat.h"

#include <algorithm>
#include <cmath>

namespace orlu {

int DensityRow(double density, int top, int bottom, int plotHeight)
{
    const double d = plotHeight * density;
    // Not a number, or beyond any row: the clamps below take it to an edge.
    const int offset = std::isnan(d) ? 0 : static_cast<int>(std::clamp(d, -1.0e6, 1.0e6));
    const int y = bottom - offset;
    if (y > bottom - 2)
        return bottom - 2;
    return std::max(y, top);
}

void DrawDensityClassAxis(Canvas& canvas, const DensityAxisArgs& a)
{
    const int cw = canvas.Metrics().aveCharWidth;
    const int row = a.tick + a.scale;
    if (canvas.Target() != CanvasTarget::Metafile)
        for (int x = a.left - 5 * cw; x <= a.left + a.width + 4 * cw; x += std::max(1, cw)) {
            canvas.TextOut(x, a.bottom + 1, " ");
            canvas.TextOut(x, a.bottom + 1 + row, " ");
        }
    // One visible class or none has no spacing between bounds to place ticks by.
    if (a.visibleCount > 1 && a.labelStep > 0) {
        const double pitch = static_cast<double>(a.width) / (a.visibleCount - 1);
        int k = 0;
        while (k < a.visibleCount && (a.firstClass + k) % a.labelStep != 0)
            ++k;
        for (; k < a.visibleCount; k += a.labelStep) {
            const int x = a.left + static_cast<int>(k * pitch);
            canvas.Line(x, a.bottom + 1, x, a.bottom + 1 + a.tick);
            const std::string label =
                StrPrintf(ClassLabelFormat(a.classWidth), a.classLow + a.classWidth * (a.firstClass + k));
            canvas.TextOut(x - static_cast<int>(label.size()) * cw / 2, a.bottom + 1 + row, label);
        }
    }
    canvas.TextOut(a.left + a.width + cw + 2 * a.scale, a.bottom + 1 - 2 * row, "dB");
}

int DrawDensityGraph(const PanelHead& head, const HistogramPanel& p, const GraphSettings& settings)
{
    Canvas& canvas = head.canvas;
    const int s = head.scale;
    const PanelLayout l = LayoutGraph(PlotShape::Lines, head, settings, p.title.c_str(), p.subtitle.c_str());
    const Pen oldPen = canvas.SelectPen(Pen{PenStyle::Solid, 1, kBlack});
    const Brush oldBrush = canvas.SelectBrush(Brush{kWhite, false});
    const PercentIntervals percent = PercentIntervalsOf(head.sizeIndex);
    canvas.Rectangle(l.left - 1, l.top - 1, l.right + 2, l.bottom + 1);
    const int first = p.firstShown;
    const int visible = l.pointCount;
    DrawDensityClassAxis(canvas, DensityAxisArgs{s, l.left, l.bottom, l.right - l.left, visible, first, 10, l.xTick,
                                                 p.classLow, p.classWidth});
    DrawPercentAxis(canvas, PercentAxisArgs{s, l.left, l.bottom, l.plotHeight, percent.intervals, 0, percent.labelStep,
                                            l.levelTick, 0.0, 100.0, head.sizeIndex});
    canvas.SelectFont(l.previousFont);

    const int px = l.pixelsPerPoint;
    const int m0 = p.markerColumns[0];
    const int m1 = p.markerColumns[1];
    if (p.markerCount == 2 && m0 < first + visible && m1 > first) {
        const int x0 = std::max(m0 - first, 0) * px + l.left;
        const int x1 = (m1 < first + visible ? m1 - first : visible - 1) * px + l.left;
        canvas.FillRect(x0, l.top + 1, x1, l.bottom - 1, kBlockBandColour);
    }

    const bool recording = canvas.Target() == CanvasTarget::Metafile;
    const Pen curve{PenStyle::Solid, s, kBlack};
    const Pen marker{PenStyle::Solid, 1, kMarkerLineColour};
    const int classes = static_cast<int>(p.values.size());
    if (visible > 0 && first >= 0 && first < classes) {
        int x = l.left;
        int y = DensityRow(p.values[static_cast<std::size_t>(first)], l.top, l.bottom, l.plotHeight);
        const auto circle = [&](int cx, int cy) {
            const int r = l.circleRadius;
            canvas.SelectPen(curve);
            canvas.Ellipse(cx - r, cy - r, cx + r + 1, cy + r + 1);
        };
        for (int q = first + 1; q < classes && q < first + visible; ++q) {
            const int prevX = x;
            const int prevY = y;
            x += px;
            y = DensityRow(p.values[static_cast<std::size_t>(q)], l.top, l.bottom, l.plotHeight);
            canvas.SelectPen(curve);
            canvas.Line(prevX, prevY, x, y);
            if (!recording) {
                canvas.SetPixel(x, y, kBlack);
                if (!l.printing) {
                    canvas.Line(prevX, prevY + 1, x, y + 1);
                    canvas.SetPixel(x, y + 1, kBlack);
                }
            }
            if ((p.markerCount != 0 && q == m0) || (p.markerCount == 2 && q == m1)) {
                canvas.SelectPen(marker);
                canvas.Line(x, l.top, x, l.bottom);
            }
            if (l.circleRadius > 0)
                circle(prevX, prevY);
        }
        if (l.circleRadius > 0)
            circle(x, y);
    }
    canvas.SelectPen(oldPen);
    canvas.SelectBrush(oldBrush);
    return first;
}

void DrawDensityCursor(const PanelHead& head, const HistogramPanel& p)
{
    Canvas& canvas = head.canvas;
    const PanelLayout l = LayoutReadout(PlotShape::Lines, head);
    {
        const Pen oldPen = canvas.SelectPen(Pen{PenStyle::Solid, 1, kDensityCursorColour});
        if (!l.printing)
            canvas.SetRasterOp(RasterOp::Xor);
        const int x = l.left + p.cursorIndex * l.pixelsPerPoint;
        canvas.Line(x, l.top, x, l.bottom);
        canvas.SetRasterOp(RasterOp::Copy);
        canvas.SelectPen(oldPen);
    }
    const bool large = head.sizeIndex == 0;
    const Font percentFont{"", head.scale * GraphSize(kSizeFontHeight, head.sizeIndex), large ? 700 : 400};
    const int cw = l.charWidth;
    const auto withPercent = [&](int x, int y, const std::string& text) {
        canvas.TextOut(x, y, text);
        const Font old = canvas.SelectFont(percentFont);
        canvas.TextOut(x + static_cast<int>(text.size()) * cw, y, "%");
        canvas.SelectFont(old);
    };
    int y = large ? l.bottom + 2 * l.lineHeight : l.bottom + l.lineHeight + l.xTick;
    const int i = p.firstShown + p.cursorIndex;
    if (p.cursorShown && i >= 0 && static_cast<std::size_t>(i) < p.values.size())
        withPercent(l.left, y,
                    StrPrintf("%s:   cl[%d]=%s   D=%s", "Cursor", i + 1,
                              StrPrintf("%.1fdB", p.classLow + i * p.classWidth).c_str(),
                              StrPrintf("%.2f", 100.0 * p.values[static_cast<std::size_t>(i)]).c_str()));
    if (p.markerCount == 1 || p.markerCount == 2) {
        const Rgb oldColour = canvas.SetTextColour(kMarkerLineColour);
        int x = l.left;
        if (large) {
            if (p.cursorShown)
                y += l.lineHeight;
        } else {
            x = l.right + 5 * cw;
            y = l.top;
        }
        const std::string cl0 = StrPrintf("%.1f", p.classLow + p.classWidth * p.markerColumns[0]);
        const std::string cl1 = StrPrintf("%.1f", p.classLow + p.classWidth * p.markerColumns[1]);
        if (p.markerCount == 1) {
            canvas.TextOut(
                x, y, large ? StrPrintf("%s:   cl0=%sdB", "Marker", cl0.c_str()) : StrPrintf("cl0=%sdB", cl0.c_str()));
        } else {
            if (large) {
                canvas.TextOut(x, y, StrPrintf("%s:  cl0=%sdB   cl1=%sdB  ", "Markers", cl0.c_str(), cl1.c_str()));
            } else {
                canvas.TextOut(x, y, StrPrintf("cl0=%sdB", cl0.c_str()));
                y += l.lineHeight;
                canvas.TextOut(x, y, StrPrintf("cl1=%sdB", cl1.c_str()));
            }
            y += l.lineHeight;
            withPercent(x, y,
                        large ? StrPrintf("%s = %.2f", "Block probability", p.blockProbability)
                              : StrPrintf("p=%.2f", p.blockProbability));
        }
        canvas.SetTextColour(oldColour);
    }
    canvas.SelectFont(l.previousFont);
}

} // namespace orlu
