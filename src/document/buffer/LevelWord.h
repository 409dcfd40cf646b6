#pragma once
// The level words of buffers, loggers, histograms and impulse marks. Files of
// buffer format version 33 and later store a level as a signed word in
// 0.1 dB. Earlier files, and every current-family logger, store it in 0.05 dB
// with the record's overload flag in bit 0: the level is the word shifted
// right by one (arithmetic), in 0.1 dB.

#include <cstdint>

namespace orlu {

enum class LevelCoding {
    Tenths,             ///< w / 10 dB, no overload flag
    HalvedWithOverload, ///< (w >> 1) / 10 dB, bit 0 the overload flag
};

/// The coding of a document's buffer format version: halved up to version 32.
constexpr LevelCoding LevelCodingForVersion(std::uint16_t formatVersion)
{
    return formatVersion > 32 ? LevelCoding::Tenths : LevelCoding::HalvedWithOverload;
}

/// Current-family loggers are always halved.
inline constexpr LevelCoding kCurrentLoggerCoding = LevelCoding::HalvedWithOverload;

struct LevelWord {
    int tenths = 0;        ///< the level in 0.1 dB
    bool overload = false;
};

constexpr LevelWord DecodeLevelWord(std::int16_t w, LevelCoding coding)
{
    if (coding == LevelCoding::Tenths)
        return {w, false};
    return {w >> 1, (w & 1) != 0};
}

} // namespace orlu
