#include "analysis/statistics/HistogramForms.h"

#include "analysis/statistics/BandAxis.h"
#include "analysis/statistics/BandStatTables.h"
#include "analysis/statistics/HistogramSource.h"
#include "analysis/statistics/ResultSlots.h"
#include "analysis/statistics/StatisticsFamily.h"
#include "document/CTmDoc.h"
#include "platform/ValueFormat.h"
#include "reports/common/NameTables.h"
#include "reports/common/SubfileSelectionKeeper.h"
#include "reports/table/ColumnTableWriter.h"
#include "reports/table/StatisticsElements.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace orlu {
namespace {

constexpr std::string_view kRowHeader =
    "  cl[dB]    P[%]      cl[dB]    P[%]      cl[dB]    P[%]      cl[dB]    P[%] ";
constexpr int kTextColumns = 4;
constexpr int kVectorChannel = 4;

// The function a legacy channel's histogram belongs to, by slot: the layouts up to
// format version 32, and later.
constexpr std::array<std::string_view, 9> kOldFunctionNames{"RMS", "", "", "", "Peak", "", "", "", ""};
constexpr std::array<std::string_view, 9> kFunctionNames{"Peak", "", "Max", "Min", "RMS", "", "", "VDV", ""};

void Add(LineList& lines, int* widest, std::string line)
{
    AddLine(lines, line, widest);
}

std::string Rule()
{
    return std::string(77, '-');
}

// The name of the first function the legacy channel logs (the view's first result).
std::string_view LegacyFunctionName(const LegacyHeader& h, int channel)
{
    const auto& names = h.formatVersion > 32 ? kFunctionNames : kOldFunctionNames;
    const std::uint16_t slots = h.Channel(channel).bufferWord;
    for (std::size_t k = 0; k < 8; ++k)
        if (slots & (1u << k))
            return names[k];
    return names[8];
}

// The result a current-family histogram counts: "Leq" for a stored one, else the first
// result the profile logs.
std::string CurrentResultName(const CTmDoc& doc, int channel)
{
    const CurrentHeader& h = doc.Header();
    if (!h.timeHistory)
        return "Leq";
    if (h.model.FourChannel && channel == kVectorChannel)
        return "Vector";
    std::array<std::uint16_t, 3> masks{};
    for (std::size_t p = 0; p < masks.size(); ++p)
        masks[p] = h.profiles[p].bufferWord;
    return std::string(GetProfileResultName(masks, channel, 0, h.inputKind == 2));
}

// "Histogram:", or with the sub-file's name: "Histogram (file: NAME):" in the text,
// "Histogram (file:NAME):" in tables ("Histogram_(file:NAME):" in legacy tables).
std::string FileCaption(const CTmDoc& doc, int subfile, const char* before, const char* after)
{
    return subfile > 0 ? StrPrintf("Histogram%s(file:%s%s):", before, after, doc.GetSubfileName(subfile).c_str())
                       : std::string("Histogram:");
}

// The caption's channel part of the text form.
std::string ChannelPart(const CTmDoc& doc, StatisticsFamily family, int channel)
{
    if (family == StatisticsFamily::Legacy) {
        const LegacyHeader& h = doc.Legacy();
        const bool channelMode = h.channelMode != 0;
        if (!(h.prefixVariant != 0 || (channelMode && channel <= kVectorChannel)))
            return {};
        const std::string name(LegacyFunctionName(h, channel));
        if (channelMode && channel == kVectorChannel && h.vector)
            return StrPrintf("  Vector  -  %s       ", name.c_str());
        return StrPrintf("  %s #%d  -  %s ", channelMode ? "Channel" : "Profile", channel + 1, name.c_str());
    }
    const std::string name = CurrentResultName(doc, channel);
    if (family == StatisticsFamily::FourChannel)
        return channel == kVectorChannel ? StrPrintf("  Vector  -  %s ", name.c_str())
                                         : StrPrintf("  Channel #%d:P%1d  -  %s ", channel + 1, 1, name.c_str());
    return StrPrintf("  Profile #%d  -  %s ", channel + 1, name.c_str());
}

// A four-channel file's band histograms name their channel before the band.
std::string FourChannelBandPart(StatisticsFamily family, int channel)
{
    return family == StatisticsFamily::FourChannel ? StrPrintf(" Channel #%d  - ", channel + 1) : std::string();
}

// The text block of one histogram; the document shows the item's sub-file and channel.
HistogramTextBlock TextBlockOf(CTmDoc& doc, StatisticsFamily family, const StatisticsItem& item, Histogram histogram)
{
    HistogramTextBlock block;
    block.caption = FileCaption(doc, item.subfile, " ", " ") + ChannelPart(doc, family, item.channel);
    if (family == StatisticsFamily::Legacy) {
        const LegacyHeader& h = doc.Legacy();
        const std::uint16_t code = h.Channel(item.channel).timeStepCode;
        block.integrationLine = StrPrintf("   results DELTA_INT = %s",
                                          std::string(BufferStepNames[code < BufferStepNames.size() ? code : 0]).c_str());
        const std::uint64_t sum = histogram.Sum();
        if (h.timeHistory) {
            block.timeStepLine = StrPrintf("   results time step = %g s", h.codeTimeStep);
            block.total = h.shownRecordCount;
            block.blockTotal = h.shownRecordCount;
        } else {
            // The header's total: the sum of the counts, 1 when they sum to 0.
            block.total = block.blockTotal = std::max<std::uint64_t>(sum, 1);
        }
        block.rows = h.histogramFlag || h.timeHistory;
    } else {
        const CurrentHeader& h = doc.Header();
        static constexpr double kUnitSeconds[] = {1.0, 60.0, 3600.0};
        static constexpr const char* kUnitLetters[] = {"s", "m", "h"};
        const std::size_t unit = h.timeStepUnit < 3 ? h.timeStepUnit : 0;
        block.integrationLine =
            StrPrintf("   results DELTA_INT = %g %s", h.timeStep / kUnitSeconds[unit], kUnitLetters[unit]);
        block.total = block.blockTotal = histogram.Sum();
        block.rows = true;
    }
    block.histogram = std::move(histogram);
    return block;
}

} // namespace

StatisticsChoices WithoutBandMask(StatisticsFamily family, StatisticsChoices choices)
{
    if (choices.octave != 0 && family == StatisticsFamily::Current)
        choices.channelMask = 0;
    return choices;
}

void AppendClassRows(LineList& lines, int* widest, const Histogram& histogram, std::size_t first, std::size_t shown,
                     std::span<const double> values)
{
    shown = std::min(shown, std::min(histogram.counts.size(), values.size()) - std::min(first, values.size()));
    const std::size_t rows = (shown + kTextColumns - 1) / kTextColumns;
    for (std::size_t r = 0; r < rows; ++r) {
        std::string line;
        for (std::size_t c = 0; c < kTextColumns; ++c) {
            const std::size_t k = c * rows + r;
            if (k >= shown)
                break;
            line += StrPrintf("%7.1f%8.2f", histogram.Bound(first + k), values[first + k]);
            if (c + 1 < kTextColumns)
                line += "     ";
        }
        Add(lines, widest, std::move(line));
    }
}

std::string HistogramChannelPart(CTmDoc& doc, int subfile, int channel)
{
    const StatisticsFamily family = StatisticsFamilyOf(doc);
    const SubfileSelectionKeeper keeper(doc);
    if (family == StatisticsFamily::None || !DecodeStatisticsSubfile(doc, family, subfile))
        return {};
    if (family == StatisticsFamily::Legacy) {
        if (doc.Legacy().channelMode != 0)
            doc.SelectLegacyChannel(channel);
    } else {
        doc.SelectChannelProfile(channel, 0);
    }
    return ChannelPart(doc, family, channel);
}

void AppendHistogramText(LineList& lines, int* widest, const HistogramTextBlock& block, const ClassMarkers& markers)
{
    const Histogram& h = block.histogram;
    const ClassRange range = BlockClasses(h, markers);
    const bool inBlock = !range.Empty();
    const std::size_t first = inBlock ? range.first : 0;
    const std::size_t shown = inBlock ? range.Size() : h.ClassCount();
    Add(lines, widest, "");
    Add(lines, widest, (inBlock ? "Block of the " : "") + block.caption);
    Add(lines, widest, StrPrintf("   number of classes = %lu", static_cast<unsigned long>(shown)));
    Add(lines, widest, StrPrintf("   class width = %.1f dB", h.width / 10.0));
    const BlockShare share = BlockProbability(h, markers, block.blockTotal);
    if (inBlock)
        Add(lines, widest, StrPrintf("   number of results in the block = %llu",
                                     static_cast<unsigned long long>(share.count)));
    else
        Add(lines, widest, StrPrintf("   total number of results = %llu", static_cast<unsigned long long>(block.total)));
    Add(lines, widest, block.integrationLine);
    if (!block.timeStepLine.empty())
        Add(lines, widest, block.timeStepLine);
    if (inBlock)
        Add(lines, widest, StrPrintf("   probability of the block = %.2f%%", share.percent));
    Add(lines, widest, Rule());
    if (block.rows && block.total != 0 && shown != 0) {
        Add(lines, widest, std::string(kRowHeader));
        Add(lines, widest, Rule());
        std::vector<double> percents(h.counts.size());
        for (std::size_t i = 0; i < percents.size(); ++i)
            percents[i] = ClassPercent(h.counts[i], block.total);
        AppendClassRows(lines, widest, h, first, shown, percents);
    }
    Add(lines, widest, Rule());
}

bool TextHistogram(CTmDoc& doc, LineList& lines, int* widest, const StatisticsChoices& choices)
{
    ClearLineList(&lines);
    int width = 0;
    const StatisticsFamily family = StatisticsFamilyOf(doc);
    if (family == StatisticsFamily::None)
        return false;
    for (const StatisticsItem& item : StatisticsItems(doc, choices)) {
        Histogram histogram = ReadHistogram(doc, {item.subfile, item.channel, item.band});
        const SubfileSelectionKeeper keeper(doc);
        if (!DecodeStatisticsSubfile(doc, family, item.subfile))
            continue;
        if (family == StatisticsFamily::Legacy) {
            if (doc.Legacy().channelMode != 0)
                doc.SelectLegacyChannel(item.channel);
        } else {
            doc.SelectChannelProfile(item.channel, 0);
        }
        HistogramTextBlock block = TextBlockOf(doc, family, item, std::move(histogram));
        if (item.band != 0)
            block.caption = FileCaption(doc, item.subfile, " ", " ") + FourChannelBandPart(family, item.channel) +
                            BandCaption(BandAxisOf(doc, choices.octave), static_cast<std::size_t>(item.band - 1),
                                        BandLabel(choices.octave, false));
        AppendHistogramText(lines, &width, block, choices.markers);
    }
    if (widest)
        *widest = width;
    return true;
}

bool TableHistogram(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content,
                    const StatisticsChoices& asked, const TableOutputOptions& options)
{
    const StatisticsFamily family = StatisticsFamilyOf(doc);
    if (family == StatisticsFamily::None)
        return false;
    content = 2;
    const StatisticsChoices choices = WithoutBandMask(family, asked);
    if (choices.octave != 0 && choices.allFiles && doc.SubfileCount() == 0 && family == StatisticsFamily::Current)
        return WriteHistogramTable(lines, widest, BandTableOf(doc, choices, StatisticsItems(doc, choices), "Histograms:"),
                                   options) == 1;
    const int band = choices.octave != 0 ? std::max(choices.band, 1) : 0;
    const bool cross = choices.channelMask != 0 || (choices.allFiles && doc.SubfileCount() > 0);
    if (cross) {
        StatElementChoice element;
        element.channelMask = choices.channelMask;
        element.channel = choices.channel;
        element.band = band;
        element.functionMask = StatisticsContentBits(choices.octave);
        element.fileOrRecord = choices.channelMask != 0 && doc.SubfileCount() > 0 ? std::max(choices.subfile, 1) : 0;
        element.block = {choices.markers.Block(), static_cast<std::uint16_t>(std::max(choices.markers.points[0], 0)),
                         static_cast<std::uint16_t>(std::max(choices.markers.points[1], 0))};
        return WriteHistogramsCrossTable(lines, widest, CollectHistogramElements(doc, element), options) == 1;
    }
    const StatisticsItem item = StatisticsItems(doc, choices).front();
    const Histogram h = ReadHistogram(doc, {item.subfile, item.channel, band});
    std::string caption = (choices.markers.Block() ? "Block of the " : "") +
                          FileCaption(doc, item.subfile, family == StatisticsFamily::Legacy ? "_" : " ", "");
    {
        const SubfileSelectionKeeper keeper(doc);
        if (DecodeStatisticsSubfile(doc, family, item.subfile)) {
            if (band != 0 && family == StatisticsFamily::FourChannel) {
                doc.SelectChannelProfile(item.channel, 0);
                caption += FourChannelBandPart(family, item.channel) +
                           BandCaption(BandAxisOf(doc, choices.octave), static_cast<std::size_t>(band - 1),
                                       BandLabel(choices.octave, true));
            } else if (band != 0 && family == StatisticsFamily::Current)
                caption += BandCaption(BandAxisOf(doc, choices.octave), static_cast<std::size_t>(band - 1),
                                       BandLabel(choices.octave, true));
            else if (family == StatisticsFamily::Legacy)
                caption += ChannelPart(doc, family, item.channel);
            else {
                doc.SelectChannelProfile(item.channel, 0);
                caption += ChannelPart(doc, family, item.channel);
            }
        }
    }
    std::replace(caption.begin(), caption.end(), ' ', '_');
    const ClassRange range = BlockClasses(h, choices.markers);
    const std::size_t first = range.Empty() ? 0 : range.first;
    const std::size_t shown = range.Empty() ? h.ClassCount() : range.Size();
    const std::uint64_t total = h.Sum();
    std::vector<double> x(shown), y(shown);
    for (std::size_t k = 0; k < shown; ++k) {
        x[k] = h.Bound(first + k);
        y[k] = ClassPercent(h.counts[first + k], total);
    }
    ColumnTableFormat format;
    format.Caption = caption;
    format.HeaderWords = "cl[dB]    N[%]      cl[dB]    N[%]      cl[dB]    N[%]      cl[dB]    N[%]      ";
    format.RowFormat = "%-10.1f%-10.2f";
    return WriteColumnTable(lines, widest, ColumnTableSource{}, x, y, 0, options, format) == 1;
}

void PlacePanelValues(PlotData& data, int panel, std::span<const double> values)
{
    // Every panel at one stride, the most classes so far: panels placed before a wider
    // one move to the wider stride.
    const auto p = static_cast<std::size_t>(panel);
    const auto oldStride = static_cast<std::size_t>(std::max(data.ClassStride, 0));
    const std::size_t stride = std::max(values.size(), oldStride);
    const std::span<const double> old = data.PlotValues.Values();
    const std::size_t panels = std::max(oldStride != 0 ? old.size() / oldStride : 0, p + 1);
    std::vector<double> all(panels * stride, 0.0);
    for (std::size_t q = 0; oldStride != 0 && q < old.size(); ++q)
        all[q / oldStride * stride + q % oldStride] = old[q];
    std::copy(values.begin(), values.end(), all.begin() + static_cast<std::ptrdiff_t>(p * stride));
    data.PlotValues.Assign(std::move(all));
    data.ClassStride = static_cast<std::int32_t>(stride);
}

bool GraphHistogram(CTmDoc& doc, const StatisticsChoices& choices, int panel, PlotData& data)
{
    const StatisticsFamily family = StatisticsFamilyOf(doc);
    if (family == StatisticsFamily::None || panel < 0 || panel >= kMaxGraphPanels)
        return false;
    const int channel = choices.channelMask != 0 ? panel : choices.channel;
    const int subfile = doc.SubfileCount() > 0 ? std::max(choices.subfile, 1) : 0;
    const int band = choices.octave != 0 ? std::max(choices.band, 1) : 0;
    Histogram h = ReadHistogram(doc, {subfile, channel, band});
    if (h.ClassCount() == 0)
        return false;
    std::uint64_t total = h.Sum();
    std::string name;
    {
        const SubfileSelectionKeeper keeper(doc);
        if (!DecodeStatisticsSubfile(doc, family, subfile))
            return false;
        if (family == StatisticsFamily::Legacy) {
            const LegacyHeader& legacy = doc.Legacy();
            // Legacy shares are of the header's total, or of the records of a time history.
            total = legacy.timeHistory ? legacy.shownRecordCount : std::max<std::uint64_t>(total, 1);
            name = std::string(LegacyFunctionName(legacy, channel));
        } else {
            doc.SelectChannelProfile(channel, 0);
            name = band == 0 ? CurrentResultName(doc, channel) : std::string();
            if (band != 0)
                data.PanelTitles[static_cast<std::size_t>(panel)] =
                    BandTitle(BandAxisOf(doc, choices.octave), static_cast<std::size_t>(band - 1),
                              BandLabel(choices.octave, false));
        }
    }
    const HistogramGraphValues g = HistogramGraph(h, total, choices.markers);
    const auto p = static_cast<std::size_t>(panel);
    const std::size_t n = g.x.size();
    PlacePanelValues(data, panel, g.y);
    if (n >= data.HistogramClassValues.size()) {
        data.HistogramClassValues = g.x;
        data.HistLow = h.Bound(0);
        data.HistWidth = h.width / 10.0;
        data.HistClasses = static_cast<std::int16_t>(std::min<std::size_t>(n, INT16_MAX));
    }
    data.HistogramPeak[p] = g.maximum;
    data.BlockProbability[p] = g.blockProbability;
    data.PanelResultNames[p] = name.substr(0, 15);
    return true;
}

HistogramGraphValues HistogramGraph(const Histogram& histogram, std::uint64_t total, const ClassMarkers& markers)
{
    HistogramGraphValues g;
    const std::size_t n = histogram.ClassCount();
    const std::uint64_t divisor = std::max<std::uint64_t>(total, 1);
    g.x.resize(n);
    std::vector<double> percents(n);
    double maximum = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        g.x[i] = histogram.Bound(i);
        percents[i] = histogram.counts[i] > divisor ? 0.0 : ClassPercent(histogram.counts[i], divisor);
        maximum = std::max(maximum, percents[i]);
    }
    const ClassRange range = BlockClasses(histogram, markers);
    for (std::size_t i = range.first; !range.Empty() && i <= range.last; ++i)
        g.blockProbability += percents[i];
    g.maximum = maximum == 0.0 ? 0.9 : maximum;
    g.y.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        g.y[i] = percents[i] / g.maximum;
    return g;
}

} // namespace orlu
