#pragma once
// One panel of a buffer or logger time history: the level (or rotation)
// series over a time axis, the logger's markers and breaks, the block
// between two markers with its running Leq, SEL and extremes, the running
// total, and circles at the nodes. Its read-out is TimeHistoryReadout.

#include "document/LoggerSplit.h"
#include "graph/GraphDocument.h"
#include "graph/GraphLayout.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace orlu {

class PlotSeries;
struct GraphSettings;

/// Colours of markers 1 to 8, then of breaks.
inline constexpr std::array<Rgb, 9> kMarkerColourTable{{
    {255, 0, 0}, {0, 255, 0}, {100, 100, 255}, {255, 255, 0}, {0, 255, 255},
    {255, 0, 255}, {155, 155, 55}, {130, 150, 100}, {200, 200, 200},
}};
inline constexpr Rgb kMarkerLineColour{127, 127, 127};
inline constexpr Rgb kBlockBandColour{230, 230, 230};
inline constexpr Rgb kTotalColour{255, 0, 160};
inline constexpr Rgb kBlockLeqColour{255, 0, 0};
inline constexpr Rgb kBlockSelColour{0, 160, 160};
inline constexpr Rgb kBlockMaxColour{0, 0, 255};
inline constexpr Rgb kBlockMinColour{0, 160, 0};

/// What one time-history panel shows; shared by the graph and its read-out.
struct TimeHistoryPanel {
    double rangeTop = 0.0;     ///< level panel: range top in whole dB; rotation panel: its range top
    bool autoscale = true;
    int pitchSteps = 0;
    int zoomSteps = 0;
    GraphTiming timing;
    std::span<const std::uint32_t> records; ///< record number of every record (1-based)
    std::span<const LoggerMarker> markers;
    std::span<const LoggerBreak> breaks;
    const PlotSeries* main = nullptr;
    const PlotSeries* total = nullptr;    ///< running total from the first point
    const PlotSeries* blockLeq = nullptr; ///< running Leq/RMS from the first marker
    const PlotSeries* blockSel = nullptr; ///< running SEL from the first marker
    double blockMax = 0.0;
    double blockMin = 0.0;
    int totalPoints = 0;
    int firstShown = 0;
    bool vdv = false;
    std::string title;
    int function = 0;
    int inputKind = 0; ///< 0: the rotation (RPM) panel
    int filter = 0;
    int quantity = 0;  ///< 0 dB, 1 linear, 2 velocity, 3 displacement
    bool showTotal = false;
    int markerCount = 0;
    std::array<int, 2> markerColumns{};
    int cursorIndex = 0;
    bool cursorShown = false;
    bool showBlockLeq = false;
    bool showBlockMax = false;
    bool showBlockMin = false;
    bool showBlockSel = false;
    bool is505 = false;
    bool showClock = true; ///< read-out: the time of day of the cursor

    bool IsRpm() const { return inputKind == 0; }
};

/// The value kind the axis and the read-out format values with.
int TimeHistoryValueKind(const TimeHistoryPanel& panel);
/// The reference exponent of linear values of the panel's channel.
double TimeHistoryReferenceExponent(const TimeHistoryPanel& panel);

/// Draws the panel; returns the first point shown.
int DrawTimeHistoryGraph(const PanelHead& head, const TimeHistoryPanel& panel, const GraphSettings& settings);

/// The time X axis (also the model of the other time axes).
struct TimeAxisInput {
    int scale = 1;
    GraphTiming timing;
    int pointsPerColumn = 1;
    int left = 0;
    int bottom = 0;
    int width = 0;
    int visibleCount = 0;
    int firstShown = 0;
    int tickLength = 0;
    int placement = 0;
    bool clockLabels = false;
    std::span<const std::uint32_t> records;
    bool useDate = false;
};
void DrawTimeHistoryTimeAxis(Canvas& canvas, const TimeAxisInput& in);

/// The Y axis of a series that is not a level (rotation).
struct ValueAxisInput {
    int gapUnit = 0;
    int left = 0;
    int bottom = 0;
    int height = 0;
    int firstTick = 0;
    int tickLength = 0;
    double bottomValue = 0.0;
    double topValue = 0.0;
    int decimalsIndex = 0;
    std::string unit;
};
void DrawTimeHistoryValueAxis(Canvas& canvas, const ValueAxisInput& in);

} // namespace orlu
