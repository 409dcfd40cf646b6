#include "graph/TimeHistoryGraph.h"

#include "analysis/PlotSeries.h"
#include "analysis/statistics/NonMetricFactor.h"
#include "document/texts/NumberTexts.h"
#include "document/texts/TimeTexts.h"
#include "graph/GraphScales.h"
#include "graph/GraphSettings.h"
#include "graph/LevelAxis.h"
#include "graph/TimeHistoryPoints.h"
#include "platform/ValueFormat.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace orlu {
namespace {

constexpr std::array<double, 14> kTickBaseTable{0.0, 0.25, 1.0, 10.0, 0.1, 0.2, 0.5, 1.0, 2.0, 5.0, 10.0, 20.0, 20.0, 20.0};

Pen SolidPen(Rgb colour, int width = 1) { return Pen{PenStyle::Solid, width, colour}; }

// Value to pixel row, kept one pixel inside the plot.
struct RowMapper {
    double bottomValue;
    double range;
    bool levels;
    int top;
    int bottom;
    int height;
    int operator()(double v) const
    {
        const double offset = levels ? v - bottomValue : v;
        double dy = range != 0.0 ? offset / range * height : 0.0;
        if (std::isnan(dy))
            dy = 0.0;
        int y;
        if (dy > height)
            y = bottom - height;
        else if (dy < -1.0)
            y = bottom + 1; // far below: the clamp below takes it to the bottom row
        else
            y = bottom - static_cast<int>(dy);
        return std::clamp(y, top + 1, bottom - 1);
    }
};

void MarkerBar(Canvas& canvas, int x0, int x1, int y0, int y1, Rgb colour)
{
    canvas.SelectPen(SolidPen(colour));
    canvas.SelectBrush(Brush{colour, false});
    canvas.Rectangle(x0, y0, x1, y1);
}

void DrawMarkers(Canvas& canvas, const PanelLayout& l, const TimeHistoryPoints& pts, const TimeHistoryPanel& p,
                 const GraphSettings& settings, int scale)
{
    const auto& list = p.markers;
    const std::size_t n = list.size();
    const int first = pts.first;
    const int last = pts.last;
    const std::uint32_t rFirst = pts.Record(first);
    const std::uint32_t rLast = pts.Record(last);
    const auto xOf = [&](int point) { return (point - first) * l.pixelsPerPoint + l.left; };
    const std::size_t i = static_cast<std::size_t>(
        std::lower_bound(list.begin(), list.end(), rFirst, [](const LoggerMarker& m, std::uint32_t r) { return m.record < r; }) -
        list.begin());

    if (settings.MarkersMethod == 1) {
        const auto rows = [&](std::uint8_t bits, int x0, int x1) {
            for (int m = 0; m < 8; ++m)
                if (bits & (1u << m))
                    MarkerBar(canvas, x0, x1, l.top + scale + m * 6 * scale, l.top + scale + (m + 1) * 6 * scale,
                              kMarkerColourTable[static_cast<std::size_t>(m)]);
        };
        if (i == n) {
            rows(list[n - 1].marker, xOf(first), xOf(last));
            return;
        }
        std::size_t e = (i > 0 && list[i].record > rFirst) ? i - 1 : i;
        int j = first;
        for (; e < n; ++e) {
            const std::uint32_t start = list[e].record;
            if (start >= rLast)
                break;
            const std::uint32_t end = std::min(e + 1 < n ? list[e + 1].record : rLast, rLast);
            j = pts.FirstAtOrAfter(j, start);
            const int k = pts.FirstAtOrAfter(j, end);
            rows(list[e].marker, xOf(j), xOf(std::min(k, last)));
        }
        return;
    }

    const int row0 = p.breaks.empty() ? 0 : 1;
    const auto lineAt = [&](std::uint8_t bits, int x0) {
        int lowest = 0;
        while (lowest < 8 && (bits & (1u << lowest)) == 0)
            ++lowest;
        if (lowest == 8)
            return;
        MarkerBar(canvas, x0 - scale, x0 + scale, l.top + scale, l.bottom, kMarkerColourTable[static_cast<std::size_t>(lowest)]);
        int row = row0;
        for (int m = lowest; m < 8; ++m) {
            if ((bits & (1u << m)) == 0)
                continue;
            const Rgb old = canvas.SetBackgroundColour(kMarkerColourTable[static_cast<std::size_t>(m)]);
            canvas.TextOut(x0 + scale, l.top + scale + row * l.lineHeight, StrPrintf("%d", m + 1));
            canvas.SetBackgroundColour(old);
            ++row;
        }
    };
    if (i == n) {
        lineAt(list[n - 1].marker, l.left);
        return;
    }
    int j = first;
    for (std::size_t e = i; e < n && list[e].record <= rLast; ++e) {
        j = pts.FirstAtOrAfter(j, list[e].record);
        lineAt(list[e].marker, xOf(j));
    }
}

void DrawBreaks(Canvas& canvas, const PanelLayout& l, const TimeHistoryPoints& pts, const TimeHistoryPanel& p, int scale)
{
    const auto& list = p.breaks;
    const Rgb colour = kMarkerColourTable[8];
    std::size_t pos = 0;
    bool positioned = false;
    // Each point's record is read once: with merged points they lie far apart in the list.
    std::uint32_t next = pts.Record(pts.first);
    for (int q = pts.first; q < pts.last; ++q) {
        const std::uint32_t r = next;
        next = pts.Record(q + 1);
        if (next - r == static_cast<std::uint32_t>(pts.perColumn))
            continue;
        if (!positioned) {
            pos = static_cast<std::size_t>(std::lower_bound(list.begin(), list.end(), r,
                                                            [](const LoggerBreak& b, std::uint32_t v) { return b.record < v; }) -
                                           list.begin());
            positioned = true;
        }
        while (pos < list.size() && list[pos].record < r)
            ++pos;
        const bool isBreak = pos < list.size() && list[pos].record <= r + static_cast<std::uint32_t>(pts.perColumn);
        const int x = (q - pts.first) * l.pixelsPerPoint + l.left;
        MarkerBar(canvas, x - scale, x + scale, l.top + scale, l.bottom, colour);
        const Rgb old = canvas.SetBackgroundColour(colour);
        canvas.TextOut(x + scale, l.top + scale, isBreak ? "B" : "D");
        canvas.SetBackgroundColour(old);
    }
}

} // namespace

int TimeHistoryValueKind(const TimeHistoryPanel& p)
{
    if (p.quantity == 0)
        return 0;
    if (p.is505) {
        if (p.function == 8) {
            if (p.vdv)
                return 6;
            return (p.filter >= 0 && p.filter <= 0xFFFF ? FilterQuantity(static_cast<std::uint16_t>(p.filter)) : 0) - 2;
        }
        if (p.function > 8)
            return p.function - 7;
        return p.quantity;
    }
    if (p.inputKind == 5) {
        if (p.filter >= 8 && p.filter <= 10)
            return 3;
        if (p.filter >= 4 && p.filter <= 7)
            return 2;
        return p.filter == 15 ? 4 : 1;
    }
    return p.quantity;
}

double TimeHistoryReferenceExponent(const TimeHistoryPanel& p)
{
    if (p.is505)
        return p.function <= 8 ? 6.0 : p.function == 9 ? 9.0 : 12.0;
    if (p.inputKind == 5)
        return p.filter >= 8 && p.filter <= 10 ? 12.0 : p.filter >= 4 && p.filter <= 7 ? 9.0 : 6.0;
    return 6.0;
}

int DrawTimeHistoryGraph(const PanelHead& head, const TimeHistoryPanel& p, const GraphSettings& settings)
{
    Canvas& canvas = head.canvas;
    const int s = head.scale;
    const Pen oldPen = canvas.State().pen;
    const Brush oldBrush = canvas.State().brush;
    const PanelLayout l = LayoutGraph(PlotShape::Lines, head, settings, p.title.c_str(), nullptr);
    const bool recording = canvas.Target() == CanvasTarget::Metafile;
    const PlotSeries& main = *p.main;

    // Y range: over the whole series, not only the points shown.
    LevelScaleInput scaleIn;
    scaleIn.autoscale = p.autoscale;
    scaleIn.pitchSteps = p.pitchSteps;
    scaleIn.zoomSteps = p.zoomSteps;
    LevelRange range;
    if (!p.IsRpm()) {
        scaleIn.base = p.rangeTop - 100.0;
        scaleIn.span = 110.0;
        scaleIn.inputKind = p.inputKind;
        scaleIn.quantity = p.quantity;
        scaleIn.referenceExponent = TimeHistoryReferenceExponent(p);
        range = AutoScaleLevels(scaleIn, main);
    } else {
        scaleIn.base = 0.0;
        scaleIn.span = p.rangeTop;
        range = AutoScaleTimeLevels(scaleIn, main);
    }

    // Background.
    canvas.SelectPen(SolidPen(kBlack));
    canvas.SelectBrush(Brush{kWhite, false});
    if (l.printing || recording)
        canvas.Rectangle(l.left - 1, l.top - 1, l.right + 1, l.bottom + 1);
    else
        canvas.Rectangle(l.left - s, l.top, l.right + s, l.bottom + s);

    const TimeHistoryPoints pts(p.records, head.geometry.pointsPerColumn, p.firstShown, l.pointCount);
    const int m0 = p.markerColumns[0];
    const int m1 = p.markerColumns[1];
    const int visible = l.pointCount;
    if (p.markerCount == 2 && m0 < p.firstShown + visible && m1 > p.firstShown) {
        const int x0 = std::max(m0 - p.firstShown, 0) * l.pixelsPerPoint + l.left;
        const int x1 = (m1 < p.firstShown + visible ? m1 - p.firstShown : visible - 1) * l.pixelsPerPoint + l.left;
        canvas.SelectPen(SolidPen(kBlockBandColour));
        canvas.SelectBrush(Brush{kBlockBandColour, false});
        canvas.Rectangle(x0, l.top + 1, x1, l.bottom - 1);
    }
    if (visible > 0) {
        if (!p.markers.empty() && settings.MarkersShow)
            DrawMarkers(canvas, l, pts, p, settings, s);
        if (settings.BreaksShow && !p.breaks.empty())
            DrawBreaks(canvas, l, pts, p, s);
    }

    canvas.SelectPen(SolidPen(kBlack));
    TimeAxisInput axis;
    axis.scale = s;
    axis.timing = p.timing;
    axis.pointsPerColumn = pts.perColumn;
    axis.left = l.left;
    axis.bottom = l.bottom;
    axis.width = l.right - l.left;
    axis.visibleCount = visible;
    axis.firstShown = p.firstShown;
    axis.tickLength = l.xTick;
    axis.clockLabels = settings.TimeAxisFormat;
    axis.records = p.records;
    axis.useDate = settings.UseDate;
    DrawTimeHistoryTimeAxis(canvas, axis);
    if (!p.IsRpm()) {
        DrawRangeLevelAxis(canvas, l, s, range, p.inputKind, TimeHistoryValueKind(p), settings.NonMetricUnits);
    } else {
        ValueAxisInput value;
        value.left = l.left;
        value.bottom = l.bottom;
        value.height = l.plotHeight;
        value.tickLength = l.levelTick;
        value.topValue = range.Span();
        DrawTimeHistoryValueAxis(canvas, value);
    }
    canvas.SelectFont(l.previousFont);

    // Series.
    const RowMapper row{range.bottom, range.Span(), p.quantity == 0 || p.IsRpm(), l.top, l.bottom, l.plotHeight};
    const bool block = p.markerCount == 2;
    const Pen seriesPen = SolidPen(kBlack, s);
    const Pen markerPen = SolidPen(kMarkerLineColour);
    const auto markerLine = [&](int point, int x) {
        if ((p.markerCount >= 1 && point == m0) || (block && point == m1)) {
            canvas.SelectPen(markerPen);
            canvas.Line(x, l.top, x, l.bottom);
        }
    };
    struct BlockSeries {
        bool on;
        const PlotSeries* values;
        double constant;
        Rgb colour;
        int width;
        int y = 0;
    };
    std::array<BlockSeries, 4> blockSeries{{
        {p.showBlockLeq && p.blockLeq != nullptr, p.blockLeq, 0.0, kBlockLeqColour, s},
        {p.showBlockSel && p.blockSel != nullptr, p.blockSel, 0.0, kBlockSelColour, s},
        {p.showBlockMax, nullptr, p.blockMax, kBlockMaxColour, 1},
        {p.showBlockMin, nullptr, p.blockMin, kBlockMinColour, 1},
    }};
    const auto blockValue = [&](const BlockSeries& b, int point) {
        if (b.values == nullptr)
            return b.constant;
        const auto i = static_cast<std::size_t>(point - m0);
        return i < b.values->Size() ? (*b.values)[i] : b.constant;
    };
    const bool showTotal = p.showTotal && p.total != nullptr;
    const auto totalAt = [&](int point) {
        return static_cast<std::size_t>(point) < p.total->Size() ? (*p.total)[static_cast<std::size_t>(point)] : 0.0;
    };
    const auto mark = [&](const Pen& pen, int x, int y) {
        canvas.SelectPen(pen);
        canvas.Line(x + 1, y, x, y);
    };
    const auto segment = [&](const Pen& pen, int x0, int y0, int x1, int y1, bool doubled) {
        canvas.SelectPen(pen);
        canvas.Line(x0, y0, x1, y1);
        if (doubled && !recording)
            canvas.Line(x0, y0 + 1, x1, y1 + 1);
    };
    const auto circle = [&](int x, int y) {
        const int r = l.circleRadius;
        canvas.SelectPen(seriesPen);
        canvas.SelectBrush(Brush{kWhite, false});
        canvas.Ellipse(x - r, y - r, x + r + 1, y + r + 1);
    };

    const int first = p.firstShown;
    if (visible > 0 && first >= 0 && static_cast<std::size_t>(first) < main.Size()) {
        int x = l.left;
        markerLine(first, x);
        if (block && m0 <= first && first < m1)
            for (auto& b : blockSeries)
                if (b.on) {
                    b.y = row(blockValue(b, first));
                    mark(SolidPen(b.colour, b.width), x, b.y);
                }
        int totalY = 0;
        if (showTotal) {
            totalY = row(totalAt(first));
            mark(SolidPen(kTotalColour, s), x, totalY);
        }
        int y = row(main[static_cast<std::size_t>(first)]);
        const int end = std::min(p.totalPoints, static_cast<int>(main.Size()));
        int drawn = 1;
        for (int q = first + 1; q < end && drawn < visible; ++q, ++drawn) {
            const int prevX = x;
            x += l.pixelsPerPoint;
            if (x == l.right - 1)
                x = l.right;
            if (block) {
                if (q == m0) {
                    for (auto& b : blockSeries)
                        if (b.on) {
                            b.y = row(blockValue(b, q));
                            mark(SolidPen(b.colour, b.width), x, b.y);
                        }
                } else if (q > m0 && q <= m1) {
                    for (auto& b : blockSeries)
                        if (b.on) {
                            const int ny = row(blockValue(b, q));
                            segment(SolidPen(b.colour, b.width), prevX, b.y, x, ny, false);
                            b.y = ny;
                        }
                }
            }
            if (showTotal) {
                const int ny = row(totalAt(q));
                segment(SolidPen(kTotalColour, s), prevX, totalY, x, ny, true);
                totalY = ny;
            }
            const int ny = row(main[static_cast<std::size_t>(q)]);
            segment(seriesPen, prevX, y, x, ny, true);
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
    return p.firstShown;
}

void DrawTimeHistoryTimeAxis(Canvas& canvas, const TimeAxisInput& in)
{
    const FontMetrics m = canvas.Metrics();
    const int cw = m.aveCharWidth;
    const int minor = static_cast<int>(0.7 * in.tickLength);
    const int y0 = in.bottom + in.scale;
    const int perColumn = std::max(1, in.pointsPerColumn);
    const GraphTiming& t = in.timing;

    double unitStep = t.recordStep;
    if (t.timeUnit == 1)
        unitStep /= 60.0;
    else if (t.timeUnit == 2)
        unitStep /= 3600.0;
    const double tp = unitStep * perColumn;
    const double t0 = (in.firstShown + 1) * tp;
    const double t1 = (in.firstShown + in.visibleCount) * tp;
    const double span = t1 - t0;

    double tick = (t.timeStepCode >= 0 && t.timeStepCode < static_cast<int>(kTickBaseTable.size())
                       ? kTickBaseTable[static_cast<std::size_t>(t.timeStepCode)]
                       : tp) *
                  perColumn;
    // A single point (or no time step) has no span to divide: only the first tick is drawn.
    const bool oneTick = !(span > 0.0) || !(tick > 0.0) || !std::isfinite(span);
    if (!oneTick) {
        for (int i = 0; i < 64 && static_cast<long long>(span / tick) >= 13; ++i)
            tick *= 2.0;
        for (int i = 0; i < 64 && 2.0 * tp <= tick && static_cast<long long>(span / tick) < 8; ++i)
            tick -= tp;
        for (int i = 0; i < 64 && static_cast<long long>(span / tick) < 8; ++i)
            tick /= 2.0;
    }
    const double labelStep = 2.0 * tick;
    const int decimals = t.recordStep >= 1.0 ? 0 : std::min(CountSignificantDecimals(tp), CountSignificantDecimals(labelStep));
    const auto relative = [&](double v) { return StrPrintf("%.*f", decimals, v); };
    const auto stamp = [&](std::uint32_t index) {
        const std::uint32_t record = index < in.records.size() ? in.records[index] : index + 1;
        return FormatDateTime(t.startTime, t.startDate, record, t.recordStep, t.timeDecimals);
    };
    const auto shortDate = [](const std::string& date) { return date.size() > 2 ? date.substr(2) : date; };

    const auto firstMultiple = [&](double step) {
        if (!(step > 0.0))
            return t0;
        double v = std::trunc(t0 / step) * step;
        for (int i = 0; i < 4 && v < t0; ++i)
            v += step;
        return v;
    };
    const double firstTick = firstMultiple(tick);
    const double firstLabel = firstMultiple(labelStep);
    bool labelled = std::fabs(firstTick - firstLabel) < 0.001;

    const int labelWidth = in.clockLabels ? 10 * cw : (static_cast<int>(relative(t1).size()) + 2) * cw;
    const int dateWidth = 10 * cw;
    int nextLabel = in.left - labelWidth;
    int nextDate = in.left - dateWidth;
    const auto label = [&](int x, double value, std::uint32_t index, bool force) {
        std::string text;
        DateTimeText dt;
        if (in.clockLabels || in.useDate)
            dt = stamp(index);
        text = in.clockLabels ? dt.time : relative(value);
        const int lx = x - static_cast<int>(text.size()) * cw / 2;
        if (force || lx >= nextLabel) {
            canvas.TextOut(lx, y0 + in.tickLength, text);
            nextLabel = lx + labelWidth;
        }
        if (in.useDate) {
            const std::string date = shortDate(dt.date);
            const int dx = x - static_cast<int>(date.size()) * cw / 2;
            if (force || dx >= nextDate) {
                canvas.TextOut(dx, y0 + in.tickLength + m.height, date);
                nextDate = dx + dateWidth;
            }
        }
    };

    if (in.firstShown == 0) {
        canvas.Line(in.left - 1, y0, in.left - 1, y0 + in.tickLength);
        label(in.left - 1, t0, static_cast<std::uint32_t>(perColumn - 1), true);
    }
    const double recordsPerUnit = unitStep > 0.0 ? unitStep : 1.0;
    const int tickCount = oneTick ? 1 : 64; // spans hold 8 to 26 ticks; the bound only guards rounding
    for (int n = 0; n < tickCount; ++n) {
        const double value = firstTick + n * tick;
        if (!oneTick && value > t1 + 1e-9 * std::fabs(t1))
            break;
        const int x = in.left + (oneTick ? 0 : static_cast<int>(in.width * (value - t0) / span));
        canvas.Line(x, y0, x, y0 + (labelled ? in.tickLength : minor));
        if (labelled) {
            const auto r = static_cast<long long>(value / recordsPerUnit);
            label(x, value, static_cast<std::uint32_t>(std::max(0LL, r - 1)), false);
        }
        labelled = !labelled;
    }
    if (!in.clockLabels) {
        static constexpr std::array<const char*, 3> kUnitNames{"s", "m", "h"};
        const char* name = kUnitNames[std::min<std::size_t>(t.timeUnit, 2)];
        if (in.placement == 1)
            canvas.TextOut(in.left + in.width + 2 * cw + 2 * in.scale, y0 + in.tickLength, name);
        else
            canvas.TextOut(in.left + in.width + cw + 2 * in.scale, y0 + in.tickLength - m.height, name);
    }
}

void DrawTimeHistoryValueAxis(Canvas& canvas, const ValueAxisInput& in)
{
    const FontMetrics m = canvas.Metrics();
    const int lineHeight = m.height + m.externalLeading;
    const int cw = m.aveCharWidth;
    const double top = in.topValue;
    const double ti = std::isfinite(top) ? std::trunc(top) : 0.0;
    static constexpr std::array<std::pair<double, double>, 11> kSteps{{
        {8, 1}, {16, 2}, {40, 5}, {80, 10}, {160, 20}, {400, 50}, {800, 100}, {1600, 200}, {4000, 500}, {8000, 1000}, {16000, 2000}}};
    double step = 10000.0;
    for (const auto& [limit, value] : kSteps)
        if (ti <= limit) {
            step = value;
            break;
        }
    // Damaged values: no more ticks than an axis has pixel rows, as on the level axis.
    while (ti / step > kMaxLevelAxisTicks)
        step *= 10.0;
    int n = static_cast<int>(std::max(0.0, ti) / step);
    for (int i = 0; i < 4 && (n + 1) * step <= top; ++i)
        ++n;
    const int end = in.left - in.tickLength - 3 * in.gapUnit;
    std::string unit = in.unit;
    TrimTrailingBlanks(unit);
    const std::string unitText = StrPrintf("%5s", unit.c_str());
    canvas.TextOut(end - static_cast<int>(unitText.size()) * cw, in.bottom - in.height - (3 * lineHeight) / 2 + 1, unitText);
    if (n <= 0 || !(top > 0.0))
        return; // a range below one step: no ticks to place
    const double u = n * step;
    const double pixelsPerStep = u / top * in.height / n;
    const int every = n * lineHeight >= in.height ? 2 : 1;
    for (int k = in.firstTick; k <= n; k += every) {
        const int y = in.bottom - static_cast<int>(k * pixelsPerStep);
        canvas.Line(in.left - in.tickLength, y, in.left, y);
        const std::string text = FormatAxisValue(in.bottomValue + k * u / n, in.decimalsIndex);
        canvas.TextOut(end - static_cast<int>(text.size()) * cw, y - lineHeight / 2 - 2 * in.gapUnit, text);
    }
}

} // namespace orlu
