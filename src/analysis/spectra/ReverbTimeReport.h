#pragma once
// The reverberation-time text and table: one row per band of the evaluated
// set with its EDT, RT20, RT30 and user-interval times, "*.***" for a method
// that is not complete.

#include "document/LineList.h"
#include "reports/table/TableOutputOptions.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orlu {

struct ReverbTimeRow {
    double centreHz = 0.0;           ///< nominal centre of a band row
    std::string totalName;           ///< a total row's name; empty for a band row
    std::span<const std::uint8_t> record; ///< the band's 120-byte record
};

struct ReverbTimeReport {
    bool thirdOctaves = false;  ///< 1/3-octave bands (else 1/1 octaves or FFT lines)
    bool smoothed = false;
    std::size_t records = 0;    ///< the records of the decay, to check the stored intervals
    std::vector<ReverbTimeRow> rows;
};

/// Clears the lines and writes the text form; the widest line to *widest.
void FormatReverbTimeText(LineList& lines, int* widest, const ReverbTimeReport& report);
/// Appends the table form with the options' decimal character and separator.
void FormatReverbTimeTable(LineList& lines, int* widest, const ReverbTimeReport& report,
                           const TableOutputOptions& options);

} // namespace orlu
