#include "analysis/statistics/Aggregation.h"

#include "analysis/statistics/EnergyLevel.h"

#include <cmath>

namespace orlu {

double LinearScale::Linear(double db) const
{
    const double x = std::pow(10.0, (db + offsetTenths / 10.0) / 20.0 - referenceExponent);
    return x * (microphone ? 20.0 : 1.0) * factor;
}

std::size_t Aggregate(AggregationKind kind, std::span<double> values, bool linear, const LinearScale& scale,
                      int degree, std::span<std::uint8_t> overload)
{
    const std::size_t n = values.size();
    if (degree < 1)
        degree = 1;
    if (!linear && degree == 1)
        return n;
    const auto d = static_cast<std::size_t>(degree);
    const std::size_t windows = n / d;
    const bool flags = !overload.empty() && overload.size() >= n && kind <= AggregationKind::Minimum;
    // A window's result goes to index j <= its first record j x d, so the reduction
    // never overwrites a record it has still to read.
    for (std::size_t j = 0; j < windows; ++j) {
        const std::size_t from = j * d;
        double result = values[from];
        switch (kind) {
        case AggregationKind::EnergyMean: {
            double sum = 0.0;
            if (linear) {
                for (std::size_t i = from; i < from + d; ++i) {
                    const double x = scale.Linear(values[i]);
                    sum += x * x;
                }
                result = std::sqrt(sum / static_cast<double>(d));
            } else {
                for (std::size_t i = from; i < from + d; ++i)
                    sum += EnergyOfLevel(values[i]);
                result = LevelOfEnergy(sum / static_cast<double>(d));
            }
            break;
        }
        case AggregationKind::Maximum:
        case AggregationKind::Minimum:
            for (std::size_t i = from + 1; i < from + d; ++i)
                if (kind == AggregationKind::Maximum ? values[i] > result : values[i] < result)
                    result = values[i];
            if (linear)
                result = scale.Linear(result);
            break;
        case AggregationKind::Mean:
        case AggregationKind::SampleMean: {
            double sum = 0.0;
            for (std::size_t i = from; i < from + d; ++i)
                sum += values[i];
            result = sum / static_cast<double>(d);
            break;
        }
        default:
            return n;
        }
        if (flags) {
            std::uint8_t any = 0;
            for (std::size_t i = from; i < from + d; ++i)
                any |= overload[i];
            overload[j] = any ? 1 : 0;
        }
        values[j] = result;
    }
    return windows;
}

} // namespace orlu
