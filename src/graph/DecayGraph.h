#pragma once
// One panel of the time intersections view: the level of one band or FFT
// line through all records, which is also the decay on which reverberation
// times are evaluated step by step. Outside an evaluation it looks like a
// time history (block band, block series, marker lines, total line); during
// one the block items give way to the evaluation overlay: the points placed
// so far, the 0 dB and -5 dB reference lines and the method's end-level line,
// and the proposed end point of EDT, RT20 and RT30. Its read-out is DecayReadout.

#include "graph/GraphDocument.h"
#include "graph/GraphLayout.h"
#include "graph/GraphScales.h"
#include "graph/ReverbEvaluation.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace orlu {

class PlotSeries;
struct GraphSettings;

inline constexpr Rgb kRtOverlayColour{0, 0, 255};

/// What one decay panel shows; shared by the graph and its read-out.
struct DecayPanel {
    double rangeTop = 0.0;
    bool autoscale = true;
    int pitchSteps = 0;
    int zoomSteps = 0;
    double lineSpacing = 0.0; ///< frequency of the velocity and displacement conversions
    GraphTiming timing;
    std::span<const std::uint32_t> records; ///< record number of every record (1-based)
    const PlotSeries* main = nullptr;
    const PlotSeries* total = nullptr;
    const PlotSeries* blockLeq = nullptr; ///< running Leq from the first marker
    const PlotSeries* blockSel = nullptr; ///< running SEL from the first marker
    double blockMax = 0.0;
    double blockMin = 0.0;
    int totalPoints = 0;
    int firstShown = 0;
    std::string title;
    int inputKind = 2;
    int quantity = 0;
    bool showTotal = false;
    int markerCount = 0;
    std::array<int, 2> markerColumns{};
    bool showBlockLeq = false;
    bool showBlockMax = false;
    bool showBlockMin = false;
    bool showBlockSel = false;
    int cursorIndex = 0;
    bool cursorShown = false;
    int rtEvaluating = 0; ///< evaluation step, 0 when none runs
    bool rtDisplayOption = false;
    RtEvalRecord* eval = nullptr; ///< the view's record: the end-point search consumes its request
    GraphDocument* doc = nullptr; ///< keeps the shown band's reverberation record
    bool hasData = true;
};

/// The Y range of a decay panel (the graph and its read-out share it).
LevelRange DecayRange(const DecayPanel& panel);

/// Pixel row of a level in the panel: bottom - trunc((L - B) / R x height) + 1.
int DecayLevelRow(double level, double bottomValue, double range, bool levels, int bottom, int height);

/// Draws the panel.
void DrawDecayGraph(const PanelHead& head, const DecayPanel& panel, const GraphSettings& settings);

/// Answers a pending end-point search of EDT, RT20 or RT30 (third point and
/// later) and consumes it: the proposed end point (> 0), or 0 when none was
/// found, no search is pending or the panel has no data. The painting frame
/// asks before drawing, so that the window can follow the point first.
int ProposeDecayEndPoint(const DecayPanel& panel);

/// The relative time axis of the decay graph.
struct DecayAxisInput {
    int scale = 1;
    GraphTiming timing;
    int pointsPerColumn = 1;
    int left = 0;
    int bottom = 0;
    int width = 0;
    int visibleCount = 0;
    int firstShown = 0;
    int tickLength = 0;
    int placement = 0; ///< 1 while an evaluation runs: the unit name below the axis line
    bool clockLabels = false;
    std::span<const std::uint32_t> records;
};
void DrawDecayTimeAxis(Canvas& canvas, const DecayAxisInput& in);

/// The tick step of a decay time axis of `span` seconds starting from `tick`:
/// doubled while 13 or more fit, halved while fewer than 8 do; `tick` for a zero span.
double DecayTickStep(double span, double tick);

/// The end point of a method searched from t1: the first point below
/// L0 + the method's end level, or the one before it when that lies nearer. -1: none.
int SearchDecayEndPoint(const PlotSeries& series, int from, double endLevel);

} // namespace orlu
