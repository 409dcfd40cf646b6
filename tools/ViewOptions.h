#pragma once
// orlu-dump's switches of the view's buffer and logger choices:
//   --record N           the record (sub-file) whose buffer is shown, from 1
//   --degree D           the aggregation degree, at least 1
//   --result CH:N        the logged result N (from 0) of channel or profile CH (1 to 5, 5 the
//                        vector and rotation row)
//   --totals             the running totals in place of the values (Tools/Plot total)
//   --block-stats LIST   the block results between the markers: leq, max, min, sel
//   --nonmetric          vibration values in g, inch per second and inch (every report)
//   --multi ROWS,FIRST,LAST  the multi element picture of a logger of spectra: rows of the
//                        grid, first and last record (from 1, LAST above FIRST)

#include "analysis/PlotData.h"
#include "presentation/view/MeasurementViewState.h"

#include <array>
#include <cstdint>
#include <string>

namespace orlu::tools {

struct ViewOptions {
    int record = -1;
    int degree = 0; ///< 0: as the view opens
    bool totals = false;
    std::array<int, 5> results{-1, -1, -1, -1, -1};
    std::array<std::int32_t, 4> blockStats{};
    bool nonMetric = false;
    long markerA = -1; ///< the marked block (--markers, shared with the edit), from 0; -1 without
    long markerB = -1; ///< -1: one marker, a block of its one record
    int multiRows = 0; ///< 0: no multi element picture
    int multiFirst = 1;
    int multiLast = 2;

    /// Whether a choice of the view is given (the markers and the unit system aside:
    /// the markers also make an edit's block, and the units serve every report).
    bool Any() const;
};

/// Reads the option at argv[i] (and its value, advancing i). 1: read; 0: not one of these;
/// -1: one of these with a value it does not take.
int ReadViewOption(int argc, char** argv, int& i, ViewOptions& options);

/// Sets the view's fields of the choices given.
void ApplyViewOptions(const ViewOptions& options, MeasurementViewState& view);
/// Sets the grid the multi element picture asks for.
void ApplyMultiChoice(const ViewOptions& options, PlotData& data);

} // namespace orlu::tools
