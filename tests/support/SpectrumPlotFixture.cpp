#include "graph/BandAxis.h"
#include "graph/BandNames.h"
#include "graph/PlotDispatch.h"
#include "graph/SpectrumGraph.h"
#include "graph/StatLevelGraph.h"
#include "support/PlotFixture.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orlu {
namespace {

constexpr double kFixtureLineSpacing = 1.25;
constexpr int kToneLines[] = {96, 230};

bool IsBand(std::string_view name) { return name.size() > 2 && name.substr(name.size() - 2) == "Hz"; }

} // namespace

int SpectrumFixturePositions(int plotKind)
{
    const bool statLevels = PlotGroupOf(plotKind).group == PlotGroup::StatLevels;
    const std::optional<BandAxisRow> row = statLevels ? StatLevelBandAxisOf(plotKind) : SpectrumBandAxisOf(plotKind);
    if (row && row->count > 0)
        return row->count;
    int bands = 0;
    while (bands < 64 && IsBand(BandNameOf(plotKind, 0, bands)))
        ++bands;
    if (!row)
        return bands;
    const bool oneTotal = row->args.drawer == BandAxisDrawer::Octave15;
    return bands + (oneTotal ? 1 : row->args.totals);
}

PlotState MakeSpectrumPlotFixture(const PlotFixtureOptions& o)
{
    PlotState s;
    GraphViewState& v = s.view;
    PlotStateDocument& d = s.doc;
    const bool fft = o.plotKind == kFftPlotKind;
    const int panels = std::clamp(o.panels, 1, kMaxGraphPanels);
    v.PlotKind = static_cast<std::int16_t>(o.plotKind);
    v.ViewKind = fft ? 12 : 10;
    v.GraphSizeIndex = static_cast<std::uint8_t>(std::clamp(o.sizeIndex, 0, 4));
    const int n = fft ? std::max(2, o.points) : SpectrumFixturePositions(o.plotKind);
    // As many points as fit 800 pixels, bars at least 2 pixels apart for bands.
    const int shown = std::min(n, 800);
    const int pitch = std::max(fft ? 1 : 2, 800 / shown);
    v.Geometry = GraphGeometry{60, 28, shown, 1, 180, pitch};
    v.Geometry.plotWidth = shown * pitch;
    v.Geometry.secondHeight = 110;
    v.Geometry.barWidth = pitch - 1;
    v.Geometry.bars = 1;
    v.Geometry.reserved = 1;
    v.PointCount = n;
    v.Aggregation = 1;
    v.AvailableChannels = v.SelectedChannels = static_cast<std::uint16_t>((1u << panels) - 1);
    v.CursorIndex = std::min(o.cursor, shown - 1);
    v.SolidBars = 1;
    v.TotalBars = static_cast<std::uint8_t>(std::clamp(o.totalBars, 0, 2));
    v.LineSpacing = kFixtureLineSpacing;
    v.PeaksShown = o.peaks ? 1 : 0;
    v.TonalityShown = o.tonality ? 1 : 0;
    v.GraphTitle = fft ? "FFT spectrum" : PlotGroupOf(o.plotKind).group == PlotGroup::StatLevels ? "Statistical levels"
                                                                                              : "Octave spectrum";
    d.Channels = panels;
    d.BandKindCode = fft ? 1 : 4;
    d.Bands = fft ? n - 1 : n;
    if (o.markers) {
        v.MarkState = (*o.markers)[0] == (*o.markers)[1] ? 1 : 2;
        v.MarkedRange = {(*o.markers)[0], (*o.markers)[1]};
    }

    const std::size_t stride = fft ? static_cast<std::size_t>(n) : 52;
    std::vector<double> values(stride * static_cast<std::size_t>(panels), 0.0);
    std::vector<std::uint8_t> marks(values.size(), 0);
    for (int p = 0; p < panels; ++p) {
        const auto i = static_cast<std::size_t>(p);
        d.ChannelFacts[i].RangeTop = 130.0;
        d.ChannelFacts[i].InputKind = 2;
        v.PanelTitles[i] = "Channel " + std::to_string(p + 1);
        double* row = values.data() + i * stride;
        for (int k = 0; k < n; ++k) {
            const double t = static_cast<double>(k) / std::max(1, n - 1);
            double level = 68.0 - 22.0 * t + 4.0 * std::sin(2.0 * std::numbers::pi * (3.0 * t + 0.2 * p)) - 3.0 * p;
            if (fft)
                for (const int tone : kToneLines)
                    level += 24.0 * std::exp(-0.5 * std::pow((k - tone) / 1.5, 2.0));
            else if (!IsBand(BandNameOf(o.plotKind, v.TotalBars, k)))
                level = 84.0 - 2.0 * (k % 3); // the totals above the bands
            row[k] = level;
        }
        if (v.MarkState == 2) {
            // The block's level: the energy sum of the marked values.
            double energy = 0.0;
            for (int k = std::max(0, v.MarkedRange[0]); k <= v.MarkedRange[1] && k < n; ++k)
                energy += std::pow(10.0, row[k] / 10.0);
            v.SpectrumBlockValues[i] = energy > 0.0 ? 10.0 * std::log10(energy) : 0.0;
        }
        if (fft)
            for (const int tone : kToneLines)
                for (int k = tone - 3; k <= tone + 3 && k < n; ++k) {
                    const bool near = row[k] >= row[tone] - 3.0;
                    if (o.peaks && k == tone)
                        marks[i * stride + static_cast<std::size_t>(k)] = 1;
                    if (o.tonality)
                        marks[i * stride + static_cast<std::size_t>(k)] = near ? 1 : 2;
                }
    }
    if (fft && o.phaseUnit >= 0) {
        // The phase: a sweep wrapping at +-pi, and a stretch beyond +-pi that the graph clips.
        v.PhaseSpectrum = 1;
        v.PhaseUnit = static_cast<std::uint8_t>(std::clamp(o.phaseUnit, 0, 2));
        v.MarkedRangeScaled = v.MarkedRange;
        for (std::size_t k = 0; k < values.size(); ++k) {
            const int line = static_cast<int>(k % stride);
            values[k] = std::remainder(0.05 * line, 2.0 * std::numbers::pi);
            if (line >= n / 2 && line < n / 2 + 10)
                values[k] = line % 2 == 0 ? 4.0 : -4.0;
        }
        std::fill(marks.begin(), marks.end(), 0);
    }
    if (fft) {
        v.FrequencyValues.resize(static_cast<std::size_t>(n));
        for (int k = 0; k < n; ++k)
            v.FrequencyValues[static_cast<std::size_t>(k)] = k * kFixtureLineSpacing;
    }
    if (o.tonality && o.phaseUnit < 0) {
        const int first = kToneLines[0] - 40;
        v.Noise = NoiseLine{first, kToneLines[0] + 40, -0.02, values[static_cast<std::size_t>(first)] + 1.0};
    }
    v.PlotValues.Assign(std::move(values));
    v.SpectrumMarks = std::move(marks);
    return s;
}

} // namespace orlu
