#include "document/results/LegacyResultsLayout.h"

namespace orlu {
namespace {

// The length word of the block at `word`, when the whole block lies inside
// the image; a length of 0 would never move the walk on.
std::optional<std::uint64_t> BlockLength(const ImageReader& image, std::uint64_t word, std::uint64_t blocks = 1)
{
    if (!image.HasWords(word, 1))
        return std::nullopt;
    const std::uint64_t length = image.Word(static_cast<std::uint32_t>(word));
    if (length == 0 || !image.HasWords(word, length * blocks))
        return std::nullopt;
    return length * blocks;
}

} // namespace

std::optional<std::uint32_t> FindLegacyResultRow(const ImageReader& image, const LegacyResultsLayout& layout,
                                                 int channel)
{
    if (channel < 0)
        return std::nullopt;
    std::uint64_t word = layout.firstRow != 0 ? layout.firstRow : layout.prefixVariant != 0 ? 1 : 0;
    std::optional<std::uint64_t> skip;
    if (layout.firstRow == 0) {
        if (!(skip = BlockLength(image, word)))
            return std::nullopt;
        word += *skip;
    }
    if (layout.firstRow == 0 && (layout.prefixVariant != 0 || layout.channelMode != 0) && layout.channelCount != 0) {
        if (!(skip = BlockLength(image, word, layout.channelCount)))
            return std::nullopt;
        word += *skip;
    }
    for (int row = 0; row <= channel; ++row) {
        if (!(skip = BlockLength(image, word)))
            return std::nullopt;
        if (row == channel)
            break;
        word += *skip;
    }
    return static_cast<std::uint32_t>(word);
}

} // namespace orlu
