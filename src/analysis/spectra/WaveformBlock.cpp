#include "analysis/spectra/WaveformBlock.h"

#include "analysis/spectra/RealFft.h"

namespace orlu {

WaveformBlock WaveformBlock::Of(const Setup505& s)
{
    WaveformBlock w;
    w.n = s.fftSamples;
    w.complexSamples = s.channelCount == 1 && s.zoomFlag == 1;
    w.interleaved = s.channelCount > 1;
    w.stride = w.interleaved ? 4 : w.complexSamples ? 2 : 1;
    w.blockWords = w.n * w.stride;
    return w;
}

bool WaveformBlock::Usable(std::uint32_t lines) const
{
    return IsFftLength(n) && lines != 0 && lines <= n / 2;
}

std::optional<std::uint64_t> WaveformBlock::At(const Setup505& s, const ImageReader& image, int record) const
{
    if (record < 1 || !Usable(s.bandEnd))
        return std::nullopt;
    const std::uint32_t t = s.timeHistory ? 1 : 0;
    const std::uint64_t block = std::uint64_t{s.subfileStart} + s.headerLength + t +
                                std::uint64_t{static_cast<std::uint32_t>(record - 1)} * (blockWords + t);
    if (!image.HasWords(block, blockWords))
        return std::nullopt;
    return block;
}

std::vector<std::int16_t> WaveformBlock::Samples(const ImageReader& image, std::uint64_t block, int channel) const
{
    std::vector<std::int16_t> samples(n);
    const std::uint32_t offset = interleaved ? static_cast<std::uint32_t>(channel) : 0;
    for (std::uint32_t i = 0; i < n; ++i)
        samples[i] = image.SignedWord(static_cast<std::uint32_t>(block + offset + std::uint64_t{stride} * i));
    return samples;
}

} // namespace orlu
