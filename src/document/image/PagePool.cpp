#include "document/image/PagePool.h"

#include <new>

namespace orlu {

std::uint8_t* PagePool::Alloc(std::uint32_t n)
{
    // Rounded up to even in 64 bits: an odd request near 4 GiB must not wrap to a small one.
    const std::uint64_t even = std::uint64_t{n} + (n & 1u);
    if (m_Chunks.empty() || m_BytesLeft < even) {
        if (m_Chunks.size() >= m_MaxChunks)
            return nullptr;
        std::unique_ptr<std::uint8_t[]> chunk(new (std::nothrow) std::uint8_t[kChunkSize]());
        if (!chunk)
            return nullptr;
        m_Chunks.push_back(std::move(chunk));
        m_Used = 0;
        m_BytesLeft = kChunkSize;
    }
    if (m_BytesLeft < even)
        return nullptr; // larger than a chunk: the fresh chunk stays, empty
    std::uint8_t* p = m_Chunks.back().get() + m_Used;
    m_Used += static_cast<std::uint32_t>(even);
    m_BytesLeft -= static_cast<std::uint32_t>(even);
    return p;
}

void PagePool::FreeAll()
{
    m_Chunks.clear();
    m_Used = 0;
    m_BytesLeft = 0;
}

} // namespace orlu
