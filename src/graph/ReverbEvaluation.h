#pragma once
// The view's step-by-step reverberation-time evaluation as the decay graph
// and its read-out see it: the method, the points placed so far, the request
// to search the method's end point and the reference level L0. The view
// fills it from the shown band's record; the graph consumes the search request.

#include <array>
#include <cstdint>
#include <string_view>

namespace orlu {

struct RtEvalRecord {
    std::uint8_t method = 0;              ///< 1 EDT, 2 RT20, 3 RT30, 4 user interval
    std::array<std::int32_t, 5> points{}; ///< t0 .. t4, point indexes
    std::uint8_t searchState = 0;         ///< 3: search the end point (a search sets it to 1)
    double l0 = 0.0;                      ///< mean level of the reference interval
};

inline constexpr std::uint8_t kRtSearchRequested = 3;
inline constexpr std::uint8_t kRtSearchDone = 1;

/// The methods' names in the results box (entries 0 to 3 for methods 1 to 4)
/// and, at 3 + method, the end level of methods 1 to 3 and the label of its line.
inline constexpr std::array<std::string_view, 7> kRtMethodNames{"EDT   ", "RT20  ", "RT30  ", "RTuser",
                                                                "-10dB",  "-25dB",  "-35dB"};
/// End level of methods 1 to 3 below L0, dB.
inline constexpr std::array<double, 3> kRtEndLevels{-10.0, -25.0, -35.0};

/// The last evaluation step of a method: EDT places three points, the others four.
inline int RtLastStep(int method)
{
    return method == 1 ? 4 : 5;
}

} // namespace orlu
