#include "document/Subfiles.h"

#include "document/records/RecordTypeCodes.h"
#include "document/texts/NumberTexts.h"

#include <algorithm>
#include <iterator>

namespace orlu {
namespace {

struct GroupBits {
    ContentGroup group;
    std::uint16_t bits;
};

constexpr GroupBits kGroupBits[] = {
    {ContentGroup::Histogram, 0x0007},   {ContentGroup::Octave, 0x0008},
    {ContentGroup::ThirdOctave, 0x0010}, {ContentGroup::Fft, 0x0020},
    {ContentGroup::Buffer, 0x0040},      {ContentGroup::Statistics, 0x0080},
    {ContentGroup::OctaveStats, 0x0100}, {ContentGroup::OtherBandStats, 0x0200},
};

// Marks sub-file n as holding the group.
void Mark(SubfileContents& contents, ContentGroup group, int n)
{
    GroupRange& range = contents.Group(group);
    if (range.first == 0)
        range.first = n;
    range.last = n;
    contents.bits[static_cast<std::size_t>(n - 1)] |= ContentBitsOf(group);
}

// What a record of a current-family file tells the scan.
enum class RecordMeaning : std::uint8_t {
    Group,          ///< the record's group
    OctaveAnalysis, ///< the group, only when the analysis setting is 1/1 octave
    BandStatistics, ///< G with 1/1-octave analysis, else H; the walk of the sub-file ends
};

struct ScanRule {
    std::uint8_t type;
    RecordMeaning meaning;
    ContentGroup group;
};

constexpr ScanRule kOtherFileRules[] = {
    {14, RecordMeaning::OctaveAnalysis, ContentGroup::Octave},
    {16, RecordMeaning::Group, ContentGroup::ThirdOctave},
    {17, RecordMeaning::Group, ContentGroup::Fft},
    {21, RecordMeaning::Group, ContentGroup::Fft},
    {22, RecordMeaning::Group, ContentGroup::Fft},
    {9, RecordMeaning::Group, ContentGroup::Histogram},
    {23, RecordMeaning::Group, ContentGroup::Statistics},
    {19, RecordMeaning::BandStatistics, ContentGroup::OctaveStats},
    {15, RecordMeaning::Group, ContentGroup::Buffer},
};

constexpr ScanRule kFourChannelRules[] = {
    {15, RecordMeaning::OctaveAnalysis, ContentGroup::Octave},
    {16, RecordMeaning::Group, ContentGroup::ThirdOctave},
    {17, RecordMeaning::Group, ContentGroup::Fft},
    {20, RecordMeaning::Group, ContentGroup::Histogram},
    {25, RecordMeaning::Group, ContentGroup::Statistics},
    {21, RecordMeaning::BandStatistics, ContentGroup::OctaveStats},
};

constexpr std::uint32_t kScanRecordLimit = 32;
constexpr std::uint16_t kOctaveAnalysis = 2;
constexpr std::uint16_t kFirmwareWaveform = 220;
// Other files step over their data records 11 and 18 by word 1.
constexpr LengthRule kWord1For11And18{true, {11, 18}};

constexpr std::uint8_t kKindLegacyMultifile = 23;
constexpr std::uint8_t kKindFirstCurrentMultifile = 53;
constexpr std::uint8_t kKindLastCurrentMultifile = 60;

// Scans one sub-file's chain into the contents.
void ScanChain(const ImageReader& image, const MultifileEntry& entry, int n, const ChainFlags& flags,
               SubfileContents& contents)
{
    const std::span<const ScanRule> rules =
        flags.fourChannel ? std::span<const ScanRule>(kFourChannelRules) : std::span<const ScanRule>(kOtherFileRules);
    const std::uint32_t start = entry.Offset / 2;
    const std::uint32_t end = static_cast<std::uint32_t>(std::min<std::uint64_t>(
        std::uint64_t{start} + entry.Length / 2, image.WordCount()));
    RecordChain chain(image, start, end, flags.fourChannel ? kHighByteOrWord1 : kWord1For11And18);
    std::uint16_t analysis = 0;
    std::uint32_t seen = 0;
    while (auto r = chain.Next()) {
        // A record that runs past its sub-file belongs to no file: the walk ends before it.
        if (seen++ == kScanRecordLimit || r->length == 0 || r->End() > end)
            return;
        const std::uint8_t type = r->Type();
        if (type == kRecordEnd || (flags.fourChannel && flags.firmware < kFirmwareWaveform &&
                                   type == kRecordLastHeaderBefore220))
            return;
        if (type == kRecordMeasurement) {
            analysis = r->length > 3 ? r->Word(3) : 0;
            continue;
        }
        auto rule = std::find_if(rules.begin(), rules.end(), [type](const ScanRule& s) { return s.type == type; });
        if (rule == rules.end())
            continue;
        switch (rule->meaning) {
        case RecordMeaning::Group:
            Mark(contents, rule->group, n);
            break;
        case RecordMeaning::OctaveAnalysis:
            if (analysis == kOctaveAnalysis)
                Mark(contents, rule->group, n);
            break;
        case RecordMeaning::BandStatistics:
            Mark(contents, analysis == kOctaveAnalysis ? ContentGroup::OctaveStats : ContentGroup::OtherBandStats, n);
            return;
        }
    }
}

struct ClampRule {
    int viewKind;
    ContentGroup group;
    bool bandStatistics;   ///< G or H when a band-statistics switch is given
    bool resetsRecord;     ///< the record number becomes 1 when the selection moves
};

constexpr ClampRule kCurrentClampRules[] = {
    {kViewHistograms, ContentGroup::Histogram, true, false},
    {kViewDensities, ContentGroup::Histogram, true, false},
    {kViewStatisticalLevels, ContentGroup::Statistics, true, false},
    {kViewSpectra, ContentGroup::Fft, false, true},
    {kViewOctaves, ContentGroup::Octave, false, true},
    {kViewThirdOctaves, ContentGroup::ThirdOctave, false, true},
    {kViewBufferLogger, ContentGroup::Buffer, false, false},
};

constexpr ClampRule kLegacyClampRules[] = {
    {kViewStatisticalLevels, ContentGroup::Statistics, false, false},
    {kViewBufferLogger, ContentGroup::Buffer, false, false},
    {kViewHistograms, ContentGroup::Histogram, false, false},
    {kViewDensities, ContentGroup::Histogram, false, false},
};

bool HasGroup(std::uint16_t bits, ContentGroup group)
{
    const std::uint16_t wanted = ContentBitsOf(group);
    return group == ContentGroup::Histogram ? (bits & wanted) != 0 : (bits & wanted) == wanted;
}

} // namespace

SubfilePlace LocateSubfile(const SubfileDirectory& dir, int n)
{
    if (!dir.list.empty() && n == 0)
        n = 1;
    if (!dir.list.empty() && n >= 1) {
        if (static_cast<std::size_t>(n) > dir.list.size())
            return {};
        const MultifileEntry& e = dir.list[static_cast<std::size_t>(n - 1)];
        return {e.Offset / 2, e.Length};
    }
    if (n == kSubfileEmbedded)
        return {dir.embedded.startByte / 2, dir.embedded.length};
    return {0, dir.byteCount};
}

std::uint32_t SubfileLength(const SubfileDirectory& dir, int n)
{
    if (n < kSubfileEmbedded || (n >= 1 && dir.list.empty()))
        return 0;
    return LocateSubfile(dir, n).length;
}

std::string SubfileName(const SubfileDirectory& dir, int n)
{
    if (n < 1 || static_cast<std::size_t>(n) > dir.list.size())
        return {};
    std::string name = dir.list[static_cast<std::size_t>(n - 1)].NameText();
    TrimTrailingBlanks(name);
    return name;
}

bool IsCurrentMultifileKind(std::uint8_t fileKind)
{
    return fileKind >= kKindFirstCurrentMultifile && fileKind <= kKindLastCurrentMultifile;
}

std::vector<RecordEntry> ListRecords(const ImageReader& image, SubfileSpan sub)
{
    std::vector<RecordEntry> records;
    RecordChain chain(image, sub.start, sub.end);
    while (auto r = chain.Next()) {
        if (r->length != 0 && r->End() > sub.end)
            throw RecordChainError("record at word " + std::to_string(r->start) + " runs past the end of its file");
        records.push_back({r->start, r->Type(), r->length});
    }
    chain.ThrowIfBroken();
    return records;
}

std::uint16_t ContentBitsOf(ContentGroup group)
{
    auto it = std::find_if(std::begin(kGroupBits), std::end(kGroupBits),
                           [group](const GroupBits& g) { return g.group == group; });
    return it->bits;
}

std::uint16_t SubfileContents::BitsOf(int n) const
{
    return n >= 1 && static_cast<std::size_t>(n) <= bits.size() ? bits[static_cast<std::size_t>(n - 1)] : 0;
}

SubfileContents ScanLegacySubfiles(int subfileCount, const LegacyHeaderProbe& decode)
{
    SubfileContents contents;
    contents.bits.assign(static_cast<std::size_t>(std::max(subfileCount, 0)), 0);
    for (int n = 1; n <= subfileCount; ++n) {
        std::optional<LegacyFileContents> file = decode(n);
        if (!file)
            continue; // a file that cannot be decoded offers nothing
        if (file->histogram || file->timeHistory)
            Mark(contents, ContentGroup::Histogram, n);
        if (file->statistics || file->histogram || file->timeHistory)
            Mark(contents, ContentGroup::Statistics, n);
        if (file->timeHistory) {
            Mark(contents, ContentGroup::Buffer, n);
            contents.largestRecordCount = std::max(contents.largestRecordCount, file->recordCount);
        }
    }
    for (ContentGroup g : {ContentGroup::Histogram, ContentGroup::Statistics, ContentGroup::Buffer})
        contents.Group(g).found = contents.Group(g).last != 0;
    return contents;
}

SubfileContents ScanMergedSubfiles(const ImageReader& image, std::span<const MultifileEntry> list,
                                   const ChainFlags& flags)
{
    SubfileContents contents;
    contents.bits.assign(list.size(), 0);
    for (std::size_t k = 0; k < list.size(); ++k)
        ScanChain(image, list[k], static_cast<int>(k + 1), flags, contents);
    for (ContentGroup g : {ContentGroup::Histogram, ContentGroup::Statistics, ContentGroup::Octave,
                           ContentGroup::ThirdOctave, ContentGroup::Fft, ContentGroup::OctaveStats,
                           ContentGroup::OtherBandStats, ContentGroup::Buffer})
        contents.Group(g).found = contents.Group(g).last != 0;
    return contents;
}

int ClampSubfileSelection(const SubfileDirectory& dir, const SubfileContents& contents, std::uint8_t fileKind,
                          int viewKind, SubfileSelection& selection, BandStatistics bandStatistics)
{
    std::span<const ClampRule> rules;
    if (IsCurrentMultifileKind(fileKind))
        rules = kCurrentClampRules;
    else if (fileKind == kKindLegacyMultifile)
        rules = kLegacyClampRules;

    if (IsCurrentMultifileKind(fileKind) || fileKind == kKindLegacyMultifile) {
        auto rule = std::find_if(rules.begin(), rules.end(),
                                 [viewKind](const ClampRule& r) { return r.viewKind == viewKind; });
        ContentGroup group = rule == rules.end() ? ContentGroup::Histogram : rule->group;
        if (rule != rules.end() && rule->bandStatistics && bandStatistics.octave)
            group = ContentGroup::OctaveStats;
        else if (rule != rules.end() && rule->bandStatistics && bandStatistics.other)
            group = ContentGroup::OtherBandStats;
        const GroupRange& range = contents.Group(group);
        // Other views, and a group no sub-file holds (nothing to clamp into), run over every sub-file.
        if (rule == rules.end() || range.first == 0 || range.last == 0) {
            selection.first = 1;
            selection.last = static_cast<int>(dir.list.size());
        } else {
            int s = selection.selected;
            if (s < range.first)
                s = range.first;
            else if (s > range.last)
                s = range.last;
            else
                while (s < range.last && !HasGroup(contents.BitsOf(s), group))
                    ++s;
            selection.first = range.first;
            selection.last = range.last;
            if (s != selection.selected) {
                selection.selected = s;
                if (rule->resetsRecord)
                    selection.record = 1;
            }
        }
    }
    selection.name = SubfileName(dir, selection.selected);
    return 1;
}

} // namespace orlu
