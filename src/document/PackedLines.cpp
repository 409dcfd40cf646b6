#include "document/PackedLines.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace orlu {

void PackedLines::AddLine(std::string& line)
{
    const std::size_t size = line.size() + 2;
    if (m_Blocks.empty() || m_Blocks.back().capacity - m_Blocks.back().used < size) {
        // A fresh block; the unused tail of the last one stays unused.
        Block block;
        block.capacity = static_cast<std::uint32_t>(std::max(size, kBlockBytes));
        block.text = std::make_unique_for_overwrite<char[]>(block.capacity);
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
