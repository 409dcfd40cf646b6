#pragma once
// The Y axis of level graphs: ticks with their labels left of the plot and
// the unit above them.

#include <string>

namespace orlu {

class Canvas;
struct LevelRange;
struct PanelLayout;

/// No axis has more pixel rows than this: a step that would give more ticks grows.
inline constexpr double kMaxLevelAxisTicks = 1000.0;

/// Tick step and count of a level axis of the given span.
struct LevelAxisTicks {
    double step = 0.0;
    int count = 0;        ///< n: ticks 0..n; 0 for a span below 1 (one tick)
    double axisTop = 0.0; ///< n x step
};
LevelAxisTicks LevelAxisStep(double span);

struct LevelAxisInput {
    int scale = 1;
    int left = 0;
    int bottom = 0;
    int height = 0;
    int firstTick = 0;
    int tickLength = 0;
    double bottomValue = 0.0;
    double span = 0.0;
    int decimalsIndex = 0; ///< "%5.0f" .. "%5.3f"
};

/// Draws the axis with the canvas's current font and pen; trims the unit's trailing blanks.
void DrawLevelAxis(Canvas& canvas, const LevelAxisInput& in, std::string& unit);

/// The level axis of a plot's range left of its plot rectangle. Levels
/// (value kind 0) run from the range's bottom; linear values from 0 up to
/// the top as its text prints it, so that the axis ends on a printed value.
void DrawRangeLevelAxis(Canvas& canvas, const PanelLayout& layout, int scale, const LevelRange& range, int inputKind,
                        int valueKind, bool nonMetric);

/// A value as "%5.0f" .. "%5.3f" by a decimals index (clamped to 0..3).
std::string FormatAxisValue(double value, int decimalsIndex);

} // namespace orlu
