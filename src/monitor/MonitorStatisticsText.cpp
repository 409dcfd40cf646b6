#include "monitor/MonitorStatisticsText.h"

#include "analysis/statistics/Histogram.h"
#include "document/CTmDoc.h"
#include "document/tables/BandTables.h"
#include "document/texts/TimeTexts.h"
#include "monitor/MonitorDocument.h"
#include "monitor/MonitorNames.h"
#include "monitor/MonitorParser.h"
#include "monitor/MonitorSoundRows.h"
#include "monitor/MonitorStream.h"
#include "platform/ValueFormat.h"

#include <algorithm>
#include <string>
#include <vector>

namespace orlu {
namespace {

// Offsets of a statistics payload from the record's '#' (a first record's '[' is 6 bytes before it).
constexpr std::uint32_t kLayoutFromHash = 8;
constexpr std::uint32_t kCountsFromHash = 14;
constexpr std::size_t kColumns = 4;

struct Item {
    Histogram histogram;
    std::string label;
    std::uint32_t number = 0; ///< the MonitorRecordNumber of the record read
};

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

CivilTime Civil(std::time_t t)
{
    const MonitorClock c = MonitorClockAt(t);
    return {c.Year, c.Month, c.Day, c.Hour, c.Minute, c.Second};
}

// The profiles of interval r: those selected and acquired, each read past the records before it.
std::vector<Item> ProfileItems(const MonitorStream& s, const MonitorDocument& m, std::uint16_t selected, int r)
{
    std::vector<Item> items;
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
        Item item;
        item.number = number;
        const std::uint32_t classes = s.U16At(hash + kLayoutFromHash);
        item.histogram = ReadHistogram(s, hash, hash + kCountsFromHash, classes);
        item.label = StrPrintf("%s #%d  -  %s ", "Profile", p + 1, "Leq");
        items.push_back(std::move(item));
    }
    return items;
}

std::string BandLabel(const MonitorDocument& m, int octave, int u)
{
    const char* name = octave == 11 ? "Oct.1/1" : "Oct.1/3";
    if (u < m.FrequencyBands) {
        const std::span<const double> centres = octave == 11 || m.Setup.Function == 2 ? OctaveCentrePtr(15)
                                                                                      : ThirdOctaveCentrePtr(45);
        const std::size_t at = m.Setup.Function == 2 ? static_cast<std::size_t>(3 * u + 1) : static_cast<std::size_t>(u);
        if (at < centres.size())
            return StrPrintf("(%s[%d]: %g Hz):", name, u + 1, centres[at]);
    }
    return StrPrintf("(%s[%d]: %s):", name, u + 1,
                     std::string(NameAt(kMonitorTotalNames, u - m.FrequencyBands)).c_str());
}

// The bands of octave-statistics record r: band b, or every band (the densities one less).
std::vector<Item> BandItems(const MonitorStream& s, const MonitorDocument& m, const StatisticsChoices& choices, int r,
                            bool densities)
{
    std::vector<Item> items;
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
        Item item;
        item.number = MonitorRecordNumber(s, first);
        item.histogram = ReadHistogram(s, hash, hash + kCountsFromHash + static_cast<std::uint32_t>(u) * classes * 4, classes);
        item.label = BandLabel(m, choices.octave, u);
        items.push_back(std::move(item));
    }
    return items;
}

class Writer {
public:
    Writer(LineList& lines, int* widest) : m_Lines(lines), m_Widest(widest) {}
    void Add(std::string line) { AddLine(m_Lines, line, m_Widest); }

private:
    LineList& m_Lines;
    int* m_Widest;
};

const std::string kRule(77, '-');

// The shown classes in four columns filled top to bottom.
void ClassColumns(Writer& out, const Histogram& h, ClassRange shown, const std::vector<double>& values)
{
    const std::size_t count = shown.Size();
    const std::size_t rows = (count + kColumns - 1) / kColumns;
    for (std::size_t row = 0; row < rows; ++row) {
        std::string line;
        for (std::size_t c = 0; c < kColumns; ++c) {
            const std::size_t k = row + c * rows;
            if (k >= count)
                break;
            if (c > 0)
                line += "     ";
            const std::size_t i = shown.first + k;
            line += StrPrintf("%7.1f%8.2f", h.Bound(i), values[i]);
        }
        out.Add(line);
    }
}

ClassRange Shown(const Histogram& h, const ClassMarkers& markers)
{
    return markers.Block() ? BlockClasses(h, markers) : ClassRange{0, h.counts.size() - 1};
}

void HistogramItem(Writer& out, const MonitorDocument& m, const Item& item, const ClassMarkers& markers)
{
    const Histogram& h = item.histogram;
    const std::uint64_t total = h.Sum();
    const ClassRange shown = Shown(h, markers);
    std::vector<double> percent(h.counts.size());
    for (std::size_t i = 0; i < h.counts.size(); ++i)
        percent[i] = ClassPercent(h.counts[i], total);
    const CivilTime when = Civil(MonitorRecordTime(m, item.number, m.Station.StatisticsStep));
    out.Add("");
    out.Add(std::string(markers.Block() ? "Block of the " : "") + "Histograms No." +
            FormatRecordStamp(static_cast<int>(item.number), when) + ":");
    out.Add(item.label);
    out.Add(StrPrintf("   number of classes = %lu", static_cast<unsigned long>(shown.Size())));
    out.Add(StrPrintf("   class width = %.1f dB", h.width / 10.0));
    const BlockShare block = BlockProbability(h, markers, total);
    if (markers.count > 1)
        out.Add(StrPrintf("   number of results in the block = %lu", static_cast<unsigned long>(block.count)));
    else
        out.Add(StrPrintf("   total number of results = %lu", static_cast<unsigned long>(total)));
    // The results' step in seconds, named so.
    out.Add(StrPrintf("   results DELTA_INT = %d s", m.Station.SoundStep));
    if (markers.Block())
        out.Add(StrPrintf("   probability of the block = %.2f%%", block.percent));
    out.Add(kRule);
    out.Add("  cl[dB]    P[%]      cl[dB]    P[%]      cl[dB]    P[%]      cl[dB]    P[%] ");
    out.Add(kRule);
    ClassColumns(out, h, shown, percent);
    out.Add(kRule);
}

void DensityItem(Writer& out, const MonitorDocument& m, const Item& item, const ClassMarkers& markers)
{
    const Histogram& h = item.histogram;
    const std::uint64_t total = h.Sum();
    const ClassRange shown = Shown(h, markers);
    std::vector<double> density(h.counts.size());
    std::uint64_t below = 0;
    for (std::size_t i = 0; i < h.counts.size(); ++i) {
        density[i] = static_cast<double>(total - below) * 100.0 / static_cast<double>(std::max<std::uint64_t>(total, 1));
        below += h.counts[i];
    }
    const CivilTime when = Civil(MonitorRecordTime(m, item.number, m.Station.StatisticsStep));
    out.Add("");
    out.Add(std::string(markers.Block() ? "Block of the " : "") + "Statistical density for Histograms No." +
            FormatRecordStamp(static_cast<int>(item.number), when) + ":");
    out.Add(item.label);
    if (markers.Block() && !shown.Empty())
        out.Add(StrPrintf("   probability of the block = %.2f%%", density[shown.first] - density[shown.last]));
    out.Add(kRule);
    out.Add("  cl[dB]    D[%]      cl[dB]    D[%]      cl[dB]    D[%]      cl[dB]    D[%] ");
    out.Add(kRule);
    ClassColumns(out, h, shown, density);
    out.Add(kRule);
}

void LevelsItem(Writer& out, const CTmDoc& doc, const MonitorDocument& m, const Item& item)
{
    const CivilTime when = Civil(MonitorRecordTime(m, item.number, m.Station.StatisticsStep));
    out.Add("");
    out.Add("Statistical levels for Histograms No." + FormatRecordStamp(static_cast<int>(item.number), when) + ":");
    out.Add(item.label);
    const auto& percentages = doc.StatisticalPercentages();
    std::array<double, 10> levels{};
    const std::size_t users = std::min<std::size_t>(doc.StatisticalLevelCount(), percentages.size());
    PickStatLevels(ComputeStatLevels99(item.histogram), std::span(percentages.data(), users), levels);
    const std::string rule = "        " + std::string(61, '-');
    out.Add("");
    out.Add("  i          1     2     3     4     5     6     7     8     9    10 ");
    out.Add(rule);
    std::string ni = " ni[%]  ", lni = "Lni[dB] ";
    for (std::size_t k = 0; k < percentages.size(); ++k) {
        ni += StrPrintf("%6u", static_cast<unsigned>(percentages[k]));
        lni += StrPrintf("%6.1f", levels[k]);
    }
    out.Add(ni);
    out.Add(lni);
    out.Add(rule);
}

} // namespace

bool FormatMonitorStatisticsText(CTmDoc& doc, LineList& lines, int* widest, MonitorStatisticsForm form,
                                 const StatisticsChoices& choices, int record)
{
    ClearLineList(&lines);
    *widest = 0;
    if (!ParseMonitorFile(doc))
        return false;
    const MonitorDocument& m = *doc.Monitor();
    const MonitorStream s(doc.Image(), doc.ByteCount());
    const bool octave = choices.octave != 0;
    if (octave ? m.OctaveStatisticsCount == 0 : m.ProfileStatisticsCount == 0)
        return false;
    const std::uint16_t selected = choices.channelMask != 0 ? choices.channelMask : 7;
    const std::vector<Item> items = octave ? BandItems(s, m, choices, record, form == MonitorStatisticsForm::Densities)
                                           : ProfileItems(s, m, selected, record);
    Writer out(lines, widest);
    for (const Item& item : items) {
        if (!item.histogram.Usable())
            continue;
        switch (form) {
        case MonitorStatisticsForm::Histograms: HistogramItem(out, m, item, choices.markers); break;
        case MonitorStatisticsForm::Densities: DensityItem(out, m, item, choices.markers); break;
        case MonitorStatisticsForm::Levels: LevelsItem(out, doc, m, item); break;
        }
    }
    return true;
}

} // namespace orlu
