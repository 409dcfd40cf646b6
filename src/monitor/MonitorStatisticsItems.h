#pragma once
// The histograms a MONITOR statistics form shows: those of the profiles
// selected and acquired in a statistics interval, or of the bands of an
// octave-statistics record, each with its label and record number.

#include "analysis/statistics/Histogram.h"
#include "analysis/statistics/StatisticsChoices.h"
#include "monitor/MonitorDocument.h"
#include "monitor/MonitorStream.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orlu {

class CTmDoc;

struct MonitorStatisticsItem {
    Histogram histogram;
    std::string label;        ///< "Profile #1  -  Leq " or "(Oct.1/1[4]: 8 Hz):"
    int profile = 0;          ///< the profile, from 1; 0 for a band
    std::uint32_t number = 0; ///< the MonitorRecordNumber of the record read
    double frequency = 0.0;   ///< a band's centre frequency (0 for a total)
    std::string totalName;    ///< a band total's name ("TOT_A"); empty for a band
};

/// The profiles of interval r (from 1) selected and acquired; each read past the records before it.
std::vector<MonitorStatisticsItem> MonitorProfileItems(const MonitorStream& s, const MonitorDocument& m,
                                                       std::uint16_t selected, int r);

/// The bands of octave-statistics record r: the chosen band, or every band (the densities one less).
std::vector<MonitorStatisticsItem> MonitorBandItems(const MonitorStream& s, const MonitorDocument& m,
                                                    const StatisticsChoices& choices, int r, bool densities);

/// The levels of the document's percentages of a MONITOR histogram (in 0.1 dB steps,
/// every class counting as 1 dB); they stay with the document as its levels of the
/// percentages, and the histogram's sum as its histogram total, as the level forms of
/// the other files leave them.
std::array<double, 10> KeepMonitorLevels(CTmDoc& doc, const Histogram& h);

} // namespace orlu
