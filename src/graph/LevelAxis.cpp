#include "graph/LevelAxis.h"

#include "document/texts/NumberTexts.h"
#include "graph/GraphLayout.h"
#include "graph/GraphScales.h"
#include "platform/ValueFormat.h"
#include "platform/canvas/Canvas.h"

#include <array>
#include <cmath>
#include <cstdlib>

namespace orlu {

LevelAxisTicks LevelAxisStep(double span)
{
    LevelAxisTicks out;
    const double s = std::isfinite(span) ? std::trunc(span) : 0.0;
    out.step = s <= 0.8 ? 0.1 : s <= 1.6 ? 0.2 : s <= 4 ? 0.5 : s <= 8 ? 1 : s <= 16 ? 2 : s <= 40 ? 5
             : s <= 80 ? 10 : s <= 160 ? 20 : s <= 400 ? 50 : 100;
    if (s <= 0.0)
        return out;
    // A span of damaged values (levels of 10^17 dB) would ask for more ticks
    // than any axis has pixel rows: the step grows tenfold until they fit.
    while (s / out.step > kMaxLevelAxisTicks)
        out.step *= 10.0;
    // From one division, raised while one more step still fits (bounded: rounding only).
    int n = static_cast<int>(s / out.step);
    for (int i = 0; i < 4 && (n + 1) * out.step <= span; ++i)
        ++n;
    out.count = n;
    out.axisTop = n * out.step;
    return out;
}

std::string FormatAxisValue(double value, int decimalsIndex)
{
    static constexpr std::array<const char*, 4> kFormats{"%5.0f", "%5.1f", "%5.2f", "%5.3f"};
    const int i = decimalsIndex < 0 ? 0 : decimalsIndex > 3 ? 3 : decimalsIndex;
    return StrPrintf(kFormats[static_cast<std::size_t>(i)], value);
}

void DrawLevelAxis(Canvas& canvas, const LevelAxisInput& in, std::string& unit)
{
    const FontMetrics m = canvas.Metrics();
    const int lineHeight = m.height + m.externalLeading;
    const int cw = m.aveCharWidth;
    const int end = in.left - in.tickLength - 3 * in.scale;
    auto label = [&](int y, const std::string& text) {
        canvas.TextOut(end - static_cast<int>(text.size()) * cw, y - lineHeight / 2 - 2 * in.scale, text);
    };

    const LevelAxisTicks ticks = LevelAxisStep(in.span);
    if (ticks.count == 0) {
        canvas.Line(in.left - in.tickLength, in.bottom, in.left, in.bottom);
        label(in.bottom, FormatAxisValue(0.0, in.decimalsIndex));
    } else {
        const int n = ticks.count;
        const double pixelsPerTick = ticks.axisTop / in.span * in.height / n;
        const int every = n * lineHeight >= in.height ? 2 : 1;
        for (int i = in.firstTick; i <= n; i += every) {
            const int y = in.bottom - static_cast<int>(i * pixelsPerTick);
            canvas.Line(in.left - in.tickLength, y, in.left, y);
            label(y, FormatAxisValue(i * ticks.axisTop / n + in.bottomValue, in.decimalsIndex));
        }
    }
    TrimTrailingBlanks(unit);
    const std::string text = StrPrintf("%5s", unit.c_str());
    canvas.TextOut(end - static_cast<int>(text.size()) * cw, in.bottom - in.height - (3 * lineHeight) / 2 + 1, text);
}

void DrawRangeLevelAxis(Canvas& canvas, const PanelLayout& l, int scale, const LevelRange& range, int inputKind,
                        int valueKind, bool nonMetric)
{
    const bool linear = valueKind != 0;
    const double bottomValue = linear ? 0.0 : range.bottom;
    const ValueUnitText top = FormatValueUnit(inputKind, bottomValue + range.Span(), valueKind, nonMetric);
    double span = range.Span();
    if (linear && !top.value.empty())
        span = std::atof(top.value.c_str());
    std::string unit = top.unit;
    LevelAxisInput axis{scale, l.left, l.bottom, l.plotHeight, 0, l.levelTick, bottomValue, span, top.formatIndex};
    DrawLevelAxis(canvas, axis, unit);
}

} // namespace orlu
