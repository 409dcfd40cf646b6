#include "analysis/statistics/DensityForms.h"

#include "analysis/statistics/BandAxis.h"
#include "analysis/statistics/BandStatTables.h"
#include "analysis/statistics/HistogramForms.h"
#include "analysis/statistics/HistogramSource.h"
#include "analysis/statistics/StatisticsFamily.h"
#include "document/CTmDoc.h"
#include "platform/ValueFormat.h"
#include "reports/table/ColumnTableWriter.h"
#include "reports/table/MultiSpectrumMatrix.h"
#include "reports/table/StatisticsCrossTables.h"
#include "reports/table/StatisticsElements.h"

#include <algorithm>

namespace orlu {
namespace {

constexpr std::string_view kRowHeader =
    "  cl[dB]    D[%]      cl[dB]    D[%]      cl[dB]    D[%]      cl[dB]    D[%] ";

void Add(LineList& lines, int* widest, std::string line)
{
    AddLine(lines, line, widest);
}

int BandOf(const StatisticsChoices& choices)
{
    return choices.octave != 0 ? std::max(choices.band, 1) : 0;
}

std::vector<double> Densities(const Histogram& h)
{
    return h.ClassCount() == 0 ? std::vector<double>{} : ExceedancePercents(h.counts);
}

double BlockDifference(const std::vector<double>& densities, const ClassRange& range)
{
    return range.Empty() ? 0.0 : densities[range.first] - densities[range.last];
}

std::string Caption(CTmDoc& doc, const StatisticsItem& item, int octave, bool block)
{
    std::string caption = block ? "Block of the " : "";
    caption += item.subfile > 0 ? StrPrintf("Statistical density for Histogram (file:%s):",
                                            doc.GetSubfileName(item.subfile).c_str())
                                : std::string("Statistical density for Histogram:");
    if (item.band != 0)
        return caption + BandCaption(BandAxisOfSubfile(doc, item.subfile, octave),
                                     static_cast<std::size_t>(item.band - 1), BandLabel(octave, true));
    return caption + HistogramChannelPart(doc, item.subfile, item.channel);
}

} // namespace

bool TextDensity(CTmDoc& doc, LineList& lines, int* widest, const StatisticsChoices& choices)
{
    ClearLineList(&lines);
    int width = 0;
    if (StatisticsFamilyOf(doc) == StatisticsFamily::None)
        return false;
    const std::string rule(77, '-');
    for (const StatisticsItem& item : StatisticsItems(doc, choices)) {
        const Histogram h = ReadHistogram(doc, {item.subfile, item.channel, item.band});
        const std::vector<double> d = Densities(h);
        const ClassRange range = BlockClasses(h, choices.markers);
        Add(lines, &width, "");
        Add(lines, &width, Caption(doc, item, choices.octave, !range.Empty()));
        if (!range.Empty())
            Add(lines, &width, StrPrintf("   probability of the block = %.2f%%", BlockDifference(d, range)));
        Add(lines, &width, rule);
        if (h.ClassCount() != 0) {
            Add(lines, &width, std::string(kRowHeader));
            Add(lines, &width, rule);
            AppendClassRows(lines, &width, h, range.Empty() ? 0 : range.first,
                            range.Empty() ? h.ClassCount() : range.Size(), d);
        }
        Add(lines, &width, rule);
    }
    if (widest)
        *widest = width;
    return true;
}

bool TableDensity(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content, const StatisticsChoices& asked,
                  const TableOutputOptions& options)
{
    const StatisticsFamily family = StatisticsFamilyOf(doc);
    if (family == StatisticsFamily::None)
        return false;
    content = 2;
    const StatisticsChoices choices = WithoutBandMask(family, asked);
    const bool cross = choices.channelMask != 0 || (choices.allFiles && doc.SubfileCount() > 0);
    if (cross) {
        StatElementChoice element;
        element.channelMask = choices.channelMask;
        element.channel = choices.channel;
        element.band = BandOf(choices);
        element.functionMask = StatisticsContentBits(choices.octave);
        element.fileOrRecord = choices.channelMask != 0 && doc.SubfileCount() > 0 ? std::max(choices.subfile, 1) : 0;
        StatCrossTable table = CollectDensityElements(doc, element);
        // The block is clamped to the classes the table has.
        Histogram layout{0, table.Width, std::vector<std::uint32_t>(table.ClassCount)};
        const ClassRange range = BlockClasses(layout, choices.markers);
        table.Block = {!range.Empty(), static_cast<std::uint16_t>(range.first), static_cast<std::uint16_t>(range.last)};
        MultiSpectrumMatrix matrix(range.Empty() ? table.ClassCount : range.Size());
        if (!StageDensities(table, matrix))
            return false;
        return WriteDensitiesCrossTable(lines, widest, table, matrix, options) == 1;
    }
    const std::vector<StatisticsItem> items = StatisticsItems(doc, choices);
    if (items.empty())
        return false;
    if (items.size() > 1)
        return WriteDensityTable(lines, widest, BandTableOf(doc, choices, items, "Statistical density for Histograms:"),
                                 options) == 1;
    const StatisticsItem item = items.front();
    const Histogram h = ReadHistogram(doc, {item.subfile, item.channel, item.band});
    const std::vector<double> d = Densities(h);
    const ClassRange range = BlockClasses(h, choices.markers);
    std::string caption = Caption(doc, item, choices.octave, !range.Empty());
    std::replace(caption.begin(), caption.end(), ' ', '_');
    const std::size_t first = range.Empty() ? 0 : range.first;
    const std::size_t shown = range.Empty() ? h.ClassCount() : range.Size();
    std::vector<double> x(shown), y(shown);
    for (std::size_t k = 0; k < shown; ++k) {
        x[k] = h.Bound(first + k);
        y[k] = d[first + k];
    }
    ColumnTableFormat format;
    format.Caption = caption;
    format.HeaderWords = "cl[dB]    D[%]      cl[dB]    D[%]      cl[dB]    D[%]      cl[dB]    D[%]      ";
    format.RowFormat = "%-10.1f%-10.2f";
    return WriteColumnTable(lines, widest, ColumnTableSource{}, x, y, 0, options, format) == 1;
}

bool GraphDensity(CTmDoc& doc, const StatisticsChoices& choices, int panel, PlotData& data)
{
    if (StatisticsFamilyOf(doc) == StatisticsFamily::None || panel < 0 || panel >= kMaxGraphPanels)
        return false;
    const int channel = choices.channelMask != 0 ? panel : choices.channel;
    const int subfile = doc.SubfileCount() > 0 ? std::max(choices.subfile, 1) : 0;
    const int band = BandOf(choices);
    const Histogram h = ReadHistogram(doc, {subfile, channel, band});
    const std::size_t n = h.ClassCount();
    if (n == 0)
        return false;
    const std::vector<double> d = Densities(h);
    const auto p = static_cast<std::size_t>(panel);
    if (band != 0)
        data.PanelTitles[p] = BandTitle(BandAxisOfSubfile(doc, subfile, choices.octave),
                                        static_cast<std::size_t>(band - 1), BandLabel(choices.octave, false));
    std::vector<double> y(n);
    for (std::size_t i = 0; i < n; ++i)
        y[i] = d[i] / 100.0;
    PlacePanelValues(data, panel, y);
    if (n >= data.DensityClassValues.size()) {
        data.DensityClassValues.resize(n);
        for (std::size_t i = 0; i < n; ++i)
            data.DensityClassValues[i] = h.Bound(i);
        data.HistLow = h.Bound(0);
        data.HistWidth = h.width / 10.0;
        data.HistClasses = static_cast<std::int16_t>(std::min<std::size_t>(n, INT16_MAX));
    }
    data.HistogramPeak[p] = 100.0;
    data.BlockProbability[p] = BlockDifference(d, BlockClasses(h, choices.markers));
    return true;
}

} // namespace orlu
