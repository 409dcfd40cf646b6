#pragma once
// One record of the instrument's file directory, kept as the 32 bytes the
// instrument sent: every field is read from them on demand, so that a record
// whose fields make no sense is still kept in its place.

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace orlu {

class UnitDirEntry {
public:
    static constexpr std::size_t kSize = 32;
    static constexpr std::size_t kNameSize = 8;

    UnitDirEntry() = default;
    explicit UnitDirEntry(std::span<const std::uint8_t, kSize> bytes);

    /// A first name byte 0 marks a deleted entry: it keeps its place but is never listed.
    bool IsEmpty() const { return m_Bytes[0] == 0; }
    /// The 8 name bytes as sent (blank-padded).
    std::string RawName() const;
    /// The name up to its first blank (or NUL).
    std::string Name() const;
    std::uint8_t Type() const { return m_Bytes[8]; }
    std::uint8_t Subtype() const { return m_Bytes[9]; }
    std::uint32_t Size() const { return U32(12); }
    /// An erased file keeps its entry with size 0.
    void SetSize(std::uint32_t size);
    /// Sent back as the count of the file's request.
    std::uint32_t ItemData() const { return U32(16); }
    std::uint16_t Date() const { return U16(20); }
    std::uint16_t Time() const { return U16(22); }
    int Year() const { return Date() >> 9; }
    int Month() const { return (Date() >> 5) & 15; }
    int Day() const { return Date() & 31; }
    /// Seconds since midnight.
    int Seconds() const { return Time() * 2; }

    // The MONITOR's entries hold a memory range instead (overlapping the size,
    // the item data and the date).
    std::uint32_t MonitorStart() const { return U32(14); }
    std::uint32_t MonitorEnd() const { return U32(18); }
    /// end - start + 1, computed in 64 bits: a range the instrument sends
    /// backwards gives 0 rather than a huge size.
    std::uint64_t MonitorSize() const;

    const std::array<std::uint8_t, kSize>& Bytes() const { return m_Bytes; }

private:
    std::uint16_t U16(std::size_t at) const;
    std::uint32_t U32(std::size_t at) const;

    std::array<std::uint8_t, kSize> m_Bytes{};
};

} // namespace orlu
