#pragma once
// A constant list of names (range names, weighting names, ...) chosen by a
// decoder. Lookups are checked: an index from a file that lies outside the
// list names "UNDF", never memory past the list.

#include <cstddef>
#include <cstdint>

namespace orlu {

struct NameTable {
    const char* const* Names = nullptr;
    std::uint8_t Count = 0;

    template <std::size_t N>
    static constexpr NameTable Of(const char* const (&names)[N], std::size_t from = 0)
    {
        return NameTable{names + from, static_cast<std::uint8_t>(N - from)};
    }
    /// Name i, or "UNDF" outside the list.
    const char* At(long i) const { return i >= 0 && i < Count ? Names[i] : "UNDF"; }
    bool Empty() const { return Count == 0; }
    bool operator==(const NameTable&) const = default;
};

} // namespace orlu
