#pragma once
// Reduction of a time history by the view's aggregation degree d: window j
// of d consecutive records becomes value j, in place; the last n mod d records
// take part in no window. Levels may be turned into linear units on the way.

#include "analysis/statistics/AggregationKind.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace orlu {

/// How a level v (dB) of the channel becomes a linear value:
/// 10^((v + offset/10)/20 - e), x 20 for a microphone (pascal), x factor.
struct LinearScale {
    int referenceExponent = 6;
    std::int16_t offsetTenths = 0; ///< the channel's sensitivity offset
    bool microphone = false;
    double factor = 1.0; ///< the non-metric factor, 1.0 when none applies

    double Linear(double db) const;
};

/// Reduces values (levels in dB, or samples and speeds for the mean kinds) in place and
/// returns the values left: n / d windows, or n unchanged when dB output needs no
/// reduction (d = 1). linear converts levels of kinds 0 to 2 with scale; overload, when
/// not empty (of the same length), gets 1 for a window holding an overloaded record.
std::size_t Aggregate(AggregationKind kind, std::span<double> values, bool linear, const LinearScale& scale,
                      int degree, std::span<std::uint8_t> overload = {});

} // namespace orlu
