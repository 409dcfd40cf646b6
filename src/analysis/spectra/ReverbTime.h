#pragma once
// The reverberation time of every band from its decay curve. L0 is the mean
// level of the reference interval the user marked; the evaluation finds the
// records where the decay first falls 5, 10, 25 and 35 dB below it and keeps
// them in the band's 120-byte record. Each method's time is extrapolated to a
// 60 dB fall from its two points (the instruments' own two-point slope, not a
// regression): EDT from the reference interval's last record to -10 dB, RT20
// from -5 to -25 dB, RT30 from -5 to -35 dB, and the user interval.

#include "analysis/spectra/DecayCurves.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace orlu {

/// The methods, numbered as the records' status bytes 1 to 4 are.
enum ReverbMethod : int { kRtEdt = 1, kRtRt20 = 2, kRtRt30 = 3, kRtUser = 4 };

/// Status of a method in its record.
enum RtStatus : std::uint8_t {
    kRtCleared = 0,
    kRtNoCrossing = 3,    ///< computed, no crossing found
    kRtFirstCrossing = 4, ///< the method's first crossing found (EDT is then complete)
    kRtBothCrossings = 5, ///< both found
};

/// True when the record's reference interval, and its user interval once set,
/// lie in order inside the records 0 to records - 1. A record read from a file
/// that fails is treated as cleared: nothing indexes a curve with it.
bool RtIntervalsValid(std::span<const std::uint8_t> record, std::size_t records);

/// Copies the reference interval the user marked into every record, as the
/// view does once it has both ends.
void SetReferenceInterval(std::span<std::uint8_t> records, std::int32_t first, std::int32_t last);
/// Sets the user interval of every record and marks it complete; its levels
/// come with the next evaluation.
void SetUserInterval(std::span<std::uint8_t> records, std::int32_t first, std::int32_t last);

/// Evaluates records.size() / 120 band records, record b from curve b (records
/// past the curves are left alone, as are records whose intervals are invalid).
/// With `smoothed` each curve is first replaced by its 7-point moving average.
void EvaluateReverbTime(std::span<std::uint8_t> records, const DecayCurves& curves, bool smoothed);

/// The time of a method in seconds, none while it is incomplete or the record
/// is invalid for that many records. A fall of 0.1 dB or less gives 0.
std::optional<double> ReverbTimeOf(std::span<const std::uint8_t> record, int method, std::size_t records);

} // namespace orlu
