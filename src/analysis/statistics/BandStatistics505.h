#pragma once
// The band statistics of ORLU 505 ANALYZER-mode octave files (kinds 4, 11
// and, merged, 24): the histogram block behind the spectra holds one class
// histogram for every band of the analysis and then one for every trailing
// total, all with the same class layout. Histogram b is the band of centre
// frequency b while b is below the file's frequency-band count, and the
// total named by entry b - band count of the total names after that.
//
// The forms show one histogram (the view's band) or every one; a Multifile
// shows every histogram of the sub-file shown, and its graph reads the block
// of that sub-file too. Percentages and levels are of the sum of the
// histogram's own counts (1 when it is empty). A block whose counts would run
// past its sub-file gives no histograms at all.

#include "analysis/PlotData.h"
#include "analysis/statistics/Histogram.h"
#include "analysis/statistics/StatisticsChoices.h"
#include "document/LineList.h"
#include "reports/table/TableOutputOptions.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orlu {

class CTmDoc;

/// One histogram of the block: a band or a total.
struct BandHistogram505 {
    int index = 0;          ///< b, from 0
    double frequency = 0.0; ///< the band's centre frequency, Hz (0 for a total)
    std::string totalName;  ///< the total's name; empty for a band
    Histogram histogram;
};

struct BandStatistics505 {
    bool thirdOctaves = false; ///< the block is of 1/3-octave bands
    std::vector<BandHistogram505> histograms;
};

/// The histograms of the sub-file the document decoded last; none when it is no
/// octave file with a usable histogram block.
BandStatistics505 ReadBandStatistics505(const CTmDoc& doc);

/// The forms. Each leaves the number of results of the (last) histogram it showed in the
/// document's histogram total (the text forms and the graph 1 for an empty one, the tables
/// the plain sum), and the level forms its levels in the document's levels of the
/// percentages. Each returns false when the document is no ANALYZER-mode file with band
/// statistics in the sub-file shown (the lines are then left as they were); the
/// document's decoded sub-file and channel are kept.
bool TextBandHistograms505(CTmDoc& doc, LineList& lines, int* widest, const StatisticsChoices& choices);
bool TextBandLevels505(CTmDoc& doc, LineList& lines, int* widest, const StatisticsChoices& choices);
bool TableBandHistograms505(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content,
                            const StatisticsChoices& choices, const TableOutputOptions& options);
bool TableBandLevels505(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content,
                        const StatisticsChoices& choices, const TableOutputOptions& options);
/// The densities: a section per histogram shown, or a density table with the bands as
/// columns; each class's share of results in it or above, and a marked block's
/// D[first] - D[last].
bool TextBandDensities505(CTmDoc& doc, LineList& lines, int* widest, const StatisticsChoices& choices);
bool TableBandDensities505(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content,
                           const StatisticsChoices& choices, const TableOutputOptions& options);
/// The density graph of the view's band (one panel): class bounds, densities / 100, the
/// maximum 100; false for an empty block. Its title names the band.
bool GraphBandDensity505(CTmDoc& doc, const StatisticsChoices& choices, int panel, PlotData& data);
/// The histogram graph of the view's band (one panel); its title names the band.
bool GraphBandHistogram505(CTmDoc& doc, const StatisticsChoices& choices, int panel, PlotData& data);

/// The level spectrum of the band graph (one panel): Ln of percentage n (1 to 99) for every
/// histogram of the block, bands then totals, and the last level twice more; an empty
/// histogram's level is 0. The band graph's other values of the panel are missing.
bool GraphBandLevels505(CTmDoc& doc, const StatisticsChoices& choices, std::uint8_t n, int panel, PlotData& data);

} // namespace orlu
