#pragma once
// The plot geometry shared by the view and every plot routine: margins and
// height in pixels, how the visible points fall onto columns, and how the
// points are drawn. One record per kind of graph; the view copies a new one
// from its row of defaults and the zoom commands change Points, Step and Pitch.
//
// The record has twelve fields; the first six are declared first, in the
// order brace initialisers give them, and the record's own order is
// Left, Top, Points, Step, Width, Height, Height2, Pitch, BarWidth, Bars,
// Reserved, LabelMode.

namespace orlu {

struct GraphGeometry {
    int leftMargin = 0;      ///< Left: plot left edge from the panel origin, unscaled pixels
    int topMargin = 0;       ///< Top: plot top edge from the panel origin (set at every paint)
    int pointCount = 0;      ///< Points: points visible
    int pointsPerColumn = 0; ///< Step: points drawn into one pixel column
    int plotHeight = 0;      ///< Height: plot height (set at every paint)
    int pixelsPerPoint = 0;  ///< Pitch
    int plotWidth = 0;       ///< Width: Points x Pitch once the view has computed the step
    int secondHeight = 0;    ///< Height2: the second height value of the defaults (110; 111 for waveforms)
    int barWidth = 0;        ///< BarWidth: Pitch - 1 for band and class bars, 0 for curves
    int bars = 0;            ///< Bars: 1 when points are drawn as bars, 0 for curves
    int reserved = 0;        ///< Reserved: 1 in every row of the defaults
    /// LabelMode: the band set the points stand for (0 none, 1 bands of a
    /// non-microphone input, 3 of a microphone, 6 the long band sets); the
    /// engine sets it when it re-derives a band record for a panel's channel.
    int labelMode = 0;
};

} // namespace orlu
