#pragma once
// orlu-dump's data form: the plot data a view kind's graph-data renderer
// filled, printed panel by panel as the graph would draw it.

#include "analysis/PlotData.h"

#include <cstdint>
#include <string>

namespace orlu::tools {

/// Appends the plot data of the panels in `panels` (bit i: panel i) of a view kind.
void PrintGraphData(std::uint8_t viewKind, const PlotData& data, std::uint8_t panels, std::string& out);

} // namespace orlu::tools
