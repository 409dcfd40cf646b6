#pragma once
// Vibration values in non-metric units: accelerations in g, velocities in
// inch per second and displacements in inch. Only accelerometer channels are
// converted, and only while the program's non-metric option is on.

#include <cstdint>

namespace orlu {

/// The channel fields that decide the displayed quantity.
struct VibrationChannel {
    std::uint16_t inputKind = 0;
    std::uint16_t filter = 0;
    std::uint16_t function = 0;
    bool orlu505File = false; ///< a legacy- or 505-family file: the function decides
};

/// Quantity of a filter code: 3 acceleration, 4 velocity, 5 displacement, 6 the
/// vibration dose; 0 for codes outside the table.
int FilterQuantity(std::uint16_t filter);

struct NonMetricFactor {
    double factor = 1.0;
    bool applies = false;
};

/// The factor a linear value of the channel is multiplied by for display.
NonMetricFactor GetNonMetricFactor(bool nonMetricOption, const VibrationChannel& channel);

} // namespace orlu
