#pragma once
// The statistics of a MONITOR document as text: histograms, statistical
// levels and densities of the profile statistics of one statistics interval
// (one item per profile selected and acquired), or of the octave statistics
// of one record (one band, or every band).

#include "analysis/statistics/StatisticsChoices.h"
#include "document/LineList.h"

namespace orlu {

class CTmDoc;

/// Which of the three forms.
enum class MonitorStatisticsForm { Histograms, Levels, Densities };

/// Clears the lines and writes the form for the view's choices; `record` is the statistics
/// interval (profiles) or record (octaves), from 1. False when the document has no such statistics.
bool FormatMonitorStatisticsText(CTmDoc& doc, LineList& lines, int* widest, MonitorStatisticsForm form,
                                 const StatisticsChoices& choices, int record);

} // namespace orlu
