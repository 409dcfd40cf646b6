#include "document/rawviews/LegacyAsciiForm.h"

#include "platform/ProgressState.h"
#include "platform/ValueFormat.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace orlu {
namespace {

using Codes = std::span<const std::uint8_t>;

// One-channel files.
constexpr std::uint8_t kSingleHeader[] = {1, 5, 6, 1, 1, 1, 1, 1, 4, 3};
constexpr std::uint8_t kSingleResults[] = {1, 1, 4, 4, 4, 4, 4, 4, 4, 4, 4, 7, 1, 4, 1, 4, 1, 4, 1, 4,
                                           1, 4, 1, 4, 1, 4, 1, 4, 1, 4, 1, 4};
constexpr std::uint8_t kSingleHistogram[] = {1, 1, 4, 4, 101};
constexpr std::uint8_t kSingleBuffer[] = {1, 7, 7, 7, 7, 1, 7, 7, 7, 7, 7, 1, 1, 1, 7, 7, 7, 7, 7, 7, 7};

// Headers by prefix variant (probe files take variant 1's).
constexpr std::uint8_t kHeaderVariant1[] = {1, 5, 6, 1, 1, 1, 3, 1, 1, 1, 1, 1, 1};
constexpr std::uint8_t kHeaderVariant2[] = {1, 5, 6, 1, 1, 7, 3, 7, 7, 4, 4, 4, 7};
constexpr std::uint8_t kHeaderVariant3[] = {1, 5, 6, 1, 1, 1, 3, 1, 1, 7, 7, 4, 4, 4, 7};

// Multi-channel files.
constexpr std::uint8_t kChannelBlock[] = {1, 1, 1, 1, 1, 1, 4, 3, 2, 8};
constexpr std::uint8_t kMultiResults[] = {1, 1, 4, 4, 4, 4, 4, 4, 4, 4, 4, 7, 7, 1, 4, 1, 4, 1, 4, 1, 4, 1, 4, 1,
                                          4, 1, 4, 1, 4, 1, 4, 1, 4, 1, 4};
constexpr std::uint8_t kMultiHistogram[] = {1, 1, 1, 4, 4, 101};
constexpr std::uint8_t kOldBuffer[] = {1, 3, 3, 3, 3, 1, 7, 7, 3, 7, 7, 1, 1, 1, 7, 1, 3, 7, 7, 7, 7};
constexpr std::uint8_t kNewBuffer[] = {1, 7, 7, 7, 7, 11, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 1, 1, 1, 7, 1,
                                       3, 3, 3, 3, 3, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7};

constexpr std::uint16_t kNewBufferVersion = 33;
constexpr std::uint32_t kItemsPerCheck = 1u << 16;

Codes HeaderCodes(const LegacyHeader& h)
{
    if (h.singleChannel && h.prefixVariant == 0)
        return kSingleHeader;
    switch (h.prefixVariant) {
    case 2: return kHeaderVariant2;
    case 3: return kHeaderVariant3;
    default: return kHeaderVariant1;
    }
}

class BlockWriter {
public:
    BlockWriter(const FieldWalkContext& ctx, AsciiLineWriter& out) : m_Ctx(ctx), m_Out(out) {}

    /// The block's length word, 0 past the image.
    std::uint64_t LengthAt(std::uint64_t p) const
    {
        return m_Ctx.image.HasWords(p, 1) ? m_Ctx.image.Word(static_cast<std::uint32_t>(p)) : 0;
    }
    /// Writes `words` words from p by the codes; returns the word after them.
    std::uint64_t Write(Codes codes, std::uint64_t p, std::uint64_t words)
    {
        const std::uint64_t end = std::min<std::uint64_t>(p + words, m_Ctx.image.WordCount());
        if (p < end) {
            std::uint32_t pos = static_cast<std::uint32_t>(p);
            FormatRecordFields(m_Ctx, m_Out, codes, pos, static_cast<std::uint32_t>(end));
        }
        return p + words;
    }
    /// A block whose first word is its length.
    std::uint64_t WriteBlock(Codes codes, std::uint64_t p) { return Write(codes, p, LengthAt(p)); }

private:
    const FieldWalkContext& m_Ctx;
    AsciiLineWriter& m_Out;
};

} // namespace

void WriteLegacyAsciiForm(const FieldWalkContext& ctx, AsciiLineWriter& out, const LegacyHeader& h)
{
    const ImageReader& image = ctx.image;
    BlockWriter blocks(ctx, out);
    out.Line({});
    std::uint64_t p = h.subfileStart;
    if (h.prefixVariant != 0) {
        out.Line(StrPrintf("%04Xh;", h.prefixWord));
        ++p;
    }
    p = blocks.WriteBlock(HeaderCodes(h), p);
    if (!h.singleChannel) {
        for (int c = 0; c < h.channelCount; ++c)
            p = blocks.WriteBlock(kChannelBlock, p);
        if (!h.reducedFile)
            for (int c = 0; c < h.channelCount; ++c)
                p = blocks.WriteBlock(kMultiResults, p);
        if (h.histogramFlag) {
            const std::uint64_t x = blocks.LengthAt(p), y = blocks.LengthAt(p + 1), z = blocks.LengthAt(p + 2);
            p = blocks.Write(kMultiHistogram, p, x + 2 * y * z);
        }
    } else {
        if (!h.reducedFile)
            p = blocks.WriteBlock(kSingleResults, p);
        if (h.histogramFlag)
            p = blocks.Write(kSingleHistogram, p, 4 + 2 * blocks.LengthAt(p + 1));
    }
    if (!h.timeHistory)
        return;

    const bool signedLevels = !h.singleChannel && h.formatVersion >= kNewBufferVersion;
    const Codes description = h.singleChannel ? Codes(kSingleBuffer)
                              : h.formatVersion >= kNewBufferVersion ? Codes(kNewBuffer)
                                                                     : Codes(kOldBuffer);
    blocks.WriteBlock(description, h.bufferStart);
    // Every level the records hold, up to the check word that ends the file.
    const std::uint64_t width = h.singleChannel ? 1 : h.resultsPerRecord;
    const std::uint64_t last = image.WordCount() > 0 ? image.WordCount() - 1 : 0;
    const std::uint64_t end = std::min<std::uint64_t>(h.bufferDataStart + std::uint64_t{h.declaredCount} * width, last);
    for (std::uint64_t q = h.bufferDataStart; q < end; ++q) {
        if (ctx.progress && (q - h.bufferDataStart) % kItemsPerCheck == 0)
            ctx.progress->Checkpoint(2 * q);
        const std::uint16_t w = image.Word(static_cast<std::uint32_t>(q));
        if (signedLevels)
            out.Item(StrPrintf("%.1f,", static_cast<std::int16_t>(w) / 10.0));
        else
            out.Item(StrPrintf("%s%.1f,", (w & 1) ? "+" : "", (w >> 1) / 10.0));
    }
    out.EndRecord(true);
}

} // namespace orlu
