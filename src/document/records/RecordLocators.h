#pragma once
// The record locators: every reader finds the record it needs by walking the
// chain from the start of its sub-file. The locators differ only in the types
// they want, the types at which they give up, where they read a record's
// length and how far they walk; each is one row of a LocatorSpec table over
// one walk. A locator answers a word index (0: not found; no wanted record can
// start at word 0, which holds the file header) or a truth value. A broken
// chain (zero length, record past the image) is "not found", never a read
// outside the image.

#include "document/records/RecordChain.h"

#include <array>
#include <cstdint>
#include <optional>

namespace orlu {

/// The words of one sub-file: its first word and the word after its end.
struct SubfileSpan {
    std::uint32_t start = 0;
    std::uint32_t end = 0;
};

/// The document fields the locators branch on.
struct ChainFlags {
    bool fourChannel = false;     ///< an ORLU 545 or 590 file
    bool timeHistory = false;     ///< buffer or logger data follow the header records
    std::uint16_t firmware = 0;   ///< version x 100
    bool waveformRecord = false;  ///< four-channel: the buffer is the recording after record 43
};

/// One locator: what it wants, where it stops, how it reads lengths and how far it walks.
struct LocatorSpec {
    RecordTypeSet wanted{};
    RecordTypeSet stops{};                  ///< types that end the walk with "not found"
    LengthRule length = kHighByteOrWord1;
    std::uint32_t maxRecords = 0;           ///< 0: no count bound
    bool wantedNeedsHighByteLength = false; ///< a wanted type with a word-1 length is passed over
    bool stopsAtBufferData = false;         ///< records 24 and 43 mark where the buffer data begin
};

/// The generic walk: the first wanted record from start before end, or 0.
std::uint32_t LocateRecord(const ImageReader& image, std::uint32_t start, std::uint32_t end, const LocatorSpec& spec);

/// First record of `type` from word `start` to the end of the image (not of
/// the sub-file); stops at the end type and where records 24 and 43 say the
/// buffer data begin. Serves both "find in sub-file" and "find from word".
/// Four-channel files read a record 23's length from word 1; other files by
/// the chain's rule (their statistics definition 23 holds it in the high byte).
std::uint32_t FindRecord(const ImageReader& image, std::uint32_t start, std::uint8_t type, const ChainFlags& flags);
/// The next record of `type` after the record at `position`.
std::uint32_t FindNextRecord(const ImageReader& image, std::uint32_t position, std::uint8_t type,
                             const ChainFlags& flags);
/// A record of the header part: other files stop at the buffer header 15.
std::uint32_t FindRecordInHeader(const ImageReader& image, SubfileSpan sub, const ChainFlags& flags, std::uint8_t type);
/// The main-results record (7; four-channel 13).
std::uint32_t FindResultsRecord(const ImageReader& image, SubfileSpan sub, const ChainFlags& flags);
/// Whether the header holds a buffer header 15.
bool HasRecord15(const ImageReader& image, SubfileSpan sub);
/// Whether the file holds a logger 24 (or, from firmware 2.20, a recording 43).
bool HasBufferRecord(const ImageReader& image, SubfileSpan sub, const ChainFlags& flags);
/// The statistics mask when the statistics definition exists: 7 in other
/// files, the low byte of word 1 of record 25 in four-channel files.
std::optional<std::uint16_t> FindStatisticsDef(const ImageReader& image, SubfileSpan sub, const ChainFlags& flags);
/// The histogram definition (9; four-channel 18); 0 for files with a time history.
std::uint32_t FindRecord9(const ImageReader& image, SubfileSpan sub, const ChainFlags& flags);
/// The second histogram definition (19; four-channel 21); 0 for files with a time history.
std::uint32_t FindRecord19(const ImageReader& image, SubfileSpan sub, const ChainFlags& flags);
/// The 1/1-octave setup (14; four-channel 9).
std::uint32_t FindRecord14(const ImageReader& image, SubfileSpan sub, const ChainFlags& flags);
/// The 1/3-octave setup (16; four-channel 9).
std::uint32_t FindRecord16(const ImageReader& image, SubfileSpan sub, const ChainFlags& flags);
/// The user-filter definitions 24.
std::uint32_t FindRecord24(const ImageReader& image, SubfileSpan sub);
/// The FFT setup (17 or 21; four-channel 11).
std::uint32_t FindRecord17or21(const ImageReader& image, SubfileSpan sub, const ChainFlags& flags);
/// The tonality FFT setup 22.
std::uint32_t FindRecord22(const ImageReader& image, SubfileSpan sub);
/// The spectrum record of `type` (15, 16 or 17) of a channel of a four-channel
/// file: the k-th such record belongs to the k-th channel of `channelMask`
/// (bits 0 to channelCount - 1).
std::uint32_t FindChannelRecord(const ImageReader& image, SubfileSpan sub, std::uint8_t type, int channel,
                                std::uint16_t channelMask, int channelCount);
/// The record that holds the time history: other files the buffer header 15;
/// four-channel files the recording 43 when the document has one, else the logger 24.
std::uint32_t FindBufferRecord(const ImageReader& image, SubfileSpan sub, const ChainFlags& flags);
/// The first word of the buffer data; 0 when there is none.
std::uint32_t FindBufferData(const ImageReader& image, SubfileSpan sub, const ChainFlags& flags);

/// Other files: the chain ends with 0xFFFF on the sub-file's last word, or reaches a buffer header 15.
bool IsComplete(const ImageReader& image, SubfileSpan sub);
/// Four-channel files: the chain ends on the sub-file's last word, or after
/// the buffer data, or in a header of firmware below 2.20, or in a recording
/// that was never closed.
bool HasValidEnd(const ImageReader& image, SubfileSpan sub, const ChainFlags& flags);

/// Where the data of the FFT setup begin: two words after its end; 0 when it is missing.
std::uint32_t GetRecord17Data(const ImageReader& image, SubfileSpan sub, const ChainFlags& flags);
/// The same for the tonality FFT setup 22.
std::uint32_t GetRecord22Data(const ImageReader& image, SubfileSpan sub);
/// The word where the spectrum part of buffer row `row` (from 1) begins; 0 without buffer data.
std::uint32_t GetBufferRowAddress(const ImageReader& image, SubfileSpan wholeFile, const ChainFlags& flags,
                                  std::uint32_t resultsPerRecord, std::uint32_t rowLength, std::uint32_t row);

/// 505-family files: the first spectrum word (sub-file start + its first word + bands).
std::uint32_t GetSpectrumDataStart(const ImageReader& image, std::uint32_t subfileStart, std::uint32_t bandCount);
/// 505-family files: the first word of spectrum row `row` (from 1).
std::uint32_t GetSpectrumRowAddress(std::uint32_t subfileStart, std::uint32_t headerLength, std::uint32_t rowGap,
                                    std::uint32_t bandCount, std::uint32_t row);

/// What the legacy (METER-mode) walks need of the document.
struct LegacyLayout {
    std::uint16_t channelMode = 0;
    std::uint16_t channelCount = 1;
    std::uint8_t fileKind = 3;       ///< kind 10 files have one round of channel blocks
    bool histogram = false;
    std::uint16_t prefixVariant = 0;
    /// A single-channel file after any prefix word: the header, one results block and a
    /// histogram of 4 + 2 x classes words (classes in its word 1).
    bool singleChannel = false;
};
/// Legacy files: the word after the header blocks. Throws ImageRangeError
/// (or RecordChainError) when the blocks run past the image.
std::uint32_t SkipHeaderBlocks(const ImageReader& image, std::uint32_t subfileStart, const LegacyLayout& layout);
/// Legacy files: the word after the data blocks that precede the time history.
std::uint32_t GetDataBlockEnd(const ImageReader& image, std::uint32_t subfileStart, const LegacyLayout& layout);

/// The statistical levels of one column (profile, or channel in four-channel files).
struct StatisticalLevels {
    int count = 0;                            ///< always 10 after reading
    std::array<std::uint8_t, 10> percentages{};
    std::array<double, 10> levels{};          ///< dB
    bool operator==(const StatisticalLevels&) const = default;
};
/// Reads the levels of column `column`; nothing when there are none or the record is damaged.
std::optional<StatisticalLevels> ReadStatisticalLevels(const ImageReader& image, SubfileSpan sub,
                                                       const ChainFlags& flags, int column,
                                                       std::uint16_t statisticsMask);

} // namespace orlu
