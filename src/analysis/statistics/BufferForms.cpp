#include "analysis/statistics/BufferForms.h"

#include "analysis/statistics/Aggregation.h"
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
#include <string>
#include <string_view>
#include <vector>

namespace orlu {
namespace {

// One channel's buffer column and what the forms say of it.
struct BufferColumn {
    TimeHistoryColumn column;
    std::string resultName; ///< empty: the channel's function names the column
    AggregationKind kind = AggregationKind::EnergyMean;
    TotalKind total = TotalKind::None;
    bool logged = true; ///< false: the channel logs no n-th result, and nothing is read
};

bool IsLegacy(const CTmDoc& doc)
{
    return doc.IsLegacyDocument() && doc.LegacyDecoded();
}

bool HasBuffer(const CTmDoc& doc)
{
    return IsLegacy(doc) && doc.Legacy().timeHistory;
}

std::uint32_t RecordCount(const LegacyHeader& h)
{
    return h.merged ? h.declaredCount : h.shownRecordCount;
}

// Multi-channel records hold every logged result of every channel: the n-th of
// channel ch follows those of the channels before it. Single-channel records
// hold one level word, named by the channel's function.
BufferColumn ColumnOf(const CTmDoc& doc, int ch, int n)
{
    const LegacyHeader& h = doc.Legacy();
    BufferColumn c;
    c.column.first = h.bufferDataStart;
    if (h.singleChannel) {
        c.column.stride = 1;
        c.total = TotalKindByFunction(doc.Channel().function, doc.Channel().inputKind);
        return c;
    }
    std::array<std::uint8_t, kLegacyMaxChannels> counts{};
    for (int k = 0; k < kLegacyMaxChannels; ++k)
        counts[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(h.Channel(k).bufferBitCount);
    c.column.stride = static_cast<std::int16_t>(h.resultsPerRecord);
    c.column.offset = static_cast<std::int16_t>(SumBytes(counts, ch, static_cast<std::uint16_t>(n)));
    const std::uint16_t slotMask = static_cast<std::uint16_t>(h.Channel(ch).bufferWord & 0xFF);
    const auto slot = FindLoggedResult(std::span(&slotMask, 1), n);
    if (!slot) {
        c.logged = false;
        return c;
    }
    const bool newNames = h.formatVersion > 32;
    c.resultName = std::string(NameFor(newNames ? BufferResultNamesNew : BufferResultNamesOld, slot->bit));
    c.kind = GetAggregationKind(c.resultName);
    if (slot->bit == (newNames ? 4 : 0))
        c.total = TotalKindOfInput(doc.Channel().inputKind);
    return c;
}

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

ColumnValues ReadColumn(const CTmDoc& doc, const BufferColumn& c, bool totals, bool linear, int degree)
{
    const LegacyHeader& h = doc.Legacy();
    const ImageReader image = doc.Reader();
    ColumnValues out;
    if (!c.logged || !h.timeHistory)
        return out;
    out.values.assign(RecordCount(h), 0.0);
    out.overload.assign(out.values.size(), 0);
    std::size_t n = 0;
    AggregationKind kind = c.kind;
    if (totals) {
        n = RunningTotals(image, c.column, LevelCodingForVersion(h.formatVersion), 0, out.values.size(), h.timeStep,
                          RunningTotalsOut{.leq = out.values, .sel = {}, .min = nullptr, .max = nullptr});
        kind = AggregationKind::EnergyMean;
    } else {
        n = ReadLevelRun(image, c.column, LevelCodingForVersion(h.formatVersion), 0, out.values, out.overload);
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
std::string CaptionStart(const CTmDoc& doc, const BufferChoices& choices, TotalKind total)
{
    std::string caption = choices.block ? "Block of the " : "";
    if (choices.totals && total != TotalKind::None)
        caption += total == TotalKind::TotalLeq ? "Total LEQ for " : "Total RMS for ";
    caption += "Buffer contents";
    caption += doc.Legacy().merged ? StrPrintf(" (file: %s):", doc.GetSubfileName(doc.LegacySubfile()).c_str()) : ":";
    return caption;
}

std::string FunctionName(const CTmDoc& doc)
{
    std::string_view name = NameFor(LegacyFunctionNames, doc.Channel().function);
    if (!name.empty() && name.front() == ' ')
        name.remove_prefix(1);
    return std::string(name);
}

// The result part of the caption: the channel and result, or the function.
std::string ResultPart(const CTmDoc& doc, int ch, const BufferColumn& c, bool totals)
{
    const LegacyHeader& h = doc.Legacy();
    if (!c.resultName.empty()) {
        if (ch == 4 && h.vector)
            return StrPrintf("  Vector  -  %s ", c.resultName.c_str());
        return StrPrintf("  %s #%d  -  %s ", h.channelMode != 0 ? "Channel" : "Profile", ch + 1, c.resultName.c_str());
    }
    return totals ? std::string() : StrPrintf("  -  %s ", FunctionName(doc).c_str());
}

void Add(LineList& lines, int* widest, std::string line)
{
    AddLine(lines, line, widest);
}

std::vector<int> ShownChannels(const CTmDoc& doc, std::uint16_t mask)
{
    const LegacyHeader& h = doc.Legacy();
    std::vector<int> channels;
    if (mask == 0 || h.singleChannel)
        return {0};
    // Channels the file does not hold have no column.
    for (int ch = 0; ch < kLegacyMaxChannels; ++ch)
        if (mask & h.profileMask & (1u << ch))
            channels.push_back(ch);
    return channels;
}

} // namespace

bool TextBuffer(CTmDoc& doc, LineList& lines, int* widest, const BufferChoices& choices)
{
    ClearLineList(&lines);
    if (!IsLegacy(doc))
        return false;
    // The renderer selects each channel it shows; the view keeps its own.
    const SubfileSelectionKeeper keeper(doc);
    const int d = std::max(choices.degree, 1);
    const std::string rule(kTimeHistoryRuleLength, '-');
    int wide = widest ? *widest : 0;
    for (int ch : ShownChannels(doc, choices.channelMask)) {
        doc.SelectLegacyChannel(ch);
        const LegacyHeader& h = doc.Legacy();
        const BufferColumn c = ColumnOf(doc, ch, choices.resultIndex[static_cast<std::size_t>(ch)]);
        const bool totals = choices.totals && c.total != TotalKind::None;
        const bool linear = LinearDisplay(doc, choices.units);
        const ColumnValues column = ReadColumn(doc, c, totals, linear, d);
        const PositionRange range = RangeOf(choices, column.values.size());

        Add(lines, &wide, "");
        Add(lines, &wide, CaptionStart(doc, choices, c.total) + ResultPart(doc, ch, c, totals));
        std::string count = StrPrintf("   total number of results = %lu", static_cast<unsigned long>(RecordCount(h) / d));
        if (d > 1)
            count += StrPrintf(" [aggreg.degree=%d]", d);
        Add(lines, &wide, count);
        if (choices.block)
            Add(lines, &wide, StrPrintf("   number of results in the block = %lu", static_cast<unsigned long>(range.count)));
        Add(lines, &wide,
            StrPrintf("   results DELTA_INT = %s",
                      std::string(NameFor(BufferStepNames, doc.Channel().timeConstant)).c_str()));
        if (h.timeHistory)
            Add(lines, &wide, StrPrintf("   results time step = %g s", d * h.timeStep));
        Add(lines, &wide, rule);
        // Without a time history there is nothing more to show, of any channel.
        if (!h.timeHistory)
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
void TableChannels(CTmDoc& doc, LineList& lines, int* widest, const BufferChoices& choices,
                   const TableOutputOptions& options)
{
    const LegacyHeader& h = doc.Legacy();
    const int d = std::max(choices.degree, 1);
    const std::uint16_t mask = choices.channelMask != 0 ? choices.channelMask : h.profileMask;
    std::vector<ColumnValues> columns;
    BufferCrossTable table;
    table.ColumnKind = CrossElementKind::Channel;
    table.BlockShown = choices.block;
    std::size_t values = 0;
    for (int ch : ShownChannels(doc, mask)) {
        doc.SelectLegacyChannel(ch);
        const BufferColumn c = ColumnOf(doc, ch, choices.resultIndex[static_cast<std::size_t>(ch)]);
        const bool totals = choices.totals && c.total != TotalKind::None;
        const bool linear = LinearDisplay(doc, choices.units);
        columns.push_back(ReadColumn(doc, c, totals, linear, d));
        values = std::max(values, columns.back().values.size());
        const bool vector = ch == 4 && h.vector;
        table.Labels.push_back(BufferChannelLabel(ch + 1, std::nullopt));
        table.FunctionNames.push_back(totals ? (c.total == TotalKind::TotalLeq ? "totLEQ" : "totRMS")
                                      : c.resultName.empty() ? FunctionName(doc)
                                                             : c.resultName);
        table.FilterNames.push_back(vector ? "MODULE" : std::string(LegacyFilterFor(doc.Channel().filter).Name));
        table.DetectorNames.push_back(vector ? "------"
                                             : std::string(NameFor(RmsDetectorNames, doc.Channel().rmsDetectorType)));
        table.UnitNames.emplace_back(kUnitWords[UnitIndex(doc.Channel(), c.resultName, linear)]);
        table.ValueFormats.emplace_back(linear ? "%-10.2e" : "%-10.1f");
    }
    const PositionRange range = RangeOf(choices, values);
    for (std::size_t i = 0; i < range.count; ++i)
        table.ResultNumbers.push_back(static_cast<double>(range.first + i + 1));
    // A channel with fewer values than the others shows the rest as missing.
    MultiSpectrumMatrix matrix(range.count);
    std::vector<double> column(range.count);
    for (const ColumnValues& c : columns) {
        for (std::size_t i = 0; i < range.count; ++i)
            column[i] = range.first + i < c.values.size() ? c.values[range.first + i] : kMissingValue;
        matrix.AppendColumn(column);
    }
    WriteBufferCrossTable(lines, widest, table, matrix, options);
}

} // namespace

bool TableBuffer(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content, const BufferChoices& choices,
                 const TableOutputOptions& options)
{
    content = 2;
    if (!HasBuffer(doc))
        return false;
    const int d = std::max(choices.degree, 1);
    const SubfileSelectionKeeper keeper(doc);
    if (!doc.Legacy().singleChannel) {
        int wide = widest ? *widest : 0;
        TableChannels(doc, lines, &wide, choices, options);
        if (widest)
            *widest = wide;
        return true;
    }
    doc.SelectLegacyChannel(0);
    const BufferColumn c = ColumnOf(doc, 0, 0);
    const bool totals = choices.totals && c.total != TotalKind::None;
    const bool linear = LinearDisplay(doc, choices.units);
    const ColumnValues column = ReadColumn(doc, c, totals, linear, d);
    const PositionRange range = RangeOf(choices, column.values.size());

    std::string caption = CaptionStart(doc, choices, c.total) + ResultPart(doc, 0, c, totals);
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

} // namespace orlu
