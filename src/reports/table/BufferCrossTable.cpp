#include "reports/table/BufferCrossTable.h"

#include "platform/ValueFormat.h"
#include "reports/common/ReportCaptionTable.h"
#include "reports/table/CrossTableRows.h"
#include "reports/table/MultiSpectrumMatrix.h"

#include <algorithm>
#include <cmath>

namespace orlu {
namespace {

constexpr std::uint16_t kKindBuffer = 6;
// Rows of many columns are read from the matrix this many results at a time.
constexpr std::size_t kResultsPerRead = 256;

std::string Caption(const BufferCrossTable& t)
{
    std::string caption = t.BlockShown ? "Blocks of " : "";
    const std::size_t row =
        t.Kind == kKindBuffer && t.LaterModel ? std::size_t{kCaptionLogger} : std::size_t{kCaptionCrossTableBase} + t.Kind;
    caption += row < ReportCaptionTable.size() ? ReportCaptionTable[row] : std::string_view();
    if (t.Channel)
        caption += StrPrintf("  Channel #%d", *t.Channel);
    return caption;
}

struct NameRow {
    std::string_view layout0;
    std::string_view layout1;
    const std::vector<std::string>* names;
};

long long ResultNumber(double number)
{
    return static_cast<long long>(std::trunc(number));
}

} // namespace

std::string BufferChannelLabel(int channel, std::optional<int> profile)
{
    return profile ? StrPrintf("#%1d:P%-6d", channel, *profile) : StrPrintf("#%-9d", channel);
}

int WriteBufferCrossTable(LineList& lines, int* widthOut, const BufferCrossTable& t, const MultiSpectrumMatrix& matrix,
                          const TableOutputOptions& options)
{
    CrossTableRows rows(lines, options);
    const std::size_t columns = t.ValueFormats.size();
    const std::size_t results = t.ResultNumbers.size();
    std::vector<const CrossTableRows::NumberFormat*> formats;
    for (const std::string& format : t.ValueFormats)
        formats.push_back(&rows.FormatOf(format));

    rows.Caption(Caption(t));
    if (!t.ExtraLine1.empty())
        rows.Caption(t.ExtraLine1);
    if (!t.ExtraLine2.empty()) {
        std::string line = t.ExtraLine2;
        if (const std::size_t point = line.find('.'); point != std::string::npos)
            line[point] = DecimalChar(options.DecimalIndex);
        rows.Caption(std::move(line));
    }
    rows.EndRow(); // the empty line before the table

    constexpr std::string_view kKindWords[] = {"file      ", "chan      ", "prof      "};
    constexpr std::string_view kKindMarkers[] = {"__file->  ", "__chan->  ", "__prof->  "};
    const NameRow names[] = {
        {"func      ", "__func->  ", &t.FunctionNames},
        {"fltr      ", "__fltr->  ", &t.FilterNames},
        {"dtct      ", "__dtct->  ", &t.DetectorNames},
        {"unit\\n->  ", "n         ", &t.UnitNames},
    };
    auto label = [&](std::size_t g) {
        if (t.ColumnKind && g < t.Labels.size())
            rows.Text(t.Labels[g]);
        else
            rows.Integer(static_cast<long long>(g + 1));
    };
    auto name = [&](const std::vector<std::string>& list, std::size_t g) {
        rows.Text(g < list.size() ? std::string_view(list[g]) : std::string_view());
    };
    const std::size_t kind = t.ColumnKind ? static_cast<std::size_t>(*t.ColumnKind) : 0;

    if (options.FormatFlag % 2 == 0) {
        if (t.ColumnKind)
            rows.Cell(kKindWords[kind]);
        for (const NameRow& row : names)
            if (!row.names->empty())
                rows.Cell(row.layout0);
        for (double number : t.ResultNumbers)
            rows.Integer(ResultNumber(number));
        rows.EndRow();
        std::vector<double> column(results);
        for (std::size_t g = 0; g < columns; ++g) {
            if (t.ColumnKind)
                label(g);
            for (const NameRow& row : names)
                if (!row.names->empty())
                    name(*row.names, g);
            matrix.ReadColumn(g, 0, column);
            for (double v : column)
                rows.Number(v, *formats[g]);
            rows.EndRow();
        }
    } else {
        rows.Cell(t.ColumnKind ? kKindMarkers[kind] : "__no->    ");
        for (std::size_t g = 0; g < columns; ++g)
            label(g);
        rows.EndRow();
        for (const NameRow& row : names) {
            if (row.names->empty())
                continue;
            rows.Cell(row.layout1);
            for (std::size_t g = 0; g < columns; ++g)
                name(*row.names, g);
            rows.EndRow();
        }
        std::vector<double> block;
        for (std::size_t first = 0; first < results; first += kResultsPerRead) {
            const std::size_t count = std::min(kResultsPerRead, results - first);
            block.assign(count * columns, 0.0);
            matrix.ReadLines(first, count, columns, block);
            for (std::size_t k = 0; k < count; ++k) {
                rows.Integer(ResultNumber(t.ResultNumbers[first + k]));
                for (std::size_t g = 0; g < columns; ++g)
                    rows.Number(block[g * count + k], *formats[g]);
                rows.EndRow();
            }
        }
    }
    if (widthOut)
        *widthOut = rows.Widest();
    return 1;
}

} // namespace orlu
