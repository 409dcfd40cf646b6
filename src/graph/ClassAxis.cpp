#include "graph/ClassAxis.h"

#include "platform/ValueFormat.h"
#include "platform/canvas/Canvas.h"

#include <string>

namespace orlu {

const char* ClassLabelFormat(double classWidth) { return classWidth >= 0.9999 ? "%.0f" : "%.1f"; }

void DrawClassAxis(Canvas& canvas, const ClassAxisArgs& a)
{
    const int cw = canvas.Metrics().aveCharWidth;
    // One class or none leaves no spacing to place ticks by.
    if (a.classCount > 1 && a.labelStep > 0) {
        const double pitch = static_cast<double>(a.scale + a.width) / a.classCount;
        int k = 0;
        while (k < a.classCount && (a.firstClass + k) % a.labelStep != 0)
            ++k;
        for (; k < a.classCount; k += a.labelStep) {
            const int x = a.left + static_cast<int>((k + 0.5) * pitch);
            canvas.Line(x, a.bottom + 1, x, a.bottom + 1 + a.tick);
            const std::string label =
                StrPrintf(ClassLabelFormat(a.classWidth), (a.firstClass + k) * a.classWidth + a.classLow);
            canvas.TextOut(x - static_cast<int>(label.size()) * cw / 2, a.bottom + 1 + a.tick, label);
        }
    }
    canvas.TextOut(a.left - 1 + a.width + cw + 2 * a.scale, a.bottom + 1 - 2 * a.tick, "dB");
}

} // namespace orlu
