#include "graph/FftFreqAxis.h"

#include "platform/ValueFormat.h"
#include "platform/canvas/Canvas.h"

#include <algorithm>
#include <cmath>

namespace orlu {

double FftPointFrequency(int point, int aggregation, double lineSpacing, double lineZero)
{
    if (point <= 0)
        return 0.0;
    const int n = std::max(1, aggregation);
    return (point - 1) * n * lineSpacing + (n - 1) * 0.5 * lineSpacing + lineZero + lineSpacing;
}

int FftFrequencyDecimals(double step)
{
    int d = 1;
    double t = 0.1;
    while (d < 5 && step < t) {
        ++d;
        t /= 10.0;
    }
    return d;
}

void DrawFftFreqAxis(Canvas& canvas, const FftFreqAxisInput& in)
{
    const FontMetrics m = canvas.Metrics();
    const int cw = std::max(1, m.aveCharWidth);
    const int b1 = in.bottom + 1;
    const int labelTop = b1 + in.scale + in.tickLength;
    const int n = std::max(1, in.aggregation);
    if (canvas.Target() != CanvasTarget::Metafile) {
        // Clears what a previous paint left in the two label rows.
        for (int x = in.left - 1 - 5 * cw; x <= in.left - 1 + in.width + 4 * cw; x += cw) {
            if (x >= in.left - 1 - cw)
                canvas.TextOut(x, b1, " ");
            canvas.TextOut(x, labelTop, " ");
        }
    }
    if (in.shownCount > 0) {
        const double step = n * in.lineSpacing;
        const int decimals = FftFrequencyDecimals(step);
        const int interval = std::max(1, in.tickInterval);
        int end = in.left - 1 - 20 * cw;
        // The first shown point whose index is a multiple of the interval.
        int j = ((-in.firstShown) % interval + interval) % interval;
        for (; j < in.shownCount; j += interval) {
            const int x = static_cast<int>(std::trunc((j + 0.5) * in.width / in.shownCount)) + in.left - 1;
            const std::string text =
                StrPrintf("%.*f", decimals, FftPointFrequency(in.firstShown + j, n, in.lineSpacing, in.lineZero));
            const int start = x - static_cast<int>(text.size()) * m.aveCharWidth / 2;
            if (start >= end) {
                canvas.Line(x, b1, x, b1 + in.tickLength);
                canvas.TextOut(start, labelTop, text);
                end = start + canvas.TextExtent(text).width + m.aveCharWidth;
            } else {
                canvas.Line(x, b1, x, b1 + in.tickLength / 2);
            }
        }
    }
    canvas.TextOut(in.left - 1 + in.width + m.aveCharWidth + 2 * in.scale, b1 - 2 * (in.scale + in.tickLength), "Hz");
}

} // namespace orlu
