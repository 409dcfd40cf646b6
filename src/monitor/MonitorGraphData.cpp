#include "monitor/MonitorGraphData.h"

#include "analysis/spectra/MultiElementPicture.h"
#include "analysis/spectra/OctaveGraphData.h"
#include "analysis/statistics/HistogramForms.h"
#include "document/CTmDoc.h"
#include "document/MissingValue.h"
#include "monitor/MonitorNames.h"
#include "monitor/MonitorParser.h"
#include "monitor/MonitorStatisticsItems.h"
#include "platform/ValueFormat.h"
#include "reports/table/StatisticsCrossTables.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace orlu {
namespace {

constexpr std::uint8_t kBarsOfOneSpectrum = 2;
constexpr std::uint8_t kPictureOfRecords = 1;
// Picture frequency bounds of octave data (the engine labels bands, not Hz).
constexpr double kPictureFirstFrequency = 0.002;
constexpr double kPictureLastFrequency = 16.0;
// The level axis spans 80 dB up from the bottom of the instrument's range.
constexpr double kLevelSpan = 80.0;
constexpr double kLowestRangeBottom = 30.0;

// The histogram a panel shows, with its title: a profile's "Leq", or the band's label.
std::optional<MonitorStatisticsItem> PanelItem(CTmDoc& doc, const StatisticsChoices& choices, int record, int panel,
                                               std::string& title)
{
    if (panel < 0 || panel >= kMaxGraphPanels || !ParseMonitorFile(doc))
        return std::nullopt;
    const MonitorDocument& m = *doc.Monitor();
    const MonitorStream s(doc.Image(), doc.ByteCount());
    std::vector<MonitorStatisticsItem> items;
    if (choices.octave != 0) {
        if (panel != 0)
            return std::nullopt; // one band of the record
        StatisticsChoices one = choices;
        one.allFiles = false;
        items = MonitorBandItems(s, m, one, record, false);
    } else if (panel < 3) {
        items = MonitorProfileItems(s, m, static_cast<std::uint16_t>(1u << panel), record);
    }
    if (items.empty() || !items.front().histogram.Usable())
        return std::nullopt;
    if (choices.octave != 0) {
        // "(Oct.1/1[4]: 8 Hz):" of the text forms is "(Oct.1/1: 8 Hz)" over the graph.
        std::string label = items.front().label;
        const std::size_t open = label.find('['), close = label.find(']');
        if (open != std::string::npos && close != std::string::npos)
            label.erase(open, close - open + 1);
        if (!label.empty() && label.back() == ':')
            label.pop_back();
        title = label;
    } else {
        title = "Leq";
    }
    return items.front();
}

void PlaceCommon(PlotData& data, int panel, const MonitorStatisticsItem& item, const std::string& title,
                 const StatisticsChoices& choices, std::vector<double>& classValues)
{
    const auto p = static_cast<std::size_t>(panel);
    const Histogram& h = item.histogram;
    const std::size_t n = h.ClassCount();
    if (n >= classValues.size()) {
        classValues.resize(n);
        for (std::size_t i = 0; i < n; ++i)
            classValues[i] = h.Bound(i);
        data.HistLow = h.Bound(0);
        data.HistWidth = h.width / 10.0;
        data.HistClasses = static_cast<std::int16_t>(std::min<std::size_t>(n, INT16_MAX));
    }
    data.PanelTitles[p] = title;
    data.PanelResultNames[p] = choices.octave != 0 ? std::string() : title;
    if (choices.octave != 0)
        data.GraphTitle = title;
    data.TimeStamps.assign(1, item.number);
}

// The bottom of the instrument's range ("110 dB" spans 30 to 110 dB), its top 80 dB higher.
double RangeBottom(const MonitorDocument& m)
{
    const std::string_view name = NameAt(MonitorRangeNames(m.Setup), m.Setup.Range);
    const double top = std::strtod(std::string(name).c_str(), nullptr);
    return top > kLowestRangeBottom + kLevelSpan ? top - kLevelSpan : kLowestRangeBottom;
}

// "OCTAVE 1/1  (A)  No.3", as the octave graphs of other files are titled; no number over a picture.
std::string OctaveGraphTitle(const MonitorDocument& m, const MonitorOctaveChoice& c, int record)
{
    std::string title = StrPrintf("OCTAVE 1/%d  (%s)", c.third ? 3 : 1,
                                  std::string(NameAt(kMonitorOctaveFilters, m.Setup.OctaveFilter)).c_str());
    if (record > 0)
        title += StrPrintf("  No.%d", record);
    return title;
}

bool Picture(const MonitorStream& s, const MonitorDocument& m, PlotData& data, const MonitorOctaveChoice& choice)
{
    MonitorOctaveChoice plain = choice;
    plain.block = false;
    const std::optional<MonitorSpectrum> first = ReadMonitorSpectrum(s, m, plain, 1);
    if (!first)
        return false;
    data.GraphForm = kPictureOfRecords;
    data.GraphTitle = data.PanelTitles[0] = OctaveGraphTitle(m, choice, 0);
    data.Grid.TimeStep = m.Station.SoundStep > 0 ? static_cast<double>(m.Station.SoundStep) : data.Grid.TimeStep;
    FillMultiElementGrid(data.Grid, first->values.size(), static_cast<std::uint32_t>(m.OctaveRecordCount),
                         [&](std::uint32_t record, std::span<double> out) {
                             const std::optional<MonitorSpectrum> row = ReadMonitorSpectrum(s, m, plain, record + 1);
                             if (!row || row->values.size() < out.size())
                                 return false;
                             std::copy_n(row->values.begin(), out.size(), out.begin());
                             return true;
                         });
    data.Grid.FirstFrequency = data.Grid.FirstShownFrequency = kPictureFirstFrequency;
    data.Grid.LastFrequency = data.Grid.LastShownFrequency = kPictureLastFrequency;
    data.Grid.LevelBottom = RangeBottom(m);
    data.Grid.LevelTop = data.Grid.LevelBottom + kLevelSpan + 10.0;
    return true;
}

} // namespace

bool GraphMonitorHistogram(CTmDoc& doc, const StatisticsChoices& choices, int record, int panel, PlotData& data)
{
    std::string title;
    const std::optional<MonitorStatisticsItem> item = PanelItem(doc, choices, record, panel, title);
    if (!item)
        return false;
    const HistogramGraphValues g = HistogramGraph(item->histogram, item->histogram.Sum(), choices.markers);
    PlacePanelValues(data, panel, g.y);
    PlaceCommon(data, panel, *item, title, choices, data.HistogramClassValues);
    data.HistogramPeak[static_cast<std::size_t>(panel)] = g.maximum;
    data.BlockProbability[static_cast<std::size_t>(panel)] = g.blockProbability;
    return true;
}

bool GraphMonitorDensity(CTmDoc& doc, const StatisticsChoices& choices, int record, int panel, PlotData& data)
{
    std::string title;
    const std::optional<MonitorStatisticsItem> item = PanelItem(doc, choices, record, panel, title);
    if (!item)
        return false;
    const std::vector<double> d = ExceedancePercents(item->histogram.counts);
    std::vector<double> y(d.size());
    std::transform(d.begin(), d.end(), y.begin(), [](double v) { return v / 100.0; });
    PlacePanelValues(data, panel, y);
    PlaceCommon(data, panel, *item, title, choices, data.DensityClassValues);
    const auto p = static_cast<std::size_t>(panel);
    data.HistogramPeak[p] = 100.0;
    data.BlockProbability[p] = 0.0;
    if (choices.markers.Block()) {
        const ClassRange block = BlockClasses(item->histogram, choices.markers);
        if (!block.Empty())
            data.BlockProbability[p] = d[block.first] - d[block.last];
    }
    return true;
}

bool GraphMonitorOctave(CTmDoc& doc, PlotData& data, int panel, const MonitorOctaveChoice& choice, int record,
                        bool multiElement)
{
    if (panel != 0 || !ParseMonitorFile(doc))
        return false; // one spectrum per record: the profiles share it
    const MonitorDocument& m = *doc.Monitor();
    if (!HasMonitorSpectra(m, choice.third))
        return false;
    const MonitorStream s(doc.Image(), doc.ByteCount());
    data.LevelBottom = RangeBottom(m);
    data.LevelTop = data.LevelBottom + kLevelSpan;
    // A single record never makes a picture.
    if (multiElement && m.OctaveRecordCount > 1)
        return Picture(s, m, data, choice);
    const std::optional<MonitorSpectrum> spectrum =
        ReadMonitorSpectrum(s, m, choice, static_cast<std::uint32_t>(std::max(record, 1)));
    if (!spectrum)
        return false;
    const std::size_t bands = MonitorFormBands(m, choice.third);
    data.GraphForm = kBarsOfOneSpectrum;
    data.GraphTitle = data.PanelTitles[0] = OctaveGraphTitle(m, choice, static_cast<int>(spectrum->number));
    data.SpectrumBlockValues[0] = spectrum->blockTotal;
    std::vector<double> values(kOctavePanelValues, kMissingValue);
    std::copy_n(spectrum->values.begin(), std::min(spectrum->values.size(), values.size()), values.begin());
    data.PlotValues.Assign(std::move(values));
    data.ClassStride = static_cast<std::int32_t>(kOctavePanelValues);
    data.FrequencyValues.resize(bands);
    for (std::size_t i = 0; i < bands; ++i)
        data.FrequencyValues[i] = MonitorBandCentre(choice.third, i);
    data.TimeStamps.assign(1, spectrum->number);
    return true;
}

} // namespace orlu
