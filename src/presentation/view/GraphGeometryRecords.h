#pragma once
// The view's graph records: one geometry per kind of graph, copied from the
// default row of its PlotKind on the first build that needs it, its step
// worked out for the data it shows, and kept (with the zoom steps made on
// it) for the life of the view. The time histories and the time
// intersections share one record.

#include "document/GraphGeometry.h"
#include "document/PlotKind.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace orlu {

enum class GeometryRecord : std::uint8_t {
    Hist, Levels, Density, Time, Wave, Spectrum, ShortBand, Phase, Oct1, Oct3
};
inline constexpr std::size_t kGeometryRecords = 10;

/// How the step of a new record is worked out (ComputeGraphStep's graph type
/// and point count); a record without a step keeps the row's.
struct GeometryStep {
    int type = 0;
    int points = 0;
    int extraPoints = 0;
};

/// The record a ViewKind's graph uses (spectra: the phase record for phase spectra).
std::optional<GeometryRecord> GeometryRecordOf(int viewKind, bool phase);

class GraphGeometryRecords {
public:
    /// The record, created from `row` with `step` when it does not exist yet
    /// (or when `recompute`, as Multifiles do at every build, whose sub-files
    /// differ). Null when `row` is not a PlotKind.
    GraphGeometry* Obtain(GeometryRecord which, PlotKind row, const std::optional<GeometryStep>& step,
                          bool recompute = false);
    const GraphGeometry* Find(GeometryRecord which) const;

private:
    std::array<std::optional<GraphGeometry>, kGeometryRecords> records_;
};

} // namespace orlu
