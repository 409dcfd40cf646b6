#pragma once
// The statistics options of `orlu-dump FILE --view K`:
//   --oct 11|13          the 1/1- or 1/3-octave band statistics in place of the broadband
//   --band B             the octave band shown (from 1)
//   --level N            the statistical level of the level spectrum: the N-th of the
//                        percentages, or the percentage N with --all-levels
//   --all-levels         the levels of every percentage 1 to 99
//   --percentages P,...  the user's percentages (up to ten, each 1 to 99)
// --markers A[,B] (read with the buffer edits) marks classes A to B of the forms.

#include "presentation/view/MeasurementViewState.h"

#include <array>
#include <cstdint>
#include <optional>

namespace orlu {
struct AppContext;
}

namespace orlu::tools {

struct StatisticsRequest {
    int octave = 0; ///< 0 broadband, 11 or 13
    int band = -1;
    int level = -1;
    bool allLevels = false;
    std::optional<std::array<std::uint8_t, 10>> percentages;
    bool Any() const { return octave != 0 || band >= 0 || level >= 0 || allLevels; }
};

/// Reads the option at argv[i] with its value: the arguments it takes, 0 when it is no
/// statistics option, -1 for a value it does not read.
int ReadStatisticsOption(int argc, char** argv, int i, StatisticsRequest& request);

/// The user's percentages into the application's settings, before a document is opened.
void ApplyPercentages(const StatisticsRequest& request, AppContext& app);

/// The octave, band, level and markers (A to B, B < 0: one marker) into the view.
void ApplyStatisticsRequest(const StatisticsRequest& request, int markerA, int markerB, MeasurementViewState& view);

} // namespace orlu::tools
