#include "graph/SpectrumGraph.h"

#include "graph/BandAxis.h"
#include "graph/FftFreqAxis.h"
#include "graph/GraphScales.h"
#include "graph/GraphSettings.h"
#include "graph/LevelAxis.h"

#include <algorithm>
#include <cmath>

namespace orlu {
namespace {

Pen SolidPen(Rgb colour, int width = 1) { return Pen{PenStyle::Solid, width, colour}; }

void DrawFrequencyAxis(Canvas& canvas, const PanelHead& head, const PanelLayout& l, const SpectrumPanel& p)
{
    const int width = l.right - l.left;
    if (head.plotKind == kFftPlotKind) {
        FftFreqAxisInput in;
        in.scale = head.scale;
        in.left = l.left;
        in.bottom = l.bottom;
        in.width = width;
        in.shownCount = l.pointCount;
        in.firstShown = p.firstShown;
        in.tickLength = l.xTick;
        in.lineZero = p.lineZero;
        in.lineSpacing = p.lineSpacing;
        in.aggregation = head.geometry.pointsPerColumn;
        DrawFftFreqAxis(canvas, in);
        return;
    }
    if (const std::optional<BandAxisRow> row = SpectrumBandAxisOf(head.plotKind))
        DrawBandAxisRow(canvas, head, l, *row, p);
}

} // namespace

void DrawBandAxisRow(Canvas& canvas, const PanelHead& head, const PanelLayout& l, const BandAxisRow& row,
                     const SpectrumPanel& p)
{
    BandAxisInput in;
    in.scale = head.scale;
    in.left = l.left;
    in.bottom = l.bottom;
    in.width = l.right - l.left;
    in.count = row.count == 0 ? l.pointCount : row.count;
    in.first = row.first;
    in.step = row.step;
    in.tickLength = l.xTick;
    in.sizeIndex = head.sizeIndex;
    BandAxisArgs args = row.args;
    args.totalBars = p.totalBars;
    args.slotLayout = p.slotLayout;
    DrawBandAxis(canvas, in, args);
}

LevelRange SpectrumLevelRange(const SpectrumPanel& p)
{
    LevelScaleInput in;
    in.base = p.levelBase;
    in.span = p.span;
    in.autoscale = p.autoscale;
    in.pitchSteps = p.pitchSteps;
    in.zoomSteps = p.zoomSteps;
    in.frequency = p.lineSpacing;
    in.inputKind = p.inputKind;
    in.quantity = p.quantity;
    bool has = false;
    double lo = 0.0;
    double hi = 0.0;
    for (const double v : p.values)
        if (std::isfinite(v)) {
            lo = has ? std::min(lo, v) : v;
            hi = has ? std::max(hi, v) : v;
            has = true;
        }
    return AutoScaleLevels(in, has, lo, hi);
}

int SpectrumBarHeight(double v, double span, int plotHeight)
{
    const double h = span != 0.0 ? v / span * plotHeight : 0.0;
    if (h >= plotHeight)
        return plotHeight;
    if (!(h >= 1.0))
        return 1;
    return static_cast<int>(h);
}

int DrawSpectrumGraph(const PanelHead& head, const SpectrumPanel& p, const GraphSettings& settings)
{
    Canvas& canvas = head.canvas;
    const PanelLayout l = LayoutGraph(PlotShape::Bars, head, settings, p.title.c_str(), p.subtitle.c_str());
    const LevelRange range = SpectrumLevelRange(p);
    const double span = range.Span();
    const bool levels = p.quantity == 0;

    const Pen oldPen = canvas.SelectPen(SolidPen(kBlack));
    const Brush oldBrush = canvas.SelectBrush(Brush{kWhite, false});
    canvas.Rectangle(l.left - 1, l.top - 1, l.right + 1, l.bottom + 1);

    DrawFrequencyAxis(canvas, head, l, p);
    DrawRangeLevelAxis(canvas, l, head.scale, range, p.inputKind, p.quantity, settings.NonMetricUnits);
    canvas.SelectFont(l.previousFont);

    const int shown = l.pointCount;
    const int first = p.firstShown;
    const int px = l.pixelsPerPoint;
    const int m0 = p.markerColumns[0];
    const int m1 = p.markerColumns[1];
    int c0 = 0;
    int c1 = 0;
    if (p.markerCount == 1 && first <= m0 && m0 < first + shown) {
        c0 = m0 - first;
        c1 = c0 + 1;
    } else if (p.markerCount == 2 && m0 < first + shown && m1 >= first) {
        c0 = std::max(m0 - first, 0);
        c1 = std::min(m1 - first + 1, shown);
    }
    if (c1 > c0) {
        canvas.SelectPen(SolidPen(kMarkerBandColour));
        canvas.SelectBrush(Brush{kMarkerBandColour, false});
        canvas.Rectangle(l.left + c0 * px, l.top + 1, l.left + c1 * px, l.bottom - 1);
    }

    const int w = px == 1 ? 1 : px + 1;
    const Brush barBrush{p.solidBars ? kSolidBarColour : kWhite, false};
    const int count = static_cast<int>(p.values.size());
    int last = -1;
    for (int j = 0; j < shown && l.left + j * px < l.right; ++j) {
        const int i = first + j;
        if (i < 0 || i >= count)
            break;
        const double v = levels ? p.values[static_cast<std::size_t>(i)] - range.bottom : p.values[static_cast<std::size_t>(i)];
        const int h = SpectrumBarHeight(v, span, l.plotHeight);
        const std::uint8_t mark =
            (p.peaksShown || p.tonalityShown) && static_cast<std::size_t>(i) < p.marks.size() ? p.marks[static_cast<std::size_t>(i)] : 0;
        if (mark != 0) {
            const Rgb colour = mark == 1 ? kPeakColour : kToneColour;
            canvas.SelectBrush(Brush{colour, false});
            canvas.SelectPen(SolidPen(px == 1 ? colour : kBlack));
        } else {
            canvas.SelectBrush(barBrush);
            canvas.SelectPen(SolidPen(kBlack));
        }
        const int x = l.left + j * px;
        canvas.Rectangle(x, l.bottom, x + w, l.bottom - h);
        last = i;
    }

    const NoiseLine& n = p.noise;
    if (p.tonalityShown && last >= 0 && n.LastLine >= first && n.FirstLine <= last) {
        const RasterOp oldOp = canvas.SetRasterOp(RasterOp::Copy);
        canvas.SelectPen(SolidPen(kNoiseLineColour, 2));
        const int from = std::max(n.FirstLine, first);
        const int to = std::min(n.LastLine, last);
        for (int k = from; k <= to; ++k) {
            double v = n.Slope * (k - n.FirstLine) + n.Intercept;
            if (levels)
                v -= range.bottom;
            const int x = l.left + (k - first) * px;
            const int y = l.bottom - SpectrumBarHeight(v, span, l.plotHeight);
            if (k == from)
                canvas.Line(x + 1, y, x, y);
            else
                canvas.LineTo(x, y);
        }
        canvas.SetRasterOp(oldOp);
    }

    canvas.SelectPen(oldPen);
    canvas.SelectBrush(oldBrush);
    return first;
}

} // namespace orlu
