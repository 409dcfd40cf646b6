#pragma once
// How the records of one aggregation window combine, chosen from the name of
// the logged result.

#include <string_view>

namespace orlu {

enum class AggregationKind : int {
    EnergyMean = 0, ///< mean of the squared linear values: RMS, LEQ, SPL, VDV, P-P, ...
    Maximum = 1,    ///< "MAX", "PEAK"
    Minimum = 2,    ///< "MIN"
    Mean = 3,       ///< arithmetic mean: the rotation speed
    SampleMean = 4, ///< arithmetic mean: "TIME" samples
};

/// The kind of a result name, compared without regard to case.
AggregationKind GetAggregationKind(std::string_view name);

} // namespace orlu
