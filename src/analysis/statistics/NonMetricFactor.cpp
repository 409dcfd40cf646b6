#include "analysis/statistics/NonMetricFactor.h"

#include "document/units/LevelUnits.h"

#include <array>

namespace orlu {
namespace {

constexpr std::uint16_t kAccelerometer = 5;

constexpr std::array<int, 31> kFilterQuantities{
    0, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 4, 6, 0, 0, 4, 4, 4, 4, 5, 5, 5, 0, 3, 3, 3, 3, 0, 0, 0, 0};

// 1 acceleration, 2 velocity, 3 displacement; anything else has no non-metric unit.
int DisplayedQuantity(const VibrationChannel& c)
{
    if (c.orlu505File) {
        if (c.function == 8)
            return FilterQuantity(c.filter) - 2;
        return c.function > 8 ? c.function - 7 : 0;
    }
    if (c.filter >= 8 && c.filter <= 10)
        return 3;
    if (c.filter >= 4 && c.filter <= 7)
        return 2;
    return c.filter == 15 ? 4 : 1;
}

} // namespace

int FilterQuantity(std::uint16_t filter)
{
    return filter < kFilterQuantities.size() ? kFilterQuantities[filter] : 0;
}

NonMetricFactor GetNonMetricFactor(bool nonMetricOption, const VibrationChannel& channel)
{
    if (!nonMetricOption || channel.inputKind != kAccelerometer)
        return {};
    switch (DisplayedQuantity(channel)) {
    case 1:
        return {kToG, true};
    case 2:
    case 3:
        return {kToInch, true};
    default:
        return {};
    }
}

} // namespace orlu
