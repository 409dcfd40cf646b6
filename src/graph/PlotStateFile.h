#pragma once
// A plot state as a text file of Name=value lines: the view's graph state,
// the settings the engine reads and the document facts it asks for, so that
// any plot can be painted, looked at and compared without a measurement file.
//
//   # comment
//   PlotKind=6
//   PanelTitles[1]=Channel 2
//   BufferValues[0]=65.5,66,67.25
//   TimeStamps=1,2,3
//   Markers=120:1,300:3          record:marker bits
//   Breaks=200:5                 record:records not stored
//
// A list may hold no more values than its count field (PointCount for
// series, PointCount x the larger of Aggregation and Step for TimeStamps)
// allows,
// wherever in the file that field stands. An unknown field, a bad number (a
// fraction that is not finite or lies beyond +-1e9 included), an index past
// its array or a list past its count is refused with the number of the line. Texts are one line each: a line break in a title is written
// as a blank, so that what is written reads back the same.

#include "graph/GraphSettings.h"
#include "graph/GraphViewState.h"
#include "graph/PlotStateDocument.h"

#include <string>
#include <string_view>

namespace orlu {

struct PlotState {
    GraphViewState view;
    GraphSettings settings;
    PlotStateDocument doc;
};

std::string WritePlotState(const PlotState& state);
/// Reads a plot state; on refusal returns false with "line N: ..." in error.
bool ReadPlotState(std::string_view text, PlotState& state, std::string& error);

} // namespace orlu
