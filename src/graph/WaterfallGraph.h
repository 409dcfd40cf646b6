#pragma once
// The multi element pictures: many spectra of a logger as one oblique
// three-dimensional picture, each spectrum a profile over the frequency axis,
// the spectra stepping back one behind the other along the time axis, hidden
// lines removed by floating horizons (WaterfallHorizons.h). FFT spectra are
// drawn as polylines, octave spectra as steps. The picture is drawn in one
// pass from the front row to the back.

#include "analysis/MultiElementGrid.h"
#include "graph/GraphScales.h"

#include <string_view>
#include <vector>

namespace orlu {

class Canvas;

/// What a picture is drawn from: the grid of spectra and the view's choices.
struct MultiElementOptions {
    const MultiElementGrid* grid = nullptr;
    int plotKind = 0;        ///< selects the band axis and the trailing totals
    int inputKind = 0;       ///< units of the level axis
    bool totalsShown = true; ///< "Plot total(s)": the trailing totals are part of the picture
    int totalBars = 0;       ///< names of the totals on the band axis
    int quantity = 0;        ///< 0 dB, else linear units
    bool slotLayout = false; ///< the flat total is named "Z"
    bool nonMetric = false;
    LevelRange levels; ///< bottom and top of the level axis
};

/// Where the picture lies, in device pixels.
struct WaterfallGeometry {
    int x0 = 0; ///< front-left base corner
    int y0 = 0;
    double dx = 0.0;             ///< column width
    int width = 0;               ///< W': the width the drawn columns use
    int depth = 0;               ///< D': the offset of the last row
    int height = 0;              ///< H
    int columns = 0;             ///< columns drawn (the hidden totals left out)
    std::vector<int> rowOffsets; ///< r(k): row k is shifted r(k) right and up
};

/// Columns of trailing totals an octave picture leaves out with "Plot total(s)" off.
int HiddenTotalsOf(int plotKind);

/// The geometry of a picture of rows x columns at (x, y).
WaterfallGeometry WaterfallGeometryOf(bool fft, int scale, int x, int y, int rows, int columns, int hiddenTotals);

/// Draws the picture of 1/1- or 1/3-octave spectra (bands as steps) or of FFT
/// spectra (lines as polylines). False, with nothing drawn, when the horizons
/// cannot be allocated.
bool DrawWaterfallOctave(Canvas& canvas, int scale, int x, int y, const MultiElementOptions& options,
                         std::string_view title);
bool DrawWaterfallSpectrum(Canvas& canvas, int scale, int x, int y, const MultiElementOptions& options,
                           std::string_view title);

} // namespace orlu
