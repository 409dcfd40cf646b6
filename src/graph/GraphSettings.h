#pragma once
// The application settings the graph engine reads at every paint.

#include <cstdint>

namespace orlu {

struct GraphSettings {
    bool GraphAutoScale = true;       ///< level axes autoscale unless the view suppresses it
    bool CursorRelTimeFormat = false; ///< read-out times as h:mm'ss instead of seconds
    bool TimeAxisFormat = false;      ///< clock labels on time axes
    bool UseDate = false;             ///< a date line under the time labels
    bool CircleDraw = false;          ///< circles at the nodes of line plots
    int CircleRadius = 1;
    int CircleMinStep = 0;            ///< circles only where points lie further apart (unscaled pixels)
    bool MarkersShow = true;          ///< logger markers in buffer and logger graphs
    int MarkersMethod = 0;            ///< 1 bar rows, otherwise vertical lines
    bool BreaksShow = true;
    std::uint8_t PrintGraphZoom = 8;
    bool NonMetricUnits = false;      ///< g, in/s, in
};

} // namespace orlu
