#pragma once
// A level column of a time history read and reduced by the aggregation degree
// in one pass: each window's level words are decoded once and their energies
// looked up by their tenths, with no array of every record's level held on the
// way. The values are the very numbers ReadLevelRun followed by Aggregate
// give; a long column is reduced on several threads.

#include "analysis/statistics/Aggregation.h"
#include "document/buffer/ColumnReader.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orlu {

/// Whether AggregateLevelColumn reduces columns of this kind (the energy mean, maximum and minimum).
bool ReducesLevelColumn(AggregationKind kind);

/// The levels of rows 0 .. records - 1 of the column (as many as lie in the image), reduced
/// by the degree: n / d windows, or the n levels as read when dB output needs no reduction
/// (d = 1). values and overload are resized to the values given; a window's flag is 1 when
/// one of its records is overloaded. The kind must be one ReducesLevelColumn accepts.
void AggregateLevelColumn(const ImageReader& image, const TimeHistoryColumn& column, LevelCoding coding,
                          std::size_t records, AggregationKind kind, bool linear, const LinearScale& scale, int degree,
                          std::vector<double>& values, std::vector<std::uint8_t>& overload);

} // namespace orlu
