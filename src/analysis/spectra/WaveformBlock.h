#pragma once
// Where the samples of an ORLU 505 Time file lie. Waveform blocks follow the
// setup header record by record: each record is its number (with a time
// history) and the block, N samples of the single channel, 2N words of a
// zoomed (complex) single channel (real and imaginary words alternating, the
// real word first), or 4N words of the four interleaved channels of a probe
// file. A block is taken only when N is a power of two from 4 to 8192 with at
// most N/2 lines and when it lies wholly in the image.

#include "document/headers/Setup505.h"
#include "document/image/PagedFileImage.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace orlu {

struct WaveformBlock {
    std::uint32_t n = 0;          ///< samples of a channel
    std::uint32_t stride = 1;     ///< words between two samples of a channel
    std::uint32_t blockWords = 0;
    bool complexSamples = false;  ///< only the real word of each pair is a sample shown
    bool interleaved = false;     ///< four channels, sample i of channel c at 4i + c

    /// The layout of the setup's blocks (nothing checked yet).
    static WaveformBlock Of(const Setup505& s);
    /// True for an N the transforms take and lines that fit it.
    bool Usable(std::uint32_t lines) const;
    /// The first word of record r's block (from 1), none when the block is
    /// unusable or does not lie wholly in the image.
    std::optional<std::uint64_t> At(const Setup505& s, const ImageReader& image, int record) const;
    /// The N samples of a channel (0-based) of the block at `block`.
    std::vector<std::int16_t> Samples(const ImageReader& image, std::uint64_t block, int channel) const;
};

} // namespace orlu
