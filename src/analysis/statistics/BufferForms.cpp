#include "analysis/statistics/BufferForms.h"

#include "analysis/statistics/Aggregation.h"
#include "analysis/statistics/BufferFamily.h"
#include "analysis/statistics/ChannelScale.h"
#include "analysis/statistics/NonMetricFactor.h"
#include "analysis/statistics/ResultSlots.h"
#include "analysis/statistics/RunningTotals.h"
#include "analysis/statistics/TimeHistoryText.h"
#include "document/buffer/BufferColumns.h"
#include "document/buffer/ColumnReader.h"
#include "document/headers/CurrentHeader.h"
#include "document/texts/NumberTexts.h"
#include "document/units/LevelUnits.h"
#include "platform/ValueFormat.h"
#include "reports/common/NameTables.h"
#include "reports/common/SubfileSelectionKeeper.h"
#include "document/MissingValue.h"
#include "reports/table/BufferCrossTable.h"
#include "reports/table/ColumnTableWriter.h"
#include "reports/table/MultiSpectrumMatrix.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>
#include <vector>

namespace orlu {
namespace {

bool LinearDisplay(const CTmDoc& doc, std::uint8_t units)
{
    return doc.Channel().inputKind == kInputMicrophone ? units == 1 : units == 0;
}

// The unit index of the column: 0 dB, 1 V, 2 Pa, then the vibration quantities.
int UnitIndex(const CurrentChannel& ch, std::string_view resultName, bool linear)
{
    if (!linear)
        return 0;
    if (ch.inputKind == kInputReference || ch.inputKind == kInputDirect)
        return 1;
    if (ch.inputKind == kInputMicrophone)
        return 2;
    int q = 1;
    if (resultName == "VDV")
        q = 5;
    else if (ch.function == 8)
        q = FilterQuantity(ch.filter) - 2;
    else if (ch.function > 8)
        q = ch.function - 7;
    // A filter of no vibration quantity (DC) still gives linear values: they are accelerations.
    // The last quantity of a buffer is the VDV's (unit 7, m/sx).
    return std::clamp(q, 1, 5) + 2;
}

// The values of the column, aggregated, and their overload flags: the running total
// instead when it is shown. Records past the image are not read.
struct ColumnValues {
    std::vector<double> values;
    std::vector<std::uint8_t> overload;
};

ColumnValues ReadColumn(const CTmDoc& doc, const BufferFamily& family, const BufferColumn& c, bool totals,
                        bool linear, int degree)
{
    const ImageReader image = doc.Reader();
    ColumnValues out;
    if (!c.logged || !family.TimeHistory())
        return out;
    out.values.assign(family.RecordCount(), 0.0);
    out.overload.assign(out.values.size(), 0);
    std::size_t n = 0;
    AggregationKind kind = c.kind;
    if (totals) {
        n = RunningTotals(image, c.column, family.Coding(), 0, out.values.size(), family.TimeStep(),
                          RunningTotalsOut{.leq = out.values, .sel = {}, .min = nullptr, .max = nullptr});
        kind = AggregationKind::EnergyMean;
    } else {
        n = ReadLevelRun(image, c.column, family.Coding(), 0, out.values, out.overload);
    }
    out.values.resize(n);
    out.overload.resize(n);
    n = Aggregate(kind, out.values, linear, ChannelLinearScale(doc), degree, out.overload);
    // dB output of degree 1 keeps every value; otherwise n / d windows are left.
    out.values.resize(std::min(n, out.values.size()));
    out.overload.resize(out.values.size());
    return out;
}

PositionRange RangeOf(const BufferChoices& choices, std::size_t values)
{
    return ShownPositions(choices.block, choices.markers, choices.degree, values);
}

// The caption line up to its result part.
std::string CaptionStart(const BufferFamily& family, const BufferChoices& choices, TotalKind total)
{
    std::string caption = choices.block ? "Block of the " : "";
    if (choices.totals && total != TotalKind::None)
        caption += total == TotalKind::TotalLeq ? "Total LEQ for " : "Total RMS for ";
    caption += "Buffer contents";
    const std::string file = family.MultifileName();
    caption += file.empty() ? ":" : StrPrintf(" (file: %s):", file.c_str());
    return caption;
}

// The result part of the caption: the channel and result, or the function.
std::string ResultPart(const BufferFamily& family, int ch, const BufferColumn& c, bool totals)
{
    if (!c.resultName.empty()) {
        if (family.IsVector(ch))
            return StrPrintf("  Vector  -  %s ", c.resultName.c_str());
        return StrPrintf("  %s #%d  -  %s ", family.ChannelWord(), ch + 1, c.resultName.c_str());
    }
    return totals ? std::string() : StrPrintf("  -  %s ", family.FunctionName().c_str());
}

void Add(LineList& lines, int* widest, std::string line)
{
    AddLine(lines, line, widest);
}

} // namespace

bool TextBuffer(CTmDoc& doc, LineList& lines, int* widest, const BufferChoices& choices)
{
    ClearLineList(&lines);
    const std::unique_ptr<BufferFamily> family = BufferFamilyOf(doc);
    if (!family)
        return false;
    // The renderer selects each channel it shows; the view keeps its own.
    const SubfileSelectionKeeper keeper(doc);
    const int d = std::max(choices.degree, 1);
    const std::string rule(kTimeHistoryRuleLength, '-');
    int wide = widest ? *widest : 0;
    for (int ch : family->ShownChannels(choices.channelMask)) {
        family->Select(ch);
        const BufferColumn c = family->ColumnOf(ch, choices.resultIndex[static_cast<std::size_t>(ch)]);
        const bool totals = choices.totals && c.total != TotalKind::None;
        const bool linear = LinearDisplay(doc, choices.units);
        const ColumnValues column = ReadColumn(doc, *family, c, totals, linear, d);
        const PositionRange range = RangeOf(choices, column.values.size());

        Add(lines, &wide, "");
        Add(lines, &wide, CaptionStart(*family, choices, c.total) + ResultPart(*family, ch, c, totals));
        std::string count =
            StrPrintf("   total number of results = %lu", static_cast<unsigned long>(family->RecordCount() / d));
        if (d > 1)
            count += StrPrintf(" [aggreg.degree=%d]", d);
        Add(lines, &wide, count);
        if (choices.block)
            Add(lines, &wide, StrPrintf("   number of results in the block = %lu", static_cast<unsigned long>(range.count)));
        Add(lines, &wide, StrPrintf("   results DELTA_INT = %s", family->IntegrationName().c_str()));
        if (family->TimeHistory())
            Add(lines, &wide, StrPrintf("   results time step = %g s", d * family->TimeStep()));
        Add(lines, &wide, rule);
        // Without a time history there is nothing more to show, of any channel.
        if (!family->TimeHistory())
            break;

        Add(lines, &wide, LevelHeaderRow(LevelHeading(UnitIndex(doc.Channel(), c.resultName, linear))));
        Add(lines, &wide, rule);
        AppendColumnRows(lines, &wide, range.count, [&](std::size_t i, std::string& row) {
            const std::size_t at = range.first + i;
            const char mark = !totals && column.overload[at] ? '*' : ' ';
            AppendLevelCell(row, at + 1, column.values[at], linear, mark);
        });
        Add(lines, &wide, rule);
    }
    if (widest)
        *widest = wide;
    return true;
}

namespace {

// The unit words of the cross table's columns, by unit index.
constexpr std::string_view kUnitWords[] = {"[dB]      ", "[V]       ", "[Pa]      ", "[m/s\xB2]    ",
                                           "[m/s]     ", "[m]       ", "[KB]      ", "[m/sx]    "};

// A record of several channels: one column per channel shown, the channel's words above it.
void TableChannels(CTmDoc& doc, BufferFamily& family, LineList& lines, int* widest, const BufferChoices& choices,
                   const TableOutputOptions& options)
{
    const int d = std::max(choices.degree, 1);
    const std::uint16_t mask = choices.channelMask != 0 ? choices.channelMask : family.ChannelMask();
    std::vector<ColumnValues> columns;
    BufferCrossTable table;
    table.ColumnKind = CrossElementKind::Channel;
    table.BlockShown = choices.block;
    std::size_t values = 0;
    for (int ch : family.ShownChannels(mask)) {
        family.Select(ch);
        const BufferColumn c = family.ColumnOf(ch, choices.resultIndex[static_cast<std::size_t>(ch)]);
        const bool totals = choices.totals && c.total != TotalKind::None;
        const bool linear = LinearDisplay(doc, choices.units);
        columns.push_back(ReadColumn(doc, family, c, totals, linear, d));
        values = std::max(values, columns.back().values.size());
        const bool vector = family.IsVector(ch);
        table.Labels.push_back(BufferChannelLabel(ch + 1, std::nullopt));
        table.FunctionNames.push_back(totals ? (c.total == TotalKind::TotalLeq ? "totLEQ" : "totRMS")
                                      : c.resultName.empty() ? family.FunctionName()
                                                             : c.resultName);
        table.FilterNames.push_back(vector ? "MODULE" : family.FilterName());
        table.DetectorNames.push_back(vector ? "------" : family.DetectorName());
        table.UnitNames.emplace_back(kUnitWords[UnitIndex(doc.Channel(), c.resultName, linear)]);
        table.ValueFormats.emplace_back(linear ? "%-10.2e" : "%-10.1f");
    }
    const PositionRange range = RangeOf(choices, values);
    for (std::size_t i = 0; i < range.count; ++i)
        table.ResultNumbers.push_back(static_cast<double>(range.first + i + 1));
    MultiSpectrumMatrix matrix(range.count);
    StageBufferColumns(matrix, columns, range.first, range.count);
    WriteBufferCrossTable(lines, widest, table, matrix, options);
}

} // namespace

bool TableBuffer(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content, const BufferChoices& choices,
                 const TableOutputOptions& options)
{
    content = 2;
    const std::unique_ptr<BufferFamily> family = BufferFamilyOf(doc);
    if (!family || !family->TimeHistory())
        return false;
    const int d = std::max(choices.degree, 1);
    const SubfileSelectionKeeper keeper(doc);
    if (!family->SingleColumnTable()) {
        int wide = widest ? *widest : 0;
        TableChannels(doc, *family, lines, &wide, choices, options);
        if (widest)
            *widest = wide;
        return true;
    }
    family->Select(0);
    const BufferColumn c = family->ColumnOf(0, choices.resultIndex[0]);
    const bool totals = choices.totals && c.total != TotalKind::None;
    const bool linear = LinearDisplay(doc, choices.units);
    const ColumnValues column = ReadColumn(doc, *family, c, totals, linear, d);
    const PositionRange range = RangeOf(choices, column.values.size());

    std::string caption = CaptionStart(*family, choices, c.total) + ResultPart(*family, 0, c, totals);
    if (d > 1)
        caption += StrPrintf("  [aggreg.degree=%d] ", d);
    SpacesToUnderscores(caption);
    const std::string_view heading = LevelHeading(UnitIndex(doc.Channel(), c.resultName, linear));
    std::string header;
    for (int k = 0; k < 3; ++k)
        header += (k ? " Res.No. " : "Res.No. ") + std::string(heading);

    std::vector<double> x(range.count);
    for (std::size_t i = 0; i < range.count; ++i)
        x[i] = static_cast<double>(range.first + i + 1);
    const auto y = std::span(column.values).subspan(range.first, range.count);
    ColumnTableSource source;
    source.InputKind = doc.Channel().inputKind;
    const ColumnTableFormat format{.Pairs = 3,
                                   .Caption = caption,
                                   .HeaderWords = header,
                                   .RowFormat = linear ? "%-10.0f%-10.2e" : "%-10.0f%-10.1f",
                                   .NameFormat = nullptr};
    int wide = widest ? *widest : 0;
    WriteColumnTable(lines, &wide, source, x, y, 0, options, format);
    if (widest)
        *widest = wide;
    return true;
}

namespace {

enum BlockResult { kBlockLeq, kBlockMax, kBlockMin, kBlockSel };

// A block series as the graph draws it: the block's running values from the first
// marker, 0 from the entry after the block to the last record, aggregated by the degree.
PlotSeries BlockSeries(std::vector<double> series, std::size_t blockLength, int degree)
{
    std::fill(series.begin() + static_cast<std::ptrdiff_t>(std::min(blockLength, series.size())), series.end(), 0.0);
    series.resize(Aggregate(AggregationKind::EnergyMean, series, false, {}, degree));
    return PlotSeries(std::move(series));
}

} // namespace

bool GraphBuffer(CTmDoc& doc, PlotData& data, int panel, const BufferChoices& choices)
{
    const auto p = static_cast<std::size_t>(panel);
    if (p >= data.BufferValues.size())
        return false;
    const std::unique_ptr<BufferFamily> family = BufferFamilyOf(doc);
    if (!family || !family->TimeHistory())
        return false;
    const std::vector<int> channels = family->ShownChannels(0xFFFF);
    if (std::find(channels.begin(), channels.end(), panel) == channels.end())
        return false;
    const SubfileSelectionKeeper keeper(doc);
    const int d = std::max(choices.degree, 1);
    family->Select(panel);
    const BufferColumn c = family->ColumnOf(panel, choices.resultIndex[p]);
    if (!c.logged || c.column.stride == 0)
        return false;

    data.PanelTitles[p] = "BUFFER CONTENTS" + (family->IsVector(panel) && !c.resultName.empty()
                                                   ? StrPrintf("  Vector  -  %s       ", c.resultName.c_str())
                                                   : ResultPart(*family, panel, c, false));
    data.PanelResultNames[p] = c.resultName.empty() ? family->FunctionName() : c.resultName;
    std::string lower = c.resultName;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char ch) { return std::tolower(ch); });
    data.VdvPanel[p] = lower == "vdv" ? 1 : 0;

    // Record numbers: those an edited file kept, else 1, 2, 3, ...
    const std::uint32_t records = family->RecordCount();
    const RecordIndex& index = doc.GetRecordIndex();
    data.TimeStamps.resize(records);
    for (std::uint32_t r = 0; r < records; ++r)
        data.TimeStamps[r] = doc.RecordIndexPresent() && r < index.size() ? index[r] : r + 1;

    const bool linear = LinearDisplay(doc, choices.units);
    data.BufferValues[p] = PlotSeries(ReadColumn(doc, *family, c, false, linear, d).values);

    const ImageReader image = doc.Reader();
    const bool hasTotal = c.total != TotalKind::None;
    data.SeriesB[p].Clear();
    data.SeriesC[p].Clear();
    data.BlockLmax[p] = data.BlockLmin[p] = kMissingValue;
    const auto& on = choices.blockResults;
    if (choices.block && std::find(on.begin(), on.end(), true) != on.end()) {
        // The block's windows, from the first marker's record, end at the last record.
        const std::size_t first = std::min<std::size_t>(choices.markers[0], records);
        const std::size_t count =
            std::min<std::size_t>(std::size_t{choices.markers[1]} - std::min(choices.markers[0], choices.markers[1]) + d,
                                  records - first);
        std::vector<double> leq(on[kBlockLeq] && hasTotal ? records : 0);
        std::vector<double> sel(on[kBlockSel] && hasTotal ? records : 0);
        double maximum = kMissingValue, minimum = kMissingValue;
        const std::size_t read = RunningTotals(image, c.column, family->Coding(), first, count, family->TimeStep(),
                                               RunningTotalsOut{.leq = leq,
                                                                .sel = sel,
                                                                .min = on[kBlockMin] ? &minimum : nullptr,
                                                                .max = on[kBlockMax] ? &maximum : nullptr});
        if (!leq.empty())
            data.SeriesB[p] = BlockSeries(std::move(leq), read, d);
        if (!sel.empty())
            data.SeriesC[p] = BlockSeries(std::move(sel), read, d);
        // Linear panels read their block extremes in the units of their values.
        auto shown = [&](double level) {
            if (!linear || level == kMissingValue)
                return level;
            Aggregate(AggregationKind::Maximum, std::span(&level, 1), true, ChannelLinearScale(doc), 1);
            return level;
        };
        data.BlockLmax[p] = shown(maximum);
        data.BlockLmin[p] = shown(minimum);
    }

    data.SeriesA[p].Clear();
    if (choices.totals && hasTotal) {
        std::vector<double> total(records);
        const std::size_t read =
            RunningTotals(image, c.column, family->Coding(), 0, records, family->TimeStep(),
                          RunningTotalsOut{.leq = total, .sel = {}, .min = nullptr, .max = nullptr});
        total.resize(read);
        total.resize(Aggregate(AggregationKind::EnergyMean, total, false, {}, d));
        data.SeriesA[p] = PlotSeries(std::move(total));
    }
    return true;
}

} // namespace orlu
