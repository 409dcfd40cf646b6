#pragma once
// What a measurement view shows: the ViewKind codes. Documents clamp their
// sub-file selection by kind; the views keep per-kind state.

namespace orlu {

/// What a measurement view shows; 255 before anything is shown.
enum ViewKind : int {
    kViewSettings = 0,
    kViewHexa = 1,
    kViewMainResults = 2,
    kViewHeaderInfo = 3,
    kViewHistograms = 4,
    kViewStatisticalLevels = 5,
    kViewDensities = 6,
    kViewBufferLogger = 7,
    kViewWaveforms = 8,
    kViewSpectra = 9,
    kViewOctaves = 10,
    kViewThirdOctaves = 11,
    kViewTimeIntersections = 12,
    kViewAscii = 13,
    kViewUserFilters = 17,
    kViewNone = 255,
};

} // namespace orlu
