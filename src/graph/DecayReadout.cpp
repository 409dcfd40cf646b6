#include "graph/DecayReadout.h"

#include "analysis/PlotSeries.h"
#include "document/RtBandRecords.h"
#include "document/texts/NumberTexts.h"
#include "document/texts/TimeTexts.h"
#include "graph/DecayGraph.h"
#include "graph/GraphSettings.h"
#include "graph/ReverbResultsBox.h"
#include "graph/TimeHistoryGraph.h"
#include "graph/TimeHistoryReadout.h"
#include "platform/ValueFormat.h"

#include <algorithm>

namespace orlu {
namespace {

double At(const PlotSeries* s, long long i)
{
    return s != nullptr && i >= 0 && static_cast<std::size_t>(i) < s->Size() ? (*s)[static_cast<std::size_t>(i)] : 0.0;
}

// The evaluation cursor at `position` points from the first shown, the user
// interval's level line and the label of the point to be placed next. Drawn
// in the raster operation the read-out chose (XOR on the screen).
void DrawReverbUserLevel(Canvas& canvas, const PanelLayout& l, int scale, const LevelRange& range, const DecayPanel& p,
                         int position)
{
    const Pen oldPen = canvas.SelectPen(Pen{PenStyle::Solid, 1, kRtCursorColour});
    const Font oldFont = canvas.SelectFont(Font{std::string(kFixedFace), 14 * scale, 400});
    const FontMetrics fm = canvas.Metrics();
    const int lh = fm.height + fm.externalLeading;
    const Rgb oldText = canvas.SetTextColour(kRtOverlayColour);
    const int px = l.pixelsPerPoint;
    const int xl = l.left + (l.pointCount - 1) * px;
    const int x = l.left + position * px;
    const bool inside = l.left <= x && x <= xl;
    if (inside)
        canvas.Line(x, l.top, x, l.bottom);
    const int method = p.eval->method;
    if (method == 4 && (p.rtEvaluating == 3 || p.rtEvaluating == 4)) {
        const double level = At(p.main, p.firstShown + position);
        const int y = DecayLevelRow(level, range.bottom, range.Span(), p.quantity == 0, l.bottom, l.plotHeight);
        if (l.top < y && y < l.bottom) {
            canvas.SelectPen(Pen{PenStyle::Solid, 1, kRtUserLevelColour});
            canvas.Line(l.left, y, xl + 5 * scale, y);
            const Rgb blue = canvas.SetTextColour(kRtUserLevelColour);
            canvas.TextOut(xl + 12 * scale, y - lh / 2, StrPrintf("%.1fdB", level - p.eval->l0));
            canvas.SetTextColour(blue);
        }
    }
    canvas.SetRasterOp(RasterOp::Copy);
    canvas.SelectPen(oldPen);
    if (inside && p.rtEvaluating < RtLastStep(method))
        canvas.TextOut(x, l.top - 15 * scale, StrPrintf("t%d", p.rtEvaluating - 1));
    canvas.SetTextColour(oldText);
    canvas.SelectFont(oldFont);
}

} // namespace

void DrawDecayCursor(const PanelHead& head, const DecayPanel& p, const GraphSettings& settings)
{
    Canvas& canvas = head.canvas;
    const int s = head.scale;
    const PanelLayout l = LayoutReadout(PlotShape::Lines, head);
    const Pen oldPen = canvas.SelectPen(Pen{PenStyle::Solid, 1, kDecayCursorColour});
    if (!l.printing)
        canvas.SetRasterOp(RasterOp::Xor);
    if (!p.hasData || p.main == nullptr) {
        canvas.SetRasterOp(RasterOp::Copy);
        canvas.SelectPen(oldPen);
        const int width = static_cast<int>(std::string_view(kNoPlotText).size()) * l.charWidth;
        const int x = width > l.plotWidth ? l.left + 3 * l.charWidth : l.left + (l.plotWidth - width) / 2;
        const Rgb old = canvas.SetTextColour(kRtUserLevelColour);
        canvas.TextOut(x, (l.bottom - l.top - l.lineHeight) / 2 + l.top, kNoPlotText);
        canvas.SetTextColour(old);
        canvas.SelectFont(l.previousFont);
        return;
    }
    const int perColumn = std::max(1, head.geometry.pointsPerColumn);
    const double step = p.timing.recordStep;
    const double tp = perColumn * step;
    const LevelRange range = DecayRange(p);
    const bool evaluating = p.rtEvaluating != 0 && p.eval != nullptr;
    const int method = evaluating ? p.eval->method : 0;

    int i = p.firstShown + p.cursorIndex;
    if (!evaluating || p.rtEvaluating > RtLastStep(method)) {
        const int x = l.left + p.cursorIndex * l.pixelsPerPoint;
        canvas.Line(x, l.top, x, l.bottom);
    } else {
        DrawReverbUserLevel(canvas, l, s, range, p, p.cursorIndex);
        // The cursor is the end of the user interval while it is being placed,
        // so the RTuser of the box follows it.
        if (method == 4 && p.rtEvaluating == 4 && p.doc != nullptr && i >= 0 &&
            static_cast<std::size_t>(i) < p.main->Size())
            p.doc->StoreUserIntervalEnd(i, At(p.main, i));
    }
    canvas.SetRasterOp(RasterOp::Copy);
    canvas.SelectPen(oldPen);
    if (evaluating && p.doc != nullptr)
        DrawReverbResults(canvas, s, l.left, l.bottom, p.doc->ShownRtBandRecord(), method);

    const Rgb oldText = canvas.SetTextColour(kBlack);
    const Rgb oldBack = canvas.SetBackgroundColour(kWhite);
    const bool stacked = head.sizeIndex != 0;
    int row = stacked ? l.bottom + l.lineHeight + l.xTick : l.bottom + 2 * l.lineHeight;
    if (evaluating)
        row += l.lineHeight;
    const int decimals = p.timing.timeDecimals;
    const bool rel = settings.CursorRelTimeFormat;
    if (p.cursorShown) {
        const ReadoutValueText value =
            FormatReadoutValue(p.inputKind, At(p.main, i), p.quantity, settings.NonMetricUnits);
        const std::string number = StrPrintf("%d", i + 1);
        std::string text;
        if (!evaluating) {
            const std::size_t index = static_cast<std::size_t>(i + 1) * static_cast<std::size_t>(perColumn) - 1;
            const std::uint32_t r = index < p.records.size() ? p.records[index] : static_cast<std::uint32_t>(index + 1);
            text = StrPrintf("%s:   t[%s]=%s (%s)  Lev=%s%s", "Cursor", number.c_str(),
                             FormatRelTime(rel, r, step, decimals).c_str(),
                             FormatClockTime(p.timing.startTime, r, step, decimals).c_str(), value.value.c_str(),
                             value.unit.c_str());
        } else {
            const auto k = static_cast<std::size_t>(i);
            const double record = k < p.records.size() ? static_cast<double>(p.records[k]) : static_cast<double>(i);
            text = StrPrintf("%s:   t[%s]=%ss   Lev=%s%s", "Cursor", number.c_str(),
                             StrPrintf("%.*f", decimals, record * tp).c_str(), value.value.c_str(), value.unit.c_str());
        }
        canvas.TextOut(l.left, row, text);
        if (!evaluating && p.showTotal && p.total != nullptr) {
            TrimTrailingBlanks(text);
            const ReadoutValueText total =
                FormatReadoutValue(p.inputKind, At(p.total, i), p.quantity, settings.NonMetricUnits);
            const Rgb old = canvas.SetTextColour(kTotalColour);
            canvas.TextOut(l.left + (static_cast<int>(text.size()) + 2) * l.charWidth, row,
                           StrPrintf("RMS=%s%s", total.value.c_str(), total.unit.c_str()));
            canvas.SetTextColour(old);
        }
    }

    if (!evaluating && p.markerCount != 0) {
        const Rgb old = canvas.SetTextColour(kReadoutGrey);
        int x = l.left;
        int y = p.cursorShown ? row + l.lineHeight : row;
        if (stacked) {
            x = l.right + 5 * l.charWidth;
            y = l.top;
        }
        const int m0 = p.markerColumns[0];
        const int m1 = p.markerColumns[1];
        const int timeDecimals = ReadoutTimeDecimals(tp);
        std::string t0 = FormatRelTime(rel, static_cast<std::uint32_t>(m0 + 1), tp, timeDecimals);
        if (p.markerCount == 1) {
            canvas.TextOut(x, y,
                           stacked ? StrPrintf("t0=%s", t0.c_str()) : StrPrintf("%s:   t0=%s", "Marker", t0.c_str()));
        } else {
            const std::string t1 = FormatRelTime(rel, static_cast<std::uint32_t>(m1 + 1), tp, timeDecimals);
            if (rel)
                t0 = PadMarkerTime(t0, t1);
            if (stacked) {
                canvas.TextOut(x, y, StrPrintf("t0=%s", t0.c_str()));
                canvas.TextOut(x, y + l.lineHeight, StrPrintf("t1=%s", t1.c_str()));
            } else {
                canvas.TextOut(x, y, StrPrintf("%s:  t0=%s   t1=%s", "Markers", t0.c_str(), t1.c_str()));
            }
        }
        canvas.SetTextColour(old);
        // The block statistics do not need the cursor to be shown.
        if (p.markerCount == 2 && m0 <= i && i <= m1) {
            y += stacked ? 2 * l.lineHeight : l.lineHeight;
            const auto item = [&](const std::string& itemText, Rgb colour) {
                const Rgb before = canvas.SetTextColour(colour);
                canvas.TextOut(x, y, itemText);
                canvas.SetTextColour(before);
                if (stacked)
                    y += l.lineHeight;
                else
                    x += static_cast<int>(itemText.size()) * l.charWidth + 2 * l.charWidth;
            };
            const auto level = [&](double v, int kind) {
                return FormatReadoutValue(p.inputKind, v, kind, settings.NonMetricUnits);
            };
            if (p.showBlockMin) {
                const ReadoutValueText t = level(p.blockMin, p.quantity);
                item(StrPrintf("Lmin=%s%s", t.value.c_str(), t.unit.c_str()), kBlockMinColour);
            }
            if (p.showBlockMax) {
                const ReadoutValueText t = level(p.blockMax, p.quantity);
                item(StrPrintf("Lmax=%s%s", t.value.c_str(), t.unit.c_str()), kBlockMaxColour);
            }
            if (p.showBlockLeq) {
                const ReadoutValueText t = level(At(p.blockLeq, i - m0), p.quantity);
                item(StrPrintf("RMS=%s%s  ", t.value.c_str(), t.unit.c_str()), kBlockLeqColour);
            }
            if (p.showBlockSel) {
                const ReadoutValueText t = level(At(p.blockSel, i - m0), p.quantity * 10);
                item(StrPrintf("SEL=%s%s  ", t.value.c_str(), t.unit.c_str()), kBlockSelColour);
            }
        }
    }
    canvas.SetBackgroundColour(oldBack);
    canvas.SetTextColour(oldText);
    canvas.SelectFont(l.previousFont);
}

} // namespace orlu
