#pragma once
// The phase of a two-channel spectra function: one bar per displayed line,
// up from the zero line in the middle of the plot for a positive phase and
// down for a negative one, over the FFT frequency axis, with a phase axis in
// radians, degrees or grads; and its read-out.

#include "graph/GraphLayout.h"

#include <string>

namespace orlu {

struct GraphSettings;
struct SpectrumPanel;

/// The half circle as the phase graph counts it, and the factors from radians.
inline constexpr double kPhasePi = 3.1415926535;
inline constexpr double kRadiansToDegrees = 57.29577951471995;
inline constexpr double kRadiansToGrads = 63.66197723857773;

enum PhaseUnit { kPhaseRadians = 0, kPhaseDegrees = 1, kPhaseGrads = 2 };

/// " rad", " deg" or " grad".
const char* PhaseUnitText(int phaseUnit);

/// Pixels a phase (radians) reaches from the zero line: nearest, halves away
/// from zero, at most `half` either way.
int PhaseBarOffset(double radians, int half);

/// Frequency decimals of the read-out: the place of the last non-zero digit
/// among the first five decimals of the line spacing.
int PhaseReadoutDecimals(double lineSpacing);

struct PhaseAxisInput {
    int scale = 1;
    int left = 0;
    int bottom = 0;
    int height = 0;
    int tickLength = 0;
    int phaseUnit = kPhaseRadians;
};
/// The phase axis left of the plot, with the current font.
void DrawPhaseAxis(Canvas& canvas, const PhaseAxisInput& in);

/// Draws the panel; returns the first point shown.
int DrawPhaseGraph(const PanelHead& head, const SpectrumPanel& panel, const GraphSettings& settings);
void DrawPhaseCursor(const PanelHead& head, const SpectrumPanel& panel, const GraphSettings& settings);

} // namespace orlu
