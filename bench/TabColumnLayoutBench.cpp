// Laying out the columns of a 1,000,000-row TAB table, as the view does after
// every build of such a table form, and the screen text of one row, as each
// paint does for the rows in the window.

#include "presentation/view/TabColumnLayout.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace orlu;

constexpr int kRows = 1'000'000;

const LineList& MillionTabRows()
{
    static const LineList lines = [] {
        LineList l;
        std::string title = "Main_results:";
        AddLine(l, title, nullptr);
        for (int i = 0; i < kRows; ++i) {
            std::string row = "2024-05-01\t10:00:00\t#1\tA\tFast\t81.5\t90.1\t110.2\t79.9\t65.4\t" + std::to_string(i);
            AddLine(l, row, nullptr);
        }
        return l;
    }();
    return lines;
}

void BM_LayOutMillionTabRows(benchmark::State& state)
{
    const LineList& lines = MillionTabRows();
    TabColumnLayout layout;
    for (auto _ : state) {
        layout.Build(lines);
        benchmark::DoNotOptimize(layout.Widest());
    }
}
BENCHMARK(BM_LayOutMillionTabRows)->Unit(benchmark::kMillisecond);

void BM_ScreenTextOfARow(benchmark::State& state)
{
    const LineList& lines = MillionTabRows();
    TabColumnLayout layout;
    layout.Build(lines);
    const std::string_view row = std::string_view(lines[kRows / 2]).substr(0, lines[kRows / 2].size() - 2);
    for (auto _ : state)
        benchmark::DoNotOptimize(layout.ScreenText(kRows / 2, row));
}
BENCHMARK(BM_ScreenTextOfARow);

} // namespace

BENCHMARK_MAIN();
