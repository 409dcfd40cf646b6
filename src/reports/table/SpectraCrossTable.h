#pragma once
// The spectra cross table: the table form of a view that shows several
// spectra at once (FFT spectra and the two-channel functions, 1/1 and 1/3
// octaves, statistical levels Ln of octave bands), one column of the staged
// matrix per file, channel, record or spectrum, one line per frequency line.
//
// Layouts (the format flag modulo 2):
//   0  a row per column: a header of line numbers, a row of frequencies
//      (again wherever a four-channel column starts its own frequency axis),
//      then per column its date, time, label, unit and values;
//   1  a row per line: date and time rows, the label row, the input and unit
//      rows, then per line its number, its frequency and every column's value.
// The last tailCount lines of a spectrum are its named totals; a marked
// block ("Blocks of ...") names them Blk_RMS. A missing value, or a line
// that is not among the marked greatest peaks, shows "----".

#include "document/LineList.h"
#include "reports/table/CrossTableSource.h"
#include "reports/table/MultiSpectrumMatrix.h"
#include "reports/table/TableOutputOptions.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orlu {

/// What one spectra cross table shows and how. The lists are per column, empty when not given.
struct SpectraCrossTable {
    /// 1 to 7: time waveforms, FFT spectra (2), octaves 1/1, octaves 1/3, phase spectra,
    /// buffer, time intersections; 13, 14: level mode over octave bands 1/1, 1/3; 23, 24:
    /// statistical levels of octave bands 1/1, 1/3 per sub-file.
    int Kind = 2;
    /// Named in the caption when above 1.
    int AggregationDegree = 0;
    /// FFT only: the spectra function (above 4 a two-channel function) and its part
    /// (0 power, 1 phase, 2 real part, 3 imaginary part).
    int FunctionCode = 0;
    int PartCode = 0;
    /// The unit cell of every column when UnitNames is empty, such as "[dB]      ".
    std::string_view UnitText;
    /// 0-based channels: the caption's, and the two of a two-channel function.
    std::uint16_t ChannelA = 0;
    std::uint16_t ChannelB = 0;
    /// Bit i: channel i + 1 is a column; 0 when the columns are not channels.
    std::uint16_t ChannelMask = 0;
    /// Named in the caption when not 0.
    unsigned RecordNumber = 0;
    /// The sub-file (from 1) the caption names.
    std::uint16_t FileIndex = 0;
    /// The frequency of each line (without a frequency matrix).
    std::span<const double> Frequencies;
    /// How many of the last lines are named totals.
    std::uint16_t TailCount = 0;
    /// printf format of a frequency; empty: "%-10.1f".
    std::string_view FrequencyFormat;
    /// printf format of a value.
    std::string_view ValueFormat = "%-10.1f";
    /// 2: the table shows a marked block.
    std::uint8_t BlockMode = 0;
    std::span<const std::string> InputNames;
    std::span<const std::string> ColumnNames;
    std::span<const std::string> UnitNames;
    std::span<const std::string> ValueFormats;
    /// With a frequency matrix: per column the format of its frequencies, or empty when the
    /// column shares the frequency axis of the column before it; entry 0 is always given.
    std::span<const std::string> FrequencyFormats;
    /// Per column its packed date and its time of day in 2-second units.
    std::span<const std::uint16_t> Dates;
    std::span<const std::uint16_t> Times;
    /// Per channel and line, non-zero for a line among the greatest peaks; empty: no marks.
    std::span<const std::uint8_t> PeakMarks;
    /// The first line of the shown block within the marks.
    std::size_t PeakOffset = 0;
    /// The level n of Ln, or the number of greatest peaks.
    std::uint8_t N = 0;
    /// When not empty, the caption of kinds other than the FFT spectrum and the levels.
    std::string_view CaptionOverride;
};

/// Appends the cross table of the matrix (and, for the four-channel family, the matrix
/// of each column's frequencies) to lines and writes its widest line to *widthOut.
/// Returns 1 when written, 0 when the memory for its rows could not be had.
int WriteSpectraCrossTable(LineList& lines, int* widthOut, const CrossTableSource& doc,
                           const SpectraCrossTable& table, const TableOutputOptions& options,
                           const MultiSpectrumMatrix& matrix, const MultiSpectrumMatrix* frequencyMatrix = nullptr);

/// The entry the octave table forms call for spectra staged in a scratch file: the same
/// table, as the matrix holder reads either storage alike.
inline int WriteSpectraCrossTable2(LineList& lines, int* widthOut, const CrossTableSource& doc,
                                   const SpectraCrossTable& table, const TableOutputOptions& options,
                                   const MultiSpectrumMatrix& matrix,
                                   const MultiSpectrumMatrix* frequencyMatrix = nullptr)
{
    return WriteSpectraCrossTable(lines, widthOut, doc, table, options, matrix, frequencyMatrix);
}

} // namespace orlu
