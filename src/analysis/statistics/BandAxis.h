#pragma once
// The octave bands a file keeps statistics for: the centre frequency of each
// frequency band and the names of the totals after them, with the captions
// the statistics forms give a band ("Oct.1/3[5]: 50 Hz", "Oct 1/1[11]:
// TOT_A"). The band count is the spectrum's number of values, totals
// included; the ORLU 515 keeps three totals after its bands whatever its
// extras word says.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orlu {

class CTmDoc;

struct BandAxis {
    std::vector<double> centres;         ///< of the frequency bands, Hz
    std::vector<std::string> totalNames; ///< of the values after them

    std::size_t Count() const { return centres.size() + totalNames.size(); }
    bool IsFrequencyBand(std::size_t k) const { return k < centres.size(); }
};

/// The band statistics the file shows for the octave choice (11 the 1/1-octave, 13 the
/// 1/3-octave bands) kept by the sub-file the document has decoded: true when it keeps
/// band histograms of that set.
bool HoldsBandStatistics(const CTmDoc& doc, int octave);

/// The bands of the decoded sub-file and selected channel; empty without band statistics.
BandAxis BandAxisOf(const CTmDoc& doc, int octave);

/// "Oct.1/1", "Oct.1/3" (text forms and graph titles) or "Oct 1/1", "Oct 1/3" (tables).
std::string_view BandLabel(int octave, bool table);

/// " (LABEL[k + 1]: F Hz):" or " (LABEL[k + 1]: NAME):"; empty for a band past the axis.
std::string BandCaption(const BandAxis& axis, std::size_t k, std::string_view label);

/// "(LABEL: F Hz)" or "(LABEL: NAME)", the title of a band's graph.
std::string BandTitle(const BandAxis& axis, std::size_t k, std::string_view label);

/// The band axis of sub-file `subfile` (0 a single file); the document's selection is kept.
BandAxis BandAxisOfSubfile(CTmDoc& doc, int subfile, int octave);

} // namespace orlu
