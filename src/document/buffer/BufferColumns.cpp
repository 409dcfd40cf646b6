#include "document/buffer/BufferColumns.h"

#include "document/buffer/LevelWord.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace orlu {
namespace {

constexpr int kGroups = 3;
constexpr int kLegacyBufferBits = 10;

std::uint32_t CountAt(std::span<const std::uint8_t> counts, int channel, int group)
{
    const auto i = static_cast<std::size_t>(kGroups * channel + group);
    return i < counts.size() ? counts[i] : 0u;
}

// The class of a level: below the first class counts in the first, at or above the
// last in the last.
std::size_t ClassIndex(std::size_t classes, const HistogramLayout& layout, int level)
{
    long k = (static_cast<long>(level) - layout.lowest) / layout.width;
    if (k < 0)
        k = 0;
    if (k >= static_cast<long>(classes))
        k = static_cast<long>(classes) - 1;
    return static_cast<std::size_t>(k);
}

void CountLevel(std::vector<std::uint32_t>& classes, const HistogramLayout& layout, int level)
{
    ++classes[ClassIndex(classes.size(), layout, level)];
}

} // namespace

std::vector<std::uint32_t>* HistogramBuffers::Prepare(int index, const HistogramLayout& layout)
{
    // No classes, or classes of no width, give no histogram rather than a write before
    // the first class or a division by zero.
    if (index < 0 || index >= kCount || layout.classes == 0 || layout.width <= 0)
        return nullptr;
    m_Layout = layout;
    std::vector<std::uint32_t>& buffer = m_Buffers[static_cast<std::size_t>(index)];
    buffer.assign(layout.classes, 0u);
    return &buffer;
}

const std::vector<std::uint32_t>* HistogramBuffers::Buffer(int index) const
{
    return index >= 0 && index < kCount ? &m_Buffers[static_cast<std::size_t>(index)] : nullptr;
}

std::uint32_t GetBufferColumnOffset(std::span<const std::uint8_t> counts, int channel, int group, int slot)
{
    const int channels = static_cast<int>(counts.size() / kGroups);
    std::uint32_t offset = static_cast<std::uint32_t>(slot);
    if (channel >= channels) {
        // The vector columns follow every channel's results.
        for (int c = 0; c < channels; ++c)
            for (int g = 0; g < kGroups; ++g)
                offset += CountAt(counts, c, g);
        return offset;
    }
    for (int g = 0; g < group && g < kGroups; ++g)
        for (int c = 0; c < channels; ++c)
            if (c != channel)
                offset += CountAt(counts, c, g);
    for (int c = 0; c < channel; ++c)
        offset += CountAt(counts, c, group);
    return offset;
}

int CountMaskedColumns(std::uint16_t mask, int count)
{
    int columns = 0;
    for (int bit = 0; bit < count && bit < 16; ++bit)
        if ((mask >> bit) & 1u)
            columns += 3;
    if (count == 4 && columns % 2 != 0)
        ++columns;
    return columns;
}

std::uint16_t SumBytes(std::span<const std::uint8_t> bytes, int n, std::uint16_t start)
{
    std::uint32_t sum = start;
    for (int i = 0; i < n && static_cast<std::size_t>(i) < bytes.size(); ++i)
        sum += bytes[static_cast<std::size_t>(i)];
    return static_cast<std::uint16_t>(sum);
}

int ColumnIndexFromMask(std::uint16_t mask, int index)
{
    constexpr int kAfterChannels = 4;
    int below = 0;
    for (int bit = 0; bit < 16; ++bit) {
        const bool set = (mask >> bit) & 1u;
        if (bit == index) {
            if (set)
                return below + 1;
            return index == kAfterChannels ? std::popcount(mask) + 1 : 0;
        }
        below += set ? 1 : 0;
    }
    return 0;
}

int GetResultGroup(const std::array<std::uint8_t, 3>& slotMasks, int n)
{
    int seen = 0;
    for (int g = 0; g < kGroups; ++g)
        for (int bit = 0; bit < 8; ++bit)
            if ((slotMasks[static_cast<std::size_t>(g)] >> bit) & 1u) {
                if (seen == n)
                    return g;
                ++seen;
            }
    return 0;
}

const std::vector<std::uint32_t>* BuildBufferHistogram(HistogramBuffers& buffers, const ImageReader& image,
                                                       const LegacyBufferGeometry& g, const HistogramLayout& layout,
                                                       std::uint16_t channelMask, int channel, int slot)
{
    int index = 0;
    if (channelMask != 0) {
        index = std::countr_zero(channelMask);
        if (index >= kLegacyBufferBits)
            return nullptr;
    }
    std::vector<std::uint32_t>* classes = buffers.Prepare(index, layout);
    if (!classes || !image.HasWords(g.dataEnd, 1))
        return classes;
    const std::uint32_t e = image.Word(g.dataEnd);
    std::uint32_t step = 1, column = 0;
    if ((g.prefixVariant >= 1 && g.prefixVariant <= 3) || g.channelMode != 0) {
        step = g.loggerRowWords;
        column = SumBytes(g.channelCounts, channel, static_cast<std::uint16_t>(slot));
    }
    // Records of no words (a damaged header) hold no levels: counting them would read one
    // word for each of up to 2^32 records.
    if (step == 0)
        return classes;
    for (std::uint32_t j = 0; j < g.recordCount; ++j) {
        const std::uint64_t at = std::uint64_t{g.dataEnd} + e + std::uint64_t{j} * step + column;
        if (!image.HasWords(at, 1))
            break;
        const std::int16_t w = image.SignedWord(static_cast<std::uint32_t>(at));
        CountLevel(*classes, layout, DecodeLevelWord(w, LevelCodingForVersion(g.formatVersion)).tenths);
    }
    return classes;
}

const std::vector<std::uint32_t>* BuildProfileHistogram(HistogramBuffers& buffers, const ImageReader& image,
                                                        const ProfileBufferGeometry& g, const HistogramLayout& layout,
                                                        int channel, int slot)
{
    long column = 0;
    switch (g.columns) {
    case ColumnLayout::FourChannel:
        column = GetBufferColumnOffset(g.fourChannelCounts, channel, GetResultGroup(g.slotMasks, slot), slot);
        break;
    case ColumnLayout::LaterModel:
        column = SumBytes(g.channelCounts, channel, static_cast<std::uint16_t>(slot));
        break;
    case ColumnLayout::ProfileMask:
        column = ColumnIndexFromMask(g.profilesWithBuffer, channel) - 1;
        break;
    }
    // A channel that logs nothing, or a column past the record, has no histogram.
    if (column < 0 || column >= g.wordsPerRecord)
        return nullptr;
    std::vector<std::uint32_t>* classes = buffers.Prepare(channel, layout);
    if (!classes)
        return nullptr;
    // Only the records wholly inside the image are counted, so the loop reads without a
    // check per word; and the class of every possible level is worked out once, not per
    // record (a logger has up to millions of records, a level word only 2^15 levels).
    const std::uint64_t first = std::uint64_t{g.dataStart} + static_cast<std::uint64_t>(column);
    const std::uint64_t words = image.WordCount();
    const std::uint64_t records =
        words > first ? std::min<std::uint64_t>(g.recordCount, (words - first - 1) / g.wordsPerRecord + 1) : 0;
    constexpr int kLowestLevel = std::numeric_limits<std::int16_t>::min() >> 1;
    std::vector<std::uint32_t>& counts = *classes;
    std::vector<std::uint16_t> classOf(1u << 15);
    for (std::size_t t = 0; t < classOf.size(); ++t)
        classOf[t] = static_cast<std::uint16_t>(ClassIndex(counts.size(), layout, kLowestLevel + static_cast<int>(t)));
    const PagedFileImage& pages = image.Image();
    for (std::uint64_t i = 0; i < records; ++i) {
        const auto at = static_cast<std::uint32_t>(first + i * g.wordsPerRecord);
        const auto w = static_cast<std::int16_t>(ImageGetWord(pages, at));
        ++counts[classOf[static_cast<std::size_t>(DecodeLevelWord(w, kCurrentLoggerCoding).tenths - kLowestLevel)]];
    }
    return classes;
}

} // namespace orlu
