#include "graph/PercentAxis.h"

#include "graph/GraphScales.h"
#include "graph/GraphSizeTable.h"
#include "platform/ValueFormat.h"
#include "platform/canvas/Canvas.h"

#include <algorithm>

namespace orlu {
namespace {

double LabelValue(const PercentAxisArgs& a, int k) { return k * a.topValue / a.intervals + a.bottomValue; }

std::vector<std::string> LabelsWith(const PercentAxisArgs& a, int decimals)
{
    std::vector<std::string> out;
    if (a.intervals <= 0 || a.labelStep <= 0)
        return out;
    const std::string format = StrPrintf("%%4.%df", decimals);
    for (int k = a.firstInterval; k <= a.intervals; k += a.labelStep)
        out.push_back(StrPrintf(format.c_str(), LabelValue(a, k)));
    return out;
}

} // namespace

std::vector<std::string> PercentAxisLabels(const PercentAxisArgs& a)
{
    const double step = a.intervals > 0 ? a.topValue / a.intervals : a.topValue;
    int decimals = std::max(CountAxisDecimals(a.bottomValue), CountAxisDecimals(step));
    // A decimal that is 0 on every label shown is dropped.
    for (; decimals > 0; --decimals) {
        const std::vector<std::string> labels = LabelsWith(a, decimals);
        if (!std::all_of(labels.begin(), labels.end(), [](const std::string& s) { return s.size() > 3 && s[3] == '0'; }))
            break;
    }
    return LabelsWith(a, decimals);
}

void DrawPercentAxis(Canvas& canvas, const PercentAxisArgs& a)
{
    const FontMetrics m = canvas.Metrics();
    const int cw = m.aveCharWidth;
    const int lineHeight = m.height;
    const std::vector<std::string> labels = PercentAxisLabels(a);
    std::size_t n = 0;
    for (int k = a.firstInterval; a.labelStep > 0 && k <= a.intervals && n < labels.size(); k += a.labelStep, ++n) {
        const int y = a.bottom - 1 - k * (a.height - 1) / a.intervals;
        canvas.Line(a.left - a.tick, y, a.left, y);
        const std::string& label = labels[n];
        canvas.TextOut(a.left - a.tick - static_cast<int>(label.size()) * cw - 3 * a.scale,
                       y - lineHeight / 2 - 2 * a.scale, label);
    }
    const Font old = canvas.SelectFont(Font{"", a.scale * GraphSize(kSizePercentFontHeight, a.sizeIndex), 400});
    canvas.TextOut(a.left - a.tick - 2 * cw - 1, a.bottom - a.height - 3 * lineHeight / 2 + 1, " %");
    canvas.SelectFont(old);
}

} // namespace orlu
