// Copying a TAB table of up to 1,000,000 lines with the clipboard's decimal
// comma and ';' separator, beside a plain copy of the same bytes; and opening
// a 10 MB text file in the Hexa form up to its first page of lines.

#include "BenchSupport.h"
#include "presentation/CTmDoc1.h"
#include "presentation/view/ClipboardCopy.h"
#include "presentation/view/TextFormLayout.h"
#include "presentation/view/TextViewModel.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

namespace {

using namespace orlu;

constexpr int kMaxRows = 1'000'000;

/// A view showing `rows` table rows, all of them marked as whole lines.
void ShowTable(MeasurementViewState& view, int rows)
{
    ClearLineList(&view.Lines);
    for (int i = 0; i < rows; ++i) {
        std::string row = "09/07/28\t10:00:00\t81.5\t90.1\t110.2\t79.9\t65.4\t" + std::to_string(i);
        AddLine(view.Lines, row, &view.WidestLine);
    }
    using namespace form_flags;
    std::uint32_t flags = kTable;
    flags = WithField(flags, kClipDecimalShift, 1, 1);
    flags = WithField(flags, kClipSeparatorShift, 3, 2);
    flags = WithField(flags, kClipDateShift, 3, 1);
    view.FormFlags = WithField(flags, kBlockModeShift, 2, kBlockFullLines);
    view.CharWidth = view.LineHeight = 1;
    view.BlockAnchor = {0, 0};
    view.BlockEnd = {view.WidestLine, rows};
    NormalizeBlock(view);
}

void BM_CopyTable(benchmark::State& state)
{
    MeasurementViewState view;
    ShowTable(view, static_cast<int>(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = CopyTableBlock(view);
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CopyTable)->RangeMultiplier(10)->Range(10'000, kMaxRows)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

/// The floor: the same table's bytes gathered line by line into one string, unconverted.
void BM_PlainCopyOfTheTable(benchmark::State& state)
{
    MeasurementViewState view;
    ShowTable(view, kMaxRows);
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string text;
        for (std::string_view line : view.Lines)
            text += line;
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_PlainCopyOfTheTable)->Unit(benchmark::kMillisecond);

void BM_OpenTenMegabytesAsHexa(benchmark::State& state)
{
    const auto path = std::filesystem::temp_directory_path() / "orlu-bench-10mb.txt";
    {
        std::string text;
        for (int i = 0; text.size() < 10u << 20; ++i)
            text += "Line " + std::to_string(i) + ": 81.5 dB m/s\xB2 \r\n";
        std::ofstream(path, std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    bench::SilentInteraction ui;
    AppSettings settings;
    for (auto _ : state) {
        CTmDoc1 doc(ui, TextDocOrigin::None);
        doc.OnOpenDocument(path);
        TextViewModel view(doc, settings);
        view.OnInitialUpdate();
        view.OnHexa();
        std::string buffer;
        std::size_t shown = 0;
        for (std::size_t i = 0; i < 60; ++i)
            shown += view.State().ShownLines().Line(i, buffer).size();
        benchmark::DoNotOptimize(shown);
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_OpenTenMegabytesAsHexa)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
