#include "document/image/PagedFileImage.h"

#include <cstring>
#include <new>
#include <string>

namespace orlu {

void PagedFileImage::ThrowOutside(std::uint32_t page)
{
    throw ImageRangeError("page " + std::to_string(page) + " lies outside the file image");
}

void PagedFileImage::AppendSharedPage(std::uint8_t* page, PagePool& pool)
{
    if (m_Shared.empty())
        m_Shared.assign(m_Pages.size(), false);
    m_Pages.push_back(page);
    m_Shared.push_back(true);
    m_CopyPool = &pool;
}

void PagedFileImage::ShareAllPages(PagePool& pool)
{
    m_Shared.assign(m_Pages.size(), true);
    m_CopyPool = &pool;
}

std::uint8_t* PagedFileImage::CopySharedPage(std::uint32_t k)
{
    std::uint8_t* copy = m_CopyPool->Alloc(kPageSize);
    if (!copy)
        throw std::bad_alloc();
    std::memcpy(copy, m_Pages[k], kPageSize);
    m_Pages[k] = copy;
    m_Shared[k] = false;
    return copy;
}

void ImageReader::ThrowPastEnd(std::uint64_t offset) const
{
    throw ImageRangeError("read at byte " + std::to_string(offset) + " past the end of the file (" +
                          std::to_string(m_ByteCount) + " bytes)");
}

std::uint8_t* ImageSetWordGrow(PagePool& pool, PagedFileImage& image, std::uint32_t n, std::uint16_t value)
{
    std::uint32_t pageIndex = n >> 8;
    if (pageIndex >= image.PageCount()) {
        if (pageIndex != image.PageCount())
            return nullptr; // a gap: never written that way
        std::uint8_t* page = pool.Alloc(PagedFileImage::kPageSize);
        if (!page)
            return nullptr;
        image.AppendPage(page);
    }
    ImageSetWord(image, n, value);
    return image.Page(pageIndex);
}

} // namespace orlu
