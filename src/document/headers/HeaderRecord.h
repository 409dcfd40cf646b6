#pragma once
// Reading the header records of current-family files: one record with checked
// word access, the records that follow each other from a sub-file's start,
// and the small conversions and reverberation steps both header decoders share.

#include "document/records/RecordLocators.h"

#include <cstdint>
#include <string>

namespace orlu {

struct CurrentHeader;

/// One record with checked word access: words past the record's length read
/// as 0, so that a short record never lends its words to the record after it.
struct Rec {
    const ImageReader* image = nullptr;
    std::uint32_t start = 0;
    std::uint32_t length = 0;

    explicit operator bool() const { return start != 0; }
    std::uint16_t W(std::uint32_t i) const { return i < length ? image->Word(start + i) : std::uint16_t{0}; }
    std::int16_t S(std::uint32_t i) const { return static_cast<std::int16_t>(W(i)); }
    std::uint32_t U32(std::uint32_t i) const { return W(i) | (static_cast<std::uint32_t>(W(i + 1)) << 16); }
    std::uint16_t High() const { return static_cast<std::uint16_t>(W(0) >> 8); }
    std::uint32_t End() const { return start + length; }
};

/// The record at `start` by the chain's rule; throws RecordChainError when it does not fit before `end`.
Rec RecordAt(const ImageReader& image, std::uint32_t start, std::uint32_t end);

/// A record a locator found (0: none); cut at the end of the image.
Rec Located(const ImageReader& image, std::uint32_t position);

/// Characters of words from..to - 1, low byte first.
std::string WordText(const Rec& r, std::uint32_t from, std::uint32_t to);

/// The text without trailing blanks and NULs.
std::string TrimTrailing(std::string text);

/// The unit of a time step: 2 hours above 3599 s, 1 minutes above 59 s, else 0 seconds.
std::uint16_t TimeUnitOf(std::uint32_t seconds);

/// 0 for a threshold of 0; else the position (1 to 4) of threshold / divisor
/// among 75, 80, 85 and 90 dB, 5 when it is none of them.
std::uint16_t ThresholdIndex(std::uint16_t threshold, std::uint16_t divisor);

/// Records 1 to 4, which follow each other from the sub-file's start: the
/// title of record 3 and the date, time and function of record 4 go into the
/// header, record 4 is returned for the family's further words. Throws
/// RecordChainError when one does not fit.
Rec ReadMeasurementStart(const ImageReader& image, SubfileSpan sub, CurrentHeader& h);

/// The reverberation settings record: its words, the method and the spectrum.
void ReadRt60Settings(const Rec& settings, CurrentHeader& h);

/// The band layout of a reverberation measurement from its results record
/// (none found: the whole band count of the spectrum). `skip` words stand
/// before the band words: 1 for the channel number of a four-channel record.
void ReadRt60Bands(const Rec& results, std::uint32_t skip, CurrentHeader& h);

} // namespace orlu
