#pragma once
// Daily vibration exposure from the results of three axis channels: the
// hand-arm vector sum and its A(8), or the whole-body RMS and VDV with the
// horizontal axes weighted by 1.4, and the times at which the national
// action and limit values are reached.

#include "document/headers/FourChannelHeader.h"
#include "document/results/ResultValues.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace orlu {

/// Exposure kinds of ExposureSetup::kind.
inline constexpr std::uint8_t kExposureHandArm = 1;
inline constexpr std::uint8_t kExposureWholeBody = 2;

/// The action, limit and third values of one half (hand-arm or whole-body) of a variant.
struct ExposureLimits {
    double action = 0.0;
    double limit = 0.0;
    double third = 0.0;
    double fourth = 0.0; ///< kept with the variant; no computation uses it
};

/// One national variant: RMS values in m/s2, VDV values in m/s^1.75.
struct VibrationLimits {
    std::string_view name;
    ExposureLimits handArm;
    ExposureLimits wholeBody;
    std::uint8_t wholeBodyPowerFlags = 0; ///< bit 0: the action value is a VDV; bit 1: the limit value
};

inline constexpr int kVibrationLimitVariantCount = 5;
/// The variant with only a third value (a vector sum and its time to reach).
inline constexpr std::uint8_t kLimitVariantThirdValue = 2;

/// "UK", "IT", "PL", "FR", "User".
extern const std::array<VibrationLimits, kVibrationLimitVariantCount> VibrationLimitTable;

/// The values of an ExposureResult; bit k of validMask marks value k.
enum ExposureValue : int {
    kHandArmVector = 0,   ///< sqrt(x^2 + y^2 + z^2) of the axes' RMS
    kWholeBodyVdv = 1,
    kWholeBodyRms = 2,
    kWholeBodyVector = 3, ///< sqrt(1.96 (x^2 + y^2) + z^2), third-value variant
    kCurrentExposure = 4, ///< value x sqrt(T / 28800)
    kDailyExposure = 5,   ///< value x sqrt(Te / 28800), A(8)
    kCurrentDose = 6,     ///< VDV so far
    kDailyDose = 7,       ///< VDV x (Te / T)^0.25
    kActionTimeTotal = 8, ///< seconds of exposure at which the action value is reached
    kActionTimeLeft = 9,  ///< seconds left until then, not below 0
    kLimitTimeTotal = 10,
    kLimitTimeLeft = 11,
    kThirdTimeTotal = 12,
    kThirdTimeLeft = 13,
    kExposureValueCount = 14,
};

struct ExposureResult {
    std::uint16_t validMask = 0;
    std::uint8_t powerFlags = 0; ///< the variant's whole-body power flags; 0 for hand-arm
    std::array<double, kExposureValueCount> values{};

    bool IsValid(int k) const { return (validMask >> k) & 1u; }
};

/// Computes the exposure of `setup` from the vibration results of the
/// document's channels (`result` RMS, `spl` VDV, `measurementSeconds` T of
/// the x channel). Returns 1 with `out` filled; 0 with `out` untouched for
/// a kind other than hand-arm or whole-body, an unknown limit variant or an
/// axis channel outside `byChannel`. A zero RMS, VDV or measurement time
/// leaves the values computed from it invalid, never divided by.
int ComputeVibrationExposure(const ExposureSetup& setup, std::span<const ResultValues> byChannel, ExposureResult& out);

} // namespace orlu
