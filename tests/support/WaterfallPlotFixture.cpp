#include "graph/BandNames.h"
#include "graph/SpectrumGraph.h"
#include "support/PlotFixture.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orlu {
namespace {

bool IsBand(std::string_view name)
{
    return name.size() > 2 && name.substr(name.size() - 2) == "Hz";
}

} // namespace

PlotState MakeWaterfallPlotFixture(const PlotFixtureOptions& o)
{
    PlotState s;
    GraphViewState& v = s.view;
    PlotStateDocument& d = s.doc;
    const bool fft = o.plotKind == kFftPlotKind;
    const auto [askedRows, askedColumns] = o.waterfall.value_or(std::array<int, 2>{60, 60});
    const int rows = std::clamp(askedRows, 2, kMultiElementMaxCells);
    const int columns = std::clamp(fft ? askedColumns : SpectrumFixturePositions(o.plotKind), 2, kMultiElementMaxCells);
    v.PlotKind = static_cast<std::int16_t>(o.plotKind);
    v.ViewKind = fft ? 9 : 11;
    v.MultiElement = 1;
    v.TotalsShown = o.totalsShown != 0 ? 1 : 0;
    v.TotalBars = static_cast<std::uint8_t>(std::clamp(o.totalBars, 0, 2));
    v.GraphTitle = fft ? "FFT spectra" : "Octave spectra";
    v.CursorOn = 0;
    d.Channels = 1;
    d.ChannelFacts[0].RangeTop = 130.0;
    d.ChannelFacts[0].InputKind = 2;

    MultiElementGrid& g = v.Grid;
    g.Rows = rows;
    g.Columns = columns;
    g.FirstRecord = 1;
    g.LastRecord = 61;
    g.TimeStep = 1.0;
    g.FirstTime = 0.0;
    g.LastTime = 60.0;
    g.BoxMode = static_cast<std::uint16_t>(o.boxMode);
    g.FrequencyLines = static_cast<std::uint16_t>(o.lines[0] != 0);
    g.TimeLines = static_cast<std::uint16_t>(o.lines[1] != 0);
    g.FirstFrequency = g.FirstShownFrequency = 0.0;
    g.LastFrequency = g.LastShownFrequency = fft ? 2000.0 : 0.0;
    g.Values.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns));
    for (int k = 0; k < rows; ++k)
        for (int c = 0; c < columns; ++c) {
            const double t = static_cast<double>(k) / (rows - 1);
            const double f = static_cast<double>(c) / (columns - 1);
            const double ridge = 0.15 + 0.6 * t;
            double level = 70.0 - 25.0 * f + 6.0 * std::sin(2.0 * std::numbers::pi * (2.0 * f + t)) +
                           20.0 * std::exp(-std::pow((f - ridge) / 0.06, 2.0));
            if (k == rows / 2)
                level -= 30.0; // hidden behind the rows in front, but where it rises above them
            if (!fft && !IsBand(BandNameOf(o.plotKind, v.TotalBars, c)))
                level = 88.0 - 2.0 * (c % 3); // the totals above the bands
            g.Values[static_cast<std::size_t>(k * columns + c)] = static_cast<float>(level);
        }
    const auto [low, high] = std::minmax_element(g.Values.begin(), g.Values.end());
    g.LevelRangeLow = *low;
    g.LevelRangeHigh = *high;
    return s;
}

} // namespace orlu
