#include "analysis/spectra/IntersectionSeries.h"

#include "document/MissingValue.h"

#include <algorithm>
#include <cmath>

namespace orlu {
namespace {

constexpr std::uint16_t kMicrophone = 2;

// The level of a mean square: the microphone's values are pascal, whose
// reference (20 uPa) squared is 400 times that of 1e-6 V or m/s2. No energy
// has no level.
double LevelOfMeanSquare(double meanSquare, std::uint16_t inputKind)
{
    if (!(meanSquare > 0.0))
        return kMissingValue;
    const double referred = inputKind == kMicrophone ? meanSquare / 400.0 : meanSquare;
    return 20.0 * (0.5 * std::log10(referred) + 6.0);
}

} // namespace

void ComputeRunningLeq(std::span<const double> series, double timeStep, const RunningLeqOut& out)
{
    double mean = 0.0, sum = 0.0;
    for (std::size_t i = 0; i < series.size(); ++i) {
        const double square = series[i] * series[i];
        mean += (square - mean) / static_cast<double>(i + 1);
        sum += square;
        if (i < out.exposure.size())
            out.exposure[i] = sum * timeStep;
        if (i < out.running.size())
            out.running[i] = std::sqrt(mean);
    }
    if (series.empty())
        return;
    const auto [low, high] = std::minmax_element(series.begin(), series.end());
    if (out.minimum)
        *out.minimum = *low;
    if (out.maximum)
        *out.maximum = *high;
}

std::size_t AggregateRecords(std::span<double> series, std::uint16_t inputKind, bool linear, int degree)
{
    const auto d = static_cast<std::size_t>(std::max(degree, 1));
    if (linear && d == 1)
        return series.size();
    const std::size_t groups = series.size() / d;
    for (std::size_t k = 0; k < groups; ++k) {
        double sum = 0.0;
        for (std::size_t i = k * d; i < (k + 1) * d; ++i)
            sum += series[i] * series[i];
        const double meanSquare = sum / static_cast<double>(d);
        series[k] = linear ? std::sqrt(meanSquare) : LevelOfMeanSquare(meanSquare, inputKind);
    }
    return groups;
}

std::size_t AggregateExposure(std::span<double> exposure, std::uint16_t inputKind, bool linear, int degree)
{
    const auto d = static_cast<std::size_t>(std::max(degree, 1));
    if (linear && d == 1)
        return exposure.size();
    const std::size_t groups = exposure.size() / d;
    for (std::size_t k = 0; k < groups; ++k) {
        const double e = exposure[(k + 1) * d - 1];
        exposure[k] = linear ? e : LevelOfMeanSquare(e, inputKind);
    }
    return groups;
}

} // namespace orlu
