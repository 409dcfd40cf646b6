#include "presentation/view/GraphGeometryRecords.h"

#include "document/ViewComputations.h"
#include "presentation/view/GraphGeometryDefaults.h"
#include "presentation/view/ViewKinds.h"

namespace orlu {

std::optional<GeometryRecord> GeometryRecordOf(int viewKind, bool phase)
{
    switch (viewKind) {
    case kViewHistograms: return GeometryRecord::Hist;
    case kViewStatisticalLevels: return GeometryRecord::Levels;
    case kViewDensities: return GeometryRecord::Density;
    case kViewBufferLogger:
    case kViewTimeIntersections: return GeometryRecord::Time;
    case kViewWaveforms: return GeometryRecord::Wave;
    case kViewSpectra: return phase ? GeometryRecord::Phase : GeometryRecord::Spectrum;
    case kViewOctaves: return GeometryRecord::Oct1;
    case kViewThirdOctaves: return GeometryRecord::Oct3;
    default: return std::nullopt;
    }
}

GraphGeometry* GraphGeometryRecords::Obtain(GeometryRecord which, PlotKind row,
                                            const std::optional<GeometryStep>& step, bool recompute)
{
    std::optional<GraphGeometry>& record = records_[static_cast<std::size_t>(which)];
    if (record && !recompute)
        return &*record;
    const std::optional<GraphGeometry> defaults = GraphGeometryDefaults(row);
    if (!defaults)
        return record ? &*record : nullptr;
    if (!record)
        record = defaults;
    if (step) {
        ComputeGraphStep(step->type, step->points, step->extraPoints, *record, false);
        // Time, spectrum and octave graphs draw every point at its pitch; the
        // class and level graphs keep the row's width.
        if (which != GeometryRecord::Hist && which != GeometryRecord::Density && which != GeometryRecord::Levels)
            record->plotWidth = record->pointCount * record->pixelsPerPoint;
    }
    return &*record;
}

const GraphGeometry* GraphGeometryRecords::Find(GeometryRecord which) const
{
    const std::optional<GraphGeometry>& record = records_[static_cast<std::size_t>(which)];
    return record ? &*record : nullptr;
}

} // namespace orlu
