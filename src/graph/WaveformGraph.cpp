#include "graph/WaveformGraph.h"

#include "document/texts/NumberTexts.h"
#include "document/texts/TimeTexts.h"
#include "graph/GraphSettings.h"
#include "graph/LevelAxis.h"
#include "graph/TimeHistoryGraph.h"
#include "graph/TimeHistoryReadout.h"
#include "platform/ValueFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace orlu {
namespace {

constexpr std::array<int, 9> kWaveformTickTable{2, 5, 10, 20, 50, 100, 200, 500, 1000};

double LargestOf(const WaveformPanel& p)
{
    if (p.largest >= 0.0)
        return p.largest;
    double m = 0.0;
    for (const double v : p.samples)
        if (std::isfinite(v))
            m = std::max(m, std::fabs(v));
    return m;
}

// The value kind the axis and the read-out format with.
int WaveformValueKind(const WaveformPanel& p)
{
    if (p.buffer)
        return 1;
    return p.quantity == 0 ? -1 : -2;
}

// The number of sample i: the record number of a buffer, the sample number of a waveform.
std::uint32_t TimeValueAt(const WaveformPanel& p, std::size_t i)
{
    if (p.buffer)
        return i < p.records.size() ? p.records[i] : static_cast<std::uint32_t>(i + 1);
    if (i < p.sampleNumbers.size() && p.sampleNumbers[i] >= 0.0 && p.sampleNumbers[i] < 4294967295.0)
        return static_cast<std::uint32_t>(p.sampleNumbers[i]);
    return static_cast<std::uint32_t>(i + 1);
}

} // namespace

double WaveformAmplitudeFactor(double largest, bool autoscale, int zoomSteps)
{
    if (!autoscale)
        return std::ldexp(1.0, std::clamp(zoomSteps, -60, 60));
    // All samples 0 (or none): no power of two reaches 1, the factor stays 1.
    if (!(largest > 0.0) || !std::isfinite(largest))
        return 1.0;
    double a = 1.0;
    for (int i = 0; i < 2100 && largest * a < 1.0; ++i)
        a *= 2.0;
    for (int i = 0; i < 2100 && largest * a > 1.0; ++i)
        a /= 2.0;
    return a;
}

int WaveformRow(double sample, double factor, int zeroRow, int halfHeight, int top, int bottom)
{
    const double d = halfHeight * sample * factor;
    const int offset = std::isnan(d) ? 0 : static_cast<int>(std::clamp(d, -1.0e6, 1.0e6));
    const int y = zeroRow - offset;
    if (y < top)
        return top;
    return y >= bottom ? bottom - 1 : y;
}

double WaveformTickStep(double span)
{
    double tick = 1.0;
    if (span > 16.0) {
        for (std::size_t i = 0; i < kWaveformTickTable.size() && span / tick > 16.0; ++i)
            tick = kWaveformTickTable[i];
    } else if (span < 10.0) {
        for (std::size_t i = 0; i < kWaveformTickTable.size() && span / tick < 10.0; ++i)
            tick = 1.0 / kWaveformTickTable[i];
    }
    return tick;
}

void DrawWaveformTimeAxis(Canvas& canvas, const WaveformAxisInput& in)
{
    const FontMetrics m = canvas.Metrics();
    const int cw = m.aveCharWidth;
    const int minor = static_cast<int>(0.7 * in.tickLength);
    const bool ms = in.samplePeriod < 0.001;
    const double period = ms ? in.samplePeriod * 1000.0 : in.samplePeriod;
    const double t0 = in.firstShown * period;
    const double t1 = (in.firstShown + in.visibleCount) * period;
    const double span = t1 - t0;
    const double tick = WaveformTickStep(span);
    const double labelStep = 2.0 * tick;
    const int decimals = CountSignificantDecimals(labelStep);
    const int y = in.bottom + in.scale;
    const auto label = [&](int x, double value) {
        const std::string text = StrPrintf("%.*f", decimals, value);
        canvas.TextOut(x - static_cast<int>(text.size()) * cw / 2, y + in.tickLength, text);
    };
    const auto firstMultiple = [&](double step) {
        double v = std::trunc(t0 / step) * step;
        for (int i = 0; i < 4 && v < t0; ++i)
            v += step;
        return v;
    };
    const double firstTick = firstMultiple(tick);
    bool labelled = std::fabs(firstTick - firstMultiple(labelStep)) < 0.001;
    int n = 0;
    if (in.firstShown == 0) {
        canvas.Line(in.left - 1, y, in.left - 1, y + in.tickLength);
        label(in.left - 1, 0.0);
        n = 1; // that tick stands for the loop's first one
        labelled = !labelled;
    }
    // Ticks between samples: the sample before the tick's time and the one at
    // or after it place it. The walk over the visible samples never goes back.
    if (period > 0.0 && std::isfinite(span) && span > 0.0) {
        int k = 0;
        for (; n < 2048; ++n) {
            const double t = firstTick + n * tick;
            if (t > t1 + 1e-9 * std::fabs(t1))
                break;
            while (k < in.visibleCount && (in.firstShown + k) * period < t)
                ++k;
            int x = in.left + k * in.pixelsPerPoint;
            if (k > 0) {
                const double before = (in.firstShown + k - 1) * period;
                const double after = (in.firstShown + k) * period;
                x = in.left + (k - 1) * in.pixelsPerPoint +
                    static_cast<int>(in.pixelsPerPoint * (t - before) / (after - before));
            }
            if (x - in.left > in.width)
                break;
            canvas.Line(x, y, x, y + (labelled ? in.tickLength : minor));
            if (labelled)
                label(x, t);
            labelled = !labelled;
        }
    }
    canvas.TextOut(in.left + in.width + cw + 2 * in.scale, y - 2 * in.tickLength, ms ? "ms" : "s");
}

void DrawAmplitudeAxis(Canvas& canvas, const AmplitudeAxisInput& in)
{
    const FontMetrics m = canvas.Metrics();
    const int lineHeight = m.height + m.externalLeading;
    const int cw = m.aveCharWidth;
    const int n = std::max(2, in.divisions);
    const double perDivision = static_cast<double>(in.height - 1) / n;
    const int every = n * lineHeight >= in.height ? 2 : 1;
    const int end = in.left - in.tickLength - 3 * in.scale;
    int lastY = in.bottom - 1;
    for (int k = 0; k <= n; k += every) {
        const int y = in.bottom - static_cast<int>(k * perDivision) - 1;
        canvas.Line(in.left - in.tickLength, y, in.left, y);
        const std::string text = FormatAxisValue(in.top * 2.0 * (k - n / 2) / n, in.decimalsIndex);
        canvas.TextOut(end - static_cast<int>(text.size()) * cw, y - lineHeight / 2 - 2 * in.scale, text);
        lastY = y;
    }
    std::string unit = in.unit;
    TrimTrailingBlanks(unit);
    const std::string text = StrPrintf("%5s", unit.c_str());
    canvas.TextOut(end - static_cast<int>(text.size()) * cw, lastY - (3 * lineHeight) / 2, text);
}

void DrawWaveformGraph(const PanelHead& head, const WaveformPanel& p, const GraphSettings& settings)
{
    Canvas& canvas = head.canvas;
    const int s = head.scale;
    const Pen oldPen = canvas.State().pen;
    const Brush oldBrush = canvas.State().brush;
    const PanelLayout l = LayoutGraph(PlotShape::Lines, head, settings, p.title.c_str(), nullptr);
    const int hh = l.plotHeight / 2;
    const int y0 = (l.top + l.bottom) / 2;
    const double factor = WaveformAmplitudeFactor(LargestOf(p), p.autoscale, p.zoomSteps);

    canvas.SelectPen(Pen{PenStyle::Solid, 1, kBlack});
    canvas.SelectBrush(Brush{kWhite, false});
    canvas.Rectangle(l.left - 1, l.top - 1, l.right + 2, l.bottom + 1);
    const int first = p.firstShown;
    const int visible = l.pointCount;
    const int px = l.pixelsPerPoint;
    const int m0 = p.markerColumns[0];
    const int m1 = p.markerColumns[1];
    if (p.markerCount == 2 && m0 < first + visible && m1 > first) {
        const int x0 = std::max(m0 - first, 0) * px + l.left;
        const int x1 = (m1 < first + visible ? m1 - first : visible - 1) * px + l.left;
        canvas.FillRect(x0, l.top + 1, x1, l.bottom - 1, kBlockBandColour);
    }

    if (p.buffer) {
        TimeAxisInput axis;
        axis.scale = s;
        axis.timing = p.timing;
        axis.timing.timeStepCode = -1;
        axis.timing.timeUnit = 0;
        axis.pointsPerColumn = head.geometry.pointsPerColumn;
        axis.left = l.left;
        axis.bottom = l.bottom;
        axis.width = l.right - l.left;
        axis.visibleCount = visible;
        axis.firstShown = first;
        axis.tickLength = l.xTick;
        axis.clockLabels = settings.TimeAxisFormat;
        axis.records = p.records;
        DrawTimeHistoryTimeAxis(canvas, axis);
    } else {
        DrawWaveformTimeAxis(canvas, WaveformAxisInput{s, p.timing.recordStep, l.left, l.bottom, l.right - l.left + 1,
                                                       px, visible, first, l.xTick});
    }
    const ValueUnitText top =
        FormatValueUnit(p.inputKind, p.fullScale / factor, WaveformValueKind(p), settings.NonMetricUnits);
    DrawAmplitudeAxis(canvas, AmplitudeAxisInput{s, l.left, l.bottom, l.plotHeight, 8, l.levelTick,
                                                 top.value.empty() ? 0.0 : std::atof(top.value.c_str()),
                                                 top.formatIndex, top.unit});
    canvas.SelectFont(l.previousFont);

    const bool recording = canvas.Target() == CanvasTarget::Metafile;
    const Pen samplePen{PenStyle::Solid, s, kBlack};
    const Pen markerPen{PenStyle::Solid, 1, kMarkerLineColour};
    canvas.SelectPen(samplePen);
    const int count = static_cast<int>(p.samples.size());
    const int end = std::min(count, first + visible);
    if (first >= 0 && first < end) {
        const auto markerLine = [&](int q, int x) {
            if ((p.markerCount != 0 && q == m0) || (p.markerCount == 2 && q == m1)) {
                canvas.SelectPen(markerPen);
                canvas.Line(x, l.top, x, l.bottom);
                canvas.SelectPen(samplePen);
            }
        };
        const auto circle = [&](int cx, int cy) {
            const int r = l.circleRadius;
            canvas.Ellipse(cx - r, cy - r, cx + r + 1, cy + r + 1);
        };
        int x = l.left;
        int y = WaveformRow(p.samples[static_cast<std::size_t>(first)], factor, y0, hh, l.top, l.bottom);
        markerLine(first, x);
        for (int q = first + 1; q < end; ++q) {
            const int prevX = x;
            const int prevY = y;
            x += px;
            y = WaveformRow(p.samples[static_cast<std::size_t>(q)], factor, y0, hh, l.top, l.bottom);
            markerLine(q, x);
            canvas.Line(prevX, prevY, x, y);
            if (!recording) {
                canvas.SetPixel(x, y, kBlack);
                if (!l.printing) {
                    canvas.Line(prevX, prevY + 1, x, y + 1);
                    canvas.SetPixel(x, y + 1, kBlack);
                }
            }
            if (l.circleRadius > 0)
                circle(prevX, prevY);
        }
        if (l.circleRadius > 0)
            circle(x, y);
    }
    canvas.SelectPen(oldPen);
    canvas.SelectBrush(oldBrush);
    canvas.Line(l.left, y0, l.right + 1, y0);
}

void DrawWaveformCursor(const PanelHead& head, const WaveformPanel& p, const GraphSettings& settings)
{
    Canvas& canvas = head.canvas;
    const PanelLayout l = LayoutReadout(PlotShape::Lines, head);
    const int perColumn = std::max(1, head.geometry.pointsPerColumn);
    const double tp = perColumn * p.timing.recordStep;
    const int decimals = ReadoutTimeDecimals(tp);
    {
        const Pen oldPen = canvas.SelectPen(Pen{PenStyle::Solid, 1, kWaveformCursorColour});
        if (!l.printing)
            canvas.SetRasterOp(RasterOp::Xor);
        const int x = l.left + p.cursorIndex * l.pixelsPerPoint;
        canvas.Line(x, l.top, x, l.bottom);
        canvas.SetRasterOp(RasterOp::Copy);
        canvas.SelectPen(oldPen);
    }
    const bool stacked = head.sizeIndex != 0;
    const int row = stacked ? l.bottom + l.lineHeight + l.xTick : l.bottom + 2 * l.lineHeight;
    const int i = p.firstShown + p.cursorIndex;
    if (p.cursorShown && i >= 0 && static_cast<std::size_t>(i) < p.samples.size()) {
        const auto k = static_cast<std::size_t>(i);
        const ReadoutValueText value =
            FormatReadoutValue(p.inputKind, p.fullScale * p.samples[k], WaveformValueKind(p), settings.NonMetricUnits);
        const std::string number = StrPrintf("%u", TimeValueAt(p, k));
        std::string text;
        if (p.buffer) {
            const std::size_t last = static_cast<std::size_t>(i + 1) * static_cast<std::size_t>(perColumn) - 1;
            const std::string time =
                FormatRelTime(settings.CursorRelTimeFormat, TimeValueAt(p, last), p.timing.recordStep, decimals);
            text = StrPrintf("%s:   t[%s]=%s  A=%s%s", "Cursor", number.c_str(), time.c_str(), value.value.c_str(),
                             value.unit.c_str());
        } else {
            const double t = (static_cast<double>(TimeValueAt(p, k)) - 1.0) * tp;
            text = StrPrintf("%s:   t[%s]=%.*fs   A=%s%s", "Cursor", number.c_str(), decimals, t, value.value.c_str(),
                             value.unit.c_str());
        }
        canvas.TextOut(l.left, row, text);
    }
    if (p.markerCount != 0) {
        const Rgb old = canvas.SetTextColour(kReadoutGrey);
        int x = l.left;
        int y = p.cursorShown ? row + l.lineHeight : row;
        if (stacked) {
            x = l.right + 5 * l.charWidth;
            y = l.top;
        }
        const std::string t0 = StrPrintf("%.*f", decimals, p.markerColumns[0] * tp);
        const std::string t1 = StrPrintf("%.*f", decimals, p.markerColumns[1] * tp);
        if (p.markerCount == 1) {
            canvas.TextOut(x, y,
                           stacked ? StrPrintf("t0=%ss", t0.c_str()) : StrPrintf("%s:   t0=%ss", "Marker", t0.c_str()));
        } else if (stacked) {
            canvas.TextOut(x, y, StrPrintf("t0=%ss", t0.c_str()));
            canvas.TextOut(x, y + l.lineHeight, StrPrintf("t1=%ss", t1.c_str()));
        } else {
            canvas.TextOut(x, y, StrPrintf("%s:  t0=%ss   t1=%ss", "Markers", t0.c_str(), t1.c_str()));
        }
        canvas.SetTextColour(old);
    }
    canvas.SelectFont(l.previousFont);
}

} // namespace orlu
