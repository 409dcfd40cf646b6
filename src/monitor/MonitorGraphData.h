#pragma once
// The graph data of a MONITOR document's views: the histogram or density of
// a profile of one statistics interval (a panel per profile) or of one band
// of an octave-statistics record, and the octave spectra as the bars of one
// record or, in multi element mode, the picture of every record.

#include "analysis/PlotData.h"
#include "analysis/statistics/StatisticsChoices.h"
#include "monitor/MonitorOctaveRecords.h"

namespace orlu {

class CTmDoc;

/// Panel p shows profile p + 1 of interval `record` (from 1); in octave mode panel 0 shows the
/// chosen band of octave-statistics record `record`. The record number goes to TimeStamps.
/// False when the panel has no histogram to draw.
bool GraphMonitorHistogram(CTmDoc& doc, const StatisticsChoices& choices, int record, int panel, PlotData& data);
bool GraphMonitorDensity(CTmDoc& doc, const StatisticsChoices& choices, int record, int panel, PlotData& data);

/// Panel 0: the bars of octave record `record`, or with `multiElement` and more than one
/// record the picture of the records the grid asks for. False when there is nothing to draw.
bool GraphMonitorOctave(CTmDoc& doc, PlotData& data, int panel, const MonitorOctaveChoice& choice, int record,
                        bool multiElement);

} // namespace orlu
