#pragma once
// The graph data of the octave views of current-family files: one
// spectrum as bars (the panel's 52 values, the bands then the trailing
// values, the rest missing) with the total of the marked bands, or the
// spectra of a logger as one multi element picture.

#include "analysis/PlotData.h"
#include "analysis/spectra/OctaveForms.h"

namespace orlu {

/// Values per panel in PlotData::PlotValues for octave graphs.
inline constexpr std::size_t kOctavePanelValues = 52;

/// The same for the 1/1-octave view: octave spectra as stored, third octaves folded.
bool GraphDataOctave11(CTmDoc& doc, PlotData& data, int panel, const OctaveChoices& choices, bool multiElement);

/// Fills panel 0 with the bars, or the picture (multiElement with a logger of spectra):
/// a file of one channel has one spectrum for all its profiles. False for another panel
/// or when the document has no spectrum for it.
bool GraphDataOctave13(CTmDoc& doc, PlotData& data, int panel, const OctaveChoices& choices, bool multiElement);

} // namespace orlu
