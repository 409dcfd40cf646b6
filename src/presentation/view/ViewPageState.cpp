#include "presentation/view/ViewPageState.h"

namespace orlu {
namespace {

// Rows differ only in the form and the largest aggregation degree.
struct PageDefault {
    std::uint8_t form;
    std::int32_t maxAggregation;
};

constexpr PageDefault kViewPageDefaults[kPageCount] = {
    {kFormText, 0},  // 0 Header info
    {kFormText, 0},  // 1 Main results
    {kFormGraph, 1}, // 2 Histograms (broadband)
    {kFormText, 1},  // 3 Statistical levels (broadband)
    {kFormGraph, 1}, // 4 Statistical levels 1/1 and 1/3 octave
    {kFormGraph, 1}, // 5 Statistical densities
    {kFormGraph, 0}, // 6 Buffer / Logger
    {kFormGraph, 1}, // 7 Time waveforms
    {kFormGraph, 20}, // 8 Spectra
    {kFormGraph, 1}, // 9 Octaves 1/1
    {kFormGraph, 1}, // 10 Octaves 1/3
    {kFormGraph, 0}, // 11 Time intersections
    {kFormText, 0},  // 12 Settings
    {kFormText, 0},  // 13 Hexa
    {kFormText, 0},  // 14 ASCII
    {kFormGraph, 1}, // 15 Histograms 1/1 octave
    {kFormGraph, 1}, // 16 selected by no command
    {kFormGraph, 1}, // 17 selected by no command
    {kFormGraph, 1}, // 18 Histograms 1/3 octave
    {kFormGraph, 1}, // 19 selected by no command
    {kFormGraph, 1}, // 20 selected by no command
    {kFormText, 0},  // 21 User's filters
};

} // namespace

void CopyModeFlags(ViewPageState& record, int row)
{
    record = ViewPageState{};
    record.Form = kViewPageDefaults[row].form;
    record.MaxAggregation = kViewPageDefaults[row].maxAggregation;
}

} // namespace orlu
