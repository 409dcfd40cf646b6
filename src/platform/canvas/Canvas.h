#pragma once
// The drawing surface every graph is painted on: screen bitmaps, printers,
// metafiles and the recording canvas of the tests. It keeps the semantics of
// the classic Windows drawing calls the plot layout is written for:
// - a line does not draw its end point;
// - a rectangle with a 1-pixel pen covers [x1,x2) x [y1,y2), corners in any order;
// - text is placed by its top-left corner and, in opaque mode (the default),
//   paints its cell in the background colour;
// - the XOR raster operation affects lines, rectangles and ellipses, never text,
//   pixels or FillRect.
// State is held as values: selecting a pen, brush, font, colour or mode
// returns the value it replaced, so a routine restores what it changed.

#include <cstdint>
#include <string>
#include <string_view>

namespace orlu {

/// A 24-bit colour.
struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(Rgb, Rgb) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

/// The colour as "#RRGGBB".
std::string FormatRgb(Rgb colour);

enum class PenStyle { Solid, Dot, Null };

/// A pen; width in device pixels (0 draws as 1).
struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 1;
    Rgb colour = kBlack;
    friend bool operator==(const Pen&, const Pen&) = default;
};

/// A solid brush, or a hollow one that fills nothing.
struct Brush {
    Rgb colour = kWhite;
    bool hollow = false;
    friend bool operator==(const Brush&, const Brush&) = default;
};

/// The face the program names for its fixed-pitch text; an empty face is the default proportional face.
inline constexpr std::string_view kFixedFace = "Courier New";

/// A font: face, cell height in device pixels, weight (400 normal, 700 bold).
struct Font {
    std::string face;
    int height = 14;
    int weight = 400;
    friend bool operator==(const Font&, const Font&) = default;
};

enum class RasterOp { Copy, Xor };
enum class BackgroundMode { Opaque, Transparent };
enum class CanvasTarget { Screen, Printer, Metafile };

/// Everything a routine may select and must restore.
struct CanvasState {
    Pen pen;
    Brush brush;
    Font font;
    Rgb textColour = kBlack;
    Rgb backgroundColour = kWhite;
    BackgroundMode backgroundMode = BackgroundMode::Opaque;
    RasterOp rasterOp = RasterOp::Copy;
    friend bool operator==(const CanvasState&, const CanvasState&) = default;
};

struct FontMetrics {
    int height = 0;          ///< cell height: ascent + descent
    int ascent = 0;          ///< from the top of the cell to the baseline
    int externalLeading = 0; ///< extra space the font asks for between lines
    int aveCharWidth = 0;
};

struct TextSize {
    int width = 0;
    int height = 0;
};

/// Measures text in a font; shared by a canvas and a metafile that records for it.
class FontMeasure {
public:
    virtual ~FontMeasure() = default;
    virtual FontMetrics Metrics(const Font& font) const = 0;
    virtual TextSize Extent(const Font& font, std::string_view text) const = 0;
};

/// The drawing interface with the semantics described at the top of this file.
class Canvas {
public:
    virtual ~Canvas() = default;

    /// Screen (bitmap), printer or metafile: some plot details depend on it.
    virtual CanvasTarget Target() const = 0;

    const CanvasState& State() const { return m_State; }
    /// Restores a whole state taken with State().
    void SetState(const CanvasState& state) { m_State = state; }

    Pen SelectPen(const Pen& pen) { return Exchange(m_State.pen, pen); }
    Brush SelectBrush(const Brush& brush) { return Exchange(m_State.brush, brush); }
    Font SelectFont(const Font& font) { return Exchange(m_State.font, font); }
    Rgb SetTextColour(Rgb colour) { return Exchange(m_State.textColour, colour); }
    Rgb SetBackgroundColour(Rgb colour) { return Exchange(m_State.backgroundColour, colour); }
    BackgroundMode SetBackgroundMode(BackgroundMode mode) { return Exchange(m_State.backgroundMode, mode); }
    RasterOp SetRasterOp(RasterOp op) { return Exchange(m_State.rasterOp, op); }

    /// Moves the current position without drawing.
    void MoveTo(int x, int y)
    {
        m_X = x;
        m_Y = y;
    }
    /// Draws from the current position to (x, y), without the end point, and moves there.
    void LineTo(int x, int y)
    {
        DrawLine(m_X, m_Y, x, y);
        MoveTo(x, y);
    }
    /// MoveTo + LineTo.
    void Line(int x1, int y1, int x2, int y2)
    {
        MoveTo(x1, y1);
        LineTo(x2, y2);
    }

    /// Outline with the pen, interior with the brush. With a null pen only the
    /// interior [x1,x2-1) x [y1,y2-1) is filled.
    virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
    /// Fills [x1,x2) x [y1,y2) with a colour: no outline, no raster operation, brush unchanged.
    virtual void FillRect(int x1, int y1, int x2, int y2, Rgb colour) = 0;
    /// Sets one pixel; ignores the raster operation.
    virtual void SetPixel(int x, int y, Rgb colour) = 0;
    /// The ellipse inscribed in [x1,x2) x [y1,y2): outline with the pen, interior with the brush.
    virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
    /// Windows-1252 text with its cell's top-left corner at (x, y).
    virtual void TextOut(int x, int y, std::string_view text) = 0;

    /// Metrics of the selected font.
    virtual FontMetrics Metrics() const = 0;
    /// Width and height of the text in the selected font.
    virtual TextSize TextExtent(std::string_view text) const = 0;

protected:
    /// Draws a line from (x1, y1) to (x2, y2) without its end point.
    virtual void DrawLine(int x1, int y1, int x2, int y2) = 0;

private:
    template <typename T> static T Exchange(T& slot, const T& value)
    {
        T old = slot;
        slot = value;
        return old;
    }

    CanvasState m_State;
    int m_X = 0;
    int m_Y = 0;
};

/// A rectangle given by two corners in any order, as [left,right) x [top,bottom).
struct CanvasRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const CanvasRect&, const CanvasRect&) = default;
};

/// The corners ordered so that left <= right and top <= bottom.
CanvasRect NormalizedRect(int x1, int y1, int x2, int y2);

} // namespace orlu
