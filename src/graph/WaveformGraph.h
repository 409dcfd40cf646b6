#pragma once
// One time-waveform panel: the samples as a polyline around their zero line,
// scaled by a power of two so that the largest reaches between half and the
// whole half height, a symmetric amplitude axis, the block band and marker
// lines, and a time axis: seconds or milliseconds from the first sample in
// the Time waveforms view, the buffer's relative or clock times for a buffer
// of samples. Its read-out shows the cursor's sample, time and value.

#include "graph/GraphDocument.h"
#include "graph/GraphLayout.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace orlu {

struct GraphSettings;

inline constexpr Rgb kWaveformCursorColour{128, 128, 0};

struct WaveformPanel {
    double fullScale = 1.0; ///< the physical value of a sample of 1.0
    bool autoscale = true;
    int zoomSteps = 0;
    GraphTiming timing;              ///< recordStep is the sample period
    std::span<const double> samples; ///< relative to full scale
    /// The largest absolute sample, kept with the data so that a repaint does
    /// not walk every sample; negative: not known (the panel finds it).
    double largest = -1.0;
    std::span<const double> sampleNumbers;  ///< Time waveforms: number of every sample (1-based)
    std::span<const std::uint32_t> records; ///< buffer: record number of every sample (1-based)
    int firstShown = 0;
    std::string title;
    int inputKind = 0;
    int quantity = 0; ///< 0 volts, 1 the input's physical unit
    int markerCount = 0;
    std::array<int, 2> markerColumns{};
    bool buffer = false; ///< samples of a buffer (Buffer/Logger view)
    bool cursorShown = false;
    int cursorIndex = 0;
};

/// The power of two the samples are multiplied by.
double WaveformAmplitudeFactor(double largest, bool autoscale, int zoomSteps);

/// Pixel row of a sample: on the edge lines beyond the range.
int WaveformRow(double sample, double factor, int zeroRow, int halfHeight, int top, int bottom);

/// The tick step of a time-waveform axis over a span (in its unit).
double WaveformTickStep(double span);

void DrawWaveformGraph(const PanelHead& head, const WaveformPanel& panel, const GraphSettings& settings);
void DrawWaveformCursor(const PanelHead& head, const WaveformPanel& panel, const GraphSettings& settings);

/// The time axis of the Time waveforms view.
struct WaveformAxisInput {
    int scale = 1;
    double samplePeriod = 0.0;
    int left = 0;
    int bottom = 0;
    int width = 0;
    int pixelsPerPoint = 1;
    int visibleCount = 0;
    int firstShown = 0;
    int tickLength = 0;
};
void DrawWaveformTimeAxis(Canvas& canvas, const WaveformAxisInput& in);

/// The symmetric amplitude axis: `divisions` divisions from -top to +top.
struct AmplitudeAxisInput {
    int scale = 1;
    int left = 0;
    int bottom = 0;
    int height = 0;
    int divisions = 8;
    int tickLength = 0;
    double top = 0.0;
    int decimalsIndex = 0;
    std::string unit;
};
void DrawAmplitudeAxis(Canvas& canvas, const AmplitudeAxisInput& in);

} // namespace orlu
