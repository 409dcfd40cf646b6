#pragma once
// The view's graph state as the engine paints it: the choices of the view,
// the plot data the graph-data renderers fill, and the per-panel results.
// The view's graph-form builder fills it; the engine reads it and writes
// back the values it computes while painting (window, cursor, marker
// columns, panel height, subtitle).

#include "analysis/PlotData.h"
#include "document/GraphGeometry.h"
#include "document/PlotKind.h"
#include "graph/ReverbEvaluation.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orlu {

struct GraphViewState : PlotData {
    // Choices of the view.
    std::uint8_t ViewKind = 7;
    std::int16_t PlotKind = 6;
    std::uint8_t GraphSizeIndex = 0;
    GraphGeometry Geometry;
    std::uint8_t GraphScale = 1;
    std::uint8_t PrintZoom = 8;
    std::uint16_t AvailableChannels = 1;
    std::uint16_t SelectedChannels = 1;
    std::uint8_t UnitsChoice = 0;
    std::int16_t LevelPitchOffset = 0;
    std::int16_t LevelZoomOffset = 0;
    std::array<std::int16_t, 4> LinearScaleOffset{}; ///< by display quantity 1 to 3 (0 unused)
    std::int32_t Aggregation = 1;
    std::int32_t SolidBars = 1;
    std::int32_t NoAutoScale = 0;
    std::int32_t PlotTotal = 0;
    std::int32_t TotalKinds = 0; ///< OR of the total kinds of the shown results; 0: no total applies
    std::array<std::int32_t, 4> DrawInBlock{}; ///< block Leq/RMS, Lmax, Lmin, SEL
    std::int32_t MultiElement = 0;
    std::int32_t TotalsShown = 1;    ///< "Plot total(s)": multi element pictures show the trailing totals
    std::int32_t PhaseSpectrum = 0;
    std::uint8_t PhaseUnit = 0; ///< 0 radians, 1 degrees, 2 grads
    std::uint8_t SpectraFunction = 1;
    std::uint8_t RpmShown = 0;
    std::int32_t RtMode = 0;
    std::uint8_t RtEvaluating = 0;    ///< step of the reverberation-time evaluation, 0 when none runs
    std::uint8_t RtDisplayOption = 0; ///< show the point t0 at the evaluation's first step
    RtEvalRecord RtEval;              ///< the evaluation's method, points, search request and L0
    double WaveformScale = 1.0;       ///< the document's waveform scale factor (physical value of a buffer sample of 1.0)
    PanelArray<std::uint8_t> PanelResultIndex{};
    std::uint8_t TotalBars = 0;      ///< octaves: 1 totals A, C, Lin; 2 A, C, HP; FFT: 1 total line first, 2 last
    double LineZeroFrequency = 0.0;  ///< FFT: Hz of line 0
    double LineSpacing = 1.0;        ///< FFT: Hz between lines
    std::int32_t PeaksShown = 0;     ///< spectrum peaks in colour
    std::int32_t TonalityShown = 0;  ///< tones in colour and the masking-noise line

    // Cursor, markers and the window of points.
    std::int32_t CursorOn = 1;
    std::int32_t CursorIndex = 0;
    std::int32_t WindowStart = 0;
    std::int32_t WindowSize = 0;
    std::int32_t PointCount = 0;
    std::uint8_t MarkState = 0;                   ///< 0, 1 or 2 markers (2: a block)
    std::array<std::int32_t, 2> MarkedRange{};    ///< markers in data items, lower first
    std::array<std::int32_t, 2> MarkedRangeScaled{}; ///< markers in plotted points (written by the engine)

    // Written by the engine at every paint.
    std::int32_t GraphHeight = 0;   ///< unscaled height of one panel
    std::int32_t ShownFirstPoint = 0;
    std::int32_t PanelsDrawn = 0;

    /// Zoom steps of a display quantity (5 dB each).
    std::int16_t ZoomSteps(int quantity) const
    {
        return quantity <= 0 || quantity > 3 ? LevelZoomOffset : LinearScaleOffset[static_cast<std::size_t>(quantity)];
    }
    bool TotalApplicable() const { return TotalKinds != 0; }
};

} // namespace orlu
