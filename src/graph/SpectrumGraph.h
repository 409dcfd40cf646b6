#pragma once
// One panel of an FFT or octave spectrum: a bar per displayed point over the
// frequency axis of its PlotKind, the level axis, the grey band between the
// markers, peaks and tones in colour and the masking-noise line of the
// tonality analysis. Its read-out is SpectrumReadout.

#include "analysis/PlotData.h"
#include "graph/GraphLayout.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace orlu {

struct BandAxisRow;
struct GraphSettings;
struct LevelRange;

inline constexpr int kFftPlotKind = 9;

inline constexpr Rgb kMarkerBandColour{230, 230, 230};
inline constexpr Rgb kSolidBarColour{0, 255, 0};
inline constexpr Rgb kPeakColour{255, 0, 0};
inline constexpr Rgb kToneColour{0, 0, 255};
inline constexpr Rgb kNoiseLineColour{255, 0, 0};

/// What one spectrum panel shows; shared by the graph and its read-out.
struct SpectrumPanel {
    double levelBase = 0.0; ///< channel's range top in whole dB minus 100
    double span = 110.0;
    bool autoscale = false;
    int pitchSteps = 0;
    int zoomSteps = 0;
    double lineZero = 0.0;    ///< FFT: Hz of line 0
    double lineSpacing = 1.0; ///< FFT: Hz between lines
    std::span<const double> values;      ///< the panel's values (positions or displayed points)
    std::span<const double> frequencies; ///< FFT: Hz of every displayed point
    std::span<const std::uint8_t> marks; ///< FFT: 0 none, 1 peak or near its tone's peak, 2 other tone line
    int firstShown = 0;
    std::string title;
    std::string subtitle;
    int totalBars = 0; ///< octaves: named totals carried; FFT: 1 total first, 2 total last, 0 none
    int inputKind = 0;
    int quantity = 0;  ///< 0 dB, 1 linear, 2 velocity, 3 displacement
    bool solidBars = true;
    int markerCount = 0;
    std::array<int, 2> markerColumns{};
    bool peaksShown = false;
    bool tonalityShown = false;
    NoiseLine noise;
    bool slotLayout = false; ///< the flat-weighted total is "Z", not "Lin"
    bool cursorShown = false;
    int cursorIndex = 0;     ///< column counted from the first shown position
    double blockValue = 0.0; ///< total of the values between the two markers
};

/// Height of a bar of value v (dB above the bottom, or linear): clipped to
/// the plot height, at least 1 pixel, and 1 pixel for values that are no number
/// (a line of minus infinity dB).
int SpectrumBarHeight(double v, double span, int plotHeight);

/// The level range of the panel over all its values (not only those shown).
LevelRange SpectrumLevelRange(const SpectrumPanel& panel);

/// A band axis of the table of X axes under the panel's plot.
void DrawBandAxisRow(Canvas& canvas, const PanelHead& head, const PanelLayout& layout, const BandAxisRow& row,
                     const SpectrumPanel& panel);

/// Draws the panel; returns the first position shown.
int DrawSpectrumGraph(const PanelHead& head, const SpectrumPanel& panel, const GraphSettings& settings);

} // namespace orlu
