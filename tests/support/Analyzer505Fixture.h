#pragma once
// Builds ORLU 505 ANALYZER-mode files (DOS *.A, containers of kinds 4, 11
// and 24) word by word from the layout in docs/formats.md ("ANALYZER-mode
// files"), never through the program's decoder or tables.

#include "support/FixtureBuilder.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace orlu::fixture {

struct Analyzer505Spec {
    std::uint16_t function = 3;     ///< 1 Time, 2 Spectrum, 3 Octave 1/1, 4 Octave 1/3
    bool fourChannel = false;       ///< a probe file: word 3 is 6 (mode 1) or 8, the channels in a table
    /// Header length in words; 0 chooses it: single channel 32 (Time, Spectrum) or 17
    /// (octaves); four channels 76 (Time, Spectrum: mode word 32, table 34) or 42
    /// (octaves: mode word 20, table 22). 52 is the probe form with its table at word 32.
    std::uint16_t headerLength = 0;
    std::uint16_t channelMode = 2;  ///< the mode word of a four-channel header that has one
    std::uint16_t input = 2;        ///< single channel: 2 microphone, 4 charge, 5 accelerometer
    std::uint16_t range = 1;
    std::uint16_t filter = 2;       ///< A
    std::int16_t calibration = -15; ///< 0.1 dB
    std::uint16_t samplingCode = 10; ///< word 7
    std::uint16_t averaging = 1;
    std::uint16_t averagingValue = 8;
    std::uint16_t values = 400;     ///< values per spectrum (lines, or bands with their extras)
    std::uint16_t bands = 0;        ///< octaves: the bands (word 13)
    std::uint16_t spectra = 1;
    bool timeHistory = false;       ///< numbered spectra: each record starts with its number
    bool histogram = false;         ///< octaves: a histogram block behind the spectra
    std::uint16_t histogramClasses = 12;
    std::int16_t histogramLowest = 400; ///< lowest class, 0.1 dB
    std::int16_t histogramWidth = 20;   ///< class width, 0.1 dB
    /// Histograms in the block; 0: one per value.
    std::uint16_t histogramCount = 0;
    /// When set, count k of histogram b in place of the plausible one (counts peaking in the middle).
    std::function<std::uint32_t(std::uint32_t b, std::uint32_t k)> histogramCount32;
    bool extraValue = false;        ///< flags bit 6
    bool levelOffset20 = false;     ///< flags bit 15
    std::uint16_t window = 2;       ///< Hanning
    std::uint16_t trigger = 0;
    bool zoom = false;
    std::uint16_t zoomBandCode = 8;
    std::uint16_t zoomShift = 30;   ///< every zoom step's word (25 is no shift)
    std::uint32_t timeStepFixed = 0x20000; ///< octave headers of 17 words on: 16.16 seconds (2.0 s)
    /// Four-channel table words: input (0 accelerometer), range, filter, low pass, calibration.
    std::array<std::uint16_t, 4> inputs{0, 1, 0, 1};
    /// When set, value i of spectrum r, channel c (0.1 dB, or a sample) in place of the plausible one.
    std::function<std::int16_t(std::uint32_t r, std::uint32_t c, std::uint32_t i)> value;
    /// Time files: each record holds a waveform block of N = 256 x values / 100 samples (2N
    /// words, real and imaginary, when zoomed; 4N, the channels interleaved, with four
    /// channels) that sums the tones; without tones the block is silent.
    bool waveformBlocks = false;
    struct Tone {
        std::uint32_t line = 0;  ///< the tone has `line` periods in the block
        double amplitude = 0.0;  ///< peak, in sample counts
        int channel = -1;        ///< -1: every channel
    };
    std::vector<Tone> tones;
};

/// The instrument file: setup header, spectra, histogram block, check word.
std::vector<std::uint8_t> BuildAnalyzer505File(const Analyzer505Spec& spec);
/// The file as DOS *.A (version 4 carries the sub-kind).
FixtureBuilder Analyzer505Dos(const Analyzer505Spec& spec, std::uint8_t subKind = 0);
/// The file in a container of kind 4 or 11 (with a RecordIndex of 1..spectra).
FixtureBuilder Analyzer505Container(const Analyzer505Spec& spec, std::uint8_t kind = 4, std::uint8_t subKind = 0);
/// A Multifile of kind 24 of the files A0000001, A0000002, ...
FixtureBuilder Analyzer505Multifile(std::span<const Analyzer505Spec> specs);
/// A kind-4 container of the file with word `word` of the file set to `value`.
FixtureBuilder Analyzer505Patched(const Analyzer505Spec& spec, std::size_t word, std::uint16_t value);

/// A damaged (or, first, an intact) kind-4 file, and what the program makes of it.
struct DamagedAnalyzer505 {
    const char* name;
    FixtureBuilder file;
    bool decoded;       ///< the setup decodes (else the file is refused)
    bool histogramKept; ///< the histogram block is kept
};
/// Files whose words point past the file, past the header or past the tables.
std::vector<DamagedAnalyzer505> DamagedAnalyzer505Files();

} // namespace orlu::fixture
