#pragma once
// The result-row decoders of the current family. Results records are
// consecutive records of equal length L (the high byte of word 0): the row of
// channel (profile) a is record a; the measurement time T (u32 seconds) is
// words 1 and 2 of the first record, the overload time words 1 and 2 of the
// second. Level words are signed 0.1 dB (0.01 dB in four-channel files from
// firmware 2.16 without a time history, with their divisors). A level w reads
// w / levelDivisor dB, or 10^(w / linearDivisor - e) linear; the decoders then
// multiply the level slots by the display multiplier m from FormatLevel.

#include "document/headers/DeviceModels.h"
#include "document/image/PagedFileImage.h"
#include "document/results/ResultValues.h"

#include <cstdint>

namespace orlu {

/// What the decoders read of the document and the selected channel.
struct ResultContext {
    const PagedFileImage* pages = nullptr;
    std::uint32_t byteCount = 0;
    std::uint32_t firstRecord = 0; ///< word of the first results record
    ModelFlags model;
    bool orlu505File = false;
    std::uint16_t firmware = 0;
    double levelDivisor = 10.0;
    double linearDivisor = 200.0;
    std::uint16_t criterionLevel = 0; ///< 0.1 dB
    std::uint16_t exchangeRate = 0;   ///< dB
    std::uint16_t exposureMinutes = 0;
    std::uint16_t flagsWord = 0;
    std::uint16_t function = 0;       ///< DeviceFunction of the channel
    std::uint16_t inputKind = 0;
    std::int16_t sensitivityOffset = 0; ///< 0.1 dB
    bool nonMetric = false;
    // Legacy files (the ORLU 505's METER files).
    bool dualFilter = false;            ///< a second level in place of the crest factor ("C&A", "W-Bcv")
    std::uint8_t legacyPrefixVariant = 0; ///< 0 without prefix word, 1 to 3 with it (Ltm3 and Ltm5 stored)

    ImageReader Reader() const { return ImageReader(*pages, byteCount); }
};

/// 100 x log10(n), truncated toward zero.
int Log10x100(double n);

/// Whether the channel's results are those of a vibration input (Family530,
/// Family535 or four-channel files with another input than a microphone).
bool IsVibrationChannel(const ResultContext& ctx);
/// Whether DecodeResultRow reads the channel with the older sound-level-meter decoder.
bool UsesOlderSlmDecoder(const ResultContext& ctx);
/// The measurement time T: words 1 and 2 of the first results record.
std::uint32_t MeasurementTimeOf(const ResultContext& ctx);

/// The largest of the four level words of index set `indexSet` (0 to 7) of row `row`.
double GetMaxLevel(const ResultContext& ctx, std::uint32_t row, int indexSet, bool linear, int offset, int e);

/// A legacy result row, the row at ctx.firstRecord as for GetMaxLevel's index
/// set 0 (see FindLegacyResultRow). Word 0 is the row's length; a word the
/// row does not hold gives an absent value. Fills result, peak, min, max,
/// second (the second filter's level, or the crest factor as a ratio), spl,
/// sel and lex8 (microphones), ltm3 and ltm5 (prefixed files, microphone or
/// direct input) and vdv.
void DecodeLegacyResults(const ResultContext& ctx, ResultValues& out, bool linear, int e, double m);
/// ORLU 515 below firmware 2.00.
void DecodeSlmResults(const ResultContext& ctx, std::uint32_t row, ResultValues& out, bool linear, int e, double m);
/// Sound channels of the 515 (from 2.00), 525 and 530 groups.
void DecodeSlmDoseResults(const ResultContext& ctx, std::uint32_t row, ResultValues& out, bool linear, int e,
                          double m);
/// Sound channels and profiles of the 535 group and four-channel files.
void DecodeProfileResults(const ResultContext& ctx, int channel, int profile, ResultValues& out, bool linear, int e,
                          double m);
/// Vibration channels.
void DecodeVibrationResults(const ResultContext& ctx, int channel, int profile, ResultValues& out, bool linear,
                            int e, double m);

/// The decoder a report uses for the channel: by model group and input.
void DecodeResultRow(const ResultContext& ctx, int channel, int profile, ResultValues& out, bool linear, int e,
                     double m);

} // namespace orlu
