#include "analysis/spectra/DecayCurves.h"

#include <algorithm>

namespace orlu {

DecayCurves::DecayCurves(std::size_t bands, std::size_t records)
    : m_Bands(bands), m_Records(records), m_Levels(bands * records, 0.0)
{
}

std::span<const double> DecayCurves::Band(std::size_t band) const
{
    return std::span<const double>(m_Levels).subspan(band * m_Records, m_Records);
}

void DecayCurves::SetRecord(std::size_t record, std::span<const double> levels)
{
    const std::size_t n = std::min(levels.size(), m_Bands);
    for (std::size_t b = 0; b < n; ++b)
        m_Levels[b * m_Records + record] = levels[b];
}

DecayCurves ReadDecayCurves(const ImageReader& image, const SpectrumWalk& walk, std::size_t firstBand,
                            std::size_t bands, const BandLevelConversion& toBands)
{
    if (walk.records == 0 || walk.values == 0 || firstBand + bands > walk.values)
        return {};
    const std::uint64_t last = walk.firstValue + std::uint64_t{walk.stride} * (walk.records - 1);
    if (!image.HasWords(last, walk.values))
        return {};
    DecayCurves curves(bands, walk.records);
    std::vector<double> spectrum(walk.values);
    for (std::uint32_t r = 0; r < walk.records; ++r) {
        const std::uint32_t start = walk.firstValue + r * walk.stride;
        for (std::uint32_t i = 0; i < walk.values; ++i)
            spectrum[i] = image.SignedWord(start + i) / 10.0;
        if (toBands)
            toBands(spectrum);
        curves.SetRecord(r, std::span<const double>(spectrum).subspan(firstBand, bands));
    }
    return curves;
}

} // namespace orlu
