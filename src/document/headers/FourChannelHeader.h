#pragma once
// What the header of an ORLU 545 or 590 file holds beyond the fields shared
// with the other current-family files: up to four measuring channels with up
// to three profiles each, and a fifth pseudo channel (index 4) for the vector
// sum and the rotation.
//
// The file numbers its profiles j = p x channel count + c (profile p of
// channel c); the program keeps every per-profile value by (channel, profile),
// so the decoder that fills the tables and the selection that reads them
// agree whatever the number of channels.

#include "document/headers/NameTable.h"

#include <array>
#include <cstdint>
#include <string>

namespace orlu {

inline constexpr int kFourChannelMaxChannels = 4;
inline constexpr int kFourChannelMaxProfiles = 3;
/// Table index of the pseudo channel of the vector sum and the rotation.
inline constexpr int kPseudoChannel = 4;

/// The words of one profile of one channel (a block of the profile record).
struct ChannelProfile {
    std::uint16_t blockLength = 0;
    std::uint16_t filter = 0;
    std::uint16_t flagsWord = 0;
    std::uint16_t detector = 0;
    std::uint16_t bufferWord = 0;     ///< the buffer contents definition
    std::uint16_t bufferWordCopy = 0;
    std::uint16_t resultsInBuffer = 0; ///< set bits among bits 0 to 7 of the buffer word
    bool operator==(const ChannelProfile&) const = default;
};

/// A histogram layout of one channel (record 18, or the second one, record 21).
struct ChannelHistogram {
    std::uint16_t classLength = 0;
    std::uint16_t bandWord = 0; ///< second histogram only
    std::uint16_t classes = 0;
    std::int16_t lowest = 0;    ///< 0.1 dB
    std::int16_t width = 0;     ///< 0.1 dB
    bool operator==(const ChannelHistogram&) const = default;
};

/// The dose-meter setup of a vibration file (record 31): the channels of
/// the three axes, hand-arm or whole-body, the national limit variant and
/// the daily exposure time. The channel numbers are the file's, unchecked.
struct ExposureSetup {
    std::uint8_t axisX = 0;
    std::uint8_t axisY = 0;
    std::uint8_t axisZ = 0;
    std::uint8_t kind = 0;         ///< 1 hand-arm, 2 whole-body, other none
    std::uint8_t limitVariant = 0; ///< row of VibrationLimitTable
    std::uint16_t dailyMinutes = 0;
    bool operator==(const ExposureSetup&) const = default;
};

/// One channel's entries of the per-channel tables.
struct ChannelSetup {
    std::uint16_t inputKind = 0; ///< 2 microphone, 5 accelerometer
    std::int16_t calibration = 0; ///< 0.1 dB
    std::uint16_t range = 0;
    std::uint16_t blockLength = 0; ///< of the channel block
    std::uint16_t profileCount = 0; ///< profiles of this channel in the profile record
    std::array<ChannelProfile, kFourChannelMaxProfiles> profiles{};
    std::uint16_t resultsInBuffer = 0; ///< sum over the channel's profiles

    // Microphone settings (microphone channels only).
    std::uint16_t compensationFilter = 0;
    std::uint16_t fieldCorrection = 0;
    std::uint16_t polarization = 0;
    std::uint16_t outdoorFilter = 0;

    // Vector sum (record 30).
    std::uint16_t coefficient = 0; ///< axis factor x 100
    std::uint16_t coefficientOn = 0;

    /// The two spectrum words: the octave filter and the in-buffer word.
    std::array<std::uint16_t, 2> spectrumWords{};
    /// The three spectrum-setup words: lowest band, band count, extras.
    std::array<std::uint16_t, 3> setupWords{};
    /// The three FFT words: line count, extra-line word, zoom code.
    std::array<std::uint16_t, 3> fftWords{};
    std::uint16_t fftWindow = 0;
    bool fftPresent = false;
    std::uint32_t samplingRate = 0;

    ChannelHistogram histogram;
    ChannelHistogram secondHistogram;
    bool operator==(const ChannelSetup&) const = default;
};

/// The four-channel part of a decoded header.
struct FourChannelSetup {
    /// Channels 0 to 3, then the pseudo channel 4 (vector and rotation).
    std::array<ChannelSetup, 5> channels{};
    std::uint16_t profileCount = 0;
    /// The vector's profile number in the file: 4 below firmware 2.17, 12 from 2.17.
    std::uint16_t vectorSlotNumber = 4;
    /// The vector slot's buffer word, bit count and profile flags.
    ChannelProfile vectorSlot;

    // Record 4.
    std::uint16_t overloadMask = 0; ///< bits 9, 8, 7, 6 of the flags word: channels 1 to 4
    std::uint16_t triggerChannel = 0;
    std::uint16_t referenceLevel = 0; ///< the first reference-level word
    std::uint16_t spectraPerChannel = 0;
    std::uint16_t rotationInBuffer = 0;

    // Inputs.
    bool hasMicrophone = false;
    bool hasAccelerometer = false;
    bool mixedInputs = false;

    // Vector (record 30) and dose (record 31) settings.
    bool vector = false;
    std::uint16_t vectorInBuffer = 0;
    std::uint16_t vectorFilter = 0;
    std::string vectorFormula;
    bool doseSettingsPresent = false;
    ExposureSetup exposure;

    // Spectra: channel masks by function and the spectrum-channel words.
    std::uint16_t octaveMask = 0;
    std::uint16_t thirdMask = 0;
    std::uint16_t fftMask = 0;
    std::uint16_t anySpectrumMask = 0;
    std::uint16_t spectrumChannelWord = 0;
    std::uint16_t secondHistogramMask = 0;
    std::uint16_t secondHistogramMaskCopy = 0;
    bool octaveSecondHistogram = false;
    bool thirdSecondHistogram = false;

    // Time history.
    bool waveform = false;               ///< the time history is a recording 43
    std::uint16_t waveformChannelMask = 0;
    std::uint16_t samplingRateIndex = 0;
    double sampleInterval = 0.0;         ///< seconds
    std::uint32_t dataPosition = 0;      ///< logger: word where the rows begin
    std::uint16_t rowLengthCopy = 0;

    /// Levels in 0.01 dB (firmware 2.16 on, without a time history): divisors 100 and 2000.
    bool hundredths = false;
    double levelDivisor = 10.0;
    double linearDivisor = 200.0;

    bool operator==(const FourChannelSetup&) const = default;
};

} // namespace orlu
