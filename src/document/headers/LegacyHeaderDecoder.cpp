#include "document/headers/LegacyHeaderDecoder.h"

#include "document/headers/CurrentHeader.h"
#include "platform/ValueFormat.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <string>

namespace orlu {
namespace {

constexpr std::uint16_t kPrefixBit = 0x4000;
constexpr std::uint8_t kKindReduced = 10;
constexpr std::uint16_t kFirstProbeInput = 6;
constexpr std::uint16_t kNewBufferVersion = 33;

constexpr std::uint16_t kFlagHistogram = 0x4;
constexpr std::uint16_t kFlagBuffer = 0x8;
constexpr std::uint16_t kFlagVector = 0x1;
constexpr std::uint16_t kFlagVectorMicrophone = 0x2;
/// Buffer-word bits of the new layout that make a channel count as logged.
constexpr std::uint16_t kLoggedResultBits = 0x95;

// Statistics: entry i is a percentage (low byte) at word first + 2i and a level
// (signed, 0.1 dB) at word first + 2i + 1 of the results block.
constexpr int kStatisticsEntries = 10;
constexpr std::uint16_t kMultiStatisticsFirst = 15;
constexpr std::uint16_t kSingleStatisticsFirst = 12;

/// One length-prefixed block: a word at or past its length is not read and gives 0,
/// a word inside it but past the image throws ImageRangeError.
class Block {
public:
    Block(const ImageReader& image, std::uint64_t start, std::uint64_t length)
        : m_Image(image), m_Start(start), m_Length(length)
    {
    }
    bool Has(std::uint64_t i) const { return i < m_Length; }
    std::uint16_t Word(std::uint64_t i) const
    {
        if (!Has(i))
            return 0;
        const std::uint64_t at = m_Start + i;
        if (!m_Image.HasWords(at, 1))
            throw ImageRangeError("legacy block word " + std::to_string(at) + " lies past the end of the file");
        return m_Image.Word(static_cast<std::uint32_t>(at));
    }
    std::int16_t Signed(std::uint64_t i) const { return static_cast<std::int16_t>(Word(i)); }
    std::uint32_t U32(std::uint64_t i) const { return Word(i) | (std::uint32_t{Word(i + 1)} << 16); }
    std::uint64_t Start() const { return m_Start; }
    std::uint64_t Length() const { return m_Length; }

private:
    const ImageReader& m_Image;
    std::uint64_t m_Start;
    std::uint64_t m_Length;
};

/// The word at `at`, checked.
std::uint16_t WordAt(const ImageReader& image, std::uint64_t at)
{
    if (!image.HasWords(at, 1))
        throw ImageRangeError("legacy word " + std::to_string(at) + " lies past the end of the file");
    return image.Word(static_cast<std::uint32_t>(at));
}

/// A block whose first word is its length.
Block BlockAt(const ImageReader& image, std::uint64_t start)
{
    return Block(image, start, WordAt(image, start));
}

/// The sum of `classes` 32-bit counts from `first`, 1 when they sum to 0 (a total divides).
std::uint32_t SumCounts(const Block& block, std::uint64_t first, std::uint16_t classes)
{
    std::uint32_t total = 0;
    for (std::uint16_t k = 0; k < classes; ++k)
        total += block.U32(first + 2u * k);
    return total == 0 ? 1 : total;
}

void ReadStatistics(const Block& results, std::uint16_t first, StatisticalLevels& out)
{
    out.count = kStatisticsEntries;
    for (int i = 0; i < kStatisticsEntries; ++i) {
        out.percentages[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(results.Word(first + 2u * i) & 0xFF);
        out.levels[static_cast<std::size_t>(i)] = results.Signed(first + 2u * i + 1) / 10.0;
    }
}

/// The channel blocks from `start`, one per channel; returns the word after the last.
std::uint64_t ReadChannelBlocks(const ImageReader& image, std::uint64_t start, LegacyHeader& h)
{
    std::uint64_t p = start;
    for (int c = 0; c < h.channelCount; ++c) {
        const Block b = BlockAt(image, p);
        LegacyChannelSetup& ch = h.channels[static_cast<std::size_t>(c)];
        ch.blockLength = b.Word(0);
        ch.inputKind = b.Word(1);
        ch.function = b.Word(2);
        ch.range = b.Word(3);
        ch.filter = b.Signed(4);
        ch.timeStepCode = b.Word(5);
        ch.calibration = b.Signed(6);
        ch.flagsWord = b.Word(7);
        ch.furtherWord = b.Has(8) ? b.Word(8) : -1;
        ch.vectorCoefficient = b.Has(9) ? b.Word(9) : -1;
        h.profileMask |= static_cast<std::uint16_t>(1u << c);
        p += ch.blockLength;
    }
    return p;
}

void NoteInputKind(std::uint16_t kind, LegacyHeader& h)
{
    if (kind == kInputMicrophone)
        h.hasMicrophone = true;
    if (kind == kInputCharge || kind == kInputAccelerometer)
        h.hasVibration = true;
}

/// The buffer description at h.bufferStart; `single` reads only the words of the single-channel layout.
void ReadBufferDescription(const ImageReader& image, bool single, LegacyHeader& h)
{
    const Block d = BlockAt(image, h.bufferStart);
    h.formatVersion = d.Word(0);
    h.bufferDataStart = static_cast<std::uint32_t>(std::min<std::uint64_t>(d.Start() + d.Length(), UINT32_MAX));
    if (single) {
        h.declaredCount = d.Word(5);
        h.timeStepWords = {d.Word(11), d.Word(12), d.Word(13)};
        // Word 0 names the description's layout for every file: a description of
        // version 33 or later has its count and time step where the multi-channel
        // files have them, and its step words at 11 to 13 hold nothing (a step of
        // 0 s). A description that left those words empty keeps the old reading.
        if (h.formatVersion >= kNewBufferVersion && (d.Word(17) | d.Word(18) | d.Word(19)) != 0) {
            h.declaredCount = d.U32(5);
            h.timeStepWords = {d.Word(17), d.Word(18), d.Word(19)};
        }
        return;
    }
    if (h.formatVersion >= kNewBufferVersion) {
        h.declaredCount = d.U32(5);
        h.timeStepWords = {d.Word(17), d.Word(18), d.Word(19)};
        h.resultsPerRecord = d.Word(21);
        for (int c = 0; c < h.channelCount; ++c) {
            LegacyChannelSetup& ch = h.channels[static_cast<std::size_t>(c)];
            ch.bufferWord = d.Word(22u + c);
            ch.bufferBitCount = static_cast<std::uint16_t>(std::popcount(static_cast<unsigned>(ch.bufferWord & 0xFF)));
        }
    } else {
        h.declaredCount = d.Word(5);
        h.timeStepWords = {d.Word(11), d.Word(12), d.Word(13)};
        h.resultsPerRecord = d.Word(15);
        h.bufferBits = d.Word(16);
        for (int c = 0; c < h.channelCount; ++c) {
            LegacyChannelSetup& ch = h.channels[static_cast<std::size_t>(c)];
            const bool first = (h.bufferBits >> (2 * c)) & 1, second = (h.bufferBits >> (2 * c + 1)) & 1;
            ch.bufferWord = static_cast<std::uint16_t>((first ? 0x01 : 0) | (second ? 0x10 : 0));
            ch.bufferBitCount = static_cast<std::uint16_t>(first + second);
        }
    }
    h.bufferResultCount = h.resultsPerRecord;
}

/// The buffer-result count and masks: one per channel that logs something.
void CountLoggedChannels(LegacyHeader& h)
{
    std::uint16_t count = 0, mask = 0;
    for (int c = 0; c < h.channelCount; ++c) {
        const LegacyChannelSetup& ch = h.channels[static_cast<std::size_t>(c)];
        const bool logs = h.formatVersion < kNewBufferVersion ? ((h.bufferBits >> (2 * c)) & 3) != 0
                                                              : (ch.bufferWord & kLoggedResultBits) != 0;
        if (logs) {
            ++count;
            mask |= static_cast<std::uint16_t>(1u << c);
        }
    }
    h.bufferResultCount = count == 0 ? 1 : count;
    h.bufferStatisticsMask = mask;
    h.statisticsMask = h.statisticsMaskCopy = mask;
}

/// Variants 1 and 2, and the probe files: channel blocks, a results block per channel.
void DecodeMultiChannel(const ImageReader& image, std::uint8_t fileKind, bool probe, LegacyHeader& h)
{
    h.singleChannel = false;
    const std::uint64_t afterChannels = ReadChannelBlocks(image, h.headerStart + h.headerLength, h);
    if (probe) {
        for (int c = 0; c < std::min<int>(h.channelCount, 4); ++c) {
            LegacyChannelSetup& ch = h.channels[static_cast<std::size_t>(c)];
            ch.countedInputKind = ch.inputKind == 0      ? kInputAccelerometer
                                  : h.channelMode == 2 ? kInputMicrophone
                                                       : kInputCharge;
            NoteInputKind(ch.countedInputKind, h);
            if (h.vector && ch.vectorCoefficient > 0)
                h.fifthChannelInputKind = ch.countedInputKind;
        }
        if (!h.vector && !h.vectorMicrophone)
            h.profileMask &= static_cast<std::uint16_t>(~(1u << 4));
    } else {
        for (int c = 0; c < h.channelCount; ++c) {
            const std::uint16_t stored = h.channels[static_cast<std::size_t>(c)].inputKind;
            NoteInputKind(stored != 0 ? stored : h.inputKind, h);
        }
    }
    h.legacyFlagsWord = h.flagsWord;
    if (fileKind == kKindReduced) {
        h.timeHistory = true;
    } else {
        h.resultsStart = static_cast<std::uint32_t>(afterChannels);
        const Block results = BlockAt(image, afterChannels);
        h.resultsLength = results.Word(0);
        h.histogramFlag = (h.flagsWord & kFlagHistogram) != 0;
        h.timeHistory = (h.flagsWord & kFlagBuffer) != 0;
        const bool levelInput = h.inputKind == kInputMicrophone || h.inputKind == kInputDirect;
        h.statisticsFlag = !probe && levelInput && h.resultsLength >= kMultiStatisticsFirst + 2 * kStatisticsEntries;
        if (h.histogramFlag) {
            const std::uint32_t p = SkipHeaderBlocks(image, h.subfileStart, h.Layout());
            // x words of layout, then y histograms of z classes; the first histogram's counts are totalled.
            const Block x = Block(image, p, 5);
            LegacyHistogram& hist = h.histogram;
            hist.start = p;
            hist.classOffset = x.Word(0);
            hist.classes = x.Word(2);
            hist.lowest = x.Signed(3);
            hist.width = x.Signed(4);
            const std::uint64_t blockWords = hist.classOffset + 2ull * x.Word(1) * hist.classes;
            const bool countsInside = x.Word(1) >= 1 && hist.classOffset >= 5;
            hist.totalCount = countsInside ? SumCounts(Block(image, p, blockWords), hist.classOffset, hist.classes) : 1;
            h.statisticsMask = h.statisticsMaskCopy = 1;
        }
        if (h.statisticsFlag) {
            ReadStatistics(results, kMultiStatisticsFirst, h.statistics);
            h.statisticsMask = 1;
        }
    }
    if (h.timeHistory) {
        h.bufferStart = GetDataBlockEnd(image, h.subfileStart, h.Layout());
        ReadBufferDescription(image, false, h);
    }
}

/// Variants 0 and 3 below the probe inputs: the setup in the header, one results block.
void DecodeSingleChannel(const ImageReader& image, std::uint8_t fileKind, LegacyHeader& h)
{
    const Block header(image, h.headerStart, h.headerLength);
    h.singleChannel = true;
    h.channelCount = 1;
    h.channelMode = 0;
    h.profileMask = 1;
    NoteInputKind(h.inputKind, h);
    h.flagsWordPresent = false;
    h.flagsWord = 0;
    h.vector = false;
    LegacyChannelSetup& ch = h.channels[0];
    ch.inputKind = h.inputKind;
    ch.function = header.Word(4);
    ch.range = header.Word(5);
    ch.filter = header.Signed(6);
    ch.timeStepCode = header.Word(7);
    ch.calibration = header.Signed(8);
    ch.flagsWord = header.Word(9);
    h.legacyFlagsWord = ch.flagsWord;
    h.detectorBit1 = (ch.flagsWord & 0x2) != 0;
    h.detectorBit6 = (ch.flagsWord & 0x40) != 0;
    h.rmsDetectorType = static_cast<std::uint16_t>(((ch.flagsWord >> 4) & 3) + 1);
    h.dualFilter = ch.filter == 4 || ch.filter == 11;

    if (fileKind == kKindReduced) {
        h.timeHistory = true;
    } else {
        const std::uint64_t resultsAt = std::uint64_t{h.headerStart} + h.headerLength;
        const Block results = BlockAt(image, resultsAt);
        h.resultsStart = static_cast<std::uint32_t>(resultsAt);
        h.resultsLength = results.Word(0);
        h.histogramFlag = (ch.flagsWord & kFlagHistogram) != 0;
        h.timeHistory = (ch.flagsWord & kFlagBuffer) != 0;
        const bool levelInput = h.inputKind == kInputMicrophone || h.inputKind == kInputDirect;
        // The ten pairs lie at words 12 to 31: a shorter block holds none.
        h.statisticsFlag = levelInput && h.resultsLength >= kSingleStatisticsFirst + 2 * kStatisticsEntries;
        if (h.histogramFlag) {
            const std::uint64_t p = resultsAt + h.resultsLength;
            const Block layout(image, p, 4);
            LegacyHistogram& hist = h.histogram;
            hist.start = static_cast<std::uint32_t>(std::min<std::uint64_t>(p, UINT32_MAX));
            hist.classOffset = 4;
            hist.classes = layout.Word(1);
            hist.lowest = layout.Signed(2);
            hist.width = layout.Signed(3);
            hist.totalCount = SumCounts(Block(image, p, 4 + 2ull * hist.classes), 4, hist.classes);
        }
        if (h.statisticsFlag)
            ReadStatistics(results, kSingleStatisticsFirst, h.statistics);
    }
    if (h.timeHistory) {
        h.bufferStart = GetDataBlockEnd(image, h.subfileStart, h.Layout());
        ReadBufferDescription(image, true, h);
    }
}

} // namespace

std::optional<LegacyTimeStep> TimeStepOfCode(std::uint16_t code)
{
    static constexpr LegacyTimeStep kSteps[] = {{0.0, 0},  {0.03125, 5}, {0.125, 3}, {1.0, 0},
                                                {0.01, 2}, {0.02, 2},    {0.05, 2},  {0.1, 1},
                                                {0.2, 1},  {0.5, 1},     {1.0, 0}};
    if (code >= std::size(kSteps))
        return std::nullopt;
    return kSteps[code];
}

int CountDecimalsOfG(double x)
{
    const std::string text = StrPrintf("%g", x);
    const std::size_t point = text.find('.');
    if (point == std::string::npos)
        return 0;
    const std::size_t end = text.find_first_of("eE", point);
    const std::size_t digits = (end == std::string::npos ? text.size() : end) - point - 1;
    return static_cast<int>(std::min<std::size_t>(digits, 6));
}

LegacyTimeStep TimeStepOfWords(std::uint16_t c, std::uint16_t d, std::uint16_t b)
{
    if (d != 0 && c == 0)
        return {static_cast<double>(d), 0};
    if (d == 0 && c != 0) {
        const double seconds = c / 65536.0;
        return {seconds, static_cast<std::uint16_t>(CountDecimalsOfG(seconds))};
    }
    if (d != 0) {
        const double seconds = static_cast<double>(d) / c;
        return {seconds, static_cast<std::uint16_t>(seconds > 0.999 ? 0 : seconds >= 0.0999 ? 1 : 2)};
    }
    // Milliseconds: as many decimals as show them exactly (0.125 s, not 0.1 s).
    const double seconds = b / 1000.0;
    return {seconds, static_cast<std::uint16_t>(CountDecimalsOfG(seconds))};
}

LegacyDecodeStatus DecodeLegacyHeaderWords(const ImageReader& image, std::uint32_t subfileStart,
                                           std::uint8_t fileKind, LegacyHeader& out)
{
    LegacyHeader h;
    h.subfileStart = subfileStart;
    h.headerStart = subfileStart;
    h.reducedFile = fileKind == kKindReduced;
    const std::uint16_t first = WordAt(image, subfileStart);
    if (first & kPrefixBit) {
        const auto* known = std::find(std::begin(kLegacyPrefixWords), std::end(kLegacyPrefixWords), first);
        if (known == std::end(kLegacyPrefixWords)) {
            out = h;
            out.prefixWord = first;
            return LegacyDecodeStatus::UnknownPrefix;
        }
        h.prefixWord = first;
        h.prefixVariant = static_cast<std::uint8_t>(known - std::begin(kLegacyPrefixWords) + 1);
        h.headerStart = subfileStart + 1;
    }
    const Block header = BlockAt(image, h.headerStart);
    h.headerLength = header.Word(0);
    h.time = header.Word(1);
    h.date = header.Word(2);
    h.inputKind = h.inputKindAsRead = h.probeModel = header.Word(3);
    if (h.prefixVariant == 3)
        h.extraWords = {header.Word(7), header.Word(8)};
    if (h.prefixVariant == 2 || h.prefixVariant == 3) {
        const std::uint64_t r = h.prefixVariant == 2 ? 9 : 11;
        h.accelerationReference = header.Signed(r);
        h.velocityReference = header.Signed(r + 1);
        h.displacementReference = header.Signed(r + 2);
    }

    const bool prefixedMulti = h.prefixVariant == 1 || h.prefixVariant == 2;
    const bool probe = !prefixedMulti && h.inputKind >= kFirstProbeInput;
    if (prefixedMulti || probe) {
        h.channelCount = header.Word(4);
        if (h.channelCount == 0 || h.channelCount > kLegacyMaxChannels)
            return LegacyDecodeStatus::BadChannels;
        if (prefixedMulti) {
            h.channelMode = 0;
            h.flagsWordPresent = true;
            h.flagsWord = header.Word(6);
        } else {
            h.channelMode = std::max<std::uint16_t>(header.Word(5), 1);
            h.probeModel = h.channelMode == 1 ? 6 : 8;
            h.flagsWordPresent = h.headerLength >= 7;
            h.flagsWord = h.flagsWordPresent ? header.Word(6) : 0;
            h.vectorMicrophone = (h.flagsWord & kFlagVectorMicrophone) != 0;
            h.vector = (h.flagsWord & kFlagVector) != 0 && !h.vectorMicrophone;
        }
        DecodeMultiChannel(image, fileKind, probe, h);
    } else {
        DecodeSingleChannel(image, fileKind, h);
    }

    if (const std::optional<LegacyTimeStep> step = TimeStepOfCode(h.channels[0].timeStepCode)) {
        h.codeTimeStep = step->seconds;
        h.codeTimeStepDecimals = step->decimals;
        h.codeTimeStepKnown = true;
    }
    h.timeStep = h.codeTimeStep;
    h.timeStepDecimals = h.codeTimeStepDecimals;
    if (h.timeHistory) {
        const LegacyTimeStep step = TimeStepOfWords(h.timeStepWords[0], h.timeStepWords[1], h.timeStepWords[2]);
        h.timeStep = step.seconds;
        h.timeStepDecimals = step.decimals;
        CountLoggedChannels(h);
    }
    h.histogramsAvailable = h.histogramFlag || (h.timeHistory && h.declaredCount != 0);
    h.statisticsShown = h.statisticsFlag;
    out = h;
    return LegacyDecodeStatus::Decoded;
}

} // namespace orlu
