#include "monitor/MonitorStatisticsTable.h"

#include "document/CTmDoc.h"
#include "document/texts/TimeTexts.h"
#include "monitor/MonitorParser.h"
#include "monitor/MonitorSoundRows.h"
#include "monitor/MonitorStatisticsItems.h"
#include "monitor/MonitorTime.h"
#include "platform/ValueFormat.h"
#include "reports/table/ColumnTableWriter.h"
#include "reports/table/MultiSpectrumMatrix.h"
#include "reports/table/StatisticsCrossTables.h"
#include "reports/table/StatisticsElements.h"

#include <algorithm>
#include <array>

namespace orlu {
namespace {

using Item = MonitorStatisticsItem;

CivilTime StatisticsCivil(const MonitorDocument& m, std::uint32_t n)
{
    const MonitorClock c = MonitorClockAt(MonitorRecordTime(m, n, m.Station.StatisticsStep));
    return {c.Year, c.Month, c.Day, c.Hour, c.Minute, c.Second};
}

std::string Stamp(const MonitorDocument& m, std::uint32_t n, bool table)
{
    return table ? FormatRecordStampTable(static_cast<int>(n), StatisticsCivil(m, n))
                 : FormatRecordStamp(static_cast<int>(n), StatisticsCivil(m, n));
}

// The table form of a band label: "(Oct.1/1[4]: 8 Hz):" becomes "_(Oct_1/1[4]:_8_Hz):".
std::string TableLabel(std::string label)
{
    if (const std::size_t dot = label.find("Oct."); dot != std::string::npos)
        label[dot + 3] = '_';
    std::replace(label.begin(), label.end(), ' ', '_');
    return "_" + label;
}

std::vector<std::uint8_t> UserPercentages(const CTmDoc& doc)
{
    const auto& all = doc.StatisticalPercentages();
    return {all.begin(), all.begin() + static_cast<std::ptrdiff_t>(
                                           std::min<std::size_t>(doc.StatisticalLevelCount(), all.size()))};
}

ClassBlock BlockOf(const Histogram& h, const ClassMarkers& markers)
{
    if (!markers.Block())
        return {};
    const ClassRange block = BlockClasses(h, markers);
    return {!block.Empty(), static_cast<std::uint16_t>(block.first), static_cast<std::uint16_t>(block.last)};
}

// Every item tabled by the first one's classes.
void ToFirstLayout(std::vector<Item>& items)
{
    for (Item& item : items)
        item.histogram.counts.resize(items.front().histogram.counts.size(), 0);
}

// The levels of every item as a column, headed by its profile number or its band.
bool LevelsTable(CTmDoc& doc, LineList& lines, int* widest, LevelColumnKind kind, const std::string& stamp,
                 std::vector<Item>& items, const TableOutputOptions& options)
{
    LevelsCrossTable table;
    table.Caption = "Statistical levels for Histograms No." + stamp + ":";
    table.Kind = kind;
    table.Width = items.front().histogram.width;
    table.Percentages = UserPercentages(doc);
    KeepMonitorLevels(doc, items.back().histogram); // the last column's stay with the document
    const bool profiles = kind == LevelColumnKind::Profile;
    for (Item& item : items)
        table.Columns.push_back({profiles ? StrPrintf("#%d", item.profile) : item.totalName,
                                 profiles ? 0.0 : item.frequency, "", item.histogram.lowest,
                                 std::move(item.histogram.counts), {}});
    return WriteLevelsCrossTable(lines, widest, table, options) == 1;
}

bool ProfileTable(CTmDoc& doc, LineList& lines, int* widest, MonitorStatisticsForm form, const MonitorDocument& m,
                  std::vector<Item> items, const ClassMarkers& markers, const TableOutputOptions& options)
{
    ToFirstLayout(items);
    const Histogram& first = items.front().histogram;
    const std::string stamp = Stamp(m, items.front().number, false);
    if (form == MonitorStatisticsForm::Levels)
        return LevelsTable(doc, lines, widest, LevelColumnKind::Profile, stamp, items, options);
    StatCrossTable table;
    const bool densities = form == MonitorStatisticsForm::Densities;
    table.Caption = (densities ? "Statistical density for Histograms No." : "Histograms No.") + stamp + ":";
    table.Kind = CrossElementKind::Profile;
    table.ClassCount = static_cast<std::uint16_t>(first.counts.size());
    table.Width = first.width;
    table.Block = BlockOf(first, markers);
    for (Item& item : items)
        table.Elements.push_back({StrPrintf("#%d", item.profile), "", item.histogram.lowest, item.histogram.counts});
    if (!densities)
        return WriteHistogramsCrossTable(lines, widest, table, options) == 1;
    MultiSpectrumMatrix matrix(table.Block.Shown ? table.Block.Last - table.Block.First + 1u : table.ClassCount);
    return StageDensities(table, matrix) && WriteDensitiesCrossTable(lines, widest, table, matrix, options) == 1;
}

// Every band of the record as a column.
bool BandsTable(CTmDoc& doc, LineList& lines, int* widest, MonitorStatisticsForm form, const MonitorDocument& m,
                std::vector<Item> items, const ClassMarkers& markers, const TableOutputOptions& options)
{
    ToFirstLayout(items);
    const Histogram& first = items.front().histogram;
    const std::string stamp = Stamp(m, items.front().number, false);
    if (form == MonitorStatisticsForm::Levels)
        return LevelsTable(doc, lines, widest, LevelColumnKind::Band, stamp, items, options);
    BandStatTable table;
    const bool densities = form == MonitorStatisticsForm::Densities;
    table.Caption = (densities ? "Statistical density for Histograms No." : "Histograms No.") + stamp + ":";
    for (std::size_t i = 0; i < first.counts.size(); ++i)
        table.ClassBounds.push_back(first.Bound(i));
    table.Block = BlockOf(first, markers);
    for (Item& item : items)
        table.Bands.push_back({item.frequency, item.totalName, std::move(item.histogram.counts)});
    return (densities ? WriteDensityTable(lines, widest, table, options)
                      : WriteHistogramTable(lines, widest, table, options)) == 1;
}

// One band as pairs: class and percent or density, or percentage and level.
bool BandPairs(CTmDoc& doc, LineList& lines, int* widest, MonitorStatisticsForm form, const MonitorDocument& m,
               const Item& item, const ClassMarkers& markers, const TableOutputOptions& options)
{
    const Histogram& h = item.histogram;
    std::vector<double> x, y;
    std::string caption;
    ColumnTableFormat format;
    format.Pairs = 4;
    if (form == MonitorStatisticsForm::Levels) {
        const std::vector<std::uint8_t> percentages = UserPercentages(doc);
        const std::array<double, 10> levels = KeepMonitorLevels(doc, h);
        for (std::size_t k = 0; k < percentages.size(); ++k) {
            x.push_back(percentages[k]);
            y.push_back(levels[k]);
        }
        caption = "Statistical_levels_for_Histograms_No." + Stamp(m, item.number, true) + ":";
        format.Pairs = 3;
        format.HeaderWords = "n[%]      Ln[dB]    n[%]      Ln[dB]    n[%]      Ln[dB]    n[%]      Ln[dB]    ";
        format.RowFormat = "%-10.0f%-10.1f";
    } else {
        const bool densities = form == MonitorStatisticsForm::Densities;
        const std::vector<double> values = densities ? ExceedancePercents(h.counts) : [&] {
            std::vector<double> p(h.counts.size());
            for (std::size_t i = 0; i < p.size(); ++i)
                p[i] = ClassPercent(h.counts[i], h.Sum());
            return p;
        }();
        const ClassRange block = markers.Block() ? BlockClasses(h, markers) : ClassRange{0, h.counts.size() - 1};
        for (std::size_t i = block.first; !block.Empty() && i <= block.last; ++i) {
            x.push_back(h.Bound(i));
            y.push_back(values[i]);
        }
        caption = std::string(markers.Block() ? "Block_of_the_" : "") +
                  (densities ? "Statistical_density_for_Histograms_No." : "Histograms_No.") +
                  Stamp(m, item.number, true) + ":";
        format.HeaderWords = densities
                                 ? "cl[dB]    D[%]      cl[dB]    D[%]      cl[dB]    D[%]      cl[dB]    D[%]      "
                                 : "cl[dB]    N[%]      cl[dB]    N[%]      cl[dB]    N[%]      cl[dB]    N[%]      ";
        format.RowFormat = "%-10.1f%-10.2f";
    }
    caption += TableLabel(item.label);
    format.Caption = caption;
    return WriteColumnTable(lines, widest, ColumnTableSource{}, x, y, 0, options, format) == 1;
}

} // namespace

bool FormatMonitorStatisticsTable(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& tableKind,
                                  MonitorStatisticsForm form, const StatisticsChoices& choices, int record,
                                  const TableOutputOptions& options)
{
    tableKind = 2;
    if (!ParseMonitorFile(doc))
        return false;
    const MonitorDocument& m = *doc.Monitor();
    const MonitorStream s(doc.Image(), doc.ByteCount());
    const bool octave = choices.octave != 0;
    const std::uint16_t selected = choices.channelMask != 0 ? choices.channelMask : 7;
    std::vector<Item> items = octave ? MonitorBandItems(s, m, choices, record, false)
                                     : MonitorProfileItems(s, m, selected, record);
    std::erase_if(items, [](const Item& item) { return !item.histogram.Usable(); });
    if (items.empty())
        return false;
    if (!octave)
        return ProfileTable(doc, lines, widest, form, m, std::move(items), choices.markers, options);
    if (choices.allFiles)
        return BandsTable(doc, lines, widest, form, m, std::move(items), choices.markers, options);
    return BandPairs(doc, lines, widest, form, m, items.front(), choices.markers, options);
}

} // namespace orlu
