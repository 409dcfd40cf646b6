#include "analysis/spectra/BandUnits.h"

#include "analysis/statistics/EnergyLevel.h"
#include "document/tables/BandTables.h"
#include "document/tables/WeightingTables.h"
#include "document/units/LevelUnits.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace orlu {
namespace {

constexpr std::uint16_t kReference = 1, kMicrophone = 2, kDirect = 3, kAccelerometer = 5;
constexpr double kTwoPi = 6.283185307;
constexpr std::uint16_t kNonMetricUnits = 6;

// Row of the weighting table and the weighted total each own filter code stands for.
constexpr std::array<std::uint16_t, 7> kOwnFilterRow{0, 0, 1, 2, 3, 0, 3};
constexpr std::uint16_t kFirstHighPassFilter = 4;

double Offset(const BandChannel& c)
{
    return c.offsetTenths / 10.0;
}

} // namespace

std::uint16_t GetUnitIndex(int quantity, std::uint16_t inputKind, bool nonMetric)
{
    std::uint16_t u = 0;
    switch (quantity) {
    case kBandLinear:
        u = inputKind == kReference || inputKind == kDirect ? 1 : inputKind == kMicrophone ? 2 : 3;
        break;
    case kBandVelocity:
        u = 4;
        break;
    case kBandDisplacement:
        u = 5;
        break;
    default:
        return 0;
    }
    return inputKind == kAccelerometer && nonMetric ? static_cast<std::uint16_t>(u + kNonMetricUnits) : u;
}

double BandChannel::Band(double db, double nominalCentre, int quantity) const
{
    return AtFrequency(db, ExactThirdOctaveCentre(nominalCentre), quantity);
}

double BandChannel::AtFrequency(double db, double frequency, int quantity) const
{
    double y = std::pow(10.0, (db + Offset(*this)) / 20.0 - 6.0);
    if (inputKind == kMicrophone)
        y *= 20.0;
    if (quantity == kBandVelocity || quantity == kBandDisplacement) {
        if (frequency <= 0.0)
            return 0.0;
        const double w = kTwoPi * frequency;
        y /= quantity == kBandVelocity ? w : w * w;
    }
    if (inputKind == kAccelerometer && nonMetric && quantity != kBandDb)
        y *= quantity == kBandLinear ? kToG : kToInch;
    return y;
}

double BandChannel::Total(double db) const
{
    double y = std::pow(10.0, (db + Offset(*this)) / 20.0 - 6.0);
    if (inputKind == kMicrophone)
        y *= 20.0;
    if (inputKind == kAccelerometer && nonMetric)
        y *= kToG;
    return y;
}

double BandChannel::Level(double linear) const
{
    if (inputKind == kMicrophone)
        linear /= 20.0;
    return linear > 0.0 ? 20.0 * (std::log10(linear) + 6.0) - Offset(*this) : kMissingValue;
}

double FoldThirdOctaves(std::span<double> values, std::span<const double> centres, std::size_t firstBand,
                        std::size_t octaves, int quantity, const BandChannel& channel)
{
    // dB display sums the bands' pressures squared: the quantity of the band itself.
    const int asLinear = quantity == kBandDb ? kBandLinear : quantity;
    double grand = 0.0;
    for (std::size_t g = 0; g < octaves; ++g) {
        const std::size_t b = firstBand + 3 * g;
        if (b + 3 > values.size() || b + 3 > centres.size())
            break;
        double s = 0.0;
        for (std::size_t k = b; k < b + 3; ++k) {
            const double y = channel.Band(values[k], centres[k], asLinear);
            s += y * y;
        }
        values[g] = quantity == kBandDb ? channel.Level(std::sqrt(s)) : std::sqrt(s);
        grand += s;
    }
    return quantity == kBandDb ? 0.0 : grand;
}

void ConvertBandLevels(std::span<double> values, std::size_t bands, std::span<const double> centres, int quantity,
                       const BandChannel& channel, std::optional<WeightedTotals> weighted)
{
    if (quantity == kBandDb)
        return;
    bands = std::min({bands, values.size(), centres.size()});
    std::span<const double> own, a, c, third;
    if (weighted) {
        const std::uint16_t f = weighted->ownFilter;
        const auto n = static_cast<std::uint16_t>(bands);
        own = WeightingCorrectionPtr(f < kOwnFilterRow.size() ? kOwnFilterRow[f] : 0, n);
        a = WeightingCorrectionPtr(static_cast<std::uint16_t>(WeightingRow::A), n);
        c = WeightingCorrectionPtr(static_cast<std::uint16_t>(WeightingRow::C), n);
        third = WeightingCorrectionPtr(
            static_cast<std::uint16_t>(f < kFirstHighPassFilter ? WeightingRow::HighPass : WeightingRow::Flat), n);
        // More bands than the corrections cover: no weighted totals can be formed.
        if (own.size() < bands)
            weighted.reset();
    }
    double sum = 0.0, sumA = 0.0, sumC = 0.0, sumThird = 0.0;
    for (std::size_t i = 0; i < bands; ++i) {
        const double v = values[i];
        if (weighted) {
            // Band levels carry the own filter; swap its correction for each total's.
            const double unweighted = v - own[i];
            const double ya = channel.Band(unweighted + a[i], centres[i], quantity);
            const double yc = channel.Band(unweighted + c[i], centres[i], quantity);
            const double yz = channel.Band(unweighted + third[i], centres[i], quantity);
            sumA += ya * ya;
            sumC += yc * yc;
            sumThird += yz * yz;
        }
        values[i] = channel.Band(v, centres[i], quantity);
        sum += values[i] * values[i];
    }
    const std::size_t trailing = values.size() - bands;
    if (quantity == kBandLinear) {
        for (std::size_t i = bands; i < values.size(); ++i)
            values[i] = channel.Total(values[i]);
        return;
    }
    if (!weighted) {
        if (trailing > 0)
            values[bands] = std::sqrt(sum);
        return;
    }
    const std::array<double, 3> totals{std::sqrt(sumA), std::sqrt(sumC), std::sqrt(sumThird)};
    for (std::size_t k = 0; k < totals.size() && k < trailing; ++k)
        values[bands + k] = totals[k];
    // Six trailing values: the three SPL values after the totals are plain linear levels.
    constexpr std::size_t kWithSplValues = 6;
    if (trailing == kWithSplValues)
        for (std::size_t i = bands + 3; i < values.size(); ++i) {
            const double y = std::pow(10.0, (values[i] + Offset(channel)) / 20.0 - 6.0);
            values[i] = channel.inputKind == kMicrophone ? 20.0 * y : y;
        }
}

} // namespace orlu
