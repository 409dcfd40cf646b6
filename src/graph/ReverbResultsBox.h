#pragma once
// The green box under a decay panel during a reverberation-time evaluation:
// one line per method with its time, ">" on the method being evaluated.

#include <cstdint>
#include <span>
#include <string>

namespace orlu {

class Canvas;

inline constexpr int kRtBoxWidthChars = 22;
/// Unscaled pixels the box reaches below the plot's bottom: four lines of its
/// own 14-pixel font above it and four in it (at most 18 pixels a line), and its margins.
inline constexpr int kRtBoxDepth = 8 * 18 + 6;

/// The box's line of a method: " > RT20   = 0.600 s " (">" on the current method).
std::string ReverbResultLine(std::span<const std::uint8_t> record, int method, int currentMethod);

/// Draws the box from `left` under the plot's bottom; the colours and font
/// are restored afterwards.
void DrawReverbResults(Canvas& canvas, int scale, int left, int bottom, std::span<const std::uint8_t> record,
                       int currentMethod);

} // namespace orlu
