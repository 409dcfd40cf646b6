#include "document/records/RecordBlocks.h"

#include <algorithm>

namespace orlu {

RecordBlock FindRecordBlock(const ImageReader& image, std::uint32_t record, std::uint16_t id, std::uint32_t end)
{
    end = std::min(end, image.WordCount());
    if (record == 0 || std::uint64_t{record} + 2 > end)
        return {};
    const std::uint32_t head = image.Word(record) >> 8;
    const std::uint32_t blocks = image.Word(record + 1) >> 8;
    std::uint64_t p = std::uint64_t{record} + head;
    for (std::uint32_t k = 0; k < blocks; ++k) {
        if (p + 3 > end)
            return {};
        const std::uint32_t at = static_cast<std::uint32_t>(p);
        const std::uint32_t length = image.Word(at + 1);
        // A block shorter than its own three words, or past the sub-file, is damage.
        if (length < 3 || p + length > end)
            return {};
        if (image.Word(at + 2) == id)
            return {at + 3, length - 3};
        p += length;
    }
    return {};
}

} // namespace orlu
