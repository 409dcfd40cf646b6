#include "analysis/statistics/ResultSlots.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>

namespace orlu {
namespace {

constexpr std::uint16_t kMicrophone = 2;
constexpr int kSlotBits = 8;
constexpr int kTotalSlotBit = 3; // slot 4, "RMS"

using Names = std::array<std::string_view, 8>;
constexpr Names kSlotMicrophone{"Peak", "Max", "Min", "RMS", "vvvv", "xxx", "yyy", "zzz"};
constexpr Names kSlotOther{"Peak", "P-P", "Max", "RMS", "vvvv", "xxx", "yyy", "zzz"};
constexpr Names kFourChannelOther{"Peak", "P-P", "Max", "RMS", "VDV", "xxx", "yyy", "zzz"};

constexpr std::array<std::string_view, 4> kCodesFirst{"None", "PEAK", "MAX", "RMS"};
constexpr std::array<std::string_view, 5> kCodesWithMin{"None", "PEAK", "MAX", "MIN", "RMS"};
constexpr std::array<std::string_view, 5> kCodesWithPeakToPeak{"None", "PEAK", "P-P", "MAX", "RMS"};
constexpr std::array<std::string_view, 4> kCodesOlder{"None", "PEAK", "SPL", "LEQ"};

bool SameName(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

TotalKind TotalAt(std::optional<SlotPosition> at, std::uint16_t inputKind)
{
    return at && at->bit == kTotalSlotBit ? TotalKindOfInput(inputKind) : TotalKind::None;
}

std::string_view NameAt(std::optional<SlotPosition> at, LoggerLayout layout, bool microphone)
{
    return at ? SlotNames(layout, microphone)[static_cast<std::size_t>(at->bit)] : std::string_view{};
}

} // namespace

TotalKind TotalKindOfInput(std::uint16_t inputKind)
{
    return inputKind == kMicrophone ? TotalKind::TotalLeq : TotalKind::TotalRms;
}

std::optional<SlotPosition> FindLoggedResult(std::span<const std::uint16_t> masks, int n)
{
    int seen = 0;
    for (std::size_t g = 0; g < masks.size(); ++g)
        for (int bit = 0; bit < kSlotBits; ++bit)
            if ((masks[g] >> bit) & 1u) {
                if (seen == n)
                    return SlotPosition{static_cast<int>(g), bit};
                ++seen;
            }
    return std::nullopt;
}

int MaskBitOrdinal(std::uint16_t mask, std::uint16_t bit)
{
    if (bit == 0 || (mask & bit) == 0)
        return 0;
    return std::popcount(static_cast<std::uint16_t>(mask & (bit | (bit - 1))));
}

bool IsLevelResultName(std::string_view name, bool rmsHasDetector)
{
    if (SameName(name, "max") || SameName(name, "min"))
        return true;
    for (std::string_view rms : {"rms", "leq", "totrms", "totleq"})
        if (SameName(name, rms))
            return rmsHasDetector;
    return false;
}

std::span<const std::string_view> SlotNames(LoggerLayout layout, bool microphone)
{
    if (microphone)
        return kSlotMicrophone;
    return layout == LoggerLayout::FourChannel ? std::span<const std::string_view>(kFourChannelOther)
                                               : std::span<const std::string_view>(kSlotOther);
}

std::string_view GetProfileResultName(std::span<const std::uint16_t> profileMasks, int p, int n, bool microphone)
{
    if (p < 0 || static_cast<std::size_t>(p) >= profileMasks.size())
        return {};
    return NameAt(FindLoggedResult(profileMasks.subspan(static_cast<std::size_t>(p), 1), n), LoggerLayout::Slots,
                  microphone);
}

std::string_view GetChannelResultName(std::span<const std::uint16_t> channelMasks, int n, bool microphone)
{
    return NameAt(FindLoggedResult(channelMasks, n), LoggerLayout::FourChannel, microphone);
}

std::string_view GetPseudoChannelResultName(int n, bool hasVector)
{
    if (n == 0)
        return hasVector ? "RMS_Vect" : "RPM";
    return n == 1 ? "RPM" : "";
}

TotalKind TotalKindChannel(std::span<const std::uint16_t> channelMasks, int n, std::uint16_t inputKind)
{
    return TotalAt(FindLoggedResult(channelMasks, n), inputKind);
}

TotalKind TotalKindMasked(std::uint16_t profileMask, int n, std::uint16_t inputKind)
{
    return TotalAt(FindLoggedResult(std::span<const std::uint16_t>(&profileMask, 1), n), inputKind);
}

TotalKind TotalKindByFunction(std::uint16_t function, std::uint16_t inputKind)
{
    return function >= 1 && function <= 8 ? TotalKindOfInput(inputKind) : TotalKind::None;
}

std::span<const std::string_view> ResultCodeNames(SingleResultGroup group, std::uint16_t firmware, bool microphone)
{
    switch (group) {
    case SingleResultGroup::AB:
        if (firmware == 210)
            return kCodesFirst;
        if (firmware >= 211)
            return kCodesWithMin;
        return kCodesOlder;
    case SingleResultGroup::CD:
        return microphone ? std::span<const std::string_view>(kCodesWithMin)
                          : std::span<const std::string_view>(kCodesWithPeakToPeak);
    case SingleResultGroup::None:
        break;
    }
    return kCodesOlder;
}

TotalKind TotalKindSingle(SingleResultGroup group, std::uint16_t firmware, std::uint16_t resultCode,
                          std::uint16_t inputKind)
{
    const std::uint16_t k = group != SingleResultGroup::None && firmware >= 211 ? 4 : 3;
    return resultCode == k ? TotalKindOfInput(inputKind) : TotalKind::None;
}

} // namespace orlu
