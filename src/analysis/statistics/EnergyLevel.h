#pragma once
// Levels and energies: E = 10^(L/10), L = 10 lg E. A sum with no energy (no
// records, or a time step of 0) has no level; it gets the missing-value mark
// the reports print as "----", never the "-inf" of lg 0.

#include "document/MissingValue.h"

#include <cmath>

namespace orlu {

inline double EnergyOfLevel(double db)
{
    return std::pow(10.0, 0.1 * db);
}

inline double LevelOfEnergy(double energy)
{
    return energy > 0.0 && std::isfinite(energy) ? 10.0 * std::log10(energy) : kMissingValue;
}

} // namespace orlu
