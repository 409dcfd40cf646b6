#pragma once
// The octave bands of one file side by side: the histograms or densities
// table of every band and total of the band statistics, each band a column.

#include "analysis/statistics/StatisticsChoices.h"
#include "analysis/statistics/StatisticsFamily.h"
#include "reports/table/StatisticsCrossTables.h"

#include <string>
#include <vector>

namespace orlu {

class CTmDoc;

/// The bands of the items (one file's bands) under the caption; the class axis is the
/// first band's, and the view's block is clamped to it.
BandStatTable BandTableOf(CTmDoc& doc, const StatisticsChoices& choices, const std::vector<StatisticsItem>& items,
                          std::string caption);

} // namespace orlu
