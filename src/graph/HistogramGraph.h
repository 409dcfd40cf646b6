#pragma once
// One histogram panel: a bar per level class whose height is the class's
// share, over a class axis in dB and a percent axis, a grey band over the
// marked classes; and its read-out (cursor column, class and share, the
// markers and the block probability).

#include "graph/GraphLayout.h"

#include <array>
#include <span>
#include <string>

namespace orlu {

struct GraphSettings;

inline constexpr Rgb kHistogramBarColour{0, 0, 255};
inline constexpr Rgb kHistogramMarkerBand{230, 230, 230};
inline constexpr Rgb kHistogramCursorColour{72, 72, 72};
inline constexpr Rgb kHistogramMarkerText{127, 127, 127};

struct HistogramPanel {
    double peak = 0.0;       ///< the largest class share, percent
    double classLow = 0.0;   ///< dB
    double classWidth = 1.0; ///< dB
    std::span<const double> values; ///< per class its share divided by the peak
    int firstShown = 0;
    std::string title;
    std::string subtitle;
    bool solidBars = true;
    int markerCount = 0;
    std::array<int, 2> markerColumns{}; ///< absolute class indexes, lower first
    bool cursorShown = false;
    int cursorIndex = 0; ///< within the window
    double blockProbability = 0.0; ///< percent
};

/// Pixels of a bar: one for an empty class, else its part of the plot plus one.
int HistogramBarHeight(double value, double fraction, int plotHeight);

/// The percent-axis intervals and label step of a graph size.
struct PercentIntervals {
    int intervals;
    int labelStep;
};
PercentIntervals PercentIntervalsOf(int sizeIndex);

/// Draws the panel; returns the first class shown.
int DrawHistogramGraph(const PanelHead& head, const HistogramPanel& panel, const GraphSettings& settings);
/// Draws the cursor column (always) and the read-out lines.
void DrawHistogramCursor(const PanelHead& head, const HistogramPanel& panel);

} // namespace orlu
