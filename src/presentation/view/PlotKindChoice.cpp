#include "presentation/view/PlotKindChoice.h"

#include <algorithm>

namespace orlu {
namespace {

// The sound and vibration families whose band sets have no third-octave
// layout of their own: the ORLU 530 family, and the 535 family on an
// accelerometer or below firmware 3.02.
bool VibrationBands(const PlotKindInputs& in)
{
    return in.flags.Family530 || (in.flags.Family535 && (in.accelerometer || in.firmware <= 301));
}

int FilterDecimals(const PlotKindInputs& in) { return in.filterCode > 3 ? 2 : 1; }

PlotKindChoice Levels(const PlotKindInputs& in)
{
    const int b = in.values;
    const int totals = b - in.bands;
    auto pick = [](PlotKind kind, int points, int decimals) {
        return PlotKindChoice{kind, points, decimals, PlotValuesKind::Level};
    };
    if (in.bandKind == 3)
        return pick(in.octaveAxisLayout, b, 0);
    if (VibrationBands(in))
        return pick(36, b, 0);
    if (in.flags.Family515)
        return pick(b == 33 ? 37 : 38, b, 0);
    if (totals == 1)
        return pick(b == 43 ? 0 : 1, b + 2, 0);
    if (totals == 3)
        return pick(b == 45 ? 2 : b == 47 ? 3 : 39, b, FilterDecimals(in));
    return pick(b == 48 ? 4 : 5, b, FilterDecimals(in));
}

PlotKindChoice Octaves11(const PlotKindInputs& in)
{
    const int b = in.values;
    const bool octaves = in.bandKind == 3;
    PlotKindChoice c{in.spectrumAxisLayout, 0, 1, PlotValuesKind::Octave};
    if (in.flags.Family515Text) {
        c.pointCount = b + 1;
        c.axisDecimals = 0;
    } else if (in.flags.Family515) {
        c.pointCount = octaves ? b : c.plotKind == 23 ? 12 : 13;
    } else if (in.flags.Family525 || (in.flags.Family535 && in.microphone && in.firmware >= 302)) {
        c.pointCount = octaves ? b : in.bands / 3 + 3;
    } else if (in.flags.Family530 || in.flags.Family535) {
        const bool accelerometerTotals = in.accelerometer && b - in.bands == 3;
        c.pointCount = octaves ? b - (accelerometerTotals ? 2 : 0) : in.bands / 3 + 1;
    } else {
        c.pointCount = octaves ? b : in.octaveTotalIndex;
        c.axisDecimals = 0;
    }
    return c;
}

PlotKindChoice Octaves13(const PlotKindInputs& in)
{
    const int b = in.values;
    const int f = in.bands;
    auto pick = [](PlotKind kind, int points, int decimals) {
        return PlotKindChoice{kind, points, decimals, PlotValuesKind::Octave};
    };
    if (in.flags.Family515)
        return pick(b == 33 ? 27 : 24, b, 1);
    if (VibrationBands(in)) {
        if (b == 33)
            return pick(47, b, 1);
        return in.firmware < 401 ? pick(30, b + 2, 1) : pick(30, 48, 0);
    }
    if (b == 50 && (f == 41 || f == 38))
        return pick(f == 41 ? 40 : 41, b, FilterDecimals(in));
    if (b == 45 && (f == 41 || f == 38))
        return pick(f == 41 ? 44 : 45, b + 2, 0);
    if (b - f == 1)
        return pick(b == 43 ? 12 : 15, b + 2, 0);
    if (b - f == 3) {
        const PlotKind kind = b == 33 ? 27 : b == 34 ? 50 : b == 45 ? 16 : b == 47 ? 17 : 25;
        return pick(kind, b, !in.flags.Family525 && in.filterCode > 3 ? 2 : 1);
    }
    return pick(b == 48 ? 19 : 20, b, FilterDecimals(in));
}

} // namespace

PlotKindChoice ChoosePlotKind(const PlotKindInputs& in)
{
    // A degree of 0 would divide by zero; the view never aggregates below 1.
    const int a = std::max(1, in.aggregation);
    switch (in.viewKind) {
    case 4:
        return {8, in.histClasses, 0, PlotValuesKind::Stat};
    case 5:
        return Levels(in);
    case 6:
        return {18, in.histClasses, 0, PlotValuesKind::Stat};
    case 7:
        return {6, in.historyRecords / a, in.keptAxisDecimals, PlotValuesKind::Buffer};
    case 8:
        return {13, in.fftLength, in.keptAxisDecimals, PlotValuesKind::Wave};
    case 9: {
        const int decimals = in.spectrumForm == 1 ? 0 : in.totalLinePosition;
        const int points = (std::max(in.values, 1) - 1) / a + 1;
        return {9, decimals == 2 ? points + 1 : points, decimals, PlotValuesKind::Spectrum};
    }
    case 10:
        return Octaves11(in);
    case 11:
        return Octaves13(in);
    case 12:
        return {28, in.spectrumRecords / a, 0, PlotValuesKind::Intersection};
    default:
        return {in.keptPlotKind, in.keptPointCount, in.keptAxisDecimals, PlotValuesKind::None};
    }
}

} // namespace orlu
