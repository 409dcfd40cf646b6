#pragma once
// The arithmetic of a time intersection: one linear value per record (the
// level of one line or band across all spectra), its running RMS and
// exposure, and its reduction by a number of records per point, to linear
// values or to levels in dB.

#include <cstddef>
#include <cstdint>
#include <span>

namespace orlu {

/// Where ComputeRunningLeq writes; an empty span or a null pointer is not computed.
struct RunningLeqOut {
    std::span<double> running;  ///< running[i]: the RMS of values 0..i (may be the series itself)
    std::span<double> exposure; ///< exposure[i]: the sum of the squares of values 0..i times the time step
    double* minimum = nullptr;
    double* maximum = nullptr;
};

void ComputeRunningLeq(std::span<const double> series, double timeStep, const RunningLeqOut& out);

/// Reduces the linear values in place by `degree` records per point (records
/// past the last whole group are dropped) and returns the points: the RMS of
/// each group, or, for a dB display (linear false), its level: 10 lg(S / d) + 120
/// with S the sum of squares, divided by 400 for a microphone (pascal).
/// Linear values with degree 1 stay as they are.
std::size_t AggregateRecords(std::span<double> series, std::uint16_t inputKind, bool linear, int degree);

/// Reduces a running exposure the same way: point k is the exposure at the last
/// record of group k; in dB referred to (20 uPa)^2 s for a microphone and to
/// (1e-6)^2 s for the other inputs, whose values are volts or m/s2.
std::size_t AggregateExposure(std::span<double> exposure, std::uint16_t inputKind, bool linear, int degree);

} // namespace orlu
