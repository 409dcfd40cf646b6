#pragma once
// One FFT spectrum made ready for its text, table and graph forms: peaks
// marked (or the tones), the cursor-block total taken and the lines
// aggregated, in that order, on the levels as read; the group frequencies;
// and the text block and column table that show it. The phase form shows
// every line as it is: no TOTAL, no block, no peaks, no aggregation.

#include "analysis/spectra/FftLines.h"
#include "analysis/spectra/SpectrumPeaks.h"
#include "document/LineList.h"
#include "reports/table/TableOutputOptions.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orlu {

/// How the view wants the spectrum shown.
struct SpectrumShowing {
    int degree = 1;
    bool phase = false;
    int phaseUnit = 0;          ///< 0 rad, 1 deg, 2 grad
    bool peaksShown = false;
    PeakSearch peaks;           ///< its block fields are the cursor block's
    bool block = false;         ///< two markers: the block of lines c1 .. c2
    int c1 = 0, c2 = 0;
};

struct FftSpectrumForm {
    std::string caption;             ///< the block's caption, from the function caption on
    std::vector<double> x;           ///< group frequencies; the TOTAL's slot holds 0
    std::vector<double> y;           ///< group values; the TOTAL at its position
    std::vector<std::uint8_t> marks; ///< per group: 1 a peak
    int groups = 0;                  ///< groups of lines, the TOTAL not counted
    int totalPosition = 0;           ///< 0 none, 1 at index 0, 2 after the groups
    int peaks = 0;
    bool block = false;
    int g1 = 0, g2 = 0;              ///< the block's groups
    double blockTotal = 0.0;
    bool phase = false;
    int phaseUnit = 0;
    int unitIndex = 0;               ///< 0 dB, 1 V, 2 Pa, 3 m/s2, 4 m/s, 5 m, 9 g, 10 in/s, 11 in
    bool twoDecimals = false;        ///< resolution below 1 Hz
    bool linear() const { return !phase && unitIndex != 0; }
};

/// Prepares values (L levels in dB and the TOTAL at index L when the lines' totalPosition is
/// 2, or L phases) shown as lines.quantity. caption is the function's part of the block caption.
FftSpectrumForm PrepareFftSpectrum(const FftLines& lines, std::span<const double> values,
                                   const SpectrumShowing& showing, std::string caption);

/// Appends the text block of one spectrum: an empty line, the caption, the peaks or block
/// line, the framed three-column rows.
void AppendSpectrumText(const FftSpectrumForm& form, LineList& lines, int* widest);

/// Appends the column table of one spectrum; caption is the table's own (blanks become '_').
void AppendSpectrumTable(const FftSpectrumForm& form, std::string caption, LineList& lines, int* widest,
                         const TableOutputOptions& options, std::uint16_t inputKind);

} // namespace orlu
