#pragma once
// orlu-dump's choices of a view beyond its kind and form: --record N the
// view's record or file number (1-based), --markers A,B the view's two
// markers (band or record positions from 0; one marker alone marks nothing),
// --multi ROWS,FIRST,LAST the multi element picture of a logger of spectra
// (rows of the grid, first and last record).

#include "analysis/PlotData.h"
#include "presentation/view/MeasurementViewState.h"

#include <string>

namespace orlu::tools {

struct ViewChoices {
    int record = -1;
    int markerA = -1;
    int markerB = -1;
    int multiRows = 0; ///< 0: no multi element picture
    int multiFirst = 1;
    int multiLast = 2;

    bool Any() const { return record >= 0 || markerB >= 0 || multiRows > 0; }
};

/// "N", a whole number from 1. False for anything else.
bool ParseRecordChoice(const std::string& text, ViewChoices& choices);
/// "ROWS,FIRST,LAST", whole numbers, FIRST from 1 and LAST above it. False for anything else.
bool ParseMultiChoice(const std::string& text, ViewChoices& choices);

/// Sets the view's record and markers, and its multi element switch.
void ApplyViewChoices(const ViewChoices& choices, MeasurementViewState& view);
/// Sets the grid the multi element picture asks for.
void ApplyMultiChoice(const ViewChoices& choices, PlotData& data);

} // namespace orlu::tools
