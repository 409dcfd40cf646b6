// Building the table text of a Main-results table of many rows: rows of the
// eight fields of four levels (filter, detector, duration, unit; Peak, Min,
// Max, Spl) through the row formats and the table engine into the lines, as
// the table form builds them. Form 0 is the default table (levels in dB, TAB,
// '.'); form 1 has linear levels in scientific notation with their exponents
// compacted, ';' and the decimal comma.
//
// Beside it, in the same run, the reference: the text of form 0 written with
// plain std::to_chars and appends into one buffer, the least work that gives
// the same bytes (checked before timing). The rate should hold from 10^4 to
// 10^6 rows and stay at 200 MB/s or more.

#include "document/LineList.h"
#include "reports/table/MainResultsTables.h"
#include "reports/table/MainTableWriter.h"

#include <benchmark/benchmark.h>

#include <array>
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace orlu;

constexpr std::array<std::string_view, 4> kTexts = {"A", "Fast", "00:10'00", "dB"};
constexpr std::string_view kCaption = "Main results:";
constexpr std::string_view kHeader = "Filter    Detect    Time      units     Peak      Min       Max       Spl       ";
// Decimals indexes of the row formats: 0 writes one decimal, 3 the scientific form.
constexpr int kDecimalsDb = 0;
constexpr int kDecimalsScientific = 3;
constexpr int kDbPrecision = 1;

// Levels that vary from row to row: dB from 20.0 to 139.9, or squared
// pressures from 1e-6 to 1e6.
std::vector<std::array<double, 4>> Levels(std::size_t rows, bool linear)
{
    std::vector<std::array<double, 4>> levels(rows);
    std::uint32_t state = 12345;
    for (auto& row : levels)
        for (double& level : row) {
            state = state * 1664525u + 1013904223u;
            const double tenths = static_cast<double>(200 + state % 1200);
            level = linear ? 1e-6 * static_cast<double>(state % 997 + 1) * static_cast<double>(1u << (state % 40))
                           : tenths / 10.0;
        }
    return levels;
}

void BuildTable(LineList& lines, const std::vector<std::array<double, 4>>& levels, bool scientific)
{
    std::int32_t width = 0;
    std::uint8_t kind = 0;
    MainTableRequest request{lines, width, kind, 0, 0, scientific ? TableOutputOptions{1, 1, 2} : TableOutputOptions{}};
    MainTableWriter out(request);
    std::string row;
    const int decimals = scientific ? kDecimalsScientific : kDecimalsDb;
    for (const auto& level : levels) {
        AppendFourLevelFields(row, decimals, kTexts, level);
        if (scientific)
            CompactExponents(row, 0);
        out.Row(kCaption, kHeader, row);
    }
    out.Finish();
}

// The rows of form 0 with plain std::to_chars.
void WriteReference(std::string& text, const std::vector<std::array<double, 4>>& levels)
{
    text.clear();
    char number[32];
    for (const auto& level : levels) {
        for (std::string_view field : kTexts) {
            text += field;
            text += '\t';
        }
        for (std::size_t i = 0; i < level.size(); ++i) {
            text.append(number, std::to_chars(number, number + sizeof number, level[i], std::chars_format::fixed,
                                              kDbPrecision).ptr);
            text += i + 1 < level.size() ? "\t" : "\r\n";
        }
    }
}

std::size_t TextBytes(const LineList& lines)
{
    std::size_t bytes = 0;
    for (std::string_view line : lines)
        bytes += line.size();
    return bytes;
}

void BM_MainResultsTableText(benchmark::State& state)
{
    const auto rows = static_cast<std::size_t>(state.range(0));
    const bool scientific = state.range(1) != 0;
    const std::vector<std::array<double, 4>> levels = Levels(rows, scientific);
    // As a view rebuilds its table form: its lines are cleared (outside the
    // timing) and the table written into them again.
    LineList lines;
    BuildTable(lines, levels, scientific);
    const std::size_t bytes = TextBytes(lines);
    for (auto _ : state) {
        state.PauseTiming();
        ClearLineList(&lines);
        state.ResumeTiming();
        BuildTable(lines, levels, scientific);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["text_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_MainResultsTableText)
    ->ArgsProduct({{10000, 100000, 1000000}, {0, 1}})
    ->ArgNames({"rows", "form"})
    ->Unit(benchmark::kMillisecond);

void BM_MainResultsTableTextReference(benchmark::State& state)
{
    const auto rows = static_cast<std::size_t>(state.range(0));
    const std::vector<std::array<double, 4>> levels = Levels(rows, false);
    std::string text;
    WriteReference(text, levels);
    LineList lines;
    BuildTable(lines, levels, false);
    const std::string table = lines.Join();
    // The table's text is its caption, its header, then exactly the reference's rows.
    const std::size_t rowsStart = lines[0].size() + lines[1].size();
    if (table.compare(rowsStart, std::string::npos, text) != 0)
        state.SkipWithError("the reference does not write the table's rows");
    for (auto _ : state) {
        WriteReference(text, levels);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.counters["text_MB"] = static_cast<double>(text.size()) / 1e6;
}
BENCHMARK(BM_MainResultsTableTextReference)
    ->ArgsProduct({{10000, 100000, 1000000}})
    ->ArgNames({"rows"})
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
