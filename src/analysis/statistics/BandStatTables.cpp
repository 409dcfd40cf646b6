#include "analysis/statistics/BandStatTables.h"

#include "analysis/statistics/BandAxis.h"
#include "analysis/statistics/HistogramSource.h"

namespace orlu {

BandStatTable BandTableOf(CTmDoc& doc, const StatisticsChoices& choices, const std::vector<StatisticsItem>& items,
                          std::string caption)
{
    BandStatTable table;
    table.Caption = std::move(caption);
    if (items.empty())
        return table;
    const BandAxis axis = BandAxisOfSubfile(doc, items.front().subfile, choices.octave);
    for (const StatisticsItem& item : items) {
        Histogram h = ReadHistogram(doc, {item.subfile, item.channel, item.band});
        if (table.Bands.empty()) {
            for (std::size_t i = 0; i < h.ClassCount(); ++i)
                table.ClassBounds.push_back(h.Bound(i));
            const ClassRange range = BlockClasses(h, choices.markers);
            table.Block = {!range.Empty(), static_cast<std::uint16_t>(range.first),
                           static_cast<std::uint16_t>(range.last)};
        }
        BandCounts band;
        const auto k = static_cast<std::size_t>(item.band - 1);
        if (axis.IsFrequencyBand(k))
            band.Frequency = axis.centres[k];
        else if (k < axis.Count())
            band.TotalName = axis.totalNames[k - axis.centres.size()];
        band.Counts = std::move(h.counts);
        band.Counts.resize(table.ClassBounds.size(), 0);
        table.Bands.push_back(std::move(band));
    }
    return table;
}

} // namespace orlu
