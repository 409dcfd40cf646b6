#pragma once
// Ranges and ticks of the graph axes: the 5 dB grid of level axes, the range
// of series that are not levels (rotation), the top of percent axes and the
// decimals an axis value needs. Every search here is bounded: a flat series,
// a range of 0 or less and values that are not finite give a usable axis.

#include <cstdint>

namespace orlu {

class PlotSeries;

struct LevelRange {
    double bottom = 0.0;
    double top = 0.0;
    double Span() const { return top - bottom; }
};

/// What a level axis is scaled from.
struct LevelScaleInput {
    double base = 0.0;           ///< dB: the grid starts here and runs downwards
    double span = 110.0;
    bool autoscale = false;
    int pitchSteps = 0;          ///< 5 dB steps the fixed range is moved down
    int zoomSteps = 0;           ///< 5 dB steps the fixed range is narrowed
    double frequency = 0.0;      ///< conversion frequency of velocity and displacement
    int inputKind = 0;           ///< 2: microphone (linear values x20)
    int quantity = 0;            ///< 0 dB, 1 linear, 2 velocity, 3 displacement
    double referenceExponent = 6.0;
};

/// The range of a level or linear axis over the lowest and highest finite data values.
LevelRange AutoScaleLevels(const LevelScaleInput& in, bool hasData, double lowest, double highest);
LevelRange AutoScaleLevels(const LevelScaleInput& in, const PlotSeries& series);

/// The range of a series that is not a level (rotation): the dB grid when
/// autoscaled, else 0 to span - 5 x zoom steps (at least 1).
LevelRange AutoScaleTimeLevels(const LevelScaleInput& in, const PlotSeries& series);

/// The top of a percent axis for data reaching `range`.
struct NiceTicks {
    int intervals = 1;
    double axisTop = 1.0;
    double fraction = 0.0; ///< share of the axis the data use
};
NiceTicks NiceTickStep(double range);

/// Decimals (0 to 2) an axis value needs when printed with two.
int CountAxisDecimals(double value);

} // namespace orlu
