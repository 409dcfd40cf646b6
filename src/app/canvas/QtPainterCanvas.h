#pragma once
// The canvas drawn with QPainter: over a QImage for the screen, bitmaps and
// the clipboard, over a printer (or PDF) for printing. Drawing is aliased,
// as the classic calls draw: a line leaves out its end point, a rectangle
// covers [x1,x2) x [y1,y2) and touches each pixel once (so XOR of a
// rectangle is undone by drawing it again), text paints its cell in the
// background colour in opaque mode. XOR is a real bitwise XOR of the pixels
// on images; printers cannot read back their pixels, so there XOR draws as copy.

#include "app/canvas/QtFontMeasure.h"
#include "platform/canvas/Canvas.h"

#include <QPainter>

class QImage;
class QPagedPaintDevice;

namespace orlu {

/// A canvas over a QImage or a printer.
class QtPainterCanvas : public Canvas {
public:
    /// Paints into the image (screen target).
    explicit QtPainterCanvas(QImage& image);
    /// Paints on the printer's current page (printer target).
    explicit QtPainterCanvas(QPagedPaintDevice& printer);

    CanvasTarget Target() const override { return m_Target; }
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void FillRect(int x1, int y1, int x2, int y2, Rgb colour) override;
    void SetPixel(int x, int y, Rgb colour) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void TextOut(int x, int y, std::string_view text) override;
    FontMetrics Metrics() const override;
    TextSize TextExtent(std::string_view text) const override;

    /// The measures of this canvas's device, for a metafile recorded for it.
    const FontMeasure& Measure() const { return m_Measure; }
    /// The painter, for page breaks and the end of painting.
    QPainter& Painter() { return m_Painter; }

protected:
    void DrawLine(int x1, int y1, int x2, int y2) override;

private:
    QtPainterCanvas(QPaintDevice& device, CanvasTarget target);
    // Sets the composition for a shape in the current raster operation.
    void UseRasterOp();
    void UseCopy();
    void DrawThinLine(int x1, int y1, int x2, int y2);
    void FillBox(int left, int top, int right, int bottom, Rgb colour);

    CanvasTarget m_Target;
    QPainter m_Painter;
    QtFontMeasure m_Measure;
};

} // namespace orlu
