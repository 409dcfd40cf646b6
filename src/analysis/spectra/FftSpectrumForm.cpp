#include "analysis/spectra/FftSpectrumForm.h"

#include "document/texts/NumberTexts.h"
#include "platform/ValueFormat.h"
#include "reports/table/ColumnTableWriter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

namespace orlu {
namespace {

constexpr std::size_t kRuleLength = 68;
constexpr std::string_view kCellGap = "       ";

// Text column headers by unit index (entries 6 to 8 are units of no FFT line).
constexpr std::array<std::string_view, 12> kLevelHeaders = {
    "   f[Hz]   Lev[dB]         f[Hz]   Lev[dB]         f[Hz]   Lev[dB]  ",
    "   f[Hz]    Lev[V]         f[Hz]    Lev[V]         f[Hz]    Lev[V]  ",
    "   f[Hz]   Lev[Pa]         f[Hz]   Lev[Pa]         f[Hz]   Lev[Pa]  ",
    "   f[Hz] Lev[m/s\xB2]         f[Hz] Lev[m/s\xB2]         f[Hz] Lev[m/s\xB2]  ",
    "   f[Hz]  Lev[m/s]         f[Hz]  Lev[m/s]         f[Hz]  Lev[m/s]  ",
    "   f[Hz]    Lev[m]         f[Hz]    Lev[m]         f[Hz]    Lev[m]  ",
    "",
    "",
    "",
    "   f[Hz]    Lev[g]         f[Hz]    Lev[g]         f[Hz]    Lev[g]  ",
    "   f[Hz] Lev[in/s]         f[Hz] Lev[in/s]         f[Hz] Lev[in/s]  ",
    "   f[Hz]   Lev[in]         f[Hz]   Lev[in]         f[Hz]   Lev[in]  ",
};
constexpr std::array<std::string_view, 3> kPhaseHeaders = {
    "   f[Hz]   Ph[rad]         f[Hz]   Ph[rad]         f[Hz]   Ph[rad]  ",
    "   f[Hz]   Ph[deg]         f[Hz]   Ph[deg]         f[Hz]   Ph[deg]  ",
    "   f[Hz]  Ph[grad]         f[Hz]  Ph[grad]         f[Hz]  Ph[grad]  ",
};
// The unit after a block total, by unit index.
constexpr std::array<std::string_view, 12> kUnitNames = {
    "dB     ", "V     ", "Pa     ", "m/s\xB2     ", "m/s     ", "m     ", "", "", "", "g     ", "in/s     ", "in     ",
};
// Phases in degrees and grads.
constexpr std::array<double, 3> kPhaseFactors = {1.0, 57.29577951471995, 63.66197723857773};

std::string_view Header(const FftSpectrumForm& f)
{
    if (f.phase)
        return kPhaseHeaders[static_cast<std::size_t>(std::clamp(f.phaseUnit, 0, 2))];
    return f.unitIndex >= 0 && f.unitIndex < static_cast<int>(kLevelHeaders.size()) ? kLevelHeaders[f.unitIndex]
                                                                                    : kLevelHeaders[0];
}

// Our printf writes three exponent digits; the text forms show two, one character narrower.
std::string TwoDigitExponent(std::string field)
{
    const std::size_t e = field.find_last_of("eE");
    if (e == std::string::npos || e + 1 >= field.size())
        return field;
    const std::size_t digits = field[e + 1] == '+' || field[e + 1] == '-' ? e + 2 : e + 1;
    std::size_t end = digits;
    while (end < field.size() && field[end] >= '0' && field[end] <= '9')
        ++end;
    if (end - digits == 3 && field[digits] == '0')
        field.erase(digits, 1);
    return field;
}

std::string ValueText(const FftSpectrumForm& f, double v)
{
    if (f.phase)
        return StrPrintf(f.phaseUnit == 0 ? "%10.2f" : "%10.1f", v);
    return f.linear() ? TwoDigitExponent(StrPrintf("%11.2e", v)) : StrPrintf("%10.1f", v);
}

std::string FrequencyText(const FftSpectrumForm& f, double x)
{
    return StrPrintf(f.twoDecimals ? "%7.2f" : "%7.1f", x);
}

// The indexes of the values a text block shows, in order; -1 stands for the TOTAL.
std::vector<int> ShownCells(const FftSpectrumForm& f)
{
    std::vector<int> cells;
    if (f.phase) {
        for (int j = 0; j < f.groups; ++j)
            cells.push_back(j);
        return cells;
    }
    if (f.peaks > 0) {
        for (int j = 1; j < f.groups; ++j)
            if (f.marks[j])
                cells.push_back(j);
        return cells;
    }
    if (f.block) {
        for (int j = f.g1; j <= f.g2; ++j)
            cells.push_back(j);
        return cells;
    }
    for (int j = 0; j < f.groups; ++j)
        cells.push_back(j == 0 && f.totalPosition == 1 ? -1 : j);
    if (f.totalPosition == 2)
        cells.push_back(-1);
    return cells;
}

void Add(LineList& lines, int* widest, std::string line) { AddLine(lines, line, widest); }

} // namespace

FftSpectrumForm PrepareFftSpectrum(const FftLines& lines, std::span<const double> values,
                                   const SpectrumShowing& showing, std::string caption)
{
    FftSpectrumForm f;
    f.caption = std::move(caption);
    f.phase = showing.phase;
    f.phaseUnit = showing.phaseUnit;
    f.unitIndex = f.phase ? 0 : GetUnitIndex(lines.quantity, lines.channel.inputKind, lines.channel.nonMetric);
    f.twoDecimals = lines.resolution < 1.0;
    const int n = f.phase ? 1 : std::max(showing.degree, 1);
    f.groups = lines.Groups(n);
    if (static_cast<int>(values.size()) < lines.lines)
        f.groups = 0; // a spectrum cut short shows nothing rather than lines it does not hold
    f.totalPosition = f.phase ? 0 : lines.totalPosition;
    f.marks.assign(static_cast<std::size_t>(f.groups) + 1, 0);
    if (f.groups == 0) {
        f.totalPosition = 0;
        return f;
    }

    std::vector<double> work(values.begin(), values.end());
    if (f.phase) {
        // Adding 0 turns the -0 of a line with no imaginary part into 0.
        for (double& v : work)
            v = v * kPhaseFactors[static_cast<std::size_t>(std::clamp(f.phaseUnit, 0, 2))] + 0.0;
    } else {
        if (showing.peaksShown) {
            PeakSearch search = showing.peaks;
            search.block = showing.block;
            search.c1 = showing.c1;
            search.c2 = showing.c2;
            f.peaks = FindSpectrumPeaks(lines, n, values, search, f.marks);
        }
        if (showing.block) {
            f.block = true;
            f.blockTotal = ComputeSpectrumTotal(lines, n, showing.c1, showing.c2, values);
            f.g1 = std::min(FftLines::GroupOf(showing.c1, n), f.groups - 1);
            f.g2 = std::min(FftLines::GroupOf(showing.c2, n), f.groups - 1);
        }
        AggregateSpectrumLines(lines, lines.quantity, n, work);
    }
    const int slots = f.groups + (f.totalPosition == 2 ? 1 : 0);
    work.resize(static_cast<std::size_t>(slots), 0.0);
    f.y = std::move(work);
    f.x.assign(static_cast<std::size_t>(slots), 0.0);
    const double r = lines.resolution;
    for (int j = 1; j < f.groups; ++j)
        f.x[j] = lines.start + r + (n - 1) * r / 2 + (j - 1) * n * r;
    // Nothing undefined reaches a form: a level of no energy is the missing-value mark already.
    for (double& v : f.y)
        if (!std::isfinite(v))
            v = 0.0;
    return f;
}

void AppendSpectrumText(const FftSpectrumForm& f, LineList& lines, int* widest)
{
    Add(lines, widest, "");
    Add(lines, widest, (f.block && f.peaks == 0 ? "Block of the " : "") + f.caption);
    if (!f.phase && f.peaks > 0) {
        std::string line = StrPrintf("%d greatest peaks", f.peaks);
        if (f.block)
            line += StrPrintf(" in the block: %.1fHz - %.1fHz", f.x[f.g1], f.x[f.g2]);
        Add(lines, widest, line);
    } else if (!f.phase && f.block) {
        const std::string total = f.linear() ? TwoDigitExponent(StrPrintf("Block RMS = %.2e ", f.blockTotal))
                                             : StrPrintf("Block RMS = %.1f ", f.blockTotal);
        Add(lines, widest, total + std::string(kUnitNames[static_cast<std::size_t>(f.unitIndex) % kUnitNames.size()]));
    }
    const std::string rule(kRuleLength, '-');
    Add(lines, widest, rule);
    Add(lines, widest, std::string(Header(f)));
    Add(lines, widest, rule);

    const std::vector<int> cells = ShownCells(f);
    const std::size_t rows = (cells.size() + 2) / 3;
    for (std::size_t i = 0; i < rows; ++i) {
        std::string line;
        for (std::size_t c = 0; c < 3 && c * rows + i < cells.size(); ++c) {
            const int k = cells[c * rows + i];
            if (c > 0)
                line += kCellGap;
            if (k < 0) {
                const double total = f.totalPosition == 1 ? f.y[0] : f.y[f.groups];
                line += "  TOTAL" + ValueText(f, total);
            } else {
                line += FrequencyText(f, f.x[k]) + ValueText(f, f.y[k]);
            }
        }
        Add(lines, widest, line);
    }
    Add(lines, widest, rule);
}

void AppendSpectrumTable(const FftSpectrumForm& f, std::string caption, LineList& lines, int* widest,
                         const TableOutputOptions& options, std::uint16_t inputKind)
{
    std::vector<double> x, y;
    if (f.peaks > 0 && !f.phase) {
        for (int j = 1; j < f.groups; ++j) {
            if (f.marks[j]) {
                x.push_back(f.x[j]);
                y.push_back(f.y[j]);
            }
        }
    } else if (f.block && !f.phase) {
        x.assign(f.x.begin() + f.g1, f.x.begin() + f.g2 + 1);
        y.assign(f.y.begin() + f.g1, f.y.begin() + f.g2 + 1);
    } else {
        x = f.x;
        y = f.y;
    }
    SpacesToUnderscores(caption);
    std::string header(Header(f));
    const bool linear = f.linear();
    const char* row = f.phase ? (f.phaseUnit == 0 ? (f.twoDecimals ? "%-10.2f%-10.2f" : "%-10.1f%-10.2f")
                                                  : (f.twoDecimals ? "%-10.2f%-10.1f" : "%-10.1f%-10.1f"))
                      : linear ? (f.twoDecimals ? "%-10.2f%-10.2e" : "%-10.1f%-10.2e")
                               : (f.twoDecimals ? "%-10.2f%-10.1f" : "%-10.1f%-10.1f");
    ColumnTableSource source;
    source.BandKind = 2;
    source.FftTotalPosition = f.phase || f.peaks > 0 || f.block ? 0 : f.totalPosition;
    source.InputKind = inputKind;
    const ColumnTableFormat format{.Pairs = 3,
                                   .Caption = caption,
                                   .HeaderWords = header,
                                   .RowFormat = row,
                                   .NameFormat = f.phase ? nullptr : linear ? "%-10s%-10.2e" : "%-10s%-10.1f"};
    WriteColumnTable(lines, widest, source, x, y, 0, options, format);
}

} // namespace orlu
