// Writing the cross table of many spectra: N spectra of 100 lines (octave
// levels in dB, one decimal) staged in a MultiSpectrumMatrix, written with a
// row per spectrum (layout 0) or a row per line (layout 1, rows of N cells
// stored in pieces), from a matrix held in memory or in a scratch file.
// Form 0 is the default table (TAB, '.'); form 1 has ';', the decimal comma
// and scientific values with their exponents repaired.
//
// The time should grow linearly with the number of spectra, and the rate
// stay at 100 MB/s of table text or more, for 100 to 10,000 spectra.

#include "document/LineList.h"
#include "reports/table/MultiSpectrumMatrix.h"
#include "reports/table/SpectraCrossTable.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace orlu;

constexpr std::size_t kLines = 100;

std::optional<MultiSpectrumMatrix> Stage(std::size_t spectra, bool scratch)
{
    std::optional<MultiSpectrumMatrix> matrix =
        scratch ? MultiSpectrumMatrix::InScratchFile(kLines) : std::optional<MultiSpectrumMatrix>(std::in_place, kLines);
    if (!matrix)
        return matrix;
    std::uint32_t state = 12345;
    std::vector<double> column(kLines);
    for (std::size_t c = 0; c < spectra; ++c) {
        for (double& value : column) {
            state = state * 1664525u + 1013904223u;
            value = static_cast<double>(200 + state % 1200) / 10.0; // 20.0 to 139.9 dB
        }
        if (!matrix->AppendColumn(column))
            return std::nullopt;
    }
    return matrix;
}

std::size_t TextBytes(const LineList& lines)
{
    std::size_t bytes = 0;
    for (std::string_view line : lines)
        bytes += line.size();
    return bytes;
}

void BM_SpectraCrossTable(benchmark::State& state)
{
    const auto spectra = static_cast<std::size_t>(state.range(0));
    const auto layout = static_cast<std::uint8_t>(state.range(1));
    const bool scratch = state.range(2) != 0;
    const bool form1 = state.range(3) != 0;
    const std::optional<MultiSpectrumMatrix> matrix = Stage(spectra, scratch);
    if (!matrix) {
        state.SkipWithError("the matrix could not be staged");
        return;
    }
    std::vector<double> frequencies(kLines);
    for (std::size_t k = 0; k < kLines; ++k)
        frequencies[k] = 16.0 * static_cast<double>(k + 1);
    const std::vector<std::string> totals = {"A", "C", "Lin"};
    CrossTableSource doc;
    doc.TotalNameList = totals;
    SpectraCrossTable table;
    table.Kind = 3;
    table.Frequencies = frequencies;
    table.TailCount = 3;
    table.UnitText = form1 ? "[Pa]      " : "[dB]      ";
    table.ValueFormat = form1 ? "%-10.2e" : "%-10.1f";
    const TableOutputOptions options{layout, static_cast<std::uint8_t>(form1 ? 1 : 0),
                                     static_cast<std::uint8_t>(form1 ? 2 : 0)};

    // As a view rebuilds its table form: its lines are cleared (outside the timing)
    // and the table written into them again.
    LineList lines;
    WriteSpectraCrossTable(lines, nullptr, doc, table, options, *matrix);
    const std::size_t bytes = TextBytes(lines);
    for (auto _ : state) {
        state.PauseTiming();
        ClearLineList(&lines);
        state.ResumeTiming();
        if (WriteSpectraCrossTable(lines, nullptr, doc, table, options, *matrix) != 1)
            state.SkipWithError("the table was not written");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["text_MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["ns_per_cell"] = benchmark::Counter(static_cast<double>(spectra * kLines),
                                                       benchmark::Counter::kIsIterationInvariantRate |
                                                           benchmark::Counter::kInvert);
}
BENCHMARK(BM_SpectraCrossTable)
    ->ArgsProduct({{100, 1000, 10000}, {0, 1}, {0, 1}, {0, 1}})
    ->ArgNames({"spectra", "layout", "scratch", "form"})
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
