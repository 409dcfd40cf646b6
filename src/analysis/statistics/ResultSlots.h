#pragma once
// Which logged result the view's n-th choice of a channel or profile is. The
// loggers record up to 8 result slots per profile (or per profile of each of
// four channels), chosen by 16-bit slot masks whose bit k is slot k + 1; the
// other models log one result per profile, named by a result code. Slot 4
// ("RMS") carries a running total: "Total LEQ" for a microphone, "Total RMS"
// for the other inputs. Only bits 0 to 7 of a slot mask name slots.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace orlu {

enum class TotalKind : int {
    None = 0,
    TotalRms = 1, ///< inputs other than a microphone
    TotalLeq = 3, ///< microphone input
};

/// The total of a result that carries one, by input kind.
TotalKind TotalKindOfInput(std::uint16_t inputKind);

/// The n-th (from 0) set bit among bits 0 to 7 of the masks, taken in order: the mask
/// (profile) that holds it and its bit (slot - 1).
struct SlotPosition {
    int group = 0;
    int bit = 0;
};
std::optional<SlotPosition> FindLoggedResult(std::span<const std::uint16_t> masks, int n);

/// 1-based rank of the single-bit value `bit` among the set bits of the mask; 0 when
/// that bit is clear or bit is 0.
int MaskBitOrdinal(std::uint16_t mask, std::uint16_t bit);

/// Whether a result caption takes the detector name: "max" and "min" always, "rms",
/// "leq", "totrms" and "totleq" when the file's RMS results carry a detector.
bool IsLevelResultName(std::string_view name, bool rmsHasDetector);

/// The layouts of logged results.
enum class LoggerLayout { FourChannel, Slots, SingleResult };

/// Names of slots 1 to 8.
std::span<const std::string_view> SlotNames(LoggerLayout layout, bool microphone);

/// Slot layout: the n-th logged result of profile p; empty past the profiles or the set bits.
std::string_view GetProfileResultName(std::span<const std::uint16_t> profileMasks, int p, int n, bool microphone);

/// Four-channel layout: the n-th logged result of a channel over its three profile masks.
std::string_view GetChannelResultName(std::span<const std::uint16_t> channelMasks, int n, bool microphone);
/// The pseudo-channel after the real ones: the RMS vector (when the file has one), then the rotation.
std::string_view GetPseudoChannelResultName(int n, bool hasVector);

TotalKind TotalKindChannel(std::span<const std::uint16_t> channelMasks, int n, std::uint16_t inputKind);
TotalKind TotalKindMasked(std::uint16_t profileMask, int n, std::uint16_t inputKind);
/// Legacy buffers without per-channel results: functions 1 to 8 (Ref .. Val) carry a total.
TotalKind TotalKindByFunction(std::uint16_t function, std::uint16_t inputKind);

/// Model groups of the single-result layout.
enum class SingleResultGroup {
    None,
    AB, ///< ORLU 515 from 2.00, 560, 525, 570, QERA 420
    CD, ///< ORLU 530, 575, 535, 550, 580, 595, QERA 410
};
/// The names of result codes 0, 1, ... ("None", "PEAK", ...) of a model, firmware x 100.
std::span<const std::string_view> ResultCodeNames(SingleResultGroup group, std::uint16_t firmware, bool microphone);
/// The result code that carries the total: 4 for the groups from firmware 2.11, else 3.
TotalKind TotalKindSingle(SingleResultGroup group, std::uint16_t firmware, std::uint16_t resultCode,
                          std::uint16_t inputKind);

} // namespace orlu
