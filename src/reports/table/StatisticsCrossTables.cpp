#include "reports/table/StatisticsCrossTables.h"

#include "document/ViewComputations.h"
#include "reports/table/CrossTableRows.h"
#include "reports/table/MultiSpectrumMatrix.h"

#include <algorithm>
#include <numeric>

namespace orlu {
namespace {

constexpr std::string_view kKindWords[] = {"file      ", "chan      ", "prof      "};
constexpr std::string_view kKindMarkers[] = {"file->    ", "chan->    ", "prof->    "};
constexpr std::string_view kBlocksOf = "Blocks of ";
// Rows of many elements are read from a matrix this many classes at a time.
constexpr std::size_t kLinesPerRead = 256;

struct Shown {
    std::size_t first = 0;
    std::size_t count = 0;
};

// A block past the last class is cut to the classes there are.
Shown ShownClasses(const ClassBlock& block, std::size_t classCount)
{
    if (!block.Shown)
        return {0, classCount};
    const std::size_t last = std::min<std::size_t>(block.Last, classCount == 0 ? 0 : classCount - 1);
    if (classCount == 0 || block.First > last)
        return {block.First, 0};
    return {block.First, last - block.First + 1};
}

std::string CaptionOf(const ClassBlock& block, const std::string& caption)
{
    return block.Shown ? std::string(kBlocksOf) + caption : caption;
}

double TotalOf(std::span<const std::uint32_t> counts)
{
    const double total = std::accumulate(counts.begin(), counts.end(), 0.0);
    return total == 0.0 ? 1.0 : total;
}

double CountOf(std::span<const std::uint32_t> counts, std::size_t c)
{
    return c < counts.size() ? counts[c] : 0.0;
}

// The values an element table shows: element e's values of the shown classes.
class ElementValues {
public:
    virtual ~ElementValues() = default;
    /// The shown values of one element.
    virtual void Column(std::size_t element, std::span<double> out) const = 0;
    /// Shown classes first to first + lines - 1 of every element: out[e x lines + k].
    virtual void Lines(std::size_t first, std::size_t lines, std::span<double> out) const = 0;
};

class HistogramPercents final : public ElementValues {
public:
    HistogramPercents(const StatCrossTable& table, Shown shown) : m_Table(table), m_Shown(shown)
    {
        for (const StatElement& e : table.Elements)
            m_Totals.push_back(TotalOf(e.Counts));
    }
    void Column(std::size_t e, std::span<double> out) const override
    {
        const auto& counts = m_Table.Elements[e].Counts;
        for (std::size_t r = 0; r < out.size(); ++r)
            out[r] = CountOf(counts, m_Shown.first + r) * 100.0 / m_Totals[e];
    }
    void Lines(std::size_t first, std::size_t lines, std::span<double> out) const override
    {
        for (std::size_t e = 0; e < m_Table.Elements.size(); ++e) {
            const auto& counts = m_Table.Elements[e].Counts;
            for (std::size_t k = 0; k < lines; ++k)
                out[e * lines + k] = CountOf(counts, m_Shown.first + first + k) * 100.0 / m_Totals[e];
        }
    }

private:
    const StatCrossTable& m_Table;
    Shown m_Shown;
    std::vector<double> m_Totals;
};

class MatrixValues final : public ElementValues {
public:
    MatrixValues(const MultiSpectrumMatrix& matrix, std::size_t elements) : m_Matrix(matrix), m_Elements(elements) {}
    void Column(std::size_t e, std::span<double> out) const override { m_Matrix.ReadColumn(e, 0, out); }
    void Lines(std::size_t first, std::size_t lines, std::span<double> out) const override
    {
        m_Matrix.ReadLines(first, lines, m_Elements, out);
    }

private:
    const MultiSpectrumMatrix& m_Matrix;
    std::size_t m_Elements;
};

// Elements that start a class layout of their own: the first, and every one
// whose lowest class differs from the element before it.
std::vector<bool> LayoutStarts(const std::vector<StatElement>& elements)
{
    std::vector<bool> starts(elements.size());
    for (std::size_t e = 0; e < elements.size(); ++e)
        starts[e] = e == 0 || elements[e].Lowest != elements[e - 1].Lowest;
    return starts;
}

double ClassBound(std::size_t c, std::int32_t lowest, std::int32_t width)
{
    return (static_cast<double>(c) * width + lowest) / 10.0;
}

int WriteElementTable(LineList& lines, int* widthOut, const StatCrossTable& t, std::string_view word,
                      std::string_view marker, const ElementValues& values, const TableOutputOptions& options)
{
    CrossTableRows rows(lines, options);
    const Shown shown = ShownClasses(t.Block, t.ClassCount);
    const auto kind = static_cast<std::size_t>(t.Kind);
    const std::vector<bool> starts = LayoutStarts(t.Elements);
    const auto& bound = rows.FormatOf("%-10.1f");
    const auto& percent = rows.FormatOf("%-10.2f");
    const std::size_t n = t.Elements.size();

    rows.Caption(CaptionOf(t.Block, t.Caption));
    if (options.FormatFlag % 2 == 0) {
        if (t.FunctionRow)
            rows.Cell("___       ");
        rows.Cell("___       no_->     []        ");
        for (std::size_t r = 0; r < shown.count; ++r)
            rows.Integer(static_cast<long long>(r + 1));
        rows.EndRow();
        std::vector<double> column(shown.count);
        for (std::size_t e = 0; e < n; ++e) {
            const StatElement& el = t.Elements[e];
            if (starts[e]) {
                rows.Cell(word);
                rows.Cell(kKindWords[kind]);
                if (t.FunctionRow)
                    rows.Cell("func      ");
                rows.Cell("[dB]      ");
                for (std::size_t r = 0; r < shown.count; ++r)
                    rows.Number(ClassBound(shown.first + r, el.Lowest, t.Width), bound);
                rows.EndRow();
            }
            rows.Integer(static_cast<long long>(e + 1));
            rows.Text(el.Label);
            if (t.FunctionRow)
                rows.Text(el.Function);
            rows.Cell("[%]       ");
            values.Column(e, column);
            for (double v : column)
                rows.Number(v, percent);
            rows.EndRow();
        }
    } else {
        rows.Cell("___       ");
        for (std::size_t e = 0; e < n; ++e) {
            if (starts[e])
                rows.Cell(marker);
            rows.Integer(static_cast<long long>(e + 1));
        }
        rows.EndRow();
        rows.Cell(t.FunctionRow ? "___       " : "no_       ");
        for (std::size_t e = 0; e < n; ++e) {
            if (starts[e])
                rows.Cell(kKindMarkers[kind]);
            rows.Text(t.Elements[e].Label);
        }
        rows.EndRow();
        if (t.FunctionRow) {
            rows.Cell("no_       ");
            for (std::size_t e = 0; e < n; ++e) {
                if (starts[e])
                    rows.Cell("func->    ");
                rows.Text(t.Elements[e].Function);
            }
            rows.EndRow();
        }
        rows.Cell("[]        ");
        for (std::size_t e = 0; e < n; ++e) {
            if (starts[e])
                rows.Cell("[dB]      ");
            rows.Cell("[%]       ");
        }
        rows.EndRow();
        std::vector<double> block;
        for (std::size_t first = 0; first < shown.count; first += kLinesPerRead) {
            const std::size_t count = std::min(kLinesPerRead, shown.count - first);
            block.assign(count * n, 0.0);
            values.Lines(first, count, block);
            for (std::size_t k = 0; k < count; ++k) {
                const std::size_t r = first + k;
                rows.Integer(static_cast<long long>(r + 1));
                for (std::size_t e = 0; e < n; ++e) {
                    if (starts[e])
                        rows.Number(ClassBound(shown.first + r, t.Elements[e].Lowest, t.Width), bound);
                    rows.Number(block[e * count + k], percent);
                }
                rows.EndRow();
            }
        }
    }
    if (widthOut)
        *widthOut = rows.Widest();
    return 1;
}

struct BandTableWords {
    std::string_view layout1Marker; // "___hist-> "
    std::string_view layout0Word;   // "hist      [Hz]\cl-> [dB]      "
    bool paddedTotalName;           // layout 1 total names as "%-10s", else "%s     "
};

int WriteBandTable(LineList& lines, int* widthOut, const BandStatTable& t, const BandTableWords& words,
                   bool ownTotals, const TableOutputOptions& options)
{
    CrossTableRows rows(lines, options);
    const std::size_t classCount = t.ClassBounds.size();
    const Shown shown = ShownClasses(t.Block, classCount);
    const auto& oneDecimal = rows.FormatOf("%-10.1f");
    const auto& percent = rows.FormatOf("%-10.2f");
    const std::size_t n = t.Bands.size();
    const double firstTotal = n > 0 ? TotalOf(t.Bands[0].Counts) : 1.0;

    // The shown values of every band: percents over the first band's total, or
    // densities (the share at or above each class) over the band's own.
    std::vector<std::vector<double>> values(n);
    for (std::size_t j = 0; j < n; ++j) {
        const auto& counts = t.Bands[j].Counts;
        std::vector<double> all;
        if (ownTotals)
            all = ExceedancePercents(counts);
        values[j].resize(shown.count);
        for (std::size_t r = 0; r < shown.count; ++r) {
            const std::size_t c = shown.first + r;
            values[j][r] = ownTotals ? (c < all.size() ? all[c] : 0.0) : CountOf(counts, c) * 100.0 / firstTotal;
        }
    }
    auto boundOf = [&](std::size_t r) {
        const std::size_t c = shown.first + r;
        return c < classCount ? t.ClassBounds[c] : 0.0;
    };

    rows.Caption(CaptionOf(t.Block, t.Caption));
    if (options.FormatFlag % 2 == 0) {
        rows.Cell("___       no_       []        ");
        for (std::size_t r = 0; r < shown.count; ++r)
            rows.Integer(static_cast<long long>(r + 1));
        rows.EndRow();
        rows.Cell(words.layout0Word);
        for (std::size_t r = 0; r < shown.count; ++r)
            rows.Number(boundOf(r), oneDecimal);
        rows.EndRow();
        for (std::size_t j = 0; j < n; ++j) {
            rows.Integer(static_cast<long long>(j + 1));
            if (t.Bands[j].TotalName.empty())
                rows.Number(t.Bands[j].Frequency, oneDecimal);
            else
                rows.Text(t.Bands[j].TotalName);
            rows.Cell("[%]       ");
            for (double v : values[j])
                rows.Number(v, percent);
            rows.EndRow();
        }
    } else {
        rows.Cell("___       ");
        rows.Cell(words.layout1Marker);
        for (std::size_t j = 0; j < n; ++j)
            rows.Integer(static_cast<long long>(j + 1));
        rows.EndRow();
        rows.Cell("no_       cl\\[Hz]-> ");
        for (const BandCounts& band : t.Bands) {
            if (band.TotalName.empty())
                rows.Number(band.Frequency, oneDecimal);
            else if (words.paddedTotalName)
                rows.Text(band.TotalName);
            else
                rows.Cell(band.TotalName + "     ");
        }
        rows.EndRow();
        rows.Cell("[]        [dB]      ");
        for (std::size_t j = 0; j < n; ++j)
            rows.Cell("[%]       ");
        rows.EndRow();
        for (std::size_t r = 0; r < shown.count; ++r) {
            rows.Integer(static_cast<long long>(r + 1));
            rows.Number(boundOf(r), oneDecimal);
            for (std::size_t j = 0; j < n; ++j)
                rows.Number(values[j][r], percent);
            rows.EndRow();
        }
    }
    if (widthOut)
        *widthOut = rows.Widest();
    return 1;
}

} // namespace

std::vector<double> ExceedancePercents(std::span<const std::uint32_t> counts)
{
    // Without counts nothing reaches any class: the divisor is 1, the shares 0.
    const double sum = std::accumulate(counts.begin(), counts.end(), 0.0);
    const double total = TotalOf(counts);
    std::vector<double> exceedance(counts.size());
    double below = 0.0;
    for (std::size_t c = 0; c < counts.size(); ++c) {
        exceedance[c] = (sum - below) * 100.0 / total;
        below += counts[c];
    }
    return exceedance;
}

int WriteHistogramsCrossTable(LineList& lines, int* widthOut, const StatCrossTable& table,
                              const TableOutputOptions& options)
{
    const HistogramPercents percents(table, ShownClasses(table.Block, table.ClassCount));
    return WriteElementTable(lines, widthOut, table, "hist      ", "hist->    ", percents, options);
}

int WriteDensitiesCrossTable(LineList& lines, int* widthOut, const StatCrossTable& table,
                             const MultiSpectrumMatrix& densities, const TableOutputOptions& options)
{
    const MatrixValues values(densities, table.Elements.size());
    return WriteElementTable(lines, widthOut, table, "dens      ", "dens->    ", values, options);
}

int WriteHistogramTable(LineList& lines, int* widthOut, const BandStatTable& table, const TableOutputOptions& options)
{
    return WriteBandTable(lines, widthOut, table, {"___hist-> ", "hist      [Hz]\\cl-> [dB]      ", false}, false,
                          options);
}

int WriteDensityTable(LineList& lines, int* widthOut, const BandStatTable& table, const TableOutputOptions& options)
{
    return WriteBandTable(lines, widthOut, table, {"___dens-> ", "dens      [Hz]\\cl-> [dB]      ", true}, true,
                          options);
}

int WriteLevelsCrossTable(LineList& lines, int* widthOut, const LevelsCrossTable& t, const TableOutputOptions& options)
{
    CrossTableRows rows(lines, options);
    const auto& oneDecimal = rows.FormatOf("%-10.1f");
    const auto& whole = rows.FormatOf("%-10.0f");
    const std::size_t levelCount = t.Percentages.size();

    std::vector<std::vector<double>> levels;
    levels.reserve(t.Columns.size());
    for (const LevelColumn& column : t.Columns) {
        std::vector<double> ln(levelCount, 0.0);
        if (!column.StoredLevels.empty()) {
            std::copy_n(column.StoredLevels.begin(), std::min(levelCount, column.StoredLevels.size()), ln.begin());
        } else {
            const std::vector<double> exceedance = ExceedancePercents(column.Counts);
            StatLevelsFromCumulative(exceedance, column.Lowest / 10.0, (column.Width != 0 ? column.Width : t.Width) / 10.0,
                                     t.Percentages, ln);
        }
        levels.push_back(std::move(ln));
    }
    auto label = [&](const LevelColumn& column) {
        if (t.Kind == LevelColumnKind::Band && column.Label.empty())
            rows.Number(column.Frequency, oneDecimal);
        else
            rows.Text(column.Label);
    };
    constexpr std::string_view kWords[] = {"[Hz]      ", "chan      ", "prof      "};
    constexpr std::string_view kMarkers[] = {"[Hz]->    ", "chan->    ", "prof->    "};
    const auto kind = static_cast<std::size_t>(t.Kind);

    rows.Caption(t.Caption);
    if (options.FormatFlag % 2 == 0) {
        rows.Cell("leve      ");
        rows.Cell(kWords[kind]);
        if (t.FunctionRow)
            rows.Cell("func      ");
        rows.Cell("[%]       ");
        for (std::uint8_t p : t.Percentages)
            rows.Number(p, whole);
        rows.EndRow();
        for (std::size_t j = 0; j < t.Columns.size(); ++j) {
            rows.Integer(static_cast<long long>(j + 1));
            label(t.Columns[j]);
            if (t.FunctionRow)
                rows.Text(t.Columns[j].Function);
            rows.Cell("[dB]      ");
            for (double v : levels[j])
                rows.Number(v, oneDecimal);
            rows.EndRow();
        }
    } else {
        rows.Cell("___       leve->    ");
        for (std::size_t j = 0; j < t.Columns.size(); ++j)
            rows.Integer(static_cast<long long>(j + 1));
        rows.EndRow();
        rows.Cell(t.FunctionRow ? "___       " : "no_       ");
        rows.Cell(kMarkers[kind]);
        for (const LevelColumn& column : t.Columns)
            label(column);
        rows.EndRow();
        if (t.FunctionRow) {
            rows.Cell("no_       func->    ");
            for (const LevelColumn& column : t.Columns)
                rows.Text(column.Function);
            rows.EndRow();
        }
        rows.Cell("[]        [%]       ");
        for (std::size_t j = 0; j < t.Columns.size(); ++j)
            rows.Cell("[dB]      ");
        rows.EndRow();
        for (std::size_t i = 0; i < levelCount; ++i) {
            rows.Integer(static_cast<long long>(i + 1));
            rows.Number(t.Percentages[i], whole);
            for (const auto& ln : levels)
                rows.Number(ln[i], oneDecimal);
            rows.EndRow();
        }
    }
    if (widthOut)
        *widthOut = rows.Widest();
    return 1;
}

} // namespace orlu
