#include "graph/WaterfallFrame.h"

#include "document/texts/NumberTexts.h"
#include "graph/LevelAxis.h"
#include "graph/WaterfallHorizons.h"
#include "platform/ValueFormat.h"
#include "platform/canvas/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <initializer_list>

namespace orlu {
namespace {

int Trunc(double v)
{
    return static_cast<int>(std::trunc(v));
}

// A dot of the box and the axis edges: one pixel on the screen, a one-pixel
// line on the printer and in metafiles.
void Dot(Canvas& canvas, int x, int y)
{
    if (canvas.Target() == CanvasTarget::Screen)
        canvas.SetPixel(x, y, kBlack);
    else
        canvas.Line(x, y, x + 1, y);
}

// Dots every `every` pixels along a line of `steps` pixels from (x, y), moving
// dxStep and dyStep per pixel; `show(j)` says whether the dot at pixel j is drawn.
template <typename Show>
void DotLine(Canvas& canvas, int x, int y, int dxStep, int dyStep, int steps, int every, Show show)
{
    for (int j = 0; j <= steps; j += every)
        if (show(j))
            Dot(canvas, x + j * dxStep, y + j * dyStep);
}

void DotLine(Canvas& canvas, int x, int y, int dxStep, int dyStep, int steps, int every)
{
    DotLine(canvas, x, y, dxStep, dyStep, steps, every, [](int) { return true; });
}

int LineHeight(const FontMetrics& m)
{
    return m.height + m.externalLeading;
}

void LinearFrequencyAxis(Canvas& canvas, int scale, const WaterfallGeometry& g, const MultiElementGrid& grid)
{
    const int cw = canvas.Metrics().aveCharWidth;
    const double first = grid.FirstShownFrequency;
    const double last = grid.LastShownFrequency;
    for (int i = 0; i <= 4; ++i) {
        const int x = g.x0 + Trunc(i * g.width / 4.0);
        canvas.Line(x, g.y0 + 1, x, g.y0 + 5 * scale);
        if (i % 2 != 0)
            continue;
        const std::string text = StrPrintf("%.0f", first + i * (last - first) / 4.0);
        const int start = i == 0 ? x - scale : i == 4 ? x + scale - canvas.TextExtent(text).width : x - 16 * scale;
        canvas.TextOut(start, g.y0 + 8 * scale, text);
    }
    canvas.TextOut(g.x0 + g.width + cw, g.y0 + 8 * scale, "[Hz]");
}

void TimeAxis(Canvas& canvas, int scale, const WaterfallGeometry& g, const MultiElementGrid& grid)
{
    const int lineHeight = LineHeight(canvas.Metrics());
    int x = 0;
    int y = 0;
    for (int i = 0; i <= 4; ++i) {
        y = g.y0 - Trunc(i * g.depth / 4.0);
        x = g.x0 + g.width + (g.y0 - y) + 1;
        canvas.Line(x, y, x + 5 * scale, y);
        canvas.TextOut(x + 12 * scale, y - lineHeight / 2, StrPrintf("%.1f", WaterfallTickTime(grid, i)));
    }
    canvas.TextOut(x + 18 * scale, y - (3 * lineHeight) / 2, "[s]");
}

void LevelAxis(Canvas& canvas, int scale, const WaterfallGeometry& g, const MultiElementOptions& o)
{
    DotLine(canvas, g.x0, g.y0, 0, -1, g.height, 2);
    const bool linear = o.quantity != 0;
    const double bottom = linear ? 0.0 : o.levels.bottom;
    const ValueUnitText top = FormatValueUnit(o.inputKind, o.levels.top, o.quantity, o.nonMetric);
    double span = o.levels.top - bottom;
    // Linear axes end on the value their top prints.
    if (linear && !top.value.empty())
        span = std::atof(top.value.c_str());
    const FontMetrics m = canvas.Metrics();
    const int lineHeight = LineHeight(m);
    for (int i = 0; i <= 8; ++i) {
        const int y = g.y0 - Trunc(i * g.height / 8.0);
        canvas.Line(g.x0 - 1, y, g.x0 - 4 * scale, y);
        if (i % 2 == 0)
            canvas.TextOut(g.x0 - 5 * m.aveCharWidth - 6 * scale, y - lineHeight / 2,
                           FormatAxisValue(bottom + i * span / 8.0, top.formatIndex));
    }
    // The unit word: leading blanks skipped, cut at the next blank.
    std::string word = top.unit;
    word.erase(0, std::min(word.size(), word.find_first_not_of(' ')));
    word = word.substr(0, word.find(' '));
    const std::string text = "[" + word + "]";
    canvas.TextOut(g.x0 - 3 * scale - canvas.TextExtent(text).width, g.y0 - g.height - 2 * lineHeight, text);
}

} // namespace

std::optional<BandAxisRow> WaterfallBandAxisOf(int plotKind, bool totalsShown)
{
    using D = BandAxisDrawer;
    struct Row {
        std::initializer_list<int> kinds;
        D drawer;
        int count; // N with the totals shown
        int first;
        int step;
        bool named; // the 1/1 octave axis from 2 Hz: its total is drawn with the totals
        int totals;
        int offset;
    };
    // The X axes of the multi element picture by PlotKind. PlotKind 14 (nine
    // bands from 31.5 Hz) keeps its flat graph's axis: the 2 Hz axis would
    // mislabel its bands.
    static const Row kRows[] = {
        {{11, 42, 43}, D::Octave15, 15, 0, 3, true, 1, 0},   {{12}, D::ThirdOctave, 43, 1, 9, false, 1, 0},
        {{14}, D::Octave31, 10, 0, 2, false, 1, 0},          {{15}, D::ThirdOctave, 45, 3, 9, false, 1, 0},
        {{16}, D::ThirdOctave, 45, 1, 9, true, 3, 0},        {{17}, D::ThirdOctave, 47, 3, 9, true, 3, 0},
        {{19}, D::ThirdOctave, 48, 1, 9, true, 6, 0},        {{20}, D::ThirdOctave, 50, 3, 9, true, 6, 0},
        {{21}, D::Octave1Hz, 18, 1, 3, false, 3, 0},         {{22}, D::Octave1Hz, 17, 0, 3, false, 3, 0},
        {{23, 26, 51}, D::Octave31, 13, 0, -2, false, 3, 0}, {{24, 27}, D::ThirdOctave20k, 33, 2, 7, true, 3, 13},
        {{25}, D::ThirdOctave20k, 48, 3, 9, true, 3, -1},    {{29}, D::Octave1Hz, 16, 1, 3, false, 1, 0},
        {{30}, D::ThirdOctave20k, 46, 3, 9, false, 1, -1},   {{40}, D::ThirdOctave, 50, 3, 9, true, 6, 3},
        {{41}, D::ThirdOctave, 50, 3, 9, true, 6, 6},        {{44}, D::ThirdOctave, 45, 3, 9, false, 1, 3},
        {{45}, D::ThirdOctave, 45, 3, 9, false, 1, 6},       {{47, 49, 52}, D::ThirdOctave20k, 31, 2, 7, false, 1, 13},
        {{48}, D::Octave31Wide, 11, 0, 2, false, 1, 0},      {{50}, D::ThirdOctave20k, 34, 0, 9, true, 3, 10},
    };
    for (const Row& r : kRows)
        if (std::find(r.kinds.begin(), r.kinds.end(), plotKind) != r.kinds.end()) {
            BandAxisRow out;
            out.args.drawer = r.drawer;
            out.args.namedTotals = r.drawer == D::Octave15 ? totalsShown : r.named;
            out.args.totals = totalsShown ? r.totals : 0;
            out.args.labelOffset = r.offset;
            out.args.plotKind = plotKind;
            out.count = totalsShown ? r.count : r.count - r.totals;
            out.first = r.first;
            out.step = r.step;
            return out;
        }
    return std::nullopt;
}

double WaterfallTickTime(const MultiElementGrid& grid, int tick)
{
    const double first = grid.FirstRecord;
    const double last = grid.LastRecord;
    return (first - 1.0) * grid.TimeStep + tick * (last - first) * grid.TimeStep / 4.0;
}

void DrawWaterfallAxes(Canvas& canvas, int scale, WaterfallAxisKind kind, const WaterfallGeometry& g,
                       const MultiElementOptions& o)
{
    DotLine(canvas, g.x0, g.y0, 1, 0, g.width, 3);
    if (kind == WaterfallAxisKind::Linear) {
        LinearFrequencyAxis(canvas, scale, g, *o.grid);
    } else if (const std::optional<BandAxisRow> row = WaterfallBandAxisOf(o.plotKind, o.totalsShown)) {
        BandAxisArgs args = row->args;
        args.totalBars = o.totalBars;
        args.slotLayout = o.slotLayout;
        const BandAxisInput in{scale, g.x0, g.y0, g.width, row->count, row->first, row->step, 5 * scale, 0};
        DrawBandAxis(canvas, in, args);
    }
    DotLine(canvas, g.x0 + g.width, g.y0, 1, -1, g.depth, 2);
    TimeAxis(canvas, scale, g, *o.grid);
    LevelAxis(canvas, scale, g, o);
}

void DrawWaterfallGrid(Canvas& canvas, int mode, const WaterfallGeometry& g, const HorizonSurface& s)
{
    const bool all = mode == 3;
    const bool box = mode == 1 || all;
    const int d = g.depth;
    const int h = g.height;
    // Horizon column of a point of the back plane and of the left side.
    const auto freeAt = [&](int column, int height) { return all || !s.Covered(column, height); };
    if (box) {
        DotLine(canvas, g.x0 + d, g.y0 - d, 1, 0, g.width, 3, [&](int j) { return freeAt(d + j, d); });
        DotLine(canvas, g.x0, g.y0 - h, 1, 0, g.width, 3);
        DotLine(canvas, g.x0 + d, g.y0 - d - h, 1, 0, g.width, 3);
    }
    DotLine(canvas, g.x0, g.y0, 1, -1, d, 2, [&](int j) { return freeAt(j, j); });
    if (box) {
        DotLine(canvas, g.x0, g.y0 - h, 1, -1, d, 2);
        DotLine(canvas, g.x0 + g.width, g.y0 - h, 1, -1, d, 2);
        DotLine(canvas, g.x0 + g.width, g.y0, 0, -1, h, 2);
        DotLine(canvas, g.x0 + g.width + d, g.y0 - d, 0, -1, h, 2);
        DotLine(canvas, g.x0 + d - 1, g.y0 - d, 0, -1, h, 2, [&](int j) { return freeAt(d - 1, d + j); });
    }
}

} // namespace orlu
