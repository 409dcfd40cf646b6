#pragma once
// Little-endian fields for the picture file formats (metafiles, bitmaps).
// Reads take an offset that the caller has checked against the size.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace orlu {

inline void AppendLe16(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void AppendLe32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    AppendLe16(out, value & 0xFFFF);
    AppendLe16(out, value >> 16);
}

inline void PutLe32(std::span<std::uint8_t> out, std::size_t offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline std::uint16_t GetLe16(std::span<const std::uint8_t> in, std::size_t offset)
{
    return static_cast<std::uint16_t>(in[offset] | in[offset + 1] << 8);
}

inline std::uint32_t GetLe32(std::span<const std::uint8_t> in, std::size_t offset)
{
    return GetLe16(in, offset) | static_cast<std::uint32_t>(GetLe16(in, offset + 2)) << 16;
}

inline std::int32_t GetLeI32(std::span<const std::uint8_t> in, std::size_t offset)
{
    return static_cast<std::int32_t>(GetLe32(in, offset));
}

} // namespace orlu
