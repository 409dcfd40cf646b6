#include "monitor/MonitorStatisticsText.h"

#include "analysis/statistics/Histogram.h"
#include "document/CTmDoc.h"
#include "document/texts/TimeTexts.h"
#include "monitor/MonitorDocument.h"
#include "monitor/MonitorParser.h"
#include "monitor/MonitorStatisticsItems.h"
#include "monitor/MonitorSoundRows.h"
#include "monitor/MonitorStream.h"
#include "platform/ValueFormat.h"

#include <algorithm>
#include <string>
#include <vector>

namespace orlu {
namespace {

CivilTime Civil(std::time_t t)
{
    const MonitorClock c = MonitorClockAt(t);
    return {c.Year, c.Month, c.Day, c.Hour, c.Minute, c.Second};
}

using Item = MonitorStatisticsItem;

constexpr std::size_t kColumns = 4;

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

void LevelsItem(Writer& out, CTmDoc& doc, const MonitorDocument& m, const Item& item)
{
    const CivilTime when = Civil(MonitorRecordTime(m, item.number, m.Station.StatisticsStep));
    out.Add("");
    out.Add("Statistical levels for Histograms No." + FormatRecordStamp(static_cast<int>(item.number), when) + ":");
    out.Add(item.label);
    const auto& percentages = doc.StatisticalPercentages();
    const std::array<double, 10> levels = KeepMonitorLevels(doc, item.histogram);
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
    const std::vector<Item> items = octave ? MonitorBandItems(s, m, choices, record, form == MonitorStatisticsForm::Densities)
                                           : MonitorProfileItems(s, m, selected, record);
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
