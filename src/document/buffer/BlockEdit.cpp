#include "document/buffer/BlockEdit.h"

#include "document/buffer/ColumnReader.h"

#include <algorithm>
#include <cstdint>

namespace orlu {

std::optional<BlockRange> ClampBlock(std::int64_t markerA, std::int64_t markerB, std::uint32_t records)
{
    if (records == 0)
        return std::nullopt;
    const std::int64_t top = records - 1;
    const std::int64_t first = std::clamp<std::int64_t>(std::min(markerA, markerB), 0, top);
    const std::int64_t last = std::clamp<std::int64_t>(std::max(markerA, markerB), 0, top);
    return BlockRange{static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(last)};
}

std::uint32_t RowsAfterRecord(const ImageReader& image, const BufferPlace& place, std::uint32_t declared)
{
    const std::uint64_t rowStart = std::uint64_t{place.recordStart} + place.recordWords;
    if (place.rowWords == 0 || place.rowWords > INT16_MAX || rowStart > UINT32_MAX)
        return 0;
    // A row counts when its last word lies inside the image.
    const TimeHistoryColumn lastWord{static_cast<std::uint32_t>(rowStart), static_cast<std::int16_t>(place.rowWords),
                                     static_cast<std::int16_t>(place.rowWords - 1)};
    return static_cast<std::uint32_t>(RowsInImage(image, lastWord, 0, declared, false, 2));
}

std::uint32_t EditRowsInPlace(PagedFileImage& image, std::uint32_t byteCount, const BufferPlace& place,
                              BlockRange block, BlockEditOp op, RecordIndex& index)
{
    const ImageReader read(image, byteCount);
    // Every move goes downward, in ascending order: a word is read before anything lands on it.
    std::uint32_t to = place.headEnd;
    for (std::uint32_t w = 0; w < place.recordWords; ++w)
        ImageSetWord(image, to++, read.Word(place.recordStart + w));
    const std::uint32_t rowStart = place.recordStart + place.recordWords;
    RecordIndex kept;
    auto keepRow = [&](std::uint32_t r) {
        const std::uint32_t from = rowStart + r * place.rowWords;
        for (std::uint32_t w = 0; w < place.rowWords; ++w)
            ImageSetWord(image, to++, read.Word(from + w));
        kept.push_back(r < index.size() ? index[r] : r + 1);
    };
    for (std::uint32_t r = 0; r < place.records; ++r) {
        const bool inBlock = r >= block.first && r <= block.last;
        if (inBlock == (op == BlockEditOp::Keep))
            keepRow(r);
    }
    ImageSetWord(image, to++, 0xFFFF);
    index = std::move(kept);
    return to;
}

std::vector<std::uint8_t> BuildBlockImage(const ImageReader& image, const BufferPlace& place, BlockRange block,
                                          const RecordIndex& index)
{
    std::vector<std::uint8_t> bytes;
    const std::uint32_t rows = block.last - block.first + 1;
    bytes.reserve(2 * (std::size_t{place.headEnd - place.fileStart} + place.recordWords + std::size_t{rows} * place.rowWords + 1) +
                  4 * std::size_t{rows});
    std::uint16_t sum = 0;
    auto word = [&](std::uint16_t w) {
        sum = static_cast<std::uint16_t>(sum + w);
        bytes.push_back(static_cast<std::uint8_t>(w));
        bytes.push_back(static_cast<std::uint8_t>(w >> 8));
    };
    for (std::uint32_t w = place.fileStart; w < place.headEnd; ++w)
        word(image.Word(w));
    for (std::uint32_t w = 0; w < place.recordWords; ++w)
        word(image.Word(place.recordStart + w));
    const std::uint32_t rowStart = place.recordStart + place.recordWords;
    for (std::uint32_t r = block.first; r <= block.last; ++r)
        for (std::uint32_t w = 0; w < place.rowWords; ++w)
            word(image.Word(rowStart + r * place.rowWords + w));
    word(place.checkWord ? static_cast<std::uint16_t>(0u - sum) : std::uint16_t{0xFFFF});
    for (std::uint32_t r = block.first; r <= block.last; ++r) {
        const std::uint32_t number = r < index.size() ? index[r] : r + 1;
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<std::uint8_t>(number >> shift));
    }
    return bytes;
}

} // namespace orlu
