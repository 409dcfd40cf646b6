#pragma once
// A document's allocator: a bump pointer over zero-filled chunks of 102400
// bytes (200 pages of 512), released all at once with the document. Pages of
// the file image and the other blocks a document keeps for its lifetime
// (reverberation-time records) come from here; nothing is freed one by one.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

namespace orlu {

class PagePool {
public:
    static constexpr std::uint32_t kChunkSize = 102400;

    /// maxChunks bounds the pool, so that callers' out-of-memory paths can be exercised.
    explicit PagePool(std::size_t maxChunks = std::numeric_limits<std::size_t>::max())
        : m_MaxChunks(maxChunks)
    {
    }
    PagePool(const PagePool&) = delete;
    PagePool& operator=(const PagePool&) = delete;

    /// Zero-filled memory of at least n bytes (n rounded up to even), or null when
    /// no chunk can be had or n exceeds a chunk. A request that does not fit the
    /// rest of the current chunk starts a new one; that rest is never used again.
    std::uint8_t* Alloc(std::uint32_t n);

    /// Releases every chunk; the pool can be used again.
    void FreeAll();

    std::size_t ChunkCount() const { return m_Chunks.size(); }
    std::uint32_t BytesLeft() const { return m_BytesLeft; }

private:
    std::vector<std::unique_ptr<std::uint8_t[]>> m_Chunks;
    std::uint32_t m_Used = 0;
    std::uint32_t m_BytesLeft = 0;
    std::size_t m_MaxChunks;
};

/// The pool operations under the names the document code uses.
inline std::uint8_t* PagePoolAlloc(PagePool& pool, std::uint32_t n) { return pool.Alloc(n); }
inline void PagePoolFreeAll(PagePool& pool) { pool.FreeAll(); }

} // namespace orlu
