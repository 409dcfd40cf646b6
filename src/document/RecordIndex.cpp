#include "document/RecordIndex.h"

#include <algorithm>

namespace orlu {

void RecordIndex::push_back(std::uint32_t number)
{
    AppendRun(number, 1);
}

void RecordIndex::AppendRun(std::uint32_t first, std::uint32_t count)
{
    if (count == 0)
        return;
    const bool continues = !m_Runs.empty() && m_Runs.back().number + (m_Count - m_Runs.back().position) == first;
    if (!continues)
        m_Runs.push_back(Run{m_Count, first});
    m_Count += count;
}

void RecordIndex::clear()
{
    m_Runs.clear();
    m_Count = 0;
}

std::uint32_t RecordIndex::operator[](std::uint32_t i) const
{
    auto it = std::upper_bound(m_Runs.begin(), m_Runs.end(), i,
                               [](std::uint32_t position, const Run& run) { return position < run.position; });
    const Run& run = *(it - 1);
    return run.number + (i - run.position);
}

std::vector<std::uint32_t> RecordIndex::ToVector() const
{
    return std::vector<std::uint32_t>(begin(), end());
}

std::size_t RecordIndex::CopyTo(std::span<std::uint32_t> out) const
{
    const std::size_t n = std::min<std::size_t>(m_Count, out.size());
    for (std::size_t r = 0; r < m_Runs.size() && m_Runs[r].position < n; ++r) {
        const std::size_t end = r + 1 < m_Runs.size() ? std::min<std::size_t>(m_Runs[r + 1].position, n) : n;
        std::uint32_t number = m_Runs[r].number;
        for (std::size_t i = m_Runs[r].position; i < end; ++i)
            out[i] = number++;
    }
    return n;
}

std::uint32_t RecordIndex::Iterator::operator*() const
{
    const Run& run = m_Index->m_Runs[m_Run];
    return run.number + (m_Position - run.position);
}

RecordIndex::Iterator& RecordIndex::Iterator::operator++()
{
    ++m_Position;
    if (m_Run + 1 < m_Index->m_Runs.size() && m_Index->m_Runs[m_Run + 1].position == m_Position)
        ++m_Run;
    return *this;
}

} // namespace orlu
