#include "link/UnitDirEntry.h"

#include <algorithm>

namespace orlu {

UnitDirEntry::UnitDirEntry(std::span<const std::uint8_t, kSize> bytes)
{
    std::copy(bytes.begin(), bytes.end(), m_Bytes.begin());
}

std::string UnitDirEntry::RawName() const
{
    return std::string(m_Bytes.begin(), m_Bytes.begin() + kNameSize);
}

std::string UnitDirEntry::Name() const
{
    std::string name;
    for (std::size_t i = 0; i < kNameSize && m_Bytes[i] != ' ' && m_Bytes[i] != 0; ++i)
        name.push_back(static_cast<char>(m_Bytes[i]));
    return name;
}

void UnitDirEntry::SetSize(std::uint32_t size)
{
    for (int i = 0; i < 4; ++i)
        m_Bytes[12 + i] = static_cast<std::uint8_t>(size >> (8 * i));
}

std::uint64_t UnitDirEntry::MonitorSize() const
{
    const std::uint32_t start = MonitorStart();
    const std::uint32_t end = MonitorEnd();
    return end < start ? 0 : std::uint64_t{end} - start + 1;
}

std::uint16_t UnitDirEntry::U16(std::size_t at) const
{
    return static_cast<std::uint16_t>(m_Bytes[at] | m_Bytes[at + 1] << 8);
}

std::uint32_t UnitDirEntry::U32(std::size_t at) const
{
    return std::uint32_t{m_Bytes[at]} | std::uint32_t{m_Bytes[at + 1]} << 8 | std::uint32_t{m_Bytes[at + 2]} << 16 |
           std::uint32_t{m_Bytes[at + 3]} << 24;
}

} // namespace orlu
