#pragma once
// The plot the graph form paints for a ViewKind: its PlotKind, the number of
// points it shows and the decimals of its band axis, from the document's band
// layout and model, chosen anew at every paint of the graph form.

#include "document/PlotKind.h"
#include "document/headers/DeviceModels.h"

#include <cstdint>

namespace orlu {

/// What the choice reads of the document and the view.
struct PlotKindInputs {
    int viewKind = 0;
    int values = 0;             ///< B: values per spectrum, totals included
    int bands = 0;              ///< F: bands without the totals
    std::int16_t bandKind = 0;  ///< the document's own: 3 1/1-octave bands, 4 1/3-octave bands
    ModelFlags flags;
    bool accelerometer = false; ///< the current channel measures with an accelerometer
    bool microphone = false;    ///< the current channel measures with a microphone
    int firmware = 0;           ///< version x 100 (3.01 is 301)
    int filterCode = 0;         ///< the weighting filter; above 3 the axis gets two decimals
    int histClasses = 0;
    int historyRecords = 0;     ///< time-history records
    int spectrumRecords = 0;
    int aggregation = 1;
    int fftLength = 0;
    int spectrumForm = 0;       ///< 1: phase spectrum
    int totalLinePosition = 0;  ///< FFT total line: 0 none, 1 first, 2 after the last line
    int octaveTotalIndex = 0;   ///< position of the total among the 1/1-octave values
    PlotKind octaveAxisLayout = 0;   ///< the document's 1/1-octave axis for statistical levels
    PlotKind spectrumAxisLayout = 0; ///< the document's 1/1-octave spectrum axis
    PlotKind keptPlotKind = 0;       ///< the page's PlotKind, kept by kinds without a graph
    int keptPointCount = 0;
    int keptAxisDecimals = 0;
};

/// The view's data array the plot reads.
enum class PlotValuesKind : std::uint8_t { None, Stat, Level, Buffer, Wave, Spectrum, Octave, Intersection };

struct PlotKindChoice {
    PlotKind plotKind = 0;
    int pointCount = 0;
    int axisDecimals = 0;
    PlotValuesKind values = PlotValuesKind::None;
    friend bool operator==(const PlotKindChoice&, const PlotKindChoice&) = default;
};

/// The first row of the ViewKind's rules that applies; other ViewKinds keep
/// what the page holds.
PlotKindChoice ChoosePlotKind(const PlotKindInputs& in);

} // namespace orlu
