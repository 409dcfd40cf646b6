#include "graph/HistogramGraph.h"

#include "graph/ClassAxis.h"
#include "graph/GraphScales.h"
#include "graph/GraphSizeTable.h"
#include "graph/PercentAxis.h"
#include "platform/ValueFormat.h"

#include <algorithm>

namespace orlu {

int HistogramBarHeight(double value, double fraction, int plotHeight)
{
    if (!(value > 0.0))
        return 1;
    return static_cast<int>(value * fraction * plotHeight) + 1;
}

PercentIntervals PercentIntervalsOf(int sizeIndex)
{
    if (sizeIndex <= 1)
        return {10, 1};
    if (sizeIndex <= 3)
        return {10, 2};
    return {20, 5};
}

int DrawHistogramGraph(const PanelHead& head, const HistogramPanel& p, const GraphSettings& settings)
{
    Canvas& canvas = head.canvas;
    const PanelLayout l = LayoutGraph(PlotShape::Bars, head, settings, p.title.c_str(), p.subtitle.c_str());
    const Pen oldPen = canvas.SelectPen(Pen{PenStyle::Solid, 1, kBlack});
    const Brush oldBrush = canvas.SelectBrush(Brush{kWhite, false});
    const NiceTicks ticks = NiceTickStep(p.peak);
    const PercentIntervals percent = PercentIntervalsOf(head.sizeIndex);
    canvas.Rectangle(l.left - 1, l.top - 1, l.right + 1, l.bottom + 1);
    const int first = p.firstShown;
    const int count = l.pointCount;
    DrawClassAxis(canvas, ClassAxisArgs{head.scale, l.left, l.bottom, l.right - l.left, count, first, 10, l.xTick,
                                        p.classLow, p.classWidth});
    DrawPercentAxis(canvas, PercentAxisArgs{head.scale, l.left, l.bottom, l.plotHeight, percent.intervals, 0,
                                            percent.labelStep, l.levelTick, 0.0, ticks.axisTop, head.sizeIndex});
    canvas.SelectPen(Pen{PenStyle::Solid, head.scale, kBlack});
    canvas.SelectFont(l.previousFont);

    const int px = l.pixelsPerPoint;
    const int m0 = p.markerColumns[0];
    const int m1 = p.markerColumns[1];
    const bool band = (p.markerCount == 1 && first <= m0 && m0 < first + count) ||
                      (p.markerCount == 2 && m0 < first + count && m1 >= first);
    if (band) {
        const int s = std::max(0, m0 - first);
        const int e = p.markerCount == 1 ? s + 1 : (m1 >= first + count ? count : m1 - first + 1);
        canvas.SelectPen(Pen{PenStyle::Solid, 1, kHistogramMarkerBand});
        canvas.SelectBrush(Brush{kHistogramMarkerBand, false});
        canvas.Rectangle(l.left + s * px, l.top + 1, l.left + e * px, l.bottom - 1);
    }

    canvas.SelectBrush(Brush{p.solidBars ? kHistogramBarColour : kWhite, false});
    canvas.SelectPen(Pen{PenStyle::Solid, head.scale, kBlack});
    const int classes = static_cast<int>(p.values.size());
    for (int j = 0, x = l.left; j < classes && first + j < classes && x < l.right; ++j, x += px) {
        if (first + j < 0)
            continue;
        const int h = HistogramBarHeight(p.values[static_cast<std::size_t>(first + j)], ticks.fraction, l.plotHeight);
        canvas.Rectangle(x, l.bottom, x + px + 1, l.bottom - h + 1);
    }
    canvas.SelectPen(oldPen);
    canvas.SelectBrush(oldBrush);
    return first;
}

void DrawHistogramCursor(const PanelHead& head, const HistogramPanel& p)
{
    Canvas& canvas = head.canvas;
    const PanelLayout l = LayoutReadout(PlotShape::Bars, head);
    const int px = l.pixelsPerPoint;
    const int cursor = p.cursorIndex;
    {
        const Pen oldPen = canvas.SelectPen(Pen{PenStyle::Solid, head.scale, kHistogramCursorColour});
        const Brush oldBrush = canvas.SelectBrush(Brush{kHistogramCursorColour, false});
        const RasterOp oldOp = canvas.SetRasterOp(RasterOp::Xor);
        canvas.Rectangle(l.left + cursor * px, l.bottom, l.left + (cursor + 1) * px, std::max(l.top, 0));
        canvas.SetRasterOp(oldOp);
        canvas.SelectPen(oldPen);
        canvas.SelectBrush(oldBrush);
    }
    const Font percentFont{"", head.scale * GraphSize(kSizeFontHeight, head.sizeIndex), head.sizeIndex == 0 ? 700 : 400};
    const int cw = l.charWidth;
    // Text followed by a percent sign in the second font.
    auto withPercent = [&](int x, int y, const std::string& text) {
        canvas.TextOut(x, y, text);
        const Font old = canvas.SelectFont(percentFont);
        canvas.TextOut(x + static_cast<int>(text.size()) * cw, y, "%");
        canvas.SelectFont(old);
    };
    const bool large = head.sizeIndex == 0;
    int y = large ? l.bottom + 2 * l.lineHeight : l.bottom + l.lineHeight + l.xTick;
    const int c = p.firstShown + cursor;
    if (p.cursorShown && c >= 0 && static_cast<std::size_t>(c) < p.values.size()) {
        withPercent(l.left, y,
                    StrPrintf("%s:   cl[%d]=%s   P=%s", "Cursor", c + 1,
                              StrPrintf("%.1fdB", c * p.classWidth + p.classLow).c_str(),
                              StrPrintf("%.2f", p.peak * p.values[static_cast<std::size_t>(c)]).c_str()));
    }
    if (p.markerCount == 1 || p.markerCount == 2) {
        const Rgb oldColour = canvas.SetTextColour(kHistogramMarkerText);
        int x = l.left;
        if (large) {
            if (p.cursorShown)
                y += l.lineHeight;
        } else {
            x = l.right + 5 * cw;
            y = l.top;
        }
        const std::string cl0 = StrPrintf("%.1f", p.markerColumns[0] * p.classWidth + p.classLow);
        const std::string cl1 = StrPrintf("%.1f", p.markerColumns[1] * p.classWidth + p.classLow);
        if (p.markerCount == 1) {
            canvas.TextOut(x, y, large ? StrPrintf("%s:   cl0 = %sdB", "Marker", cl0.c_str())
                                       : StrPrintf("cl0=%sdB", cl0.c_str()));
        } else {
            if (large) {
                canvas.TextOut(x, y, StrPrintf("%s:  cl0=%sdB  cl1=%sdB", "Markers", cl0.c_str(), cl1.c_str()));
            } else {
                canvas.TextOut(x, y, StrPrintf("cl0=%sdB", cl0.c_str()));
                y += l.lineHeight;
                canvas.TextOut(x, y, StrPrintf("cl1=%sdB", cl1.c_str()));
            }
            y += l.lineHeight;
            withPercent(x, y, large ? StrPrintf("%s = %.2f", "Block probability", p.blockProbability)
                                    : StrPrintf("p=%.2f", p.blockProbability));
        }
        canvas.SetTextColour(oldColour);
    }
    canvas.SelectFont(l.previousFont);
}

} // namespace orlu
