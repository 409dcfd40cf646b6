#include "graph/WaterfallPaint.h"

#include "graph/GraphDocument.h"
#include "graph/GraphScales.h"
#include "graph/GraphSettings.h"
#include "graph/GraphViewState.h"
#include "graph/GraphWindow.h"
#include "graph/WaterfallGraph.h"

namespace orlu {

namespace {
// The picture and its axis labels: the base line at 270 and the captions of
// the totals groups under it.
constexpr int kPictureHeight = 330;
} // namespace

bool IsMultiElementPicture(const GraphViewState& v)
{
    return v.MultiElement != 0 && v.ViewKind >= 9 && v.ViewKind <= 11;
}

LevelRange MultiElementLevelRange(const GraphViewState& v, const GraphDocument& doc, const GraphSettings& settings)
{
    LevelScaleInput in;
    in.quantity = GetUnitsMode(v, doc);
    in.base = doc.RangeTop() - 100.0;
    in.span = 110.0;
    in.autoscale = settings.GraphAutoScale && v.NoAutoScale == 0;
    in.pitchSteps = v.LevelPitchOffset;
    in.zoomSteps = v.ZoomSteps(in.quantity);
    in.frequency = v.LineSpacing;
    in.inputKind = doc.InputKind();
    // The fixed linear top of the picture stands 10 dB above the range top
    // (the autoscaled grid already ends there).
    if (!in.autoscale && in.quantity != 0)
        in.base += 10.0;
    const MultiElementGrid& g = v.Grid;
    return AutoScaleLevels(in, !g.Values.empty(), g.LevelRangeLow, g.LevelRangeHigh);
}

int PaintMultiElementPicture(Canvas& canvas, int scale, const GraphViewState& v, const GraphDocument& doc,
                             const GraphSettings& settings)
{
    MultiElementOptions o;
    o.grid = &v.Grid;
    o.plotKind = v.PlotKind;
    o.inputKind = doc.InputKind();
    o.totalsShown = v.TotalsShown != 0;
    o.totalBars = v.TotalBars;
    o.quantity = GetUnitsMode(v, doc);
    o.slotLayout = doc.HasSlotChannels();
    o.nonMetric = settings.NonMetricUnits;
    o.levels = MultiElementLevelRange(v, doc, settings);
    const bool drawn = v.ViewKind == 9 ? DrawWaterfallSpectrum(canvas, scale, 0, 0, o, v.GraphTitle)
                                       : DrawWaterfallOctave(canvas, scale, 0, 0, o, v.GraphTitle);
    return drawn ? kPictureHeight * scale : 0;
}

} // namespace orlu
