#pragma once
// A canvas for tests: every drawing call becomes one text line with the
// state in effect for it, e.g.
//   line 10,20-30,20 pen=solid/1/#000000 rop=copy
//   rect 80,43-81,225 pen=solid/1/#000000 brush=#0000FF rop=copy
//   fill 0,0-1000,360 #FFFFFF
//   pixel 120,88 #000000
//   ellipse 5,5-12,12 pen=solid/5/#000000 brush=#FFFFFF rop=copy
//   text 80,270 "Pa\xB2s" font=Courier New/14/700 fg=#000000 bg=#FFFFFF
// Rectangles are written with their corners ordered; text stays Windows-1252
// bytes; "bg=transparent" stands for the transparent background mode.
// Metrics come from FixedFontMeasure unless another measure is given.

#include "platform/canvas/Canvas.h"
#include "platform/canvas/FixedFontMeasure.h"

#include <functional>
#include <string>
#include <vector>

namespace orlu {

/// Records drawing calls as text lines.
class RecordingCanvas : public Canvas {
public:
    explicit RecordingCanvas(CanvasTarget target = CanvasTarget::Screen, const FontMeasure* measure = nullptr);

    CanvasTarget Target() const override { return m_Target; }
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void FillRect(int x1, int y1, int x2, int y2, Rgb colour) override;
    void SetPixel(int x, int y, Rgb colour) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void TextOut(int x, int y, std::string_view text) override;
    FontMetrics Metrics() const override;
    TextSize TextExtent(std::string_view text) const override;

    /// The lines recorded so far.
    const std::vector<std::string>& Lines() const { return m_Lines; }
    void ClearLines() { m_Lines.clear(); }

protected:
    void DrawLine(int x1, int y1, int x2, int y2) override;

private:
    CanvasTarget m_Target;
    FixedFontMeasure m_FixedMeasure;
    const FontMeasure* m_Measure;
    std::vector<std::string> m_Lines;
};

/// "solid/1/#000000", "dot/2/#FF0000" or "null".
std::string FormatPen(const Pen& pen);
/// "#RRGGBB" or "hollow".
std::string FormatBrush(const Brush& brush);

/// The fields that differ between two states, one "name before -> after"
/// per field, separated by "; "; empty when the states are equal.
std::string DescribeStateChange(const CanvasState& before, const CanvasState& after);

/// Runs a routine on the canvas and tells what state it left changed
/// (empty when it restored everything it replaced).
std::string CheckStateBalance(Canvas& canvas, const std::function<void(Canvas&)>& routine);

} // namespace orlu
