#include "analysis/statistics/LoggerGraphData.h"

#include "analysis/statistics/Aggregation.h"
#include "analysis/statistics/ChannelScale.h"
#include "analysis/statistics/LoggerColumns.h"
#include "analysis/statistics/RunningTotals.h"
#include "document/headers/CurrentHeader.h"
#include "platform/ValueFormat.h"
#include "reports/common/SubfileSelectionKeeper.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace orlu {
namespace {

enum BlockResult { kBlockLeq = 0, kBlockMax = 1, kBlockMin = 2, kBlockSel = 3 };

bool LinearDisplay(const CTmDoc& doc, std::uint8_t units)
{
    return doc.Channel().inputKind == kInputMicrophone ? units == 1 : units == 0;
}

std::string Title(const CTmDoc& doc, const LoggerPlace& place, const LoggerColumn& c)
{
    std::string title = place.layout == LoggerLayout::Slots ? "LOGGER CONTENTS  " : "BUFFER CONTENTS  ";
    switch (c.content) {
    case LoggerContent::Samples:
        return title + StrPrintf("%s #%d:  -  %s  ", "Channel", c.row + 1, "TIME");
    case LoggerContent::Rotation:
        return title + StrPrintf("%s  -  %s", "Rotation", "RPM");
    case LoggerContent::Vector:
        return title + "RMS Vector";
    case LoggerContent::Levels:
        break;
    }
    if (place.layout == LoggerLayout::FourChannel)
        title += StrPrintf("%s #%d:P%d  -  %s (%s", "Channel", c.row + 1, c.profile + 1, c.name.c_str(),
                           LoggerWeightingName(doc, place).c_str());
    else
        title += StrPrintf("%s #%d  -  %s (%s", "Profile", c.row + 1, c.name.c_str(),
                           LoggerWeightingName(doc, place).c_str());
    if (CaptionNamesDetector(c.name))
        title += StrPrintf(",%s", LoggerDetectorName(doc).c_str());
    return title + ")";
}

// The block's records: from the first marker's record over last - first + d records, as
// many as there are from the first.
struct BlockRecords {
    std::size_t first = 0;
    std::size_t count = 0;
};

BlockRecords BlockOf(const BufferChoices& choices, std::size_t records, int degree)
{
    const std::size_t first = std::min<std::size_t>(choices.markers[0], records);
    const std::size_t count = std::size_t{choices.markers[1]} - choices.markers[0] + static_cast<std::size_t>(degree);
    return {first, std::min(count, records - first)};
}

// A running series of the block, 0 after it to the last record, aggregated as levels.
PlotSeries BlockSeries(std::vector<double> series, std::size_t blockCount, int degree)
{
    std::fill(series.begin() + static_cast<std::ptrdiff_t>(std::min(blockCount, series.size())), series.end(), 0.0);
    const std::size_t n = Aggregate(AggregationKind::EnergyMean, series, false, {}, degree);
    series.resize(std::min(n, series.size()));
    return PlotSeries(std::move(series));
}

void FillBlock(const CTmDoc& doc, const LoggerPlace& place, const LoggerColumn& c, const BufferChoices& choices,
               bool linear, int degree, int panel, PlotData& data)
{
    const auto p = static_cast<std::size_t>(panel);
    const BlockRecords block = BlockOf(choices, place.records, degree);
    const ImageReader image = LoggerImage(doc, place);
    double low = 0.0, high = 0.0;
    const bool extremes = choices.blockResults[kBlockMax] != 0 || choices.blockResults[kBlockMin] != 0;
    switch (c.content) {
    case LoggerContent::Rotation:
        if (block.count > 0)
            RunningTotalsReal(image, c.column, place.firmware, block.first, block.count, place.timeStep,
                              RunningTotalsOut{.leq = {}, .sel = {}, .min = &low, .max = &high});
        break;
    case LoggerContent::Samples: {
        // The extremes of the block's samples, in the panel's units.
        std::vector<double> samples(block.count);
        samples.resize(ReadSampleRun(image, c.column, block.first, samples));
        const double scale = doc.Channel().sampleScale;
        for (double& s : samples)
            s *= std::isfinite(scale) && scale > 0.0 ? scale : 1.0;
        if (!samples.empty()) {
            const auto [min, max] = std::minmax_element(samples.begin(), samples.end());
            low = *min;
            high = *max;
        }
        break;
    }
    case LoggerContent::Levels:
    case LoggerContent::Vector: {
        const bool totals = c.total != TotalKind::None;
        std::vector<double> leq(totals && choices.blockResults[kBlockLeq] ? place.records : 0);
        std::vector<double> sel(totals && choices.blockResults[kBlockSel] ? place.records : 0);
        if (block.count > 0)
            RunningTotals(image, c.column, kCurrentLoggerCoding, block.first, block.count, place.timeStep,
                          RunningTotalsOut{.leq = leq, .sel = sel, .min = &low, .max = &high});
        if (!leq.empty())
            data.SeriesB[p] = BlockSeries(std::move(leq), block.count, degree);
        if (!sel.empty())
            data.SeriesC[p] = BlockSeries(std::move(sel), block.count, degree);
        // The block's extremes in the units of the panel's values.
        if (linear) {
            const LinearScale scale = ChannelLinearScale(doc);
            low = scale.Linear(low);
            high = scale.Linear(high);
        }
        break;
    }
    }
    if (extremes && block.count > 0) {
        data.BlockLmax[p] = high;
        data.BlockLmin[p] = low;
    }
}

// The first accelerometer channel gives the vector its units.
void SelectVectorChannel(CTmDoc& doc, const LoggerPlace& place)
{
    const CurrentHeader& h = doc.Header();
    for (int c = 0; c < place.channels; ++c)
        if (h.fourChannel.channels[static_cast<std::size_t>(c)].inputKind == kInputAccelerometer) {
            doc.SelectChannelProfile(c, 0);
            return;
        }
}

} // namespace

bool GraphLogger(CTmDoc& doc, PlotData& data, const BufferChoices& choices, int panel)
{
    const std::optional<LoggerPlace> place = LocateLogger(doc);
    if (!place || panel < 0 || panel > kLoggerPseudoRow)
        return false;
    const SubfileSelectionKeeper keeper(doc);
    const int degree = std::max(choices.degree, 1);
    const auto p = static_cast<std::size_t>(panel);
    BufferChoices shown = choices;
    // Past the vector, or without one, the last panel is the rotation's.
    if (panel == kLoggerPseudoRow && !(place->vector && choices.resultIndex[p] == 0) && !place->samples)
        shown.resultIndex[p] = place->vector ? 1 : 0;
    const LoggerColumn c = DescribeLoggerColumn(doc, *place, panel, shown.resultIndex[p]);
    if (!c.logged)
        return false;
    if (c.content == LoggerContent::Vector)
        SelectVectorChannel(doc, *place);

    data.PanelTitles[p] = Title(doc, *place, c);
    data.PanelResultNames[p] = c.name.substr(0, 16);
    data.VdvPanel[p] = c.name == "VDV" ? 1 : 0;
    // Each panel writes the numbers again, into the array the first one made.
    LoggerRecordNumbers(doc, *place, data.TimeStamps);

    const bool linear = LinearDisplay(doc, choices.units) && c.content != LoggerContent::Rotation;
    LoggerValues values = ReadLoggerValues(doc, *place, c, false, linear, degree);
    if (c.content == LoggerContent::Rotation) {
        double fastest = 0.0;
        for (double v : values.values)
            fastest = std::max(fastest, v);
        // Kept as a double: 1.1 x 30 000 rpm no longer wraps as a 16-bit axis did.
        data.RpmRangeTop = std::max(1.0, std::trunc(fastest * 1.1));
        data.RpmValues = PlotSeries(values.values);
    }
    data.BufferValues[p] = PlotSeries(std::move(values.values));

    const bool anyBlockResult = std::any_of(choices.blockResults.begin(), choices.blockResults.end(),
                                            [](std::int32_t s) { return s != 0; });
    if (choices.block && anyBlockResult)
        FillBlock(doc, *place, c, choices, linear, degree, panel, data);
    if (choices.totals && c.total != TotalKind::None)
        data.SeriesA[p] = PlotSeries(ReadLoggerValues(doc, *place, c, true, linear, degree).values);
    return true;
}

} // namespace orlu
