#include "graph/TimeHistoryReadout.h"

#include "analysis/PlotSeries.h"
#include "document/texts/NumberTexts.h"
#include "document/texts/TimeTexts.h"
#include "graph/GraphSettings.h"
#include "graph/TimeHistoryGraph.h"
#include "platform/ValueFormat.h"

#include <algorithm>
#include <cctype>

namespace orlu {
// Kinds without a unit format (the SEL of linear kinds) print the absent text.
ReadoutValueText FormatReadoutValue(int inputKind, double v, int kind, bool nonMetric)
{
    const ValueUnitText t = FormatValueUnit(inputKind, v, kind, nonMetric);
    if (t.value.empty())
        return {kAbsentValueText, ""};
    std::string unit = t.unit;
    TrimTrailingBlanks(unit);
    if (!unit.empty())
        unit.erase(0, 1);
    return {t.value, unit};
}

std::string PadMarkerTime(const std::string& t0, const std::string& t1)
{
    if (t0.size() >= t1.size())
        return t0;
    std::string head = t1.substr(0, t1.size() - t0.size());
    for (char& c : head)
        if (std::isdigit(static_cast<unsigned char>(c)))
            c = '0';
    return head + t0;
}

int ReadoutTimeDecimals(double secondsPerPoint)
{
    const std::string text = StrPrintf("%g", secondsPerPoint);
    const auto dot = text.find('.');
    if (dot == std::string::npos)
        return 0;
    std::size_t n = 0;
    while (dot + 1 + n < text.size() && std::isdigit(static_cast<unsigned char>(text[dot + 1 + n])))
        ++n;
    return static_cast<int>(std::min<std::size_t>(n, 6));
}

void DrawTimeHistoryCursor(const PanelHead& head, const TimeHistoryPanel& p, const GraphSettings& settings)
{
    Canvas& canvas = head.canvas;
    const PanelLayout l = LayoutReadout(PlotShape::Lines, head);
    const bool stacked = head.sizeIndex != 0;
    const int perColumn = std::max(1, head.geometry.pointsPerColumn);
    const double step = p.timing.recordStep;
    const int decimals = ReadoutTimeDecimals(perColumn * step);
    const int kind = TimeHistoryValueKind(p);
    const bool rel = settings.CursorRelTimeFormat;

    // Cursor line.
    const Pen oldPen = canvas.SelectPen(Pen{PenStyle::Solid, 1, kTimeCursorColour});
    if (!l.printing)
        canvas.SetRasterOp(RasterOp::Xor);
    const int cx = l.left + p.cursorIndex * l.pixelsPerPoint;
    canvas.Line(cx, l.top, cx, l.bottom);
    canvas.SetRasterOp(RasterOp::Copy);
    canvas.SelectPen(oldPen);

    int row = stacked ? l.bottom + l.lineHeight + l.xTick : l.bottom + 2 * l.lineHeight;
    if (settings.UseDate)
        row += l.lineHeight;
    const Rgb oldText = canvas.SetTextColour(kReadoutGrey);

    if (p.markerCount != 0) {
        int x = l.left;
        int y = p.cursorShown ? row + l.lineHeight : row;
        if (stacked) {
            x = l.right + 5 * l.charWidth;
            y = l.top;
        }
        const double pointStep = perColumn * step;
        std::string t0 = FormatRelTime(rel, static_cast<std::uint32_t>(p.markerColumns[0] + 1), pointStep, decimals);
        if (p.markerCount == 1) {
            canvas.TextOut(x, y, stacked ? StrPrintf("t0=%s", t0.c_str()) : StrPrintf("%s:   t0=%s", "Marker", t0.c_str()));
        } else {
            const std::string t1 = FormatRelTime(rel, static_cast<std::uint32_t>(p.markerColumns[1] + 1), pointStep, decimals);
            if (rel)
                t0 = PadMarkerTime(t0, t1);
            if (stacked) {
                canvas.TextOut(x, y, StrPrintf("t0=%s", t0.c_str()));
                canvas.TextOut(x, y + l.lineHeight, StrPrintf("t1=%s", t1.c_str()));
            } else {
                canvas.TextOut(x, y, StrPrintf("%s:  t0=%s   t1=%s", "Markers", t0.c_str(), t1.c_str()));
            }
        }
    }
    canvas.SetTextColour(oldText);

    const int at = p.firstShown + p.cursorIndex;
    const auto seriesAt = [](const PlotSeries* s, long long i) {
        return s != nullptr && i >= 0 && static_cast<std::size_t>(i) < s->Size() ? (*s)[static_cast<std::size_t>(i)] : 0.0;
    };
    const char* totalName = p.inputKind == 2 ? "LEQ" : "RMS";
    if (p.cursorShown) {
        const int n = at + 1;
        // The last record of the cursor's point.
        const std::size_t index = static_cast<std::size_t>(n) * static_cast<std::size_t>(perColumn) - 1;
        const std::uint32_t r = index < p.records.size() ? p.records[index] : static_cast<std::uint32_t>(index + 1);
        const std::string number = StrPrintf("%d", n);
        const std::string relTime = FormatRelTime(rel, r, step, decimals);
        const std::string clock = FormatClockTime(p.timing.startTime, r, step, decimals);
        std::string date = FormatDateTime(p.timing.startTime, p.timing.startDate, r, step, decimals).date;
        date = date.size() > 2 ? date.substr(2) : date;
        const double v = seriesAt(p.main, at);
        std::string text;
        if (p.IsRpm()) {
            const std::string value = StrPrintf("%.3f", v);
            if (p.showClock && settings.UseDate)
                text = StrPrintf("%s:   t[%s]=%s (%s - %s)  RPM=%s", "Cursor", number.c_str(), relTime.c_str(), clock.c_str(), date.c_str(), value.c_str());
            else if (p.showClock)
                text = StrPrintf("%s:   t[%s]=%s (%s)  RPM=%s", "Cursor", number.c_str(), relTime.c_str(), clock.c_str(), value.c_str());
            else
                text = StrPrintf("%s:   t[%s]=%s  RPM=%s", "Cursor", number.c_str(), relTime.c_str(), value.c_str());
        } else {
            const ReadoutValueText value = FormatReadoutValue(p.inputKind, v, kind, settings.NonMetricUnits);
            if (p.showClock && settings.UseDate)
                text = StrPrintf("%s:   t[%s]=%s (%s - %s)  Lev=%s%s", "Cursor", number.c_str(), relTime.c_str(), clock.c_str(), date.c_str(), value.value.c_str(), value.unit.c_str());
            else if (p.showClock)
                text = StrPrintf("%s:   t[%s]=%s (%s)  Lev=%s%s", "Cursor", number.c_str(), relTime.c_str(), clock.c_str(), value.value.c_str(), value.unit.c_str());
            else
                text = StrPrintf("%s:   t[%s]=%s  Lev=%s%s", "Cursor", number.c_str(), relTime.c_str(), value.value.c_str(), value.unit.c_str());
        }
        canvas.TextOut(l.left, row, text);

        if (p.showTotal && p.total != nullptr && !p.IsRpm()) {
            std::string trimmed = text;
            TrimTrailingBlanks(trimmed);
            const int x = l.left + (static_cast<int>(trimmed.size()) + 2) * l.charWidth;
            const ValueUnitText t = FormatValueUnit(p.inputKind, seriesAt(p.total, at), kind, settings.NonMetricUnits);
            const std::string value = t.value.empty() ? kAbsentValueText : t.value;
            std::string unit = t.value.empty() ? std::string() : t.unit;
            TrimTrailingBlanks(unit);
            const Rgb old = canvas.SetTextColour(kTotalColour);
            canvas.TextOut(x, row, StrPrintf("%s=%s%s", totalName, value.c_str(), unit.c_str()));
            canvas.SetTextColour(old);
        }

        const int m0 = p.markerColumns[0];
        const int m1 = p.markerColumns[1];
        if (p.markerCount == 2 && m0 <= at && at <= m1) {
            int x = stacked ? l.right + 5 * l.charWidth : l.left;
            int y = stacked ? l.top + 2 * l.lineHeight : row + 2 * l.lineHeight;
            const auto item = [&](const std::string& itemText, Rgb colour) {
                const Rgb old = canvas.SetTextColour(colour);
                canvas.TextOut(x, y, itemText);
                canvas.SetTextColour(old);
                if (stacked)
                    y += l.lineHeight;
                else
                    x += canvas.TextExtent(itemText).width;
            };
            const auto level = [&](double value, int valueKind) {
                return FormatReadoutValue(p.inputKind, value, valueKind, settings.NonMetricUnits);
            };
            if (p.showBlockMin) {
                if (p.IsRpm()) {
                    item(StrPrintf("RPMmin=%.3f  ", p.blockMin), kBlockMinColour);
                } else {
                    const ReadoutValueText t = level(p.blockMin, kind);
                    item(StrPrintf("Lmin=%s%s  ", t.value.c_str(), t.unit.c_str()), kBlockMinColour);
                }
            }
            if (p.showBlockMax) {
                if (p.IsRpm()) {
                    item(StrPrintf("RPMmax=%.3f  ", p.blockMax), kBlockMaxColour);
                } else {
                    const ReadoutValueText t = level(p.blockMax, kind);
                    item(StrPrintf("Lmax=%s%s  ", t.value.c_str(), t.unit.c_str()), kBlockMaxColour);
                }
            }
            if (p.showBlockLeq && !p.IsRpm()) {
                const ReadoutValueText t = level(seriesAt(p.blockLeq, at - m0), kind);
                item(StrPrintf("%s=%s%s  ", totalName, t.value.c_str(), t.unit.c_str()), kBlockLeqColour);
            }
            if (p.showBlockSel && !p.IsRpm()) {
                const ReadoutValueText t = level(seriesAt(p.blockSel, at - m0), kind * 10);
                item(StrPrintf("SEL=%s%s  ", t.value.c_str(), t.unit.c_str()), kBlockSelColour);
            }
        }
    }
    canvas.SelectFont(l.previousFont);
}

} // namespace orlu
