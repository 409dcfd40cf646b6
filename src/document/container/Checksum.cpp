#include "document/CTmDoc.h"

namespace orlu {

bool CTmDoc::VerifyChecksum(const PagedFileImage& image, std::uint32_t byteCount) const
{
    if (byteCount & 1u)
        return false;
    if (m_FileKind >= 42 && m_FileKind <= 49)
        return true;
    // Summed page by page: the check word makes the sum of all words 0.
    std::uint32_t sum = 0;
    for (std::uint32_t offset = 0; offset < byteCount; offset += PagedFileImage::kPageSize) {
        const std::uint8_t* page = image.Page(offset / PagedFileImage::kPageSize);
        std::uint32_t bytes = std::min(byteCount - offset, PagedFileImage::kPageSize);
        for (std::uint32_t i = 0; i < bytes; i += 2)
            sum += page[i] | (page[i + 1] << 8);
    }
    return (sum & 0xFFFFu) == 0;
}

} // namespace orlu
