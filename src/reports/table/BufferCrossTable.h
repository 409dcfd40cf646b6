#pragma once
// The multi element table of buffer and logger results: one column per
// channel, profile or sub-file, one value per result, taken from a matrix of
// doubles the statistics renderer staged (the value of column g at result k
// is line k of column g). Two layouts by the format flag modulo 2: 0 a row
// per column, 1 a row per result.

#include "document/LineList.h"
#include "document/MissingValue.h"
#include "reports/table/MultiSpectrumMatrix.h"
#include "reports/table/StatisticsCrossTables.h"
#include "reports/table/TableOutputOptions.h"

#include <optional>
#include <string>
#include <vector>

namespace orlu {

struct BufferCrossTable {
    /// The caption row: 120 + Kind ("Buffer:" for 6), or "Logger:" for 6 on the later models.
    std::uint16_t Kind = 6;
    bool LaterModel = false;
    /// "  Channel #n" after the caption (1-based), when the table shows one channel's results.
    std::optional<int> Channel;
    bool BlockShown = false;
    /// Lines after the caption; the second takes the decimal character in its number.
    std::string ExtraLine1;
    std::string ExtraLine2;

    /// What the columns are; without it they are numbered.
    std::optional<CrossElementKind> ColumnKind;
    std::vector<std::string> Labels; ///< per column (a sub-file name, "#1", "#1:P2")
    // Per column, each shown in a row (a column) of its own when not empty.
    std::vector<std::string> FunctionNames;
    std::vector<std::string> FilterNames;
    std::vector<std::string> DetectorNames;
    std::vector<std::string> UnitNames;
    std::vector<std::string> ValueFormats; ///< printf format of each column's values
    std::vector<double> ResultNumbers;     ///< per result, shown as integers
};

/// Appends the table: ResultNumbers.size() results of ValueFormats.size() columns from
/// `matrix`; a missing value shows as "----". Returns 1 (written).
int WriteBufferCrossTable(LineList& lines, int* widthOut, const BufferCrossTable& table,
                          const MultiSpectrumMatrix& matrix, const TableOutputOptions& options);

/// Stages a column per series (anything with a `values` vector of doubles) for the
/// table: values first to first + count - 1; a series shorter than that shows the
/// rest as missing.
template <typename Series>
void StageBufferColumns(MultiSpectrumMatrix& matrix, const std::vector<Series>& series, std::size_t first,
                        std::size_t count)
{
    std::vector<double> column(count);
    for (const Series& s : series) {
        for (std::size_t i = 0; i < count; ++i)
            column[i] = first + i < s.values.size() ? s.values[first + i] : kMissingValue;
        matrix.AppendColumn(column);
    }
}

/// The label of a channel column: "#n:P<profile>" for a four-channel file's channels 1
/// to 4 when profiles are given, else "#n" (channel counted from 1).
std::string BufferChannelLabel(int channel, std::optional<int> profile);

} // namespace orlu
