#include "graph/ReverbResultsBox.h"

#include "analysis/spectra/FormatReverbTime.h"
#include "graph/ReverbEvaluation.h"
#include "platform/ValueFormat.h"
#include "platform/canvas/Canvas.h"

namespace orlu {

namespace {
constexpr Rgb kRtBoxGreen{0, 255, 0};
} // namespace

std::string ReverbResultLine(std::span<const std::uint8_t> record, int method, int currentMethod)
{
    const std::string name(kRtMethodNames[static_cast<std::size_t>(method - 1)]);
    return StrPrintf(" %c %s = %s s ", method == currentMethod ? '>' : ' ', name.c_str(),
                     FormatReverbTime(record, method).c_str());
}

void DrawReverbResults(Canvas& canvas, int scale, int left, int bottom, std::span<const std::uint8_t> record,
                       int currentMethod)
{
    const CanvasState saved = canvas.State();
    canvas.SelectFont(Font{std::string(kFixedFace), 14 * scale, 400});
    const FontMetrics m = canvas.Metrics();
    const int w = m.aveCharWidth;
    const int h = m.height + m.externalLeading;
    const int base = bottom + 4 * h;
    const int right = left + kRtBoxWidthChars * w - 3 * scale;
    const int y0 = base + 2 * scale;
    const int y1 = base + 6 * scale + 4 * h;
    canvas.SelectBrush(Brush{kRtBoxGreen, false});
    canvas.SelectPen(Pen{PenStyle::Solid, 1, kBlack});
    canvas.SetRasterOp(RasterOp::Copy);
    if (canvas.Target() == CanvasTarget::Metafile) {
        // A metafile's rectangle would be one pixel wider: the fill and four lines to the corner.
        canvas.FillRect(left, y0, right - 2, y1, kRtBoxGreen);
        canvas.MoveTo(left, y0);
        canvas.LineTo(right, y0);
        canvas.LineTo(right, y1);
        canvas.LineTo(left, y1);
        canvas.LineTo(left, y0);
    } else {
        canvas.Rectangle(left, y0, right - 2, y1);
    }
    canvas.SetTextColour(kBlack);
    canvas.SetBackgroundColour(kRtBoxGreen);
    for (int method = 1; method <= 4; ++method)
        canvas.TextOut(left + w, base + 4 * scale + (method - 1) * h, ReverbResultLine(record, method, currentMethod));
    canvas.SetState(saved);
}

} // namespace orlu
