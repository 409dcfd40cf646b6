#include "graph/PhaseGraph.h"

#include "document/texts/NumberTexts.h"
#include "graph/FftFreqAxis.h"
#include "graph/SpectrumGraph.h"
#include "graph/SpectrumReadout.h"
#include "graph/TimeHistoryReadout.h"
#include "platform/ValueFormat.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace orlu {
namespace {

Pen SolidPen(Rgb colour) { return Pen{PenStyle::Solid, 1, colour}; }

struct PhaseTicks {
    int count;
    int step;
    double angle; ///< radians per index
    double label; ///< label value per index
};

PhaseTicks TicksOf(int unit, int height, int lineHeight)
{
    switch (unit) {
    case kPhaseDegrees:
        return 6 * lineHeight < height ? PhaseTicks{12, 2, 0.5235987755833333, 30.0} : PhaseTicks{8, 2, 0.785398163375, 45.0};
    case kPhaseGrads:
        return PhaseTicks{8, height > 8 * lineHeight ? 1 : 2, 0.785398163375, 50.0};
    default:
        return 6 * lineHeight < height ? PhaseTicks{12, 2, 0.5, 0.5} : PhaseTicks{8, 2, 0.75, 0.75};
    }
}

std::string MarkerFrequency(const SpectrumPanel& p, int point)
{
    const double f = point >= 0 && static_cast<std::size_t>(point) < p.frequencies.size()
                         ? p.frequencies[static_cast<std::size_t>(point)]
                         : 0.0;
    return StrPrintf("%.1f", f);
}

} // namespace

const char* PhaseUnitText(int phaseUnit)
{
    return phaseUnit == kPhaseDegrees ? " deg" : phaseUnit == kPhaseGrads ? " grad" : " rad";
}

int PhaseBarOffset(double radians, int half)
{
    double d = radians / kPhasePi * half;
    if (std::isnan(d))
        d = 0.0;
    return static_cast<int>(std::lround(std::clamp(d, -static_cast<double>(half), static_cast<double>(half))));
}

int PhaseReadoutDecimals(double lineSpacing)
{
    const std::string text = StrPrintf("%12.6f", lineSpacing);
    const auto dot = text.find('.');
    if (dot == std::string::npos)
        return 0;
    for (int d = 5; d >= 1; --d)
        if (dot + static_cast<std::size_t>(d) < text.size() && text[dot + static_cast<std::size_t>(d)] != '0')
            return d;
    return 0;
}

void DrawPhaseAxis(Canvas& canvas, const PhaseAxisInput& in)
{
    const FontMetrics m = canvas.Metrics();
    const int lh = m.height + m.externalLeading;
    const int half = in.height / 2;
    const int ym = in.bottom - in.height / 2;
    const int end = in.left - in.tickLength - 3 * in.scale;
    const PhaseTicks t = TicksOf(in.phaseUnit, in.height, lh);
    const char* format = in.phaseUnit == kPhaseRadians ? "%5.1f" : "%5.0f";
    for (int k = -t.count / 2; k <= t.count / 2; k += t.step) {
        const int o = static_cast<int>(std::lround(k * t.angle / kPhasePi * half));
        const int y = ym - o - (o < 0 ? 1 : 0);
        canvas.Line(in.left - in.tickLength, y, in.left, y);
        const std::string text = StrPrintf(format, k * t.label);
        canvas.TextOut(end - static_cast<int>(text.size()) * m.aveCharWidth, y - lh / 2 - 2 * in.scale, text);
    }
    std::string unit = PhaseUnitText(in.phaseUnit);
    TrimTrailingBlanks(unit);
    const std::string unitText = StrPrintf("%5s", unit.c_str());
    canvas.TextOut(end - static_cast<int>(unitText.size()) * m.aveCharWidth, in.bottom - in.height - (3 * lh) / 2, unitText);
}

int DrawPhaseGraph(const PanelHead& head, const SpectrumPanel& p, const GraphSettings& settings)
{
    Canvas& canvas = head.canvas;
    const PanelLayout l = LayoutGraph(PlotShape::Bars, head, settings, p.title.c_str(), nullptr);
    const int half = l.plotHeight / 2;
    const int ym = (l.top + l.bottom) / 2;
    const int px = l.pixelsPerPoint;
    const int w = px == 1 ? 1 : px + 1;
    const Pen oldPen = canvas.SelectPen(SolidPen(kBlack));
    const Brush oldBrush = canvas.SelectBrush(Brush{kWhite, false});
    canvas.Rectangle(l.left - 1, l.top - 1, l.right + 1, l.bottom + 1);

    const int shown = l.pointCount;
    const int first = p.firstShown;
    const int m0 = p.markerColumns[0];
    const int m1 = p.markerColumns[1];
    // Unlike the spectrum's, a single marker on the first shown point draws no band.
    const bool band = (p.markerCount == 2 && m0 < first + shown && m1 > first) ||
                      (p.markerCount == 1 && m0 < first + shown && m0 > first);
    if (band) {
        const int c0 = std::max(m0 - first, 0);
        const int c1 = p.markerCount == 1 ? c0 + 1 : std::min(m1 - first + 1, shown);
        canvas.FillRect(l.left + c0 * px, l.top + 1, l.left + c1 * px, l.bottom - 1, kMarkerBandColour);
    }

    FftFreqAxisInput axis;
    axis.scale = head.scale;
    axis.left = l.left;
    axis.bottom = l.bottom;
    axis.width = l.right - l.left;
    axis.shownCount = shown;
    axis.firstShown = first;
    axis.tickLength = l.xTick;
    axis.lineZero = p.lineZero;
    axis.lineSpacing = p.lineSpacing;
    axis.aggregation = 1;
    DrawFftFreqAxis(canvas, axis);
    DrawPhaseAxis(canvas, PhaseAxisInput{head.scale, l.left, l.bottom, l.plotHeight, l.levelTick, p.phaseUnit});
    canvas.SelectFont(l.previousFont);

    canvas.Line(l.left, ym, l.right, ym);
    canvas.SelectBrush(Brush{p.solidBars ? kSolidBarColour : kWhite, false});
    const int count = static_cast<int>(p.values.size());
    for (int j = 0, x = l.left; first + j < count && x < l.right; ++j, x += px) {
        if (first + j < 0)
            continue;
        const int d = PhaseBarOffset(p.values[static_cast<std::size_t>(first + j)], half);
        canvas.Rectangle(x, d > 0 ? ym + 1 : ym, x + w, ym - d);
    }
    canvas.SelectPen(oldPen);
    canvas.SelectBrush(oldBrush);
    return first;
}

void DrawPhaseCursor(const PanelHead& head, const SpectrumPanel& p, const GraphSettings&)
{
    Canvas& canvas = head.canvas;
    const PanelLayout l = LayoutReadout(PlotShape::Bars, head);
    const int s = head.scale;
    const int c = p.cursorIndex;
    const int px = l.pixelsPerPoint;
    const bool large = head.sizeIndex == 0;
    {
        const Pen oldPen = canvas.SelectPen(SolidPen(kSpectrumCursorColour));
        const Brush oldBrush = canvas.SelectBrush(Brush{kSpectrumCursorColour, false});
        const RasterOp oldOp = canvas.SetRasterOp(l.printing ? RasterOp::Copy : RasterOp::Xor);
        canvas.Rectangle(l.left + c * px, l.bottom - 2 * s, l.left + 1 + (c + 1) * px, s + std::max(l.top, 0));
        canvas.SetRasterOp(oldOp);
        canvas.SelectPen(oldPen);
        canvas.SelectBrush(oldBrush);
    }
    const int y = large ? l.bottom + 2 * l.lineHeight : l.bottom + l.lineHeight + l.xTick;
    const int g = p.firstShown + c;
    bool cursorLine = false;
    if (p.cursorShown && g >= 0 && static_cast<std::size_t>(g) < p.values.size()) {
        const double radians = p.values[static_cast<std::size_t>(g)];
        const std::string phase = p.phaseUnit == kPhaseDegrees ? StrPrintf("%.1f", radians * kRadiansToDegrees)
                                  : p.phaseUnit == kPhaseGrads ? StrPrintf("%.1f", radians * kRadiansToGrads)
                                                               : StrPrintf("%.2f", radians);
        const double f = static_cast<std::size_t>(g) < p.frequencies.size() ? p.frequencies[static_cast<std::size_t>(g)] : 0.0;
        const std::string frequency = StrPrintf("%.*fHz", PhaseReadoutDecimals(p.lineSpacing), f);
        canvas.TextOut(l.left, y,
                       StrPrintf("%s:   f[%d]=%s   Ph=%s%s", "Cursor", g, frequency.c_str(), phase.c_str(),
                                 PhaseUnitText(p.phaseUnit) + 1));
        cursorLine = true;
    }
    if (p.markerCount != 0) {
        const Rgb oldColour = canvas.SetTextColour(kReadoutGrey);
        const int mx = large ? l.left : l.right + 5 * l.charWidth;
        int my = large ? y + (cursorLine ? l.lineHeight : 0) : l.top;
        const std::string f0 = MarkerFrequency(p, p.markerColumns[0]);
        if (p.markerCount == 1) {
            canvas.TextOut(mx, my, large ? StrPrintf("%s:   f0=%sHz", "Marker", f0.c_str()) : StrPrintf("f0=%sHz", f0.c_str()));
        } else {
            const std::string f1 = MarkerFrequency(p, p.markerColumns[1]);
            if (large) {
                canvas.TextOut(mx, my, StrPrintf("%s:  f0=%sHz   f1=%sHz", "Markers", f0.c_str(), f1.c_str()));
            } else {
                canvas.TextOut(mx, my, StrPrintf("f0=%sHz", f0.c_str()));
                my += l.lineHeight;
                canvas.TextOut(mx, my, StrPrintf("f1=%sHz", f1.c_str()));
            }
        }
        canvas.SetTextColour(oldColour);
    }
    canvas.SelectFont(l.previousFont);
}

} // namespace orlu
