#pragma once
// Zoom plus and minus of the spectra, time histories and time intersections:
// a coarser or finer aggregation degree while it leaves the window filled,
// then (or while the pixel zoom is active) wider or narrower points.
// A zoom that would leave the window with fewer points than it shows is refused.

#include "document/GraphGeometry.h"
#include "presentation/view/MeasurementViewState.h"

#include <cstdint>

namespace orlu {

/// What a zoom reads of the data.
struct ZoomFacts {
    std::int32_t sourcePoints = 0;  ///< T: lines of a spectrum, else records of the time history
    std::int32_t maxDegree = 0;     ///< D: 20 for spectra, else MaxAggregation
    bool tonality = false;          ///< a spectrum in tonality mode keeps degree 1
};

/// The facts of the kind shown (spectra: the line count and 20; others: the records and MaxAggregation).
ZoomFacts ZoomFactsFor(const MeasurementViewState& view, std::int32_t lines, std::int32_t records, bool tonality);

bool ZoomMinusEnabled(const MeasurementViewState& view, const GraphGeometry& g, const ZoomFacts& facts);
bool ZoomPlusEnabled(const MeasurementViewState& view, const GraphGeometry& g, const ZoomFacts& facts);

/// Zoom minus (coarser); true when something changed and the form must be built again.
bool ZoomMinus(MeasurementViewState& view, GraphGeometry& g, const ZoomFacts& facts);
/// Zoom plus (finer).
bool ZoomPlus(MeasurementViewState& view, GraphGeometry& g, const ZoomFacts& facts);

} // namespace orlu
