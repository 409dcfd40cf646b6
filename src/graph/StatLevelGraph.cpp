#include "graph/StatLevelGraph.h"

#include "graph/BandAxis.h"
#include "graph/BandNames.h"
#include "graph/GraphScales.h"
#include "graph/GraphSettings.h"
#include "graph/LevelAxis.h"
#include "graph/SpectrumGraph.h"
#include "graph/TimeHistoryReadout.h"
#include "platform/ValueFormat.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace orlu {
namespace {

Pen SolidPen(Rgb colour) { return Pen{PenStyle::Solid, 1, colour}; }

} // namespace

std::optional<BandAxisRow> StatLevelBandAxisOf(int plotKind)
{
    using D = BandAxisDrawer;
    struct Row {
        int kind;
        BandAxisTableRow axis;
    };
    static constexpr Row kRows[] = {
        {0, D::ThirdOctave, 45, 1, 9, false, 3, 0},
        {1, D::ThirdOctave, 47, 3, 9, false, 3, 0},
        {2, D::ThirdOctave, 45, 1, 9, true, 3, 0},
        {3, D::ThirdOctave, 47, 3, 9, true, 3, 0},
        {4, D::ThirdOctave, 48, 1, 9, true, 6, 0},
        {5, D::ThirdOctave, 50, 3, 9, true, 6, 0},
        {10, D::Octave15, 15, 0, 3, true, 1, 0},
        {32, D::Octave1Hz, 0, 1, 3, false, 3, 0},
        {34, D::Octave31, 0, 0, 2, false, 3, 0},
        {37, D::ThirdOctave20k, 0, 2, 7, true, 3, 13},
        {39, D::ThirdOctave20k, 0, 3, 9, true, 3, -1},
    };
    for (const Row& r : kRows)
        if (r.kind == plotKind)
            return BandAxisRowOf(r.axis, plotKind);
    // These kinds name their bands as a spectrum kind does: they take its axis.
    static constexpr std::pair<int, int> kSpectrumAxes[] = {{31, 29}, {33, 22}, {35, 14}, {36, 30}, {38, 24}};
    for (const auto& [kind, spectrumKind] : kSpectrumAxes)
        if (kind == plotKind)
            return SpectrumBandAxisOf(spectrumKind);
    return std::nullopt;
}

int StatLevelBarHeight(double above, double span, int plotHeight)
{
    const double share = span > 0.0 ? above / span * plotHeight : 0.0;
    if (!(share >= 0.0))
        return 1; // below the bottom, or no number
    if (share >= plotHeight)
        return plotHeight;
    return std::clamp(static_cast<int>(share) + 1, 1, plotHeight);
}

int DrawStatLevelSpectrumGraph(const PanelHead& head, const SpectrumPanel& p, const GraphSettings& settings)
{
    Canvas& canvas = head.canvas;
    const PanelLayout l = LayoutGraph(PlotShape::Bars, head, settings, p.title.c_str(), nullptr);
    SpectrumPanel levels = p;
    levels.quantity = 0;
    LevelRange range = SpectrumLevelRange(levels);
    // Many zoom steps would leave no range at all (and divide by zero below).
    range.top = std::max(range.top, range.bottom + kMinStatLevelSpan);
    const double span = range.Span();

    const Pen oldPen = canvas.SelectPen(SolidPen(kBlack));
    const Brush oldBrush = canvas.SelectBrush(Brush{kWhite, false});
    canvas.Rectangle(l.left - 1, l.top - 1, l.right + 1, l.bottom + 1);
    if (const std::optional<BandAxisRow> row = StatLevelBandAxisOf(head.plotKind))
        DrawBandAxisRow(canvas, head, l, *row, p);
    DrawRangeLevelAxis(canvas, l, head.scale, range, p.inputKind, 0, settings.NonMetricUnits);
    canvas.SelectFont(l.previousFont);

    const bool screen = canvas.Target() == CanvasTarget::Screen;
    const Brush barBrush{p.solidBars ? kStatLevelBarColour : kWhite, false};
    const int px = l.pixelsPerPoint;
    const int count = static_cast<int>(p.values.size());
    int previous = 0;
    for (int j = 0, x = l.left; p.firstShown + j < count && x < l.right; ++j, x += px) {
        const int i = p.firstShown + j;
        if (i < 0)
            continue;
        const int h = StatLevelBarHeight(p.values[static_cast<std::size_t>(i)] - range.bottom, span, l.plotHeight);
        canvas.SelectBrush(barBrush);
        canvas.SelectPen(SolidPen(kBlack));
        canvas.Rectangle(x, l.bottom, x + 1 + px, l.bottom - h + 1);
        if (screen) {
            // Clears what a higher bar of an earlier paint left above this one.
            canvas.SelectBrush(Brush{kWhite, false});
            canvas.SelectPen(SolidPen(kWhite));
            canvas.Rectangle(x, l.bottom - h + 1, x + px, l.top);
            if (h < previous) {
                canvas.SelectPen(SolidPen(kBlack));
                canvas.Line(x, l.bottom, x, l.bottom - previous);
            }
        }
        previous = h;
    }
    canvas.SelectPen(oldPen);
    canvas.SelectBrush(oldBrush);
    return p.firstShown;
}

void DrawStatLevelSpectrumCursor(const PanelHead& head, const SpectrumPanel& p, const GraphSettings& settings)
{
    if (!p.cursorShown)
        return;
    Canvas& canvas = head.canvas;
    const PanelLayout l = LayoutReadout(PlotShape::Bars, head);
    const int c = p.cursorIndex;
    const int px = l.pixelsPerPoint;
    {
        const Pen oldPen = canvas.SelectPen(SolidPen(kStatLevelCursorColour));
        const Brush oldBrush = canvas.SelectBrush(Brush{kStatLevelCursorColour, false});
        const RasterOp oldOp = canvas.SetRasterOp(l.printing ? RasterOp::Copy : RasterOp::Xor);
        canvas.Rectangle(l.left + c * px, l.bottom, l.left + 1 + (c + 1) * px, head.scale + std::max(l.top, 0));
        canvas.SetRasterOp(oldOp);
        canvas.SelectPen(oldPen);
        canvas.SelectBrush(oldBrush);
    }
    const int y = head.sizeIndex == 0 ? l.bottom + 2 * l.lineHeight : l.bottom + l.lineHeight + l.xTick;
    const int g = p.firstShown + c;
    const std::optional<int> index = BandTableIndexOf(head.plotKind, p.totalBars, c);
    if (index && g >= 0 && static_cast<std::size_t>(g) < p.values.size()) {
        std::string band(ThirdOctave20kLabel(*index));
        if (p.slotLayout && band == "Total_Lin")
            band = "Total_Z";
        const ReadoutValueText value =
            FormatReadoutValue(p.inputKind, p.values[static_cast<std::size_t>(g)], 0, settings.NonMetricUnits);
        canvas.TextOut(l.left, y,
                       StrPrintf("%s:   f[%d]=%s   L=%s%s", "Cursor", g + 1, band.c_str(), value.value.c_str(), value.unit.c_str()));
    }
    canvas.SelectFont(l.previousFont);
}

} // namespace orlu
