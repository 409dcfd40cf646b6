#pragma once
// The text, table and graph forms of the Densities view: for each class the
// share of results in that class or above (the exceedance curve of the
// histogram), per channel, profile or sub-file; a marked block of classes
// shows its rows and the probability D[first] - D[last] (the difference of
// two points of the curve, so the last class itself is not counted).

#include "analysis/PlotData.h"
#include "analysis/statistics/StatisticsChoices.h"
#include "document/LineList.h"
#include "reports/table/TableOutputOptions.h"

#include <cstdint>

namespace orlu {

class CTmDoc;

/// The text form. Returns false when the document is no decoded measurement of a
/// family with histograms (the lines are then left empty).
bool TextDensity(CTmDoc& doc, LineList& lines, int* widest, const StatisticsChoices& choices);

/// The table form, appended to the lines: one density as class-density pairs, or a
/// cross table over the channels of the mask or the sub-files. Sets the content byte to 2.
bool TableDensity(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content, const StatisticsChoices& choices,
                  const TableOutputOptions& options);

/// The graph data of one panel: class bounds, densities / 100, the maximum 100 and the
/// block's D[first] - D[last]. False when the panel's histogram has no classes.
bool GraphDensity(CTmDoc& doc, const StatisticsChoices& choices, int panel, PlotData& data);

} // namespace orlu
