#include "analysis/statistics/StatisticsFamily.h"

#include "analysis/statistics/BandAxis.h"

#include "document/CTmDoc.h"
#include "document/container/FileKindCode.h"

namespace orlu {
namespace {

constexpr int kMaxChannels = 16;

// Channels (profiles) a file of the family can have.
int ChannelLimit(const CTmDoc& doc, StatisticsFamily family)
{
    switch (family) {
    case StatisticsFamily::FourChannel:
        return 5; // four channels and the vector
    case StatisticsFamily::Current:
        return static_cast<int>(doc.Header().profiles.size());
    case StatisticsFamily::Legacy:
        return doc.Legacy().channelMode != 0 ? 5 : 1;
    case StatisticsFamily::None:
        break;
    }
    return 0;
}

} // namespace

StatisticsFamily StatisticsFamilyOf(const CTmDoc& doc)
{
    if (doc.FileKind() == kKindMonitor)
        return StatisticsFamily::None;
    if (doc.IsLegacyDocument())
        return doc.LegacyDecoded() ? StatisticsFamily::Legacy : StatisticsFamily::None;
    if (!doc.HeaderDecoded() || doc.Header().setupFile)
        return StatisticsFamily::None;
    return doc.Header().model.FourChannel ? StatisticsFamily::FourChannel : StatisticsFamily::Current;
}

bool DecodeStatisticsSubfile(CTmDoc& doc, StatisticsFamily family, int n)
{
    if (n == 0)
        return true;
    try {
        const auto sub = static_cast<std::uint16_t>(n);
        return family == StatisticsFamily::Legacy ? doc.DecodeLegacyHeader(sub) : doc.DecodeFileHeader(sub);
    } catch (const ImageRangeError&) {
        return false;
    }
}

std::uint16_t StatisticsContentBits(int octave)
{
    return octave == 11 ? 0x0100 : octave == 13 ? 0x0200 : 0x0007;
}

std::vector<StatisticsItem> StatisticsItems(CTmDoc& doc, const StatisticsChoices& choices)
{
    std::vector<StatisticsItem> items;
    const StatisticsFamily family = StatisticsFamilyOf(doc);
    if (family == StatisticsFamily::None)
        return items;
    const int shown = doc.SubfileCount() > 0 ? std::max(choices.subfile, 1) : 0;
    const int band = choices.octave != 0 ? std::max(choices.band, 1) : 0;
    if (band != 0 && family == StatisticsFamily::Current) {
        if (choices.allFiles && doc.SubfileCount() == 0) {
            const std::size_t bands = BandAxisOf(doc, choices.octave).Count();
            for (std::size_t k = 1; k <= bands; ++k)
                items.push_back({0, 0, static_cast<int>(k)});
            return items;
        }
        if (!choices.allFiles) {
            items.push_back({shown, 0, band});
            return items;
        }
        for (int u = 1; u <= doc.SubfileCount(); ++u)
            if (doc.GetSubfileContents().BitsOf(u) & StatisticsContentBits(choices.octave))
                items.push_back({u, 0, band});
        return items;
    }
    if (choices.channelMask != 0) {
        const int limit = std::min(ChannelLimit(doc, family), kMaxChannels);
        for (int f = 0; f < limit; ++f)
            if (choices.channelMask & (1u << f))
                items.push_back({shown, f, band});
        return items;
    }
    if (choices.allFiles && doc.SubfileCount() > 0) {
        const SubfileContents& contents = doc.GetSubfileContents();
        const std::uint16_t bits = StatisticsContentBits(choices.octave);
        for (int u = 1; u <= doc.SubfileCount(); ++u)
            if (contents.BitsOf(u) & bits)
                items.push_back({u, choices.channel, band});
        return items;
    }
    items.push_back({shown, choices.channel, band});
    return items;
}

} // namespace orlu
