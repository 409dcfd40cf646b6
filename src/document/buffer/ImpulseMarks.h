#pragma once
// Impulse marks of a logger: one flag byte per record. A record is impulsive
// by level difference when the impulse-detector level (profile A) lies 6.0 dB
// or more above the slow level (profile B), or A is overloaded; it lies in an
// impulsive peak when the fast level (profile C) rises more than 10.0 dB above
// a record on each side of it within one second.

#include <cstdint>
#include <span>

namespace orlu {

inline constexpr std::uint8_t kImpulseLevelDifference = 0x01;
inline constexpr std::uint8_t kImpulsePeak = 0x10;

/// Which criteria MarkImpulses applies (the view's impulse modes; 3 is both).
enum ImpulseMode : std::uint8_t { kImpulseModeDifference = 1, kImpulseModePeak = 2, kImpulseModeBoth = 3 };

/// Records in one second at the time step; 0 (no peak can be marked) when the step is not positive.
int ImpulseWindow(double stepSeconds);

/// Sets kImpulseLevelDifference in marks[j] where a[j] - b[j] >= 60 (0.1 dB) or overloadA[j]
/// is set. Every span holds one entry per record (the shortest decides).
void MarkLevelDifference(std::span<const std::int16_t> a, std::span<const std::int16_t> b,
                         std::span<const std::uint8_t> overloadA, std::span<std::uint8_t> marks);

/// Sets kImpulsePeak on the records of every peak of c (0.1 dB) that lies more than 100 above
/// a record before it and one after it, both within `window` records: from the record after
/// the left drop to the record before the right drop.
void MarkPeaks(std::span<const std::int16_t> c, int window, std::span<std::uint8_t> marks);

} // namespace orlu
