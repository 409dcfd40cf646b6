// The graph form of a three-profile logger of 10^4 to 10^6 records rebuilt
// after an aggregation change (the degree alternates between 2 and 4, as the
// zoom changes it), against a plain pass over the logger's level words in the
// same run. The rebuild should grow linearly with the records and stay within
// three times the plain pass; the counter "x_plain" gives the ratio.

#include "BenchSupport.h"
#include "analysis/statistics/LoggerColumns.h"
#include "document/CTmDoc.h"
#include "presentation/view/FormBuilder.h"
#include "presentation/view/GraphFormBuilder.h"
#include "presentation/view/ViewSelection.h"
#include "support/FixtureBuilder.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

namespace {

using namespace orlu;

constexpr int kLoggerKind = 45;

struct LoggerView {
    std::filesystem::path path;
    bench::SilentInteraction ui;
    AppContext app{ui};
    CTmDoc doc{app};
    FormRendererRegistry renderers;
    AppSettings settings;
    MeasurementViewState view;

    explicit LoggerView(std::uint32_t records)
    {
        path = std::filesystem::temp_directory_path() /
               ("orlu-graph-bench-" + std::to_string(::getpid()) + "-" + std::to_string(records) + ".orl");
        bench::WriteContainer(path, kLoggerKind, fixture::CurrentMeasurementFile(fixture::ThreeProfileLoggerSpec(records)));
        RegisterReportRenderers(renderers);
        if (!doc.OnOpenDocument(path))
            return;
        OpenView(view, doc);
        const FormBuilder builder(renderers, settings);
        builder.SelectViewKind(view, doc, *FindViewCommand(32783));
        view.FormFlags = 0;
        builder.OnGraphForm(view, doc, false);
    }
    ~LoggerView() { std::filesystem::remove(path); }
};

LoggerView& ViewOf(std::uint32_t records)
{
    static std::map<std::uint32_t, std::unique_ptr<LoggerView>> views;
    auto& slot = views[records];
    if (!slot)
        slot = std::make_unique<LoggerView>(records);
    return *slot;
}

// The mean seconds of each benchmark at each size, for the ratio.
std::map<std::uint32_t, double> g_PlainSeconds;

void BM_PlainPassOverLevelWords(benchmark::State& state)
{
    const auto records = static_cast<std::uint32_t>(state.range(0));
    LoggerView& v = ViewOf(records);
    const std::optional<LoggerPlace> place = LocateLogger(v.doc);
    if (!place) {
        state.SkipWithError("no logger");
        return;
    }
    const ImageReader reader = LoggerImage(v.doc, *place);
    double seconds = 0.0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        std::int64_t sum = 0;
        for (std::size_t r = 0; r < place->records; ++r) {
            const auto row = static_cast<std::uint32_t>(place->first + r * place->rowWords);
            for (std::uint16_t w = 0; w < place->rowWords; ++w)
                sum += reader.SignedWord(row + w);
        }
        benchmark::DoNotOptimize(sum);
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(elapsed);
        seconds += elapsed;
    }
    g_PlainSeconds[records] = seconds / static_cast<double>(state.iterations());
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * records);
}

void BM_GraphRebuildAfterAggregationChange(benchmark::State& state)
{
    const auto records = static_cast<std::uint32_t>(state.range(0));
    LoggerView& v = ViewOf(records);
    const FormBuilder builder(v.renderers, v.settings);
    GraphGeometry* time = v.view.GraphForm.Records.Obtain(GeometryRecord::Time, 6, std::nullopt);
    if (!time || !v.view.GraphForm.Available) {
        state.SkipWithError("no logger graph");
        return;
    }
    double seconds = 0.0;
    int degree = 2;
    for (auto _ : state) {
        degree = degree == 2 ? 4 : 2;
        time->pointsPerColumn = degree;
        const auto start = std::chrono::steady_clock::now();
        builder.UpdateForm(v.view, v.doc);
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(elapsed);
        seconds += elapsed;
        benchmark::DoNotOptimize(v.view.GraphForm.Plot.BufferValues[0].Size());
    }
    const double perBuild = seconds / static_cast<double>(state.iterations());
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * records);
    state.counters["panels"] = v.view.Graph.PanelCount;
    if (const auto plain = g_PlainSeconds.find(records); plain != g_PlainSeconds.end() && plain->second > 0.0)
        state.counters["x_plain"] = perBuild / plain->second;
}

// The plain pass first at each size, so that the rebuild's ratio has it.
BENCHMARK(BM_PlainPassOverLevelWords)->Arg(10000)->Arg(100000)->Arg(1000000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GraphRebuildAfterAggregationChange)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
