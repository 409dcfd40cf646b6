#include "monitor/MonitorStatisticsItems.h"

#include "document/CTmDoc.h"
#include "document/tables/BandTables.h"
#include "monitor/MonitorNames.h"
#include "monitor/MonitorParser.h"
#include "monitor/MonitorSoundRows.h"
#include "platform/ValueFormat.h"

#include <algorithm>

namespace orlu {
namespace {

// Offsets of a statistics payload from the record's '#' (a first record's '[' is 6 bytes before it).
constexpr std::uint32_t kLayoutFromHash = 8;
constexpr std::uint32_t kCountsFromHash = 14;

// The class layout at `hash` + 8 and `classes` counts from `from`, none past the record's own length.
Histogram ReadHistogram(const MonitorStream& s, std::uint32_t hash, std::uint32_t from, std::uint32_t classes)
{
    Histogram h;
    const std::uint32_t length = s.U16At(hash + kLayoutFromHash - 2);
    const std::uint32_t end = hash + kLayoutFromHash + length; // the record's ';'
    h.lowest = static_cast<std::int16_t>(s.U16At(hash + kLayoutFromHash + 2));
    h.width = static_cast<std::int16_t>(s.U16At(hash + kLayoutFromHash + 4));
    for (std::uint32_t i = 0; i < classes && from + 4 * (i + 1) <= end; ++i)
        h.counts.push_back(s.U32At(from + 4 * i));
    return h;
}

// Band u's centre frequency, or its total's name past the frequency bands, and its label.
void NameBand(const MonitorDocument& m, int octave, int u, MonitorStatisticsItem& item)
{
    const char* name = octave == 11 ? "Oct.1/1" : "Oct.1/3";
    if (u < m.FrequencyBands) {
        const std::span<const double> centres = octave == 11 || m.Setup.Function == 2 ? OctaveCentrePtr(15)
                                                                                      : ThirdOctaveCentrePtr(45);
        const std::size_t at = m.Setup.Function == 2 ? static_cast<std::size_t>(3 * u + 1) : static_cast<std::size_t>(u);
        if (at < centres.size()) {
            item.frequency = centres[at];
            item.label = StrPrintf("(%s[%d]: %g Hz):", name, u + 1, centres[at]);
            return;
        }
    }
    item.totalName = std::string(NameAt(kMonitorTotalNames, u - m.FrequencyBands));
    item.label = StrPrintf("(%s[%d]: %s):", name, u + 1, item.totalName.c_str());
}

} // namespace

// The profiles of interval r: those selected and acquired, each read past the records before it.
std::vector<MonitorStatisticsItem> MonitorProfileItems(const MonitorStream& s, const MonitorDocument& m, std::uint16_t selected, int r)
{
    std::vector<MonitorStatisticsItem> items;
    if (m.StatisticsProfileCount == 0 || r < 1 || static_cast<std::uint32_t>(r) > m.ProfileStatisticsCount)
        return items;
    const std::uint32_t first =
        m.Record(kStreamProfileStatistics, static_cast<std::uint32_t>(r - 1) * m.StatisticsProfileCount + 1);
    const std::uint32_t number = MonitorRecordNumber(s, first);
    std::uint32_t hash = first + kMonitorHashOffset;
    bool firstRecord = true;
    for (int p = 0; p < 3; ++p) {
        if (!(m.StatisticsProfileMask & (1u << p)))
            continue;
        if (!firstRecord) {
            // The next profile's record begins after the ';' of the one before it.
            std::uint32_t q = hash + 1;
            if (!SkipMonitorRecord(s, '5', q) || !s.Inside(q + 1) || s.Byte(q + 1) != '#')
                break;
            hash = q + 1;
        }
        firstRecord = false;
        if (!(selected & (1u << p)))
            continue;
        MonitorStatisticsItem item;
        item.number = number;
        const std::uint32_t classes = s.U16At(hash + kLayoutFromHash);
        item.histogram = ReadHistogram(s, hash, hash + kCountsFromHash, classes);
        item.label = StrPrintf("%s #%d  -  %s ", "Profile", p + 1, "Leq");
        item.profile = p + 1;
        items.push_back(std::move(item));
    }
    return items;
}

// The bands of octave-statistics record r: band b, or every band (the densities one less).
std::vector<MonitorStatisticsItem> MonitorBandItems(const MonitorStream& s, const MonitorDocument& m, const StatisticsChoices& choices, int r,
                            bool densities)
{
    std::vector<MonitorStatisticsItem> items;
    if (r < 1 || static_cast<std::uint32_t>(r) > m.OctaveStatisticsCount || m.OctaveStatisticsBands <= 0)
        return items;
    const std::uint32_t first = m.Record(kStreamOctaveStatistics, static_cast<std::uint32_t>(r));
    const std::uint32_t hash = first + kMonitorHashOffset;
    const std::uint32_t classes = s.U16At(hash + kLayoutFromHash);
    int from = choices.band - 1, to = choices.band - 1;
    if (choices.allFiles) {
        from = 0;
        to = m.OctaveStatisticsBands - (densities ? 2 : 1);
    }
    for (int u = std::max(from, 0); u <= std::min(to, m.OctaveStatisticsBands - 1); ++u) {
        MonitorStatisticsItem item;
        item.number = MonitorRecordNumber(s, first);
        item.histogram = ReadHistogram(s, hash, hash + kCountsFromHash + static_cast<std::uint32_t>(u) * classes * 4, classes);
        NameBand(m, choices.octave, u, item);
        items.push_back(std::move(item));
    }
    return items;
}

std::array<double, 10> KeepMonitorLevels(CTmDoc& doc, const Histogram& h)
{
    const auto& percentages = doc.StatisticalPercentages();
    const std::size_t users = std::min<std::size_t>(doc.StatisticalLevelCount(), percentages.size());
    std::array<double, 10> levels{};
    PickStatLevels(ComputeStatLevels99(h), std::span(percentages.data(), users), levels);
    std::copy_n(levels.begin(), users, doc.UserLevels().begin());
    doc.SetHistogramTotal(h.Sum());
    return levels;
}

} // namespace orlu
