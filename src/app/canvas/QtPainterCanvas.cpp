#include "app/canvas/QtPainterCanvas.h"

#include <QImage>
#include <QPagedPaintDevice>

#include <algorithm>
#include <cstdlib>

namespace orlu {
namespace {

QColor QtColour(Rgb c)
{
    return QColor(c.r, c.g, c.b);
}

} // namespace

QtPainterCanvas::QtPainterCanvas(QPaintDevice& device, CanvasTarget target)
    : m_Target(target), m_Painter(&device), m_Measure(&device)
{
    m_Painter.setRenderHint(QPainter::Antialiasing, false);
}

QtPainterCanvas::QtPainterCanvas(QImage& image) : QtPainterCanvas(static_cast<QPaintDevice&>(image), CanvasTarget::Screen)
{
}

QtPainterCanvas::QtPainterCanvas(QPagedPaintDevice& printer)
    : QtPainterCanvas(static_cast<QPaintDevice&>(printer), CanvasTarget::Printer)
{
}

void QtPainterCanvas::UseRasterOp()
{
    const bool xorPixels = State().rasterOp == RasterOp::Xor && m_Target != CanvasTarget::Printer;
    m_Painter.setCompositionMode(xorPixels ? QPainter::RasterOp_SourceXorDestination
                                           : QPainter::CompositionMode_SourceOver);
}

void QtPainterCanvas::UseCopy()
{
    m_Painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void QtPainterCanvas::FillBox(int left, int top, int right, int bottom, Rgb colour)
{
    if (right > left && bottom > top)
        m_Painter.fillRect(QRect(left, top, right - left, bottom - top), QtColour(colour));
}

void QtPainterCanvas::DrawLine(int x1, int y1, int x2, int y2)
{
    const Pen& pen = State().pen;
    if (pen.style == PenStyle::Null || (x1 == x2 && y1 == y2))
        return;
    UseRasterOp();
    if (pen.width <= 1 && m_Target != CanvasTarget::Printer) {
        DrawThinLine(x1, y1, x2, y2);
        return;
    }
    // Wide pens (printer scales) end flat at the end point.
    QPen qpen(QtColour(pen.colour), std::max(pen.width, 1));
    qpen.setCapStyle(Qt::FlatCap);
    if (pen.style == PenStyle::Dot)
        qpen.setStyle(Qt::DotLine);
    m_Painter.setPen(qpen);
    m_Painter.drawLine(x1, y1, x2, y2);
}

// Steps from the start towards the end point, which is left out whichever
// way the line runs (Qt's own aliased lines leave out the lower-right end).
// Runs of pixels along the major axis go out as one rectangle each; a dotted
// pen sets one pixel and leaves out the next.
void QtPainterCanvas::DrawThinLine(int x1, int y1, int x2, int y2)
{
    const QColor colour = QtColour(State().pen.colour);
    const bool dotted = State().pen.style == PenStyle::Dot;
    const int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
    const int sx = x2 > x1 ? 1 : -1, sy = y2 > y1 ? 1 : -1;
    const bool xMajor = dx >= dy;
    const int steps = xMajor ? dx : dy;
    const int minor = xMajor ? dy : dx;
    int x = x1, y = y1, error = steps / 2;
    int runX = x, runY = y, runLength = 0;
    const auto flush = [&] {
        if (runLength == 0)
            return;
        const int left = xMajor ? (sx > 0 ? runX : runX - runLength + 1) : runX;
        const int top = xMajor ? runY : (sy > 0 ? runY : runY - runLength + 1);
        m_Painter.fillRect(QRect(left, top, xMajor ? runLength : 1, xMajor ? 1 : runLength), colour);
        runLength = 0;
    };
    for (int i = 0; i < steps; ++i) {
        if (!dotted || i % 2 == 0) {
            if (runLength == 0)
                runX = x, runY = y;
            ++runLength;
        } else {
            flush();
        }
        error -= minor;
        if (error < 0) {
            error += steps;
            flush();
            (xMajor ? y : x) += xMajor ? sy : sx;
        }
        (xMajor ? x : y) += xMajor ? sx : sy;
    }
    flush();
}

void QtPainterCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    const CanvasRect r = NormalizedRect(x1, y1, x2, y2);
    const Pen& pen = State().pen;
    const Brush& brush = State().brush;
    UseRasterOp();
    if (pen.style == PenStyle::Null) {
        if (!brush.hollow)
            FillBox(r.left, r.top, r.right - 1, r.bottom - 1, brush.colour);
        return;
    }
    // The outline is a ring of the pen's width centred on the edge, the
    // interior what lies inside it; both are filled without overlap so that
    // every pixel is touched once, which keeps XOR reversible.
    const int width = std::max(pen.width, 1);
    const int half = width / 2;
    const QRect outer(QPoint(r.left - half, r.top - half), QPoint(r.right - 1 + (width - 1 - half), r.bottom - 1 + (width - 1 - half)));
    const QRect inner = outer.adjusted(width, width, -width, -width);
    if (!brush.hollow && inner.isValid())
        FillBox(inner.left(), inner.top(), inner.right() + 1, inner.bottom() + 1, brush.colour);
    const int outerRight = outer.right() + 1, outerBottom = outer.bottom() + 1;
    if (!inner.isValid()) {
        FillBox(outer.left(), outer.top(), outerRight, outerBottom, pen.colour);
        return;
    }
    FillBox(outer.left(), outer.top(), outerRight, inner.top(), pen.colour);                   // top
    FillBox(outer.left(), inner.bottom() + 1, outerRight, outerBottom, pen.colour);            // bottom
    FillBox(outer.left(), inner.top(), inner.left(), inner.bottom() + 1, pen.colour);          // left
    FillBox(inner.right() + 1, inner.top(), outerRight, inner.bottom() + 1, pen.colour);       // right
}

void QtPainterCanvas::FillRect(int x1, int y1, int x2, int y2, Rgb colour)
{
    const CanvasRect r = NormalizedRect(x1, y1, x2, y2);
    UseCopy();
    FillBox(r.left, r.top, r.right, r.bottom, colour);
}

void QtPainterCanvas::SetPixel(int x, int y, Rgb colour)
{
    UseCopy();
    FillBox(x, y, x + 1, y + 1, colour);
}

void QtPainterCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    const CanvasRect r = NormalizedRect(x1, y1, x2, y2);
    if (r.right - r.left < 1 || r.bottom - r.top < 1)
        return;
    const Pen& pen = State().pen;
    const Brush& brush = State().brush;
    UseRasterOp();
    const int width = pen.style == PenStyle::Null ? 0 : std::max(pen.width, 1);
    const QRect box(r.left, r.top, r.right - r.left - 1, r.bottom - r.top - 1);
    if (!brush.hollow) {
        // The interior stops inside the outline, so that XOR does not touch the outline twice.
        m_Painter.setPen(Qt::NoPen);
        m_Painter.setBrush(QtColour(brush.colour));
        m_Painter.drawEllipse(width ? box.adjusted(width, width, -width + 1, -width + 1) : box.adjusted(0, 0, 1, 1));
    }
    if (width) {
        QPen qpen(QtColour(pen.colour), width);
        if (pen.style == PenStyle::Dot)
            qpen.setStyle(Qt::DotLine);
        m_Painter.setPen(qpen);
        m_Painter.setBrush(Qt::NoBrush);
        m_Painter.drawEllipse(box);
    }
}

void QtPainterCanvas::TextOut(int x, int y, std::string_view text)
{
    UseCopy();
    const QFont font = m_Measure.QtFont(State().font);
    const QFontMetrics metrics(font, m_Painter.device());
    const QString string = QStringFromCp1252(text);
    if (State().backgroundMode == BackgroundMode::Opaque)
        FillBox(x, y, x + TextExtent(text).width, y + metrics.height(), State().backgroundColour);
    m_Painter.setFont(font);
    m_Painter.setPen(QtColour(State().textColour));
    const int baseline = y + metrics.ascent();
    if (const int advance = m_Measure.FixedAdvance(State().font))
        DrawTextInCells(m_Painter, QPoint(x, baseline), string, advance);
    else
        m_Painter.drawText(QPoint(x, baseline), string);
}

FontMetrics QtPainterCanvas::Metrics() const
{
    return m_Measure.Metrics(State().font);
}

TextSize QtPainterCanvas::TextExtent(std::string_view text) const
{
    return m_Measure.Extent(State().font, text);
}

} // namespace orlu
