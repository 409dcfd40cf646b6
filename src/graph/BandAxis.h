#pragma once
// The frequency axes of band graphs: one tick per labelled band under the
// plot, labels centred on their ticks and left out where they would overlap
// the previous one, and the trailing totals as a bracket, a plain "Total" or
// groups of three named totals with a caption. The spectrum graph, the
// statistical-level band graph and the multi element pictures choose the
// drawer and its arguments by PlotKind from their own tables.

#include <optional>

namespace orlu {

class Canvas;

enum class BandAxisDrawer {
    Octave15,         ///< 1/1 octaves from 2, 4 or 8 Hz, one total at position 14
    Octave31,         ///< 1/1 octaves from 31.5 Hz, single total at position 9
    Octave31Wide,     ///< the same with the single total at position 10
    Octave1Hz,        ///< 1/1 octaves with the total names of the octave tables
    ThirdOctave,      ///< 1/3 octaves, the 80 kHz labels
    ThirdOctave20k,   ///< 1/3 octaves, the 20 kHz labels
};

/// Where and how much: the plot's bottom edge and width, the positions.
struct BandAxisInput {
    int scale = 1;
    int left = 0;
    int bottom = 0;
    int width = 0;
    int count = 0;      ///< N: positions across the width
    int first = 0;      ///< first labelled position
    int step = 1;       ///< positions between ticks
    int tickLength = 0; ///< the size's X tick length times the scale
    int sizeIndex = 0;  ///< the totals captions are written at graph size 0 only
};

/// What the axis shows beside the bands.
struct BandAxisArgs {
    BandAxisDrawer drawer = BandAxisDrawer::ThirdOctave;
    bool namedTotals = false; ///< groups of named totals; Octave15: the draw-total flag
    int totalBars = 0;        ///< 1: A, C, Lin; otherwise A, C, HP (ThirdOctave only)
    int totals = 0;           ///< M: trailing totals (0, 1, 3 or 6)
    int labelOffset = 0;      ///< the 1/3-octave drawers: table entry of position `first` is offset + 3
    int plotKind = 0;         ///< Octave15: 42 and 43 start at 4 and 8 Hz
    bool slotLayout = false;  ///< the flat total is "Z", not "Lin"
};

/// Draws the axis with the canvas's current pen and font.
void DrawBandAxis(Canvas& canvas, const BandAxisInput& in, const BandAxisArgs& args);

/// A row of the table of X axes by PlotKind: the drawer, N (0: the shown
/// point count), first position and step, and the totals arguments.
struct BandAxisRow {
    BandAxisArgs args;
    int count = 0;
    int first = 0;
    int step = 1;
};

/// One line of a table of band axes: what the axis of a PlotKind draws.
struct BandAxisTableRow {
    BandAxisDrawer drawer;
    int count; ///< 0: the shown point count
    int first;
    int step;
    bool named;
    int totals;
    int offset;
};

/// The axis row a table line gives the PlotKind.
BandAxisRow BandAxisRowOf(const BandAxisTableRow& row, int plotKind);

/// The frequency axis of a band spectrum of the PlotKind; none for FFT and
/// kinds without a band axis.
std::optional<BandAxisRow> SpectrumBandAxisOf(int plotKind);

} // namespace orlu
