#include "graph/WaterfallGraph.h"

#include "graph/WaterfallFrame.h"
#include "graph/WaterfallHorizons.h"
#include "platform/canvas/Canvas.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <new>
#include <optional>

namespace orlu {
namespace {

int Trunc(double v)
{
    return static_cast<int>(std::trunc(v));
}

// The grid's values as levels in pixels above a row's base: clipped to the
// top, the bottom subtracted, below it 0. Cells the data does not hold
// (and values that are not numbers) lie at the base.
class PictureLevels {
public:
    PictureLevels(const MultiElementGrid& grid, int rows, int drawnColumns, const LevelRange& range, int height)
        : m_Columns(drawnColumns),
          m_Levels(static_cast<std::size_t>(rows) * static_cast<std::size_t>(drawnColumns), 0.0)
    {
        const double span = range.Span();
        if (!(span > 0.0) || !std::isfinite(span))
            return;
        const auto stride = static_cast<std::size_t>(std::max(0, grid.Columns));
        for (int k = 0; k < rows; ++k)
            for (int c = 0; c < drawnColumns; ++c) {
                const std::size_t at = static_cast<std::size_t>(k) * stride + static_cast<std::size_t>(c);
                if (at >= grid.Values.size())
                    continue;
                const double v = std::min<double>(grid.Values[at], range.top) - range.bottom;
                if (v > 0.0)
                    m_Levels[Index(k, c)] = v * height / span;
            }
    }

    /// Row k's level of column c; 0 right of the last column drawn.
    double operator()(int k, int c) const { return c < m_Columns ? m_Levels[Index(k, c)] : 0.0; }

private:
    std::size_t Index(int k, int c) const
    {
        return static_cast<std::size_t>(k) * static_cast<std::size_t>(m_Columns) + static_cast<std::size_t>(c);
    }
    int m_Columns;
    std::vector<double> m_Levels;
};

// The settings of a picture's drawing, shared by both kinds.
struct PictureRun {
    int rows = 0;
    int columns = 0;
    bool frequencyLines = true;
    bool timeLines = true;
};

int Cells(int requested)
{
    return std::clamp(requested, 2, kMultiElementMaxCells);
}

// The common start and end of both pictures: pen, font, title, axes, the
// horizons, the rows (drawRows) and the box.
template <typename DrawRows>
bool DrawPicture(Canvas& canvas, int scale, int x, int y, const MultiElementOptions& o, std::string_view title,
                 bool fft, DrawRows drawRows)
{
    if (o.grid == nullptr)
        return false;
    const MultiElementGrid& grid = *o.grid;
    const int rows = Cells(grid.Rows);
    const int columns = Cells(grid.Columns);
    const int hidden = fft || o.totalsShown ? 0 : std::min(HiddenTotalsOf(o.plotKind), columns - 1);
    const WaterfallGeometry g = WaterfallGeometryOf(fft, scale, x, y, rows, columns, hidden);
    std::optional<HorizonSurface> horizons;
    try {
        horizons.emplace(canvas, g.x0, g.y0, g.height, 720 * scale, fft, g.depth + g.height);
    } catch (const std::bad_alloc&) {
        return false;
    }
    // The wide black pen goes to every target, the metafile included.
    const Pen previousPen = canvas.SelectPen(Pen{PenStyle::Solid, scale, kBlack});
    const Font previousFont = canvas.SelectFont(Font{std::string(kFixedFace), 14 * scale, 400});
    if (!title.empty()) {
        const FontMetrics m = canvas.Metrics();
        canvas.TextOut(x + 8 * m.aveCharWidth, y + 2 * (m.height + m.externalLeading), title);
    }
    DrawWaterfallAxes(canvas, scale, fft ? WaterfallAxisKind::Linear : WaterfallAxisKind::Bands, g, o);

    const PictureLevels levels(grid, rows, g.columns, o.levels, g.height);
    const PictureRun run{rows, g.columns, grid.FrequencyLines != 0, grid.TimeLines != 0};
    drawRows(*horizons, g, levels, run);

    const int mode = !run.frequencyLines && !run.timeLines ? 3 : (grid.BoxMode != 0 ? 1 : 0);
    DrawWaterfallGrid(canvas, mode, g, *horizons);
    canvas.SelectFont(previousFont);
    canvas.SelectPen(previousPen);
    return true;
}

// Row k's height of column c (the row offset included).
int RowHeight(const PictureLevels& levels, const WaterfallGeometry& g, int k, int c)
{
    return RoundedHeight(levels(k, c)) + g.rowOffsets[static_cast<std::size_t>(k)];
}

void DrawOctaveRows(HorizonSurface& s, const WaterfallGeometry& g, const PictureLevels& level, const PictureRun& run)
{
    const int n = run.columns;
    const bool both = run.frequencyLines && run.timeLines;
    const auto edge = [&](int c) { return Trunc(c * g.dx); };
    for (int k = 0; k < run.rows; ++k) {
        const int r = g.rowOffsets[static_cast<std::size_t>(k)];
        const bool outer = k == 0 || k == run.rows - 1;
        if (run.frequencyLines && !run.timeLines) // the left edge of the profile
            DrawHorizonRiser(s, edge(0) + r, r, RowHeight(level, g, k, 0));
        if (run.frequencyLines || outer)
            for (int c = 0; c < n; ++c) {
                if (!both)
                    DrawHorizonRiser(s, edge(c + 1) + r, RowHeight(level, g, k, c), RowHeight(level, g, k, c + 1));
                DrawHorizonPlateau(s, level(k, c), r, edge(c), edge(c + 1));
            }
        if (run.timeLines && k == 0) {
            // The front faces of the first row's bars.
            const auto bar = [&](int c) { return c < 0 || c >= n ? 0 : Trunc(level(0, c)); };
            for (int b = 0; b <= n; ++b) {
                const int top = std::max(bar(b - 1), bar(b));
                if (top > 0)
                    s.Stroke(edge(b), 0, edge(b), top);
            }
            for (int c = 0; c < n; ++c)
                for (int i = edge(c); i <= edge(c + 1); ++i)
                    s.RaiseUpper(i, bar(c));
        }
        if ((run.timeLines || !run.frequencyLines) && k < run.rows - 1) {
            const int next = g.rowOffsets[static_cast<std::size_t>(k + 1)];
            for (int c = n - 1; c >= 0; --c) {
                // Edges counted back from W', so the last column ends on it exactly.
                const int j = n - 1 - c;
                const int right = Trunc(g.width - j * g.dx);
                const int left = Trunc(g.width - (j + 1) * g.dx);
                if (both)
                    DrawHorizonRiser(s, right + next, RowHeight(level, g, k + 1, c), RowHeight(level, g, k + 1, c + 1));
                if (run.timeLines || c == n - 1)
                    DrawHorizonSlope(s, level(k, c), level(k + 1, c), right, r, run.frequencyLines ? next : next - 1);
                if (run.timeLines || c == 0)
                    DrawHorizonSlope(s, level(k, c), level(k + 1, c), left, r, next);
            }
        }
    }
}

void DrawSpectrumRows(HorizonSurface& s, const WaterfallGeometry& g, const PictureLevels& level, const PictureRun& run)
{
    const int n = run.columns;
    const auto edge = [&](int c) { return Trunc(c * g.dx); };
    for (int k = 0; k < run.rows; ++k) {
        const int r = g.rowOffsets[static_cast<std::size_t>(k)];
        if (run.frequencyLines || k == 0 || k == run.rows - 1)
            for (int c = 0; c + 1 < n; ++c)
                DrawWaterfallCurve(s, level(k, c), level(k, c + 1), r, edge(c), edge(c + 1));
        if ((run.timeLines || !run.frequencyLines) && k < run.rows - 1) {
            const int next = g.rowOffsets[static_cast<std::size_t>(k + 1)];
            for (int c = n - 1; c >= 0; --c)
                if (run.timeLines || c == 0 || c == n - 1)
                    DrawHorizonSlope(s, level(k, c), level(k + 1, c), Trunc(g.width - (n - 1 - c) * g.dx), r, next);
        }
    }
}

} // namespace

int HiddenTotalsOf(int plotKind)
{
    struct Row {
        std::initializer_list<int> kinds;
        int hidden;
    };
    static const Row kRows[] = {
        {{11, 12, 14, 15, 29, 30, 42, 43, 47, 49}, 1},
        {{16, 17, 21, 22, 23, 24, 25, 26, 27}, 3},
        {{19, 20, 40, 41}, 6},
    };
    for (const Row& r : kRows)
        if (std::find(r.kinds.begin(), r.kinds.end(), plotKind) != r.kinds.end())
            return r.hidden;
    return 0;
}

WaterfallGeometry WaterfallGeometryOf(bool fft, int scale, int x, int y, int rows, int columns, int hiddenTotals)
{
    WaterfallGeometry g;
    rows = Cells(rows);
    columns = Cells(columns);
    g.x0 = x + 80 * scale;
    g.y0 = y + 270 * scale;
    g.height = 100 * scale;
    const double width = (fft ? 340 : 336) * scale;
    const double depth = 120.0 * scale;
    g.dx = fft ? width / (columns - 1) : width / columns;
    g.columns = fft ? columns : std::max(1, columns - hiddenTotals);
    g.width = fft ? Trunc(width) : Trunc(g.dx * g.columns);
    const int step = Trunc(depth / (rows - 1) + 0.5);
    g.rowOffsets.resize(static_cast<std::size_t>(rows));
    for (int k = 1; k < rows; ++k)
        g.rowOffsets[static_cast<std::size_t>(k)] = g.rowOffsets[static_cast<std::size_t>(k - 1)] + step;
    g.depth = g.rowOffsets.back();
    return g;
}

bool DrawWaterfallOctave(Canvas& canvas, int scale, int x, int y, const MultiElementOptions& options,
                         std::string_view title)
{
    return DrawPicture(canvas, scale, x, y, options, title, false, DrawOctaveRows);
}

bool DrawWaterfallSpectrum(Canvas& canvas, int scale, int x, int y, const MultiElementOptions& options,
                           std::string_view title)
{
    return DrawPicture(canvas, scale, x, y, options, title, true, DrawSpectrumRows);
}

} // namespace orlu
