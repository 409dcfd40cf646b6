#include "support/PlotFixture.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace orlu {

PlotState MakeHistogramPlotFixture(const PlotFixtureOptions& o)
{
    PlotState s;
    GraphViewState& v = s.view;
    const int panels = std::clamp(o.panels, 1, kMaxGraphPanels);
    const int classes = std::clamp(o.points, 1, 120);
    v.PlotKind = static_cast<std::int16_t>(o.plotKind);
    v.ViewKind = 1;
    v.GraphSizeIndex = static_cast<std::uint8_t>(std::clamp(o.sizeIndex, 0, 4));
    v.Geometry = GraphGeometry{60, 28, std::min(classes, 100), 1, 182, 5};
    v.Geometry.plotWidth = v.Geometry.pointCount * v.Geometry.pixelsPerPoint;
    v.Geometry.barWidth = 4;
    v.Geometry.bars = 1;
    v.Geometry.reserved = 1;
    v.PointCount = classes;
    v.ClassStride = classes;
    v.Aggregation = 1;
    v.AvailableChannels = v.SelectedChannels = static_cast<std::uint16_t>((1u << panels) - 1);
    v.CursorIndex = std::clamp(o.cursor, 0, classes - 1);
    v.HistLow = 30.0;
    v.HistWidth = 1.0;
    v.GraphTitle = "Histogram";
    s.doc.Channels = panels;
    if (o.markers) {
        v.MarkState = (*o.markers)[0] == (*o.markers)[1] ? 1 : 2;
        v.MarkedRange = *o.markers;
    }
    std::vector<double> values(static_cast<std::size_t>(classes * panels));
    for (int p = 0; p < panels; ++p) {
        const auto i = static_cast<std::size_t>(p);
        v.PanelTitles[i] = "Channel " + std::to_string(p + 1);
        const double centre = classes * (0.4 + 0.1 * p);
        std::vector<double> share(static_cast<std::size_t>(classes));
        for (int c = 0; c < classes; ++c)
            share[static_cast<std::size_t>(c)] = std::exp(-0.5 * std::pow((c - centre) / (classes / 8.0 + 1.0), 2.0));
        double sum = 0.0;
        for (const double x : share)
            sum += x;
        const double peak = *std::max_element(share.begin(), share.end());
        v.HistogramPeak[i] = 100.0 * peak / sum;
        double block = 0.0;
        for (int c = 0; c < classes; ++c) {
            const auto k = static_cast<std::size_t>(c);
            values[i * static_cast<std::size_t>(classes) + k] = share[k] / peak;
            if (v.MarkState == 2 && c >= v.MarkedRange[0] && c <= v.MarkedRange[1])
                block += share[k];
        }
        v.BlockProbability[i] = 100.0 * block / sum;
    }
    v.PlotValues.Assign(std::move(values));
    return s;
}

} // namespace orlu
