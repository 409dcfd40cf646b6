#pragma once
// Columns of a time history and class histograms over one column. A buffer
// or logger is a run of records of equal length; each record holds one level
// word per logged result of each channel (and profile). Where a channel's
// result lies in a record depends on the file's layout: four-channel records
// are ordered by result group and then by channel, later models count the
// results of the channels before, other files count the profiles that log.

#include "document/image/PagedFileImage.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace orlu {

/// The classes of a histogram, as the selected channel gives them (0.1 dB).
struct HistogramLayout {
    std::uint16_t first = 0;
    std::uint16_t classes = 0;
    std::int16_t lowest = 0;
    std::int16_t width = 0;
};

/// The ten histogram buffers of a document, each holding u32 class counts.
class HistogramBuffers {
public:
    static constexpr int kCount = 10;

    /// Buffer `index` with `layout.classes` counts, all 0; null when the layout gives no
    /// classes to count into (no classes, or a class width of 0 or less) or the index
    /// names no buffer.
    std::vector<std::uint32_t>* Prepare(int index, const HistogramLayout& layout);
    /// Buffer `index` as the last build left it; null outside the ten.
    const std::vector<std::uint32_t>* Buffer(int index) const;
    /// The layout of the last build.
    const HistogramLayout& Layout() const { return m_Layout; }

private:
    std::array<std::vector<std::uint32_t>, kCount> m_Buffers;
    HistogramLayout m_Layout;
};

/// Column (words) of the slot-th logged result of a channel in a four-channel record.
/// counts holds 3 x channel + group entries (three result groups per channel); channel
/// equal to the channel count names the vector columns after all the others.
std::uint32_t GetBufferColumnOffset(std::span<const std::uint8_t> counts, int channel, int group, int slot);

/// Columns of the first `count` channels in the buffer-statistics mask, 3 per channel;
/// with 4 channels an odd total is rounded up to the next even number.
int CountMaskedColumns(std::uint16_t mask, int count);

/// start plus the sum of the first n bytes (those the span holds), as 16 bits.
std::uint16_t SumBytes(std::span<const std::uint8_t> bytes, int n, std::uint16_t start);

/// 1-based rank of bit `index` among the set bits of the mask; 0 when the bit is clear,
/// except that index 4 (the column after every channel) gives the set bits + 1.
int ColumnIndexFromMask(std::uint16_t mask, int index);

/// The result group (0, 1 or 2) that holds set bit number n of a channel's three 8-bit
/// result-slot masks, counting from 0; 0 when there is no such bit.
int GetResultGroup(const std::array<std::uint8_t, 3>& slotMasks, int n);

/// Where a legacy-family buffer lies and how its records are laid out.
struct LegacyBufferGeometry {
    std::uint32_t dataEnd = 0; ///< d: the end of the header and data blocks; word d holds e
    std::uint8_t prefixVariant = 0;
    std::uint16_t channelMode = 0;
    std::uint16_t loggerRowWords = 0; ///< results per buffer record
    std::span<const std::uint8_t> channelCounts; ///< logged results per channel
    std::uint16_t formatVersion = 0; ///< below 33: level words in 0.05 dB
    std::uint32_t recordCount = 0;
};

/// Legacy-family histogram of one column into the buffer of the lowest channel bit of
/// the mask among bits 0 to 9 (buffer 0 for an empty mask). Null when a non-empty mask
/// has none of those bits, or the layout has no classes. Records past the image, and
/// records of no words, are not counted.
const std::vector<std::uint32_t>* BuildBufferHistogram(HistogramBuffers& buffers, const ImageReader& image,
                                                       const LegacyBufferGeometry& geometry,
                                                       const HistogramLayout& layout, std::uint16_t channelMask,
                                                       int channel, int slot);

/// How the columns of a current-family record are counted.
enum class ColumnLayout { FourChannel, LaterModel, ProfileMask };

/// Where a current-family buffer lies and how its records are laid out.
struct ProfileBufferGeometry {
    std::uint32_t dataStart = 0;      ///< first word of the buffer data
    std::uint16_t wordsPerRecord = 0;
    std::uint32_t recordCount = 0;
    ColumnLayout columns = ColumnLayout::ProfileMask;
    std::span<const std::uint8_t> fourChannelCounts; ///< 3 x channel + group
    std::array<std::uint8_t, 3> slotMasks{};         ///< the channel's result-slot masks (four-channel)
    std::span<const std::uint8_t> channelCounts;     ///< logged results per channel (later models)
    std::uint16_t profilesWithBuffer = 0;            ///< bit n: profile n logs (other files)
};

/// Current-family histogram of the slot-th logged result of a channel into buffer
/// `channel`. Level words are 0.05 dB with an overload bit and are halved. Null when the
/// layout has no classes, the channel logs nothing, or its column lies outside the record.
const std::vector<std::uint32_t>* BuildProfileHistogram(HistogramBuffers& buffers, const ImageReader& image,
                                                        const ProfileBufferGeometry& geometry,
                                                        const HistogramLayout& layout, int channel, int slot);

} // namespace orlu
