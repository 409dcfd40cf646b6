#pragma once
// Metafiles as other programs write them, built record by record, for the
// player's tests and the fuzz seeds: a header for a 100 x 100 picture, the
// records asked for, and the end record with the sizes patched in.

#include "platform/canvas/EmfFormat.h"
#include "platform/canvas/LittleEndian.h"

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace orlu::fixture {

class EmfBuilder {
public:
    EmfBuilder()
    {
        Record(emf::kHeader, {0, 0, 99, 99, 0, 0, 2645, 2645, emf::kSignature, emf::kVersion, 0, 0, 8 /*handles*/,
                              0, 0, 0, 1920, 1440, 508, 381});
    }
    void Record(std::uint32_t type, std::initializer_list<std::uint32_t> fields)
    {
        AppendLe32(m_Bytes, type);
        AppendLe32(m_Bytes, static_cast<std::uint32_t>(8 + 4 * fields.size()));
        for (std::uint32_t f : fields)
            AppendLe32(m_Bytes, f);
        ++m_Records;
    }
    // Points as 16-bit pairs after a bounds rectangle and the count.
    void Poly16(std::uint32_t type, std::initializer_list<std::pair<int, int>> points)
    {
        AppendLe32(m_Bytes, type);
        AppendLe32(m_Bytes, static_cast<std::uint32_t>(28 + 4 * points.size()));
        for (int i = 0; i < 4; ++i)
            AppendLe32(m_Bytes, 0);
        AppendLe32(m_Bytes, static_cast<std::uint32_t>(points.size()));
        for (auto [x, y] : points) {
            AppendLe16(m_Bytes, static_cast<std::uint16_t>(x));
            AppendLe16(m_Bytes, static_cast<std::uint16_t>(y));
        }
        ++m_Records;
    }
    std::vector<std::uint8_t> Finish()
    {
        Record(emf::kEof, {0, 16, 20});
        PutLe32(m_Bytes, 48, static_cast<std::uint32_t>(m_Bytes.size()));
        PutLe32(m_Bytes, 52, m_Records);
        return m_Bytes;
    }

private:
    std::vector<std::uint8_t> m_Bytes;
    std::uint32_t m_Records = 0;
};


} // namespace orlu::fixture
