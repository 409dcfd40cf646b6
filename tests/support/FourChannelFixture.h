#pragma once
// Builds ORLU 545 and 590 (four-channel) instrument files from the layout in
// docs/formats.md ("Four-channel instrument files"), word by word, never
// through the program's decoder or tables.

#include "support/FixtureBuilder.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orlu::fixture {

/// One block of the channel record.
struct FourChannelBlock {
    bool microphone = true;
    std::int16_t calibration = -250; ///< 0.1 dB
    std::uint16_t range = 1;
};

/// One block of the profile record; blocks are written in file order
/// (profile j = p x channel count + c).
struct FourChannelProfileBlock {
    std::uint16_t filter = 2;
    std::uint16_t detector = 2;
    std::uint16_t bufferWord = 0;
    std::uint16_t flags = 0;
};

/// A descriptor record between a logger 24 and its rows: type 9 or 34
/// (channel, two spectrum words), 33 (channel, lines, extra-line word) or 11 (none).
struct LoggerDescriptor {
    struct Entry {
        std::uint16_t channel = 0;
        std::uint16_t first = 0;
        std::uint16_t second = 0;
    };
    std::uint8_t type = 9;
    std::vector<Entry> entries;
};

/// A word between logger rows: a marker (top 0x8), a break (0xB) or a
/// dropped value (0xA); breaks and values take three more words.
struct FourChannelLoggerWord {
    std::uint32_t afterRow = 0;
    std::uint16_t top = 0x8;
    std::uint32_t value = 0;
};

struct FourChannelSpec {
    std::string name = "F0000001";
    std::uint16_t serial = 4545;
    std::uint16_t deviceType = 545;
    std::uint16_t firmware = 217; ///< version x 100
    std::uint16_t fileSystem = 0;
    std::string title = "Four channels";

    std::uint16_t function = 1; ///< 1 level meter, 2 1/1 octave, 3 1/3 octave, 4 dose meter, 6 FFT
    std::uint16_t flagsWord = 0;
    std::uint16_t channelCountWord = 4; ///< record 4 word 21, written as is
    std::uint16_t profileCountWord = 4; ///< record 4 word 22, written as is
    std::vector<FourChannelBlock> channels;
    std::vector<FourChannelProfileBlock> profiles;
    std::uint16_t fieldCorrection = 1;
    std::uint16_t secondMicrophoneWord = 1; ///< polarization below 2.17, outdoor filter from 2.17
    std::uint16_t rotationInBuffer = 0;     ///< firmware 2.20 on

    /// Vector settings 30.
    bool vectorRecord = false;
    std::uint16_t vectorInBuffer = 0;
    std::array<std::uint16_t, 4> coefficients{};
    std::array<std::uint16_t, 4> coefficientUse{};

    /// Word 10 of the vector settings 30: the vector sum's level, written when given.
    std::optional<std::int16_t> vectorLevel;

    /// Dose-meter setup 31: word 1 x channel (high byte) and y channel (low
    /// byte), word 2 z channel (low byte) and kind (high byte: 1 hand-arm,
    /// 2 whole-body), word 3 the daily exposure time in minutes, word 4 the
    /// limit variant (0 UK, 1 IT, 2 PL, 3 FR, 4 User).
    struct DoseSetup {
        std::uint8_t axisX = 0;
        std::uint8_t axisY = 1;
        std::uint8_t axisZ = 2;
        std::uint8_t kind = 1;
        std::uint8_t limitVariant = 0;
        std::uint16_t dailyMinutes = 480;
    };
    std::optional<DoseSetup> dose;
    /// SEAT definition 44: word 1 the base channel, word 2 the seat channel (from 0).
    struct Seat {
        std::uint16_t base = 0;
        std::uint16_t seat = 1;
    };
    std::optional<Seat> seat;

    /// Results records 13 (no time history): T, O and levels in 0.1 dB, or 0.01 dB from 2.16.
    std::uint32_t measurementSeconds = 600;
    std::uint32_t overloadSeconds = 6;
    /// Level words 3 to 13 of results record i, written as they are instead of the generated levels.
    std::map<int, std::array<std::int16_t, 11>> resultLevels;
    /// The levels of the records resultLevels leaves out: false the generated words
    /// (1 dB more a channel, 10 dB a profile, a microphone's for every channel), true
    /// those of a plausible ten-minute measurement, by the kind of the record's channel:
    /// a microphone Peak 104.5, Max 93.4, Min 58.7, Leq 81.5 dB and L10 86.0 dB; an
    /// accelerometer (dB over the 1 m/s2 of record 4's 120 dB reference) RMS 1.00,
    /// MTVV 1.58, Peak 3.98, peak-to-peak 7.94 m/s2 and VDV 6.92 m/s1.75; each channel
    /// adds 1 dB and each profile 1 dB to these.
    bool plausibleLevels = false;

    /// Spectrum setup of the octave and FFT functions: the channels that have spectra.
    std::uint16_t spectrumMask = 0;
    std::uint16_t lowestBand = 250;
    std::uint16_t bands = 10;
    std::uint16_t bandExtras = 2;
    std::uint16_t fftLines = 400;
    std::uint16_t fftZoom = 1;
    std::uint32_t samplingRate = 48000;
    bool extraSpectrum = false; ///< record 46 (1/1) or 48 (1/3)
    /// The spectrum record of a channel (from 0) of its own: the band count, the
    /// trailing values and every value's level in 0.1 dB, in place of bands,
    /// bandExtras and the generated levels.
    struct ChannelSpectrum {
        std::uint16_t bands = 31;
        std::uint16_t extras = 3;
        std::int16_t tenths = 800;
    };
    std::map<int, ChannelSpectrum> channelSpectra;
    /// FFT spectra (function 6), by channel from 0: line levels in 0.1 dB, repeated over the
    /// lines and the extra line. Without a time history each channel of spectrumMask gets
    /// its record 17 (length in word 1, the levels from word 2); in a logger they fill each
    /// row's block of the channel's type-33 entry (a leading word, then the lines), every
    /// row fftRowStep tenths lower than the one before.
    std::map<int, std::vector<std::int16_t>> fftLevels;
    std::int16_t fftRowStep = 0;
    /// After each channel's spectrum record its MIN and MAX spectra (records 46 and 45
    /// for 1/1, 48 and 47 for 1/3 octaves), every value 10 dB below and above.
    bool channelMinMax = false;

    /// RT60 (no time history): settings 36, one results record 37 (38 when
    /// averaged) per channel listed in rtChannels with the same band blocks,
    /// and with rtMean the channel mean 40 (41).
    Rt60Results rt60;
    std::vector<std::uint16_t> rtChannels;
    bool rtMean = false;

    /// Band histograms 21 of an octave function, by channel (from 0): a block per channel
    /// after the 3-word head (word 2 the channel mask): 0, its length, the band count, the
    /// classes (of the first band), lowest class, width, then each band's 32-bit counts.
    struct BandHistograms {
        std::int16_t lowest = 400; ///< 0.1 dB
        std::int16_t width = 10;   ///< 0.1 dB
        std::vector<std::vector<std::uint32_t>> bands;
    };
    std::map<int, BandHistograms> bandHistograms;

    /// Histogram layouts 18: the channels that have one.
    std::uint16_t histogramMask = 0;
    /// Class counts of the channels of histogramMask, in channel order: when given,
    /// the high byte of word 1 of record 18 counts them and a block per channel
    /// follows the record (word 0 0x0012, 1 its length, 2 the channel from 0, then
    /// the 32-bit counts).
    std::vector<std::vector<std::uint32_t>> histogramCounts;
    /// Lowest class and class width (0.1 dB) of the channels of histogramMask, in channel
    /// order, where given: their layouts then hold as many classes as their counts, in
    /// place of the generated 40 + c classes of 1 dB from 30 dB.
    std::vector<std::array<std::int16_t, 2>> histogramLayouts;

    enum class History { None, Logger, Waveform };
    History history = History::None;
    std::uint32_t rows = 0;
    std::uint32_t declaredCount = 0xFFFFFFFF;
    std::uint16_t stepSeconds = 0;
    std::uint16_t stepMillis = 100;
    std::vector<LoggerDescriptor> descriptors;
    std::vector<FourChannelLoggerWord> loggerWords;
    std::uint16_t waveformMask = 0;
    std::uint16_t rateIndex = 0;

    /// Values written over the generated row words, each list repeated over the rows:
    /// levels of a channel's first logged result (0.1 dB; stored in 0.05 dB with the
    /// overload flag in bit 0), by channel from 0.
    struct ChannelLevels {
        std::uint16_t channel = 0;
        std::vector<std::int16_t> tenths;
        std::vector<bool> overload; ///< per level; missing entries are clear
    };
    std::vector<ChannelLevels> channelLevels;
    /// Rotation speeds in rpm (with rotationInBuffer), as the two-word device value.
    std::vector<double> rpm;
    /// 24-bit samples of a recording, by channel from 0.
    struct ChannelSamples {
        std::uint16_t channel = 0;
        std::vector<std::int32_t> values;
    };
    std::vector<ChannelSamples> samples;
};

/// A spec of `channels` channel blocks and profilesPerChannel profiles per
/// channel. The first channel is a microphone and the others accelerometers,
/// or (microphoneFirst false) the first an accelerometer and the others
/// microphones. Channel c: calibration -250 + 10c (0.1 dB), range 1. Profile
/// block j (channel c, profile p): filter 2 + p (microphones: A, C, G) or
/// 11 + p (others: W-Bxy, W-Bz, H-A), detector 1 + p, flags 100 + j.
FourChannelSpec MakeFourChannelSpec(std::uint16_t deviceType, std::uint16_t firmware, int channels,
                                    int profilesPerChannel, bool microphoneFirst = true);

/// The words per row of the spec's time history.
std::uint32_t FourChannelRowLength(const FourChannelSpec& spec);

/// The two words (low, high) of a rotation speed in the device's format of firmware
/// below 5.05: the seconds per turn as a 24-bit mantissa and an exponent byte.
std::array<std::uint16_t, 2> RpmWords(double rpm);

/// The bytes of the instrument file.
std::vector<std::uint8_t> FourChannelMeasurementFile(const FourChannelSpec& spec);

} // namespace orlu::fixture
