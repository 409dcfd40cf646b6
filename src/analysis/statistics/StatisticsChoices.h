#pragma once
// What the view chose for a statistics form (histograms, statistical levels,
// densities): the channels, the files, the markers and the octave band.

#include "analysis/statistics/Histogram.h"

#include <cstdint>

namespace orlu {

struct StatisticsChoices {
    /// The channels (profiles) shown, bit 0 = channel 1; 0: the sub-files of a Multifile.
    std::uint16_t channelMask = 0;
    /// Every sub-file of a Multifile (every band of a single file in octave mode).
    bool allFiles = false;
    /// The sub-file shown of a Multifile, from 1; 0 for a single file.
    int subfile = 0;
    /// Without a mask: the channel (profile) each sub-file gives, from 0.
    int channel = 0;
    ClassMarkers markers;
    /// 0 the broadband statistics, 11 the 1/1-octave and 13 the 1/3-octave bands.
    int octave = 0;
    /// The octave band shown, from 1.
    int band = 1;
    /// The level spectrum's Ln: the percentage at this position (from 1) of the user's
    /// percentages, or with allLevels the percentage itself.
    int level = 1;
    bool allLevels = false;
};

} // namespace orlu
