#pragma once
// The level spectrum of the Statistical levels view in octave mode: one
// level Ln for every band and total of the band statistics, read off each
// band's exceedance curve, as text (three frequency-level columns), as a
// table (one column per file of a Multifile, or the file's one column) and
// as the bars of the band graph.
//
// A band whose histogram holds no results has the level 0, in every form. Ln
// is the percentage the user chose at the view's position (its level is also
// left in the document's levels of the percentages), or a percentage given
// outright.

#include "analysis/PlotData.h"
#include "analysis/statistics/BandAxis.h"
#include "analysis/statistics/Histogram.h"
#include "analysis/statistics/StatisticsChoices.h"
#include "document/LineList.h"
#include "reports/table/TableOutputOptions.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace orlu {

class CTmDoc;

/// The n of the level spectrum's Ln (0 when the view's position holds no percentage).
std::uint8_t LevelSpectrumPercentage(const CTmDoc& doc, const StatisticsChoices& choices);

/// The Ln of one band's histogram for the choices; 0 for a band without results.
double BandLevel(CTmDoc& doc, const Histogram& histogram, const StatisticsChoices& choices);

/// One file's level spectrum.
struct LevelSpectrum {
    BandAxis axis;
    std::vector<double> levels; ///< one per band of the axis
    std::uint16_t date = 0;     ///< the file's measurement date (packed) and time (2-second units)
    std::uint16_t time = 0;
    int firstBand = 0;          ///< where the first band stands in the 1/3-octave centre table
    std::uint16_t inputKind = 0; ///< of the channel (four-channel files)
};

/// The level spectrum of sub-file `subfile` (0 a single file), of `channel` in a four-channel
/// file whose channels keep band statistics of their own; nothing when it keeps no band
/// statistics of the choices' octave set. The document's selection is kept.
std::optional<LevelSpectrum> ReadLevelSpectrum(CTmDoc& doc, int subfile, const StatisticsChoices& choices,
                                               int channel = 0);

/// The channels whose level spectra the forms show: those of the mask in a four-channel
/// file (the first channel without a mask), else the one pass of channel 0.
std::vector<int> LevelSpectrumChannels(const CTmDoc& doc, const StatisticsChoices& choices);

/// The text form (lines cleared first). False when no file shown keeps band statistics.
bool TextLevelSpectrum(CTmDoc& doc, LineList& lines, int* widest, const StatisticsChoices& choices);

/// The table form, appended: a spectra cross table of the level spectra; content 2. The
/// channels of a four-channel file are its columns, on the rows of the channel whose first
/// band is the lowest; a channel's positions outside its own bands are missing (-999.9).
bool TableLevelSpectrum(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content,
                        const StatisticsChoices& choices, const TableOutputOptions& options);

/// The bars of the band graph (panel 0; the bands are the file's): the band levels and
/// the last level twice more, the rest of the panel's 52 values missing. False for
/// another panel (a four-channel file: the panel is the channel) or without band statistics.
bool GraphLevelSpectrum(CTmDoc& doc, const StatisticsChoices& choices, int panel, PlotData& data);

} // namespace orlu
