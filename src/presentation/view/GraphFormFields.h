#pragma once
// The graph form's own fields of a measurement view: the graph size of the
// view and of each ViewKind, what the last paint chose, the point window and
// the cursor positions each group of kinds keeps while another is shown.

#include "presentation/view/ViewKinds.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace orlu {

/// The kinds that keep a cursor of their own. Statistical levels, spectra
/// and octaves share BandIndex and WindowFirst instead.
enum class CursorGroup : std::uint8_t { Histograms, Densities, BufferLogger, Waveforms, Tonality, TimeIntersections };
inline constexpr std::size_t kCursorGroups = 6;

/// A cursor offset inside the point window and the window's first point.
struct CursorPair {
    std::int32_t cursor = 0;
    std::int32_t window = 0;
    friend bool operator==(const CursorPair&, const CursorPair&) = default;
};

/// Graph sizes run 0 (largest) to 4.
inline constexpr std::uint8_t kLastGraphSize = 4;

struct GraphFormFields {
    std::uint8_t GraphSizeIndex = 0;
    std::array<std::uint8_t, kViewKindCount> GraphSizeByKind{};
    std::int16_t AxisDecimals = 0;
    std::int32_t PointCount = 0;
    std::int32_t PanelCount = 0;
    std::int32_t WindowSize = 0;   ///< points that fit the window
    std::int32_t WindowFirst = 0;  ///< window start of the levels, spectra and octaves
    std::int32_t AbsCursor = 0;    ///< the cursor's source point: (window + cursor) x aggregation
    std::array<CursorPair, kCursorGroups> SavedCursors{};

    CursorPair& Saved(CursorGroup group) { return SavedCursors[static_cast<std::size_t>(group)]; }
    const CursorPair& Saved(CursorGroup group) const { return SavedCursors[static_cast<std::size_t>(group)]; }
};

} // namespace orlu
