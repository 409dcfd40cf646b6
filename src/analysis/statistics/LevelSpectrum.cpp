#include "analysis/statistics/LevelSpectrum.h"

#include "analysis/statistics/HistogramSource.h"
#include "analysis/statistics/StatisticsFamily.h"
#include "document/CTmDoc.h"
#include "document/MissingValue.h"
#include "platform/ValueFormat.h"
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

std::optional<LevelSpectrum> ReadLevelSpectrum(CTmDoc& doc, int subfile, const StatisticsChoices& choices)
{
    const StatisticsFamily family = StatisticsFamilyOf(doc);
    if (family != StatisticsFamily::Current)
        return std::nullopt;
    LevelSpectrum s;
    {
        const SubfileSelectionKeeper keeper(doc);
        if (!DecodeStatisticsSubfile(doc, family, subfile))
            return std::nullopt;
        doc.SelectChannelProfile(0, 0);
        s.axis = BandAxisOf(doc, choices.octave);
        s.date = doc.Header().date;
        s.time = doc.Header().time;
    }
    if (s.axis.Count() == 0)
        return std::nullopt;
    for (std::size_t k = 0; k < s.axis.Count(); ++k)
        s.levels.push_back(BandLevel(doc, ReadHistogram(doc, {subfile, 0, static_cast<int>(k + 1)}), choices));
    return s;
}

bool TextLevelSpectrum(CTmDoc& doc, LineList& lines, int* widest, const StatisticsChoices& choices)
{
    ClearLineList(&lines);
    int width = 0;
    bool any = false;
    const std::string rule(68, '-');
    const unsigned n = LevelSpectrumPercentage(doc, choices);
    for (int file : FilesOf(doc, choices)) {
        const std::optional<LevelSpectrum> s = ReadLevelSpectrum(doc, file, choices);
        if (!s)
            continue;
        any = true;
        Add(lines, &width, "");
        std::string caption = StrPrintf("Statistical levels L%u ", n);
        if (file > 0)
            caption += StrPrintf("(file: %s): ", doc.GetSubfileName(file).c_str());
        Add(lines, &width, caption + StrPrintf("for Octaves 1/%c:", choices.octave == 11 ? '1' : '3'));
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
    for (int file : files) {
        if (std::optional<LevelSpectrum> s = ReadLevelSpectrum(doc, file, choices)) {
            names.push_back(file > 0 ? doc.GetSubfileName(file) : std::string());
            columns.push_back(std::move(*s));
        }
    }
    if (columns.empty())
        return false;
    // The first file's bands give the rows; a file with fewer shows the rest missing.
    const BandAxis& axis = columns.front().axis;
    MultiSpectrumMatrix matrix(axis.Count());
    std::vector<std::uint16_t> dates, times;
    for (const LevelSpectrum& s : columns) {
        if (!matrix.AppendColumn(s.levels))
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
    source.SubfileNames = subfileNames;
    source.SubfileContents = contents;
    source.TotalNameList = axis.totalNames;
    source.Ui = doc.App().Ui;
    SpectraCrossTable table;
    table.Kind = (choices.octave == 11 ? kBandKindOctave : kBandKindThirdOctave) +
                 (perFile ? kPerFileKind : kLevelModeKind);
    table.UnitText = "[dB]      ";
    table.Frequencies = frequencies;
    table.TailCount = static_cast<std::uint16_t>(axis.totalNames.size());
    table.ValueFormat = "%-10.1f";
    table.FileIndex = static_cast<std::uint16_t>(files.size() == 1 ? std::max(files.front(), 0) : 0);
    table.ColumnNames = names;
    if (perFile) {
        table.Dates = dates;
        table.Times = times;
    }
    table.N = LevelSpectrumPercentage(doc, choices);
    return WriteSpectraCrossTable(lines, widest, source, table, options, matrix) == 1;
}

bool GraphLevelSpectrum(CTmDoc& doc, const StatisticsChoices& choices, int panel, PlotData& data)
{
    // The band statistics belong to the file, not to a profile: one panel.
    if (panel != 0)
        return false;
    const int file = doc.SubfileCount() > 0 ? std::max(choices.subfile, 1) : 0;
    const std::optional<LevelSpectrum> s = ReadLevelSpectrum(doc, file, choices);
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
