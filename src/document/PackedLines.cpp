#include "document/PackedLines.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>
#include <sys/mman.h>

namespace orlu {

namespace {

/// A block of text on huge-page bounds, the kernel asked to back it with huge
/// pages: a form of hundreds of megabytes then costs a few hundred page
/// faults when it is written, not a hundred thousand.
char* NewText(std::size_t bytes)
{
    const std::size_t size = (bytes + PackedLines::kBlockBytes - 1) / PackedLines::kBlockBytes * PackedLines::kBlockBytes;
    void* text = std::aligned_alloc(PackedLines::kBlockBytes, size);
    if (!text)
        throw std::bad_alloc();
    ::madvise(text, size, MADV_HUGEPAGE); // a hint: without huge pages the block works as well
    return static_cast<char*>(text);
}

} // namespace

void PackedLines::FreeText::operator()(char* text) const
{
    std::free(text);
}

void PackedLines::AddLine(std::string& line)
{
    const std::size_t size = line.size() + 2;
    if (m_Blocks.empty() || m_Blocks.back().capacity - m_Blocks.back().used < size) {
        // A fresh block; the unused tail of the last one stays unused.
        Block block;
        block.capacity = static_cast<std::uint32_t>(std::max(size, kBlockBytes));
        block.text.reset(NewText(block.capacity));
        block.firstLine = m_Starts.size();
        m_Blocks.push_back(std::move(block));
    }
    Block& block = m_Blocks.back();
    char* at = block.text.get() + block.used;
    std::memcpy(at, line.data(), line.size());
    at[line.size()] = '\r';
    at[line.size() + 1] = '\n';
    m_Starts.push_back(block.used);
    block.used += static_cast<std::uint32_t>(size);
    m_TextBytes += size;
    m_Widest = std::max(m_Widest, static_cast<int>(std::min<std::size_t>(size, INT_MAX)));
    line.clear();
}

const PackedLines::Block& PackedLines::BlockOf(std::size_t line) const
{
    // The last block whose first line is at or before `line`.
    auto it = std::upper_bound(m_Blocks.begin(), m_Blocks.end(), line,
                               [](std::size_t i, const Block& b) { return i < b.firstLine; });
    return *(it - 1);
}

std::string_view PackedLines::Line(std::size_t i, std::string&) const
{
    const Block& block = BlockOf(i);
    const std::uint32_t start = m_Starts[i];
    const bool lastInBlock = &block == &m_Blocks.back() ? i + 1 == m_Starts.size()
                                                        : i + 1 == (&block + 1)->firstLine;
    const std::uint32_t end = lastInBlock ? block.used : m_Starts[i + 1];
    return {block.text.get() + start, end - start};
}

} // namespace orlu
