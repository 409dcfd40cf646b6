#include "support/PlotFixture.h"

#include "document/ViewComputations.h"
#include "graph/PlotDispatch.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orlu {

PlotState MakePlotFixture(const PlotFixtureOptions& o)
{
    const PlotGroup group = PlotGroupOf(o.plotKind).group;
    if (o.waterfall)
        return MakeWaterfallPlotFixture(o);
    if (o.plotKind != 6 && (group == PlotGroup::Spectrum || group == PlotGroup::StatLevels))
        return MakeSpectrumPlotFixture(o);
    if (group == PlotGroup::Histogram || group == PlotGroup::Density)
        return MakeHistogramPlotFixture(o);
    if (group == PlotGroup::Decay)
        return MakeDecayPlotFixture(o);
    if (o.plotKind == 13 || (o.plotKind == 6 && o.waveform))
        return MakeWaveformPlotFixture(o);
    PlotState s;
    GraphViewState& v = s.view;
    PlotStateDocument& d = s.doc;
    const int panels = std::clamp(o.panels, 1, kMaxGraphPanels);
    const int n = std::max(1, o.points);
    v.PlotKind = static_cast<std::int16_t>(o.plotKind);
    v.ViewKind = 7;
    v.GraphSizeIndex = static_cast<std::uint8_t>(std::clamp(o.sizeIndex, 0, 4));
    // The logger's row of the geometry defaults: curves, 100 points 5 pixels apart.
    v.Geometry = GraphGeometry{60, 28, 100, 1, 180, 5};
    v.Geometry.plotWidth = 505;
    v.Geometry.secondHeight = 110;
    v.Geometry.reserved = 1;
    // Time histories: points merged until at most 500 columns remain.
    ComputeGraphStep(5, n, 0, v.Geometry, false);
    if (o.zoomStep > 0) {
        v.Geometry.pointsPerColumn = o.zoomStep;
        v.Geometry.pixelsPerPoint = 1;
        v.Geometry.pointCount = 500;
    }
    v.Geometry.plotWidth = v.Geometry.pointCount * v.Geometry.pixelsPerPoint;
    const int per = std::max(1, v.Geometry.pointsPerColumn);
    v.PointCount = n / per;
    v.Aggregation = 1;
    v.AvailableChannels = v.SelectedChannels = static_cast<std::uint16_t>((1u << panels) - 1);
    v.CursorIndex = o.cursor;
    v.UnitsChoice = 0;
    v.PlotTotal = 1;
    v.TotalKinds = 1;
    v.GraphTitle = "Logger";
    d.Channels = panels;
    d.TimingFacts = GraphTiming{2, 1.0, 0, 0, 12 * 1800, static_cast<std::uint16_t>(24 * 512 + 1 * 32 + 1),
                                static_cast<std::uint32_t>(n)};

    // Record numbers with a break of 5 records at a third and 3 deleted records at two thirds.
    v.TimeStamps.resize(static_cast<std::size_t>(n));
    std::uint32_t record = 1;
    for (int i = 0; i < n; ++i) {
        if (i == n / 3)
            record += 5;
        if (i == 2 * n / 3)
            record += 3;
        v.TimeStamps[static_cast<std::size_t>(i)] = record++;
    }
    // A break names the first record it lost.
    if (n / 3 >= 1)
        d.BreakList = {{v.TimeStamps[static_cast<std::size_t>(n / 3 - 1)] + 1, 5}};
    d.MarkerList = {{v.TimeStamps[static_cast<std::size_t>(n / 8)], 0x01},
                    {v.TimeStamps[static_cast<std::size_t>(n / 2)], 0x06},
                    {v.TimeStamps[static_cast<std::size_t>(3 * n / 4)], 0x01}};

    const int m0 = o.markers ? (*o.markers)[0] : 0;
    const int m1 = o.markers ? (*o.markers)[1] : 0;
    if (o.markers) {
        v.MarkState = m0 == m1 ? 1 : 2;
        v.MarkedRange = {m0 * per, m1 * per};
        v.DrawInBlock = {1, 1, 1, 1};
    }
    const int points = n / per;
    for (int p = 0; p < panels; ++p) {
        d.ChannelFacts[static_cast<std::size_t>(p)].RangeTop = 130.0;
        d.ChannelFacts[static_cast<std::size_t>(p)].InputKind = 2;
        v.PanelTitles[static_cast<std::size_t>(p)] = "Channel " + std::to_string(p + 1);
        std::vector<double> level(static_cast<std::size_t>(points));
        std::vector<double> total(level.size());
        double energy = 0.0;
        for (int i = 0; i < points; ++i) {
            const double t = static_cast<double>(i) / std::max(1, points - 1);
            level[static_cast<std::size_t>(i)] = 62.0 + 8.0 * p + 14.0 * std::sin(2.0 * std::numbers::pi * (2.0 * t + 0.1 * p)) +
                                                 3.0 * std::sin(37.0 * t);
            energy += std::pow(10.0, level[static_cast<std::size_t>(i)] / 10.0);
            total[static_cast<std::size_t>(i)] = 10.0 * std::log10(energy / (i + 1));
        }
        if (v.MarkState == 2) {
            std::vector<double> leq;
            std::vector<double> sel;
            double e = 0.0;
            double lo = level[static_cast<std::size_t>(m0)];
            double hi = lo;
            for (int i = m0; i <= m1 && i < points; ++i) {
                const double l = level[static_cast<std::size_t>(i)];
                e += std::pow(10.0, l / 10.0);
                leq.push_back(10.0 * std::log10(e / (i - m0 + 1)));
                sel.push_back(10.0 * std::log10(e * per * d.TimingFacts.recordStep));
                lo = std::min(lo, l);
                hi = std::max(hi, l);
            }
            v.SeriesB[static_cast<std::size_t>(p)].Assign(std::move(leq));
            v.SeriesC[static_cast<std::size_t>(p)].Assign(std::move(sel));
            v.BlockLmax[static_cast<std::size_t>(p)] = hi;
            v.BlockLmin[static_cast<std::size_t>(p)] = lo;
        }
        v.BufferValues[static_cast<std::size_t>(p)].Assign(std::move(level));
        v.SeriesA[static_cast<std::size_t>(p)].Assign(std::move(total));
    }
    return s;
}

} // namespace orlu
