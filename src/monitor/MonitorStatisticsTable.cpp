#include "monitor/MonitorStatisticsTable.h"

#include "document/CTmDoc.h"
#include "document/texts/TimeTexts.h"
#include "monitor/MonitorParser.h"
#include "monitor/MonitorSoundRows.h"
#include "monitor/MonitorStatisticsItems.h"
#include "platform/ValueFormat.h"
#include "reports/table/StatisticsCrossTables.h"

#include <algorithm>

namespace orlu {

bool FormatMonitorHistogramsTable(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& tableKind,
                                  const StatisticsChoices& choices, int record, const TableOutputOptions& options)
{
    tableKind = 2;
    if (!ParseMonitorFile(doc) || choices.octave != 0)
        return false;
    const MonitorDocument& m = *doc.Monitor();
    const MonitorStream s(doc.Image(), doc.ByteCount());
    const std::uint16_t selected = choices.channelMask != 0 ? choices.channelMask : 7;
    std::vector<MonitorStatisticsItem> items = MonitorProfileItems(s, m, selected, record);
    std::erase_if(items, [](const MonitorStatisticsItem& item) { return !item.histogram.Usable(); });
    if (items.empty())
        return false;
    const Histogram& first = items.front().histogram;
    StatCrossTable table;
    const MonitorClock c = MonitorClockAt(MonitorRecordTime(m, items.front().number, m.Station.StatisticsStep));
    table.Caption = "Histograms No." +
                    FormatRecordStamp(static_cast<int>(items.front().number),
                                      CivilTime{c.Year, c.Month, c.Day, c.Hour, c.Minute, c.Second}) +
                    ":";
    table.Kind = CrossElementKind::Profile;
    table.ClassCount = static_cast<std::uint16_t>(first.counts.size());
    table.Width = first.width;
    if (choices.markers.Block()) {
        const ClassRange block = BlockClasses(first, choices.markers);
        table.Block = {!block.Empty(), static_cast<std::uint16_t>(block.first), static_cast<std::uint16_t>(block.last)};
    }
    for (MonitorStatisticsItem& item : items) {
        // Every profile of the interval is tabled by the first one's classes.
        item.histogram.counts.resize(first.counts.size(), 0);
        table.Elements.push_back({StrPrintf("#%d", item.profile), "", item.histogram.lowest, item.histogram.counts});
    }
    return WriteHistogramsCrossTable(lines, widest, table, options) == 1;
}

} // namespace orlu
