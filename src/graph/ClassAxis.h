#pragma once
// The class axis of histograms and densities: a tick in the middle of every
// labelled class, its lower bound in dB under it, and "dB" at the right end.

namespace orlu {

class Canvas;

struct ClassAxisArgs {
    int scale = 1;
    int left = 0;
    int bottom = 0;
    int width = 0;
    int classCount = 0; ///< classes in the window
    int firstClass = 0; ///< absolute index of the window's first class
    int labelStep = 10; ///< labels on absolute indexes that are multiples of it
    int tick = 0;
    double classLow = 0.0;   ///< dB
    double classWidth = 1.0; ///< dB
};

/// Whole-dB classes are labelled without decimals, narrower ones with one.
const char* ClassLabelFormat(double classWidth);

void DrawClassAxis(Canvas& canvas, const ClassAxisArgs& a);

} // namespace orlu
