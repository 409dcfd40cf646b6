#pragma once
// The view's evaluation state of one band's reverberation time, all four
// methods at once (1 EDT, 2 RT20, 3 RT30, 4 user interval), and its exchange
// with the document's 120-byte record of that band, which keeps one method's
// state at a time in its crossing fields.

#include <array>
#include <cstdint>
#include <span>

namespace orlu {

struct ReverbEvaluation {
    std::array<std::uint8_t, 4> Status{}; ///< per method 1 to 4
    double TimeStep = 0.0;                ///< seconds between records
    std::int32_t ReferenceFirst = 0;      ///< the reference interval's records
    std::int32_t ReferenceLast = 0;
    std::int32_t StartIndex = 0;          ///< the -5 dB crossing RT20 and RT30 start from
    double StartLevel = 0.0;
    std::array<std::int32_t, 4> EndIndex{}; ///< per method: where it ends (EDT: its -10 dB crossing)
    std::array<double, 4> EndLevel{};
    std::int32_t UserStartIndex = 0;
    double UserStartLevel = 0.0;
    std::int32_t EvaluationMode = 0;
    double ReferenceLevel = 0.0;          ///< L0, the mean level of the reference interval

    friend bool operator==(const ReverbEvaluation&, const ReverbEvaluation&) = default;
};

/// Copies method `method`'s state from the view's evaluation into the band's
/// record (`record` is one 120-byte record) and marks the record with the
/// method. False, and nothing written, for a method outside 1 to 4 or a
/// record shorter than 120 bytes.
bool SaveReverbState(int method, std::span<std::uint8_t> record, const ReverbEvaluation& evaluation);

/// The reverse of SaveReverbState: the record's values go back to method
/// `method`'s places of the evaluation; the other methods' fields are kept.
bool LoadReverbState(int method, ReverbEvaluation& evaluation, std::span<const std::uint8_t> record);

} // namespace orlu
