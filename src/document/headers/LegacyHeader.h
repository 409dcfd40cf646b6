#pragma once
// The decoded header of one legacy-family file: an ORLU 505 METER-mode file
// (kinds 3 and 10, and each file of a kind-23 Multifile). Such a file is no
// record chain but a run of blocks, each starting with its length in words:
//
//   [prefix word]  variants 1 to 3 only (0x4010, 0x4011, 0x4021)
//   header         H words; word 0 is H
//   channel blocks one per channel (variants 1 and 2, and probe files)
//   results        one block per channel (a single one in single-channel files)
//   histogram      when the flags say so
//   buffer         the buffer description, then the buffer levels
//
// docs/formats.md ("Legacy-family files") has the words of every block. A
// decode builds a fresh LegacyHeader, so nothing of another sub-file survives.
// Word positions kept here (…Start) are word indexes into the document's image.

#include "document/records/RecordLocators.h"

#include <array>
#include <cstdint>

namespace orlu {

/// The channels a legacy file can hold: four axes and the vector (or intensity) channel.
inline constexpr int kLegacyMaxChannels = 5;

/// Prefix variants: 0 no prefix word; 1, 2, 3 the prefix words 0x4010, 0x4011, 0x4021.
inline constexpr std::uint16_t kLegacyPrefixWords[] = {0x4010, 0x4011, 0x4021};

/// The setup of one channel. Multi-channel files read it from the channel's
/// block; single-channel files from header words 4 to 9 (channel 0).
struct LegacyChannelSetup {
    std::uint16_t blockLength = 0;   ///< L: words of the channel block, its length word included
    std::uint16_t inputKind = 0;     ///< word 1 as stored (0: the header's input kind; probe files: non-zero = microphone)
    std::uint16_t function = 0;      ///< legacy function code: 1 Ref, 2 SEL, 3 Leq, ... 8 Val, 9 Vel, 10 Dil1, 11 Dil3
    std::uint16_t range = 0;         ///< range code (1 to 4 on the instrument)
    std::int16_t filter = 0;         ///< weighting filter code (4 "C&A" and 11 "W-Bcv" are two-filter measurements)
    std::uint16_t timeStepCode = 0;  ///< "Time constant DELTA_INT" code, 0 to 10
    std::int16_t calibration = 0;    ///< 0.1 dB
    std::uint16_t flagsWord = 0;     ///< the channel's flags (detector bits 1, 4-5 and 6)
    std::int32_t furtherWord = -1;   ///< word 8 when L >= 9, else -1
    std::int32_t vectorCoefficient = -1; ///< word 9 (axis factor x 100) when L >= 10, else -1
    std::uint16_t countedInputKind = 0; ///< probe files: 2 microphone, 4 charge or 5 accelerometer, as counted
    std::uint16_t bufferWord = 0;    ///< what the channel logs: bits 0 to 7 (F < 33: 0x01 and 0x10 from the buffer bits)
    std::uint16_t bufferBitCount = 0; ///< set bits of bufferWord among bits 0 to 7
    bool operator==(const LegacyChannelSetup&) const = default;
};

/// The class layout of a histogram (levels in 0.1 dB).
struct LegacyHistogram {
    std::uint32_t start = 0;       ///< word of the histogram block's word 0; 0 for the defaults of a buffer
    std::uint16_t classOffset = 0; ///< words from the block's start to the first class count
    std::uint16_t classes = 0;
    std::int16_t lowest = 0;       ///< lowest class, 0.1 dB
    std::int16_t width = 0;        ///< class width, 0.1 dB
    std::uint32_t totalCount = 0;  ///< sum of the counts (1 when they sum to 0)
    bool operator==(const LegacyHistogram&) const = default;
};

struct LegacyHeader {
    // Where the file lies and what wraps it.
    std::uint32_t subfileStart = 0;  ///< the sub-file's first word (the prefix word when there is one)
    std::uint32_t headerStart = 0;   ///< word 0 of the header proper
    bool merged = false;             ///< a file of a kind-23 Multifile
    bool reducedFile = false;        ///< kind 10: header and channel blocks, then the buffer only
    /// The single-channel layout (variants 0 and 3 below the probe inputs): the setup in
    /// the header, one results block, a histogram of 4 + 2 x classes words, buffer
    /// records of one word. Otherwise channel blocks, a results block per channel, the
    /// multi-channel histogram and buffer records of resultsPerRecord words.
    bool singleChannel = true;

    // Header.
    std::uint8_t prefixVariant = 0;  ///< 0 none, 1 to 3 (kLegacyPrefixWords)
    std::uint16_t prefixWord = 0;
    std::uint16_t headerLength = 0;  ///< H, words
    std::uint16_t time = 0;          ///< time of day in 2-second units
    std::uint16_t date = 0;          ///< packed (year - 2000) x 512 + month x 32 + day
    std::uint16_t inputKind = 0;     ///< InputKind; 6 and 8 are the sound-intensity probes
    std::uint16_t inputKindAsRead = 0;
    std::uint16_t probeModel = 0;    ///< the kept copy of the input kind: probe files 6 (channel mode 1) or 8
    std::uint16_t channelCount = 1;
    std::uint16_t channelMode = 0;   ///< probe files: 1 the OR06A probe, 2 the OR08A probe (0 is read as 1)
    bool flagsWordPresent = false;
    std::uint16_t flagsWord = 0;     ///< the header's flags word (variants 1 and 2, probe files with H >= 7)
    /// The flags word the histogram and time-history flags come from: the header's in
    /// multi-channel files, channel 0's (header word 9) in single-channel files.
    std::uint16_t legacyFlagsWord = 0;
    bool vector = false;             ///< probe files: channel 4 is the vector sum of the axes
    bool vectorMicrophone = false;   ///< probe files: channel 4 is a microphone (the sound-intensity form)
    std::uint16_t fifthChannelInputKind = 0; ///< the kind the vector channel takes

    std::array<LegacyChannelSetup, kLegacyMaxChannels> channels{};
    std::uint16_t profileMask = 0;   ///< bit i: channel i is present
    bool hasMicrophone = false;
    bool hasVibration = false;

    std::int16_t accelerationReference = 0; ///< reference levels, 0.1 dB (variants 2 and 3)
    std::int16_t velocityReference = 0;
    std::int16_t displacementReference = 0;
    std::array<std::uint16_t, 2> extraWords{}; ///< variant 3: header words 7 and 8

    // Single-channel detector bits (channel 0's flags word).
    bool detectorBit1 = false;
    bool detectorBit6 = false;
    std::uint16_t rmsDetectorType = 1; ///< 1 + bits 4-5
    bool dualFilter = false;         ///< single-channel filter 4 ("C&A") or 11 ("W-Bcv")

    // Results.
    std::uint32_t resultsStart = 0;  ///< word 0 of the first results block; 0 in kind-10 files
    std::uint16_t resultsLength = 0; ///< R: words of a results block

    // Histogram and statistics.
    bool histogramFlag = false;
    bool statisticsFlag = false;
    bool timeHistory = false;
    LegacyHistogram histogram;
    StatisticalLevels statistics;    ///< count 10 when statisticsFlag, else 0
    std::uint16_t statisticsMask = 0;
    std::uint16_t statisticsMaskCopy = 0;
    std::uint16_t bufferStatisticsMask = 0;

    // Time history (buffer description at bufferStart; levels from bufferDataStart).
    std::uint32_t bufferStart = 0;
    std::uint32_t bufferDataStart = 0;
    std::uint16_t formatVersion = 0; ///< F, also the description's length; below 33 the old layout
    std::uint32_t declaredCount = 0; ///< records the description declares
    std::uint16_t resultsPerRecord = 0; ///< words of one buffer record (multi-channel files)
    std::uint16_t bufferBits = 0;    ///< F < 33: two bits per channel
    std::uint16_t bufferResultCount = 1;
    std::array<std::uint16_t, 3> timeStepWords{}; ///< c, d, b
    std::uint32_t shownRecordCount = 0; ///< records the document shows (its RecordIndex entries)
    bool histogramsAvailable = false;
    bool statisticsShown = false;

    // Time steps in seconds with their decimals.
    double codeTimeStep = 0.0;       ///< of channel 0's time-step code
    std::uint16_t codeTimeStepDecimals = 0;
    bool codeTimeStepKnown = false;  ///< false for codes above 10
    double timeStep = 0.0;           ///< of the buffer's words c, d, b with a time history, else the code's
    std::uint16_t timeStepDecimals = 0;

    /// Channel c's setup (channel 0 for numbers outside the table).
    const LegacyChannelSetup& Channel(int c) const
    {
        return channels[static_cast<std::size_t>(c >= 0 && c < kLegacyMaxChannels ? c : 0)];
    }
    /// What the legacy block walks need: the layout the file was decoded in (a file
    /// reduced since keeps the blocks it was read with until it is stored).
    LegacyLayout Layout() const
    {
        return LegacyLayout{.channelMode = channelMode,
                            .channelCount = channelCount,
                            .fileKind = static_cast<std::uint8_t>(reducedFile ? 10 : 3),
                            .histogram = histogramFlag,
                            .prefixVariant = prefixVariant,
                            .singleChannel = singleChannel};
    }

    bool operator==(const LegacyHeader&) const = default;
};

} // namespace orlu
