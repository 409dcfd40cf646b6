#pragma once
// The floating horizons of a multi element picture and the four segment
// drawers that clip against them. The picture is drawn from the front row to
// the back; per pixel column the horizons hold the lowest and the highest
// height drawn so far, so a later row shows only where it rises above (or,
// in FFT pictures, falls below) everything in front of it. Each test is one
// comparison per pixel column.
//
// Heights are pixels above the picture's base line, row offset included;
// columns are horizon columns (a point of row k at pixel column c lies in
// horizon column c + r(k)), drawn at (x0 + column, y0 - height).

#include <cstdint>
#include <vector>

namespace orlu {

class Canvas;

/// A level in pixels above a row's base taken to the nearest height (0 for
/// a level that is not a number or below 0).
int RoundedHeight(double level);

class HorizonSurface {
public:
    /// `columns` horizon columns; octave pictures start both horizons at 0,
    /// FFT pictures the lower at `fftLowerStart` (above every height) and the upper at 0.
    /// Throws std::bad_alloc when the horizons cannot be allocated.
    HorizonSurface(Canvas& canvas, int x0, int y0, int height, int columns, bool fft, int fftLowerStart);

    /// The point is hidden: below its row's base, above its row's top, or
    /// strictly between the horizons of a column drawn before.
    bool Hidden(int column, int h, int rowOffset) const;
    /// The surface covers the height in that column (box dots are left out there).
    bool Covered(int column, int h) const;
    /// After a point: the upper horizon takes the larger, the lower the smaller height.
    void Update(int column, int h);
    void RaiseUpper(int column, int h);

    bool InRange(int column) const { return column >= 0 && column < static_cast<int>(m_Upper.size()); }
    std::int32_t Lower(int column) const { return m_Lower[static_cast<std::size_t>(column)]; }
    std::int32_t Upper(int column) const { return m_Upper[static_cast<std::size_t>(column)]; }

    /// A line between two points, its end pixel set as well on the screen and the printer.
    void Stroke(int column1, int h1, int column2, int h2);

private:
    int X(int column) const { return m_X0 + column; }
    int Y(int h) const { return m_Y0 - h; }

    Canvas& m_Canvas;
    int m_X0;
    int m_Y0;
    int m_Height;
    bool m_CompleteEnds;
    std::vector<std::int32_t> m_Lower;
    std::vector<std::int32_t> m_Upper;
};

/// A vertical line in one column between two heights; over a column drawn
/// before, both ends are raised to at least its upper horizon.
void DrawHorizonRiser(HorizonSurface& s, int column, int h1, int h2);
/// A horizontal line at level `level` (pixels above the row's base) of the row
/// at `rowOffset`, over the columns first .. end - 1 (before the offset); runs
/// of at least two visible columns are drawn, a single visible column is not.
void DrawHorizonPlateau(HorizonSurface& s, double level, int rowOffset, int first, int end);
/// The join of column `column` between two rows: from level a at offset
/// `startOffset` to level b at `endOffset`, one pixel right and one up per step.
void DrawHorizonSlope(HorizonSurface& s, double a, double b, int column, int startOffset, int endOffset);
/// The line between two neighbouring FFT points of the row at `rowOffset`,
/// over pixel columns first .. last.
void DrawWaterfallCurve(HorizonSurface& s, double a, double b, int rowOffset, int first, int last);

} // namespace orlu
