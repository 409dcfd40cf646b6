#pragma once
// The setup of an ORLU 505 ANALYZER-mode file (FileKindCode 4, 11 and, merged,
// 24; DOS *.A files) as the document keeps it once decoded: the words of the
// setup header that begins each file, with what follows from them (channels,
// the FFT or octave band setup, the time step, the histogram block, the time
// history). docs/formats.md ("ANALYZER-mode files") gives the word layout.
//
// Levels are in 0.1 dB unless a name says otherwise; frequencies in Hz and
// times in seconds.

#include "document/headers/NameTable.h"

#include <array>
#include <cstdint>
#include <span>

namespace orlu {

/// The measurement function of word 4; it is also the band kind of the file.
enum Function505 : std::uint16_t {
    kFunction505Time = 1,       ///< time waveforms (and their spectra)
    kFunction505Spectrum = 2,   ///< FFT spectra
    kFunction505Octave = 3,     ///< 1/1-octave spectra
    kFunction505ThirdOctave = 4 ///< 1/3-octave spectra
};

/// How a four-channel probe file lays out its channel table.
enum ChannelMode505 : std::uint16_t {
    kChannelMode505Single = 0, ///< one channel, the header's own input
    kChannelMode505Probe6 = 1, ///< 52-word header, table at word 32 (probe input "OR06A")
    kChannelMode505Probe8 = 2, ///< 17-word header, table at word 12 (probe input "OR08A")
    // Other four-channel headers store their mode in a word of their own.
};

/// One channel of the setup: of the header for single-channel files, of the
/// channel table for four-channel files.
struct Channel505 {
    std::uint16_t inputKind = 0;     ///< InputKind: 2 Microphone, 4 Charge, 5 Accelerometer, ...
    std::uint16_t range = 0;         ///< range code (1-based)
    std::uint16_t filter = 0;        ///< weighting filter code (filter505)
    std::uint16_t lowPassFilter = 0; ///< LOW PASS filter code (four-channel table only)
    std::int16_t calibration = 0;    ///< 0.1 dB (calibration505)
};

/// The histogram block behind the spectra of an octave file.
struct Histogram505 {
    std::uint32_t position = 0;     ///< word of the block in the image (0: none)
    std::uint16_t countsOffset = 0; ///< word 0: words from the block to the first class count
    std::uint16_t count = 0;        ///< word 1: histograms (bands and totals); 0 none
    std::uint16_t classes = 0;      ///< word 2: classes of every histogram
    std::int16_t lowest = 0;        ///< word 3: lowest class, 0.1 dB
    std::int16_t width = 0;         ///< word 4: class width, 0.1 dB

    /// The word of the first class count of histogram b (32-bit counts, low word first).
    std::uint32_t CountsOf(std::uint32_t b) const { return position + countsOffset + 2u * b * classes; }
};

struct Setup505 {
    // Words 0 to 12 of the setup header.
    std::uint32_t subfileStart = 0;  ///< word of the image where the setup header begins
    std::uint16_t headerLength = 0;  ///< word 0, in words
    std::uint16_t startTime = 0;     ///< word 1, in 2-second units
    std::uint16_t startDate = 0;     ///< word 2, (year - 2000) x 512 + month x 32 + day
    std::uint16_t inputWord = 0;     ///< word 3 as stored; 6 or more: a four-channel probe file
    std::uint16_t function = 0;      ///< word 4, Function505
    std::uint16_t zoomCode = 0;      ///< word 7, the sampling/band code s (fftZoomCode)
    std::uint16_t averaging = 0;     ///< word 9, the averaging code (fftAveraging)
    std::uint16_t averagingValue = 0; ///< word 10: averaging number (Time, Spectrum) or seconds (octaves)
    std::uint16_t valuesWord = 0;    ///< word 11 as stored: values per spectrum, + 1 with a time history
    std::uint16_t flags = 0;         ///< word 12

    // The flags word.
    bool flagBit1 = false;           ///< bit 1, kept for the reports
    bool histogramFlag = false;      ///< bit 2 (cleared when the block holds no histogram)
    bool timeHistory = false;        ///< bit 3: the spectra are numbered records of a time history
    std::uint16_t rmsDetectorType = 1; ///< bits 4-5, plus 1
    bool extraValueFlag = false;     ///< bit 6: one extra value after the bands
    bool levelOffset20 = false;      ///< bit 15: 20 dB level offset of charge and accelerometer inputs

    // Channels.
    std::uint16_t channelCount = 1;
    std::uint16_t channelMode = 0;   ///< ChannelMode505, or the mode word of a four-channel header
    std::uint32_t channelTable = 0;  ///< header word of the table (four-channel files)
    std::uint16_t storedInputKind = 0; ///< the header's input: word 3, or 6 / 8 for probe files
    std::array<Channel505, 4> channels{};
    std::int16_t sensitivityOffset = 0; ///< 0.1 dB: 200 with bit 15 on a charge or accelerometer input
    bool mixedInputs = false;        ///< microphone and other channels together
    std::uint16_t microphoneChannels = 0; ///< the channel count when some channel is a microphone, else 0
    std::uint16_t channelMask = 0;   ///< every channel
    std::uint16_t timeMask = 0;      ///< channels with time waveforms
    std::uint16_t spectrumMask = 0;  ///< channels with FFT spectra
    std::uint16_t octaveMask = 0;    ///< channels with 1/1-octave spectra
    std::uint16_t thirdMask = 0;     ///< channels with 1/3-octave spectra

    // Time and Spectrum: the FFT words 13 to 18.
    std::uint16_t triggering = 0;    ///< word 13
    std::uint16_t triggerLevel = 0;  ///< word 14, 0.1 %
    std::uint16_t window = 0;        ///< word 15, FftWindowCode
    std::uint16_t zoomFlag = 0;      ///< word 16: 1 on, 2 off
    std::uint16_t zoomBandCode = 0;  ///< word 17: the band code of the last zoom step
    double windowGain = 0.0;         ///< FftWindowPower of the window over N samples (N x N / 2)
    double windowPower = 0.0;        ///< the window's mean power (sum of squares / N)
    std::int32_t spectraCount = 0;   ///< word 18 (Time, Spectrum) or 14 (octaves): spectra or records

    // Band setup.
    std::uint16_t bandEnd = 0;       ///< L: values per spectrum without the record number
    std::uint16_t bandCount = 0;     ///< octaves: word 13, the bands
    std::int32_t bandExtras = 0;     ///< values after the bands (totals named by totalNames)
    std::uint32_t fftSamples = 0;    ///< N, the samples of an FFT block
    double lineSpacingHz = 0.0;      ///< FFT: firstBandHz; octaves: the first centre frequency (firstBandHz)
    double fftRangeHz = 0.0;
    double samplePeriod = 0.0;       ///< seconds
    int samplePeriodDecimals = 0;
    double axisStartHz = 0.0;        ///< fftAxisStart: the zoom start
    double axisEndHz = 0.0;          ///< fftAxisEnd
    bool eVersion = false;           ///< the file needs the E version's formulas (sub-kind 1)
    std::int32_t octaveTotal = 0;
    std::int32_t octaveBands = 0;
    std::int32_t octaveMissing = 0;
    std::int32_t octaveExtras = 0;
    std::int32_t thirdIndexOfOctave = 0; ///< 1/3-octave index of the first 1/1 band
    std::int32_t thirdTotal = 0;
    std::int32_t thirdBands = 0;
    std::int32_t thirdMissing = 0;
    std::int32_t thirdExtras = 0;
    std::uint16_t octaveBandCount = 0;
    std::uint16_t thirdBandCount = 0;
    std::span<const double> bandFrequencies; ///< centre frequencies from the first band shown
    NameTable totalNames;            ///< names of the extras
    NameTable rangeNames;            ///< the 505 range list: "30 dB" (entry 1) to "300 dB" (entry 28)

    // Time step.
    double timeStep = 1.0;           ///< seconds between spectra
    int timeStepDecimals = 0;
    bool timeStepPresent = false;    ///< words 15, 16 of an octave header gave it

    // Statistics.
    Histogram505 histogram;          ///< the block behind the spectra (octave files with the histogram flag)
    bool octaveStatistics = false;   ///< function-3 statistics present
    bool thirdStatistics = false;    ///< function-4 statistics present
    bool bandStatistics = false;     ///< statistics of 1/3-octave bands (octave-statistics flag)
    bool statisticsAvailable = false;

    // Reverberation evaluation range (octave files of more than one spectrum).
    std::int32_t rtFirstBand = -1;   ///< first band at or above 30 Hz (index into the bands shown)
    std::int32_t rtBandCount = 0;    ///< bands from there below 10 kHz
    std::int32_t rtOctaveBandCount = 0; ///< 1/1-octave bands of that range (1/3-octave files)

    // Time history.
    std::uint32_t recordCount = 0;   ///< records of the time history (spectraCount)
    std::uint32_t wordsPerRecord = 0; ///< channels x (L + 1)
    std::uint16_t historyChannelMask = 0;

    /// The word of the image where spectrum (record) r, from 0, begins: its
    /// record number with a time history, else its first value. Channel c's
    /// values follow at c x (L + t) words.
    std::uint32_t SpectrumAt(std::uint32_t r) const
    {
        return subfileStart + headerLength + r * RecordWords();
    }
    /// Words of one spectrum of every channel, record numbers included.
    std::uint32_t RecordWords() const { return channelCount * (bandEnd + (timeHistory ? 1u : 0u)); }
};

} // namespace orlu
