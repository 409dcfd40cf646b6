#pragma once
// Frequencies and names of octave and third-octave bands. The instruments
// send spectra as runs of band levels without frequencies; these tables
// supply them. The nominal third-octave centres run from 0.8 Hz (index 0)
// through 1 kHz (index 31) and 20 kHz (index 44) to 80 kHz (index 50).
//
// The "from the top" accessors serve spectra that end at 20 kHz (third
// octaves) or 16 kHz (octaves): a spectrum of n bands starts at entry 45 - n.
// They return the table from that entry on, empty when n is too large.

#include <cstddef>
#include <cstdint>
#include <span>

namespace orlu {

inline constexpr std::size_t kThirdOctaveCount = 51;
inline constexpr std::size_t kOctaveCount = 15;

/// The 51 nominal third-octave centres, 0.8 Hz to 80 kHz.
std::span<const double> ThirdOctaveCentres();
/// The 15 nominal octave centres, 1 Hz to 16 kHz.
std::span<const double> OctaveCentres();
/// Labels of third-octave indexes 0 to 44 ("0.8Hz" .. "20kHz"), index 45 "Total".
std::span<const char* const> ThirdOctaveLabels();
/// Labels of all 51 third-octave centres ("2 kHz" with a blank).
std::span<const char* const> BandLabels();
/// Octave labels "1Hz" .. "16kHz" followed by the total labels.
std::span<const char* const> OctaveLabels();

/// Centres of a third-octave spectrum of n bands ending at 20 kHz: entry 45 - n on.
std::span<const double> ThirdOctaveCentrePtr(std::uint16_t n);
/// Labels from entry 45 - n of ThirdOctaveLabels.
std::span<const char* const> ThirdOctaveLabelPtr(std::uint16_t n);
/// Third-octave centres from entry 45 - 3n: one entry below the lowest of n
/// octave bands ending at 16 kHz; the octave centres are entries 1, 4, 7, ...
std::span<const double> OctaveCentrePtr(std::uint16_t n);
/// Labels from entry 45 - 3n of ThirdOctaveLabels, stepped as OctaveCentrePtr.
std::span<const char* const> OctaveLabelPtr(std::uint16_t n);
/// BandLabels from entry n on.
std::span<const char* const> BandLabelPtr(std::uint16_t n);

/// Names of the high bands 800 Hz to 20 kHz (index 0 to 14); "UNKNOWN" otherwise.
const char* HighBandName(int index);

/// Label of the n-th octave band (n = 1 the band at f) counted from the band
/// centred at f; null when f is no octave centre or the label list ends.
const char* OctaveBandLabelFrom(double f, int n);
/// The same over the third-octave bands 0.8 Hz to 20 kHz.
const char* ThirdOctaveBandLabelFrom(double f, int n);

/// The exact base-2 centre of the third-octave band of x: 1000 x 2^(k/3).
double ExactThirdOctaveCentre(double x);

/// The complete octaves inside a run of third-octave bands.
struct OctaveSpan {
    std::size_t octavePosition = 0; ///< OctaveCentres index of the first octave; 15 when none
    std::size_t firstIndex = 0;     ///< third-octave index of the first octave's centre
    std::size_t octaveCount = 0;
    std::size_t endIndex = 0;       ///< third-octave index after the last octave
};
/// The octaves whose three bands lie inside the third octaves start to start + count - 1.
OctaveSpan OctaveBandSpan(std::size_t start, std::size_t count);

/// Index of the third-octave band just below the band of a / 10 Hz.
/// Values below 1 Hz have no band below theirs and give index 0.
std::size_t ThirdOctaveAtOrBelow(std::uint16_t a);

/// Index of the octave centre equal to f; kOctaveCount when there is none.
std::size_t FindOctaveCentre(double f);

/// FFT frequency ranges by setup code: list A from 1.5625 Hz doubling to
/// 102.4 kHz, list B from 1.38 Hz; code 0 and unknown codes are "UNDF".
const char* FftRangeName(bool listB, int code);

} // namespace orlu
