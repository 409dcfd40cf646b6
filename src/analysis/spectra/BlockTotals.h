#pragma once
// The total of the bands between the view's two markers, printed above every
// octave form as "Block RMS = ...". The markers are band indexes on the view's
// band axis; a spectrum starting firstBand positions into that axis (a channel
// of a several-channel file starting above the lowest one) sees them shifted
// down by firstBand. The total is the energy sum in dB, or the root of the sum
// of squares in a linear quantity, and the spectrum is never changed.
//
// A block that holds none of the spectrum's bands (wholly below or above it)
// has no total: kMissingValue, printed "----", never the logarithm of 0.

#include "analysis/spectra/BandUnits.h"

#include <cstddef>
#include <span>

namespace orlu {

/// The view's markers as band indexes, lower first.
struct BandBlock {
    int lower = 0;
    int upper = 0;
};

/// The block total of bands values[0 .. bands-1]; centres[i] is band i's nominal centre.
/// Trailing values never take part.
double BlockTotal(std::span<const double> values, std::size_t bands, std::span<const double> centres,
                  BandBlock block, int firstBand, int quantity, const BandChannel& channel);

/// The same for third octaves shown as octaves: octave g is third octaves F+3g .. F+3g+2
/// (F = firstThird, g below octaves), each converted at its own centre thirdCentres[k],
/// and the block counts octaves.
double FoldedBlockTotal(std::span<const double> values, std::span<const double> thirdCentres, std::size_t firstThird,
                        std::size_t octaves, BandBlock block, int firstBand, int quantity,
                        const BandChannel& channel);

} // namespace orlu
