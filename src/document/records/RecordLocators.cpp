#include "document/records/RecordLocators.h"

#include "document/records/RecordTypeCodes.h"

#include <algorithm>
#include <bit>
#include <string>

namespace orlu {
namespace {

// Length rules of the locators that always read certain types' lengths from word 1.
constexpr LengthRule kWord1For23{true, {23}};

// Record 23 is a data record with its length in word 1 in four-channel files;
// in other files it is the statistics definition, whose length is in the high
// byte and whose word 1 holds the level count in its high byte. Reading that
// word as a length would step far past the records behind it.
LengthRule Word1For23(const ChainFlags& flags)
{
    return flags.fourChannel ? kWord1For23 : kHighByteOrWord1;
}
constexpr LengthRule kWord1For11And20{true, {11, 20}};
constexpr LengthRule kWord1For11{true, {11}};
constexpr LengthRule kWord1For18{true, {18}};

// A locator that serves both families: row 0 other files, row 1 four-channel files.
struct FamilyLocator {
    LocatorSpec other;
    LocatorSpec fourChannel;
    const LocatorSpec& For(const ChainFlags& flags) const { return flags.fourChannel ? fourChannel : other; }
};

constexpr FamilyLocator kResultsLocator{
    {.wanted = {7}, .stops = {9, 17, 255}, .length = kHighByteOnly},
    {.wanted = {13}, .stops = {255}, .length = kHighByteOnly},
};
constexpr LocatorSpec kRecord15Locator{.wanted = {15}, .stops = {9, 11, 14, 16, 18, 27, 255}};
constexpr FamilyLocator kStatisticsLocator{
    {.wanted = {23}, .stops = {9, 14, 16, 17, 255}},
    {.wanted = {25}, .stops = {255}},
};
constexpr FamilyLocator kRecord9Locator{
    {.wanted = {9}, .stops = {0, 255}},
    {.wanted = {18}, .stops = {0, 255}},
};
constexpr LocatorSpec kRecord19Locator{.wanted = {19}, .stops = {17, 255}, .length = kWord1For11};
constexpr FamilyLocator kRecord14Locator{
    {.wanted = {14}, .stops = {9, 15, 16, 17, 255}},
    {.wanted = {9}, .stops = {255}},
};
constexpr FamilyLocator kRecord16Locator{
    {.wanted = {16}, .stops = {9, 14, 15, 17, 255}, .length = kWord1For18, .maxRecords = 20},
    {.wanted = {9}, .stops = {255}, .maxRecords = 20},
};
constexpr LocatorSpec kRecord24Locator{.wanted = {24}, .stops = {9, 15, 255}, .length = kWord1For18, .maxRecords = 22};
constexpr LocatorSpec kRecord17or21Locator{.wanted = {17, 21}, .stops = {9, 14, 15, 16, 255}};
constexpr LocatorSpec kRecord22Locator{.wanted = {22}, .stops = {9, 14, 15, 16, 17, 255}};
constexpr LocatorSpec kBufferHeaderLocator{
    .wanted = {15}, .stops = {9, 14, 16, 18, 255}, .length = kHighByteOnly, .maxRecords = 16};
constexpr std::uint32_t kChannelRecordLimit = 100;

constexpr std::uint16_t kFirmwareWaveform = 220; // recordings 43 and the end check of record 26
constexpr std::uint16_t kFirmwareLevelBlocks = 217; // statistical levels in blocks per channel

bool SizeNeverClosed(std::uint32_t size)
{
    return size >= 0xFFFFFFFEu;
}

// Word after `r` by its high byte alone; 0 when the high byte gives no length.
std::uint32_t EndByHighByte(const ImageReader& image, std::uint32_t position)
{
    if (position == 0)
        return 0;
    std::uint32_t length = image.Word(position) >> 8;
    return length == 0 ? 0 : position + length;
}

} // namespace

std::uint32_t LocateRecord(const ImageReader& image, std::uint32_t start, std::uint32_t end, const LocatorSpec& spec)
{
    RecordChain chain(image, start, end, spec.length);
    std::uint32_t seen = 0;
    while (auto r = chain.Next()) {
        if (spec.maxRecords != 0 && seen++ == spec.maxRecords)
            return 0;
        std::uint8_t type = r->Type();
        if (spec.wanted.Has(type) && !(spec.wantedNeedsHighByteLength && r->lengthInWord1))
            return r->start;
        if (spec.stops.Has(type))
            return 0;
        if (spec.stopsAtBufferData && type == 24) {
            // Word 1 of a logger record is the byte offset of its data.
            if (!image.HasWords(std::uint64_t{r->start} + 1, 1))
                return 0;
            chain.StopAt(r->Word(1) / 2);
        } else if (spec.stopsAtBufferData && type == kRecordWaveform) {
            chain.StopAt(r->End()); // the samples follow the recording record
        }
    }
    return 0;
}

std::uint32_t FindRecord(const ImageReader& image, std::uint32_t start, std::uint8_t type, const ChainFlags& flags)
{
    LocatorSpec spec{.wanted = {type}, .stops = {255}, .length = Word1For23(flags), .stopsAtBufferData = true};
    return LocateRecord(image, start, image.WordCount(), spec);
}

std::uint32_t FindNextRecord(const ImageReader& image, std::uint32_t position, std::uint8_t type,
                             const ChainFlags& flags)
{
    if (!image.HasWords(position, 1))
        return 0;
    // The given record is skipped by its high byte; a high byte 0 (a length in
    // word 1) is skipped by word 1, so that a record is never found again.
    RecordView r = ReadRecordAt(image, position, kHighByteOrWord1);
    if (r.length == 0 || std::uint64_t{r.start} + r.length > image.WordCount())
        return 0;
    return FindRecord(image, r.End(), type, flags);
}

std::uint32_t FindRecordInHeader(const ImageReader& image, SubfileSpan sub, const ChainFlags& flags, std::uint8_t type)
{
    // Only the word 0xFFFF ends this walk (the chain itself stops there), and
    // in other files the buffer header 15, after which buffer data follow.
    LocatorSpec spec{.wanted = {type}, .length = kWord1For11And20};
    if (!flags.fourChannel)
        spec.stops = {15};
    return LocateRecord(image, sub.start, sub.end, spec);
}

std::uint32_t FindResultsRecord(const ImageReader& image, SubfileSpan sub, const ChainFlags& flags)
{
    return LocateRecord(image, sub.start, sub.end, kResultsLocator.For(flags));
}

bool HasRecord15(const ImageReader& image, SubfileSpan sub)
{
    return LocateRecord(image, sub.start, sub.end, kRecord15Locator) != 0;
}

bool HasBufferRecord(const ImageReader& image, SubfileSpan sub, const ChainFlags& flags)
{
    LocatorSpec spec{.wanted = {24}, .stops = {255}, .length = Word1For23(flags), .wantedNeedsHighByteLength = true};
    if (flags.firmware >= kFirmwareWaveform)
        spec.wanted = {24, kRecordWaveform};
    return LocateRecord(image, sub.start, sub.end, spec) != 0;
}

std::optional<std::uint16_t> FindStatisticsDef(const ImageReader& image, SubfileSpan sub, const ChainFlags& flags)
{
    std::uint32_t p = LocateRecord(image, sub.start, sub.end, kStatisticsLocator.For(flags));
    if (p == 0)
        return std::nullopt;
    if (!flags.fourChannel)
        return std::uint16_t{7};
    if (!image.HasWords(std::uint64_t{p} + 1, 1))
        return std::nullopt;
    return static_cast<std::uint16_t>(image.Word(p + 1) & 0xFF);
}

std::uint32_t FindRecord9(const ImageReader& image, SubfileSpan sub, const ChainFlags& flags)
{
    if (flags.timeHistory)
        return 0;
    return LocateRecord(image, sub.start, sub.end, kRecord9Locator.For(flags));
}

std::uint32_t FindRecord19(const ImageReader& image, SubfileSpan sub, const ChainFlags& flags)
{
    if (flags.timeHistory)
        return 0;
    if (flags.fourChannel)
        return FindRecordInHeader(image, sub, flags, 21);
    return LocateRecord(image, sub.start, sub.end, kRecord19Locator);
}

std::uint32_t FindRecord14(const ImageReader& image, SubfileSpan sub, const ChainFlags& flags)
{
    return LocateRecord(image, sub.start, sub.end, kRecord14Locator.For(flags));
}

std::uint32_t FindRecord16(const ImageReader& image, SubfileSpan sub, const ChainFlags& flags)
{
    return LocateRecord(image, sub.start, sub.end, kRecord16Locator.For(flags));
}

std::uint32_t FindRecord24(const ImageReader& image, SubfileSpan sub)
{
    return LocateRecord(image, sub.start, sub.end, kRecord24Locator);
}

std::uint32_t FindRecord17or21(const ImageReader& image, SubfileSpan sub, const ChainFlags& flags)
{
    if (flags.fourChannel)
        return FindRecord(image, sub.start, 11, flags);
    return LocateRecord(image, sub.start, sub.end, kRecord17or21Locator);
}

std::uint32_t FindRecord22(const ImageReader& image, SubfileSpan sub)
{
    return LocateRecord(image, sub.start, sub.end, kRecord22Locator);
}

std::uint32_t FindChannelRecord(const ImageReader& image, SubfileSpan sub, std::uint8_t type, int channel,
                                std::uint16_t channelMask, int channelCount)
{
    // The channels of the mask in order; the k-th record of the type is the k-th channel's.
    auto nextChannel = [&](int from) {
        for (int c = from; c < std::min(channelCount, 16); ++c)
            if (channelMask & (1u << c))
                return c;
        return -1;
    };
    int current = nextChannel(0);
    RecordChain chain(image, sub.start, sub.end, kWord1For23);
    std::uint32_t seen = 0;
    while (auto r = chain.Next()) {
        if (seen++ == kChannelRecordLimit || r->Type() == 255)
            return 0;
        if (r->Type() != type)
            continue;
        if (current == channel && current >= 0)
            return r->start;
        if (current >= 0)
            current = nextChannel(current + 1);
    }
    return 0;
}

std::uint32_t FindBufferRecord(const ImageReader& image, SubfileSpan sub, const ChainFlags& flags)
{
    if (flags.fourChannel)
        return FindRecord(image, sub.start, flags.waveformRecord ? kRecordWaveform : std::uint8_t{24}, flags);
    return LocateRecord(image, sub.start, sub.end, kBufferHeaderLocator);
}

std::uint32_t FindBufferData(const ImageReader& image, SubfileSpan sub, const ChainFlags& flags)
{
    std::uint32_t p = FindBufferRecord(image, sub, flags);
    if (p == 0)
        return 0;
    if (flags.fourChannel && !flags.waveformRecord)
        return image.HasWords(std::uint64_t{p} + 1, 1) ? image.Word(p + 1) / 2u : 0u;
    // The data follow the recording 43 or the buffer header 15 directly.
    return EndByHighByte(image, p);
}

bool IsComplete(const ImageReader& image, SubfileSpan sub)
{
    RecordChain chain(image, sub.start, sub.end, kWord1For11And20);
    while (auto r = chain.Next())
        if (r->Type() == 15)
            return true;
    return chain.EndReason() == ChainEnd::EndMark && std::uint64_t{chain.Position()} + 1 == sub.end;
}

bool HasValidEnd(const ImageReader& image, SubfileSpan sub, const ChainFlags& flags)
{
    RecordChain chain(image, sub.start, sub.end, kWord1For23);
    std::uint64_t dataMark = 0;
    std::uint64_t dataWords = 0;
    try {
        while (auto r = chain.Next()) {
            std::uint8_t type = r->Type();
            if (type == 255)
                return std::uint64_t{r->start} + 1 == sub.end;
            if (type == kRecordLastHeaderBefore220 && flags.firmware < kFirmwareWaveform)
                return true;
            if (type == 24 || type == kRecordWaveform) {
                std::uint32_t size = type == 24 ? r->Int32AtWord(4) : r->Int32AtWord(3);
                if (SizeNeverClosed(size))
                    return true;
                dataMark = type == 24 ? r->Word(1) / 2u : r->End();
                dataWords = size / 2;
                chain.StopAt(static_cast<std::uint32_t>(dataMark));
            }
        }
    } catch (const ImageRangeError&) {
        return false; // a logger or recording record cut off by the end of the file
    }
    if (chain.EndReason() == ChainEnd::EndMark)
        return std::uint64_t{chain.Position()} + 1 == sub.end;
    if (chain.EndReason() == ChainEnd::DataMark) {
        std::uint64_t endWord = dataMark + dataWords;
        return image.HasWords(endWord, 1) && image.Word(static_cast<std::uint32_t>(endWord)) == 0xFFFF;
    }
    return false;
}

std::uint32_t GetRecord17Data(const ImageReader& image, SubfileSpan sub, const ChainFlags& flags)
{
    std::uint32_t end = EndByHighByte(image, FindRecord17or21(image, sub, flags));
    return end == 0 ? 0 : end + 2;
}

std::uint32_t GetRecord22Data(const ImageReader& image, SubfileSpan sub)
{
    std::uint32_t end = EndByHighByte(image, FindRecord22(image, sub));
    return end == 0 ? 0 : end + 2;
}

std::uint32_t GetBufferRowAddress(const ImageReader& image, SubfileSpan wholeFile, const ChainFlags& flags,
                                  std::uint32_t resultsPerRecord, std::uint32_t rowLength, std::uint32_t row)
{
    std::uint32_t data = FindBufferData(image, wholeFile, flags);
    if (data == 0 || row == 0)
        return 0;
    return data + resultsPerRecord + 1 + (row - 1) * rowLength;
}

std::uint32_t GetSpectrumDataStart(const ImageReader& image, std::uint32_t subfileStart, std::uint32_t bandCount)
{
    return subfileStart + image.Word(subfileStart) + bandCount;
}

std::uint32_t GetSpectrumRowAddress(std::uint32_t subfileStart, std::uint32_t headerLength, std::uint32_t rowGap,
                                    std::uint32_t bandCount, std::uint32_t row)
{
    std::uint32_t address = subfileStart + headerLength + rowGap;
    if (row > 1)
        address += (row - 1) * (bandCount + rowGap);
    return address;
}

namespace {

// A legacy walk over length-prefixed blocks (each block's first word is its length).
class BlockWalk {
public:
    BlockWalk(const ImageReader& image, std::uint64_t position) : m_Image(image), m_Pos(position) {}

    std::uint16_t Word(std::uint64_t offset = 0) const
    {
        std::uint64_t at = m_Pos + offset;
        if (!m_Image.HasWords(at, 1))
            throw RecordChainError("header block at word " + std::to_string(at) + " lies past the end of the file");
        return m_Image.Word(static_cast<std::uint32_t>(at));
    }
    void SkipBlock() { m_Pos += Word(); }
    void Skip(std::uint64_t words) { m_Pos += words; }
    std::uint32_t Position() const
    {
        if (m_Pos > m_Image.WordCount())
            throw RecordChainError("header blocks run past the end of the file");
        return static_cast<std::uint32_t>(m_Pos);
    }

private:
    const ImageReader& m_Image;
    std::uint64_t m_Pos;
};

constexpr std::uint16_t kPrefixWordBit = 0x4000;
constexpr std::uint8_t kKindReducedLegacy = 10;

// The header blocks; the per-channel blocks come twice (channel blocks, then
// results blocks), once in reduced files (kind 10).
BlockWalk SkipLegacyHeader(const ImageReader& image, std::uint32_t subfileStart, const LegacyLayout& layout)
{
    BlockWalk walk(image, subfileStart);
    const bool prefixed = (walk.Word() & kPrefixWordBit) != 0;
    const bool secondRound = layout.fileKind != kKindReducedLegacy;
    if (prefixed)
        walk.Skip(1);
    walk.SkipBlock(); // the header: its first word is its length
    if ((prefixed || layout.channelMode != 0) && !layout.singleChannel) {
        for (int round = 0; round < (secondRound ? 2 : 1); ++round)
            for (int c = 0; c < layout.channelCount; ++c)
                walk.SkipBlock();
    } else if (secondRound) {
        walk.SkipBlock();
    }
    return walk;
}

} // namespace

std::uint32_t SkipHeaderBlocks(const ImageReader& image, std::uint32_t subfileStart, const LegacyLayout& layout)
{
    return SkipLegacyHeader(image, subfileStart, layout).Position();
}

std::uint32_t GetDataBlockEnd(const ImageReader& image, std::uint32_t subfileStart, const LegacyLayout& layout)
{
    BlockWalk walk = SkipLegacyHeader(image, subfileStart, layout);
    if (layout.fileKind == kKindReducedLegacy || !layout.histogram)
        return walk.Position();
    if ((layout.prefixVariant != 0 || layout.channelMode != 0) && !layout.singleChannel) {
        std::uint64_t x = walk.Word(0), y = walk.Word(1), z = walk.Word(2);
        walk.Skip(y * 2 * z + x);
    } else {
        // Four words of layout, then a 32-bit count per class: the end follows from the
        // classes (word 1), whatever word 0 holds.
        walk.Skip(4 + 2 * std::uint64_t{walk.Word(1)});
    }
    return walk.Position();
}

std::optional<StatisticalLevels> ReadStatisticalLevels(const ImageReader& image, SubfileSpan sub,
                                                       const ChainFlags& flags, int column,
                                                       std::uint16_t statisticsMask)
{
    const RecordTypeCodes& codes = RecordTypesOf(flags.fourChannel);
    LocatorSpec spec{.wanted = {codes.statisticsDef}, .stops = {255}};
    std::uint32_t p = LocateRecord(image, sub.start, sub.end, spec);
    if (p == 0 || column < 0)
        return std::nullopt;
    try {
        int g = image.Word(p + 1) >> 8;
        int stored = static_cast<std::int16_t>(image.Word(p + 2));
        if (g == 0 || stored <= 0)
            return std::nullopt;
        int n = std::min(stored, 10);
        std::uint32_t entries = p + 3;

        // Where entry m's percentage and level lie, relative to the entries.
        std::uint32_t percentStride = 4, levelOffset = 0, levelStride = 4;
        if (!flags.fourChannel) {
            if (column > 2) // three profiles per entry
                return std::nullopt;
            levelOffset = static_cast<std::uint32_t>(column) + 1;
        } else {
            if (column > 15 || !(statisticsMask & (1u << column)))
                return std::nullopt;
            // The column's place among the channels with statistics.
            int place = std::popcount(static_cast<unsigned>(statisticsMask & ((2u << column) - 1))) - 1;
            if (place >= g)
                return std::nullopt;
            auto o = static_cast<std::uint32_t>(place);
            if (flags.firmware < kFirmwareLevelBlocks) {
                percentStride = levelStride = 1 + static_cast<std::uint32_t>(g);
                levelOffset = o + 1;
            } else {
                // Percentages first, then a block of levels per channel. The
                // blocks are as long as the stored count, also above 10.
                percentStride = levelStride = 1;
                levelOffset = static_cast<std::uint32_t>(stored) * (o + 1);
            }
        }
        StatisticalLevels out;
        for (int m = 0; m < 10; ++m) {
            int k = std::min(m, n - 1); // entries past the count repeat the last
            auto mk = static_cast<std::uint32_t>(k);
            out.percentages[static_cast<std::size_t>(m)] =
                static_cast<std::uint8_t>(image.Word(entries + mk * percentStride) & 0xFF);
            out.levels[static_cast<std::size_t>(m)] = image.Word(entries + levelOffset + mk * levelStride) / 10.0;
        }
        out.count = 10;
        return out;
    } catch (const ImageRangeError&) {
        return std::nullopt; // the record is cut off by the end of the file
    }
}

} // namespace orlu
