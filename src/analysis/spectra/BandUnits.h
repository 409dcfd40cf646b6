#pragma once
// Band spectra in the unit the user asked for. A band arrives as a level in
// dB; a linear value adds the channel's offset first, 10^(x/20 - 6) (x 20 for
// a microphone: pascal), divided by 2 pi f once for velocity and twice for
// displacement at the exact base-2 centre of the band, and g or inches for an
// accelerometer in non-metric units. Conversions work in place.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace orlu {

/// 0 dB, 1 linear (V, Pa or m/s2), 2 velocity, 3 displacement.
enum BandQuantity : int { kBandDb = 0, kBandLinear = 1, kBandVelocity = 2, kBandDisplacement = 3 };

/// The unit of a quantity: 0 dB, 1 V, 2 Pa, 3 m/s2, 4 m/s, 5 m, 9 g, 10 in/s, 11 in.
std::uint16_t GetUnitIndex(int quantity, std::uint16_t inputKind, bool nonMetric);

struct BandChannel {
    std::uint16_t inputKind = 0;
    std::int16_t offsetTenths = 0; ///< the channel's level offset
    bool nonMetric = false;

    /// A band of nominal centre f (Hz) as the quantity.
    double Band(double db, double nominalCentre, int quantity) const;
    /// A level at the exact frequency f (Hz) as the quantity; velocity and displacement are 0 at f <= 0.
    double AtFrequency(double db, double frequency, int quantity) const;
    /// A stored total as a linear value: never divided by 2 pi f.
    double Total(double db) const;
    /// A linear value back to its level.
    double Level(double linear) const;
};

/// Folds third octaves F+3g .. F+3g+2 into octave g (g < octaves) at values[g], as the
/// quantity (dB display: the energy sum of the three levels). centres[i] is the nominal
/// centre of third octave i. Returns the sum of squares of every converted band, 0 in dB.
/// Octaves whose bands lie past the values or the centres are not formed.
double FoldThirdOctaves(std::span<double> values, std::span<const double> centres, std::size_t firstBand,
                        std::size_t octaves, int quantity, const BandChannel& channel);

/// The 505-family weighted totals: TOT_A, TOT_C and Lin (own filter below 4) or HP.
struct WeightedTotals {
    std::uint16_t ownFilter = 0; ///< 0 UNDF, 1 Lin, 2 A, 3 C, 4 HP, 5 UNDF, 6 HP
};

/// Converts the bands of a third-octave spectrum (values[0 .. bands-1], then its trailing
/// values) in place. Linear: the stored totals are converted. Velocity and displacement:
/// the first trailing value becomes the RMS of the bands, or, with weighted totals, the
/// three after the bands become TOT_A, TOT_C and the third total recomputed from the
/// bands through the weighting corrections (the bands carry the own filter's). dB:
/// nothing changes.
void ConvertBandLevels(std::span<double> values, std::size_t bands, std::span<const double> centres, int quantity,
                       const BandChannel& channel, std::optional<WeightedTotals> weighted = std::nullopt);

} // namespace orlu
