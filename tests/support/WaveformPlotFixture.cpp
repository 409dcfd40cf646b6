#include "support/PlotFixture.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

namespace orlu {

PlotState MakeWaveformPlotFixture(const PlotFixtureOptions& o)
{
    PlotState s;
    GraphViewState& v = s.view;
    PlotStateDocument& d = s.doc;
    const bool buffer = o.plotKind == 6;
    const int panels = buffer ? std::clamp(o.panels, 1, kMaxGraphPanels) : 1;
    const int n = std::max(1, o.points);
    v.PlotKind = static_cast<std::int16_t>(buffer ? 6 : 13);
    v.ViewKind = buffer ? 7 : 12;
    v.GraphSizeIndex = static_cast<std::uint8_t>(std::clamp(o.sizeIndex, 0, 4));
    // A window of at most 500 samples a pixel apart, or fewer samples further apart.
    const int shown = std::min(n, 500);
    v.Geometry = GraphGeometry{60, 28, shown, 1, 180, std::max(1, 500 / shown)};
    v.Geometry.plotWidth = (shown - 1) * v.Geometry.pixelsPerPoint + 1;
    v.Geometry.reserved = 1;
    v.PointCount = n;
    v.Aggregation = 1;
    v.AvailableChannels = v.SelectedChannels = static_cast<std::uint16_t>((1u << panels) - 1);
    v.CursorIndex = std::clamp(o.cursor, 0, shown - 1);
    // Full scale 1 V in the waveform view (32768 x the factor), 10 Pa in the buffer.
    v.WaveformScale = buffer ? 10.0 : 1.0 / 32768.0;
    v.GraphTitle = buffer ? "Buffer" : "Time waveform  No.1";
    d.Channels = panels;
    d.WaveformSamples = buffer;
    const double period = buffer ? 0.001 : 1.0 / 48000.0;
    d.TimingFacts = GraphTiming{-1, period, 3, 0, 12 * 1800, 0, static_cast<std::uint32_t>(n)};
    if (o.markers) {
        v.MarkState = (*o.markers)[0] == (*o.markers)[1] ? 1 : 2;
        v.MarkedRange = *o.markers;
    }
    const auto sample = [n](int i, int panel) {
        const double envelope = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * i / n);
        return 0.3 * envelope * std::sin(2.0 * std::numbers::pi * i / (40.0 + 7.0 * panel));
    };
    if (buffer) {
        v.TimeStamps.resize(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            v.TimeStamps[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(i + 1);
        for (int p = 0; p < panels; ++p) {
            std::vector<double> values(static_cast<std::size_t>(n));
            for (int i = 0; i < n; ++i)
                values[static_cast<std::size_t>(i)] = sample(i, p);
            v.BufferValues[static_cast<std::size_t>(p)].Assign(std::move(values));
            v.PanelTitles[static_cast<std::size_t>(p)] = "Channel " + std::to_string(p + 1);
            d.ChannelFacts[static_cast<std::size_t>(p)].InputKind = 2;
        }
        return s;
    }
    std::vector<double> values(static_cast<std::size_t>(n));
    v.FrequencyValues.resize(values.size());
    for (int i = 0; i < n; ++i) {
        values[static_cast<std::size_t>(i)] = sample(i, 0);
        v.FrequencyValues[static_cast<std::size_t>(i)] = i + 1;
    }
    v.PlotValues.Assign(std::move(values));
    v.PanelTitles[0] = "Channel #1";
    d.ChannelFacts[0].InputKind = 2;
    return s;
}

} // namespace orlu
