#pragma once
// Bits of a document's ViewMask: the View items it can show.

#include <cstdint>

namespace orlu {

inline constexpr std::uint32_t kViewMaskSettings = 0x800;
inline constexpr std::uint32_t kViewMaskHexa = 0x1000;

} // namespace orlu
