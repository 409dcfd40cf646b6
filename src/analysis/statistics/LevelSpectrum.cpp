#include "analysis/statistics/LevelSpectrum.h"

#include "analysis/statistics/HistogramSource.h"
#include "analysis/statistics/StatisticsFamily.h"
#include "document/CTmDoc.h"
#include "document/MissingValue.h"
#include "platform/ValueFormat.h"
#include "reports/common/NameTables.h"
#include "reports/common/SubfileSelectionKeeper.h"
#include "reports/table/MultiSpectrumMatrix.h"
#include "reports/table/SpectraCrossTable.h"

#include <algorithm>
#include <span>

namespace orlu {
namespace {

constexpr std::size_t kTextColumns = 3;
constexpr std::size_t kPanelValues = 52; // the band graph's values per panel
constexpr int kBandKindOctave = 3, kBandKindThirdOctave = 4;
constexpr int kLevelModeKind = 10, kPerFileKind = 20;
constexpr int kFourChannelBandChannels = 4; // the vector keeps no band statistics

void Add(LineList& lines, int* widest, std::string line)
{
    AddLine(lines, line, widest);
}

std::uint16_t ContentBitsOf(int octave)
{
    return octave == 11 ? 0x0100 : 0x0200;
}

// The files a form shows: every sub-file with the band statistics of the set when all
// files are asked for, else the sub-file shown (0 for a single file).
std::vector<int> FilesOf(CTmDoc& doc, const StatisticsChoices& choices)
{
    if (doc.SubfileCount() == 0)
        return {0};
    if (!choices.allFiles)
        return {std::max(choices.subfile, 1)};
    std::vector<int> files;
    for (int u = 1; u <= doc.SubfileCount(); ++u)
        if (doc.GetSubfileContents().BitsOf(u) & ContentBitsOf(choices.octave))
            files.push_back(u);
    return files;
}

} // namespace

std::uint8_t LevelSpectrumPercentage(const CTmDoc& doc, const StatisticsChoices& choices)
{
    if (choices.allLevels)
        return static_cast<std::uint8_t>(std::clamp(choices.level, 0, 99));
    const int at = choices.level - 1;
    if (at < 0 || at >= std::min<int>(doc.StatisticalLevelCount(), 10))
        return 0;
    return doc.StatisticalPercentages()[static_cast<std::size_t>(at)];
}

double BandLevel(CTmDoc& doc, const Histogram& histogram, const StatisticsChoices& choices)
{
    const std::uint8_t n = LevelSpectrumPercentage(doc, choices);
    if (n == 0)
        return 0.0;
    if (choices.allLevels) {
        double level = 0.0;
        InterpolatedStatLevels(histogram, std::span(&n, 1), std::span(&level, 1));
        return level;
    }
    // Every percentage's level, as the text grid would show them; the one asked for is read.
    const std::size_t count = std::min<std::size_t>(doc.StatisticalLevelCount(), 10);
    const std::span<double> levels(doc.UserLevels().data(), count);
    InterpolatedStatLevels(histogram, std::span(doc.StatisticalPercentages().data(), count), levels);
    return levels[static_cast<std::size_t>(choices.level - 1)];
}

std::optional<LevelSpectrum> ReadLevelSpectrum(CTmDoc& doc, int subfile, const StatisticsChoices& choices, int channel)
{
    const StatisticsFamily family = StatisticsFamilyOf(doc);
    if (family != StatisticsFamily::Current && family != StatisticsFamily::FourChannel)
        return std::nullopt;
    if (family == StatisticsFamily::Current)
        channel = 0;
    else if (channel < 0 || channel >= kFourChannelBandChannels)
        return std::nullopt;
    LevelSpectrum s;
    {
        const SubfileSelectionKeeper keeper(doc);
        if (!DecodeStatisticsSubfile(doc, family, subfile))
            return std::nullopt;
        doc.SelectChannelProfile(channel, 0);
        s.axis = BandAxisOf(doc, choices.octave);
        s.date = doc.Header().date;
        s.time = doc.Header().time;
        s.firstBand = doc.Channel().bandTableIndex;
        s.inputKind = doc.Channel().inputKind;
    }
    if (s.axis.Count() == 0)
        return std::nullopt;
    for (std::size_t k = 0; k < s.axis.Count(); ++k)
        s.levels.push_back(BandLevel(doc, ReadHistogram(doc, {subfile, channel, static_cast<int>(k + 1)}), choices));
    return s;
}

std::vector<int> LevelSpectrumChannels(const CTmDoc& doc, const StatisticsChoices& choices)
{
    if (StatisticsFamilyOf(doc) != StatisticsFamily::FourChannel)
        return {0};
    if (choices.channelMask == 0)
        return {std::clamp(choices.channel, 0, kFourChannelBandChannels - 1)};
    std::vector<int> channels;
    for (int c = 0; c < kFourChannelBandChannels; ++c)
        if (choices.channelMask & (1u << c))
            channels.push_back(c);
    return channels;
}

bool TextLevelSpectrum(CTmDoc& doc, LineList& lines, int* widest, const StatisticsChoices& choices)
{
    ClearLineList(&lines);
    int width = 0;
    bool any = false;
    const std::string rule(68, '-');
    const unsigned n = LevelSpectrumPercentage(doc, choices);
    const bool fourChannel = StatisticsFamilyOf(doc) == StatisticsFamily::FourChannel;
    for (int file : FilesOf(doc, choices)) {
        for (int channel : LevelSpectrumChannels(doc, choices)) {
            const std::optional<LevelSpectrum> s = ReadLevelSpectrum(doc, file, choices, channel);
            if (!s)
                continue;
            any = true;
            Add(lines, &width, "");
            std::string caption = StrPrintf("Statistical levels L%u ", n);
            if (file > 0)
                caption += StrPrintf("(file: %s): ", doc.GetSubfileName(file).c_str());
            caption += StrPrintf("for Octaves 1/%c:", choices.octave == 11 ? '1' : '3');
            if (fourChannel)
                caption += StrPrintf(" Channel #%d:", channel + 1);
            Add(lines, &width, caption);
            Add(lines, &width, rule);
            Add(lines, &width, "   f[Hz]   Lev[dB]         f[Hz]   Lev[dB]         f[Hz]   Lev[dB]  ");
            Add(lines, &width, rule);
            const std::size_t count = s->levels.size();
            const std::size_t rows = (count + kTextColumns - 1) / kTextColumns;
            for (std::size_t r = 0; r < rows; ++r) {
                std::string line;
                for (std::size_t c = 0; c < kTextColumns; ++c) {
                    const std::size_t k = c * rows + r;
                    if (k >= count)
                        break;
                    line += s->axis.IsFrequencyBand(k)
                                ? StrPrintf("%7.1f%10.1f", s->axis.centres[k], s->levels[k])
                                : StrPrintf("%7s%10.1f", s->axis.totalNames[k - s->axis.centres.size()].c_str(),
                                            s->levels[k]);
                    if (c + 1 < kTextColumns)
                        line += "       ";
                }
                Add(lines, &width, std::move(line));
            }
            Add(lines, &width, rule);
        }
    }
    if (widest)
        *widest = width;
    return any;
}

bool TableLevelSpectrum(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content,
                        const StatisticsChoices& choices, const TableOutputOptions& options)
{
    content = 2;
    const std::vector<int> files = FilesOf(doc, choices);
    std::vector<LevelSpectrum> columns;
    std::vector<std::string> names;
    const bool fourChannel = StatisticsFamilyOf(doc) == StatisticsFamily::FourChannel;
    for (int file : files) {
        for (int channel : LevelSpectrumChannels(doc, choices)) {
            if (std::optional<LevelSpectrum> s = ReadLevelSpectrum(doc, file, choices, channel)) {
                names.push_back(
                    fourChannel
                        ? std::string(InputShortNames[std::min<std::size_t>(s->inputKind, InputShortNames.size() - 1)])
                    : file > 0 ? doc.GetSubfileName(file)
                               : std::string());
                columns.push_back(std::move(*s));
            }
        }
    }
    if (columns.empty())
        return false;
    // The column whose first band is the lowest gives the rows (the first file's, as all
    // files of one set start alike); each column stands from its own first band, and the
    // positions outside its bands are missing.
    const auto lowest = std::min_element(columns.begin(), columns.end(),
                                         [](const auto& a, const auto& b) { return a.firstBand < b.firstBand; });
    const BandAxis axis = lowest->axis;
    const int step = choices.octave == 11 ? 3 : 1;
    MultiSpectrumMatrix matrix(axis.Count());
    std::vector<std::uint16_t> dates, times;
    for (const LevelSpectrum& s : columns) {
        std::vector<double> record(axis.Count(), kMissingValue);
        const auto from = static_cast<std::size_t>(std::max(s.firstBand - lowest->firstBand, 0) / step);
        for (std::size_t k = 0; k < s.levels.size() && from + k < record.size(); ++k)
            record[from + k] = s.levels[k];
        if (!matrix.AppendColumn(record))
            return false;
        dates.push_back(s.date);
        times.push_back(s.time);
    }
    std::vector<double> frequencies(axis.centres);
    frequencies.resize(axis.Count(), 0.0);
    std::vector<std::string> subfileNames;
    std::vector<std::uint16_t> contents;
    for (int n = 1; n <= doc.SubfileCount(); ++n) {
        subfileNames.push_back(doc.GetSubfileName(n));
        contents.push_back(doc.GetSubfileContents().BitsOf(n));
    }
    const bool perFile = doc.SubfileCount() > 0 && choices.allFiles;
    CrossTableSource source;
    source.Merged = doc.SubfileCount() > 0;
    source.FourChannel = fourChannel;
    source.SubfileNames = subfileNames;
    source.SubfileContents = contents;
    source.TotalNameList = axis.totalNames;
    source.Ui = doc.App().Ui;
    SpectraCrossTable table;
    table.Kind =
        (choices.octave == 11 ? kBandKindOctave : kBandKindThirdOctave) + (perFile ? kPerFileKind : kLevelModeKind);
    table.UnitText = "[dB]      ";
    table.Frequencies = frequencies;
    table.TailCount = static_cast<std::uint16_t>(axis.totalNames.size());
    table.ValueFormat = "%-10.1f";
    table.FileIndex = static_cast<std::uint16_t>(files.size() == 1 ? std::max(files.front(), 0) : 0);
    std::uint16_t shownChannels = 0;
    if (fourChannel) {
        // The channels are the columns, labelled by their number and input.
        for (int channel : LevelSpectrumChannels(doc, choices))
            shownChannels = static_cast<std::uint16_t>(shownChannels | 1u << channel);
        table.ChannelMask = shownChannels;
        table.InputNames = names;
    } else {
        table.ColumnNames = names;
    }
    if (perFile) {
        table.Dates = dates;
        table.Times = times;
    }
    table.N = LevelSpectrumPercentage(doc, choices);
    return WriteSpectraCrossTable(lines, widest, source, table, options, matrix) == 1;
}

bool GraphLevelSpectrum(CTmDoc& doc, const StatisticsChoices& choices, int panel, PlotData& data)
{
    // The band statistics belong to the file, not to a profile: one panel; in a four-channel
    // file one per channel shown.
    const std::vector<int> channels = LevelSpectrumChannels(doc, choices);
    if (panel < 0 || static_cast<std::size_t>(panel) >= channels.size())
        return false;
    const int file = doc.SubfileCount() > 0 ? std::max(choices.subfile, 1) : 0;
    const std::optional<LevelSpectrum> s =
        ReadLevelSpectrum(doc, file, choices, channels[static_cast<std::size_t>(panel)]);
    if (!s)
        return false;
    // The band graph draws two bars past the last value: they repeat it.
    std::vector<double> bars(s->levels);
    bars.insert(bars.end(), 2, s->levels.back());
    const auto p = static_cast<std::size_t>(panel);
    std::vector<double> values(data.PlotValues.Values().begin(), data.PlotValues.Values().end());
    values.resize(std::max(values.size(), (p + 1) * kPanelValues), kMissingValue);
    std::fill_n(values.begin() + static_cast<std::ptrdiff_t>(p * kPanelValues), kPanelValues, kMissingValue);
    std::copy_n(bars.begin(), std::min(bars.size(), kPanelValues),
                values.begin() + static_cast<std::ptrdiff_t>(p * kPanelValues));
    data.PlotValues.Assign(std::move(values));
    data.ClassStride = static_cast<std::int32_t>(kPanelValues);
    data.FrequencyValues = s->axis.centres;
    data.GraphForm = 2;
    data.PanelTitles[p] = StrPrintf("L%u", static_cast<unsigned>(LevelSpectrumPercentage(doc, choices)));
    return true;
}

} // namespace orlu
