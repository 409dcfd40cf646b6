#pragma once
// The octave spectra of a MONITOR document as every octave form reads them:
// the record's levels (0.1 dB words after its length), folded into octaves
// when a 1/1 form shows a 1/3-octave document, the block total of the marked
// bands taken before the spectrum is converted, then the spectrum in dB or in
// pascal (the station's microphone). The three totals TOT_A, TOT_C and
// TOT_Lin follow the bands.

#include "document/texts/TimeTexts.h"
#include "monitor/MonitorDocument.h"
#include "monitor/MonitorStream.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace orlu {

/// What an octave form asks for.
struct MonitorOctaveChoice {
    bool third = false;  ///< the 1/3-octave form; else the 1/1-octave form
    bool linear = false; ///< pascal; else dB
    bool block = false;  ///< the view marks bands first..last (entries of the form, from 0)
    int first = 0;
    int last = 0;
};

struct MonitorSpectrum {
    std::vector<double> values; ///< the form's bands, then the three totals
    std::uint32_t number = 0;   ///< the record's MonitorRecordNumber
    double blockTotal = 0.0;    ///< the marked bands' total; kMissingValue without a block
};

/// The form has spectra to show: the document's analysis is its own, or 1/3 octaves for a 1/1 form.
bool HasMonitorSpectra(const MonitorDocument& m, bool third);

/// The bands of the form (the totals not counted).
std::size_t MonitorFormBands(const MonitorDocument& m, bool third);

/// The nominal centre of band i of the form's band set.
double MonitorBandCentre(bool third, std::size_t i);

/// Octave record `record` (from 1) as the form shows it; nothing when the record is cut short.
std::optional<MonitorSpectrum> ReadMonitorSpectrum(const MonitorStream& s, const MonitorDocument& m,
                                                   const MonitorOctaveChoice& choice, std::uint32_t record);

/// The civil time of record number n of the sound results' step.
CivilTime MonitorRecordCivil(const MonitorDocument& m, std::uint32_t n);

} // namespace orlu
