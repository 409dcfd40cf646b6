#pragma once
// The level of every band in every record of a file of spectra, kept band by
// band so that one band's decay is one contiguous curve. The file is read
// once, record by record, for all bands together: reading it once per band
// would cost bands x records x values word reads.

#include "document/image/PagedFileImage.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace orlu {

/// Where a file keeps its spectra: the first value word of record 0, the
/// words from one record to the next, the records and the values of each.
struct SpectrumWalk {
    std::uint32_t firstValue = 0;
    std::uint32_t stride = 0;
    std::uint32_t records = 0;
    std::uint32_t values = 0;
};

class DecayCurves {
public:
    DecayCurves() = default;
    /// Throws std::bad_alloc when the curves do not fit in memory.
    DecayCurves(std::size_t bands, std::size_t records);

    std::size_t Bands() const { return m_Bands; }
    std::size_t Records() const { return m_Records; }
    std::span<const double> Band(std::size_t band) const;
    /// Stores record `record`'s level of every band from levels[0] on.
    void SetRecord(std::size_t record, std::span<const double> levels);

private:
    std::size_t m_Bands = 0;
    std::size_t m_Records = 0;
    std::vector<double> m_Levels; ///< band-major
};

/// Turns one record's values (dB, in place) into band levels in dB from index 0 on.
using BandLevelConversion = std::function<void(std::span<double> values)>;

/// Reads every record of the walk once: its values (signed words of 0.1 dB)
/// go through the conversion, and the band levels from `firstBand` on, `bands`
/// of them, become that record's point of each curve. Empty curves when the
/// walk leaves the image or the bands lie past the values.
DecayCurves ReadDecayCurves(const ImageReader& image, const SpectrumWalk& walk, std::size_t firstBand,
                            std::size_t bands, const BandLevelConversion& toBands);

} // namespace orlu
