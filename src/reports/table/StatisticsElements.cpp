#include "reports/table/StatisticsElements.h"

#include "document/CTmDoc.h"
#include "document/buffer/BufferColumns.h"
#include "document/records/RecordBlocks.h"
#include "platform/ValueFormat.h"
#include "reports/common/SubfileSelectionKeeper.h"
#include "reports/table/MultiSpectrumMatrix.h"

#include <algorithm>
#include <optional>

namespace orlu {
namespace {

constexpr std::uint16_t kHistogramFunctions = 7;
constexpr int kVectorChannel = 4;
constexpr int kMaxChannels = 16;

enum class Family : std::uint8_t { None, Current, FourChannel, Legacy };

Family FamilyOf(const CTmDoc& doc)
{
    if (doc.FileKind() == kKindMonitor)
        return Family::None; // its station records are not decoded yet
    if (doc.IsLegacyDocument())
        return doc.LegacyDecoded() ? Family::Legacy : Family::None;
    if (!doc.HeaderDecoded() || doc.Header().setupFile)
        return Family::None;
    return doc.Header().model.FourChannel ? Family::FourChannel : Family::Current;
}

bool IsMerged(const CTmDoc& doc)
{
    return doc.SubfileCount() > 0;
}

// The words of sub-file n: reads never leave them.
SubfileSpan SpanOf(CTmDoc& doc, int n)
{
    const std::uint32_t start = doc.GetSubfileStart(n);
    const std::uint64_t end = std::uint64_t{start} + doc.CurrentSubfileLength() / 2;
    return {start, static_cast<std::uint32_t>(std::min<std::uint64_t>(end, doc.ByteCount() / 2))};
}

// `classes` counts from word `first`, or none when they would pass `end`.
std::vector<std::uint32_t> ReadCounts(const ImageReader& image, std::uint64_t first, std::uint32_t classes,
                                      std::uint32_t end)
{
    if (first == 0 || first + 2ull * classes > std::min(end, image.WordCount()))
        return {};
    std::vector<std::uint32_t> counts(classes);
    for (std::uint32_t c = 0; c < classes; ++c)
        counts[c] = image.Int32AtWord(static_cast<std::uint32_t>(first + 2ull * c));
    return counts;
}

// The word before `at` inside the sub-file, or nothing.
std::optional<std::uint16_t> WordBefore(const ImageReader& image, std::uint64_t at, SubfileSpan span)
{
    if (at == 0 || at - 1 < span.start || at > span.end)
        return std::nullopt;
    return image.Word(static_cast<std::uint32_t>(at - 1));
}

// One element as read: its class layout and counts.
struct Histogram {
    std::uint16_t classes = 0;
    std::int32_t lowest = 0;
    std::int32_t width = 0;
    std::vector<std::uint32_t> counts;
    bool stored = false; ///< the file keeps a histogram (or a time history gives one)
    /// Without a histogram: the levels a current-family file stores for the element.
    std::optional<StatisticalLevels> levels;
};

// A current-family histogram stored in the file: profile f of record 9, or band n
// of record 19, each f (n - 1) strides after the first counts.
Histogram StoredCurrentCounts(CTmDoc& doc, int sub, int f, int band)
{
    const CurrentHeader& h = doc.Header();
    const CurrentChannel& ch = doc.Channel();
    const ImageReader image = doc.Reader();
    Histogram out{band == 0 ? ch.histClasses : ch.histClasses2, band == 0 ? ch.histLowest : ch.histLowest2,
                  band == 0 ? ch.histWidth : ch.histWidth2, {}, false, {}};
    const std::uint32_t record = band == 0 ? doc.FindRecord9(sub) : doc.FindRecord19(sub);
    const SubfileSpan span = SpanOf(doc, sub);
    if (record == 0) {
        out.levels = ReadStatisticalLevels(image, span, doc.GetChainFlags(), f, h.statisticsMask);
        return out;
    }
    out.stored = true;
    const std::uint16_t head = band == 0 ? h.histogram.classLength : h.secondHistogram.classLength;
    const std::uint64_t first = std::uint64_t{record} + head + 2;
    const auto stride = WordBefore(image, first, span);
    if (!stride)
        return out;
    const std::uint64_t k = band == 0 ? static_cast<std::uint64_t>(f) : static_cast<std::uint64_t>(band - 1);
    const std::uint64_t at = first + k * *stride;
    // Each histogram's counts are a record of their own, of the first one's type: a profile
    // without a histogram would otherwise take its counts from whatever record follows
    // (the band histograms after profile 1's).
    const auto type = WordBefore(image, first - 1, span);
    const auto typeAt = WordBefore(image, at - 1, span);
    if (!type || !typeAt || (*type & 0xFF) != (*typeAt & 0xFF))
        return out;
    out.counts = ReadCounts(image, at, out.classes, span.end);
    return out;
}

// A current-family logger: the histogram counted from the column profile f logs.
Histogram HistoryCurrentCounts(CTmDoc& doc, int sub, int f)
{
    const CurrentHeader& h = doc.Header();
    const CurrentChannel& ch = doc.Channel();
    Histogram out{ch.histClasses, ch.histLowest, ch.histWidth, {}, true, {}};
    // Four-channel and later-model rows lay their columns out by result slots, which
    // these tables do not choose yet: their elements stay empty.
    if (h.model.LaterModel)
        return out;
    ProfileBufferGeometry geometry;
    geometry.dataStart = doc.FindBufferData(sub);
    geometry.wordsPerRecord = h.rowLength;
    geometry.recordCount = h.shownRecordCount;
    geometry.columns = ColumnLayout::ProfileMask;
    geometry.profilesWithBuffer = h.profilesWithBuffer;
    if (geometry.dataStart == 0)
        return out;
    HistogramBuffers buffers;
    const HistogramLayout layout{0, ch.histClasses, ch.histLowest, ch.histWidth};
    if (const auto* counts = BuildProfileHistogram(buffers, doc.Reader(), geometry, layout, f, 0))
        out.counts = *counts;
    return out;
}

// Band n of channel f in the four-channel band histogram record: a 3-word head whose
// word 2 holds in its low byte the channels that have a block; each block gives its
// length in word 1, its band count, classes, lowest class and width in words 2 to 5,
// and the counts of its bands one after the other from word 6. The block's own layout
// is the histogram's; a block, or counts, past the record or the sub-file give none.
Histogram FourChannelBandCounts(CTmDoc& doc, int sub, int f, int band)
{
    constexpr std::uint32_t kHead = 3;
    constexpr std::uint32_t kBlockHead = 6;
    Histogram out;
    const std::uint32_t record = doc.FindRecord19(sub);
    if (record == 0)
        return out;
    const ImageReader image = doc.Reader();
    const SubfileSpan span = SpanOf(doc, sub);
    const std::uint16_t word0 = image.Word(record);
    const std::uint64_t length = (word0 >> 8) != 0 ? word0 >> 8 : image.Word(record + 1);
    const std::uint64_t end = std::min<std::uint64_t>(record + length, span.end);
    const std::uint16_t mask = image.Word(record + 2) & 0xFF;
    if (!(mask & (1u << f)))
        return out;
    std::uint64_t p = std::uint64_t{record} + kHead;
    for (int c = 0; c < f; ++c) {
        if (!(mask & (1u << c)))
            continue;
        if (p + 2 > end)
            return out;
        const std::uint16_t step = image.Word(static_cast<std::uint32_t>(p + 1));
        if (step == 0)
            return out;
        p += step;
    }
    if (p + kBlockHead > end)
        return out;
    auto word = [&](std::uint32_t k) { return image.Word(static_cast<std::uint32_t>(p + k)); };
    const std::uint16_t bands = word(2);
    out = {word(3), static_cast<std::int16_t>(word(4)), static_cast<std::int16_t>(word(5)), {}, true, {}};
    if (band < 1 || band > bands)
        return out;
    const std::uint64_t blockEnd = std::min<std::uint64_t>(p + word(1), end);
    out.counts = ReadCounts(image, p + kBlockHead + 2ull * out.classes * static_cast<std::uint64_t>(band - 1),
                            out.classes, static_cast<std::uint32_t>(blockEnd));
    return out;
}

// Channel f's block of counts after the head of the four-channel histogram record.
Histogram FourChannelCounts(CTmDoc& doc, int sub, int f, int band)
{
    const CurrentChannel& ch = doc.Channel();
    Histogram out{ch.histClasses, ch.histLowest, ch.histWidth, {}, false, {}};
    // Histograms of their time histories are not read by these tables yet: the element
    // stays empty.
    if (doc.Header().timeHistory)
        return out;
    if (band != 0)
        return FourChannelBandCounts(doc, sub, f, band);
    const std::uint32_t record = doc.FindRecord9(sub);
    const SubfileSpan span = SpanOf(doc, sub);
    if (record == 0) {
        out.levels = ReadStatisticalLevels(doc.Reader(), span, doc.GetChainFlags(), f, doc.Header().statisticsMask);
        return out;
    }
    out.stored = true;
    const RecordBlock block = FindRecordBlock(doc.Reader(), record, static_cast<std::uint16_t>(f), span.end);
    if (block.data != 0 && 2ull * out.classes <= block.words)
        out.counts = ReadCounts(doc.Reader(), block.data, out.classes, span.end);
    return out;
}

// The histogram block after the header blocks of an ORLU 505 METER file: one
// histogram per channel in the multi-channel layout; a single-channel buffer's
// histogram as its decode built it.
Histogram LegacyCounts(CTmDoc& doc, int sub, int f)
{
    const LegacyHeader& h = doc.Legacy();
    Histogram out{h.histogram.classes, h.histogram.lowest, h.histogram.width, {}, h.histogramFlag, {}};
    if (h.histogramFlag) {
        const SubfileSpan span = SpanOf(doc, sub);
        const std::uint64_t k = !h.singleChannel && f < h.channelCount ? static_cast<std::uint64_t>(f) : 0;
        const std::uint64_t first = std::uint64_t{h.histogram.start} + h.histogram.classOffset + k * 2 * h.histogram.classes;
        out.counts = ReadCounts(doc.Reader(), first, out.classes, span.end);
    } else if (h.timeHistory) {
        out.stored = true;
        // Multi-channel buffers are counted per channel by the statistics views; the
        // cross tables take the single-channel histogram the decode keeps.
        if (const auto* counts = doc.LegacyBufferHistogram())
            out.counts = *counts;
    }
    return out;
}

// Decodes sub-file `sub` of the family; false when it does not decode (a record
// running past the sub-file included).
bool DecodeSubfile(CTmDoc& doc, Family family, int sub)
{
    const auto n = static_cast<std::uint16_t>(sub);
    try {
        return family == Family::Legacy ? doc.DecodeLegacyHeader(n) : doc.DecodeFileHeader(n);
    } catch (const ImageRangeError&) {
        return false;
    }
}

// Makes element f of the decoded sub-file current and reads its counts.
Histogram ReadCountsOf(CTmDoc& doc, Family family, int sub, int f, int band)
{
    switch (family) {
    case Family::Legacy:
        if (doc.Legacy().channelMode != 0)
            doc.SelectLegacyChannel(f);
        return LegacyCounts(doc, sub, f);
    case Family::FourChannel:
        doc.SelectChannelProfile(f, 0);
        return FourChannelCounts(doc, sub, f, band);
    case Family::Current:
        doc.SelectChannelProfile(f, 0);
        return doc.Header().timeHistory && band == 0 ? HistoryCurrentCounts(doc, sub, f)
                                                     : StoredCurrentCounts(doc, sub, f, band);
    case Family::None:
        break;
    }
    return {};
}

// The element, or an empty one where a record of the sub-file runs past it.
Histogram ReadElement(CTmDoc& doc, Family family, int sub, int f, int band)
{
    try {
        return ReadCountsOf(doc, family, sub, f, band);
    } catch (const ImageRangeError&) {
        return {};
    }
}

std::string ChannelLabel(const CTmDoc& doc, Family family, int f)
{
    if (family == Family::FourChannel)
        return f == kVectorChannel && doc.Header().fourChannel.vector ? "Vector" : StrPrintf("#%d:P%d", f + 1, 1);
    if (family == Family::Legacy && f == kVectorChannel && doc.Legacy().vector)
        return "Vector";
    return StrPrintf("#%d", f + 1);
}

bool ChannelMode(const CTmDoc& doc, Family family)
{
    if (family == Family::Legacy)
        return doc.Legacy().channelMode != 0;
    return family == Family::FourChannel || doc.Header().channelMode != 0;
}

// One element read, or the sub-files and channels a choice shows.
struct Gathered {
    Family family = Family::None;
    CrossElementKind kind = CrossElementKind::Channel;
    std::uint16_t classes = 0;
    std::int32_t width = 10;
    bool anyStored = false;
    struct Element {
        std::string label;
        int channel = 0;
        int sub = 0;
        Histogram histogram;
    };
    std::vector<Element> elements;
};

// Reads every element of the choice; the document's selection is restored after.
Gathered Gather(CTmDoc& doc, const StatElementChoice& choice)
{
    Gathered g;
    g.family = FamilyOf(doc);
    if (g.family == Family::None)
        return g;
    const SubfileSelectionKeeper keeper(doc);
    auto take = [&](Gathered::Element element) {
        if (g.elements.empty()) {
            g.classes = element.histogram.classes;
            g.width = element.histogram.width;
        }
        g.anyStored = g.anyStored || element.histogram.stored;
        g.elements.push_back(std::move(element));
    };
    if (choice.channelMask == 0) {
        g.kind = CrossElementKind::File;
        const SubfileContents& contents = doc.GetSubfileContents();
        for (int u = 1; u <= doc.SubfileCount(); ++u) {
            if ((contents.BitsOf(u) & choice.functionMask) == 0)
                continue;
            Gathered::Element e{doc.GetSubfileName(u), choice.channel, u, {}};
            // A sub-file that does not decode keeps its place, empty.
            if (DecodeSubfile(doc, g.family, u))
                e.histogram = ReadElement(doc, g.family, u, choice.channel, choice.band);
            take(std::move(e));
        }
        return g;
    }
    if (!DecodeSubfile(doc, g.family, choice.fileOrRecord))
        return g;
    g.kind = ChannelMode(doc, g.family) ? CrossElementKind::Channel : CrossElementKind::Profile;
    for (int f = 0; f < kMaxChannels; ++f) {
        if (!(choice.channelMask & (1u << f)))
            continue;
        take({ChannelLabel(doc, g.family, f), f, choice.fileOrRecord,
              ReadElement(doc, g.family, choice.fileOrRecord, f, choice.band)});
    }
    return g;
}

StatCrossTable TableOf(const CTmDoc& doc, Gathered g, const StatElementChoice& choice, std::string caption)
{
    StatCrossTable t;
    t.Kind = g.kind;
    t.ClassCount = g.classes;
    t.Width = g.width;
    t.Block = choice.block;
    if (choice.channelMask != 0 && choice.fileOrRecord != 0)
        caption += StrPrintf(" (file:%s):", doc.GetSubfileName(choice.fileOrRecord).c_str());
    t.Caption = std::move(caption);
    for (auto& e : g.elements)
        t.Elements.push_back({std::move(e.label), {}, e.histogram.lowest, std::move(e.histogram.counts)});
    return t;
}

// Without a mask the caption names the channel each sub-file gives (not for
// ORLU 505 files without a prefix word, whose files have the one channel).
std::string ChannelSuffix(const CTmDoc& doc, Family family, const StatElementChoice& choice, bool densities)
{
    if (choice.channelMask != 0 || choice.band != 0)
        return {};
    if (family == Family::FourChannel)
        return densities ? std::string() : StrPrintf("  Channel #%d:P%d:", choice.channel + 1, 1);
    if (family == Family::Legacy && doc.Legacy().prefixVariant == 0)
        return {};
    if (densities && family == Family::Current) {
        const ModelFlags& m = doc.Header().model;
        if (!(m.Family515Text || m.Family515 || m.Family525))
            return {};
    }
    return StrPrintf("  Profile %d:", choice.channel + 1);
}

} // namespace

StatCrossTable CollectHistogramElements(CTmDoc& doc, const StatElementChoice& choice)
{
    Gathered g = Gather(doc, choice);
    const std::string caption = "Histograms:" + ChannelSuffix(doc, g.family, choice, false);
    return TableOf(doc, std::move(g), choice, caption);
}

StatCrossTable CollectDensityElements(CTmDoc& doc, const StatElementChoice& choice)
{
    Gathered g = Gather(doc, choice);
    const std::string caption = "Statistical density for Histograms:" + ChannelSuffix(doc, g.family, choice, true);
    return TableOf(doc, std::move(g), choice, caption);
}

bool StageDensities(const StatCrossTable& table, MultiSpectrumMatrix& densities)
{
    const std::size_t first = table.Block.Shown ? table.Block.First : 0;
    for (const StatElement& e : table.Elements) {
        const std::vector<double> all = ExceedancePercents(e.Counts);
        std::vector<double> column(densities.LineCount(), 0.0);
        for (std::size_t r = 0; r < column.size(); ++r)
            if (first + r < all.size())
                column[r] = all[first + r];
        if (!densities.AppendColumn(column))
            return false;
    }
    return true;
}

LevelsCrossTable CollectLevelColumns(CTmDoc& doc, const StatElementChoice& choice)
{
    LevelsCrossTable t;
    const auto& percentages = doc.StatisticalPercentages();
    t.Percentages.assign(percentages.begin(),
                         percentages.begin() + std::min<std::size_t>(doc.StatisticalLevelCount(), percentages.size()));
    Gathered g = Gather(doc, choice);
    t.Kind = g.kind == CrossElementKind::Profile ? LevelColumnKind::Profile : LevelColumnKind::Channel;
    t.Width = g.width;
    t.Caption = g.anyStored ? "Statistical levels for Histograms:" : "Statistical levels:";
    if (g.family == Family::Legacy && IsMerged(doc) && choice.fileOrRecord != 0)
        t.Caption = StrPrintf("Statistical levels for Histograms (file:%s):",
                              doc.GetSubfileName(choice.fileOrRecord).c_str());
    for (auto& e : g.elements) {
        LevelColumn column{std::move(e.label), 0.0, {}, e.histogram.lowest, std::move(e.histogram.counts), {}};
        column.Width = e.histogram.width; // the channels of a four-channel file keep their own classes
        // A current-family file without a histogram gives the levels it stores, matched by
        // percentage; a percentage it does not store is missing.
        if (!e.histogram.stored && e.histogram.levels) {
            const StatisticalLevels& stored = *e.histogram.levels;
            column.StoredLevels.assign(t.Percentages.size(), kMissingValue);
            for (std::size_t i = 0; i < t.Percentages.size(); ++i) {
                const auto at = std::find(stored.percentages.begin(), stored.percentages.end(), t.Percentages[i]);
                if (at != stored.percentages.end())
                    column.StoredLevels[i] = stored.levels[static_cast<std::size_t>(at - stored.percentages.begin())];
            }
        }
        t.Columns.push_back(std::move(column));
    }
    return t;
}

std::optional<StatisticalLevels> ReadStoredLevels(CTmDoc& doc, int n, int f)
{
    const Family family = FamilyOf(doc);
    if (family != Family::Current && family != Family::FourChannel)
        return std::nullopt;
    const SubfileSelectionKeeper keeper(doc);
    if (!DecodeSubfile(doc, family, n))
        return std::nullopt;
    try {
        return ReadStatisticalLevels(doc.Reader(), SpanOf(doc, n), doc.GetChainFlags(), f,
                                     doc.Header().statisticsMask);
    } catch (const ImageRangeError&) {
        return std::nullopt;
    }
}

} // namespace orlu
