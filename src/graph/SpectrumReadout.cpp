#include "graph/SpectrumReadout.h"

#include "document/texts/NumberTexts.h"
#include "graph/BandNames.h"
#include "graph/FftFreqAxis.h"
#include "graph/GraphSettings.h"
#include "graph/SpectrumGraph.h"
#include "graph/TimeHistoryReadout.h"
#include "platform/ValueFormat.h"

#include <algorithm>

namespace orlu {
namespace {

std::string BandText(const SpectrumPanel& p, int plotKind, int position)
{
    std::string text(BandNameOf(plotKind, p.totalBars, position));
    if (p.slotLayout && text == "Total_Lin")
        text = "Total_Z";
    return text;
}

std::string PointFrequency(const SpectrumPanel& p, int point)
{
    const double f = point >= 0 && static_cast<std::size_t>(point) < p.frequencies.size()
                         ? p.frequencies[static_cast<std::size_t>(point)]
                         : 0.0;
    return StrPrintf("%.1f", f);
}

} // namespace

std::string FftReadoutFrequency(int point, int pointCount, int totalBars, int aggregation, double lineSpacing)
{
    if ((totalBars == 1 && point == 0) || (totalBars == 2 && point == pointCount - 1))
        return "Total";
    const int decimals = FftFrequencyDecimals(lineSpacing);
    return StrPrintf("%.*fHz", decimals, FftPointFrequency(point, aggregation, lineSpacing, 0.0));
}

void DrawSpectrumCursor(const PanelHead& head, const SpectrumPanel& p, const GraphSettings& settings)
{
    Canvas& canvas = head.canvas;
    const PanelLayout l = LayoutReadout(PlotShape::Bars, head);
    const bool fft = head.plotKind == kFftPlotKind;
    const bool large = head.sizeIndex == 0;
    const int px = l.pixelsPerPoint;
    const int c = p.cursorIndex;

    if (p.cursorShown) {
        const Pen oldPen = canvas.SelectPen(Pen{PenStyle::Solid, 1, kSpectrumCursorColour});
        const Brush oldBrush = canvas.SelectBrush(Brush{kSpectrumCursorColour, false});
        const RasterOp oldOp = canvas.SetRasterOp(l.printing ? RasterOp::Copy : RasterOp::Xor);
        canvas.Rectangle(l.left + c * px, l.bottom, l.left + 1 + (c + 1) * px, std::max(l.top, 0));
        canvas.SetRasterOp(oldOp);
        canvas.SelectPen(oldPen);
        canvas.SelectBrush(oldBrush);
    }

    const int x = l.left;
    int y = large ? l.bottom + 2 * l.lineHeight : l.bottom + l.lineHeight + l.xTick;
    const int count = static_cast<int>(p.values.size());
    const int g = p.firstShown + c;
    bool cursorLine = false;
    if (p.cursorShown && g >= 0 && g < count) {
        const ReadoutValueText value =
            FormatReadoutValue(p.inputKind, p.values[static_cast<std::size_t>(g)], p.quantity, settings.NonMetricUnits);
        std::string text;
        if (fft)
            text = StrPrintf("%s:   f[%d]=%s   Lev=%s%s", "Cursor", g,
                             FftReadoutFrequency(g, count, p.totalBars, head.geometry.pointsPerColumn, p.lineSpacing).c_str(),
                             value.value.c_str(), value.unit.c_str());
        else
            text = StrPrintf("%s:   f[%d]=%s   Lev=%s%s", "Cursor", g + 1, BandText(p, head.plotKind, c).c_str(),
                             value.value.c_str(), value.unit.c_str());
        TrimTrailingBlanks(text);
        canvas.TextOut(x, y, text);
        cursorLine = true;
    }

    if (p.markerCount != 0) {
        const Rgb oldColour = canvas.SetTextColour(kReadoutGrey);
        int mx = x;
        int my = y + (cursorLine ? l.lineHeight : 0);
        if (!large) {
            mx = l.right + 5 * l.charWidth;
            my = l.top;
        }
        const int m0 = p.markerColumns[0];
        const int m1 = p.markerColumns[1];
        std::string text;
        if (p.markerCount == 1) {
            if (fft) {
                const std::string f0 = PointFrequency(p, m0);
                text = large ? StrPrintf("%s:   f0=%sHz", "Marker", f0.c_str()) : StrPrintf("f0=%sHz", f0.c_str());
            } else if (m0 >= 0) {
                const std::string f0 = BandText(p, head.plotKind, m0);
                text = large ? StrPrintf("%s:   f0=%s", "Marker", f0.c_str()) : StrPrintf("f0=%s", f0.c_str());
            }
        } else if (fft || m1 >= 0) {
            const std::string f0 = fft ? PointFrequency(p, m0) : BandText(p, head.plotKind, std::max(m0, 0));
            const std::string f1 = fft ? PointFrequency(p, m1) : BandText(p, head.plotKind, m1);
            const char* hz = fft ? "Hz" : "";
            if (large) {
                text = StrPrintf("%s:  f0=%s%s   f1=%s%s", "Markers", f0.c_str(), hz, f1.c_str(), hz);
            } else {
                canvas.TextOut(mx, my, StrPrintf("f0=%s%s", f0.c_str(), hz));
                my += l.lineHeight;
                text = StrPrintf("f1=%s%s", f1.c_str(), hz);
            }
        }
        if (!text.empty() && (m0 >= 0 || m1 >= 0)) {
            canvas.TextOut(mx, my, text);
            if (p.markerCount == 2) {
                const ReadoutValueText block = FormatReadoutValue(p.inputKind, p.blockValue, p.quantity, settings.NonMetricUnits);
                my += l.lineHeight;
                canvas.TextOut(mx, my,
                               large ? StrPrintf("%s = %s%s", "Block RMS", block.value.c_str(), block.unit.c_str())
                                     : StrPrintf("RMS=%s%s", block.value.c_str(), block.unit.c_str()));
            }
        }
        canvas.SetTextColour(oldColour);
    }
    canvas.SelectFont(l.previousFont);
}

} // namespace orlu
