#pragma once
// Levels and energies: E = 10^(L/10), L = 10 lg E. A sum with no energy (no
// records, or a time step of 0) has no level; it gets the missing-value mark
// the reports print as "----", never the "-inf" of lg 0.

#include "document/MissingValue.h"

#include <cmath>

namespace orlu {

/// 10^(w/100): the energy of a level of w tenths of a dB, for every 16-bit w.
double EnergyOfTenths(int tenths);
/// The energy of tenths 0 in the same table: entry w is EnergyOfTenths(w) for every 16-bit w.
/// A loop over many levels takes it once instead of calling for each.
const double* EnergiesOfTenths();

inline double EnergyOfLevel(double db)
{
    // The instruments store whole tenths of a dB: their energies are looked up
    // (the same number pow gives), which a long time history repeats a million times.
    const double tenths = db * 10.0;
    if (tenths >= -32768.0 && tenths <= 32767.0) {
        const int w = static_cast<int>(tenths);
        if (w / 10.0 == db)
            return EnergyOfTenths(w);
    }
    return std::pow(10.0, 0.1 * db);
}

inline double LevelOfEnergy(double energy)
{
    return energy > 0.0 && std::isfinite(energy) ? 10.0 * std::log10(energy) : kMissingValue;
}

} // namespace orlu
