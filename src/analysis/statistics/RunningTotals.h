#pragma once
// Running totals of a time history: after each record the Leq and the sound
// exposure level of the records so far, and the minimum and maximum of them
// all. Levels come from an array or straight from a column of the image.

#include "document/buffer/ColumnReader.h"

#include <cstddef>
#include <span>

namespace orlu {

/// Where the totals go; an empty span or a null pointer is not computed.
struct RunningTotalsOut {
    std::span<double> leq; ///< leq[i]: the Leq of records 0..i
    std::span<double> sel; ///< sel[i]: 10 lg(sum of energies x time step)
    double* min = nullptr;
    double* max = nullptr;
};

/// Totals over levels in dB; timeStep in seconds (a step of 0 or less gives no SEL:
/// the missing level). Writes at most levels.size() entries; returns the records taken.
std::size_t RunningTotals(std::span<const double> levels, double timeStep, const RunningTotalsOut& out);

/// Totals over n level words of a column from row firstRow, read in place; n is
/// clamped to the rows inside the image and the output lengths.
std::size_t RunningTotals(const ImageReader& image, const TimeHistoryColumn& column, LevelCoding coding,
                          std::size_t firstRow, std::size_t n, double timeStep, const RunningTotalsOut& out);

/// The same over rotation speeds, which are taken as levels.
std::size_t RunningTotalsReal(const ImageReader& image, const TimeHistoryColumn& column, std::uint16_t firmware,
                              std::size_t firstRow, std::size_t n, double timeStep, const RunningTotalsOut& out);

} // namespace orlu
