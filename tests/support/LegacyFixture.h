#pragma once
// Builds ORLU 505 METER-mode (legacy-family) files from the layout in
// docs/formats.md ("Legacy-family files"), word by word, never through the
// program's decoder or tables. A file is its blocks and the check word that
// makes all its words sum to 0.

#include "support/FixtureBuilder.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orlu::fixture {

/// The setup of one channel: a channel block of a multi-channel file, or header
/// words 4 to 9 of a single-channel file.
struct LegacyChannelSpec {
    std::uint16_t input = 2;        ///< channel block word 1 (multi-channel); 0 = the header's kind
    std::uint16_t function = 3;     ///< 3 Leq; 8 Val, 9 Vel
    std::uint16_t range = 2;
    std::int16_t filter = 2;        ///< 2 "A"; 4 "C&A", 24 "Wd", 23 "Wk"
    std::uint16_t timeStepCode = 3; ///< 3 Slow (1 s)
    std::int16_t calibration = -20;
    std::uint16_t flags = 0x10;     ///< detector bits; the histogram and buffer bits are added by the file
    std::int16_t vectorCoefficient = -1; ///< -1: a 9-word channel block without it
};

struct LegacyFileSpec {
    enum class Layout {
        Single,   ///< variant 0 (or 3 with prefix 0x4021): the setup in the header
        Prefixed, ///< variants 1 (0x4010) and 2 (0x4011): channel blocks
        Probe,    ///< input kind 6 or 8 without prefix: channel blocks and a channel mode
    };
    Layout layout = Layout::Single;
    std::uint16_t prefixWord = 0;   ///< 0, 0x4010, 0x4011 or 0x4021
    std::uint16_t time = 14 * 1800 + 30 * 30 + 10; ///< 14:30'20 in 2-second units
    std::uint16_t date = 24 * 512 + 5 * 32 + 14;   ///< 2024-05-14
    std::uint16_t inputKind = 2;
    std::uint16_t channelMode = 1;  ///< probe files
    std::uint16_t probeFlags = 0;   ///< probe header flags: bit 0 vector, bit 1 vector microphone
    bool vdv = false;               ///< multi-channel header flags bit 4: the VDV column
    std::array<std::int16_t, 3> references{1200, 1000, 800}; ///< variants 2 and 3, 0.1 dB
    std::vector<LegacyChannelSpec> channels = std::vector<LegacyChannelSpec>(1);

    bool reduced = false;           ///< kind 10: no results blocks and no histogram
    bool statistics = true;         ///< results blocks long enough for the ten statistical levels
    std::uint16_t histogramClasses = 0; ///< 0: no histogram
    /// The counts of every channel's histogram in place of the generated ones (one per
    /// class; missing classes count 0), with its lowest class and width in 0.1 dB.
    std::vector<std::uint32_t> histogramCounts;
    std::int16_t histogramLowest = 300;
    std::int16_t histogramWidth = 10;
    std::uint32_t bufferRecords = 0;    ///< 0: no buffer
    std::optional<std::uint32_t> declaredRecords; ///< the count written; bufferRecords when not given
    std::uint16_t formatVersion = 21;   ///< 21 the old description (levels in 0.05 dB), 40 the new one
    std::array<std::uint16_t, 3> stepWords{0, 2, 0}; ///< c, d, b: 2 s
    /// Buffer levels in 0.1 dB repeated over the records and channels, in place of
    /// LegacyBufferWord; the old description doubles them, bit 0 the overload flag.
    std::vector<std::int16_t> bufferLevels;
    std::vector<bool> bufferOverloads; ///< per level; missing entries are clear
    /// The new description's buffer word of every channel of a multi-channel file: its bits
    /// 0 to 7 are the results each record holds per channel (0x10 RMS, 0x80 VDV, ...).
    std::uint16_t bufferWord = 0x10;
};

/// The instrument file of a spec, check word included.
std::vector<std::uint8_t> LegacyMeasurementFile(const LegacyFileSpec& spec);

/// A container of `kind` (3 or 10) holding the file; kind 10 adds the RecordIndex
/// trailer 1 to the records (data length set, as the trailer needs).
FixtureBuilder LegacyContainer(std::uint8_t kind, const LegacyFileSpec& spec);
/// A DOS *.M file (version 4, sub-kind `subKind`, 6 skipped bytes) holding the file.
FixtureBuilder LegacyDosFile(const LegacyFileSpec& spec, std::uint8_t subKind = 0);

/// Plausible files: a one-channel sound measurement (Leq 81.5 dB) with a histogram
/// of 60 classes from 30 dB and the statistical levels.
LegacyFileSpec PlausibleLegacySpec();
/// The same measurement with a buffer of `records` levels at the step (c, d, b).
LegacyFileSpec LegacyHistorySpec(std::uint32_t records, std::array<std::uint16_t, 3> stepWords = {0, 2, 0});
/// A variant-1 (0x4010) or variant-2 (0x4011) file of a microphone and an accelerometer channel.
LegacyFileSpec LegacyTwoChannelSpec(std::uint16_t prefixWord);
/// A five-channel probe file: four axes and the vector sum (vector) or the
/// sound-intensity form (OR08A, channel mode 2).
LegacyFileSpec LegacyProbeSpec(bool vector);

/// The level word of buffer record r, channel c: levels between 40 and 100 dB in
/// 0.1 dB (the old description doubles them, bit 0 the overload mark, set every 97th).
std::uint16_t LegacyBufferWord(std::uint32_t r, int c, bool oldFormat);

/// The files of a legacy Multifile (kind 23): FILE1 ... FILEn repeating every
/// three: histogram and statistics, a buffer of 500 records at 0.125 s, results only.
std::vector<MultifileMember> LegacyMultifileMembers(int count);

} // namespace orlu::fixture
