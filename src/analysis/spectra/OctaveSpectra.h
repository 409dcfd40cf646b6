#pragma once
// The octave spectra a form covers and where each one lies, for the current
// family (single files, loggers of spectra and Multifiles of them): the list
// of spectra of a request, the title of a spectrum and one spectrum read into
// a BandSpectrum in dB.
//
// Within one file spectrum No. 1 (and No. 4 on) is the RMS spectrum, No. 2 the
// MIN spectrum when the file has one and otherwise the MAX spectrum, No. 3 the
// MAX spectrum. A logger of spectra numbers its records; a Multifile shows the
// spectrum of the same number from each of its files that holds that octave set.
//
// A spectrum is read only when its record holds every value it announces and
// the count fits the largest layout (44 bands and 6 trailing values): a record
// cut short or announcing more is skipped, never read past.

#include "document/CTmDoc.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace orlu {

/// The most values a spectrum of any layout holds: 44 bands and 6 trailing values.
inline constexpr std::size_t kMaxSpectrumValues = 50;

/// One spectrum in dB: the bands, lowest first, then the trailing values (totals and
/// SPL values). Room for three more values than any layout holds, where the graph
/// repeats its last bars.
struct BandSpectrum {
    std::size_t count = 0;
    std::array<double, kMaxSpectrumValues + 3> values{};

    std::span<double> Values() { return {values.data(), count}; }
    std::span<const double> Values() const { return {values.data(), count}; }
};

/// Detector words of titles.
enum SpectrumDetector : int { kDetectorRms = 1, kDetectorMin = 2, kDetectorMax = 3 };

/// One spectrum of a request.
struct SpectrumRef {
    int number = 1;      ///< the spectrum No. within its file, or the logger record (1-based)
    int fileIndex = 0;   ///< the Multifile's file (from 1), 0 for a single file
    int detector = kDetectorRms;
    int channel = -1;    ///< an ORLU 545 or 590 channel (from 0), -1 in files of one channel
};

/// What the view asks an octave form for.
struct OctaveRequest {
    bool allRecords = false; ///< every spectrum of the file, or every file of a Multifile
    int record = 1;          ///< the view's "No." (1-based)
    int fileIndex = 0;       ///< the Multifile's file shown (from 1)
    /// The channels chosen in ORLU 545 and 590 files (bit c: channel c); other files ignore it.
    std::uint16_t channelMask = 0;
};

/// The octave sets: 3 third octaves, 1 octaves.
enum OctaveSet : int { kOctaves = 1, kThirdOctaves = 3 };

/// Whether the document's spectra are numbered records of a logger.
bool HasSpectrumLogger(const CTmDoc& doc);

/// The spectra of a request, in the order the forms show them. A Multifile lists
/// only files holding the octave set; each file's header is decoded when it is read.
/// An ORLU 545 or 590 file lists one spectrum per chosen channel that has spectra, or
/// with all records every spectrum of the lowest chosen channel; none without a channel.
std::vector<SpectrumRef> ListSpectra(CTmDoc& doc, const OctaveRequest& request, int octave);

/// The detector word of spectrum No. n of a single file: RMS, MIN (when the file has
/// a MIN spectrum) or MAX.
int DetectorOfSpectrum(const CTmDoc& doc, int number, int octave);

/// Reads the spectrum in dB (stored words divided by the level divisor). A Multifile's
/// file is decoded and its channel selected first. Nothing when the spectrum does not
/// exist, its record is cut short or it announces more values than any layout has.
std::optional<BandSpectrum> ReadSpectrum(CTmDoc& doc, const SpectrumRef& ref, int octave);

/// "OCTAVE 1/3  (A, RMS)  Channel #2  No.4  (file: NAME)": the filter of the spectra,
/// the detector while the file has no logger (detector < 0: none), the channel (from 0;
/// < 0: none), the logger record and a Multifile's file.
std::string OctaveTitle(const CTmDoc& doc, int octave, int channel, int detector, int record, int fileIndex);

} // namespace orlu
