#pragma once
// The sample cross table: the table form of a view that shows several time
// waveforms or time intersections at once, one column of the staged matrix
// per file, channel or waveform, one line per sample.
//
// Layouts (the format flag modulo 2):
//   0  a row per column: a header of sample numbers, then per column its
//      label, unit and samples;
//   1  a row per sample: the label row (and the input row of a channel mask
//      with input names), the unit row, then per sample its number and every
//      column's value.
// A missing value shows "----".

#include "document/LineList.h"
#include "reports/table/CrossTableSource.h"
#include "reports/table/MultiSpectrumMatrix.h"
#include "reports/table/TableOutputOptions.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orlu {

/// What one sample cross table shows and how. The lists are per column, empty when not given.
struct SampleCrossTable {
    /// The caption is the cross-table caption of this kind (1 time waveforms, 7 time
    /// intersections), or CaptionText when that is not empty.
    int CaptionKind = 1;
    std::string_view CaptionText;
    /// The unit cell of every column when UnitNames is empty, such as "[V]       ".
    std::string_view UnitText;
    /// 0-based channel the caption names.
    std::uint16_t Channel = 0;
    /// Bit i: channel i + 1 is a column; 0 when the columns are files or waveforms.
    std::uint16_t ChannelMask = 0;
    /// The sample number of each line, printed as an integer.
    std::span<const double> SampleNumbers;
    /// printf format of a value.
    std::string_view ValueFormat = "%-10.2e";
    /// 2: the table shows a marked block.
    std::uint8_t BlockMode = 0;
    std::span<const std::string> InputNames;
    std::span<const std::string> UnitNames;
    std::span<const std::string> ValueFormats;
};

/// Appends the cross table of the matrix to lines and writes its widest line to *widthOut.
/// Returns 1 when written, 0 when the memory for its rows could not be had.
int WriteSampleCrossTable(LineList& lines, int* widthOut, const CrossTableSource& doc,
                          const SampleCrossTable& table, const TableOutputOptions& options,
                          const MultiSpectrumMatrix& matrix);

} // namespace orlu
