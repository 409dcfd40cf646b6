#pragma once
// Which weighting filters of the current family give a vibration dose value:
// the high passes, the whole-body and hand-arm weightings and the user
// filters; not the velocity, displacement and KB filters.

#include <array>
#include <cstdint>

namespace orlu {

inline constexpr int kVdvFilterCount = 56;

/// 1 where the VDV column has a value, by weighting-filter code.
extern const std::array<std::uint8_t, kVdvFilterCount> VdvFilterTable;

/// Whether a filter code has a VDV; a code beyond the table has none.
bool FilterHasVdv(long code);

} // namespace orlu
