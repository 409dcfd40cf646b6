#include "GraphDataForm.h"

#include "document/MissingValue.h"
#include "document/ViewKind.h"
#include "platform/ValueFormat.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <span>
#include <utility>
#include <vector>

namespace orlu::tools {
namespace {

// Numbers as C's %.6g writes them (two-digit exponents), not as the reports do.
void AppendNumber(std::string& out, double value)
{
    char text[32];
    const int n = std::snprintf(text, sizeof text, "%.6g", value);
    out.append(text, static_cast<std::size_t>(std::clamp(n, 0, static_cast<int>(sizeof text) - 1)));
}

// One named column of a panel's rows; a column shorter than the first ends early
// (its cells are left empty).
struct Column {
    const char* name;
    std::span<const double> values;
};

// A panel: its title line, one "# NAME=VALUE" line per result, the column names,
// then one row per point of the first column.
void PrintPanel(int panel, const std::string& title, const std::vector<std::pair<const char*, double>>& results,
                const std::vector<Column>& columns, std::string& out)
{
    AppendPrintf(out, "# panel %d: %s\n", panel, title.c_str());
    for (const auto& [name, value] : results) {
        AppendPrintf(out, "# %s=", name);
        AppendNumber(out, value);
        out += '\n';
    }
    std::vector<Column> shown;
    std::copy_if(columns.begin(), columns.end(), std::back_inserter(shown),
                 [](const Column& c) { return !c.values.empty(); });
    if (shown.empty())
        return;
    for (std::size_t c = 0; c < shown.size(); ++c)
        AppendPrintf(out, "%s%s", c ? "," : "", shown[c].name);
    out += '\n';
    for (std::size_t row = 0; row < shown[0].values.size(); ++row) {
        for (std::size_t c = 0; c < shown.size(); ++c) {
            if (c)
                out += ',';
            if (row < shown[c].values.size())
                AppendNumber(out, shown[c].values[row]);
        }
        out += '\n';
    }
}

// Buffers and loggers: record numbers, the panel's levels and the running series that were made.
void PrintTimeHistory(const PlotData& data, int panel, std::string& out)
{
    const auto p = static_cast<std::size_t>(panel);
    std::vector<double> records(data.TimeStamps.begin(), data.TimeStamps.end());
    const PlotSeries& values = panel == kRpmPanel && !data.RpmValues.Empty() ? data.RpmValues : data.BufferValues[p];
    records.resize(std::min(records.size(), values.Size()));
    std::vector<std::pair<const char*, double>> results{
        {"vdv", data.VdvPanel[p]}, {"blockmax", data.BlockLmax[p]}, {"blockmin", data.BlockLmin[p]}};
    // The rotation panel's axis reaches past its fastest speed.
    if (panel == kRpmPanel && !data.RpmValues.Empty())
        results.emplace_back("rpmtop", data.RpmRangeTop);
    PrintPanel(panel, data.PanelTitles[p], results,
               {{"record", records},
                {"value", values.Values()},
                {"total", data.SeriesA[p].Values()},
                {"blockleq", data.SeriesB[p].Values()},
                {"blocksel", data.SeriesC[p].Values()}},
               out);
}

// A kind without a printer of its own: the panel's title and its slice of the values.
void PrintValues(const PlotData& data, int panel, std::string& out)
{
    const auto p = static_cast<std::size_t>(panel);
    std::span<const double> values = data.PlotValues.Values();
    if (data.ClassStride > 0) {
        const std::size_t first = std::min(values.size(), p * static_cast<std::size_t>(data.ClassStride));
        values = values.subspan(first, std::min(values.size() - first, static_cast<std::size_t>(data.ClassStride)));
    }
    PrintPanel(panel, data.PanelTitles[p], {}, {{"value", values}}, out);
}

// The record a panel was read from, first among its results, when the renderer names one.
std::vector<std::pair<const char*, double>> WithRecord(const PlotData& data,
                                                       std::vector<std::pair<const char*, double>> results)
{
    if (!data.TimeStamps.empty())
        results.insert(results.begin(), {"record", static_cast<double>(data.TimeStamps.front())});
    return results;
}

// Octave spectra: the panel's bars (band centres, then the trailing values without one)
// and the marked bands' total, or the rows of a multi element picture and its level range.
void PrintOctave(const PlotData& data, int panel, std::string& out)
{
    const auto p = static_cast<std::size_t>(panel);
    if (!data.Grid.Values.empty()) {
        const auto columns = static_cast<std::size_t>(std::max(data.Grid.Columns, 1));
        std::vector<std::vector<double>> cells(columns);
        for (std::size_t i = 0; i < data.Grid.Values.size(); ++i)
            cells[i % columns].push_back(data.Grid.Values[i]);
        std::vector<std::string> names;
        for (std::size_t c = 0; c < columns; ++c)
            names.push_back("v" + std::to_string(c));
        std::vector<Column> shown;
        for (std::size_t c = 0; c < columns; ++c)
            shown.push_back({names[c].c_str(), cells[c]});
        PrintPanel(panel, data.PanelTitles[p],
                   {{"kind", data.GraphForm}, {"low", data.Grid.LevelRangeLow}, {"high", data.Grid.LevelRangeHigh}},
                   shown, out);
        return;
    }
    std::span<const double> values = data.PlotValues.Values();
    const std::size_t stride = static_cast<std::size_t>(std::max(data.ClassStride, 0));
    const std::size_t first = std::min(values.size(), p * stride);
    values = values.subspan(first, std::min(values.size() - first, stride));
    // The bars end where the panel's values do.
    const auto end = std::find(values.begin(), values.end(), kMissingValue);
    values = values.first(static_cast<std::size_t>(end - values.begin()));
    PrintPanel(panel, data.PanelTitles[p],
               WithRecord(data, {{"kind", data.GraphForm}, {"block", data.SpectrumBlockValues[p]}}),
               {{"value", values}, {"frequency", data.FrequencyValues}}, out);
}

// The panel's values of a histogram or density: ClassStride values from the panel's own.
std::span<const double> PanelSlice(const PlotData& data, int panel)
{
    std::span<const double> values = data.PlotValues.Values();
    const auto stride = static_cast<std::size_t>(std::max(data.ClassStride, 0));
    const std::size_t first = std::min(values.size(), static_cast<std::size_t>(panel) * stride);
    return values.subspan(first, std::min(values.size() - first, stride));
}

// Histograms: class bounds and shares over the largest, with the largest share and the
// marked block's probability.
void PrintHistogram(const PlotData& data, int panel, std::string& out)
{
    const auto p = static_cast<std::size_t>(panel);
    std::span<const double> x = data.HistogramClassValues;
    std::span<const double> y = PanelSlice(data, panel);
    x = x.first(std::min(x.size(), y.size()));
    PrintPanel(panel, data.PanelTitles[p],
               WithRecord(data, {{"maximum", data.HistogramPeak[p]}, {"block", data.BlockProbability[p]}}),
               {{"x", x}, {"y", y.first(x.size())}}, out);
}

// Densities: class bounds and densities / 100, with the maximum and the block's difference.
void PrintDensity(const PlotData& data, int panel, std::string& out)
{
    const auto p = static_cast<std::size_t>(panel);
    std::span<const double> x = data.DensityClassValues;
    std::span<const double> y = PanelSlice(data, panel);
    x = x.first(std::min(x.size(), y.size()));
    PrintPanel(panel, data.PanelTitles[p],
               WithRecord(data, {{"maximum", data.HistogramPeak[p]}, {"block", data.BlockProbability[p]}}),
               {{"x", x}, {"y", y.first(x.size())}}, out);
}

// FFT spectra: the group frequencies, the panel's values and marks, the cursor total, the
// level axis and, after a tonality analysis, its levels.
void PrintSpectrum(const PlotData& data, int panel, std::string& out)
{
    if (!data.Grid.Values.empty())
        return PrintOctave(data, panel, out); // a multi element picture prints alike
    const auto p = static_cast<std::size_t>(panel);
    const std::size_t stride = static_cast<std::size_t>(std::max(data.ClassStride, 0));
    const std::span<const double> all = data.PlotValues.Values();
    const std::size_t first = std::min(all.size(), p * stride);
    const std::size_t count = std::min({all.size() - first, stride, data.FrequencyValues.size()});
    std::vector<double> marks(count, 0.0);
    for (std::size_t i = 0; i < count && first + i < data.SpectrumMarks.size(); ++i)
        marks[i] = data.SpectrumMarks[first + i];
    std::vector<std::pair<const char*, double>> results = {
        {"cursortotal", data.CursorTotals[p]}, {"bottom", data.LevelBottom}, {"top", data.LevelTop}};
    if (data.TonalityAnalysed)
        results.insert(results.end(), {{"lpt", data.Tonality.lpt},
                                       {"lpn", data.Tonality.lpn},
                                       {"dl", data.Tonality.deltaL},
                                       {"kt", data.Tonality.kt}});
    PrintPanel(panel, data.PanelTitles[p], results,
               {{"x", std::span(data.FrequencyValues).first(count)}, {"y", all.subspan(first, count)}, {"mark", marks}},
               out);
}

// A panel's text with "# label=" after its title line.
void AppendLabel(const PlotData& data, const std::string& panelText, std::string& out)
{
    const std::size_t title = std::min(panelText.find('\n'), panelText.size());
    out.append(panelText, 0, title + 1);
    AppendPrintf(out, "# label=%s\n", data.LabelText.c_str());
    if (title + 1 < panelText.size())
        out.append(panelText, title + 1);
}

// Waveforms: the sample numbers and the samples as fractions of full scale.
void PrintWaveform(const PlotData& data, int panel, std::string& out)
{
    std::string text;
    PrintPanel(panel, data.PanelTitles[static_cast<std::size_t>(panel)], {},
               {{"x", data.FrequencyValues}, {"y", data.PlotValues.Values()}}, text);
    AppendLabel(data, text, out);
}

// Time intersections: the point numbers, the series and its running RMS.
void PrintIntersection(const PlotData& data, int panel, std::string& out)
{
    std::string text;
    PrintTimeHistory(data, panel, text);
    AppendLabel(data, text, out);
}

using PanelPrinter = void (*)(const PlotData&, int panel, std::string& out);

struct PrinterRow {
    std::uint8_t viewKind;
    PanelPrinter print;
};

// Each graph-data renderer adds the printer of its kind here.
constexpr PrinterRow kPrinters[] = {
    {kViewBufferLogger, &PrintTimeHistory},
    {kViewOctaves, &PrintOctave},
    {kViewThirdOctaves, &PrintOctave},
    {kViewHistograms, &PrintHistogram},
    {kViewDensities, &PrintDensity},
    {kViewSpectra, &PrintSpectrum},
    {kViewWaveforms, &PrintWaveform},
    {kViewTimeIntersections, &PrintIntersection},
    {kViewStatisticalLevels, &PrintOctave}, // a level spectrum's bars, as an octave spectrum's
};

} // namespace

void PrintGraphData(std::uint8_t viewKind, const PlotData& data, std::uint8_t panels, std::string& out)
{
    const auto row = std::find_if(std::begin(kPrinters), std::end(kPrinters),
                                  [&](const PrinterRow& r) { return r.viewKind == viewKind; });
    const PanelPrinter print = row == std::end(kPrinters) ? &PrintValues : row->print;
    if (!data.GraphTitle.empty())
        AppendPrintf(out, "# title=%s\n", data.GraphTitle.c_str());
    for (int panel = 0; panel < kMaxGraphPanels; ++panel)
        if (panels & (1u << panel))
            print(data, panel, out);
}

} // namespace orlu::tools
