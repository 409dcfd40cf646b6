#include "document/image/PagePool.h"

#include <new>

namespace orlu {

std::uint8_t* PagePool::Alloc(std::uint32_t n)
{
    if (n & 1u)
        ++n;
    if (m_Chunks.empty() || m_BytesLeft < n) {
        if (m_Chunks.size() >= m_MaxChunks)
            return nullptr;
        std::unique_ptr<std::uint8_t[]> chunk(new (std::nothrow) std::uint8_t[kChunkSize]());
        if (!chunk)
            return nullptr;
        m_Chunks.push_back(std::move(chunk));
        m_Used = 0;
        m_BytesLeft = kChunkSize;
    }
    if (m_BytesLeft < n)
        return nullptr; // larger than a chunk: the fresh chunk stays, empty
    std::uint8_t* p = m_Chunks.back().get() + m_Used;
    m_Used += n;
    m_BytesLeft -= n;
    return p;
}

void PagePool::FreeAll()
{
    m_Chunks.clear();
    m_Used = 0;
    m_BytesLeft = 0;
}

} // namespace orlu
