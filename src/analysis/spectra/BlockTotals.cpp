#include "analysis/spectra/BlockTotals.h"

#include "document/MissingValue.h"

#include <algorithm>
#include <cmath>

namespace orlu {
namespace {

// The block's element range [lo, hi] within count elements; empty when it misses them all.
struct Range {
    std::size_t lo = 0;
    std::size_t hi = 0;
    bool empty = true;
};

Range Clip(BandBlock block, int firstBand, std::size_t count)
{
    const long long lo = static_cast<long long>(block.lower) - firstBand;
    const long long hi = static_cast<long long>(block.upper) - firstBand;
    if (hi < 0 || count == 0 || lo >= static_cast<long long>(count) || lo > hi)
        return {};
    return {static_cast<std::size_t>(std::max(lo, 0LL)),
            static_cast<std::size_t>(std::min(hi, static_cast<long long>(count) - 1)), false};
}

double Total(double sumOfSquares, int quantity, const BandChannel& channel)
{
    return quantity == kBandDb ? channel.Level(std::sqrt(sumOfSquares)) : std::sqrt(sumOfSquares);
}

// dB display sums the bands' own linear values.
int SumQuantity(int quantity)
{
    return quantity == kBandDb ? kBandLinear : quantity;
}

} // namespace

double BlockTotal(std::span<const double> values, std::size_t bands, std::span<const double> centres,
                  BandBlock block, int firstBand, int quantity, const BandChannel& channel)
{
    const Range r = Clip(block, firstBand, std::min({bands, values.size(), centres.size()}));
    if (r.empty)
        return kMissingValue;
    double s = 0.0;
    for (std::size_t i = r.lo; i <= r.hi; ++i) {
        const double y = channel.Band(values[i], centres[i], SumQuantity(quantity));
        s += y * y;
    }
    return Total(s, quantity, channel);
}

double FoldedBlockTotal(std::span<const double> values, std::span<const double> thirdCentres, std::size_t firstThird,
                        std::size_t octaves, BandBlock block, int firstBand, int quantity,
                        const BandChannel& channel)
{
    // Only octaves whose three bands the spectrum holds.
    const std::size_t held = std::min(values.size(), thirdCentres.size());
    std::size_t whole = 0;
    while (whole < octaves && firstThird + 3 * whole + 3 <= held)
        ++whole;
    const Range r = Clip(block, firstBand, whole);
    if (r.empty)
        return kMissingValue;
    double s = 0.0;
    for (std::size_t g = r.lo; g <= r.hi; ++g)
        for (std::size_t k = firstThird + 3 * g; k < firstThird + 3 * g + 3; ++k) {
            const double y = channel.Band(values[k], thirdCentres[k], SumQuantity(quantity));
            s += y * y;
        }
    return Total(s, quantity, channel);
}

} // namespace orlu
