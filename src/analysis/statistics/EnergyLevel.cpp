#include "analysis/statistics/EnergyLevel.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <memory>

namespace orlu {
namespace {

constexpr int kLowestTenths = -32768;
constexpr std::size_t kTenthsCount = 65536;

// Computed as EnergyOfLevel computes it from the level w / 10.0, so that a
// looked-up energy is the very number pow would give.
const std::array<double, kTenthsCount>& EnergyTable()
{
    static const std::unique_ptr<std::array<double, kTenthsCount>> table = [] {
        auto t = std::make_unique<std::array<double, kTenthsCount>>();
        for (std::size_t i = 0; i < kTenthsCount; ++i) {
            const double db = (static_cast<int>(i) + kLowestTenths) / 10.0;
            (*t)[i] = std::pow(10.0, 0.1 * db);
        }
        return t;
    }();
    return *table;
}

} // namespace

double EnergyOfTenths(int tenths)
{
    return EnergyTable()[static_cast<std::size_t>(tenths - kLowestTenths)];
}

const double* EnergiesOfTenths()
{
    return EnergyTable().data() - kLowestTenths;
}

} // namespace orlu
