#pragma once
// Where a document's reverberation evaluation reads its decay curves and
// keeps its band records: the band set of the band kind, the spectra of the
// channel, the bands evaluated and their centres. ORLU 505 ANALYZER-mode
// files of numbered 1/1 or 1/3 octave spectra evaluate the bands from the
// first at or above 30 Hz to the last below 10 kHz, files of numbered FFT
// spectra every line; one record per band or line. Current-family loggers of
// spectra evaluate every value of their spectra, the totals included; the
// octaves folded from a third-octave logger are read as the 1/1-octave view
// shows them.

#include "analysis/spectra/DecayCurves.h"
#include "analysis/spectra/ReverbTimeReport.h"
#include "document/CTmDoc.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace orlu {

/// Band kinds of the spectra views: 2 FFT lines, 3 1/1 octaves, 4 1/3 octaves.
enum ReverbBandKind : int { kReverbFftLines = 2, kReverbOctaves = 3, kReverbThirdOctaves = 4 };

struct ReverbSource {
    CTmDoc::RtSet set = CTmDoc::kRtOctave;
    SpectrumWalk walk;
    std::size_t firstBand = 0;  ///< the spectrum's band of record 0
    std::size_t bands = 0;      ///< records of one channel
    std::size_t recordOffset = 0; ///< bytes of the channel's first record in the set
    std::vector<double> centres; ///< nominal centre of each band evaluated
    std::vector<std::string> totalNames; ///< the names of the last bands, which are totals
    bool thirdOctaves = false;
    bool folded = false;        ///< octaves folded from the thirds of each record
};

/// The decays of a band kind and channel, none when the file holds no such
/// numbered spectra; the document may have no records for them.
std::optional<ReverbSource> DecaySourceOf(const CTmDoc& doc, int bandKind, int channel);
/// The same, none when the document holds no records for them.
std::optional<ReverbSource> ReverbSourceOf(const CTmDoc& doc, int bandKind, int channel);

/// The channel's band records of the source.
std::span<std::uint8_t> ReverbRecords(CTmDoc& doc, const ReverbSource& source);

/// Computes the bands of the source into its records, reading each spectrum
/// once: 1, or 0 when the curves cannot be read or held.
int ComputeReverbTime(const ImageReader& image, const ReverbSource& source, std::span<std::uint8_t> records,
                      bool smoothed);
/// Computes every band of the channel: 1, or 0 when the document holds no
/// records for it or its curves cannot be read or held.
int ComputeReverbTime(CTmDoc& doc, int channel, bool smoothed, int bandKind);

/// The rows of the text and table forms, none when the document holds no records for them.
std::optional<ReverbTimeReport> ReverbReportOf(CTmDoc& doc, int channel, bool smoothed, int bandKind);

} // namespace orlu
