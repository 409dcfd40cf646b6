#pragma once
// The read-out of a spectrum panel: the XOR cursor bar, the cursor's band or
// frequency and level, the marker bands or frequencies and, with two
// markers, the block value between them.

#include "graph/GraphLayout.h"

#include <string>

namespace orlu {

struct GraphSettings;
struct SpectrumPanel;

inline constexpr Rgb kSpectrumCursorColour{72, 72, 72};

/// The read-out text of an FFT point's frequency: "Total" on the spectrum's
/// total line, else Hz from 0 with the decimals of the line spacing.
std::string FftReadoutFrequency(int point, int pointCount, int totalBars, int aggregation, double lineSpacing);

void DrawSpectrumCursor(const PanelHead& head, const SpectrumPanel& panel, const GraphSettings& settings);

} // namespace orlu
