#pragma once
// The plot geometry shared by the view and every plot routine: margins and
// height in pixels, and how the visible points fall onto columns.

namespace orlu {

struct GraphGeometry {
    int leftMargin = 0;
    int topMargin = 0;
    int pointCount = 0;      ///< points visible
    int pointsPerColumn = 0; ///< points drawn into one pixel column
    int plotHeight = 0;
    int pixelsPerPoint = 0;
};

} // namespace orlu
