#include "analysis/statistics/HistogramSource.h"

#include "reports/table/StatisticsElements.h"

namespace orlu {

Histogram ReadHistogram(CTmDoc& doc, const HistogramPlace& place)
{
    if (place.channel < 0 || place.channel >= 16)
        return {};
    StatElementChoice choice;
    choice.channelMask = static_cast<std::uint16_t>(1u << place.channel);
    choice.channel = place.channel;
    choice.band = place.band;
    choice.fileOrRecord = place.subfile;
    StatCrossTable table = CollectHistogramElements(doc, choice);
    if (table.Elements.empty())
        return {};
    StatElement& element = table.Elements.front();
    Histogram h{element.Lowest, table.Width, std::move(element.Counts)};
    if (!h.Usable())
        h.counts.clear();
    return h;
}

} // namespace orlu
