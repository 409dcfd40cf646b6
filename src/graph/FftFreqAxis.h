#pragma once
// The linear frequency axis of FFT spectra (also the phase graph's): ticks
// on the displayed points whose index is a multiple of the tick interval,
// labelled with the centre frequency of their group of lines where the
// label fits, and "Hz" at the right end.

namespace orlu {

class Canvas;

struct FftFreqAxisInput {
    int scale = 1;
    int left = 0;
    int bottom = 0;
    int width = 0;
    int shownCount = 0;
    int firstShown = 0;
    int tickInterval = 20; ///< in displayed points
    int tickLength = 0;
    double lineZero = 0.0;    ///< Hz of line 0
    double lineSpacing = 1.0; ///< Hz between lines
    int aggregation = 1;      ///< lines per displayed point
};

/// Frequency of a displayed point: 0 for point 0 (line 0 alone), else the
/// centre of its group of lines, counted from lineZero.
double FftPointFrequency(int point, int aggregation, double lineSpacing, double lineZero);

/// Decimals (1 to 5) of a frequency step: one more for every decade it lies below 0.1.
int FftFrequencyDecimals(double step);

void DrawFftFreqAxis(Canvas& canvas, const FftFreqAxisInput& in);

} // namespace orlu
