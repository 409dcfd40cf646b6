#include "presentation/view/GraphDocumentFacts.h"

#include "analysis/statistics/LoggerColumns.h"
#include "document/units/LevelUnits.h"
#include "presentation/view/GraphFormBuilder.h"
#include "presentation/view/GraphGeometryDefaults.h"
#include "presentation/view/ViewSelection.h"
#include "reports/common/SubfileSelectionKeeper.h"

#include <algorithm>
#include <bit>

namespace orlu {
namespace {

// A channel's own octave axis: the PlotKind its band layout chooses and the
// positions of that kind's default geometry.
ChannelBandAxis AxisOf(PlotKind kind)
{
    const std::optional<GraphGeometry> row = GraphGeometryDefaults(kind);
    return row ? ChannelBandAxis{kind, row->pointCount} : ChannelBandAxis{};
}

PlotChannelFacts ChannelFactsOf(const CTmDoc& doc)
{
    const CurrentChannel& ch = doc.Channel();
    PlotChannelFacts f;
    if (ch.rangeTopDb > 0)
        f.RangeTop = ch.rangeTopDb;
    f.InputKind = ch.inputKind;
    f.Filter = ch.filter;
    f.Function = ch.function;
    // The first band on the scale every channel shares: the third-octave centre table.
    if (ch.bandTableIndex >= 0) {
        f.FirstBand13 = ch.bandTableIndex;
        f.FirstBand11 = ch.bandTableIndex / 3;
    }
    f.BandCount11 = ch.octaveBandCount;
    f.BandCount13 = ch.thirdBandCount;
    if (doc.HeaderDecoded() && doc.Header().model.FourChannel) {
        const ChannelBandAxis octaves = AxisOf(GetSpectrumAxisLayout(doc.Levels(), ch));
        int code = 0;
        const ChannelBandAxis thirds = AxisOf(GetSpectrumAxisLayoutEx(doc.Levels(), ch, code));
        f.SpectrumAxis11 = octaves.plotKind;
        f.SpectrumPoints11 = octaves.points;
        f.SpectrumAxis13 = thirds.plotKind;
        f.SpectrumPoints13 = thirds.points;
        // Statistical levels per band have axes of their own kinds.
        const ChannelBandAxis octaveLevels = AxisOf(GetOctaveAxisLayout(doc.Levels(), ch));
        const ChannelBandAxis thirdLevels = AxisOf(GetThirdOctaveAxisLayout(doc.Levels(), ch, code));
        f.LevelsAxis11 = octaveLevels.plotKind;
        f.LevelsPoints11 = octaveLevels.points;
        f.LevelsAxis13 = thirdLevels.plotKind;
        f.LevelsPoints13 = thirdLevels.points;
    }
    return f;
}

} // namespace

PlotStateDocument GraphDocumentOf(CTmDoc& doc, MeasurementViewState& view)
{
    PlotStateDocument d;
    const GraphViewState& g = view.GraphForm.Plot;
    const std::uint8_t panels = view.GraphForm.PanelMask;
    // Panel slots up to the last one filled: the engine draws the selected ones among them.
    d.Channels = std::max(1, static_cast<int>(std::bit_width(static_cast<unsigned>(panels | g.SelectedChannels))));
    d.File505 = FindFileKind(doc.FileKind()).Family == KindFamily::Setup505;
    d.SlotChannels = doc.LegacyDecoded() || doc.AnalyzerDecoded();
    d.BandKindCode = view.ViewKind == kViewSpectra            ? 2
                     : view.ViewKind == kViewStatisticalLevels ? LevelsBandKind(view, doc)
                                                               : view.BandKind;
    d.Bands = view.ViewKind == kViewSpectra ? std::max(0, g.ClassStride - 1) : 0;
    d.RpmTop = g.RpmRangeTop;
    d.RpmSeries = !g.RpmValues.Empty();
    const auto points = static_cast<std::uint32_t>(std::max(0, g.PointCount * std::max(1, g.Aggregation)));
    d.IntersectionPoints = view.ViewKind == kViewTimeIntersections ? static_cast<std::uint32_t>(g.PointCount) : 0;
    d.TimingFacts.recordsPerChannel = points;
    if (doc.HeaderDecoded()) {
        const CurrentHeader& h = doc.Header();
        d.FourChannelFamily = h.model.FourChannel;
        d.TimingFacts.recordStep = h.timeStep > 0.0 ? h.timeStep : 1.0;
        d.TimingFacts.timeUnit = h.timeStepUnit;
        d.TimingFacts.timeDecimals = static_cast<std::uint8_t>(std::min<int>(h.timeStepDecimals, 6));
        d.TimingFacts.startTime = h.time;
        d.TimingFacts.startDate = h.date;
        if (const std::optional<LoggerPlace> place = LocateLogger(doc); place && view.ViewKind == kViewBufferLogger) {
            d.WaveformSamples = place->samples;
            // The fifth place of a four-channel logger: the rotation, or the vector when it logs both.
            d.RpmChannel = place->rotation;
            d.RpmChoice = place->rotation && place->vector;
            if (place->timeStep > 0.0)
                d.TimingFacts.recordStep = place->timeStep;
            d.TimingFacts.timeUnit = place->timeUnit;
        }
        d.MarkerList = doc.LoggerMarkers();
        d.BreakList = doc.LoggerBreaks();
        // Each panel's channel (or profile) as the panel shows it; the view's own selection comes back after.
        const SubfileSelectionKeeper keeper(doc);
        for (int k = 0; k < d.Channels && k < kMaxGraphPanels; ++k) {
            doc.SelectChannelProfile(k, 0);
            d.ChannelFacts[static_cast<std::size_t>(k)] = ChannelFactsOf(doc);
        }
    } else if (doc.AnalyzerDecoded()) {
        const Setup505& a = doc.Analyzer();
        d.TimingFacts.recordStep = a.timeStep > 0.0 ? a.timeStep : 1.0;
        d.TimingFacts.startTime = a.startTime;
        d.TimingFacts.startDate = a.startDate;
        d.ChannelMode = a.channelMode != 0;
        d.ChannelFacts[0] = ChannelFactsOf(doc);
    } else if (doc.LegacyDecoded()) {
        d.ChannelFacts[0] = ChannelFactsOf(doc);
    }
    return d;
}

} // namespace orlu
