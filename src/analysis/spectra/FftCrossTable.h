#pragma once
// The table form of several FFT spectra at once (every record, every file of
// a Multifile, or the channels of the view's mask): each prepared spectrum is
// one column of the spectra cross table, one line per group of lines. A
// two-channel function gives three columns per record: the own spectra of
// channels A and B, then the function. Only the cursor block's groups are
// staged while the block is active; the TOTAL line is staged otherwise.

#include "analysis/spectra/FftSpectrumForm.h"
#include "document/CTmDoc.h"
#include "document/LineList.h"
#include "reports/table/TableOutputOptions.h"

#include <cstdint>
#include <span>
#include <string>

namespace orlu {

/// One column: a prepared spectrum, the channel it came from (0-based) and its input kind.
struct FftTableColumn {
    FftSpectrumForm form;
    int channel = 0;
    std::uint16_t inputKind = 0;
};

/// What the whole table shows.
struct FftTableSetup {
    int function = 1;             ///< SpectraFunctionCode
    int form = 0;                 ///< SpectraOutputForm
    int degree = 1;               ///< aggregation degree
    int channelA = 0, channelB = 0;
    std::uint16_t channelMask = 0; ///< columns are these channels; 0 records or files
    int peaksNum = 0;             ///< the view's number of greatest peaks; 0 no marks
};

/// Appends the cross table of the columns; 0 when no column holds a spectrum or the
/// rows could not be staged.
int AppendFftCrossTable(LineList& lines, int* widest, CTmDoc& doc, const FftTableSetup& setup,
                        std::span<const FftTableColumn> columns, const TableOutputOptions& options);

} // namespace orlu
