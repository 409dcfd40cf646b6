#include "graph/DecayGraph.h"

#include "analysis/PlotSeries.h"
#include "document/RtBandRecords.h"
#include "document/texts/NumberTexts.h"
#include "document/texts/TimeTexts.h"
#include "graph/GraphSettings.h"
#include "graph/LevelAxis.h"
#include "graph/TimeHistoryGraph.h"
#include "platform/ValueFormat.h"

#include <algorithm>
#include <cmath>

namespace orlu {
namespace {

Pen SolidPen(Rgb colour, int width = 1)
{
    return Pen{PenStyle::Solid, width, colour};
}

// The plotted offset of a value: truncated, at most the plot height; a value
// that is not a number sits on the bottom.
int PlotOffset(double value, double bottomValue, double range, bool levels, int height)
{
    const double offset = levels ? value - bottomValue : value;
    const double d = range != 0.0 ? offset / range * height : 0.0;
    if (std::isnan(d))
        return 0;
    if (d > height)
        return height;
    return static_cast<int>(std::max(d, -1.0e6));
}

struct SeriesRows {
    double bottomValue;
    double range;
    bool levels;
    int top;
    int bottom;
    int height;
    // Main series, Lmax and Lmin: one pixel lower, kept off the bottom line.
    int Main(double v) const
    {
        const int y = bottom - PlotOffset(v, bottomValue, range, levels, height) + 1;
        return y > bottom - 2 ? bottom - 2 : std::max(y, top + 1);
    }
    // Running Leq, running SEL and the total line.
    int Running(double v) const
    {
        const int y = bottom - PlotOffset(v, bottomValue, range, levels, height);
        return y > bottom - 1 ? bottom - 1 : std::max(y, top + 1);
    }
};

double At(const PlotSeries* s, long long i)
{
    return s != nullptr && i >= 0 && static_cast<std::size_t>(i) < s->Size() ? (*s)[static_cast<std::size_t>(i)] : 0.0;
}

// Draws the overlay of point n (1 to 5) at `position` points from the first shown.
void DrawDecayLevels(Canvas& canvas, const PanelLayout& l, int scale, const LevelRange& range, const DecayPanel& p,
                     int n, int position)
{
    const RtEvalRecord& e = *p.eval;
    const int method = e.method;
    const bool levels = p.quantity == 0;
    const Font oldFont = canvas.SelectFont(Font{std::string(kFixedFace), 14 * scale, 400});
    const FontMetrics fm = canvas.Metrics();
    const int lh = fm.height + fm.externalLeading;
    const Pen oldPen = canvas.SelectPen(Pen{PenStyle::Dot, 1, kRtOverlayColour});
    const Rgb oldText = canvas.SetTextColour(kRtOverlayColour);
    const auto rowOf = [&](double level) {
        return l.bottom - PlotOffset(level, range.bottom, range.Span(), levels, l.plotHeight) + 1;
    };
    const int px = l.pixelsPerPoint;
    const int xl = l.left + (l.pointCount - 1) * px;
    const int x = l.left + position * px;
    const bool inside = l.left <= x && x <= xl;
    if (inside)
        canvas.Line(x, l.top, x, l.bottom);

    const auto levelLine = [&](int y, const std::string& label, bool labelled) {
        if (!(l.top < y && y < l.bottom))
            return;
        canvas.Line(l.left, y, xl + 5 * scale, y);
        if (labelled)
            canvas.TextOut(xl + 12 * scale, y - lh / 2, label);
    };
    std::span<const std::uint8_t> record;
    if (p.doc != nullptr)
        record = p.doc->ShownRtBandRecord();
    const bool hasRecord = record.size() >= kRtBandRecordSize;
    const auto userLevel = [&](std::size_t field) { return hasRecord ? GetRtField<double>(record, field) : e.l0; };

    if (n >= 2) {
        const int y0 = rowOf(e.l0);
        int below = y0; // the line under the 0 dB line its label must clear
        if (method == 2 || method == 3) {
            below = rowOf(e.l0 - 5.0);
            levelLine(below, " -5dB", true);
        } else if (method == 4 && p.rtEvaluating >= 4) {
            below = rowOf(userLevel(rtrec::kUserFirstLevel));
        }
        const bool free = method == 1 || (method == 4 && p.rtEvaluating < 4) || 5 * (below - y0) >= 4 * lh;
        levelLine(y0, method == 4 ? " 0.0dB" : "  0dB", free);
    }
    if (n >= 3 && method >= 1 && method <= 4) {
        double end = 0.0;
        std::string label;
        if (method <= 3) {
            end = e.l0 + kRtEndLevels[static_cast<std::size_t>(method - 1)];
            label = std::string(kRtMethodNames[static_cast<std::size_t>(3 + method)]);
        } else {
            end = userLevel(n == 3 ? rtrec::kUserFirstLevel : rtrec::kUserLastLevel);
            label = StrPrintf("%.1fdB", end - e.l0);
        }
        levelLine(rowOf(end), label, true);
    }
    canvas.SetRasterOp(RasterOp::Copy);
    canvas.SelectPen(oldPen);
    if (inside)
        canvas.TextOut(x, l.bottom + 17 * scale, StrPrintf("t%d", n - 1));
    canvas.SetTextColour(oldText);
    canvas.SelectFont(oldFont);
}

} // namespace

LevelRange DecayRange(const DecayPanel& p)
{
    LevelScaleInput in;
    in.base = p.rangeTop - 100.0;
    in.span = 110.0;
    in.autoscale = p.autoscale;
    in.pitchSteps = p.pitchSteps;
    in.zoomSteps = p.zoomSteps;
    in.frequency = p.lineSpacing;
    in.inputKind = p.inputKind;
    in.quantity = p.quantity;
    in.referenceExponent = 6.0;
    if (p.main == nullptr)
        return AutoScaleLevels(in, false, 0.0, 0.0);
    return AutoScaleLevels(in, *p.main);
}

int DecayLevelRow(double level, double bottomValue, double range, bool levels, int bottom, int height)
{
    return bottom - PlotOffset(level, bottomValue, range, levels, height) + 1;
}

int SearchDecayEndPoint(const PlotSeries& series, int from, double endLevel)
{
    const int size = static_cast<int>(series.Size());
    for (int q = std::max(0, from); q < size; ++q) {
        if (!(series[static_cast<std::size_t>(q)] < endLevel))
            continue;
        if (q == 0)
            return q;
        const double here = std::fabs(series[static_cast<std::size_t>(q)] - endLevel);
        const double before = std::fabs(series[static_cast<std::size_t>(q - 1)] - endLevel);
        return before < here ? q - 1 : q;
    }
    return -1;
}

double DecayTickStep(double span, double tick)
{
    if (!(span > 0.0) || !(tick > 0.0) || !std::isfinite(span))
        return tick;
    for (int i = 0; i < 64 && static_cast<long long>(span / tick) >= 13; ++i)
        tick *= 2.0;
    for (int i = 0; i < 64 && static_cast<long long>(span / tick) < 8; ++i)
        tick /= 2.0;
    return tick;
}

void DrawDecayTimeAxis(Canvas& canvas, const DecayAxisInput& in)
{
    const FontMetrics m = canvas.Metrics();
    const int cw = m.aveCharWidth;
    const int minor = static_cast<int>(0.7 * in.tickLength);
    const int y0 = in.bottom + in.scale;
    const int perColumn = std::max(1, in.pointsPerColumn);
    const GraphTiming& t = in.timing;
    const double tp = t.recordStep * perColumn;
    const double t0 = (in.firstShown + 1) * tp;
    const double t1 = (in.firstShown + in.visibleCount) * tp;
    const double span = t1 - t0;
    // A single visible point (or no time step) has no span to divide: only the first tick is drawn.
    const bool oneTick = !(span > 0.0) || !(tp > 0.0) || !std::isfinite(span);
    const double tick = DecayTickStep(span, tp * perColumn);
    const double labelStep = 2.0 * tick;
    const int decimals = CountSignificantDecimals(labelStep);
    const auto labelText = [&](double value, std::uint32_t index) {
        if (!in.clockLabels)
            return StrPrintf("%.*f", decimals, value);
        const std::uint32_t record = index < in.records.size() ? in.records[index] : index + 1;
        return FormatClockTime(t.startTime, record, t.recordStep, t.timeDecimals);
    };
    const auto firstMultiple = [&](double step) {
        if (!(step > 0.0))
            return t0;
        double v = std::trunc(t0 / step) * step;
        for (int i = 0; i < 4 && v < t0; ++i)
            v += step;
        return v;
    };
    const double firstTick = firstMultiple(tick);
    bool labelled = std::fabs(firstTick - firstMultiple(labelStep)) < 0.001;
    const int labelWidth = in.clockLabels ? 10 * cw : (static_cast<int>(labelText(t1, 0).size()) + 2) * cw;
    int nextLabel = in.left - labelWidth;
    const auto label = [&](int x, double value, std::uint32_t index, bool force) {
        const std::string text = labelText(value, index);
        const int lx = x - static_cast<int>(text.size()) * cw / 2;
        if (force || lx >= nextLabel) {
            canvas.TextOut(lx, y0 + in.tickLength, text);
            nextLabel = lx + labelWidth;
        }
    };
    if (in.firstShown == 0) {
        canvas.Line(in.left - 1, y0, in.left - 1, y0 + in.tickLength);
        label(in.left - 1, t0, static_cast<std::uint32_t>(perColumn - 1), true);
    }
    const int tickCount = oneTick ? 1 : 64; // spans hold 8 to 26 ticks; the bound only guards rounding
    for (int n = 0; n < tickCount; ++n) {
        const double value = firstTick + n * tick;
        if (!oneTick && value > t1 + 1e-9 * std::fabs(t1))
            break;
        const int x = in.left + (oneTick ? 0 : static_cast<int>(in.width * (value - t0) / span));
        canvas.Line(x, y0, x, y0 + (labelled ? in.tickLength : minor));
        if (labelled) {
            const auto r = t.recordStep > 0.0 ? static_cast<long long>(value / t.recordStep) : 0LL;
            label(x, value, static_cast<std::uint32_t>(std::max(0LL, r - 1)), false);
        }
        labelled = !labelled;
    }
    if (!in.clockLabels) {
        static constexpr std::array<const char*, 3> kUnitNames{"s", "m", "h"};
        const char* name = kUnitNames[std::min<std::size_t>(t.timeUnit, 2)];
        const int x = in.left + in.width + (in.placement + 1) * cw + 2 * in.scale;
        canvas.TextOut(x, in.placement == 1 ? y0 + in.tickLength : y0 - 2 * in.tickLength, name);
    }
}

int ProposeDecayEndPoint(const DecayPanel& p)
{
    // The search belongs to the third point of EDT, RT20 and RT30, once it is drawn on a panel with data.
    RtEvalRecord* e = p.eval;
    if (e == nullptr || !p.hasData || p.main == nullptr || p.rtEvaluating < 4 || e->method < 1 || e->method > 3 ||
        e->searchState != kRtSearchRequested)
        return 0;
    // The request is consumed whether a point was found or not: the next paint does not search again.
    e->searchState = kRtSearchDone;
    const double end = e->l0 + kRtEndLevels[static_cast<std::size_t>(e->method - 1)];
    return std::max(0, SearchDecayEndPoint(*p.main, e->points[1], end));
}

void DrawDecayGraph(const PanelHead& head, const DecayPanel& p, const GraphSettings& settings)
{
    Canvas& canvas = head.canvas;
    const int s = head.scale;
    const bool evaluating = p.rtEvaluating != 0;
    // The layout of an evaluation is that of a line plot too.
    const PanelLayout l = LayoutGraph(PlotShape::Lines, head, settings, p.title.c_str(), nullptr);
    const Pen oldPen = canvas.SelectPen(SolidPen(kBlack));
    const Brush oldBrush = canvas.State().brush;
    const LevelRange range = DecayRange(p);
    const bool recording = canvas.Target() == CanvasTarget::Metafile;

    canvas.SetRasterOp(RasterOp::Copy);
    canvas.SelectBrush(Brush{kWhite, false});
    canvas.Rectangle(l.left - 1, l.top - 1, l.right + 2, l.bottom + 1);

    const int visible = l.pointCount;
    DecayAxisInput axis;
    axis.scale = s;
    axis.timing = p.timing;
    axis.pointsPerColumn = head.geometry.pointsPerColumn;
    axis.left = l.left;
    axis.bottom = l.bottom;
    axis.width = l.right - l.left;
    axis.visibleCount = visible;
    axis.firstShown = p.firstShown;
    axis.tickLength = l.xTick;
    axis.placement = evaluating ? 1 : 0;
    axis.clockLabels = settings.TimeAxisFormat;
    axis.records = p.records;
    DrawDecayTimeAxis(canvas, axis);
    DrawRangeLevelAxis(canvas, l, s, range, p.inputKind, p.quantity, settings.NonMetricUnits);
    canvas.SelectFont(l.previousFont);
    if (!p.hasData || p.main == nullptr) {
        canvas.SelectPen(oldPen);
        canvas.SelectBrush(oldBrush);
        return;
    }

    const int first = p.firstShown;
    const int m0 = p.markerColumns[0];
    const int m1 = p.markerColumns[1];
    const bool block = !evaluating && p.markerCount == 2;
    if (block && m0 < first + visible && m1 > first) {
        const int x0 = std::max(m0 - first, 0) * l.pixelsPerPoint + l.left;
        const int x1 = (m1 < first + visible ? m1 - first : visible - 1) * l.pixelsPerPoint + l.left;
        canvas.FillRect(x0, l.top + 1, x1, l.bottom - 1, kBlockBandColour);
    }

    const SeriesRows rows{range.bottom, range.Span(), p.quantity == 0, l.top, l.bottom, l.plotHeight};
    const Pen seriesPen = SolidPen(kBlack, s);
    struct BlockSeries {
        bool on;
        const PlotSeries* values;
        double constant;
        Rgb colour;
        int width;
        bool running;
        int y = 0;
    };
    std::array<BlockSeries, 4> blockSeries{{
        {p.showBlockLeq && p.blockLeq != nullptr, p.blockLeq, 0.0, kBlockLeqColour, s, true},
        {p.showBlockSel && p.blockSel != nullptr, p.blockSel, 0.0, kBlockSelColour, s, true},
        {p.showBlockMax, nullptr, p.blockMax, kBlockMaxColour, 1, false},
        {p.showBlockMin, nullptr, p.blockMin, kBlockMinColour, 1, false},
    }};
    const auto blockRow = [&](const BlockSeries& b, int point) {
        const double v = b.values == nullptr ? b.constant : At(b.values, point - m0);
        return b.running ? rows.Running(v) : rows.Main(v);
    };
    const auto markerLine = [&](int point, int x) {
        if (!evaluating && ((p.markerCount >= 1 && point == m0) || (block && point == m1))) {
            canvas.SelectPen(SolidPen(kMarkerLineColour));
            canvas.Line(x, l.top, x, l.bottom);
        }
    };
    const bool showTotal = p.showTotal && p.total != nullptr;
    const auto circle = [&](int x, int y) {
        const int r = l.circleRadius;
        canvas.SelectPen(seriesPen);
        canvas.SelectBrush(Brush{kWhite, false});
        canvas.Ellipse(x - r, y - r, x + r + 1, y + r + 1);
    };
    const PlotSeries& main = *p.main;
    if (visible > 0 && first >= 0 && static_cast<std::size_t>(first) < main.Size()) {
        int x = l.left;
        markerLine(first, x);
        if (block && m0 <= first && first < m1)
            for (auto& b : blockSeries)
                if (b.on) {
                    b.y = blockRow(b, first);
                    canvas.SelectPen(SolidPen(b.colour, b.width));
                    canvas.Line(x + 1, b.y, x, b.y);
                }
        int totalY = 0;
        if (showTotal) {
            totalY = rows.Running(At(p.total, first));
            canvas.SelectPen(SolidPen(kTotalColour, s));
            canvas.Line(x + 1, totalY, x, totalY);
        }
        int y = rows.Main(main[static_cast<std::size_t>(first)]);
        const int end = std::min(p.totalPoints, static_cast<int>(main.Size()));
        int drawn = 1;
        for (int q = first + 1; q < end && drawn < visible; ++q, ++drawn) {
            const int prevX = x;
            x += l.pixelsPerPoint;
            if (x == l.right - 1)
                x = l.right;
            if (block && q >= m0 && q <= m1)
                for (auto& b : blockSeries) {
                    if (!b.on)
                        continue;
                    const int ny = blockRow(b, q);
                    canvas.SelectPen(SolidPen(b.colour, b.width));
                    if (q == m0)
                        canvas.Line(x + 1, ny, x, ny);
                    else
                        canvas.Line(prevX, b.y, x, ny);
                    b.y = ny;
                }
            if (showTotal) {
                const int ny = rows.Running(At(p.total, q));
                canvas.SelectPen(SolidPen(kTotalColour, s));
                canvas.Line(prevX, totalY, x, ny);
                if (!recording)
                    canvas.Line(prevX, totalY + 1, x, ny + 1);
                totalY = ny;
            }
            const int ny = rows.Main(main[static_cast<std::size_t>(q)]);
            canvas.SelectPen(seriesPen);
            canvas.Line(prevX, y, x, ny);
            if (!recording) {
                canvas.SetPixel(x, ny, kBlack);
                if (!l.printing) {
                    canvas.Line(prevX, y + 1, x, ny + 1);
                    canvas.SetPixel(x, ny + 1, kBlack);
                }
            }
            if (l.circleRadius > 0)
                circle(prevX, y);
            y = ny;
            markerLine(q, x);
        }
        if (l.circleRadius > 0)
            circle(x, y);
    }
    canvas.SelectPen(oldPen);
    canvas.SelectBrush(oldBrush);

    if (evaluating && p.eval != nullptr && (p.rtEvaluating != 2 || p.rtDisplayOption)) {
        for (int n = 1; n <= 5 && n < p.rtEvaluating; ++n) {
            // A point far outside the window (a damaged state) only needs to stay outside it.
            const long long position = static_cast<long long>(p.eval->points[static_cast<std::size_t>(n - 1)]) - first;
            DrawDecayLevels(canvas, l, s, range, p, n, static_cast<int>(std::clamp<long long>(position, -1, visible)));
        }
    }
}

} // namespace orlu
