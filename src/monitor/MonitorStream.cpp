#include "monitor/MonitorStream.h"

#include <algorithm>
#include <cstring>

namespace orlu {

std::uint32_t MonitorStream::Find(std::uint32_t from, std::uint8_t ch) const
{
    constexpr std::uint32_t kPage = PagedFileImage::kPageSize;
    std::uint32_t p = from;
    while (p < m_Size) {
        const std::uint32_t pageEnd = std::min<std::uint32_t>((p / kPage + 1) * kPage, m_Size);
        const std::uint8_t* page = m_Image->Page(p / kPage);
        const void* hit = std::memchr(page + p % kPage, ch, pageEnd - p);
        if (hit)
            return p + static_cast<std::uint32_t>(static_cast<const std::uint8_t*>(hit) - (page + p % kPage));
        p = pageEnd;
    }
    return m_Size;
}

std::string MonitorStream::TextFrom(std::uint32_t from, std::size_t most) const
{
    std::string text;
    for (std::uint32_t p = from; p < m_Size && text.size() < most; ++p) {
        const char c = static_cast<char>(Byte(p));
        if (c == ';')
            break;
        text += c;
    }
    return text;
}

} // namespace orlu
