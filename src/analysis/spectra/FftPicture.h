#pragma once
// The multi element picture of a file of many FFT spectra: the grid's rows are
// time points between the first and last record asked for (the records' time
// grid of MultiElementPicture), its columns frequency points spread evenly over
// the frequency range asked for (the whole spectrum when none is), each the
// straight line between the two lines around it. The values are those of the
// display quantity, one line per group.

#include "analysis/MultiElementGrid.h"
#include "analysis/spectra/FftLines.h"

#include <functional>
#include <optional>
#include <vector>

namespace orlu {

/// The stored levels (dB) of record r (from 0), at least lines.lines of them; nothing
/// when the record cannot be read.
using FftRecordReader = std::function<std::optional<std::vector<double>>(std::uint32_t record)>;

/// Fills the grid from the records (grid.Columns frequency points, 2 to 60), its
/// frequency bounds, and its range bottom and top (the document's range bottom, its top
/// + 10 dB). Nothing when the spectrum has fewer than two lines.
void FillFftPicture(MultiElementGrid& grid, const FftLines& lines, std::uint32_t records, double rangeBottom,
                    double rangeTop, const FftRecordReader& read);

} // namespace orlu
