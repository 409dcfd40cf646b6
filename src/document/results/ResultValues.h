#pragma once
// One decoded row of main results, in dB or in linear units scaled for
// display. A decoder writes only the slots of its family; the others keep
// what the caller put there. An absent value (a measurement time of 0 gives
// no SEL) is NaN, which the reports print as "-----".

#include <cmath>
#include <cstdint>
#include <limits>

namespace orlu {

inline constexpr double kAbsentValue = std::numeric_limits<double>::quiet_NaN();
inline bool IsAbsent(double v)
{
    return std::isnan(v);
}

struct ResultValues {
    std::uint32_t measurementSeconds = 0; ///< vibration decoder only
    double result = 0.0;          ///< Leq (sound level meters), RMS (vibration)
    double peak = 0.0;
    double min = 0.0;             ///< vibration: P-P
    double max = 0.0;             ///< vibration: MTVV
    double second = 0.0;
    double spl = 0.0;             ///< vibration: VDV
    double sel = 0.0;             ///< dB, or Pa2s in linear mode
    double lex8 = 0.0;
    double ltm3 = 0.0;
    double ltm5 = 0.0;
    double psel = 0.0;
    double soundExposure = 0.0;   ///< Pa2h
    double soundExposure8 = 0.0;  ///< Pa2h over 8 hours
    double dose = 0.0;            ///< percent
    double dose8 = 0.0;           ///< percent
    double lav = 0.0;
    double doseLevel = 0.0;
    double exposure = 0.0;        ///< E, Pa2h
    double exposure8 = 0.0;       ///< E8, Pa2h
    double lepd = 0.0;
    double sel8 = 0.0;
    std::int32_t statNumber = 0;
    double statLevel = 0.0;
    double vdv = 0.0;
    std::int32_t denCode = 0;     ///< printed "%03d"
    double lden = 0.0;
    double overloadPercent = 0.0;
};

} // namespace orlu
