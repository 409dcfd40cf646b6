#include "analysis/statistics/BandStatistics505.h"

#include "analysis/statistics/HistogramForms.h"
#include "analysis/statistics/LevelForms.h"
#include "document/CTmDoc.h"
#include "document/MissingValue.h"
#include "document/headers/Setup505.h"
#include "platform/ValueFormat.h"
#include "reports/table/ColumnTableWriter.h"
#include "reports/table/StatisticsCrossTables.h"

#include <algorithm>
#include <optional>

namespace orlu {
namespace {

constexpr std::size_t kBandGraphValues = 52; // the band graph's values per panel
constexpr std::string_view kRowHeader = "  cl[dB]    P[%]      cl[dB]    P[%]      cl[dB]    P[%]      cl[dB]    P[%] ";
constexpr std::string_view kHistogramWords =
    "cl[dB]    N[%]      cl[dB]    N[%]      cl[dB]    N[%]      cl[dB]    N[%]      ";
constexpr std::string_view kDensityRowHeader =
    "  cl[dB]    D[%]      cl[dB]    D[%]      cl[dB]    D[%]      cl[dB]    D[%] ";
constexpr std::string_view kDensityWords =
    "cl[dB]    D[%]      cl[dB]    D[%]      cl[dB]    D[%]      cl[dB]    D[%]      ";
constexpr std::string_view kLevelWords =
    "n[%]      Ln[dB]    n[%]      Ln[dB]    n[%]      Ln[dB]    n[%]      Ln[dB]    ";

void Add(LineList& lines, int* widest, std::string line)
{
    AddLine(lines, line, widest);
}

std::string Rule()
{
    return std::string(77, '-');
}

constexpr std::uint8_t kKind505Multifile = 24;

bool IsMerged(const CTmDoc& doc)
{
    return doc.FileKind() == kKind505Multifile;
}

// The forms decode the sub-file they show; the view gets back the sub-file and
// channel it had, also when a read ran past the image.
class AnalyzerSelectionKeeper {
public:
    explicit AnalyzerSelectionKeeper(CTmDoc& doc)
        : m_Doc(doc), m_Subfile(doc.AnalyzerSubfile()), m_Decoded(doc.AnalyzerDecoded()),
          m_Channel(doc.Channel().channel)
    {
    }
    ~AnalyzerSelectionKeeper()
    {
        try {
            if (m_Doc.AnalyzerSubfile() != m_Subfile || m_Doc.AnalyzerDecoded() != m_Decoded)
                m_Doc.DecodeSetup505(m_Subfile);
            if (m_Doc.AnalyzerDecoded())
                m_Doc.Select505Channel(m_Channel);
        } catch (const ImageRangeError&) {
            // The sub-file decoded when the form began; the image cannot have shrunk since.
        }
    }
    AnalyzerSelectionKeeper(const AnalyzerSelectionKeeper&) = delete;
    AnalyzerSelectionKeeper& operator=(const AnalyzerSelectionKeeper&) = delete;

private:
    CTmDoc& m_Doc;
    std::uint16_t m_Subfile;
    bool m_Decoded;
    int m_Channel;
};

// What one call shows: the histograms and the sub-file they come from.
struct Shown505 {
    int subfile = 0; ///< 0 for a single file
    BandStatistics505 statistics;
    std::vector<BandHistogram505> histograms; ///< those the form shows
};

// Decodes the sub-file of the choices (a Multifile shows every histogram of the
// sub-file shown; a single file every one with all files, else the view's band).
std::optional<Shown505> Select(CTmDoc& doc, const StatisticsChoices& choices, bool every)
{
    if (!doc.IsAnalyzerDocument())
        return std::nullopt;
    Shown505 shown;
    if (IsMerged(doc)) {
        shown.subfile = std::clamp(choices.subfile, 1, std::max<int>(doc.SubfileCount(), 1));
        every = true;
    }
    try {
        if ((IsMerged(doc) || !doc.AnalyzerDecoded()) && !doc.DecodeSetup505(static_cast<std::uint16_t>(shown.subfile)))
            return std::nullopt;
    } catch (const ImageRangeError&) {
        return std::nullopt;
    }
    shown.statistics = ReadBandStatistics505(doc);
    const auto& all = shown.statistics.histograms;
    if (all.empty())
        return std::nullopt;
    if (every) {
        shown.histograms = all;
    } else {
        const int b = std::clamp(choices.band, 1, static_cast<int>(all.size())) - 1;
        shown.histograms.push_back(all[static_cast<std::size_t>(b)]);
    }
    return shown;
}

// "[b]: 125 Hz" or "[b]: Lin" after the band label.
std::string BandPart(const char* label, const BandHistogram505& h)
{
    return h.totalName.empty() ? StrPrintf("%s[%d]: %g Hz", label, h.index + 1, h.frequency)
                               : StrPrintf("%s[%d]: %s", label, h.index + 1, h.totalName.c_str());
}

const char* TextLabel(const BandStatistics505& s)
{
    return s.thirdOctaves ? "Oct.1/3" : "Oct.1/1";
}

const char* TableLabel(const BandStatistics505& s)
{
    return s.thirdOctaves ? "Oct 1/3" : "Oct 1/1";
}

// The levels of the document's percentages, read off the histogram's exceedance curve.
LevelRow LevelsOf(const CTmDoc& doc, const Histogram& h)
{
    LevelRow row;
    const std::uint16_t count = std::min<std::uint16_t>(doc.StatisticalLevelCount(), 10);
    std::copy_n(doc.StatisticalPercentages().begin(), count, row.percentages.begin());
    InterpolatedStatLevels(h, std::span<const std::uint8_t>(row.percentages.data(), count), row.levels);
    return row;
}

// What a form showed stays with the document, as the instrument's program kept it: the
// band's number of results (the text forms and the graph 1 for an empty band, the tables
// the plain sum) and, from the level forms, the levels of the percentages.
void KeepTotal(CTmDoc& doc, const Histogram& h, bool atLeastOne)
{
    doc.SetHistogramTotal(atLeastOne ? std::max<std::uint64_t>(h.Sum(), 1) : h.Sum());
}

void KeepLevels(CTmDoc& doc, const LevelRow& row)
{
    const std::size_t count = std::min<std::size_t>(doc.StatisticalLevelCount(), doc.UserLevels().size());
    std::copy_n(row.levels.begin(), count, doc.UserLevels().begin());
}

std::string Underscored(std::string caption)
{
    std::replace(caption.begin(), caption.end(), ' ', '_');
    return caption;
}

// The percent of every class over the band's results.
std::vector<double> ClassPercents(const Histogram& h, std::uint64_t total)
{
    std::vector<double> percents(h.counts.size());
    for (std::size_t i = 0; i < percents.size(); ++i)
        percents[i] = ClassPercent(h.counts[i], total);
    return percents;
}

void AppendBandHistogramText(LineList& lines, int* widest, const char* label, const BandHistogram505& band,
                             const ClassMarkers& markers)
{
    const Histogram& h = band.histogram;
    const std::uint64_t total = std::max<std::uint64_t>(h.Sum(), 1);
    const ClassRange range = BlockClasses(h, markers);
    const bool inBlock = !range.Empty();
    const std::size_t first = inBlock ? range.first : 0;
    const std::size_t shown = inBlock ? range.Size() : h.ClassCount();
    Add(lines, widest, "");
    Add(lines, widest, std::string(inBlock ? "Block of the " : "") + "Histogram (" + BandPart(label, band) + "):");
    Add(lines, widest, StrPrintf("   number of classes = %lu", static_cast<unsigned long>(shown)));
    Add(lines, widest, StrPrintf("   class width = %.1f dB", h.width / 10.0));
    const BlockShare share = BlockProbability(h, markers, total);
    if (inBlock) {
        Add(lines, widest,
            StrPrintf("   number of results in the block = %llu", static_cast<unsigned long long>(share.count)));
        Add(lines, widest, StrPrintf("   probability of the block = %.2f%%", share.percent));
    } else {
        Add(lines, widest, StrPrintf("   total number of results = %llu", static_cast<unsigned long long>(total)));
    }
    Add(lines, widest, Rule());
    Add(lines, widest, std::string(kRowHeader));
    Add(lines, widest, Rule());
    AppendClassRows(lines, widest, h, first, shown, ClassPercents(h, total));
    Add(lines, widest, Rule());
}

// Densities of every class (0 for an empty histogram) and the block's D[first] - D[last].
std::vector<double> DensitiesOf(const Histogram& h)
{
    return h.ClassCount() == 0 ? std::vector<double>{} : ExceedancePercents(h.counts);
}

double DensityBlock(const std::vector<double>& d, const ClassRange& range)
{
    return range.Empty() ? 0.0 : d[range.first] - d[range.last];
}

void AppendBandDensityText(LineList& lines, int* widest, const char* label, const BandHistogram505& band,
                           const ClassMarkers& markers)
{
    const Histogram& h = band.histogram;
    const std::vector<double> d = DensitiesOf(h);
    const ClassRange range = BlockClasses(h, markers);
    Add(lines, widest, "");
    Add(lines, widest,
        std::string(range.Empty() ? "" : "Block of the ") + "Statistical density for Histogram (" +
            BandPart(label, band) + "):");
    if (!range.Empty())
        Add(lines, widest, StrPrintf("   probability of the block = %.2f%%", DensityBlock(d, range)));
    Add(lines, widest, Rule());
    Add(lines, widest, std::string(kDensityRowHeader));
    Add(lines, widest, Rule());
    AppendClassRows(lines, widest, h, range.Empty() ? 0 : range.first, range.Empty() ? h.ClassCount() : range.Size(),
                    d);
    Add(lines, widest, Rule());
}

// The band the graphs show: the view's band of the sub-file shown, also of a Multifile.
const BandHistogram505& ViewBand(const Shown505& shown, const StatisticsChoices& choices)
{
    const auto& all = shown.statistics.histograms;
    return all[static_cast<std::size_t>(std::clamp(choices.band, 1, static_cast<int>(all.size())) - 1)];
}

// The class layout and the "(Oct.1/3: 125 Hz)" title of a band graph.
void PlaceBandGraph(PlotData& data, const Shown505& shown, const BandHistogram505& band, std::size_t classes)
{
    const Histogram& h = band.histogram;
    data.HistLow = h.Bound(0);
    data.HistWidth = h.width / 10.0;
    data.HistClasses = static_cast<std::int16_t>(std::min<std::size_t>(classes, INT16_MAX));
    const char* label = TextLabel(shown.statistics);
    data.GraphTitle = data.PanelTitles[0] = band.totalName.empty()
                                                ? StrPrintf("(%s: %g Hz)", label, band.frequency)
                                                : StrPrintf("(%s: %s)", label, band.totalName.c_str());
}

// The table of several bands: the first band's class bounds and block, every band's counts.
BandStatTable BandTable(std::string caption, const Shown505& shown, const ClassMarkers& markers)
{
    BandStatTable table;
    table.Caption = std::move(caption);
    const Histogram& layout = shown.histograms.front().histogram;
    for (std::size_t i = 0; i < layout.counts.size(); ++i)
        table.ClassBounds.push_back(layout.Bound(i));
    const ClassRange range = BlockClasses(layout, markers);
    table.Block = {!range.Empty(), static_cast<std::uint16_t>(range.first), static_cast<std::uint16_t>(range.last)};
    for (const BandHistogram505& h : shown.histograms)
        table.Bands.push_back({h.frequency, h.totalName, h.histogram.counts});
    return table;
}

// A one-band table of x and y columns.
bool WriteColumns(LineList& lines, int* widest, const std::vector<double>& x, const std::vector<double>& y,
                  const std::string& caption, std::string_view words, const char* rowFormat,
                  const TableOutputOptions& options)
{
    ColumnTableFormat format;
    format.Caption = caption;
    format.HeaderWords = words;
    format.RowFormat = rowFormat;
    return WriteColumnTable(lines, widest, ColumnTableSource{}, x, y, 0, options, format) == 1;
}

// A one-band table of the classes shown (the block's, else every one) and their values.
bool WriteClassColumns(LineList& lines, int* widest, const Histogram& h, const ClassRange& range,
                       const std::vector<double>& values, const std::string& caption, std::string_view words,
                       const TableOutputOptions& options)
{
    const std::size_t first = range.Empty() ? 0 : range.first;
    const std::size_t count = range.Empty() ? h.ClassCount() : range.Size();
    std::vector<double> x(count), y(count);
    for (std::size_t k = 0; k < count; ++k) {
        x[k] = h.Bound(first + k);
        y[k] = values[first + k];
    }
    return WriteColumns(lines, widest, x, y, caption, words, "%-10.1f%-10.2f", options);
}

} // namespace

BandStatistics505 ReadBandStatistics505(const CTmDoc& doc)
{
    BandStatistics505 out;
    if (!doc.AnalyzerDecoded())
        return out;
    const Setup505& s = doc.Analyzer();
    const Histogram505& block = s.histogram;
    const bool octaves = s.function == kFunction505Octave || s.function == kFunction505ThirdOctave;
    if (!octaves || !s.histogramFlag || block.position == 0 || block.classes == 0 || block.width <= 0)
        return out;
    out.thirdOctaves = s.function == kFunction505ThirdOctave;
    // The decoder kept the block only when its counts end inside the sub-file; the image
    // is checked again here so that no word of the block can lead a read past it.
    const ImageReader image = doc.Reader();
    const std::uint64_t countsEnd =
        std::uint64_t{block.position} + block.countsOffset + 2ull * block.count * block.classes;
    if (countsEnd > image.WordCount())
        return out;
    const int bands = std::max(static_cast<int>(s.bandEnd) - s.bandExtras, 0);
    for (std::uint32_t b = 0; b < block.count; ++b) {
        BandHistogram505 h;
        h.index = static_cast<int>(b);
        // The 1/1-octave centres stand at every third entry of the file's centre table.
        const std::size_t at = out.thirdOctaves ? b : 3u * b + 1u;
        if (h.index < bands)
            h.frequency = at < s.bandFrequencies.size() ? s.bandFrequencies[at] : 0.0;
        else
            h.totalName = s.totalNames.At(h.index - bands);
        h.histogram.lowest = block.lowest;
        h.histogram.width = block.width;
        h.histogram.counts.resize(block.classes);
        const std::uint32_t first = block.CountsOf(b);
        for (std::uint32_t k = 0; k < block.classes; ++k)
            h.histogram.counts[k] = image.Int32AtWord(first + 2 * k);
        out.histograms.push_back(std::move(h));
    }
    return out;
}

bool TextBandHistograms505(CTmDoc& doc, LineList& lines, int* widest, const StatisticsChoices& choices)
{
    const AnalyzerSelectionKeeper keeper(doc);
    const std::optional<Shown505> shown = Select(doc, choices, choices.allFiles);
    if (!shown)
        return false;
    ClearLineList(&lines);
    int width = 0;
    if (shown->subfile != 0) {
        Add(lines, &width, "Histograms in the file: " + doc.GetSubfileName(shown->subfile));
        Add(lines, &width, "");
    }
    for (const BandHistogram505& h : shown->histograms) {
        AppendBandHistogramText(lines, &width, TextLabel(shown->statistics), h, choices.markers);
        KeepTotal(doc, h.histogram, true);
    }
    if (widest)
        *widest = width;
    return true;
}

bool TextBandLevels505(CTmDoc& doc, LineList& lines, int* widest, const StatisticsChoices& choices)
{
    const AnalyzerSelectionKeeper keeper(doc);
    const std::optional<Shown505> shown = Select(doc, choices, choices.allFiles);
    if (!shown)
        return false;
    ClearLineList(&lines);
    int width = 0;
    if (shown->subfile != 0) {
        Add(lines, &width, "Statistical levels for histograms in the file: " + doc.GetSubfileName(shown->subfile));
        Add(lines, &width, "");
    }
    for (const BandHistogram505& h : shown->histograms) {
        const LevelRow row = LevelsOf(doc, h.histogram);
        AppendLevelGrid(lines, &width,
                        "Statistical levels for Histogram (" + BandPart(TextLabel(shown->statistics), h) + "):", row);
        KeepTotal(doc, h.histogram, true);
        KeepLevels(doc, row);
    }
    if (widest)
        *widest = width;
    return true;
}

bool TableBandHistograms505(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content,
                            const StatisticsChoices& choices, const TableOutputOptions& options)
{
    const AnalyzerSelectionKeeper keeper(doc);
    const std::optional<Shown505> shown = Select(doc, choices, choices.allFiles);
    if (!shown)
        return false;
    content = 2;
    const ClassMarkers& markers = choices.markers;
    if (shown->histograms.size() > 1) {
        const BandStatTable table =
            BandTable(shown->subfile != 0 ? "Histograms (file:" + doc.GetSubfileName(shown->subfile) + "):"
                                          : std::string("Histograms:"),
                      *shown, markers);
        KeepTotal(doc, shown->histograms.back().histogram, false);
        return WriteHistogramTable(lines, widest, table, options) == 1;
    }
    const BandHistogram505& band = shown->histograms.front();
    const Histogram& h = band.histogram;
    KeepTotal(doc, h, false);
    const std::uint64_t total = std::max<std::uint64_t>(h.Sum(), 1);
    const std::string caption = Underscored(std::string(markers.Block() ? "Block of the " : "") + "Histogram (" +
                                            BandPart(TableLabel(shown->statistics), band) + "):");
    return WriteClassColumns(lines, widest, h, BlockClasses(h, markers), ClassPercents(h, total), caption,
                             kHistogramWords, options);
}

bool TableBandLevels505(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content,
                        const StatisticsChoices& choices, const TableOutputOptions& options)
{
    const AnalyzerSelectionKeeper keeper(doc);
    const std::optional<Shown505> shown = Select(doc, choices, choices.allFiles);
    if (!shown)
        return false;
    content = 2;
    const std::uint16_t levelCount = std::min<std::uint16_t>(doc.StatisticalLevelCount(), 10);
    if (shown->histograms.size() > 1) {
        LevelsCrossTable table;
        table.Caption = "Statistical levels for Histograms:";
        table.Kind = LevelColumnKind::Band;
        table.Width = shown->histograms.front().histogram.width;
        table.Percentages.assign(doc.StatisticalPercentages().begin(),
                                 doc.StatisticalPercentages().begin() + levelCount);
        for (const BandHistogram505& h : shown->histograms)
            table.Columns.push_back({h.totalName, h.frequency, {}, h.histogram.lowest, h.histogram.counts, {}});
        const Histogram& last = shown->histograms.back().histogram;
        KeepTotal(doc, last, false);
        KeepLevels(doc, LevelsOf(doc, last));
        return WriteLevelsCrossTable(lines, widest, table, options) == 1;
    }
    const BandHistogram505& band = shown->histograms.front();
    const LevelRow row = LevelsOf(doc, band.histogram);
    KeepTotal(doc, band.histogram, false);
    KeepLevels(doc, row);
    std::vector<double> x(levelCount), y(levelCount);
    for (std::size_t k = 0; k < levelCount; ++k) {
        x[k] = row.percentages[k];
        y[k] = row.levels[k];
    }
    const std::string caption =
        Underscored("Statistical levels for Histogram (" + BandPart(TableLabel(shown->statistics), band) + "):");
    return WriteColumns(lines, widest, x, y, caption, kLevelWords, "%-10.0f%-10.1f", options);
}

bool GraphBandHistogram505(CTmDoc& doc, const StatisticsChoices& choices, int panel, PlotData& data)
{
    if (panel != 0)
        return false;
    const AnalyzerSelectionKeeper keeper(doc);
    // The graph shows one band, also of a Multifile: the view's band of the sub-file shown.
    const std::optional<Shown505> shown = Select(doc, choices, false);
    if (!shown)
        return false;
    const BandHistogram505& band = ViewBand(*shown, choices);
    const Histogram& h = band.histogram;
    const HistogramGraphValues g = HistogramGraph(h, std::max<std::uint64_t>(h.Sum(), 1), choices.markers);
    KeepTotal(doc, h, true);
    PlacePanelValues(data, 0, g.y);
    data.HistogramClassValues = g.x;
    PlaceBandGraph(data, *shown, band, g.x.size());
    data.HistogramPeak[0] = g.maximum;
    data.BlockProbability[0] = g.blockProbability;
    return true;
}

bool GraphBandLevels505(CTmDoc& doc, const StatisticsChoices& choices, std::uint8_t n, int panel, PlotData& data)
{
    if (panel != 0 || n == 0 || n > 99)
        return false;
    const AnalyzerSelectionKeeper keeper(doc);
    const std::optional<Shown505> shown = Select(doc, choices, true);
    if (!shown)
        return false;
    std::vector<double> bars(kBandGraphValues, kMissingValue);
    std::vector<double> centres;
    const std::size_t count = std::min(shown->histograms.size(), kBandGraphValues - 2);
    double level = 0.0;
    for (std::size_t s = 0; s < count; ++s) {
        const BandHistogram505& band = shown->histograms[s];
        level = 0.0;
        InterpolatedStatLevels(band.histogram, std::span<const std::uint8_t>(&n, 1), std::span<double>(&level, 1));
        bars[s] = level;
        if (band.totalName.empty())
            centres.push_back(band.frequency);
    }
    // The band graph draws two bars past the last value: they repeat it.
    bars[count] = bars[count + 1] = level;
    data.PlotValues.Assign(std::move(bars));
    data.ClassStride = static_cast<std::int32_t>(kBandGraphValues);
    data.FrequencyValues = std::move(centres);
    data.GraphForm = 2;
    data.GraphTitle = data.PanelTitles[0] = StrPrintf("L%u", static_cast<unsigned>(n));
    return true;
}

bool TextBandDensities505(CTmDoc& doc, LineList& lines, int* widest, const StatisticsChoices& choices)
{
    const AnalyzerSelectionKeeper keeper(doc);
    const std::optional<Shown505> shown = Select(doc, choices, choices.allFiles);
    if (!shown)
        return false;
    ClearLineList(&lines);
    int width = 0;
    if (shown->subfile != 0) {
        Add(lines, &width, "");
        Add(lines, &width, "Statistical density for histograms in the file: " + doc.GetSubfileName(shown->subfile));
    }
    for (const BandHistogram505& h : shown->histograms)
        AppendBandDensityText(lines, &width, TextLabel(shown->statistics), h, choices.markers);
    if (widest)
        *widest = width;
    return true;
}

bool TableBandDensities505(CTmDoc& doc, LineList& lines, int* widest, std::uint8_t& content,
                           const StatisticsChoices& choices, const TableOutputOptions& options)
{
    const AnalyzerSelectionKeeper keeper(doc);
    const std::optional<Shown505> shown = Select(doc, choices, choices.allFiles);
    if (!shown)
        return false;
    content = 2;
    const ClassMarkers& markers = choices.markers;
    if (shown->histograms.size() > 1) {
        const BandStatTable table = BandTable(
            shown->subfile != 0
                ? "Statistical density for Histograms (file:" + doc.GetSubfileName(shown->subfile) + "):"
                : std::string("Statistical density for Histograms:"),
            *shown, markers);
        return WriteDensityTable(lines, widest, table, options) == 1;
    }
    const BandHistogram505& band = shown->histograms.front();
    const Histogram& h = band.histogram;
    const std::vector<double> d = DensitiesOf(h);
    const ClassRange range = BlockClasses(h, markers);
    const std::string caption = Underscored(std::string(range.Empty() ? "" : "Block of the ") +
                                            "Statistical density for Histogram (" +
                                            BandPart(TableLabel(shown->statistics), band) + "):");
    return WriteClassColumns(lines, widest, h, range, d, caption, kDensityWords, options);
}

bool GraphBandDensity505(CTmDoc& doc, const StatisticsChoices& choices, int panel, PlotData& data)
{
    if (panel != 0)
        return false;
    const AnalyzerSelectionKeeper keeper(doc);
    // One band, also of a Multifile: the view's band of the sub-file shown.
    const std::optional<Shown505> shown = Select(doc, choices, false);
    if (!shown)
        return false;
    const BandHistogram505& band = ViewBand(*shown, choices);
    const Histogram& h = band.histogram;
    const std::size_t n = h.ClassCount();
    if (n == 0)
        return false;
    const std::vector<double> d = DensitiesOf(h);
    std::vector<double> y(n);
    for (std::size_t i = 0; i < n; ++i)
        y[i] = d[i] / 100.0;
    PlacePanelValues(data, 0, y);
    data.DensityClassValues.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        data.DensityClassValues[i] = h.Bound(i);
    PlaceBandGraph(data, *shown, band, n);
    data.HistogramPeak[0] = 100.0;
    data.BlockProbability[0] = DensityBlock(d, BlockClasses(h, choices.markers));
    return true;
}

} // namespace orlu
