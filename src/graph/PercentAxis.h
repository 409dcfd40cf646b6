#pragma once
// The percent axis of histograms and densities: ticks on the left edge of the
// plot, labels with as few decimals as the labelled values need, " %" above.

#include <string>
#include <vector>

namespace orlu {

class Canvas;

struct PercentAxisArgs {
    int scale = 1;
    int left = 0;
    int bottom = 0;
    int height = 0;
    int intervals = 10;
    int firstInterval = 0;
    int labelStep = 1;
    int tick = 0;
    double bottomValue = 0.0;
    double topValue = 100.0;
    int sizeIndex = 0;
};

/// The texts of the labelled ticks, bottom first.
std::vector<std::string> PercentAxisLabels(const PercentAxisArgs& a);

void DrawPercentAxis(Canvas& canvas, const PercentAxisArgs& a);

} // namespace orlu
