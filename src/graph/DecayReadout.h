#pragma once
// The cursor read-out of a decay panel. Outside an evaluation it reads like a
// time history's (cursor line, point, times, level, total, markers, block
// statistics). During one the evaluation cursor takes the cursor line's
// place, with the label of the point to be placed next and, for the user
// interval, a red line at the cursor's level; the cursor then sets the end
// of the user interval (written to the band's record through the document),
// its time is written in seconds and the box of the four times is shown.

#include "graph/GraphLayout.h"

namespace orlu {

struct DecayPanel;
struct GraphSettings;

inline constexpr Rgb kDecayCursorColour{128, 128, 0};
inline constexpr Rgb kRtCursorColour{0, 255, 255};
inline constexpr Rgb kRtUserLevelColour{255, 0, 0};
inline constexpr const char* kNoPlotText = "NO PLOT FOR THIS FREQUENCY";

void DrawDecayCursor(const PanelHead& head, const DecayPanel& panel, const GraphSettings& settings);

} // namespace orlu
