#pragma once
// The column-pair table: one result given as two parallel series, x (class
// bounds, percentages, sample or result numbers, frequencies) against y
// (percentages, levels, amplitudes), for the single-element table forms of
// the statistics, spectra and monitoring-station reports.
//
// Layouts (the format flag modulo 3):
//   0  pairs side by side: the series runs down the first column pair, then
//      down the next; one header line with every column title;
//   1  one pair per row under the first two column titles;
//   2  transposed: two lines, the x values after the first title and the y
//      values after the second, without a header line.
// The last namedTail pairs of a spectrum are its total values: they are
// written with their names instead of x.

#include "document/LineList.h"
#include "platform/UserInteraction.h"
#include "reports/table/TableOutputOptions.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orlu {

/// What the column-pair table reads of the document.
struct ColumnTableSource {
    /// Band kind of the current result: 2 FFT spectrum, 3 octaves 1/1, 4 octaves 1/3.
    int BandKind = 0;
    /// 1: the spectrum's total is its first line; 2: its last line; other values: none.
    int FftTotalPosition = 0;
    // The model families that name their total rows from the total-name list.
    bool Family515Text = false;
    bool Family515 = false;
    bool Family525 = false;
    bool Family535 = false;
    /// Firmware version times 100.
    int FirmwareVersion = 0;
    /// Input kind of the current channel (2 = microphone).
    int InputKind = 0;
    /// The names of a spectrum's trailing total values.
    std::span<const std::string> TotalNameList;
    /// Shows the wait cursor while the table is written; may be null.
    UserInteraction* Ui = nullptr;
};

/// How the column-pair table is laid out and printed.
struct ColumnTableFormat {
    /// Number of column pairs side by side in layout 0 (1 to 4).
    unsigned Pairs = 4;
    /// The caption line, written as it is.
    std::string_view Caption;
    /// The column titles, 2 x Pairs words separated by blanks.
    std::string_view HeaderWords;
    /// printf format of one pair, taking x then y (two floating conversions).
    const char* RowFormat = "";
    /// printf format of a named row, taking the name then y; null when there are no named rows.
    const char* NameFormat = nullptr;
};

/// Appends the table of the pairs (x[i], y[i]) to lines and writes the widest line to
/// *widthOut. The last namedTail pairs are named rows. Returns 1 when written, 0 when the
/// row buffer could not be had (the caption is then the only line added).
int WriteColumnTable(LineList& lines, int* widthOut, const ColumnTableSource& doc,
                     std::span<const double> x, std::span<const double> y, std::uint16_t namedTail,
                     const TableOutputOptions& options, const ColumnTableFormat& format);

} // namespace orlu
