#include "analysis/statistics/LevelForms.h"

#include "analysis/statistics/HistogramForms.h"
#include "analysis/statistics/HistogramSource.h"
#include "analysis/statistics/LevelGridTable.h"
#include "analysis/statistics/LevelSpectrum.h"
#include "analysis/statistics/StatisticsFamily.h"
#include "document/CTmDoc.h"
#include "platform/ValueFormat.h"
#include "reports/common/SubfileSelectionKeeper.h"
#include "reports/table/StatisticsElements.h"

#include <algorithm>
#include <optional>

namespace orlu {
namespace {

constexpr int kVectorChannel = 4;
constexpr std::uint16_t kLevelContentBits = 0x0087;

void Add(LineList& lines, int* widest, std::string line)
{
    AddLine(lines, line, widest);
}

std::string Dashes(std::size_t indent)
{
    return std::string(indent, ' ') + std::string(61, '-');
}

std::string Percentages(const LevelRow& row)
{
    std::string text;
    for (std::uint8_t p : row.percentages)
        text += StrPrintf("%6u", static_cast<unsigned>(p));
    return text;
}

std::string Levels(const LevelRow& row)
{
    std::string text;
    for (double level : row.levels)
        text += StrPrintf("%6.1f", level);
    return text;
}

} // namespace

FileLevels LevelsOfFile(CTmDoc& doc, const HistogramPlace& place, LevelMethod method)
{
    FileLevels out;
    const StatisticsFamily family = StatisticsFamilyOf(doc);
    const std::uint16_t count = std::min<std::uint16_t>(doc.StatisticalLevelCount(), 10);
    std::copy_n(doc.StatisticalPercentages().begin(), count, out.row.percentages.begin());
    const Histogram h = ReadHistogram(doc, place);
    if (h.ClassCount() == 0) {
        if (place.band == 0)
            if (const auto stored = ReadStoredLevels(doc, place.subfile, place.channel)) {
                out.stored = true;
                out.row.percentages = stored->percentages;
                out.row.levels = stored->levels;
            }
        if (!out.stored)
            doc.SetHistogramTotal(0);
        return out;
    }
    bool timeHistory = false;
    {
        const SubfileSelectionKeeper keeper(doc);
        if (DecodeStatisticsSubfile(doc, family, place.subfile))
            timeHistory = family == StatisticsFamily::Legacy ? doc.Legacy().timeHistory : doc.Header().timeHistory;
    }
    const std::span<const std::uint8_t> asked(out.row.percentages.data(), count);
    if (method == LevelMethod::Interpolated || family == StatisticsFamily::Legacy || timeHistory || place.band != 0)
        InterpolatedStatLevels(h, asked, out.row.levels);
    else
        PickStatLevels(ComputeStatLevels99(h), asked, out.row.levels);
    // What the form computed stays with the document, as the instrument's program kept it.
    std::copy_n(out.row.levels.begin(), count, doc.UserLevels().begin());
    doc.SetHistogramTotal(h.Sum());
    out.total = h.Sum();
    return out;
}

namespace {

// The channel part of a current-family caption.
std::string CurrentChannelPart(StatisticsFamily family, int channel, const char* name)
{
    if (family == StatisticsFamily::FourChannel)
        return channel == kVectorChannel ? StrPrintf("  %s  -  %s ", "Vector", name)
                                         : StrPrintf("  %s #%d:P%d  -  %s ", "Channel", channel + 1, 1, name);
    return StrPrintf("  %s #%d  -  %s ", "Profile", channel + 1, name);
}

std::string LegacyChannelPart(const CTmDoc& doc, int channel)
{
    const LegacyHeader& h = doc.Legacy();
    const bool channelMode = h.channelMode != 0;
    if (!(h.prefixVariant != 0 || (channelMode && channel <= kVectorChannel)))
        return {};
    if (channel == kVectorChannel)
        return StrPrintf("  Vector  -  %s ", "RMS");
    return StrPrintf("  %s #%d  -  %s ", channelMode ? "Channel" : "Profile", channel + 1, "RMS");
}

std::vector<int> ChannelsOf(CTmDoc& doc, const StatisticsChoices& choices)
{
    std::vector<int> channels;
    StatisticsChoices one = choices;
    one.allFiles = false;
    for (const StatisticsItem& item : StatisticsItems(doc, one))
        channels.push_back(item.channel);
    return channels;
}

// A Multifile: one grid per channel, a row per member that holds statistics.
void SubfileGrids(CTmDoc& doc, StatisticsFamily family, LineList& lines, int* widest, const StatisticsChoices& choices)
{
    const SubfileContents& contents = doc.GetSubfileContents();
    const std::uint16_t bits = family == StatisticsFamily::Legacy ? 0x0080 : kLevelContentBits;
    const std::vector<int> channels =
        family == StatisticsFamily::Legacy ? std::vector<int>{0} : ChannelsOf(doc, choices);
    for (int channel : channels) {
        std::vector<NamedLevelRow> rows;
        for (int u = 1; u <= doc.SubfileCount(); ++u)
            if (contents.BitsOf(u) & bits)
                rows.push_back({doc.GetSubfileName(u), LevelsOfFile(doc, {u, channel, 0}, LevelMethod::Steps).row});
        std::string caption = "Statistical levels:";
        if (family == StatisticsFamily::Legacy) {
            const SubfileSelectionKeeper keeper(doc);
            if (DecodeStatisticsSubfile(doc, family, 1))
                caption += doc.Legacy().channelMode != 0 ? StrPrintf("  Channel #%d", 1)
                           : doc.Legacy().prefixVariant != 0 ? StrPrintf("  Profile #%d  -  %s ", 1, "RMS")
                                                              : std::string();
        } else {
            caption += CurrentChannelPart(family, channel, "Leq");
        }
        AppendSubfileGrid(lines, widest, caption, rows);
    }
}

} // namespace

void AppendLevelGrid(LineList& lines, int* widest, const std::string& caption, const LevelRow& row)
{
    Add(lines, widest, "");
    Add(lines, widest, caption);
    Add(lines, widest, "");
    Add(lines, widest, "  i          1     2     3     4     5     6     7     8     9    10 ");
    Add(lines, widest, Dashes(8));
    Add(lines, widest, " ni[%]  " + Percentages(row));
    Add(lines, widest, "Lni[dB] " + Levels(row));
    Add(lines, widest, Dashes(8));
}

void AppendSubfileGrid(LineList& lines, int* widest, const std::string& caption, std::span<const NamedLevelRow> rows)
{
    Add(lines, widest, "");
    Add(lines, widest, caption);
    Add(lines, widest, "");
    Add(lines, widest, "    i            1     2     3     4     5     6     7     8     9    10 ");
    const LevelRow* previous = nullptr;
    for (const NamedLevelRow& r : rows) {
        if (!previous || previous->percentages != r.row.percentages) {
            Add(lines, widest, Dashes(12));
            Add(lines, widest, "   ni[%]    " + Percentages(r.row));
            Add(lines, widest, Dashes(12));
        }
        Add(lines, widest, StrPrintf("   %-8s ", r.name.c_str()) + Levels(r.row));
        previous = &r.row;
    }
    Add(lines, widest, Dashes(12));
}

bool TextLevels(CTmDoc& doc, LineList& lines, int* widest, const StatisticsChoices& choices)
{
    ClearLineList(&lines);
    int width = 0;
    const StatisticsFamily family = StatisticsFamilyOf(doc);
    if (family == StatisticsFamily::None)
        return false;
    if (choices.octave != 0)
        return TextLevelSpectrum(doc, lines, widest, choices);
    if (doc.SubfileCount() > 0) {
        SubfileGrids(doc, family, lines, &width, choices);
    } else {
        for (int channel : ChannelsOf(doc, choices)) {
            const FileLevels levels = LevelsOfFile(doc, {0, channel, 0}, LevelMethod::Steps);
            std::string caption = levels.stored ? "Statistical levels:" : "Statistical levels for Histogram:";
            if (family == StatisticsFamily::Legacy) {
                caption += LegacyChannelPart(doc, channel);
            } else {
                caption += HistogramChannelPart(doc, 0, channel);
            }
            AppendLevelGrid(lines, &width, caption, levels.row);
        }
    }
    if (widest)
        *widest = width;
    return true;
}

bool TableLevels(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content, const StatisticsChoices& choices,
                 const TableOutputOptions& options)
{
    const StatisticsFamily family = StatisticsFamilyOf(doc);
    if (family == StatisticsFamily::None)
        return false;
    if (choices.octave != 0)
        return TableLevelSpectrum(doc, lines, widest, content, choices, options);
    // The files of a Multifile side by side; a merge of legacy files has no other table.
    if (doc.SubfileCount() > 0 && (choices.allFiles || family == StatisticsFamily::Legacy))
        return TableLevelsGrid(doc, lines, widest, content, choices, options);
    content = 2;
    StatElementChoice element;
    element.channelMask = choices.channelMask != 0 ? choices.channelMask
                                                   : static_cast<std::uint16_t>(1u << std::clamp(choices.channel, 0, 15));
    element.fileOrRecord = doc.SubfileCount() > 0 ? std::max(choices.subfile, 1) : 0;
    return WriteLevelsCrossTable(lines, widest, CollectLevelColumns(doc, element), options) == 1;
}

} // namespace orlu
