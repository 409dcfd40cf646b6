#pragma once
// The text, table and graph forms of the Histograms view: per channel,
// profile or sub-file the class percentages of its histogram, with the
// number of results, the class width and, for a marked block of classes,
// the results in the block and their probability.
//
// The percentages of current-family files are shares of the counts read; of
// legacy files shares of the total the header gives (the record count for a
// histogram built from a time history).

#include "analysis/PlotData.h"
#include "analysis/statistics/StatisticsChoices.h"
#include "analysis/statistics/StatisticsFamily.h"
#include "document/LineList.h"
#include "reports/table/TableOutputOptions.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orlu {

class CTmDoc;

/// The text form. Returns false when the document is no decoded measurement of a
/// family with histograms (the lines are then left empty).
bool TextHistogram(CTmDoc& doc, LineList& lines, int* widest, const StatisticsChoices& choices);

/// The table form, appended to the lines: one histogram as class-percent pairs, or a
/// cross table over the channels of the mask or the sub-files. Sets the content byte to 2.
bool TableHistogram(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content,
                    const StatisticsChoices& choices, const TableOutputOptions& options);

/// What the histogram graph draws of one panel.
struct HistogramGraphValues {
    std::vector<double> x;       ///< class bounds, dB
    std::vector<double> y;       ///< percentages over the largest, 0 to 1
    double maximum = 0.9;        ///< the largest percentage; 0.9 when every class is empty
    double blockProbability = 0; ///< percent of the results in the marked block
};

/// The graph values of a histogram over `total` results (0 counts as 1); a count above
/// the total counts as 0.
HistogramGraphValues HistogramGraph(const Histogram& histogram, std::uint64_t total, const ClassMarkers& markers);

/// The graph data of one panel (the channel of that index with a mask, else the view's
/// channel): class bounds, shares over the largest, the largest share and the block's
/// probability. False when the panel's histogram has no classes.
bool GraphHistogram(CTmDoc& doc, const StatisticsChoices& choices, int panel, PlotData& data);

/// Rows of four (class bound, value) cells "%7.1f%8.2f" filled column by column, for the
/// `shown` classes from `first`; `values` holds one value per class of the histogram.
void AppendClassRows(LineList& lines, int* widest, const Histogram& histogram, std::size_t first, std::size_t shown,
                     std::span<const double> values);

/// The part of a text caption naming channel (profile) `channel` of sub-file `subfile` and
/// the result its histogram counts; the document's selection is kept.
std::string HistogramChannelPart(CTmDoc& doc, int subfile, int channel);

/// The choices as the octave bands of a current-family file take them: the bands are the
/// file's, not a profile's, so the channel mask is not asked.
StatisticsChoices WithoutBandMask(StatisticsFamily family, StatisticsChoices choices);

/// Puts one panel's values into the plot values, every panel ClassStride values apart.
void PlacePanelValues(PlotData& data, int panel, std::span<const double> values);

/// One block of the text form: the caption and parameter lines, then the classes four
/// to a row, filled column by column.
struct HistogramTextBlock {
    std::string caption;          ///< "Histogram:" with what the family adds, without "Block of the "
    std::string integrationLine;  ///< "   results DELTA_INT = ..."
    std::string timeStepLine;     ///< empty, or "   results time step = ..."
    Histogram histogram;
    std::uint64_t total = 0;      ///< the divisor of the percentages
    std::uint64_t blockTotal = 0; ///< the divisor of the block probability
    bool rows = true;             ///< the file holds a histogram or a time history
};
void AppendHistogramText(LineList& lines, int* widest, const HistogramTextBlock& block, const ClassMarkers& markers);

} // namespace orlu
