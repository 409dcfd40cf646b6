#pragma once
// Which family's statistics a document holds, and the histograms a statistics
// form walks: the channels of the mask, the sub-files of a Multifile, or the
// one file shown. Shared by the histogram, level and density forms.

#include "analysis/statistics/StatisticsChoices.h"

#include <cstdint>
#include <vector>

namespace orlu {

class CTmDoc;

enum class StatisticsFamily : std::uint8_t { None, Current, FourChannel, Legacy };

/// The family of a decoded measurement; None for setup and MONITOR files and
/// documents that did not decode.
StatisticsFamily StatisticsFamilyOf(const CTmDoc& doc);

/// One histogram a form shows.
struct StatisticsItem {
    int subfile = 0; ///< 0 for a single file
    int channel = 0;
    int band = 0;    ///< 0 broadband, n the octave band n
};

/// The histograms of the choices: each channel of the mask (of the sub-file shown);
/// without a mask, with all files, every sub-file whose content bits hold the
/// statistics of the mode; else the sub-file shown. The octave bands of a file are
/// the same for every profile: in octave mode the mask is not asked, and all files
/// of a single file are all its bands.
std::vector<StatisticsItem> StatisticsItems(CTmDoc& doc, const StatisticsChoices& choices);

/// Decodes sub-file n of the family (0: the single file, left as it is); false when it
/// does not decode or a record of it runs past the file.
bool DecodeStatisticsSubfile(CTmDoc& doc, StatisticsFamily family, int n);

/// The content bits of a sub-file that hold the statistics of the mode.
std::uint16_t StatisticsContentBits(int octave);

} // namespace orlu
