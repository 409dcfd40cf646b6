#pragma once
// The multi element picture of a logger of spectra: the grid's rows are time
// points spread evenly from the first to the last record asked for, its
// columns the values of a spectrum. A row that falls on a record shows that
// record; one between two records the straight line between them. Only the
// records the rows need are read, whatever the logger's length.
//
// The level range starts from the first cell and both ends follow every cell,
// so a picture whose values only fall still reports its highest value. A grid
// of fewer than two rows shows one row at the first record.

#include "analysis/MultiElementGrid.h"

#include <cstdint>
#include <functional>
#include <span>

namespace orlu {

/// Reads the values of record r (from 0) in the picture's quantity into out; false
/// when the record cannot be read (its cells stay missing).
using SpectrumRowReader = std::function<bool(std::uint32_t record, std::span<double> out)>;

/// Fills grid.Values (Rows x rowLength, Columns set to rowLength), the time bounds and
/// the level range from the records between grid.FirstRecord and grid.LastRecord
/// (1-based, kept inside 1 .. recordCount).
void FillMultiElementGrid(MultiElementGrid& grid, std::size_t rowLength, std::uint32_t recordCount,
                          const SpectrumRowReader& read);

} // namespace orlu
