#include "graph/WaterfallHorizons.h"

#include "platform/canvas/Canvas.h"

#include <algorithm>
#include <cmath>

namespace orlu {
namespace {

// Height of step t of m between two levels.
double Between(double a, double b, int t, int m)
{
    return m <= 0 ? a : a + t * (b - a) / m;
}

} // namespace

// Levels reach the drawers clipped to the picture's height; a level that is
// not a number (or a damaged one) must still give a height an int holds.
int RoundedHeight(double level)
{
    if (!(level > 0.0))
        return 0;
    return static_cast<int>(std::trunc(std::min(level, 1e6) + 0.5));
}

HorizonSurface::HorizonSurface(Canvas& canvas, int x0, int y0, int height, int columns, bool fft, int fftLowerStart)
    : m_Canvas(canvas), m_X0(x0), m_Y0(y0), m_Height(height), m_CompleteEnds(canvas.Target() != CanvasTarget::Metafile),
      m_Lower(static_cast<std::size_t>(std::max(0, columns)), fft ? fftLowerStart : 0),
      m_Upper(static_cast<std::size_t>(std::max(0, columns)), 0)
{
}

bool HorizonSurface::Hidden(int column, int h, int rowOffset) const
{
    if (!InRange(column) || h < rowOffset || h > m_Height + rowOffset)
        return true;
    const std::int32_t lo = Lower(column);
    const std::int32_t hi = Upper(column);
    return lo < hi && lo < h && h < hi;
}

bool HorizonSurface::Covered(int column, int h) const
{
    return InRange(column) && Lower(column) <= h && h <= Upper(column);
}

void HorizonSurface::Update(int column, int h)
{
    if (!InRange(column))
        return;
    const auto i = static_cast<std::size_t>(column);
    m_Upper[i] = std::max(m_Upper[i], h);
    m_Lower[i] = std::min(m_Lower[i], h);
}

void HorizonSurface::RaiseUpper(int column, int h)
{
    if (InRange(column))
        m_Upper[static_cast<std::size_t>(column)] = std::max(m_Upper[static_cast<std::size_t>(column)], h);
}

void HorizonSurface::Stroke(int column1, int h1, int column2, int h2)
{
    m_Canvas.Line(X(column1), Y(h1), X(column2), Y(h2));
    if (m_CompleteEnds)
        m_Canvas.SetPixel(X(column2), Y(h2), kBlack);
}

void DrawHorizonRiser(HorizonSurface& s, int column, int h1, int h2)
{
    if (!s.InRange(column))
        return;
    int low = std::min(h1, h2);
    int high = std::max(h1, h2);
    if (s.Lower(column) < s.Upper(column)) {
        low = std::max(low, static_cast<int>(s.Upper(column)));
        high = std::max(high, static_cast<int>(s.Upper(column)));
    }
    if (low < high)
        s.Stroke(column, low, column, high);
    s.Update(column, high);
    s.Update(column, low);
}

void DrawHorizonPlateau(HorizonSurface& s, double level, int rowOffset, int first, int end)
{
    const int h = RoundedHeight(level) + rowOffset;
    // The current run of visible columns; nothing is stored per column, so a
    // band may be as wide as the picture at any print zoom.
    int runStart = 0;
    int runLength = 0;
    const auto flush = [&] {
        if (runLength >= 2)
            s.Stroke(runStart, h, runStart + runLength - 1, h);
        runLength = 0;
    };
    for (int c = first + rowOffset; c < end + rowOffset; ++c) {
        if (s.Hidden(c, h, rowOffset)) {
            flush();
        } else {
            if (runLength == 0)
                runStart = c;
            ++runLength;
        }
        s.Update(c, h);
    }
    flush();
}

void DrawHorizonSlope(HorizonSurface& s, double a, double b, int column, int startOffset, int endOffset)
{
    const int m = endOffset - startOffset;
    bool previousVisible = false;
    int previousHeight = 0;
    bool inRun = false;
    int runColumn = 0;
    int runStartHeight = 0;
    int lastColumn = 0;
    int lastHeight = 0;
    const auto flush = [&] {
        if (inRun) {
            s.Stroke(runColumn, runStartHeight, lastColumn, lastHeight);
            inRun = false;
        }
    };
    for (int t = 0; t <= std::max(0, m); ++t) {
        const int offset = startOffset + t;
        const int i = column + offset;
        const int h = RoundedHeight(Between(a, b, t, m)) + offset;
        const bool visible = !s.Hidden(i, h, offset);
        bool marked = false;
        int start = 0;
        if (visible && t > 0) {
            if (previousVisible) {
                start = previousHeight;
                marked = true;
            } else if (s.Lower(i) <= s.Upper(i)) {
                // The line comes out of the horizon it crosses.
                start = h >= s.Upper(i) ? s.Upper(i) : s.Lower(i);
                marked = true;
            }
        }
        if (marked) {
            if (!inRun) {
                inRun = true;
                runColumn = i;
                runStartHeight = start;
            }
            lastColumn = i;
            lastHeight = h;
        } else {
            flush();
        }
        previousVisible = visible;
        previousHeight = h;
        s.Update(i, h);
    }
    flush();
}

void DrawWaterfallCurve(HorizonSurface& s, double a, double b, int rowOffset, int first, int last)
{
    // The steps lie on one straight line, so the joins of a run of visible
    // steps are drawn as one line from its first step to its last.
    const int m = last - first;
    bool previousVisible = false;
    int runColumn = 0;
    int runHeight = 0;
    int previousColumn = 0;
    int previousHeight = 0;
    const auto flush = [&] {
        if (previousVisible && previousColumn > runColumn)
            s.Stroke(runColumn, runHeight, previousColumn, previousHeight);
    };
    for (int t = 0; t <= std::max(0, m); ++t) {
        const int i = first + rowOffset + t;
        const int h = RoundedHeight(Between(a, b, t, m)) + rowOffset;
        const bool visible = !s.Hidden(i, h, rowOffset);
        if (visible && !previousVisible) {
            runColumn = i;
            runHeight = h;
        } else if (!visible) {
            flush();
        }
        previousVisible = visible;
        previousColumn = i;
        previousHeight = h;
        s.Update(i, h);
    }
    flush();
}

} // namespace orlu
